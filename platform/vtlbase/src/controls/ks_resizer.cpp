// KsResizer: a resizer with name tags for groups of controls.
#include "vtlbase/controls/ks_resizer.h"

#include "win/api.h"

bool KsResizer::Init(CWnd* parent) {
    tags_.clear();
    return CResizer::Init(parent);
}

bool KsResizer::Add(const KsResizeControl& c) { return Add(c.id, c.left, c.top, c.right, c.bottom, c.tag); }

bool KsResizer::Add(int id, ResizeAnchor left, ResizeAnchor top, ResizeAnchor right, ResizeAnchor bottom,
                    const Vtl_String& tag) {
    if (!CResizer::Add(id, left, top, right, bottom)) return false;
    if (tag.length() > 0) tags_.emplace_back(id, tag);
    return true;
}

int KsResizer::ShowTagged(const Vtl_String& tag, bool show) {
    int n = 0;
    for (const auto& [id, t] : tags_) {
        if (!t.equal(tag) || !contains(id)) continue;
        ++n;
        if (const HWND h = ::GetDlgItem(parentWindow(), id)) ::ShowWindow(h, show ? SW_SHOW : SW_HIDE);
    }
    return n;
}

Vtl_String KsResizer::tagOf(int id) const {
    for (const auto& [i, t] : tags_)
        if (i == id && contains(id)) return t;
    return {};
}
