#pragma once
// The host's command line: what modules print, the prompt they ask the host to show again, and display
// updates they ask for. The text is kept for tests and, when echo is on, also written to standard output for
// a person to read. The text kept is at most kCommandLineKeep bytes: when it overflows, the oldest lines go.
#include <cstddef>
#include <string>

#include "host/error_status.h"
#include "host/export.h"

// printf formatting; any length. Returns the number of bytes printed, or -1 for a null or broken format.
VTLHOST_API int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Shows the host's command prompt again (counted).
VTLHOST_API Acad::ErrorStatus acedPostCommandPrompt();
// Brings the drawing's display up to date (counted).
VTLHOST_API void acedUpdateDisplay();

namespace vtl::host {

inline constexpr std::size_t kCommandLineKeep = std::size_t(1) << 20;

// Everything printed since the last clear.
VTLHOST_API std::string commandLineText();
VTLHOST_API void clearCommandLine();
// Echoes what is printed from now on to standard output (off at start).
VTLHOST_API void setCommandLineEcho(bool on);
VTLHOST_API bool commandLineEcho();

VTLHOST_API int commandPromptCount();
VTLHOST_API int displayUpdateCount();

}  // namespace vtl::host
