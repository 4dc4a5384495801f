// The member functions of the control classes: each sends its control the platform's messages.
#include "window_system.h"
#include "win/button.h"
#include "win/combo_box.h"
#include "win/edit.h"
#include "win/font.h"
#include "win/list_box.h"
#include "win/static.h"
#include "win/tab_ctrl.h"
#include "win/tool_tip.h"

BOOL CButton::Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "BUTTON", caption, style | WS_CHILD, rect, parent, id);
}
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL highlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight)); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT style, BOOL redraw) { SendMessage(BM_SETSTYLE, style, redraw); }
HICON CButton::SetIcon(HICON icon) {
    return HICON(static_cast<int>(SendMessage(BM_SETIMAGE, 1, icon.value())));
}
HICON CButton::GetIcon() const { return HICON(static_cast<int>(SendMessage(BM_GETIMAGE, 1))); }
HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
    return HBITMAP(static_cast<int>(SendMessage(BM_SETIMAGE, 0, bitmap.value())));
}
HBITMAP CButton::GetBitmap() const { return HBITMAP(static_cast<int>(SendMessage(BM_GETIMAGE, 0))); }
void CButton::Click() { SendMessage(BM_CLICK); }
void CButton::DrawItem(DRAWITEMSTRUCT*) {}
BOOL CButton::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
    if (msg != WM_DRAWITEM) return FALSE;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "EDIT", "", style | WS_CHILD, rect, parent, id);
}
void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(start)), end);
    if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::GetSel(int& start, int& end) const {
    DWORD a = 0, b = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    start = static_cast<int>(a);
    end = static_cast<int>(b);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
void CEdit::ReplaceSel(const char* text, BOOL) { SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text)); }
void CEdit::SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, modified); }

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "STATIC", text, style | WS_CHILD, rect, parent, id);
}

CFont::~CFont() { DeleteObject(); }
BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
    if (!lf) return FALSE;
    DeleteObject();
    font_ = ::CreateFontIndirect(*lf);
    return font_ ? TRUE : FALSE;
}
BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const char* faceName) {
    DeleteObject();
    font_ = ::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                         outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
    return font_ ? TRUE : FALSE;
}
BOOL CFont::DeleteObject() {
    if (!font_) return FALSE;
    const bool ok = ::DeleteObject(font_);
    font_ = HFONT();
    return ok ? TRUE : FALSE;
}
int CFont::GetLogFont(LOGFONT* lf) const {
    auto d = vtl::gfx::fontDescription(font_);
    if (!d || !lf) return 0;
    *lf = *d;
    return 1;
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
    return HBITMAP(static_cast<int>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, bitmap.value())));
}
HBITMAP CStatic::GetBitmap() const { return HBITMAP(static_cast<int>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP))); }
HICON CStatic::SetIcon(HICON icon) { return HICON(static_cast<int>(SendMessage(STM_SETICON, icon.value()))); }
HICON CStatic::GetIcon() const { return HICON(static_cast<int>(SendMessage(STM_GETICON))); }

namespace {
LPARAM textParam(const char* text) { return reinterpret_cast<LPARAM>(text ? text : ""); }
WPARAM indexParam(int index) { return static_cast<WPARAM>(static_cast<LONG_PTR>(index)); }
}  // namespace

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "COMBOBOX", "", style | WS_CHILD, rect, parent, id);
}
int CComboBox::AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, textParam(text))); }
int CComboBox::InsertString(int index, const char* text) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING, indexParam(index), textParam(text)));
}
int CComboBox::DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, indexParam(index))); }
int CComboBox::GetLBText(int index, std::string& text) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXT, indexParam(index), reinterpret_cast<LPARAM>(&text)));
}
std::string CComboBox::GetLBText(int index) const {
    std::string text;
    GetLBText(index, text);
    return text;
}
int CComboBox::GetLBTextLen(int index) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, indexParam(index))); }
int CComboBox::FindString(int start, const char* prefix) const {
    return static_cast<int>(SendMessage(CB_FINDSTRING, indexParam(start), textParam(prefix)));
}
int CComboBox::FindStringExact(int start, const char* text) const {
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, indexParam(start), textParam(text)));
}
int CComboBox::SelectString(int start, const char* prefix) {
    return static_cast<int>(SendMessage(CB_SELECTSTRING, indexParam(start), textParam(prefix)));
}
DWORD_PTR CComboBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, indexParam(index)));
}
int CComboBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(SendMessage(CB_SETITEMDATA, indexParam(index), static_cast<LPARAM>(data)));
}
void CComboBox::ShowDropDown(BOOL show) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
void CComboBox::GetDroppedControlRect(RECT* rect) const {
    SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect));
}
BOOL CComboBox::LimitText(int max) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(max))); }
void CComboBox::DrawItem(DRAWITEMSTRUCT*) {}
BOOL CComboBox::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
    if (msg != WM_DRAWITEM) return FALSE;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::SetEditSel(int start, int end) {
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end))));
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "LISTBOX", "", style | WS_CHILD, rect, parent, id);
}
int CListBox::AddString(const char* text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, textParam(text))); }
int CListBox::InsertString(int index, const char* text) {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, indexParam(index), textParam(text)));
}
int CListBox::DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, indexParam(index))); }
int CListBox::GetText(int index, std::string& text) const {
    return static_cast<int>(SendMessage(LB_GETTEXT, indexParam(index), reinterpret_cast<LPARAM>(&text)));
}
std::string CListBox::GetText(int index) const {
    std::string text;
    GetText(index, text);
    return text;
}
int CListBox::GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, indexParam(index))); }
int CListBox::FindString(int start, const char* prefix) const {
    return static_cast<int>(SendMessage(LB_FINDSTRING, indexParam(start), textParam(prefix)));
}
int CListBox::FindStringExact(int start, const char* text) const {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, indexParam(start), textParam(text)));
}
int CListBox::SelectString(int start, const char* prefix) {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, indexParam(start), textParam(prefix)));
}
DWORD_PTR CListBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, indexParam(index)));
}
int CListBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, indexParam(index), static_cast<LPARAM>(data)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, indexParam(index))); }
int CListBox::GetItemRect(int index, RECT* rect) const {
    return static_cast<int>(SendMessage(LB_GETITEMRECT, indexParam(index), reinterpret_cast<LPARAM>(rect)));
}
int CListBox::GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, indexParam(index))); }
int CListBox::SetItemHeight(int index, UINT height) {
    return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, indexParam(index), MAKELPARAM(static_cast<WORD>(height), 0)));
}

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "SysTabControl32", "", style | WS_CHILD, rect, parent, id);
}
int CTabCtrl::InsertItem(int index, const char* text, LPARAM param) {
    TCITEM item;
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text ? text : "";
    item.lParam = param;
    return static_cast<int>(SendMessage(TCM_INSERTITEM, indexParam(index), reinterpret_cast<LPARAM>(&item)));
}
BOOL CTabCtrl::DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, indexParam(index))); }
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, indexParam(index))); }
BOOL CTabCtrl::GetItemRect(int index, RECT* rect) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, indexParam(index), reinterpret_cast<LPARAM>(rect)));
}
std::string CTabCtrl::GetItemText(int index) const {
    TCITEM item;
    item.mask = TCIF_TEXT;
    SendMessage(TCM_GETITEM, indexParam(index), reinterpret_cast<LPARAM>(&item));
    return item.text;
}
LPARAM CTabCtrl::GetItemData(int index) const {
    TCITEM item;
    item.mask = TCIF_PARAM;
    SendMessage(TCM_GETITEM, indexParam(index), reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}
void CTabCtrl::AdjustRect(BOOL larger, RECT* rect) const {
    SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
}
int CTabCtrl::HitTest(POINT clientPoint) const {
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&clientPoint)));
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST, "tooltips_class32", "", WS_POPUP | style, CRect(0, 0, 0, 0), parent, 0);
}
namespace {
TOOLINFO toolOf(CWnd* tool, UINT_PTR id, const char* text) {
    TOOLINFO info;
    info.hwnd = tool ? tool->m_hWnd : HWND();
    info.uId = id ? id : static_cast<UINT_PTR>(info.hwnd.value());
    info.text = text ? text : "";
    return info;
}
}  // namespace
BOOL CToolTipCtrl::AddTool(CWnd* tool, const char* text, UINT_PTR id) {
    TOOLINFO info = toolOf(tool, id, text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}
void CToolTipCtrl::DelTool(CWnd* tool, UINT_PTR id) {
    TOOLINFO info = toolOf(tool, id, nullptr);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}
void CToolTipCtrl::UpdateTipText(const char* text, CWnd* tool, UINT_PTR id) {
    TOOLINFO info = toolOf(tool, id, text);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}
std::string CToolTipCtrl::GetText(CWnd* tool, UINT_PTR id) const {
    TOOLINFO info = toolOf(tool, id, nullptr);
    SendMessage(TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&info));
    return info.text;
}
int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
void CToolTipCtrl::Activate(BOOL activate) {
    active_ = activate != FALSE;
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate));
}
BOOL CToolTipCtrl::IsActive() const { return active_ ? TRUE : FALSE; }
void CToolTipCtrl::SetDelayTime(UINT delayMs) { SendMessage(TTM_SETDELAYTIME, 0, static_cast<LPARAM>(delayMs)); }
void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (msg && m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
