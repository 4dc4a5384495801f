#pragma once
// Dialogs of the sibling module that callers run: the open/save file chooser and the information dialog.
// Both are modal and wait through the framework's pump, so a script answers them (the file chooser waits as
// "filedialog <title>", the information dialog as "dialog 30100").
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

// Runs the file chooser: opening needs an existing file, saving asks before replacing one. `extension`
// ("txt", "bmp"; a leading dot is ignored) is the type listed and added to a name typed without one;
// `filter` is the type's description ("Designs (*.txt)"). It starts in `startFolder` (a module path; the
// library folder when that is empty or missing) with the file name of `path`, if any, in the name field.
// True with the chosen file's path (this machine's spelling) in `path`; false, `path` unchanged, when
// cancelled.
VTLBASE_API bool DlgOpenSave(bool open, const Vtl_String& title, const Vtl_String& extension, const Vtl_String& filter,
                             const Vtl_String& startFolder, Vtl_String& path);

// Shows the lines, one per line, read-only in the information dialog with the caption `title` and the
// button text `buttonText` (the template's "Information" and "OK" stay where these are empty). Returns when
// the person closes it (the button, Enter, Escape or the close box).
VTLBASE_API void ExportStartDlgInfo(const Vtl_StringArray& lines, const Vtl_String& title,
                                    const Vtl_String& buttonText);

namespace vtl::base {
constexpr int kInfoDialogTemplate = 30100;
constexpr int kInfoDialogTextId = 1000;
// Registers vtlbase's own dialog templates with the window framework (done by the dialogs themselves;
// repeated calls do nothing).
VTLBASE_API void ensureVtlbaseResources();
}  // namespace vtl::base
