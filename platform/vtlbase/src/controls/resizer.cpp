// CResizer: anchored placement of a dialog's controls on resizing.
#include "vtlbase/controls/resizer.h"

#include <algorithm>

#include "win/api.h"

namespace {
bool isHorizontal(ResizeEdge e) {
    return e == ResizeEdge::Left || e == ResizeEdge::Right || e == ResizeEdge::CentreX || e == ResizeEdge::ScaleX;
}
bool isScale(ResizeEdge e) { return e == ResizeEdge::ScaleX || e == ResizeEdge::ScaleY; }

SIZE clientSize(HWND h) {
    RECT r{};
    ::GetClientRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A child's rectangle in its parent's client coordinates.
bool childRect(HWND parent, int id, RECT& out) {
    const HWND h = ::GetDlgItem(parent, id);
    if (!h) return false;
    ::GetWindowRect(h, &out);
    POINT corners[2] = {{out.left, out.top}, {out.right, out.bottom}};
    ::MapWindowPoints(HWND(), parent, corners, 2);
    out = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return true;
}

int edgeOf(const RECT& r, ResizeEdge e) {
    switch (e) {
    case ResizeEdge::Left: return r.left;
    case ResizeEdge::Right: return r.right;
    case ResizeEdge::CentreX: return (r.left + r.right) / 2;
    case ResizeEdge::Top: return r.top;
    case ResizeEdge::Bottom: return r.bottom;
    case ResizeEdge::CentreY: return (r.top + r.bottom) / 2;
    default: return 0;
    }
}
}  // namespace

bool CResizer::Init(CWnd* parent) {
    entries_.clear();
    parent_ = parent && ::IsWindow(parent->m_hWnd) ? parent->m_hWnd : HWND();
    return static_cast<bool>(parent_);
}

bool CResizer::contains(int id) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
}

int CResizer::reference(const ResizeAnchor& anchor, const std::vector<std::pair<int, RECT>>& placed,
                        SIZE client) const {
    if (anchor.id == 0) {
        const RECT whole{0, 0, client.cx, client.cy};
        return edgeOf(whole, anchor.edge);
    }
    for (const auto& [id, rect] : placed)
        if (id == anchor.id) return edgeOf(rect, anchor.edge);
    RECT r{};
    return childRect(parent_, anchor.id, r) ? edgeOf(r, anchor.edge) : 0;
}

bool CResizer::measure(Side& side, int position, bool horizontal, int self) const {
    const ResizeAnchor& a = side.anchor;
    if (isHorizontal(a.edge) != horizontal) return false;
    if (a.id != 0 && (a.id == self || isScale(a.edge))) return false;
    RECT other{};
    if (a.id != 0 && !childRect(parent_, a.id, other)) return false;
    const SIZE client = clientSize(parent_);
    side.position = position;
    side.extent = horizontal ? client.cx : client.cy;
    side.offset = isScale(a.edge) ? 0 : position - reference(a, {}, client);
    return true;
}

bool CResizer::Add(int id, ResizeAnchor left, ResizeAnchor top, ResizeAnchor right, ResizeAnchor bottom) {
    if (!parent_ || !::IsWindow(parent_) || contains(id)) return false;
    RECT r{};
    if (!childRect(parent_, id, r)) return false;
    Entry e;
    e.id = id;
    e.left.anchor = left;
    e.top.anchor = top;
    e.right.anchor = right;
    e.bottom.anchor = bottom;
    if (!measure(e.left, r.left, true, id) || !measure(e.right, r.right, true, id) ||
        !measure(e.top, r.top, false, id) || !measure(e.bottom, r.bottom, false, id))
        return false;
    entries_.push_back(e);
    return true;
}

void CResizer::Move() {
    if (!parent_ || !::IsWindow(parent_)) return;
    const SIZE client = clientSize(parent_);
    std::vector<std::pair<int, RECT>> placed;
    placed.reserve(entries_.size());
    auto place = [&](const Side& s) {
        if (isScale(s.anchor.edge)) {
            // A zero extent when added cannot give a ratio: the side then keeps its place.
            const int now = s.anchor.edge == ResizeEdge::ScaleX ? client.cx : client.cy;
            if (s.extent <= 0) return s.position;
            return static_cast<int>(static_cast<long long>(s.position) * now / s.extent);
        }
        return reference(s.anchor, placed, client) + s.offset;
    };
    for (const Entry& e : entries_) {
        const HWND h = ::GetDlgItem(parent_, e.id);
        if (!h) continue;
        RECT r{place(e.left), place(e.top), place(e.right), place(e.bottom)};
        r.right = std::max(r.right, r.left);
        r.bottom = std::max(r.bottom, r.top);
        placed.emplace_back(e.id, r);
        RECT now{};
        childRect(parent_, e.id, now);
        if (now.left != r.left || now.top != r.top || now.right != r.right || now.bottom != r.bottom)
            ::MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}
