#pragma once
// CListBox: single-selection lists of text items (class "LISTBOX").
#include <string>

#include "win/wnd.h"

class VTLWIN_API CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, std::string& text) const;
    std::string GetText(int index) const;
    int GetTextLen(int index) const;
    int FindString(int start, const char* prefix) const;
    int FindStringExact(int start, const char* text) const;
    int SelectString(int start, const char* prefix);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    int GetTopIndex() const;
    int SetTopIndex(int index);
    int GetItemRect(int index, RECT* rect) const;
    int GetItemHeight(int index) const;
    int SetItemHeight(int index, UINT height);
};
