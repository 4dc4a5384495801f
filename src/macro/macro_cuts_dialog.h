#pragma once
// The macro cuts dialog (template 223): makes or edits one cut of a macro: its type (with its picture),
// name, the options of the type, the values of its variables and the macro and module it belongs to. The
// dialog works on a copy; OK checks the module, the name (on another macro) and the variable names first.
#include "frame/vtlbase.h"
#include "host/dialogs.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/bitmap_picker_combo.h"
#include "vtlbase/drawing/macro_cuts.h"

namespace vtl::ui {

class MacroCutsDialog : public CAdUiBaseDialog {
public:
    static constexpr UINT IDD = 223;
    static constexpr int kNameId = 1000, kDistanceId = 1001, kPickId = 1079, kNameLabelId = 1123,
                         kDistanceLabelId = 1124, kGridId = 1196, kModuleLabelId = 1280, kListLabelId = 1281,
                         kModuleId = 1282, kListId = 1283, kTypeId = 1284, kThisMacroId = 1285, kOtherMacroId = 1286,
                         kOptionClearId = 1288, kOptionSetId = 1289, kOptionAbsentId = 1290, kOption5Id = 1323,
                         kOption2Id = 1325, kOption3Id = 1326;

    explicit MacroCutsDialog(const DlgMacroCutsData& data, CWnd* parent = nullptr);

    const DlgMacroCutsData& data() const { return data_; }
    bool escaped() const { return escaped_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    int type() const;
    void fillFromRecord();
    void fillGrid();
    void fillModules();
    void arrangeForType();
    void arrangeDistance();
    void arrangeExclusion();
    void collect();
    void pickMacro();
    void message(const Vtl_String& text, int caption);
    bool checked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }
    void check(int id, bool on) { CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED); }
    void showItem(int id, bool show);

    DlgMacroCutsData data_;
    AcDbObjectId ownMacro_;  // the macro the dialog was opened on
    bool escaped_ = false;
    Vtl_Spread grid_;
    CBitmapPickerCombo typeCombo_;
};

}  // namespace vtl::ui
