#pragma once
// CRectTracker: a rectangle a person moves or resizes with the mouse, with eight handles outside it.
// Track and TrackRubberBand run the pump until the button is released (TRUE) or Escape or the right
// button cancels (FALSE, the rectangle unchanged).
#include "win/wnd.h"

class CDC;

class VTLWIN_API CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker() = default;
    CRectTracker(const RECT* rect, UINT style) : m_rect(*rect), m_nStyle(style) {}
    virtual ~CRectTracker() = default;

    CRect m_rect;
    UINT m_nStyle = solidLine | resizeOutside;
    int m_nHandleSize = 5;
    CSize m_sizeMin{0, 0};

    // Where a point (client coordinates of the tracked window) falls: a handle, the middle, or nothing.
    int HitTest(CPoint point) const;
    // The rectangle with its handles.
    void GetTrueRect(RECT* rect) const;
    // The rectangle of one handle.
    RECT handleRect(int hit) const;
    UINT GetHandleMask() const;
    void NormalizeRect() { m_rect.NormalizeRect(); }
    // TRUE when the point is over the tracker (the cursor would change shape there).
    BOOL SetCursor(CWnd* wnd, UINT hitTest) const;
    // Draws the outline (solid or dotted by the style; with handles outside, one pixel outside the rectangle,
    // so that it shows around a child window that fills the rectangle) and the eight handles, filled black.
    void Draw(CDC* dc) const;

    // Moves or resizes from the point the button went down at (client coordinates of `wnd`).
    BOOL Track(CWnd* wnd, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    // Draws a new rectangle from the point, following the mouse; TRUE when it is not empty.
    BOOL TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert = TRUE);

    // Called while tracking with the proposed rectangle; may change it.
    virtual void AdjustRect(int hit, RECT* rect);
    virtual void OnChangedRect(const CRect& old);

private:
    BOOL trackHandle(int hit, CWnd* wnd, CPoint point, bool allowInvert);
};
