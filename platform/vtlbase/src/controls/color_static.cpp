// CColorStatic: a coloured label whose clicks reach the dialog.
#include "vtlbase/controls/color_static.h"

#include "win/api.h"
#include "win/dc.h"

BOOL CColorStatic::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!CWnd::SubclassDlgItem(id, parent)) return FALSE;
    ModifyStyle(0, SS_NOTIFY);
    return TRUE;
}

void CColorStatic::SetTextColor(COLORREF colour) {
    text_ = colour;
    if (m_hWnd) Invalidate();
}

void CColorStatic::SetBkColor(COLORREF colour) {
    background_ = colour;
    if (m_hWnd) Invalidate();
}

void CColorStatic::OnPaint() {
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(&r, resolveColour(background_));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? resolveColour(text_) : GetSysColor(COLOR_GRAYTEXT));
    const DWORD type = GetStyle() & SS_TYPEMASK;
    UINT format = DT_WORDBREAK | DT_NOPREFIX;
    if (type == SS_CENTER) format |= DT_CENTER;
    else if (type == SS_RIGHT) format |= DT_RIGHT;
    dc.DrawText(GetWindowText(), &r, format);
}
