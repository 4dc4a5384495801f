// Small services on dialog controls.
#include "vtlbase/controls/control_functions.h"

#include <algorithm>

#include "vtlbase/controls/button_st.h"
#include "win/api.h"

void FillCombo(CComboBox* combo, const Vtl_StringArray& items) {
    if (!combo || !combo->m_hWnd) return;
    combo->ResetContent();
    for (const Vtl_String& item : items) combo->AddString(item.c_str());
}

void FillList(CListBox* list, const Vtl_StringArray& items) {
    if (!list || !list->m_hWnd) return;
    list->ResetContent();
    for (const Vtl_String& item : items) list->AddString(item.c_str());
}

namespace {
HWND controlOf(CWnd* dlg, int id) { return dlg && dlg->m_hWnd ? ::GetDlgItem(dlg->m_hWnd, id) : HWND(); }
}  // namespace

bool EnDisCtrl(CWnd* dlg, int id, bool enable) {
    const HWND h = controlOf(dlg, id);
    if (!h) return false;
    ::EnableWindow(h, enable ? TRUE : FALSE);
    return true;
}

bool ShowOrHideCtrl(CWnd* dlg, int id, bool show) {
    const HWND h = controlOf(dlg, id);
    if (!h) return false;
    ::ShowWindow(h, show ? SW_SHOW : SW_HIDE);
    return true;
}

bool resizeCtrl(CWnd* dlg, int id, int dLeft, int dTop, int dRight, int dBottom) {
    const HWND h = controlOf(dlg, id);
    if (!h) return false;
    RECT r{};
    ::GetWindowRect(h, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ::MapWindowPoints(HWND(), ::GetParent(h), corners, 2);
    int left = corners[0].x + dLeft, top = corners[0].y + dTop;
    int right = corners[1].x + dRight, bottom = corners[1].y + dBottom;
    // An edge moved past its opposite meets it instead: the control becomes empty, never inverted.
    if (dLeft != 0) left = std::min(left, right);
    else right = std::max(right, left);
    if (dTop != 0) top = std::min(top, bottom);
    else bottom = std::max(bottom, top);
    ::MoveWindow(h, left, top, right - left, bottom - top, TRUE);
    return true;
}

bool CreateImageCheck(CWnd* dlg, CButtonST& button, int id, int bitmapId, const Vtl_String& tooltip) {
    if (!controlOf(dlg, id)) return false;
    if (!button.m_hWnd && !button.SubclassDlgItem(static_cast<UINT>(id), dlg)) return false;
    button.SetCheckBox(true);
    button.SetTooltipText(tooltip);
    return button.SetBitmap(bitmapId, RGB(192, 192, 192));
}

void disableTriState(CWnd* button) {
    if (!button || !button->m_hWnd) return;
    const DWORD type = button->GetStyle() & BS_TYPEMASK;
    if (type != BS_3STATE && type != BS_AUTO3STATE) return;
    const DWORD twoState = type == BS_AUTO3STATE ? BS_AUTOCHECKBOX : BS_CHECKBOX;
    const DWORD style = (button->GetStyle() & 0xFFFF & ~BS_TYPEMASK) | twoState;
    const bool wasIndeterminate = button->SendMessage(BM_GETCHECK) == BST_INDETERMINATE;
    button->SendMessage(BM_SETSTYLE, style, TRUE);
    // A two-state box cannot show "mixed": the click that led here went from checked to indeterminate,
    // which a two-state box shows as clear.
    if (wasIndeterminate) button->SendMessage(BM_SETCHECK, BST_UNCHECKED);
}

void changeCheckStatus(CWnd* button) {
    if (!button || !button->m_hWnd) return;
    const bool checked = button->SendMessage(BM_GETCHECK) == BST_CHECKED;
    button->SendMessage(BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED);
    if (!::IsWindow(button->m_hWnd)) return;
    const HWND parent = ::GetParent(button->m_hWnd);
    const int id = ::GetDlgCtrlID(button->m_hWnd);
    if (parent) ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), HandleToParam(button->m_hWnd));
}

CDialog* getDlgOwner(CWnd* window) {
    if (!window || !window->m_hWnd) return nullptr;
    HWND h = window->m_hWnd;
    // Up through pages and tab controls to the first window that is not a child.
    while (h && (::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
    if (!h) return nullptr;
    return dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(h));
}

Vtl_String GetWndClassName(HWND h) { return ::IsWindow(h) ? Vtl_String(::GetClassName(h)) : Vtl_String(); }
