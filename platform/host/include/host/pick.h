#pragma once
// Picks in the drawing: the host prints a prompt and waits, through the framework's pump, for the person to
// click in the main window's client area.
#include <string>

#include "host/export.h"
#include "win/types.h"

namespace vtl::host {

// Prints `prompt` on the command line, gives the main window the focus and waits for a left click in its
// client area (pressed and released there); `point` receives the press in main-window client coordinates.
// False when cancelled: Escape, the main window going away, or the input running dry (the pump records
// "unanswered pick <prompt>", the prompt without surrounding blanks).
// False at once, printing nothing, when there is no main window or it is disabled (a modal dialog is up
// and did not begin an editor command), since no click could reach the drawing.
VTLHOST_API bool getPoint(const std::string& prompt, POINT& point);

// True while a pick waits.
VTLHOST_API bool pickInProgress();

}  // namespace vtl::host
