// Vtl_DlgDesignerData: flexible buttons, the designed tab order and the focus.
#include <algorithm>

#include "common/dialog_helpers.h"
#include "designer/control_rect.h"
#include "designer/control_types.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "win/api.h"
#include "win/keys.h"

// ---- flexible buttons ----

void Vtl_DlgDesignerData::getFlexBtnsGroups(Vtl_StringArray& groups) const {
    groups.removeAll();
    for (const Vtl_DesignerControl& c : controls_) {
        if (c.type != 30) continue;
        bool known = false;
        for (const Vtl_String& g : groups) known = known || g.equal(c.flexBtnPart1);
        if (!known) groups.append(c.flexBtnPart1);
    }
}

bool Vtl_DlgDesignerData::getFlexBtnsInGroup(const Vtl_String& group, AcArray<int>& all, AcArray<int>& marked) const {
    all.removeAll();
    marked.removeAll();
    if (group.isEmpty()) return true;
    for (int i = 0; i < controls_.length(); ++i) {
        const Vtl_DesignerControl& c = controls_[i];
        if (c.type != 30 || !c.flexBtnPart1.equal(group)) continue;
        all.append(i);
        if (!c.flexBtnPart3.isEmpty()) marked.append(i);
    }
    return true;
}

bool Vtl_DlgDesignerData::findFlexButton(const Vtl_String& group, const Vtl_String& name, int& index) const {
    for (int i = 0; i < controls_.length(); ++i) {
        const Vtl_DesignerControl& c = controls_[i];
        if (c.type == 30 && c.flexBtnPart1.equal(group) && c.contents.equal(name)) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Vtl_DlgDesignerData::getAllFlexVarsOfGroup(const Vtl_String& group, Vtl_StringArray& names) const {
    names.removeAll();
    for (const Vtl_DesignerControl& c : controls_)
        if (c.type == 30 && c.flexBtnPart1.equal(group)) names.append(c.contents);
    return true;
}

bool Vtl_DlgDesignerData::getFlexBtnGroupName(const int& resourceId, Vtl_String& group, Vtl_String& name) const {
    int index = 0;
    if (!findCtrlFromResource(resourceId, index) || controls_[index].type != 30) return false;
    group = controls_[index].flexBtnPart1;
    name = controls_[index].contents;
    return true;
}

bool Vtl_DlgDesignerData::getSetFlexBtnStatus(const bool& set, const int& index, int& status) {
    if (index < 0 || index >= controls_.length() || controls_[index].type != 30) return false;
    int drawnIndex = 0;
    CControlRect* drawn = nullptr;
    if (!findDrawnCtrlFromResource(controls_[index].resourceId, drawnIndex, drawn)) return false;
    if (set) {
        if (status == 2) status = 0;
        SendMessage(drawn->window(), BM_SETCHECK, static_cast<WPARAM>(status ? BST_CHECKED : BST_UNCHECKED));
    } else {
        status = SendMessage(drawn->window(), BM_GETCHECK) == BST_CHECKED ? 1 : 0;
    }
    return true;
}

bool Vtl_DlgDesignerData::getFlexBtnStatus(const int& index, int& status) { return getSetFlexBtnStatus(false, index, status); }

bool Vtl_DlgDesignerData::setFlexBtnStatus(const Vtl_String& group, const Vtl_String& name, const int& status) {
    int index = 0;
    if (!findFlexButton(group, name, index)) return false;
    int value = status;
    return getSetFlexBtnStatus(true, index, value);
}

bool Vtl_DlgDesignerData::hideAllFlexBtns(const Vtl_String& group) {
    CDialog* dialog = getDlgPtr();
    if (!dialog) return false;
    for (const Vtl_DesignerControl& c : controls_)
        if (c.type == 30 && c.flexBtnPart1.equal(group)) ShowOrHideCtrl(dialog, c.resourceId, false);
    return true;
}

// ---- tab order ----

void Vtl_DlgDesignerData::sortAllControls() {
    std::vector<int> candidates;
    for (int i = 0; i < controls_.length(); ++i) {
        const Vtl_DesignerControl& c = controls_[i];
        if (!c.disabled && c.type != 0 && c.type != 1) candidates.push_back(i);
    }
    int counter = 1;
    while (!candidates.empty()) {
        // The leader is the highest control left; its row is every control starting above its bottom.
        const auto leader = std::min_element(candidates.begin(), candidates.end(), [&](int a, int b) {
            return controls_[a].topLeftY < controls_[b].topLeftY;
        });
        // The leader always takes its place, so every pass shortens the list: a bottom edge that is
        // missing or above the top (a damaged file) gives a row of the leader and what starts level with it.
        const double top = controls_[*leader].topLeftY;
        const double bottom = std::max(top, controls_[*leader].bottomRightY);
        std::vector<int> row{*leader};
        std::vector<int> rest;
        for (int i : candidates)
            if (i != *leader) (controls_[i].topLeftY <= bottom ? row : rest).push_back(i);
        std::stable_sort(row.begin(), row.end(), [&](int a, int b) { return controls_[a].topLeftX < controls_[b].topLeftX; });
        for (int i : row) controls_[i].tabOrder = counter++;
        candidates = std::move(rest);
    }
}

bool Vtl_DlgDesignerData::findCtrlWithTabOrder(const int& order, int& index) const {
    for (int i = 0; i < controls_.length(); ++i) {
        if (controls_[i].tabOrder == order) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Vtl_DlgDesignerData::containsEditableCtrls() const {
    return std::any_of(controls_.begin(), controls_.end(), [](const Vtl_DesignerControl& c) { return !c.disabled; });
}

bool Vtl_DlgDesignerData::setFocusToCtrl(const int& index) {
    if (index < 0 || index >= controls_.length()) return false;
    int drawnIndex = 0;
    CControlRect* drawn = nullptr;
    if (!findDrawnCtrlFromResource(controls_[index].resourceId, drawnIndex, drawn)) return false;
    const HWND window = drawn->window();
    SetFocus(window);
    if (vtl::designer::controlKind(controls_[index].type) == vtl::designer::ControlKind::Edit) {
        SendMessage(window, EM_SETSEL, 0, -1);
        SendMessage(window, EM_SCROLLCARET);
    }
    return true;
}

bool Vtl_DlgDesignerData::setFocusToCtrl(bool first) {
    if (!containsEditableCtrls()) return false;
    int index = -1;
    if (first) {
        if (!findCtrlWithTabOrder(1, index)) return false;
    } else {
        int highest = 0;
        for (int i = 0; i < controls_.length(); ++i) {
            if (controls_[i].tabOrder > highest) {
                highest = controls_[i].tabOrder;
                index = i;
            }
        }
        if (index < 0) return false;
    }
    return setFocusToCtrl(index);
}

bool Vtl_DlgDesignerData::handleTabKey(const int& key, Vtl_TabMsgHandle& result) {
    result = Vtl_TabNotHandled;
    if (key != VK_TAB || !initialised_ || !containsEditableCtrls()) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // The field of an editable combo holds the focus for its combo.
    const HWND focus = vtl::ui::childWithFocus(dialog_);
    const int id = focus ? GetDlgCtrlID(focus) : 0;
    int index = 0;
    if (id == 0 || !findCtrlFromResource(id, index)) return false;
    const int order = controls_[index].tabOrder;
    int next = -1;
    if (shift) {
        if (order <= 1 || !findCtrlWithTabOrder(order - 1, next)) result = Vtl_TabBeforeFirst;
    } else if (!findCtrlWithTabOrder(order + 1, next)) {
        result = Vtl_TabAfterLast;
    }
    if (next >= 0) {
        setFocusToCtrl(next);
        result = Vtl_TabHandled;
    }
    return true;
}
