#pragma once
// `vtlhost serve [--port N]`: the browser workbench (workbench.h) until Ctrl+C or SIGTERM.
#include <string>
#include <vector>

namespace vtlhost {
// Prints "Workbench: http://127.0.0.1:PORT/" once the server listens. Answers 0 after a clean stop, 1 when
// the port cannot be had, 2 for wrong arguments.
int serve(const std::vector<std::string>& args);
}  // namespace vtlhost
