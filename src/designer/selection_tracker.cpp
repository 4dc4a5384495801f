#include "designer/selection_tracker.h"

#include <algorithm>

#include "win/api.h"
#include "win/gdi.h"

namespace vtl::designer {

// The selection is dragged as a whole: its rectangle has no handles, so a press anywhere inside moves it.
SelectionTracker::SelectionTracker() { m_nStyle = dottedLine; }

void SelectionTracker::add(CControlRect* drawn) {
    if (!drawn) return;
    registered_.push_back(drawn);
    if (drawn->selected) ++selectedCount_;
    SetWindowPos(drawn->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SelectionTracker::clear() {
    registered_.clear();
    selectedCount_ = 0;
}

CControlRect* SelectionTracker::at(int index) const {
    return index >= 0 && index < count() ? registered_[static_cast<std::size_t>(index)] : nullptr;
}

int SelectionTracker::hitTest(POINT point, int& hit) const {
    for (int i = 0; i < count(); ++i) {
        const CControlRect* drawn = registered_[static_cast<std::size_t>(i)];
        int h = drawn->HitTest(point);
        if (h != hitNothing && h != hitMiddle && !drawn->selected) {
            // A handle of a control that is not selected is not shown, so it does not count.
            CRect r = drawn->m_rect;
            r.NormalizeRect();
            h = r.PtInRect(point) ? hitMiddle : hitNothing;
        }
        if (h != hitNothing) {
            hit = h;
            return i;
        }
    }
    hit = hitNothing;
    return -1;
}

bool SelectionTracker::isSelected(int index) const {
    const CControlRect* drawn = at(index);
    return drawn && drawn->selected;
}

void SelectionTracker::setSelected(int index, bool selected) {
    CControlRect* drawn = at(index);
    if (!drawn || drawn->selected == selected) return;
    drawn->selected = selected;
    selectedCount_ += selected ? 1 : -1;
}

void SelectionTracker::clearSelection() {
    for (CControlRect* drawn : registered_) drawn->selected = false;
    selectedCount_ = 0;
}

std::vector<int> SelectionTracker::selection() const {
    std::vector<int> indices;
    indices.reserve(static_cast<std::size_t>(selectedCount_));
    for (int i = 0; i < count() && static_cast<int>(indices.size()) < selectedCount_; ++i)
        if (registered_[static_cast<std::size_t>(i)]->selected) indices.push_back(i);
    return indices;
}

int SelectionTracker::current() const {
    if (selectedCount_ != 1) return -1;
    for (int i = 0; i < count(); ++i)
        if (registered_[static_cast<std::size_t>(i)]->selected) return i;
    return -1;
}

bool SelectionTracker::boundingRect(CRect& rect) const {
    bool any = false;
    for (const CControlRect* drawn : registered_) {
        if (!drawn->selected) continue;
        CRect r = drawn->m_rect;
        r.NormalizeRect();
        if (!any) {
            rect = r;
            any = true;
            continue;
        }
        rect.left = std::min(rect.left, r.left);
        rect.top = std::min(rect.top, r.top);
        rect.right = std::max(rect.right, r.right);
        rect.bottom = std::max(rect.bottom, r.bottom);
    }
    return any;
}

void SelectionTracker::AdjustRect(int hit, RECT* rect) {
    if (rect) keepRectInside(hit, *rect, bounds);
}

void SelectionTracker::OnChangedRect(const CRect&) {
    if (IsWindow(surfaceWindow)) InvalidateRect(surfaceWindow, nullptr, TRUE);
}

}  // namespace vtl::designer
