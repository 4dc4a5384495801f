#include "designer/control_rect.h"

#include "win/api.h"

CControlRect::CControlRect(HWND window, int resourceId, const RECT& rect)
    : CRectTracker(&rect, solidLine | resizeOutside), window_(window), resourceId_(resourceId) {
    m_nHandleSize = 5;
}

CControlRect::~CControlRect() {
    if (IsWindow(window_)) DestroyWindow(window_);
}
