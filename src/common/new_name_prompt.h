#pragma once
// Asking for the name of something new (a level, a point group, a point) and refusing a name already in
// use, as the engineering dialogs do: the text input dialog titled "Name" with the prompt given, "New"
// as the proposal, OK and Cancel; the "name in use" warning box.
#include "frame/vtlbase.h"
#include "win/wnd.h"

namespace vtl::ui {

// True with the typed name in `name` when the person pressed OK; false when cancelled.
bool askForNewName(CWnd* parent, int promptText, Vtl_String& name);
// Tells the person the name is taken and another must be chosen.
void warnNameInUse(CWnd* parent);

}  // namespace vtl::ui
