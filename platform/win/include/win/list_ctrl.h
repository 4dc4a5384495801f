#pragma once
// CListCtrl: a list of items with pictures (class "SysListView32", icon view): one picture from an image
// list and a label per item, laid out in rows, single selection; clicks and double clicks reach the parent
// as WM_NOTIFY (NM_CLICK, NM_DBLCLK, LVN_ITEMCHANGED). CImageList keeps the pictures by handle.
#include <string>
#include <vector>

#include "win/messages.h"
#include "win/wnd.h"

using HIMAGELIST = vtl::gfx::Handle<struct ImageListTag>;

constexpr UINT ILC_COLOR24 = 0x18;
constexpr UINT ILC_MASK = 0x1;

VTLWIN_API HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
VTLWIN_API BOOL ImageList_Destroy(HIMAGELIST list);
// Adds a picture; answers its index, or -1.
VTLWIN_API int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
VTLWIN_API int ImageList_GetImageCount(HIMAGELIST list);
VTLWIN_API BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
VTLWIN_API HBITMAP ImageList_GetImage(HIMAGELIST list, int index);
VTLWIN_API BOOL ImageList_RemoveAll(HIMAGELIST list);

class VTLWIN_API CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    int Add(HBITMAP image, HBITMAP mask = HBITMAP());
    int GetImageCount() const;
    BOOL RemoveAll();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    HIMAGELIST m_hImageList;
};

// List view styles.
constexpr DWORD LVS_ICON = 0x0;
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_SMALLICON = 0x2;
constexpr DWORD LVS_LIST = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_AUTOARRANGE = 0x100;

// List view messages.
constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_GETITEM = LVM_FIRST + 5;
constexpr UINT LVM_SETITEM = LVM_FIRST + 6;
constexpr UINT LVM_INSERTITEM = LVM_FIRST + 7;
constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
constexpr UINT LVM_SETICONSPACING = LVM_FIRST + 53;
constexpr WPARAM LVSIL_NORMAL = 0;
constexpr UINT LVNI_ALL = 0x0;
constexpr UINT LVNI_FOCUSED = 0x1;
constexpr UINT LVNI_SELECTED = 0x2;
constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr UINT LVIF_TEXT = 0x1;
constexpr UINT LVIF_IMAGE = 0x2;
constexpr UINT LVIF_PARAM = 0x4;
constexpr UINT LVIF_STATE = 0x8;
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);

struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    std::string text;
    int iImage = 0;
    LPARAM lParam = 0;
};

// What NM_CLICK, NM_DBLCLK and LVN_ITEMCHANGED carry.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;
    LPARAM lParam = 0;
};
using NMITEMACTIVATE = NMLISTVIEW;

struct LVHITTESTINFO {
    POINT pt;
    UINT flags = 0;
    int iItem = -1;
};

class VTLWIN_API CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int InsertItem(int index, const char* text, int image = 0);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    // The next item after `start` (-1: from the first) with the state in `flags` (LVNI_SELECTED), or -1.
    int GetNextItem(int start, UINT flags) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    std::string GetItemText(int index, int subItem = 0) const;
    BOOL SetItemText(int index, int subItem, const char* text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    CImageList* SetImageList(CImageList* list, int kind = LVSIL_NORMAL);
    BOOL GetItemRect(int index, RECT* rect, UINT code = 0) const;
    BOOL EnsureVisible(int index, BOOL partialOk = FALSE);
    void SetIconSpacing(int cx, int cy);
    int HitTest(CPoint clientPoint) const;
    BOOL RedrawItems(int first, int last);

private:
    CImageList* images_ = nullptr;
};
