// Vtl_DlgDesignerData at run time: the child windows of the controls over the background picture, the
// picture itself, values, read-only state, combo filling and the queries by resource id.
#include <algorithm>
#include <cmath>

#include "common/dialog_helpers.h"
#include "designer/control_rect.h"
#include "designer/control_types.h"
#include "designer/design_surface.h"
#include "frame/module.h"
#include "frame/vtlbase.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/dc.h"
#include "win/dialog.h"
#include "win/gdi.h"

namespace {
using vtl::designer::ControlKind;
using vtl::designer::controlKind;

constexpr int kMinDropDownHeight = 200;
constexpr int kFlexButtonIcon = 239;
constexpr int kMixedText = 695;  // the text of a value that differs between the records edited together

int rounded(double v) { return static_cast<int>(std::lround(std::clamp(v, -32767.0, 32767.0))); }

Vtl_String mixedText() { return dialString(kMixedText); }

// Window styles of a control's type.
void stylesOf(Vtl_ControlType type, DWORD& style, DWORD& exStyle) {
    style = WS_CHILD | WS_VISIBLE;
    exStyle = 0;
    switch (controlKind(type)) {
    case ControlKind::Edit:
        exStyle = WS_EX_CLIENTEDGE;
        style |= WS_TABSTOP | ((type == 4 || type == 5) ? (ES_MULTILINE | ES_AUTOVSCROLL) : ES_AUTOHSCROLL);
        break;
    case ControlKind::ComboBox:
        style |= WS_TABSTOP | WS_VSCROLL | ((type == 3 || type == 16) ? (CBS_DROPDOWN | CBS_AUTOHSCROLL) : CBS_DROPDOWNLIST);
        break;
    case ControlKind::Button:
        if (type == 1) style |= BS_GROUPBOX;
        else if (type == 30) style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_ICON | BS_VCENTER;
        else style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    default:
        style |= SS_LEFT;
        break;
    }
}

// What a control shows. A combo's chosen item counts even while its field still shows the previous
// text, as it does when the selection-change notification arrives.
std::string comboOrWindowText(HWND window, bool combo) {
    if (combo) {
        const LRESULT chosen = SendMessage(window, CB_GETCURSEL);
        if (chosen >= 0) {
            std::string text;
            SendMessage(window, CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(&text));
            return text;
        }
    }
    return GetWindowText(window);
}

// The texts of a combo's items.
std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    const int n = static_cast<int>(SendMessage(combo, CB_GETCOUNT));
    for (int i = 0; i < n; ++i) {
        std::string text;
        SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text));
        items.push_back(text);
    }
    return items;
}
}  // namespace

// ---- windows ----

void Vtl_DlgDesignerData::removeAllDrawnCtrls() {
    // Every drawn window goes, so that drawing again never leaves two windows with one id; the selection
    // tracker forgets them first.
    if (surface_) surface_->tracker.clear();
    drawnControls_.clear();
}

void Vtl_DlgDesignerData::redrawAllControls() {
    // At run time the tab order is sorted; in the designer the new windows start unselected.
    if (!designMode_) sortAllControls();
    removeAllDrawnCtrls();
    for (int i = 0; i < controls_.length(); ++i) drawControl(controls_[i]);
}

bool Vtl_DlgDesignerData::drawControl(Vtl_DesignerControl& control) {
    if (!initialised_ || !IsWindow(dialog_)) return false;
    // At run time a design without a picture has no size to draw its controls at.
    if (!designMode_ && !hasImage()) return false;
    RECT r{rounded(getTopLeftX(control)), rounded(getTopLeftY(control)), rounded(getBottomRightX(control)),
           rounded(getBottomRightY(control))};
    const ControlKind kind = controlKind(control.type);
    if (!designMode_ && kind == ControlKind::ComboBox && r.bottom - r.top < kMinDropDownHeight)
        r.bottom = r.top + kMinDropDownHeight;
    DWORD style = 0, exStyle = 0;
    stylesOf(control.type, style, exStyle);
    const HWND window = CreateWindowEx(exStyle, vtl::designer::controlKindClassName(kind), control.contents.c_str(), style,
                                       r.left, r.top, r.right - r.left, r.bottom - r.top, dialog_, control.resourceId);
    if (!window) return false;
    SendMessage(window, WM_SETFONT, SendMessage(dialog_, WM_GETFONT), 0);
    if ((designMode_ && kind != ControlKind::Static) || (!designMode_ && control.disabled)) EnableWindow(window, FALSE);
    drawnControls_.push_back(std::make_unique<CControlRect>(window, control.resourceId, r));
    if (designMode_ && surface_) {
        drawnControls_.back()->bounds = surface_->area;
        surface_->tracker.add(drawnControls_.back().get());
    }
    CDialog* dialog = getDlgPtr();
    if (kind == ControlKind::ComboBox) FillDesCombo(dialog, control);
    if (control.type == 28) setComboValue(control, control.contents);
    if (control.type == 29) setCheckValue(control, control.listText);
    if (control.type == 30) setBtnIcon(&control, 0);
    return true;
}

int Vtl_DlgDesignerData::OnEraseBkgnd(CDC* dc) {
    if (!initialised_ || !dc) return 0;
    if (designMode_) {
        RECT client;
        GetClientRect(dialog_, &client);
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    }
    if (image_) {
        const COLORREF white = RGB(255, 255, 255);
        dc->DrawBitmap(0, 0, image_, &white);
    }
    return 0;
}

// ---- look-ups ----

bool Vtl_DlgDesignerData::findDrawnCtrlFromResource(const int& resourceId, int& index, CControlRect*& drawn) const {
    for (std::size_t i = 0; i < drawnControls_.size(); ++i) {
        if (drawnControls_[i]->resourceId() == resourceId && IsWindow(drawnControls_[i]->window())) {
            index = static_cast<int>(i);
            drawn = drawnControls_[i].get();
            return true;
        }
    }
    return false;
}

bool Vtl_DlgDesignerData::getCtrlPtr(const int& index, CWnd*& window) const {
    if (index < 0 || index >= static_cast<int>(drawnControls_.size())) return false;
    const HWND h = drawnControls_[static_cast<std::size_t>(index)]->window();
    if (!IsWindow(h)) return false;
    window = CWnd::FromHandle(h);
    return window != nullptr;
}

bool Vtl_DlgDesignerData::isADynControl(const int& resourceId) const {
    int index = 0;
    CControlRect* drawn = nullptr;
    return findDrawnCtrlFromResource(resourceId, index, drawn);
}

bool Vtl_DlgDesignerData::getDynControlType(const int& resourceId, Vtl_ControlType& type) const {
    int index = 0;
    if (!findCtrlFromResource(resourceId, index)) return false;
    type = controls_[index].type;
    return true;
}

bool Vtl_DlgDesignerData::isTypeBoltCount(const int& resourceId) const {
    Vtl_ControlType type = 0;
    return getDynControlType(resourceId, type) && (type == 4 || type == 5);
}

bool Vtl_DlgDesignerData::getFocusedDynControl(int& resourceId) const {
    const HWND focus = vtl::ui::childWithFocus(dialog_);
    resourceId = focus ? GetDlgCtrlID(focus) : 0;
    int index = 0;
    return resourceId != 0 && findCtrlFromResource(resourceId, index);
}

// ---- values ----

bool Vtl_DlgDesignerData::getCtrlValue(const int& resourceId, Vtl_String& value) {
    int index = 0;
    CControlRect* drawn = nullptr;
    Vtl_DesignerControl* control = getControlFromRes(resourceId);
    if (!control || !findDrawnCtrlFromResource(resourceId, index, drawn)) return false;
    if (control->type == 29) return getCheckValue(*control, value);
    if (control->type == 28) return getComboValue(*control, value);
    value = Vtl_String(comboOrWindowText(drawn->window(), controlKind(control->type) == ControlKind::ComboBox));
    return true;
}

bool Vtl_DlgDesignerData::setCtrlValue(const int& resourceId, const Vtl_String& value) {
    int index = 0;
    CControlRect* drawn = nullptr;
    Vtl_DesignerControl* control = getControlFromRes(resourceId);
    if (!control || !findDrawnCtrlFromResource(resourceId, index, drawn)) return false;
    switch (control->type) {
    case 28:
        return setComboValue(*control, value);
    case 25:
    case 26:
        return true;  // cell buttons show their own caption
    case 29:
        return setCheckValue(*control, value);
    default:
        SetWindowText(drawn->window(), value.c_str());
        return true;
    }
}

bool Vtl_DlgDesignerData::setCtrlReadOnly(const int& resourceId, const bool& readOnly) {
    int index = 0;
    CControlRect* drawn = nullptr;
    const Vtl_DesignerControl* control = getControlFromRes(resourceId);
    if (!control || (control->type != 2 && control->type != 3) || !findDrawnCtrlFromResource(resourceId, index, drawn))
        return false;
    const bool enabled = IsWindowEnabled(drawn->window()) != FALSE;
    if (enabled == readOnly) EnableWindow(drawn->window(), readOnly ? FALSE : TRUE);
    return true;
}

bool Vtl_DlgDesignerData::getSetCheckValue(bool set, Vtl_DesignerControl& control, Vtl_String& value) {
    if (control.type != 29 && control.type != 30) return false;
    int index = 0;
    CControlRect* drawn = nullptr;
    if (!findDrawnCtrlFromResource(control.resourceId, index, drawn)) return false;
    const HWND button = drawn->window();
    if (!set) {
        const LRESULT state = SendMessage(button, BM_GETCHECK);
        value = state == BST_INDETERMINATE ? mixedText() : Vtl_String(state == BST_CHECKED ? "1" : "0");
        return true;
    }
    // The mixed text makes a three-state box showing the third state; anything else a two-state box.
    const bool mixed = value.equal(mixedText());
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(button, GWL_STYLE));
    const DWORD type = mixed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
    SetWindowLongPtr(button, GWL_STYLE, static_cast<LONG_PTR>((style & ~BS_TYPEMASK) | type));
    SendMessage(button, BM_SETCHECK, mixed ? BST_INDETERMINATE : (value.toDouble() > 0 ? BST_CHECKED : BST_UNCHECKED));
    return true;
}

bool Vtl_DlgDesignerData::getCheckValue(Vtl_DesignerControl& control, Vtl_String& value) {
    return getSetCheckValue(false, control, value);
}

bool Vtl_DlgDesignerData::setCheckValue(Vtl_DesignerControl& control, const Vtl_String& value) {
    Vtl_String copy = value;
    return getSetCheckValue(true, control, copy);
}

// The fixed choice list of type 28 ends with the mixed item; it stands for the mixed value -1 both ways,
// so keeping it never writes its position into the records.
bool Vtl_DlgDesignerData::getSetComboValue(bool set, Vtl_DesignerControl& control, Vtl_String& value) {
    if (control.type != 28) return false;
    int index = 0;
    CControlRect* drawn = nullptr;
    if (!findDrawnCtrlFromResource(control.resourceId, index, drawn)) return false;
    const HWND combo = drawn->window();
    const int mixedItem = static_cast<int>(SendMessage(combo, CB_GETCOUNT)) - 1;
    if (set) {
        int item = value.toInt();
        if (item == -1) item = mixedItem;
        SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(item));
        return true;
    }
    int item = static_cast<int>(SendMessage(combo, CB_GETCURSEL));
    if (item == mixedItem && mixedItem >= 0) item = -1;
    value = Vtl_String(item);
    return true;
}

bool Vtl_DlgDesignerData::getComboValue(Vtl_DesignerControl& control, Vtl_String& value) {
    return getSetComboValue(false, control, value);
}

bool Vtl_DlgDesignerData::setComboValue(Vtl_DesignerControl& control, const Vtl_String& value) {
    Vtl_String copy = value;
    return getSetComboValue(true, control, copy);
}

bool Vtl_DlgDesignerData::FillDesCombo(CDialog* dialog, Vtl_DesignerControl& control) {
    if (!dialog || !dialog->m_hWnd) return false;
    const HWND combo = ::GetDlgItem(dialog->m_hWnd, control.resourceId);
    if (!combo) return false;
    Vtl_StringArray items;
    if (control.type == 28) {
        for (int id : {1395, 1396, 1397, 1398, kMixedText}) items.append(dialString(id));
    } else {
        items = control.items;
        if (items.isEmpty()) control.getComboItemsFromFile(items);
    }
    if (items.isEmpty()) return true;
    FillCombo(dynamic_cast<CComboBox*>(CWnd::FromHandle(combo)), items);
    if (control.type == 28) return true;
    const auto filled = comboItems(combo);
    const auto match = std::find(filled.begin(), filled.end(), control.contents.str());
    if (match != filled.end()) SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(match - filled.begin()));
    else SetWindowText(combo, control.contents.c_str());
    return true;
}

bool Vtl_DlgDesignerData::setBtnIcon(Vtl_DesignerControl* control, int) {
    if (!control || controlKind(control->type) != ControlKind::Button) return false;
    int index = 0;
    CControlRect* drawn = nullptr;
    if (!findDrawnCtrlFromResource(control->resourceId, index, drawn)) return false;
    if (!flexBtnIcon_) {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        flexBtnIcon_ = LoadIcon(vtl::ui::moduleInstance(), kFlexButtonIcon);
    }
    if (!flexBtnIcon_) return false;
    SendMessage(drawn->window(), BM_SETIMAGE, IMAGE_ICON, static_cast<LPARAM>(flexBtnIcon_.value()));
    return true;
}
