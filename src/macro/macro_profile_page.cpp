#include "macro/macro_profile_page.h"

#include <algorithm>

#include "common/section_pictures.h"
#include "frame/host.h"
#include "frame/module.h"
#include "macro/macro_dialog.h"
#include "macro/segmented_profile_dialog.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/drawing/macro_operations.h"
#include "vtlbase/sections/select_prof.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/window_tree.h"

namespace vtl::ui {
namespace {
constexpr int kPanelControls[] = {MacroProfilePage::kGroupLabelId,    MacroProfilePage::kSectionLabelId, MacroProfilePage::kOffsetLabelId,
                                  MacroProfilePage::kRotationLabelId, MacroProfilePage::kPlaneLabelId,   MacroProfilePage::kGroupId,
                                  MacroProfilePage::kObjectId,        MacroProfilePage::kSectionId,      MacroProfilePage::kOffsetTypeId,
                                  MacroProfilePage::kRotationId,      MacroProfilePage::kPlaneId,        MacroProfilePage::kChooseSectionId,
                                  MacroProfilePage::kAdvancedId,      MacroProfilePage::kPickPlaneId};
constexpr const char* kDegree = "°";

Vtl_StringArray rotationItems() {
    Vtl_StringArray items{"0°", "90°", "180°", "270°"};
    items.append(dialString(695));
    return items;
}

// "90°" and "90" are the same rotation.
Vtl_String withoutDegree(const Vtl_String& text) {
    std::string t = text.str();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.back())) t.pop_back();
    const std::string degree = kDegree;
    if (t.size() >= degree.size() && t.compare(t.size() - degree.size(), degree.size(), degree) == 0) t.resize(t.size() - degree.size());
    while (!t.empty() && blank(t.back())) t.pop_back();
    std::size_t first = 0;
    while (first < t.size() && blank(t[first])) ++first;
    return Vtl_String(t.substr(first));
}

// Runs the section selector on `initial`; the chosen system name (a user section relative to the library).
bool chooseSectionName(const Vtl_String& initial, Vtl_String& chosen) {
    DlgSelectProfData data;
    data.initialName = initial == dialString(695) ? Vtl_String() : initial;
    if (!DlgSelectProf(data, true)) return false;
    chosen = data.profName;
    const Vtl_String lib = gSettings.libDir();
    if (chosen.startsWith(lib, false)) chosen = chosen.getSubStringAt(lib.length());
    return !chosen.isEmpty();
}

CComboBox* combo(CWnd* page, int id) { return static_cast<CComboBox*>(page->GetDlgItem(id)); }

Vtl_String comboText(CWnd* page, int id) {
    CComboBox* c = combo(page, id);
    const int index = c->GetCurSel();
    return index >= 0 ? Vtl_String(c->GetLBText(index)) : Vtl_String(page->GetDlgItemText(id));
}
}  // namespace

std::vector<int> MacroProfilePage::ownControls() const {
    return {kGroupId, kObjectId, kSectionId, kChooseSectionId, kOffsetTypeId, kAdvancedId, kRotationId, kPlaneId, kPickPlaneId, kSegmentedId};
}

bool MacroProfilePage::commonPanel() const {
    const MacroTabData* t = tab();
    return t && !t->advBtnForEveryGroup();
}

int MacroProfilePage::extraHeight() const {
    const MacroTabData* t = tab();
    if (!t) return 0;
    if (commonPanel()) return kPanelHeight;
    return t->hasSegmentedProfs() ? kSegmentedStrip + 8 : 0;
}

void MacroProfilePage::initOwnControls() {
    SetDlgItemText(kGroupLabelId, dialString(1002).c_str());
    SetDlgItemText(kSectionLabelId, dialString(1003).c_str());
    SetDlgItemText(kChooseSectionId, dialString(969).c_str());
    SetDlgItemText(kOffsetLabelId, dialString(1004).c_str());
    SetDlgItemText(kRotationLabelId, (dialString(1005) + " (°):").c_str());
    SetDlgItemText(kPlaneLabelId, dialString(1006).c_str());
    SetDlgItemText(kAdvancedId, dialString(1007).c_str());
    SetDlgItemText(kPickPlaneId, dialString(1008).c_str());
    SetDlgItemText(kSegmentedId, dialString(1009).c_str());
    FillCombo(combo(this, kOffsetTypeId), getOffsetTypeStrings(false));
    FillCombo(combo(this, kRotationId), rotationItems());
    FillCombo(combo(this, kPlaneId), getBasePlaneStrings(false));
    // Where the template puts the panel's controls, relative to the panel's top (its first row).
    RECT group;
    ::GetWindowRect(::GetDlgItem(m_hWnd, kGroupId), &group);
    ScreenToClient(&group);
    for (int id : kPanelControls) {
        RECT r;
        ::GetWindowRect(::GetDlgItem(m_hWnd, id), &r);
        ScreenToClient(&r);
        panelPlaces_.push_back({id, {r.left, r.top - group.top, r.right, r.bottom - group.top}});
    }
    panelReady_ = true;
}

void MacroProfilePage::layoutOwnControls() {
    if (!panelReady_) return;
    RECT client;
    GetClientRect(&client);
    const bool panel = commonPanel();
    // The panel follows the design and the grid; without a grid it stands right below the design.
    const int bottomTop = client.bottom - kPanelHeight + 4;
    const int top = gridVisible() ? bottomTop : std::min(bottomTop, designHeight_ + 8);
    for (const auto& [id, r] : panelPlaces_) {
        const HWND h = ::GetDlgItem(m_hWnd, id);
        ::MoveWindow(h, r.left, top + r.top, r.right - r.left, r.bottom - r.top, TRUE);
        ::ShowWindow(h, panel ? SW_SHOW : SW_HIDE);
    }
    const MacroTabData* t = tab();
    const bool segmented = t && t->hasSegmentedProfs();
    const HWND button = ::GetDlgItem(m_hWnd, kSegmentedId);
    ::ShowWindow(button, segmented ? SW_SHOW : SW_HIDE);
    RECT r;
    ::GetWindowRect(button, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // Beside the position on the panel; without the panel alone at the bottom right.
    if (panel) ::MoveWindow(button, 298, top + 60, w, h, TRUE);
    else ::MoveWindow(button, client.right - w - 6, client.bottom - kSegmentedStrip - 6, w, kSegmentedStrip + 4, TRUE);
}

void MacroProfilePage::afterFill() { fillPanel(); }

Vtl_String MacroProfilePage::currentGroup() const {
    const MacroTabData* t = tab();
    if (!t) return {};
    Vtl_StringArray groups;
    t->getProfGroups(groups);
    const int index = combo(const_cast<MacroProfilePage*>(this), kGroupId)->GetCurSel();
    return index >= 0 && index < groups.length() ? groups[index] : Vtl_String();
}

AcDbObjectId MacroProfilePage::currentObject() const {
    const int index = combo(const_cast<MacroProfilePage*>(this), kObjectId)->GetCurSel();
    // Item 0 stands for every profile of the group.
    return index > 0 && index - 1 < groupObjects_.length() ? groupObjects_[index - 1] : AcDbObjectId();
}

bool MacroProfilePage::currentRecord(MacroProfData& record) const {
    const MacroTabData* t = tab();
    if (!t) return false;
    const AcDbObjectId object = currentObject();
    int index = 0;
    if (!object.isNull() && t->getProfDataIndx(object, index)) {
        record = t->profiles[index];
        return true;
    }
    const Vtl_String group = currentGroup();
    return !group.isEmpty() && t->getMergedPropsOfGroup(group, record);
}

bool MacroProfilePage::storeRecord(MacroTabData& t, const MacroProfData& record) const {
    const AcDbObjectId object = currentObject();
    int index = 0;
    if (!object.isNull() && t.getProfDataIndx(object, index)) {
        t.profiles[index] = record;
        return true;
    }
    const Vtl_String group = currentGroup();
    return !group.isEmpty() && t.setMergedPropsOfGroup(group, record);
}

void MacroProfilePage::fillPanel() {
    const MacroTabData* t = tab();
    if (!t) return;
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    Vtl_StringArray groups;
    t->getProfGroups(groups);
    FillCombo(combo(this, kGroupId), groups);
    combo(this, kGroupId)->SetCurSel(lastGroup_ >= 0 && lastGroup_ < groups.length() ? lastGroup_ : (groups.isEmpty() ? -1 : 0));
    lastGroup_ = combo(this, kGroupId)->GetCurSel();
    fillObjects();
    showRecord();
    applyEnabled_ = wasEnabled;
}

void MacroProfilePage::fillObjects() {
    const MacroTabData* t = tab();
    const Vtl_String group = currentGroup();
    t->getProfIdsOfGroup(group, groupObjects_);
    Vtl_StringArray items{dialString(1010)};
    int keep = 0;
    for (int i = 0; i < groupObjects_.length(); ++i) {
        int index = 0;
        const Vtl_String section = t->getProfDataIndx(groupObjects_[i], index) ? sectionUserName(t->profiles[index].sectionName) : Vtl_String();
        items.append(group + " " + Vtl_String(i + 1) + ": " + section);
        if (!lastObject_.isNull() && groupObjects_[i] == lastObject_) keep = i + 1;
    }
    FillCombo(combo(this, kObjectId), items);
    combo(this, kObjectId)->SetCurSel(keep);
    lastObject_ = currentObject();
}

void MacroProfilePage::showRecord() {
    MacroProfData record;
    if (!currentRecord(record)) {
        for (int id : {kSectionId, kOffsetTypeId, kRotationId, kPlaneId}) combo(this, id)->SetCurSel(-1);
        return;
    }
    if (record.sectionName == dialString(695)) {
        // Profiles of differing sections: the sizes of the first one's type are offered beside the mixed
        // item, which stays chosen until the detailer picks a size for the whole group.
        int first = 0;
        const MacroTabData* t = tab();
        const AcDbObjectId id = groupObjects_.isEmpty() ? AcDbObjectId() : groupObjects_[0];
        fillSectionCombo(combo(this, kSectionId), sectionValues_,
                         t && !id.isNull() && t->getProfDataIndx(id, first) ? t->profiles[first].sectionName : record.sectionName);
        combo(this, kSectionId)->SetCurSel(combo(this, kSectionId)->GetCount() - 1);
    } else {
        fillSectionCombo(combo(this, kSectionId), sectionValues_, record.sectionName);
    }
    combo(this, kOffsetTypeId)->SetCurSel(getDlgOffsetType(record.offsetType, record.offsetTypeMixed));
    const Vtl_StringArray rotations = rotationItems();
    int rotation = -1;
    for (int i = 0; i < rotations.length(); ++i)
        if (rotations[i] == record.rotation || (i < 4 && withoutDegree(rotations[i]) == record.rotation)) rotation = i;
    combo(this, kRotationId)->SetCurSel(rotation);
    if (rotation < 0) SetDlgItemText(kRotationId, record.rotation.c_str());
    int plane = 1;
    if (record.plane == dialString(695)) plane = 3;
    else if (!record.plane.isEmpty() || !record.planeObject.isNull()) plane = 0;
    combo(this, kPlaneId)->SetCurSel(plane);
}

bool MacroProfilePage::collectPanel(MacroProfData& record) const {
    auto* self = const_cast<MacroProfilePage*>(this);
    const MacroProfData before = record;
    Vtl_String section;
    if (selectedSectionValue(combo(self, kSectionId), sectionValues_, section) && !section.isEmpty() && !(section == dialString(695)))
        record.sectionName = section;
    const int offsetIndex = combo(self, kOffsetTypeId)->GetCurSel();
    if (offsetIndex >= 0 && offsetIndex != getDlgOffsetType(record.offsetType, record.offsetTypeMixed)) {
        const int type = getProfOffsetType(offsetIndex);
        if (type >= 0) {
            record.offsetType = type;
            record.offsetTypeMixed = false;
        }
    }
    const Vtl_String rotation = withoutDegree(Vtl_String(GetDlgItemText(kRotationId)));
    if (!rotation.isEmpty() && !(rotation == dialString(695))) record.rotation = rotation;
    if (comboText(self, kPlaneId) == dialString(697) && (!record.plane.isEmpty() || !record.planeObject.isNull())) {
        record.plane = Vtl_String();
        record.planeObject = AcDbObjectId();
    }
    return !(record == before);
}

void MacroProfilePage::collect(MacroTabData& t) {
    MacroTabPage::collect(t);
    collectDesignedProfiles(t);
    if (!commonPanel()) return;
    MacroProfData record;
    if (currentRecord(record) && collectPanel(record)) storeRecord(t, record);
}

void MacroProfilePage::collectDesignedProfiles(MacroTabData& t) {
    Vtl_StringArray groups;
    t.getProfGroups(groups);
    for (const Vtl_String& group : groups) {
        MacroProfData merged;
        if (!t.getMergedPropsOfGroup(group, merged)) continue;
        const MacroProfData before = merged;
        Vtl_String value;
        if (merged.sectionReference > 0 && design_->getCtrlValue(merged.sectionReference, value) && !value.isEmpty() &&
            !(value == dialString(695)))
            merged.sectionName = value;
        if (merged.offsetTypeReference > 0 && design_->getCtrlValue(merged.offsetTypeReference, value) && !(value == dialString(695))) {
            const int index = getOffsetTypeStrings(false).find(value);
            const int type = getProfOffsetType(index);
            if (type >= 0 && (type != merged.offsetType || merged.offsetTypeMixed)) {
                merged.offsetType = type;
                merged.offsetTypeMixed = false;
            }
        }
        if (merged.rotationReference > 0 && design_->getCtrlValue(merged.rotationReference, value)) {
            const Vtl_String rotation = withoutDegree(value);
            if (!rotation.isEmpty() && !(rotation == dialString(695))) merged.rotation = rotation;
        }
        if (!(merged == before)) t.setMergedPropsOfGroup(group, merged);
    }
}

void MacroProfilePage::reloadDesignedProfiles() {
    const MacroTabData* t = tab();
    Vtl_StringArray groups;
    t->getProfGroups(groups);
    const Vtl_StringArray offsets = getOffsetTypeStrings(false);
    for (const Vtl_String& group : groups) {
        MacroProfData merged;
        if (!t->getMergedPropsOfGroup(group, merged)) continue;
        if (merged.sectionReference > 0) design_->setCtrlValue(merged.sectionReference, merged.sectionName);
        if (merged.offsetTypeReference > 0) {
            const int index = getDlgOffsetType(merged.offsetType, merged.offsetTypeMixed);
            if (index >= 0 && index < offsets.length()) design_->setCtrlValue(merged.offsetTypeReference, offsets[index]);
        }
        if (merged.rotationReference > 0) design_->setCtrlValue(merged.rotationReference, merged.rotation);
    }
}

void MacroProfilePage::reload() {
    MacroTabPage::reload();
    if (!tab()) return;
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    reloadDesignedProfiles();
    fillPanel();
    layoutControls();
    applyEnabled_ = wasEnabled;
}

bool MacroProfilePage::pickInDrawing(const std::function<bool()>& body) {
    MacroDialog* o = owner();
    const HWND dialog = o ? o->m_hWnd : HWND();
    const HWND main = vtl::win::mainWindow();
    const bool enableMain = ::IsWindow(main) && !::IsWindowEnabled(main);
    if (enableMain) ::EnableWindow(main, TRUE);
    if (dialog) ::ShowWindow(dialog, SW_HIDE);
    vtl::host::focusMainWindow();
    bool done = false;
    try {
        done = body();
    } catch (...) {
        if (enableMain) ::EnableWindow(main, FALSE);
        if (dialog) ::ShowWindow(dialog, SW_SHOW);
        throw;
    }
    if (enableMain) ::EnableWindow(main, FALSE);
    if (dialog) {
        ::ShowWindow(dialog, SW_SHOW);
        ::SetActiveWindow(dialog);
    }
    return done;
}

void MacroProfilePage::onPlaneChosen(int index) {
    MacroTabData* t = tab();
    MacroProfData record;
    if (!t || !currentRecord(record)) return;
    if (index == 0 || index == 2) {
        AcDbObjectId object = record.planeObject;
        Vtl_String plane = record.plane;
        bool picked = false;
        if (index == 0) {
            picked = pickInDrawing([&] { return UserSelectPlane(object, plane); });
        } else {
            picked = pickInDrawing([&] { return selectCoordSys(object); });
            plane = "xp";
        }
        // A cancelled pick leaves the record as it was.
        if (!picked) {
            showRecord();
            return;
        }
        const MacroTabData before = *t;
        record.plane = plane;
        record.planeObject = object;
        storeRecord(*t, record);
        collectDesignedProfiles(*t);
        applyAgainst(before);
        return;
    }
    apply();
}

void MacroProfilePage::onChooseSection() {
    MacroTabData* t = tab();
    MacroProfData record;
    if (!t || !currentRecord(record)) return;
    Vtl_String chosen;
    bool ok = false;
    {
        MacroDialog::NestedLoop waiting(owner());
        ok = chooseSectionName(record.sectionName, chosen);
    }
    t = tab();
    if (!ok) return;
    if (!t) return;
    const MacroTabData before = *t;
    record.sectionName = chosen;
    storeRecord(*t, record);
    applyAgainst(before);
}

bool MacroProfilePage::advancedCallback(KsMACallBackType type, KsMACallBackData& data, MacroProfData& record) {
    MacroTabData* t = tab();
    MacroDialog* o = owner();
    if (!t) return false;
    switch (type) {
    case KsMACallBackRead:
        if (!data.groupName.isEmpty()) return t->getMergedPropsOfGroup(data.groupName, record);
        return currentRecord(record);
    case KsMACallBackStore: {
        const MacroTabData before = *t;
        if (!data.groupName.isEmpty()) t->setMergedPropsOfGroup(data.groupName, record);
        else storeRecord(*t, record);
        applyAgainst(before);
        t = tab();
        if (!t) return false;
        // The record shows what the drawing made of it.
        if (!data.groupName.isEmpty()) t->getMergedPropsOfGroup(data.groupName, record);
        else currentRecord(record);
        return true;
    }
    case KsMACallBackPickStart:
        if (o) o->ShowWindow(SW_HIDE);
        return true;
    case KsMACallBackPickEnd:
        if (o) o->ShowWindow(SW_SHOW);
        return true;
    }
    return false;
}

void MacroProfilePage::openAdvanced(const Vtl_String& group, bool readOnlyGroup) {
    MacroData* m = macro();
    MacroTabData* t = tab();
    if (!m || !t) return;
    apply();
    KsMACallBackData data;
    data.groupName = group;
    data.moduleName = t->moduleName;
    // The dialog offers a new coordinate system only for a macro being placed (its temporary flag).
    if (m->temporaryObject) data.initDataClass(*m);
    // A group the add-on asked for comes first.
    if (data.groupName.isEmpty() && m->currentProfGroupSet) data.groupName = m->currentProfGroup;
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    AcDbObjectId created;
    {
        KsTempResourceOverride::Scope resources(resourceOverride());
        MacroDialog::NestedLoop waiting(owner());
        ProfileAdvancedDialog dlg(
            data, [this](KsMACallBackType type, KsMACallBackData& d, MacroProfData& r) { return advancedCallback(type, d, r); }, this);
        dlg.readOnlyGroup = readOnlyGroup;
        dlg.DoModal();
        created = dlg.createdCoordSys();
    }
    if ((m = macro())) {
        m->currentProfGroupSet = false;
        m->currentProfGroup = Vtl_String();
    }
    applyEnabled_ = wasEnabled;
    reload();
    if (hasTemporaryObject_) {
        EraseObject(temporaryObject_);
        hasTemporaryObject_ = false;
    }
    if (!created.isNull()) EraseObject(created);
}

void MacroProfilePage::openSegmented() {
    MacroTabData* t = tab();
    if (!t) return;
    apply();
    t = tab();
    Vtl_Array<MacroProfSegmentedData> list = t->segmentedProfiles;
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    bool ok = false;
    {
        KsTempResourceOverride::Scope resources(resourceOverride());
        MacroDialog::NestedLoop waiting(owner());
        SegmentedProfileDialog dlg(list, owner());
        ok = dlg.DoModal() == IDOK;
        if (ok) list = dlg.profiles();
    }
    applyEnabled_ = wasEnabled;
    t = tab();
    if (!ok || !t) return;
    const MacroTabData before = *t;
    t->segmentedProfiles = list;
    applyAgainst(before);
}

void MacroProfilePage::onDesignedClick(int resourceId) {
    MacroTabData* t = tab();
    Vtl_ControlType type = 0;
    design_->getDynControlType(resourceId, type);
    int index = 0;
    if ((type == 14 || type == 17) && t && t->findProfDataWithCtrlResId(resourceId, index)) {
        const Vtl_String group = t->profiles[index].groupName;
        if (type == 17) {
            openAdvanced(group, true);
            return;
        }
        MacroProfData merged;
        if (!t->getMergedPropsOfGroup(group, merged)) return;
        Vtl_String chosen;
        bool ok = false;
        {
            MacroDialog::NestedLoop waiting(owner());
            ok = chooseSectionName(merged.sectionName, chosen);
        }
        if (!ok || !(t = tab())) return;
        const MacroTabData before = *t;
        merged.sectionName = chosen;
        t->setMergedPropsOfGroup(group, merged);
        applyAgainst(before);
        return;
    }
    MacroTabPage::onDesignedClick(resourceId);
}

BOOL MacroProfilePage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (!applyEnabled_) return CDialog::OnCommand(wParam, lParam);
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case kGroupId:
            lastGroup_ = combo(this, kGroupId)->GetCurSel();
            lastObject_ = AcDbObjectId();
            fillPanel();
            return TRUE;
        case kObjectId:
            lastObject_ = currentObject();
            fillPanel();
            return TRUE;
        case kSectionId:
        case kOffsetTypeId:
            apply();
            return TRUE;
        case kRotationId: {
            CComboBox* c = combo(this, kRotationId);
            const int index = c->GetCurSel();
            if (index >= 0) SetDlgItemText(kRotationId, c->GetLBText(index).c_str());
            apply();
            return TRUE;
        }
        case kPlaneId:
            onPlaneChosen(combo(this, kPlaneId)->GetCurSel());
            return TRUE;
        default:
            break;
        }
    }
    if (code == CBN_KILLFOCUS && id == kRotationId) {
        apply();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case kChooseSectionId:
            onChooseSection();
            return TRUE;
        case kPickPlaneId:
            onPlaneChosen(0);
            return TRUE;
        case kAdvancedId:
            openAdvanced(Vtl_String(), hasTemporaryObject_);
            return TRUE;
        case kSegmentedId:
            openSegmented();
            return TRUE;
        default:
            break;
        }
    }
    return MacroTabPage::OnCommand(wParam, lParam);
}

}  // namespace vtl::ui
