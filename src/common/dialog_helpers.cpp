#include "common/dialog_helpers.h"

#include <filesystem>
#include <system_error>

#include "gfx/bitmap.h"
#include "vtlbase/files/paths.h"
#include "win/api.h"

namespace vtl::ui {

bool setupIconButton(CDialog* dialog, CButtonST* button, int controlId, int iconId, const Vtl_String& tooltip) {
    if (!dialog || !button) return false;
    button->SubclassDlgItem(static_cast<UINT>(controlId), dialog);
    button->SetFlat(false);
    button->SetFlatFocus(false);
    if (!tooltip.isEmpty()) button->SetTooltipText(tooltip, true);
    button->SetIcon(iconId);
    return true;
}

bool enableDlgItem(CDialog* dialog, int controlId, bool enable) {
    if (!dialog) return false;
    CWnd* control = dialog->GetDlgItem(controlId);
    if (!control) return false;
    control->EnableWindow(enable ? TRUE : FALSE);
    return true;
}

HWND childWithFocus(HWND parent) {
    HWND h = ::GetFocus();
    while (h && ::GetParent(h) != parent) h = ::GetParent(h);
    return h;
}

bool fileExists(const Vtl_String& path) {
    namespace fs = std::filesystem;
    const std::string native = base::files::nativePath(path.view());
    if (native.empty()) return false;
    const fs::path p(native);
    const std::string pattern = p.filename().string();
    if (pattern.find_first_of("*?") == std::string::npos) {
        std::error_code ec;
        return fs::is_regular_file(base::files::resolveCase(native), ec);
    }
    // A pattern matches the names of the folder's files, without regard to case.
    const std::string folder = base::files::resolveCase(p.has_parent_path() ? p.parent_path().string() : ".");
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (it->is_regular_file(fileEc) && base::files::wildcardMatch(pattern, it->path().filename().string())) return true;
    }
    return false;
}

bool getBitmapFileSize(const Vtl_String& path, int& width, int& height) {
    width = height = 0;
    const std::string native = base::files::resolve(path.view());
    if (native.empty()) return false;
    const HBITMAP bitmap = gfx::loadBitmapFile(native);
    if (!bitmap) return false;
    if (const auto size = gfx::bitmapSize(bitmap)) {
        width = size->cx;
        height = size->cy;
    }
    DeleteObject(bitmap);
    return width > 0 || height > 0;
}

}  // namespace vtl::ui
