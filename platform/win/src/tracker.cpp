// CRectTracker: hit testing of the rectangle and its handles, and the tracking loop that follows the
// mouse through the pump while the button is down.
#include "win/tracker.h"

#include <algorithm>

#include "pump_internal.h"
#include "win/dc.h"
#include "win/keys.h"
#include "win/pump.h"

int CRectTracker::HitTest(CPoint point) const {
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (resizeOutside | resizeInside)) {
        CRectTracker normal(&r, m_nStyle);
        normal.m_nHandleSize = m_nHandleSize;
        for (int hit = hitTopLeft; hit <= hitLeft; ++hit)
            if (CRect(normal.handleRect(hit)).PtInRect(point)) return hit;
    }
    return r.PtInRect(point) ? hitMiddle : hitNothing;
}

RECT CRectTracker::handleRect(int hit) const {
    // Handles sit outside the rectangle: corners diagonally out, edge handles centred on the edge.
    const int s = m_nHandleSize;
    const CRect& r = m_rect;
    const bool inside = (m_nStyle & resizeInside) != 0;
    const int left = inside ? r.left : r.left - s;
    const int right = inside ? r.right - s : r.right;
    const int top = inside ? r.top : r.top - s;
    const int bottom = inside ? r.bottom - s : r.bottom;
    const int midX = (r.left + r.right) / 2 - s / 2;
    const int midY = (r.top + r.bottom) / 2 - s / 2;
    POINT p{};
    switch (hit) {
    case hitTopLeft: p = {left, top}; break;
    case hitTopRight: p = {right, top}; break;
    case hitBottomRight: p = {right, bottom}; break;
    case hitBottomLeft: p = {left, bottom}; break;
    case hitTop: p = {midX, top}; break;
    case hitRight: p = {right, midY}; break;
    case hitBottom: p = {midX, bottom}; break;
    case hitLeft: p = {left, midY}; break;
    default: return {};
    }
    return {p.x, p.y, p.x + s, p.y + s};
}

void CRectTracker::GetTrueRect(RECT* rect) const {
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & resizeOutside) r.InflateRect(m_nHandleSize, m_nHandleSize);
    *rect = r;
}

UINT CRectTracker::GetHandleMask() const { return (m_nStyle & (resizeOutside | resizeInside)) ? 0xFF : 0; }

BOOL CRectTracker::SetCursor(CWnd* wnd, UINT) const {
    if (!wnd) return FALSE;
    POINT p{};
    GetCursorPos(&p);
    wnd->ScreenToClient(&p);
    return HitTest(p) != hitNothing;
}

void CRectTracker::Draw(CDC* dc) const {
    if (!dc) return;
    CRect outline = m_rect;
    outline.NormalizeRect();
    if (m_nStyle & resizeOutside) outline.InflateRect(1, 1);
    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
        dc->SelectObject(&pen);
        const HBRUSH oldBrush = dc->SelectBrush(GetStockObject(NULL_BRUSH));
        dc->Rectangle(&outline);
        dc->SelectBrush(oldBrush);
    }
    if (GetHandleMask() == 0) return;
    CRect normal = m_rect;
    normal.NormalizeRect();
    CRectTracker shown(&normal, m_nStyle);
    shown.m_nHandleSize = m_nHandleSize;
    for (int hit = hitTopLeft; hit <= hitLeft; ++hit) {
        const RECT handle = shown.handleRect(hit);
        dc->FillSolidRect(&handle, RGB(0, 0, 0));
    }
}

void CRectTracker::AdjustRect(int, RECT*) {}
void CRectTracker::OnChangedRect(const CRect&) {}

BOOL CRectTracker::Track(CWnd* wnd, CPoint point, BOOL allowInvert, CWnd*) {
    const int hit = HitTest(point);
    if (hit == hitNothing || !wnd) return FALSE;
    return trackHandle(hit, wnd, point, allowInvert != FALSE);
}

BOOL CRectTracker::TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert) {
    if (!wnd) return FALSE;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    const BOOL ok = trackHandle(hitBottomRight, wnd, point, allowInvert != FALSE);
    NormalizeRect();
    return ok && !m_rect.IsRectEmpty();
}

BOOL CRectTracker::trackHandle(int hit, CWnd* wnd, CPoint point, bool allowInvert) {
    using namespace vtl::win;
    const CRect start = m_rect;
    const HWND h = wnd->m_hWnd;
    bool done = false, committed = false;
    auto follow = [&](CPoint now) {
        const int dx = now.x - point.x, dy = now.y - point.y;
        CRect r = start;
        switch (hit) {
        case hitMiddle: r.OffsetRect(dx, dy); break;
        case hitTopLeft: r.left += dx; r.top += dy; break;
        case hitTopRight: r.right += dx; r.top += dy; break;
        case hitBottomRight: r.right += dx; r.bottom += dy; break;
        case hitBottomLeft: r.left += dx; r.bottom += dy; break;
        case hitTop: r.top += dy; break;
        case hitRight: r.right += dx; break;
        case hitBottom: r.bottom += dy; break;
        case hitLeft: r.left += dx; break;
        default: break;
        }
        if (!allowInvert && hit != hitMiddle) {
            // The moved edges stop at the minimum size instead of passing the opposite edge.
            if (r.right - r.left < m_sizeMin.cx) {
                if (r.left != start.left) r.left = r.right - m_sizeMin.cx;
                else r.right = r.left + m_sizeMin.cx;
            }
            if (r.bottom - r.top < m_sizeMin.cy) {
                if (r.top != start.top) r.top = r.bottom - m_sizeMin.cy;
                else r.bottom = r.top + m_sizeMin.cy;
            }
        }
        AdjustRect(hit, &r);
        if (r != m_rect) {
            const CRect old = m_rect;
            m_rect = r;
            OnChangedRect(old);
        }
    };
    auto clientPoint = [h](POINT screen) {
        POINT p = screen;
        ScreenToClient(h, &p);
        return CPoint(p);
    };
    const HWND oldCapture = SetCapture(h);
    {
        detail::ScopedInputFilter filter([&](MSG& msg) {
            switch (msg.message) {
            case WM_MOUSEMOVE:
                follow(clientPoint(msg.pt));
                return true;
            case WM_LBUTTONUP:
                follow(clientPoint(msg.pt));
                committed = done = true;
                return true;
            case WM_RBUTTONDOWN:
                done = true;
                return true;
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) done = true;
                return true;
            case WM_LBUTTONDOWN:
            case WM_KEYUP:
            case WM_CHAR:
            case WM_RBUTTONUP:
                return true;
            default:
                return false;
            }
        });
        WaitInfo wait;
        wait.kind = WaitKind::Tracker;
        wait.window = h;
        wait.cancel = [&] { done = true; };
        runLoop(wait, [&] { return done || !IsWindow(h); });
    }
    if (GetCapture() == h) ReleaseCapture();
    (void)oldCapture;
    if (!committed) {
        m_rect = start;
        return FALSE;
    }
    return TRUE;
}
