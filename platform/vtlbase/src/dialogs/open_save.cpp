// DlgOpenSave: the file chooser for one file type, on the framework's file dialog.
#include <string>

#include "vtlbase/dialog_services.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/settings.h"
#include "win/file_dialog.h"

namespace {
// "Designs (*.txt)" and "txt" become the dialog's "Designs (*.txt)|*.txt||". Bars in the description
// would split it into more types, so they become blanks.
std::string filterOf(std::string description, const std::string& pattern) {
    for (char& c : description)
        if (c == '|') c = ' ';
    if (description.empty()) description = pattern;
    return description + "|" + pattern + "||";
}
}  // namespace

bool DlgOpenSave(bool open, const Vtl_String& title, const Vtl_String& extension, const Vtl_String& filter,
                 const Vtl_String& startFolder, Vtl_String& path) {
    std::string ext = extension.str();
    while (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    const std::string pattern = ext.empty() ? "*.*" : "*." + ext;
    const std::string filterText = filterOf(filter.str(), pattern);
    const std::string startName = path.length() > 0 ? getFileName(path).str() : std::string();

    std::string folder = startFolder.length() > 0 ? vtl::base::files::resolve(startFolder.str()) : std::string();
    if (folder.empty() || !vtl::base::files::folderExists(folder))
        folder = vtl::base::files::resolve(gSettings.libDir().str());

    const DWORD flags = OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialog dialog(open ? TRUE : FALSE, ext.empty() ? nullptr : ext.c_str(),
                       startName.empty() ? nullptr : startName.c_str(), flags, filterText.c_str());
    dialog.m_ofn.lpstrInitialDir = folder;
    dialog.m_ofn.lpstrTitle = title.str();
    if (dialog.DoModal() != IDOK) return false;
    path = Vtl_String(dialog.GetPathName());
    return true;
}
