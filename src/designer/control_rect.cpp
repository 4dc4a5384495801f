#include "designer/control_rect.h"

#include <algorithm>

#include "win/api.h"

CControlRect::CControlRect(HWND window, int resourceId, const RECT& rect)
    : CRectTracker(&rect, solidLine | resizeOutside), window_(window), resourceId_(resourceId) {
    m_nHandleSize = 5;
    m_sizeMin = CSize(1, 1);  // a control never shrinks to nothing under the mouse
}

CControlRect::~CControlRect() {
    if (IsWindow(window_)) DestroyWindow(window_);
}

void CControlRect::setRect(const RECT& rect) {
    m_rect = rect;
    if (IsWindow(window_))
        SetWindowPos(window_, HWND(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void CControlRect::AdjustRect(int hit, RECT* rect) {
    if (rect) vtl::designer::keepRectInside(hit, *rect, bounds);
}

void CControlRect::OnChangedRect(const CRect&) { setRect(m_rect); }

namespace vtl::designer {

void keepRectInside(int hit, RECT& r, const RECT& bounds) {
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
    if (hit == CRectTracker::hitMiddle) {
        // Right and bottom first, so that a rectangle larger than the bounds keeps its left and top inside.
        CRect moved = r;
        moved.OffsetRect(std::min(0, bounds.right - moved.right), std::min(0, bounds.bottom - moved.bottom));
        moved.OffsetRect(std::max(0, bounds.left - moved.left), std::max(0, bounds.top - moved.top));
        r = moved;
        return;
    }
    r.left = std::clamp(r.left, bounds.left, bounds.right);
    r.right = std::clamp(r.right, bounds.left, bounds.right);
    r.top = std::clamp(r.top, bounds.top, bounds.bottom);
    r.bottom = std::clamp(r.bottom, bounds.top, bounds.bottom);
}

}  // namespace vtl::designer
