#pragma once
// CTabCtrl: a row of tabs (class "SysTabControl32"); pages are child dialogs placed below the tabs.
#include <string>

#include "win/wnd.h"

class VTLWIN_API CTabCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int InsertItem(int index, const char* text, LPARAM param = 0);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    BOOL GetItemRect(int index, RECT* rect) const;
    std::string GetItemText(int index) const;
    LPARAM GetItemData(int index) const;
    // FALSE: the display area inside a window rectangle; TRUE: the window rectangle around a display area.
    void AdjustRect(BOOL larger, RECT* rect) const;
    int HitTest(POINT clientPoint) const;
};
