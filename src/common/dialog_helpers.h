#pragma once
// Small helpers most dialogs use: icon buttons, enabling a control by id, testing for files and the size
// of a bitmap file.
#include "frame/vtlbase.h"
#include "vtlbase/controls/button_st.h"
#include "win/dialog.h"

namespace vtl::ui {

// Attaches the button object to the control, raised without a flat focus rectangle, with the icon and,
// when the text is not empty, an active tooltip. False without dialog or button.
bool setupIconButton(CDialog* dialog, CButtonST* button, int controlId, int iconId, const Vtl_String& tooltip);
// False without dialog or when it has no such control.
bool enableDlgItem(CDialog* dialog, int controlId, bool enable);
// True when at least one file matches the path; its last component may hold '*' and '?'.
bool fileExists(const Vtl_String& path);
// The width and height of a .bmp file; both 0 (and false) when it cannot be loaded.
bool getBitmapFileSize(const Vtl_String& path, int& width, int& height);
// The child of `parent` that has the keyboard focus or holds the window that has it (the field of an
// editable combo box holds the focus for its combo); null when the focus is outside `parent`.
HWND childWithFocus(HWND parent);

}  // namespace vtl::ui
