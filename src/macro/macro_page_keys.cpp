// The keyboard of a macro page and its focus memory. Tab walks three zones in turn: the designed controls
// in their designed order, the grid, and the page's own controls (assembly, diameter, advanced); a zone
// that is left at its end hands the focus to the next one.
#include "common/dialog_helpers.h"
#include "macro/macro_dialog.h"
#include "macro/macro_tab_page.h"
#include "win/api.h"
#include "win/edit.h"
#include "win/keys.h"

namespace vtl::ui {
namespace {
void selectAllIfEdit(HWND h) {
    if (GetClassName(h) == "EDIT") {
        ::SendMessage(h, EM_SETSEL, 0, -1);
        ::SendMessage(h, EM_SCROLLCARET);
    }
}
}  // namespace

int MacroTabPage::zoneOfFocus() const {
    // The page's control that holds the focus: the field of an editable combo stands for its combo, the
    // grid's cell editor for the grid.
    const HWND focus = childWithFocus(m_hWnd);
    if (!focus) return 0;
    if (design_->isADynControl(::GetDlgCtrlID(focus))) return 1;
    if (grid_.isAttached() && focus == grid_.grid()) return 2;
    for (int id : ownControls())
        if (focus == ::GetDlgItem(m_hWnd, id)) return 3;
    return 0;
}

bool MacroTabPage::enterZone(int zone, bool first) {
    switch (zone) {
    case 1:
        return design_->getNrDrawnControls() > 0 && design_->setFocusToCtrl(first);
    case 2:
        return gridVisible() && grid_.focusFirstOrLast(first);
    case 3: {
        std::vector<HWND> visible;
        for (int id : ownControls()) {
            const HWND h = ::GetDlgItem(m_hWnd, id);
            if (h && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) visible.push_back(h);
        }
        if (visible.empty()) return false;
        const HWND target = first ? visible.front() : visible.back();
        ::SetFocus(target);
        selectAllIfEdit(target);
        return true;
    }
    default:
        return false;
    }
}

bool MacroTabPage::tabKey(bool shift) {
    int zone = zoneOfFocus();
    bool leave = false;
    switch (zone) {
    case 1: {
        Vtl_TabMsgHandle result = Vtl_TabNotHandled;
        if (!design_->handleTabKey(VK_TAB, result)) return false;
        if (result == Vtl_TabHandled) return true;
        leave = true;
        break;
    }
    case 2: {
        int result = 1;
        if (!grid_.handleTabKey(VK_TAB, result)) return false;
        if (result == 0) return false;  // the grid moves within itself
        leave = true;
        break;
    }
    case 3: {
        std::vector<HWND> visible;
        for (int id : ownControls()) {
            const HWND h = ::GetDlgItem(m_hWnd, id);
            if (h && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) visible.push_back(h);
        }
        const HWND focus = childWithFocus(m_hWnd);
        std::size_t at = 0;
        while (at < visible.size() && visible[at] != focus) ++at;
        if (!shift && at + 1 < visible.size()) {
            ::SetFocus(visible[at + 1]);
            return true;
        }
        if (shift && at > 0 && at < visible.size()) {
            ::SetFocus(visible[at - 1]);
            return true;
        }
        leave = true;
        break;
    }
    default:
        zone = shift ? 1 : 3;  // entering the walk: forward starts at zone 1, backward at zone 3
        leave = true;
        break;
    }
    if (!leave) return false;
    // The next (or previous) zone in the cycle 1 -> 2 -> 3 -> 1 takes the focus; at most four are tried.
    for (int tries = 0; tries < 4; ++tries) {
        zone = shift ? (zone == 1 ? 3 : zone - 1) : (zone == 3 ? 1 : zone + 1);
        if (enterZone(zone, !shift)) return true;
    }
    return true;
}

bool MacroTabPage::focusFirstControl() { return enterZone(1, true) || enterZone(2, true) || enterZone(3, true); }

BOOL MacroTabPage::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
        case VK_TAB:
            if (tabKey(GetKeyState(VK_SHIFT) < 0)) return TRUE;
            break;
        case VK_RETURN:
            // In a grid cell being edited Enter commits the edit (the grid then reports the change); elsewhere
            // the page applies.
            if (zoneOfFocus() == 2 && grid_.isEditing()) return FALSE;
            if (applyEnabled_) apply();
            return TRUE;
        case VK_ESCAPE:
            // Escape closes the macro dialog as its Close box does, wherever on the page it is pressed (the
            // grid would keep it to cancel its cell's typing). Posted: the page goes with the dialog.
            if (MacroDialog* o = owner()) ::PostMessage(o->m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        case VK_F12:
            editDesign();
            return TRUE;
        default:
            break;
        }
    }
    if (msg->message == WM_KEYUP && msg->wParam == VK_SPACE && zoneOfFocus() == 1) {
        Vtl_ControlType type = 0;
        if (design_->getDynControlType(::GetDlgCtrlID(childWithFocus(m_hWnd)), type) && (type == 4 || type == 5) && applyEnabled_)
            apply();
    }
    return CDialog::PreTranslateMessage(msg);
}

void MacroTabPage::rememberFocus(TabFocusState& state) const {
    const HWND control = childWithFocus(m_hWnd);
    const HWND focus = ::GetFocus();
    state.controlId = 0;
    state.selectionStart = state.selectionEnd = 0;
    switch (zoneOfFocus()) {
    case 2: {
        state.kind = 2;
        grid_.getActiveCell(state.gridColumn, state.gridRow);
        break;
    }
    case 1: {
        state.kind = 1;
        state.controlId = ::GetDlgCtrlID(control);
        // The selection of the edit, or of an editable combo's field, that has the focus.
        if (::GetClassName(focus) == "EDIT") {
            DWORD a = 0, b = 0;
            ::SendMessage(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
            state.selectionStart = static_cast<int>(a);
            state.selectionEnd = static_cast<int>(b);
        }
        break;
    }
    default:
        state.kind = 3;
        if (control) state.controlId = ::GetDlgCtrlID(control);
        break;
    }
}

void MacroTabPage::restoreFocus(const TabFocusState& state) {
    switch (state.kind) {
    case 2:
        if (gridVisible()) {
            grid_.SetFocus();
            grid_.setActiveCell(state.gridColumn, state.gridRow);
        }
        break;
    case 1:
        if (const HWND control = state.controlId ? ::GetDlgItem(m_hWnd, state.controlId) : HWND()) {
            ::SetFocus(control);
            // The focus may have gone on to the control's field (an editable combo).
            const HWND focus = ::GetFocus();
            if (::GetClassName(focus) == "EDIT") {
                ::SendMessage(focus, EM_SETSEL, static_cast<WPARAM>(state.selectionStart), state.selectionEnd);
                ::SendMessage(focus, EM_SCROLLCARET);
            }
        }
        break;
    case 3:
        if (const HWND control = state.controlId ? ::GetDlgItem(m_hWnd, state.controlId) : HWND()) {
            ::SetFocus(control);
            selectAllIfEdit(control);
        }
        break;
    default:
        break;
    }
}

}  // namespace vtl::ui
