#pragma once
// Dialog sizes and positions kept per dialog name ("DLG_FINDREPLACE", ...), with a few yes/no settings per
// name ("DLG_SELECT_MACRO", "LARGE_DLG"). They survive closing and reopening and, when a settings file is
// in use, the end of the process: the file is dialogs.ini in $XDG_CONFIG_HOME/vtlui/ (or ~/.config/vtlui/),
// rewritten whole through a temporary file and a rename at every change, merging what another process
// wrote meanwhile. Without a configuration folder, or after setDialogSettingsFile(""), they live in memory.
#include <string>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "win/wnd.h"

// The window's current outer size (at initialisation, the size of its template). The flag does not change
// the result. False, with width and height unchanged, when dlg is not a window.
VTLBASE_API bool getDlgSize(CWnd* dlg, int& width, int& height, int flag = 0);
// Restores what WriteDlgSize stored under the name. Flag 1: the position only (a dialog of fixed size);
// flag 0 (or any other): position and size. The rectangle is first brought onto the screen: made no larger
// than the screen, then moved so that it lies wholly on it. False when nothing is stored under the name
// (the dialog keeps its own size and place) or dlg is not a window.
VTLBASE_API bool ChangeDlgSize(CWnd* dlg, const Vtl_String& name, int flag = 0);
// Stores the window's position and size (screen pixels) under the name. False when dlg is not a window or
// the name is empty.
VTLBASE_API bool WriteDlgSize(CWnd* dlg, const Vtl_String& name);
// True when a size is stored under the name.
VTLBASE_API bool hasDlgSize(const Vtl_String& name);
// A yes/no setting of a dialog. readDlgRegBool leaves value unchanged and gives false when nothing is
// stored.
VTLBASE_API bool readDlgRegBool(const Vtl_String& name, const Vtl_String& key, bool& value);
VTLBASE_API bool writeDlgRegBool(const Vtl_String& name, const Vtl_String& key, bool value);

namespace vtl::base {
// Chooses the settings file; the empty path keeps the settings in memory only. Without a call, the file
// follows XDG_CONFIG_HOME and HOME as above (looked up at every use).
VTLBASE_API void setDialogSettingsFile(const std::string& path);
// The file in use, or "" when the settings live in memory.
VTLBASE_API std::string dialogSettingsFile();
}  // namespace vtl::base
