#include "macro/macro_tab_page.h"

#include <algorithm>
#include <cmath>

#include "common/dialog_helpers.h"
#include "frame/module.h"
#include "macro/bolt_advanced_dialog.h"
#include "macro/macro_dialog.h"
#include "macro/pattern_dialog.h"
#include "vtlui/vtlui.h"
#include "vtlbase/text_functions.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/drawing/macro_operations.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::ui {
namespace {
// Selects `text` in a combo, adding it at the end first when it is not there (and not empty).
void selectText(CComboBox* combo, const Vtl_String& text) {
    if (!combo) return;
    if (text.isEmpty()) {
        combo->SetCurSel(-1);
        return;
    }
    int index = -1;
    for (int i = 0; i < combo->GetCount(); ++i)
        if (combo->GetLBText(i) == text.str()) index = i;
    if (index < 0) index = combo->AddString(text.c_str());
    combo->SetCurSel(index);
}

bool isEditableCombo(HWND h) {
    return h && GetClassName(h) == "COMBOBOX" && (static_cast<DWORD>(::GetWindowLongPtr(h, GWL_STYLE)) & CBS_DROPDOWNLIST) == CBS_DROPDOWN;
}

// The index of the offered diameter equal or nearest to `wanted` (the smaller of two as near); -1 when
// nothing is offered, 0 when `wanted` is no number.
int nearestDiameter(const Vtl_StringArray& offered, const Vtl_String& wanted) {
    if (offered.isEmpty()) return -1;
    const auto target = parseNumber(wanted);
    if (!target) return 0;
    int best = 0;
    double bestDistance = -1;
    for (int i = 0; i < offered.length(); ++i) {
        const auto d = parseNumber(offered[i]);
        if (!d) continue;
        const double distance = std::abs(*d - *target);
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}
}  // namespace

bool hasCountField(const MacroPatternProps& pattern) {
    int count = 0;
    return pattern.getCount(pattern.countText, count) || pattern.countText == dialString(695);
}

MacroDialog* MacroTabPage::owner() const { return dynamic_cast<MacroDialog*>(getDlgOwner(const_cast<MacroTabPage*>(this))); }

MacroData* MacroTabPage::macro() const {
    MacroDialog* o = owner();
    return o ? &o->macro() : nullptr;
}

MacroTabData* MacroTabPage::tab() const {
    MacroData* m = macro();
    if (!m || tabIndex_ < 0 || tabIndex_ >= m->tabs.length()) return nullptr;
    return &m->tabs[tabIndex_];
}

bool MacroTabPage::isBoltTab() const {
    const MacroTabData* t = tab();
    return t && t->kind == 1;
}

bool MacroTabPage::boltControlsVisible() const { return isBoltTab() && !hideBoltControls; }

int MacroTabPage::extraHeight() const { return boltControlsVisible() ? kBoltStrip : 0; }

BOOL MacroTabPage::OnInitDialog() {
    CDialog::OnInitDialog();
    grid_.attachToDlgItem(this, gridId_, true);
    initOwnControls();
    prepareGrid();
    fill();
    initialised_ = true;
    applyEnabled_ = true;
    return FALSE;
}

std::vector<int> MacroTabPage::ownControls() const { return {kAssemblyId, kDiameterId, kAdvancedId}; }

void MacroTabPage::initOwnControls() {
    SetDlgItemText(kAssemblyLabelId, dialString(275).c_str());
    SetDlgItemText(kDiameterLabelId, dialString(328).c_str());
    SetDlgItemText(kAdvancedId, dialString(968).c_str());
    if (isBoltTab()) {
        resizer_.Init(this);
        using A = CResizer;
        using E = ResizeEdge;
        for (int id : {kAssemblyLabelId, kDiameterLabelId})
            resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Left), A::parent(E::Bottom));
        for (int id : {kAssemblyId, kDiameterId})
            resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
        resizer_.Add(kAdvancedId, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    }
}

void MacroTabPage::fill() {
    MacroTabData* t = tab();
    if (!t) return;
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    grid_.setRedraw(false);
    t->removeAllDlgReferences();
    bindDesign();
    int w = 0;
    design_->getImageSize(w, designHeight_);
    fillGrid();
    grid_.setRedraw(true);
    fillBoltControls();
    setFlexFixStates();
    afterFill();
    layoutControls();
    applyEnabled_ = wasEnabled;
}

SIZE MacroTabPage::wantedSize() const {
    int w = 0, h = 0;
    design_->getImageSize(w, h);
    int width = std::max(w - 20, 310);
    int height = h + (gridVisible() ? 130 : 0) + extraHeight() - 20;
    return {width, std::max(height, 0)};
}

void MacroTabPage::layoutControls() {
    RECT client;
    GetClientRect(&client);
    const int top = designHeight_ + 2;
    const int height = client.bottom - top - extraHeight() - 4;
    if (grid_.isAttached()) ::MoveWindow(grid_.grid(), 3, top, std::max(0, static_cast<int>(client.right) - 6), std::max(0, height), TRUE);
    layoutOwnControls();
}

void MacroTabPage::layoutOwnControls() {
    if (isBoltTab()) resizer_.Move();
    for (int id : {kAssemblyLabelId, kDiameterLabelId, kAssemblyId, kDiameterId, kAdvancedId})
        ::ShowWindow(::GetDlgItem(m_hWnd, id), boltControlsVisible() ? SW_SHOW : SW_HIDE);
}

void MacroTabPage::fillBoltControls() {
    if (!boltControlsVisible()) return;
    MacroTabData* t = tab();
    auto* assembly = static_cast<CComboBox*>(GetDlgItem(kAssemblyId));
    auto* diameter = static_cast<CComboBox*>(GetDlgItem(kDiameterId));
    Vtl_StringArray assemblies;
    GetAssemblies(assemblies);
    FillCombo(assembly, assemblies);
    AcArray<double> diameters;
    GetMergedDiameters(*macro(), t->moduleName, diameters);
    Vtl_StringArray texts;
    for (int i = 0; i < diameters.length(); ++i) texts.append(Vtl_String(diameters[i], 0));
    FillCombo(diameter, texts);
    selectText(assembly, t->bolt.assembly);
    selectText(diameter, t->bolt.diameter);
}

void MacroTabPage::refillDiameters() {
    auto* assembly = static_cast<CComboBox*>(GetDlgItem(kAssemblyId));
    auto* diameter = static_cast<CComboBox*>(GetDlgItem(kDiameterId));
    const int chosen = assembly->GetCurSel();
    if (chosen < 0) return;
    const Vtl_String text(assembly->GetLBText(chosen));
    // The mixed assembly keeps the diameters every macro shares.
    if (text == dialString(695)) return;
    const int current = diameter->GetCurSel();
    const Vtl_String previous = current >= 0 ? Vtl_String(diameter->GetLBText(current)) : Vtl_String();
    Vtl_StringArray diameters;
    GetDiameters(text, diameters);
    FillCombo(diameter, diameters);
    // A diameter the new assembly does not come in is never offered: the nearest one it has is chosen.
    const int chosenDiameter = nearestDiameter(diameters, previous);
    diameter->SetCurSel(chosenDiameter);
}

void MacroTabPage::setFlexFixStates() {
    MacroTabData* t = tab();
    Vtl_StringArray groups;
    design_->getFlexBtnsGroups(groups);
    for (const Vtl_String& g : groups) {
        int index = 0;
        if (!t->findFlexFixGroup(g, index)) continue;
        const MacroFlexFixGroup& group = t->flexFixGroups[index];
        for (int b = 0; b < group.buttons.length(); ++b)
            design_->setFlexBtnStatus(g, group.buttons[b], b < group.flexible.length() && group.flexible[b] ? 1 : 0);
    }
}

void MacroTabPage::reload() {
    MacroTabData* t = tab();
    if (!t) return;
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    Vtl_Spread& g = grid_;
    setFlexFixStates();
    for (const MacroCell& c : t->cells) {
        if (c.reference < 0) g.setCellText(3, -c.reference, c.value);
        if (c.reference > 0) {
            design_->setCtrlValue(c.reference, c.value);
            design_->setCtrlReadOnly(c.reference, c.readOnly);
        }
    }
    for (const MacroCutData& c : t->cuts)
        if (c.reference > 0) design_->setCtrlValue(c.reference, Vtl_String(c.number));
    for (const MacroPatternProps& p : t->patterns) {
        if (p.nameReference < 0) g.setCellText(3, -p.nameReference, p.name);
        if (p.nameReference > 0) design_->setCtrlValue(p.nameReference, p.name);
        if (p.countReference < 0) g.setCellText(4, -p.countReference, p.countText);
        if (p.countReference > 0) design_->setCtrlValue(p.countReference, p.countText);
    }
    const MacroBoltData& b = t->bolt;
    for (auto [reference, value] : {std::pair{b.assemblyReference, &b.assembly}, {b.diameterReference, &b.diameter},
                                    {b.holeToleranceReference, &b.holeTolerance}, {b.penetrationReference, &b.penetrationLength},
                                    {b.addedLengthReference, &b.addedLength}})
        if (reference > 0) design_->setCtrlValue(reference, *value);
    fillBoltControls();
    for (const DynArrayData& a : t->arrays) {
        if (a.nameReference < 0) g.setCellText(3, -a.nameReference, a.name);
        if (a.nameReference > 0) design_->setCtrlValue(a.nameReference, a.name);
        for (int v = 0; v < 4; ++v)
            if (a.valueReferences[v] > 0) design_->setCtrlValue(a.valueReferences[v], a.values[v]);
        for (const DynArrayEntry& e : a.entries)
            if (e.reference > 0) design_->setCtrlValue(e.reference, e.text);
    }
    if (t->imageReference > 0) design_->setCtrlValue(t->imageReference, t->currentImage);
    g.setChanged(false);
    applyEnabled_ = wasEnabled;
}

void MacroTabPage::collect(MacroTabData& t) {
    collectGrid(t);
    Vtl_String value;
    for (MacroCell& c : t.cells) {
        // Edits, combos and check boxes show cells; value-solver buttons only point at them.
        Vtl_ControlType type = 0;
        if (c.reference > 0 && design_->getDynControlType(c.reference, type) && (type == 2 || type == 3 || type == 29) &&
            design_->getCtrlValue(c.reference, value))
            c.value = value;
    }
    for (MacroCutData& c : t.cuts)
        if (c.reference > 0 && design_->getCtrlValue(c.reference, value)) c.number = value.toInt();
    for (MacroPatternProps& p : t.patterns) {
        if (p.nameReference > 0 && design_->getCtrlValue(p.nameReference, value)) p.name = value;
        if (p.countReference > 0 && hasCountField(p) && design_->getCtrlValue(p.countReference, value)) p.countText = value;
    }
    MacroBoltData& b = t.bolt;
    for (auto [reference, field] : {std::pair{b.assemblyReference, &b.assembly}, {b.diameterReference, &b.diameter},
                                    {b.holeToleranceReference, &b.holeTolerance}, {b.penetrationReference, &b.penetrationLength},
                                    {b.addedLengthReference, &b.addedLength}})
        if (reference > 0 && design_->getCtrlValue(reference, value)) *field = value;
    for (DynArrayData& a : t.arrays) {
        if (a.nameReference > 0 && design_->getCtrlValue(a.nameReference, value)) a.name = value;
        for (int v = 0; v < 4; ++v)
            if (a.valueReferences[v] > 0 && design_->getCtrlValue(a.valueReferences[v], value)) a.values[v] = value;
        for (DynArrayEntry& e : a.entries)
            if (e.reference > 0 && design_->getCtrlValue(e.reference, value)) e.text = value;
    }
    if (boltControlsVisible()) {
        // The chosen items (a combo's field still shows the previous text while it reports the change).
        auto chosen = [this](int id) {
            auto* combo = static_cast<CComboBox*>(GetDlgItem(id));
            const int index = combo->GetCurSel();
            return index >= 0 ? Vtl_String(combo->GetLBText(index)) : Vtl_String(GetDlgItemText(id));
        };
        // Where a designed control shows the same value, the one the detailer chose last counts.
        if (b.assemblyReference <= 0 || assemblySource_ != BoltSource::designed) b.assembly = chosen(kAssemblyId);
        if (b.diameterReference <= 0 || diameterSource_ != BoltSource::designed) b.diameter = chosen(kDiameterId);
    }
}

void MacroTabPage::noteBoltEdit(int resourceId) {
    const MacroTabData* t = tab();
    if (!t) return;
    if (resourceId == kAssemblyId) assemblySource_ = BoltSource::own;
    else if (resourceId == kDiameterId) diameterSource_ = BoltSource::own;
    else if (resourceId == t->bolt.assemblyReference) assemblySource_ = BoltSource::designed;
    else if (resourceId == t->bolt.diameterReference) diameterSource_ = BoltSource::designed;
}

void MacroTabPage::apply() {
    MacroTabData* t = tab();
    if (!t || !applyEnabled_) return;
    applyEnabled_ = false;
    const MacroTabData before = *t;
    collect(*t);
    applyAgainst(before);
    applyEnabled_ = true;
}

void MacroTabPage::applyAgainst(const MacroTabData& before) {
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    MacroDialog* o = owner();
    MacroTabData* t = tab();
    if (o && t) {
        Vtl_StringArray names;
        AcArray<int> changes1, changes2;
        before.differences(*t, names, changes1, changes2);
        if (!changes1.isEmpty() || !changes2.isEmpty()) {
            const Vtl_String module = t->moduleName;
            if (UpdateModule(module, o->macro(), changes1, changes2)) clashcheck(o->dialogId(), o->macro().objectIds);
            o->reloadAllPages(true);
            acedPostCommandPrompt();
        }
    }
    // Applying is on again on every way out.
    applyEnabled_ = wasEnabled;
}

void MacroTabPage::applyPendingEdit() {
    if (applyEnabled_ && grid_.isEditing()) apply();
}

BOOL MacroTabPage::OnEraseBkgnd(CDC* dc) {
    if (design_->isInitialised() && design_->hasImage()) {
        RECT client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        design_->OnEraseBkgnd(dc);
        return TRUE;
    }
    return CDialog::OnEraseBkgnd(dc);
}

LRESULT MacroTabPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        if (initialised_) layoutControls();
        return r;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

HBRUSH MacroTabPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    // Designed labels let the picture show through.
    Vtl_ControlType type = -1;
    if (wnd && design_->getDynControlType(wnd->GetDlgCtrlID(), type) && (type == 0 || type == 1)) {
        dc->SetBkMode(TRANSPARENT);
        return GetStockObject(NULL_BRUSH);
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

BOOL MacroTabPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (!applyEnabled_) return CDialog::OnCommand(wParam, lParam);
    if (id == kAssemblyId && code == CBN_SELCHANGE && boltControlsVisible()) {
        noteBoltEdit(id);
        refillDiameters();
        apply();
        return TRUE;
    }
    if (id == kDiameterId && code == CBN_SELCHANGE && boltControlsVisible()) {
        noteBoltEdit(id);
        apply();
        return TRUE;
    }
    if (id == kAdvancedId && code == BN_CLICKED && isBoltTab()) {
        openBoltAdvanced();
        return TRUE;
    }
    if (id == gridId_) {
        if (code == SSN_VALUE_CHANGED || code == SSN_CHECK_SET || code == SSN_CHECK_CLEARED) apply();
        if (code == SSN_BUTTON_CLICKED) {
            int col = 0, row = 0;
            grid_.getNotifyCell(col, row);
            onPatternOrArrayButton(-row, false);
        }
        return TRUE;
    }
    if (design_->isADynControl(id)) {
        Vtl_ControlType type = 0;
        design_->getDynControlType(id, type);
        if (code == CBN_SELCHANGE) {
            noteBoltEdit(id);
            if (type == 27) onImageChosen(id);
            else apply();
            return TRUE;
        }
        // Leaving an edit, or the field of an editable combo, applies what was typed there.
        if (code == EN_KILLFOCUS || (code == CBN_KILLFOCUS && isEditableCombo(::GetDlgItem(m_hWnd, id)))) {
            noteBoltEdit(id);
            apply();
            return TRUE;
        }
        if (code == BN_CLICKED) {
            onDesignedClick(id);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void MacroTabPage::onDesignedClick(int resourceId) {
    Vtl_ControlType type = 0;
    design_->getDynControlType(resourceId, type);
    switch (type) {
    case 6:
        onPatternOrArrayButton(resourceId, true);
        break;
    case 24:
        onPatternOrArrayButton(resourceId, false);
        break;
    case 25:
    case 26:
        onValueSolver(resourceId);
        break;
    case 29:
        apply();
        break;
    case 30:
        onFlexButton(resourceId);
        break;
    default:
        break;
    }
}

void MacroTabPage::onFlexButton(int resourceId) {
    MacroTabData* t = tab();
    Vtl_String group, name;
    int index = 0, status = 0;
    if (!t || !design_->getFlexBtnGroupName(resourceId, group, name) || !design_->findFlexButton(group, name, index) ||
        !design_->getFlexBtnStatus(index, status) || (status != 0 && status != 1))
        return;
    const MacroTabData before = *t;
    if (t->flexFixBtnClicked(group, name, status != 0)) applyAgainst(before);
}

void MacroTabPage::onImageChosen(int resourceId) {
    MacroTabData* t = tab();
    const Vtl_DesignerControl* c = design_->getControlFromRes(resourceId);
    if (!t || !c) return;
    // The chosen item: the field still shows the previous one while the change is reported.
    Vtl_String chosen;
    design_->getCtrlValue(resourceId, chosen);
    // The mixed item stands for the differing images of several macros: choosing it swaps nothing.
    if (chosen.isEmpty() || chosen == dialString(695)) return;
    Vtl_String folder = c->listText;
    if (!folder.endsWith("\\")) folder += "\\";
    swapBlockRefs(*macro(), t->moduleName, folder + chosen + Vtl_String(".dwg"));
    if (MacroDialog* o = owner()) o->reloadAllPages(true);
}

void MacroTabPage::onPatternOrArrayButton(int reference, bool isPatternButton) {
    const MacroTabData* t = tab();
    if (!t) return;
    int index = 0;
    // A grid button cell stands for the array of that row, or else the pattern.
    if (!isPatternButton && t->findArrayWithBtnId(reference, index)) openArrayDialog(index);
    else if (t->findPatternWithBtnId(reference, index)) openPatternDialog(index);
}

const MacroBoltData* MacroTabPage::boltRecord() const {
    const MacroTabData* t = tab();
    return t ? &t->bolt : nullptr;
}

void MacroTabPage::storeBolt(const MacroBoltData& bolt) {
    MacroTabData* t = tab();
    if (!t) return;
    const MacroTabData before = *t;
    MacroBoltData stored = bolt;
    stored.assemblyReference = t->bolt.assemblyReference;
    stored.diameterReference = t->bolt.diameterReference;
    stored.holeToleranceReference = t->bolt.holeToleranceReference;
    stored.penetrationReference = t->bolt.penetrationReference;
    stored.addedLengthReference = t->bolt.addedLengthReference;
    t->bolt = stored;
    applyAgainst(before);
}

bool MacroTabPage::storePattern(int index, const MacroPatternProps& pattern) {
    MacroTabData* t = tab();
    if (!t || index < 0 || index >= t->patterns.length()) return false;
    const MacroTabData before = *t;
    MacroPatternProps stored = pattern;
    const MacroPatternProps& now = t->patterns[index];
    stored.nameReference = now.nameReference;
    stored.countReference = now.countReference;
    stored.buttonReference = now.buttonReference;
    t->patterns[index] = stored;
    applyAgainst(before);
    return true;
}

void MacroTabPage::openBoltAdvanced() {
    MacroTabData* t = tab();
    MacroData* m = macro();
    if (!t || !m || !isBoltTab()) return;
    // What the page shows counts: a diameter just chosen on the page opens in the dialog.
    apply();
    AcArray<double> diameters;
    GetMergedDiameters(*m, t->moduleName, diameters);
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    {
        KsTempResourceOverride::Scope resources(resourceOverride());
        MacroDialog::NestedLoop waiting(owner());
        BoltAdvancedDialog dlg(t->bolt, diameters, this, owner());
        dlg.DoModal();
    }
    applyEnabled_ = wasEnabled;
}

void MacroTabPage::openPatternDialog(int index) {
    MacroTabData* t = tab();
    if (!t || index < 0 || index >= t->patterns.length()) return;
    apply();
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    {
        KsTempResourceOverride::Scope resources(resourceOverride());
        MacroDialog::NestedLoop waiting(owner());
        PatternDialog dlg(this, index, t->patterns[index], owner());
        dlg.DoModal();
    }
    applyEnabled_ = wasEnabled;
}

void MacroTabPage::openArrayDialog(int index) {
    MacroTabData* t = tab();
    MacroData* m = macro();
    if (!t || !m || index < 0 || index >= t->arrays.length()) return;
    apply();
    t = tab();
    const MacroTabData before = *t;
    DynArrayData array = t->arrays[index];
    const bool wasEnabled = applyEnabled_;
    applyEnabled_ = false;
    bool ok = false;
    {
        MacroDialog::NestedLoop waiting(owner());
        ok = StartArrayDlg(array, m->objectIds, t->moduleName);
    }
    t = tab();
    if (ok && t && index < t->arrays.length()) {
        // The binding keys stay the page's: the array's name field and button, its values and entries.
        const DynArrayData& now = t->arrays[index];
        array.nameReference = now.nameReference;
        array.buttonReference = now.buttonReference;
        std::copy(std::begin(now.valueReferences), std::end(now.valueReferences), std::begin(array.valueReferences));
        for (int e = 0; e < array.entries.length(); ++e) array.entries[e].reference = e < now.entries.length() ? now.entries[e].reference : 0;
        t->arrays[index] = array;
        applyAgainst(before);
    }
    applyEnabled_ = wasEnabled;
}

}  // namespace vtl::ui
