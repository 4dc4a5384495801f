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
    bool selected = false;

private:
    HWND window_;
    int resourceId_;
};
