#pragma once
// CColorStatic: a label with its own text and background colours. A click on it reaches the dialog as
// STN_CLICKED (the label is made SS_NOTIFY), so a label can act for a check box beside it.
#include "vtlbase/export.h"
#include "win/gdi.h"
#include "win/static.h"

class VTLBASE_API CColorStatic : public CStatic {
public:
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    void SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return text_; }
    void SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return background_; }

protected:
    void OnPaint() override;

private:
    COLORREF text_ = RGB(0, 0, 0);
    COLORREF background_ = 0x80000000u | COLOR_BTNFACE;  // the dialog's face until set
};
