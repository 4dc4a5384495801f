#include "macro/bolt_advanced_dialog.h"

#include <algorithm>
#include <utility>

#include "frame/host.h"
#include "macro/macro_tab_page.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/settings.h"
#include "vtlbase/text_functions.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_MACRO_BOLTADVANCED";
constexpr int kTriStates[] = {BoltAdvancedDialog::kWorkshopId, BoltAdvancedDialog::kTappedId, BoltAdvancedDialog::kCountersunkId,
                              BoltAdvancedDialog::kFlipId,     BoltAdvancedDialog::kSlotActiveId, BoltAdvancedDialog::kWasher1Id,
                              BoltAdvancedDialog::kWasher2Id,  BoltAdvancedDialog::kWashersId, BoltAdvancedDialog::kNut1Id,
                              BoltAdvancedDialog::kNut2Id};
constexpr int kSlotControls[] = {1117, 1119, 1113, 1118, 1114, 1022, 1124, 1125, 1122, 1324};
constexpr int kColouredLabels[] = {8665, 8667, 8669, 8672, 8675};
// Each nut and washer label with its box.
constexpr std::pair<int, int> kLabelBoxes[] = {{8669, BoltAdvancedDialog::kNut1Id},    {8667, BoltAdvancedDialog::kNut2Id},
                                               {8665, BoltAdvancedDialog::kWasher1Id}, {8675, BoltAdvancedDialog::kWasher2Id},
                                               {8672, BoltAdvancedDialog::kWashersId}};
constexpr struct {
    int id;
    int text;
} kTexts[] = {{1111, 275}, {1123, 278}, {1112, 328}, {1121, 277}, {1126, 242}, {1343, 984}, {1110, 674}, {1116, 985},
              {1115, 234}, {1095, 276}, {1365, 1477}, {1109, 986}, {1120, 761}, {1117, 328}, {1113, 987}, {1114, 988},
              {1124, 989}, {1122, 990}, {8665, 992}, {8675, 992}, {8672, 993}, {IDOK, 285}};
constexpr int kSlotChoices[] = {994, 995, 996};

// Selects `text` in a combo, adding it at the end first when it is missing (and not empty).
void selectText(CComboBox* combo, const Vtl_String& text) {
    int index = -1;
    for (int i = 0; i < combo->GetCount(); ++i)
        if (combo->GetLBText(i) == text.str()) index = i;
    if (index < 0 && !text.isEmpty()) index = combo->AddString(text.c_str());
    combo->SetCurSel(index);
}

Vtl_String chosenText(const CComboBox* combo) {
    const int index = combo->GetCurSel();
    return index >= 0 ? Vtl_String(combo->GetLBText(index)) : Vtl_String();
}

bool positiveNumber(const Vtl_String& text) {
    const auto v = parseNumber(text);
    return v && *v > 0;
}
}  // namespace

BoltAdvancedDialog::BoltAdvancedDialog(const MacroBoltData& bolt, const AcArray<double>& diameters, MacroTabPage* owner, CWnd* parent)
    : CDialog(IDD, parent), bolt_(bolt), diameters_(diameters), owner_(owner) {}

int BoltAdvancedDialog::firstInvalidSlot(const MacroBoltData& bolt) {
    for (int i = 0; i < bolt.slottedHoles.length(); ++i) {
        const MacroSlottedHole& s = bolt.slottedHoles[i];
        if (s.active == 1 && (!positiveNumber(s.firstSize) || !positiveNumber(s.length))) return i;
    }
    return -1;
}

BOOL BoltAdvancedDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey, 1);
    picture_.SubclassDlgItem(kPictureId, this);
    picture_.SetBitmapFile(gSettings.libDir() + "icons\\DrawBolt2.bmp", RGB(192, 192, 192));
    picture_.DrawBorder(false);
    picture_.DrawColoredWhenDisabled(true);  // an illustration, not a control to click
    picture_.EnableWindow(FALSE);
    SetWindowText(dialString(983).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    SetDlgItemText(8669, (dialString(991) + "1").c_str());
    SetDlgItemText(8667, (dialString(991) + "2").c_str());
    for (std::size_t i = 0; i < std::size(kColouredLabels); ++i) labels_[i].SubclassDlgItem(static_cast<UINT>(kColouredLabels[i]), this);
    // Escape closes; there is no Cancel to click.
    ::ShowWindow(::GetDlgItem(m_hWnd, IDCANCEL), SW_HIDE);
    auto* choice = static_cast<CComboBox*>(GetDlgItem(kSlotChoiceId));
    for (int text : kSlotChoices) choice->AddString(dialString(text).c_str());
    slots_.SubclassDlgItem(kSlotListId, this);

    holeGrid_.attachToDlgItem(this, kHoleGridId, false);
    holeGrid_.setStyle(1);
    holeGrid_.setOption(SS_SWITCH_ROW_HEADERS, false);
    holeGrid_.setColCount(2, false);
    // The tick column has no heading of its own: a blank, not the column's letter.
    holeGrid_.setColHeaders(Vtl_StringArray{Vtl_String(" "), dialString(242)});
    holeGrid_.setFitMode(4, 1, 28);

    filling_ = true;
    fillControls();
    slots_.SetCurSel(bolt_.slottedHoles.isEmpty() ? -1 : 0);
    currentSlot_ = 0;
    if (!bolt_.slottedHoles.isEmpty()) showSlot(0);
    filling_ = false;
    return TRUE;
}

int BoltAdvancedDialog::checkState(int id) const {
    const int state = static_cast<int>(::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0));
    return state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
}

void BoltAdvancedDialog::setCheck(int id, int state) {
    ::SendMessage(::GetDlgItem(m_hWnd, id), BM_SETCHECK, state == 1 ? BST_CHECKED : state == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

void BoltAdvancedDialog::fillControls() {
    const bool wasFilling = filling_;
    filling_ = true;
    auto* assembly = static_cast<CComboBox*>(GetDlgItem(kAssemblyId));
    auto* diameter = static_cast<CComboBox*>(GetDlgItem(kDiameterId));
    Vtl_StringArray assemblies;
    GetAssemblies(assemblies);
    FillCombo(assembly, assemblies);
    Vtl_StringArray diameters;
    for (int i = 0; i < diameters_.length(); ++i) diameters.append(Vtl_String(diameters_[i], 0));
    FillCombo(diameter, diameters);
    selectText(assembly, bolt_.assembly);
    selectText(diameter, bolt_.diameter);
    SetDlgItemText(kPenetrationId, bolt_.penetrationLength.c_str());
    SetDlgItemText(kAddedLengthId, bolt_.addedLength.c_str());
    SetDlgItemText(kHoleToleranceId, bolt_.holeTolerance.c_str());
    const bool hasOption = bolt_.optionCount > 0;
    EnDisCtrl(this, kOptionId, hasOption);
    SetDlgItemText(kOptionLabelId, dialString(hasOption ? 998 : 997).c_str());
    setCheck(kOptionId, bolt_.option ? 1 : 0);
    setCheck(kTappedId, bolt_.tapped);
    setCheck(kFlipId, bolt_.flipOrientation);
    setCheck(kCountersunkId, bolt_.countersunk);
    setCheck(kWorkshopId, bolt_.boltedInWorkshop);

    AcArray<bool> used;
    Vtl_StringArray texts;
    bolt_.getHoleColumns(used, texts);
    holeGrid_.setRedraw(false);
    holeGrid_.setRowCount(texts.length());
    holeGrid_.setCheckColumn(1, true, false);
    holeGrid_.setColumn(2, texts, false);
    holeGrid_.setColumnBools(1, used);
    holeGrid_.setChanged(false);
    holeGrid_.applyFitMode();
    holeGrid_.setRedraw(true);

    const int selected = slots_.GetCurSel();
    slots_.ResetContent();
    for (int i = 0; i < bolt_.slottedHoles.length(); ++i)
        slots_.AddItem(dialString(999) + " nr: " + Vtl_String(i + 1), bolt_.slottedHoles[i].active == 1);
    if (selected >= 0 && selected < slots_.GetCount()) slots_.SetCurSel(selected);

    for (auto [id, value] : {std::pair{kWasher1Id, bolt_.washer1}, {kWasher2Id, bolt_.washer2}, {kWashersId, bolt_.washers},
                             {kNut1Id, bolt_.nut1}, {kNut2Id, bolt_.nut2}}) {
        EnDisCtrl(this, id, value != -1);
        if (value != -1) setCheck(id, value);
    }
    filling_ = wasFilling;
}

void BoltAdvancedDialog::enableSlotControls(bool enable) {
    for (int id : kSlotControls) EnDisCtrl(this, id, enable);
}

void BoltAdvancedDialog::showSlot(int index) {
    if (index < 0 || index >= bolt_.slottedHoles.length()) return;
    currentSlot_ = index;
    const MacroSlottedHole& s = bolt_.slottedHoles[index];
    setCheck(kSlotActiveId, s.active);
    SetDlgItemText(kSlotSizeId, s.firstSize.c_str());
    SetDlgItemText(kSlotLengthId, s.length.c_str());
    SetDlgItemText(kSlotAngleId, s.angle.c_str());
    SetDlgItemText(kSlotFourthId, s.fourth.c_str());
    auto* choice = static_cast<CComboBox*>(GetDlgItem(kSlotChoiceId));
    choice->SetCurSel(s.choice < 0 ? choice->GetCount() - 1 : s.choice);
    enableSlotControls(checkState(kSlotActiveId) == 1);
}

void BoltAdvancedDialog::collectSlot() {
    if (currentSlot_ < 0 || currentSlot_ >= bolt_.slottedHoles.length()) return;
    MacroSlottedHole& s = bolt_.slottedHoles[currentSlot_];
    s.active = checkState(kSlotActiveId);
    s.firstSize = Vtl_String(GetDlgItemText(kSlotSizeId));
    s.length = Vtl_String(GetDlgItemText(kSlotLengthId));
    s.angle = Vtl_String(GetDlgItemText(kSlotAngleId));
    s.fourth = Vtl_String(GetDlgItemText(kSlotFourthId));
    s.choice = static_cast<CComboBox*>(GetDlgItem(kSlotChoiceId))->GetCurSel();
}

void BoltAdvancedDialog::collect() {
    bolt_.assembly = chosenText(static_cast<CComboBox*>(GetDlgItem(kAssemblyId)));
    bolt_.diameter = chosenText(static_cast<CComboBox*>(GetDlgItem(kDiameterId)));
    bolt_.penetrationLength = Vtl_String(GetDlgItemText(kPenetrationId));
    bolt_.addedLength = Vtl_String(GetDlgItemText(kAddedLengthId));
    bolt_.holeTolerance = Vtl_String(GetDlgItemText(kHoleToleranceId));
    if (bolt_.optionCount > 0) bolt_.option = checkState(kOptionId) == 1;
    bolt_.tapped = checkState(kTappedId);
    bolt_.flipOrientation = checkState(kFlipId);
    bolt_.countersunk = checkState(kCountersunkId);
    bolt_.boltedInWorkshop = checkState(kWorkshopId);
    if (holeGrid_.isEditing()) holeGrid_.setEditing(false);
    AcArray<bool> used;
    Vtl_StringArray texts;
    holeGrid_.getColumnBools(1, used);
    holeGrid_.getColumnTexts(2, texts);
    bolt_.setHoleColumns(used, texts);
    for (auto [id, field] : {std::pair{kWasher1Id, &bolt_.washer1}, {kWasher2Id, &bolt_.washer2}, {kWashersId, &bolt_.washers},
                             {kNut1Id, &bolt_.nut1}, {kNut2Id, &bolt_.nut2}})
        *field = ::IsWindowEnabled(::GetDlgItem(m_hWnd, id)) ? checkState(id) : -1;
    collectSlot();
}

bool BoltAdvancedDialog::validate() {
    const int bad = firstInvalidSlot(bolt_);
    if (bad < 0) return true;
    const Vtl_String text = dialString(1000) + " " + Vtl_String(bad + 1) + " " + dialString(1001) + "\n\n" + dialString(888) + ".";
    ::MessageBox(m_hWnd, text.c_str(), "Ongeldige waarde", MB_OK | MB_ICONWARNING);
    return false;
}

bool BoltAdvancedDialog::apply() {
    collect();
    if (!validate()) return false;
    if (!owner_) return true;
    owner_->storeBolt(bolt_);
    // What the drawing made of the values (normalised, or refused) shows at once.
    if (const MacroBoltData* stored = owner_->boltRecord()) bolt_ = *stored;
    fillControls();
    if (currentSlot_ >= 0 && currentSlot_ < bolt_.slottedHoles.length()) showSlot(currentSlot_);
    return true;
}

BOOL BoltAdvancedDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (filling_) return CDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED && std::find(std::begin(kTriStates), std::end(kTriStates), id) != std::end(kTriStates)) {
        disableTriState(GetDlgItem(id));
        if (id == kSlotActiveId) {
            const bool active = checkState(kSlotActiveId) == 1;
            enableSlotControls(active);
            const int item = slots_.GetCurSel();
            if (item >= 0) slots_.SetItemCheck(item, active);
        }
        apply();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kOptionId) {
        apply();
        return TRUE;
    }
    // A click on the label of a nut or washer acts as a click on its box (one that is not available stays).
    if (code == STN_CLICKED) {
        for (auto [label, box] : kLabelBoxes) {
            if (id != label) continue;
            if (::IsWindowEnabled(::GetDlgItem(m_hWnd, box))) changeCheckStatus(GetDlgItem(box));
            return TRUE;
        }
    }
    if (code == CBN_SELCHANGE && id == kSlotListId) {
        collectSlot();
        showSlot(slots_.GetCurSel());
        return TRUE;
    }
    if (code == CBN_SELCHANGE && (id == kAssemblyId || id == kDiameterId || id == kSlotChoiceId)) {
        apply();
        return TRUE;
    }
    // A hole column ticked or renamed is a change like any other.
    if (id == kHoleGridId && (code == SSN_CHECK_SET || code == SSN_CHECK_CLEARED || code == SSN_VALUE_CHANGED)) {
        apply();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL BoltAdvancedDialog::PreTranslateMessage(MSG* msg) {
    // Enter applies and keeps the dialog open; only the Close button closes it.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && ::IsChild(m_hWnd, msg->hwnd)) {
        const HWND focus = ::GetFocus();
        if (focus && ::GetDlgCtrlID(focus) == IDOK) return CDialog::PreTranslateMessage(msg);
        apply();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT BoltAdvancedDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) WriteDlgSize(this, kSizeKey);
    return CDialog::WindowProc(msg, wParam, lParam);
}

void BoltAdvancedDialog::OnOK() {
    if (apply()) CDialog::OnOK();
}

}  // namespace vtl::ui
