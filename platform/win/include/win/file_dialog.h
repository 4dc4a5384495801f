#pragma once
// CFileDialog: the open/save file dialog, a real dialog window: the folder's sub-folders and the files
// of the chosen type, a file name field, must-exist for opening and an overwrite question for saving.
// Paths are the operating system's.
#include <string>

#include "win/dialog.h"

constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;

class VTLWIN_API CFileDialog : public CDialog {
public:
    // `filter` lists description and pattern pairs: "Stock files (*.shp)|*.shp||".
    CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);

    struct Options {
        std::string lpstrInitialDir;
        std::string lpstrTitle;
        DWORD Flags = 0;
    } m_ofn;

    INT_PTR DoModal() override;
    std::string GetPathName() const { return path_; }
    std::string GetFileName() const;
    std::string GetFileExt() const;
    std::string GetFileTitle() const;
    std::string GetFolderPath() const;

    // Control ids of the dialog.
    static constexpr int kFolderId = 1088;
    static constexpr int kListId = 1120;
    static constexpr int kTypeId = 1136;
    static constexpr int kNameId = 1152;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void showFolder(const std::string& folder);
    bool matches(const std::string& name) const;
    void choose(const std::string& typed);

    bool open_;
    std::string defaultExt_;
    std::string startName_;
    std::string folder_;
    std::string path_;
    std::vector<std::pair<std::string, std::string>> types_;  // description, pattern
    int type_ = 0;
};
