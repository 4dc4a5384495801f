#include "vtlbase/dialog_size.h"

#include <algorithm>

#include "dialog_store.h"
#include "win/api.h"
#include "win/window_tree.h"

namespace {
using vtl::base::dialogs::Placement;

HWND windowOf(CWnd* dlg) {
    if (!dlg) return HWND{};
    const HWND h = dlg->GetSafeHwnd();
    return IsWindow(h) ? h : HWND{};
}

bool isWindow(HWND h) { return IsWindow(h) != FALSE; }

Placement placementOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
            static_cast<int>(r.bottom - r.top)};
}

// No larger than the screen, then moved to lie wholly on it.
Placement onScreen(Placement p) {
    const SIZE screen = vtl::win::screenSize();
    const int sw = std::max(1, static_cast<int>(screen.cx));
    const int sh = std::max(1, static_cast<int>(screen.cy));
    p.width = std::clamp(p.width, 1, sw);
    p.height = std::clamp(p.height, 1, sh);
    p.x = std::clamp(p.x, 0, sw - p.width);
    p.y = std::clamp(p.y, 0, sh - p.height);
    return p;
}
}  // namespace

bool getDlgSize(CWnd* dlg, int& width, int& height, int /*flag*/) {
    const HWND h = windowOf(dlg);
    if (!isWindow(h)) return false;
    const Placement p = placementOf(h);
    width = p.width;
    height = p.height;
    return true;
}

bool ChangeDlgSize(CWnd* dlg, const Vtl_String& name, int flag) {
    const HWND h = windowOf(dlg);
    if (!isWindow(h)) return false;
    const auto records = vtl::base::dialogs::load();
    const auto it = records.find(name.str());
    if (it == records.end() || !it->second.placement) return false;
    Placement wanted = *it->second.placement;
    const bool positionOnly = flag == 1;
    if (positionOnly) {
        const Placement now = placementOf(h);
        wanted.width = now.width;
        wanted.height = now.height;
    }
    wanted = onScreen(wanted);
    POINT topLeft{wanted.x, wanted.y};
    const HWND parent = GetParent(h);
    if ((GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) != 0 && isWindow(parent)) ScreenToClient(parent, &topLeft);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (positionOnly) flags |= SWP_NOSIZE;
    SetWindowPos(h, HWND_TOP, static_cast<int>(topLeft.x), static_cast<int>(topLeft.y), wanted.width, wanted.height,
                 flags);
    return true;
}

bool WriteDlgSize(CWnd* dlg, const Vtl_String& name) {
    const HWND h = windowOf(dlg);
    if (!isWindow(h) || name.isEmpty()) return false;
    const Placement p = placementOf(h);
    return vtl::base::dialogs::update(name.str(), [&](vtl::base::dialogs::Record& r) { r.placement = p; });
}

bool hasDlgSize(const Vtl_String& name) {
    const auto records = vtl::base::dialogs::load();
    const auto it = records.find(name.str());
    return it != records.end() && it->second.placement.has_value();
}

bool readDlgRegBool(const Vtl_String& name, const Vtl_String& key, bool& value) {
    const auto records = vtl::base::dialogs::load();
    const auto it = records.find(name.str());
    if (it == records.end()) return false;
    const auto flag = it->second.flags.find(key.str());
    if (flag == it->second.flags.end()) return false;
    value = flag->second;
    return true;
}

bool writeDlgRegBool(const Vtl_String& name, const Vtl_String& key, bool value) {
    if (name.isEmpty() || key.isEmpty()) return false;
    return vtl::base::dialogs::update(name.str(), [&](vtl::base::dialogs::Record& r) { r.flags[key.str()] = value; });
}
