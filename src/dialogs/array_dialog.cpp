#include "dialogs/array_dialog.h"

#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"

namespace vtl::ui {
namespace {
constexpr int kMixedChoiceItem = 2;  // the third choice of an entry: the mixed text
constexpr DWORD kListStyle = 0x400000;
constexpr struct {
    int id;
    int text;
} kTexts[] = {{1125, 1057}, {1015, 228}, {1129, 1058}, {1130, 1059}, {1126, 1060}, {1134, 1061}, {1127, 1062},
              {1128, 1063}, {1132, 1064}, {1133, 1065}, {1346, 1066}, {1349, 1067}, {1348, 171},  {1087, 172},
              {1089, 1068}, {IDOK, 1},     {IDCANCEL, 2}};
constexpr int kKinds[] = {1071, 1072, 1073, 1074, 695};
// Shown for every kind but the rectangular one, which has its own value instead.
constexpr int kNotRectangular[] = {1129, 1347, 1131, 1351, 1349, 1196, 1089, 1348, 1087};
constexpr int kRectangularOnly[] = {1134, 1011};

Vtl_StringArray entryChoices() { return {dialString(1075), dialString(1069), dialString(695)}; }
}  // namespace

ArrayDialog::ArrayDialog(const DynArrayData& array, const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName, CWnd* parent)
    : CDialog(IDD, parent), array_(array), ids_(ids), moduleName_(moduleName) {}

BOOL ArrayDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(1056).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    // In its placeholder's place: in front of the frame of the entries.
    grid_.attachInPlaceOfDlgItem(this, kGridId, false);
    grid_.setStyle(1);
    grid_.setOption(SS_SWITCH_ROW_HEADERS, false);
    grid_.setColCount(3, false);
    // The tick column has no heading of its own: a blank, not the column's letter.
    grid_.setColHeaders(Vtl_StringArray{dialString(1069), Vtl_String(" "), dialString(1070)});
    // The tick keeps its width; the choice and the text share the rest.
    grid_.setFitMode(4, 2, 28);
    // Entries are added and removed with the buttons below the grid or from its menu.
    grid_.setContextMenu({4, 5});
    auto* kinds = static_cast<CComboBox*>(GetDlgItem(kKindId));
    for (int text : kKinds) kinds->AddString(dialString(text).c_str());
    Vtl_StringArray designs;
    getModuleImages(designs);
    FillCombo(static_cast<CComboBox*>(GetDlgItem(kDesignId)), designs);
    fill();
    return TRUE;
}

int ArrayDialog::chosenKind() const {
    const int item = static_cast<CComboBox*>(GetDlgItem(kKindId))->GetCurSel();
    return item == kMixedKindItem || item < 0 ? KsArrayMixed : item;
}

void ArrayDialog::fill() {
    SetWindowText((dialString(1056) + " (" + array_.label + ")").c_str());
    SetDlgItemText(kDesignId, array_.designName.c_str());
    static_cast<CComboBox*>(GetDlgItem(kKindId))->SetCurSel(array_.kind < 0 ? kMixedKindItem : array_.kind);
    if (array_.kind == KsArrayRectangular) SetDlgItemText(kKind1ValueId, array_.kind1Value.c_str());
    SetDlgItemText(kFirstDimId, array_.firstDimension.c_str());
    SetDlgItemText(kSecondDimId, array_.secondDimension.c_str());
    SetDlgItemText(kThirdDimId, array_.thirdDimension.c_str());
    SetDlgItemText(kNameId, array_.name.c_str());
    SetDlgItemText(kValue1Id, array_.values[0].c_str());
    SetDlgItemText(kValue2Id, array_.values[1].c_str());
    SetDlgItemText(kValue3Id, array_.values[2].c_str());
    SetDlgItemText(kValue4Id, array_.values[3].c_str());
    ::SendMessage(::GetDlgItem(m_hWnd, kOptionId), BM_SETCHECK,
                  array_.option < 0 ? BST_INDETERMINATE : array_.option > 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    fillEntries();
    arrangeForKind();
}

void ArrayDialog::setEntryRowTypes(int row) {
    grid_.setComboCell(1, row, entryChoices(), kListStyle);
    grid_.setCheckCell(2, row, true);
    grid_.setEditBlock(3, row, 3, row, 0, 1000);
}

void ArrayDialog::fillEntries() {
    AcArray<int> choices;
    AcArray<bool> flags;
    Vtl_StringArray texts;
    array_.getEntryColumns(choices, flags, texts);
    grid_.setRedraw(false);
    grid_.setRowCount(choices.length());
    Vtl_Array<int> items;
    for (int i = 0; i < choices.length(); ++i) {
        setEntryRowTypes(i + 1);
        items.append(choices[i] < 0 || choices[i] > 1 ? kMixedChoiceItem : choices[i]);
    }
    grid_.setColumnIndexes(1, items);
    grid_.setColumnBools(2, flags);
    grid_.setColumn(3, texts, false);
    grid_.setChanged(false);
    grid_.applyFitMode();
    grid_.setRedraw(true);
}

void ArrayDialog::refillDimension(int comboId, const Vtl_String& text, bool first, bool second, bool third) {
    Vtl_StringArray names;
    DynArrayData::getValidDimNames(ids_, moduleName_, chosenKind(), first, second, third, names);
    auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
    FillCombo(combo, names);
    // The field keeps what the record holds, offered or not.
    combo->SetWindowText(text.c_str());
}

void ArrayDialog::arrangeForKind() {
    const int kind = chosenKind();
    const bool rectangular = kind == KsArrayRectangular;
    for (int id : kNotRectangular) ShowOrHideCtrl(this, id, !rectangular);
    for (int id : kRectangularOnly) ShowOrHideCtrl(this, id, rectangular);
    if (kind == KsArrayMixed) return;
    if (kind == KsArrayPolar || kind == KsArrayRectangular) SetDlgItemText(kThirdDimLabelId, dialString(1076).c_str());
    else if (kind == KsArrayPath) SetDlgItemText(kThirdDimLabelId, dialString(1077).c_str());
    if (!rectangular) refillDimension(kFirstDimId, array_.firstDimension, true, false, false);
    refillDimension(kSecondDimId, array_.secondDimension, false, true, false);
    if (!rectangular) refillDimension(kThirdDimId, array_.thirdDimension, false, false, true);
}

void ArrayDialog::collect() {
    array_.kind = chosenKind();
    if (array_.kind == KsArrayRectangular) array_.kind1Value = Vtl_String(GetDlgItemText(kKind1ValueId));
    array_.designName = Vtl_String(GetDlgItemText(kDesignId));
    array_.firstDimension = Vtl_String(GetDlgItemText(kFirstDimId));
    array_.secondDimension = Vtl_String(GetDlgItemText(kSecondDimId));
    array_.thirdDimension = Vtl_String(GetDlgItemText(kThirdDimId));
    array_.name = Vtl_String(GetDlgItemText(kNameId));
    array_.values[0] = Vtl_String(GetDlgItemText(kValue1Id));
    array_.values[1] = Vtl_String(GetDlgItemText(kValue2Id));
    array_.values[2] = Vtl_String(GetDlgItemText(kValue3Id));
    array_.values[3] = Vtl_String(GetDlgItemText(kValue4Id));
    const auto option = ::SendMessage(::GetDlgItem(m_hWnd, kOptionId), BM_GETCHECK, 0, 0);
    array_.option = option == BST_INDETERMINATE ? -1 : option == BST_CHECKED ? 1 : 0;
    if (grid_.isEditing()) grid_.setEditing(false);
    Vtl_Array<int> items;
    AcArray<bool> flags;
    Vtl_StringArray texts;
    grid_.getColumnInts(1, items);
    grid_.getColumnBools(2, flags);
    grid_.getColumnTexts(3, texts);
    AcArray<int> choices;
    for (int i = 0; i < items.length(); ++i) choices.append(items[i] == kMixedChoiceItem ? -1 : items[i]);
    array_.setEntryColumns(choices, flags, texts);
}

void ArrayDialog::addEntry() {
    // The new entry goes after the active one (at the end when there is none), takes every entry and is
    // ticked; its text is typed next.
    const int rows = grid_.getRowCount();
    int row = grid_.getCurrentRow();
    row = row >= 1 && row <= rows ? row + 1 : rows + 1;
    if (!grid_.insertRow(row, false, false)) return;
    setEntryRowTypes(row);
    grid_.setCellText(1, row, dialString(1075));
    grid_.setCellCheck(2, row, true);
    grid_.setCellText(3, row, Vtl_String());
    grid_.setActiveCell(3, row);
    ::SetFocus(grid_.grid());
}

void ArrayDialog::removeEntry() {
    const int row = grid_.getCurrentRow();
    if (row >= 1 && row <= grid_.getRowCount()) grid_.deleteRow(row);
}

BOOL ArrayDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kKindId && code == CBN_SELCHANGE) {
        collect();
        arrangeForKind();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kEntryActionId) {
        const int row = grid_.getCurrentRow();
        if (row >= 1) array_.setEntryAction(row - 1, KsEntrySelect);
        return TRUE;
    }
    if (code == BN_CLICKED && id == kNewEntryId) {
        addEntry();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kRemoveEntryId) {
        removeEntry();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void ArrayDialog::OnOK() {
    collect();
    CDialog::OnOK();
}

}  // namespace vtl::ui

bool StartArrayDlg(DynArrayData& array, const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName) {
    return vtl::ui::guardExport("StartArrayDlg", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::ArrayDialog dlg(array, ids, moduleName);
        if (dlg.DoModal() != IDOK) return false;
        array = dlg.array();
        return true;
    });
}
