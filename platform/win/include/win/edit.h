#pragma once
// CEdit: single- and multi-line edit fields (class "EDIT"). Positions count code points.
#include "win/wnd.h"

class VTLWIN_API CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void ReplaceSel(const char* text, BOOL canUndo = FALSE);
    void SetLimitText(UINT max);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    int GetLineCount() const;
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
};
