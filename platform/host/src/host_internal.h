#pragma once
// What the host's parts tell each other, and their resets.
#include "win/types.h"

namespace vtl::host::detail {
// Offers a key or mouse message for the main window (or a child of it) to the pick that waits, if any;
// true when the pick took it.
bool offerToPick(HWND mainWindow, const MSG& msg);

void resetRegistry();
void resetCommandLine();
void resetMainWindow();
}  // namespace vtl::host::detail
