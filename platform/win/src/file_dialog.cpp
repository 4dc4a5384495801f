// The open/save file dialog, laid out at run time.
#include "win/file_dialog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "item_list.h"
#include "win/combo_box.h"
#include "win/list_box.h"
#include "win/message_box.h"

namespace fs = std::filesystem;

namespace {
// "*" and "?" wildcards, without regard to case, as the platform matches file names.
bool wildcardMatch(const std::string& pattern, const std::string& name) {
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

vtl::win::ControlTemplate control(const char* cls, const std::string& text, int id, RECT r, DWORD style) {
    vtl::win::ControlTemplate c;
    c.className = cls;
    c.text = text;
    c.id = id;
    c.rect = r;
    c.style = WS_CHILD | WS_VISIBLE | style;
    return c;
}
}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : open_(openFileDialog != FALSE),
      defaultExt_(defaultExtension ? defaultExtension : ""),
      startName_(fileName ? fileName : "") {
    m_pParentWnd = parent;
    m_ofn.Flags = flags;
    const std::string f = filter ? filter : "";
    std::vector<std::string> parts;
    for (std::size_t pos = 0; pos < f.size();) {
        const auto bar = f.find('|', pos);
        parts.push_back(f.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos));
        if (bar == std::string::npos) break;
        pos = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].empty()) types_.emplace_back(parts[i], parts[i + 1]);
    if (types_.empty()) types_.emplace_back("All files (*.*)", "*");
}

std::string CFileDialog::GetFileName() const { return fs::path(path_).filename().string(); }
std::string CFileDialog::GetFileExt() const {
    const std::string e = fs::path(path_).extension().string();
    return e.empty() ? e : e.substr(1);
}
std::string CFileDialog::GetFileTitle() const { return fs::path(path_).stem().string(); }
std::string CFileDialog::GetFolderPath() const { return fs::path(path_).parent_path().string(); }

INT_PTR CFileDialog::DoModal() {
    using namespace vtl::win;
    DialogTemplate t;
    t.caption = !m_ofn.lpstrTitle.empty() ? m_ofn.lpstrTitle : (open_ ? "Open" : "Save As");
    t.width = 420;
    t.height = 300;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.controls = {
        control("STATIC", open_ ? "Look in:" : "Save in:", -1, {10, 12, 70, 28}, SS_LEFT),
        control("STATIC", "", kFolderId, {75, 12, 410, 28}, SS_LEFT | SS_NOPREFIX),
        control("LISTBOX", "", kListId, {10, 34, 410, 204}, WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY),
        control("STATIC", "File &name:", -1, {10, 216, 90, 232}, SS_LEFT),
        control("EDIT", "", kNameId, {95, 212, 320, 234}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
        control("STATIC", "Files of &type:", -1, {10, 246, 90, 262}, SS_LEFT),
        control("COMBOBOX", "", kTypeId, {95, 242, 320, 342}, WS_TABSTOP | CBS_DROPDOWNLIST),
        control("BUTTON", open_ ? "&Open" : "&Save", IDOK, {330, 211, 410, 235}, WS_TABSTOP | BS_DEFPUSHBUTTON),
        control("BUTTON", "Cancel", IDCANCEL, {330, 241, 410, 265}, WS_TABSTOP | BS_PUSHBUTTON),
    };
    path_.clear();
    const INT_PTR result = DoModalIndirect(t, WaitKind::FileDialog, t.caption);
    if (result != IDOK) path_.clear();
    return result;
}

BOOL CFileDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    auto* types = static_cast<CComboBox*>(GetDlgItem(kTypeId));
    for (const auto& [description, pattern] : types_) types->AddString(description.c_str());
    types->SetCurSel(type_);
    // The start folder: the one asked for, else the start name's, else the current one.
    std::error_code ec;
    fs::path start = m_ofn.lpstrInitialDir;
    fs::path name = startName_;
    if (name.has_parent_path()) {
        if (start.empty()) start = name.parent_path();
        name = name.filename();
    }
    if (start.empty() || !fs::is_directory(start, ec)) start = fs::current_path(ec);
    SetDlgItemText(kNameId, name.string().c_str());
    showFolder(fs::absolute(start, ec).lexically_normal().string());
    GetDlgItem(kNameId)->SetFocus();
    return FALSE;
}

bool CFileDialog::matches(const std::string& name) const {
    const std::string& patterns = types_[static_cast<std::size_t>(type_)].second;
    for (std::size_t pos = 0; pos <= patterns.size();) {
        const auto semi = patterns.find(';', pos);
        const std::string p = patterns.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos);
        if (wildcardMatch(p == "*.*" ? "*" : p, name)) return true;
        if (semi == std::string::npos) break;
        pos = semi + 1;
    }
    return false;
}

void CFileDialog::showFolder(const std::string& folder) {
    folder_ = folder;
    SetDlgItemText(kFolderId, folder.c_str());
    auto* list = static_cast<CListBox*>(GetDlgItem(kListId));
    list->ResetContent();
    std::vector<std::string> folders, files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_directory(ec)) folders.push_back(name);
        else if (matches(name)) files.push_back(name);
    }
    auto byName = [](const std::string& a, const std::string& b) {
        return vtl::win::detail::compareIgnoringCase(a, b) < 0;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    if (fs::path(folder).has_parent_path() && fs::path(folder) != fs::path(folder).root_path()) list->AddString("[..]");
    for (const auto& f : folders) list->AddString(("[" + f + "]").c_str());
    for (const auto& f : files) list->AddString(f.c_str());
}

BOOL CFileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    auto* list = static_cast<CListBox*>(GetDlgItem(kListId));
    if (id == kListId && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        const std::string item = list->GetText(list->GetCurSel());
        const bool isFolder = item.size() > 2 && item.front() == '[' && item.back() == ']';
        if (!isFolder) SetDlgItemText(kNameId, item.c_str());
        if (code == LBN_DBLCLK) {
            if (isFolder) {
                const std::string sub = item.substr(1, item.size() - 2);
                showFolder((sub == ".." ? fs::path(folder_).parent_path() : fs::path(folder_) / sub).string());
            } else {
                OnOK();
            }
        }
        return TRUE;
    }
    if (id == kTypeId && code == CBN_SELCHANGE) {
        type_ = std::max(0, static_cast<CComboBox*>(GetDlgItem(kTypeId))->GetCurSel());
        showFolder(folder_);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CFileDialog::OnOK() { choose(GetDlgItemText(kNameId)); }

void CFileDialog::choose(const std::string& typed) {
    if (typed.empty()) return;
    std::error_code ec;
    fs::path p = fs::path(typed).is_absolute() ? fs::path(typed) : fs::path(folder_) / typed;
    p = p.lexically_normal();
    if (fs::is_directory(p, ec)) {
        showFolder(p.string());
        SetDlgItemText(kNameId, "");
        return;
    }
    if (!p.has_extension() && !defaultExt_.empty()) p += "." + defaultExt_;
    const bool exists = fs::exists(p, ec);
    const std::string caption = GetWindowText();
    if (open_ && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !exists) {
        const std::string text = p.filename().string() + "\nFile not found.\nCheck the file name and try again.";
        ::MessageBox(m_hWnd, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if ((open_ || (m_ofn.Flags & OFN_PATHMUSTEXIST)) && !fs::is_directory(p.parent_path(), ec)) {
        const std::string text = p.parent_path().string() + "\nPath does not exist.\nCheck the path and try again.";
        ::MessageBox(m_hWnd, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!open_ && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && exists) {
        const std::string text = p.filename().string() + " already exists.\nDo you want to replace it?";
        if (::MessageBox(m_hWnd, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    }
    path_ = p.string();
    EndDialog(IDOK);
}
