#pragma once
// CComboBox: drop-down combo boxes, with an edit field (CBS_DROPDOWN) or without (CBS_DROPDOWNLIST).
#include <string>

#include "win/wnd.h"

class VTLWIN_API CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // The text of item `index`; CB_ERR for a bad index.
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int FindString(int start, const char* prefix) const;
    int FindStringExact(int start, const char* text) const;
    int SelectString(int start, const char* prefix);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(RECT* rect) const;
    BOOL LimitText(int max);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int start, int end);
    // Draws one item of an owner-drawn combo box (CBS_OWNERDRAWFIXED): the field shows the selected item
    // (ODS_COMBOBOXEDIT), the dropped list each item; the base draws nothing.
    virtual void DrawItem(DRAWITEMSTRUCT* item);

protected:
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
