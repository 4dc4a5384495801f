#pragma once
// `vtlhost serve [--port N]`: the browser workbench (workbench.h) until Ctrl+C or SIGTERM.
#include <string>
#include <vector>

namespace vtlhost {
// Prints "Workbench: http://127.0.0.1:PORT/" once the server listens. Answers 0 after a clean stop, 1 when
// the port cannot be had, 2 for wrong arguments.
int serve(const std::vector<std::string>& args);
// The scratch copy of the library the workbench's dialogs use and the library it was copied from (for the
// files written and the reset); set before serve().
void setServeLibrary(const std::string& original, const std::string& scratch);
}  // namespace vtlhost
