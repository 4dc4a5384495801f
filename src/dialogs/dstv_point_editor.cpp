#include "dialogs/dstv_point_editor.h"

#include "common/new_name_prompt.h"
#include "vtlbase/controls/control_functions.h"
#include "win/combo_box.h"

namespace vtl::ui {
namespace {
constexpr int kCaption = 844;
constexpr int kNewPointPrompt = 855;
constexpr int kDiameterAddedText = 859;
constexpr int kHoleDiameterText = 860;
constexpr int kAnyPlateText = 854;
constexpr int kPlateText = 10157;       // second table: "Plate "
constexpr int kSelectedPlateText = 1496;
constexpr int kFirstSideText = 10046;   // second table: the four sides in order
constexpr int kDecimals = 3;
constexpr struct {
    int id;
    int text;
} kTexts[] = {{1326, 845}, {1175, 846}, {1123, 221}, {1355, 847}, {1356, 848}, {1333, 849}, {1335, 850},
              {1124, 851}, {1336, 852}, {1337, 853}, {IDOK, 1},     {IDCANCEL, 2}};
// Every field of a point, disabled while no point is shown.
constexpr int kPointFields[] = {1000, 1355, 1330, 1338, 1356, 1332, 1333, 1334, 1001, 1336, 1337, 1125, 1002};
}  // namespace

DstvPointEditor::DstvPointEditor(const Vtl_Array<Vtl_DstvPointInfo>& points, CWnd* parent)
    : CDialog(IDD, parent), points_(points) {}

BOOL DstvPointEditor::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(kCaption).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    Vtl_StringArray sides;
    for (int side = kDstvSideTop; side <= kDstvSideBack; ++side) sides.append(string(kFirstSideText + side));
    for (int id : {kExtentSide1Id, kExtentSide2Id, kIntersectionSideId})
        FillCombo(static_cast<CComboBox*>(GetDlgItem(id)), sides);
    const Vtl_String plate = string(kPlateText);
    FillCombo(static_cast<CComboBox*>(GetDlgItem(kPlateId)),
              Vtl_StringArray{dialString(kAnyPlateText), plate + "1", plate + "2",
                              plate + "3" + " (" + dialString(kSelectedPlateText) + ")", plate + "4"});
    fillPoints(0);
    showNoPoint();
    showPoint(0);
    return TRUE;
}

BOOL DstvPointEditor::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (id) {
    case kPointsId:
        if (code != CBN_SELCHANGE) break;
        storeCurrentPoint();
        showPoint(static_cast<CComboBox*>(GetDlgItem(kPointsId))->GetCurSel());
        return TRUE;
    case kExtentSide1Id:
    case kExtentSide2Id:
        if (code == CBN_SELCHANGE) keepExtentSidesApart(id);
        break;
    case kAddId:
        if (code == BN_CLICKED) onAdd();
        return TRUE;
    case kRemoveId:
        if (code == BN_CLICKED) onRemove();
        return TRUE;
    case kByExtentId:
    case kByIntersectionId:
    case kDrillId:
        if (code == BN_CLICKED && current_ >= 0) applyEnableRules();
        break;
    case kByThicknessId:
        if (code == BN_CLICKED) updateDiameterLabel();
        break;
    default: break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void DstvPointEditor::OnOK() {
    storeCurrentPoint();
    CDialog::OnOK();
}

void DstvPointEditor::fillPoints(int select) {
    Vtl_StringArray names;
    for (const Vtl_DstvPointInfo& point : points_) names.append(point.getName());
    auto* list = static_cast<CComboBox*>(GetDlgItem(kPointsId));
    FillCombo(list, names);
    list->SetCurSel(select);
}

void DstvPointEditor::showPoint(int index) {
    if (index < 0 || index >= points_.length()) return;
    const Vtl_DstvPointInfo& point = points_[index];
    bool byExtent = false, byIntersection = false, middle = false, drill = false, byThickness = false;
    KsDstvPointSideSelection side1{}, side2{}, side{};
    short plate = 0;
    double distance = 0, diameter = 0;
    point.getSelectGeomExtent(byExtent, side1, side2);
    point.getSelectIntersGeom(byIntersection, middle, side);
    point.getPlateSelection(plate, distance);
    point.getDrillFullHole(drill, byThickness, diameter);

    for (int id : kPointFields) EnDisCtrl(this, id, true);
    SetDlgItemText(kNameId, point.getName().c_str());
    CheckDlgButton(kByExtentId, byExtent ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kByIntersectionId, byIntersection ? BST_CHECKED : BST_UNCHECKED);
    static_cast<CComboBox*>(GetDlgItem(kExtentSide1Id))->SetCurSel(side1);
    static_cast<CComboBox*>(GetDlgItem(kExtentSide2Id))->SetCurSel(side2);
    static_cast<CComboBox*>(GetDlgItem(kIntersectionSideId))->SetCurSel(side);
    CheckDlgButton(kMiddleId, middle ? BST_CHECKED : BST_UNCHECKED);
    static_cast<CComboBox*>(GetDlgItem(kPlateId))->SetCurSel(plate);
    SetDlgItemText(kDistanceId, Vtl_String(distance, kDecimals).c_str());
    SetDlgItemText(kDiameterId, Vtl_String(diameter, kDecimals).c_str());
    CheckDlgButton(kDrillId, drill ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kByThicknessId, byThickness ? BST_CHECKED : BST_UNCHECKED);
    current_ = index;
    applyEnableRules();
    updateDiameterLabel();
}

void DstvPointEditor::showNoPoint() {
    current_ = -1;
    for (int id : {kNameId, kDistanceId, kDiameterId}) SetDlgItemText(id, "");
    for (int id : {kByExtentId, kByIntersectionId, kMiddleId, kDrillId, kByThicknessId}) CheckDlgButton(id, BST_UNCHECKED);
    for (int id : {kExtentSide1Id, kExtentSide2Id, kIntersectionSideId, kPlateId})
        static_cast<CComboBox*>(GetDlgItem(id))->SetCurSel(-1);
    for (int id : kPointFields) EnDisCtrl(this, id, false);
    updateDiameterLabel();
}

void DstvPointEditor::storeCurrentPoint() {
    if (current_ < 0 || current_ >= points_.length()) return;
    const auto side = [this](int id) {
        return static_cast<KsDstvPointSideSelection>(static_cast<CComboBox*>(GetDlgItem(id))->GetCurSel());
    };
    const auto checked = [this](int id) { return IsDlgButtonChecked(id) == BST_CHECKED; };
    const auto number = [this](int id) { return Vtl_String(GetDlgItemText(id)).toDouble(); };
    Vtl_DstvPointInfo& point = points_[current_];
    point.setName(Vtl_String(GetDlgItemText(kNameId)));
    point.setSelectGeomExtent(checked(kByExtentId), side(kExtentSide1Id), side(kExtentSide2Id));
    point.setSelectIntersGeom(checked(kByIntersectionId), checked(kMiddleId), side(kIntersectionSideId));
    point.setPlateSelection(static_cast<short>(static_cast<CComboBox*>(GetDlgItem(kPlateId))->GetCurSel()),
                            number(kDistanceId));
    point.setDrillFullHole(checked(kDrillId), checked(kByThicknessId), number(kDiameterId));
}

void DstvPointEditor::onAdd() {
    storeCurrentPoint();
    Vtl_String name;
    if (!askForNewName(this, kNewPointPrompt, name)) return;
    Vtl_DstvPointInfo point;
    point.setName(name);
    // Before the point shown, or first when none is shown.
    const int at = current_ < 0 ? 0 : current_;
    if (!points_.insertAt(at, point)) return;
    fillPoints(at);
    showPoint(at);
}

void DstvPointEditor::onRemove() {
    const int at = current_;
    if (!points_.removeAt(at)) return;  // without a point shown the array says so on the command line
    if (at < points_.length()) {
        fillPoints(at);
        showPoint(at);
        return;
    }
    fillPoints(-1);
    showNoPoint();
}

void DstvPointEditor::applyEnableRules() {
    const bool byExtent = IsDlgButtonChecked(kByExtentId) == BST_CHECKED;
    const bool byIntersection = IsDlgButtonChecked(kByIntersectionId) == BST_CHECKED;
    const bool drill = IsDlgButtonChecked(kDrillId) == BST_CHECKED;
    EnDisCtrl(this, kExtentSide1Id, byExtent);
    EnDisCtrl(this, kExtentSide2Id, byExtent);
    EnDisCtrl(this, kIntersectionSideId, !byExtent);
    EnDisCtrl(this, kMiddleId, !byExtent);
    EnDisCtrl(this, kDiameterLabelId, drill);
    EnDisCtrl(this, kDiameterId, drill);
    EnDisCtrl(this, kByThicknessId, drill && byIntersection);
}

void DstvPointEditor::updateDiameterLabel() {
    const bool added = IsDlgButtonChecked(kByThicknessId) == BST_CHECKED;
    SetDlgItemText(kDiameterLabelId, dialString(added ? kDiameterAddedText : kHoleDiameterText).c_str());
}

void DstvPointEditor::keepExtentSidesApart(int changedId) {
    const int otherId = changedId == kExtentSide1Id ? kExtentSide2Id : kExtentSide1Id;
    auto* changed = static_cast<CComboBox*>(GetDlgItem(changedId));
    auto* other = static_cast<CComboBox*>(GetDlgItem(otherId));
    const int picked = changed->GetCurSel();
    const int held = other->GetCurSel();
    if (picked < 0 || held < 0) return;
    const auto pair = [](int side) { return dstvSidePair(static_cast<KsDstvPointSideSelection>(side)); };
    if (pair(picked) != pair(held)) return;
    // The first side of the other pair.
    other->SetCurSel(pair(held) == 0 ? kDstvSideFront : kDstvSideTop);
}

}  // namespace vtl::ui
