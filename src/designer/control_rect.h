#pragma once
// CControlRect: one drawn control of a designed dialog: a rectangle tracker that owns the control's child
// window. Its rectangle and the window's move together; the selected flag and the tracker serve the
// designer's editing surface.
#include "win/tracker.h"
#include "win/types.h"

class CControlRect : public CRectTracker {
public:
    // Takes ownership of `window` (destroyed with the object) at `rect` in the dialog's client area.
    CControlRect(HWND window, int resourceId, const RECT& rect);
    ~CControlRect() override;
    CControlRect(const CControlRect&) = delete;
    CControlRect& operator=(const CControlRect&) = delete;

    HWND window() const { return window_; }
    int resourceId() const { return resourceId_; }
    // Moves the rectangle and the window with it.
    void setRect(const RECT& rect);
    bool selected = false;
    // Where the rectangle's edges may be dragged (an empty rectangle: anywhere).
    CRect bounds;

protected:
    void AdjustRect(int hit, RECT* rect) override;
    // While a handle is dragged the window follows.
    void OnChangedRect(const CRect& old) override;

private:
    HWND window_;
    int resourceId_;
};

namespace vtl::designer {
// Keeps a rectangle being dragged inside `bounds` (nothing when `bounds` is empty): a moved rectangle
// (hitMiddle) is shifted back inside, as far as it fits; a dragged handle stops at the edge it reaches.
void keepRectInside(int hit, RECT& rect, const RECT& bounds);
}  // namespace vtl::designer
