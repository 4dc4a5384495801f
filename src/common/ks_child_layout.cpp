#include "common/ks_child_layout.h"

#include <cmath>

namespace vtl::ui {
namespace {
bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

RECT inParentClient(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(HWND(), parent, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int truncated(double v) { return static_cast<int>(std::trunc(v)); }

// One direction: the new leading and trailing edge for the flags, the growth and the ratio.
std::pair<int, int> place(int lead, int trail, int flags, int growth, double ratio) {
    int newLead;
    if (flags & KsChildLayout::kKeepLeading) newLead = lead;
    else if ((flags & KsChildLayout::kKeepSize) && (flags & KsChildLayout::kFollowTrailing)) newLead = lead + growth;
    else newLead = truncated(lead * ratio);
    int newTrail;
    if (flags & KsChildLayout::kFollowTrailing) newTrail = trail + growth;
    else if (flags & KsChildLayout::kKeepSize) newTrail = trail + (newLead - lead);
    else newTrail = truncated(trail * ratio);
    return {newLead, newTrail};
}
}  // namespace

void KsChildLayout::init(HWND parent) {
    entries_.clear();
    parent_ = parent;
    if (!IsWindow(parent)) return;
    GetWindowRect(parent, &initial_);
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (sameIgnoringCase(GetClassName(child), "ToolbarWindow32")) continue;
        add(child);
    }
}

int KsChildLayout::add(HWND window) {
    entries_.push_back({window, inParentClient(parent_, window), 0, 0});
    return count();
}

int KsChildLayout::setFlags(int childId, int horizontal, int vertical) {
    for (Entry& e : entries_) {
        if (IsWindow(e.window) && GetDlgCtrlID(e.window) == childId) {
            e.horizontal = horizontal;
            e.vertical = vertical;
            return 1;
        }
    }
    return 0;
}

int KsChildLayout::setFlags(HWND child, int horizontal, int vertical) {
    for (Entry& e : entries_) {
        if (e.window == child) {
            e.horizontal = horizontal;
            e.vertical = vertical;
            return 1;
        }
    }
    return 0;
}

void KsChildLayout::setAllFlags(int horizontal, int vertical) {
    for (Entry& e : entries_) {
        e.horizontal = horizontal;
        e.vertical = vertical;
    }
}

int KsChildLayout::setFlagsByClass(const std::string& className, int horizontal, int vertical) {
    int n = 0;
    for (Entry& e : entries_) {
        if (IsWindow(e.window) && sameIgnoringCase(GetClassName(e.window), className)) {
            e.horizontal = horizontal;
            e.vertical = vertical;
            ++n;
        }
    }
    return n;
}

void KsChildLayout::resize() {
    if (!IsWindow(parent_)) return;
    RECT now;
    GetWindowRect(parent_, &now);
    const int initialW = initial_.right - initial_.left, initialH = initial_.bottom - initial_.top;
    const int w = now.right - now.left, h = now.bottom - now.top;
    // A parent registered with no width or height scales nothing in that direction: offsets only.
    const double sx = initialW != 0 ? static_cast<double>(w) / initialW : 1.0;
    const double sy = initialH != 0 ? static_cast<double>(h) / initialH : 1.0;
    HDWP batch = BeginDeferWindowPos(count());
    for (const Entry& e : entries_) {
        if (!IsWindow(e.window)) continue;
        const auto [left, right] = place(e.rect.left, e.rect.right, e.horizontal, w - initialW, sx);
        const auto [top, bottom] = place(e.rect.top, e.rect.bottom, e.vertical, h - initialH, sy);
        batch = DeferWindowPos(batch, e.window, HWND(), left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(batch);
}

}  // namespace vtl::ui
