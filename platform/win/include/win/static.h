#pragma once
// CStatic: labels, frames and pictures (class "STATIC").
#include "win/wnd.h"

class VTLWIN_API CStatic : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    // Pictures by handle; each answers the previous one.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
};
