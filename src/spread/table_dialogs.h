#pragma once
// The table dialogs: a table of texts edited in a grid (template 208, startGridDialog), the parameters of a
// building grid (template 242, StartDlgGrid) and the criteria of a look-up (template 244, StartDlgLookUp).
// Each works on its own copy of the caller's data.
#include "common/ks_child_layout.h"
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlui/ks_grid_dlg_data.h"
#include "vtlui/ks_look_up_dlg_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class KsStringArrayDlg : public CDialog {
public:
    static constexpr UINT IDD = 208;
    static constexpr int kGridId = 1196;
    static constexpr int kAddId = 1088;
    static constexpr int kRemoveId = 1089;
    static constexpr const char* kDefaultName = "DLG_SS_STRINGARRAY";

    KsStringArrayDlg(const Vtl_StringArray& columnNames, const Vtl_StringArray& rowLabels,
                     const Vtl_Array<Vtl_StringArray>& rows, bool allowAddRemove, const Vtl_String& dialogName,
                     const Vtl_String& caption, CWnd* parent = nullptr);

    const Vtl_Array<Vtl_StringArray>& rows() const { return rows_; }
    Vtl_Spread& spread() { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void setUpGrid();
    void onAdd();
    void onRemove();

    Vtl_StringArray columnNames_;
    Vtl_StringArray rowLabels_;
    Vtl_Array<Vtl_StringArray> rows_;
    bool allowAddRemove_;
    Vtl_String dialogName_;
    Vtl_String caption_;
    Vtl_Spread grid_;
    KsChildLayout layout_;
    POINT minTrack_{50, 50};
};

class KsGridDlg : public CDialog {
public:
    static constexpr UINT IDD = 242;
    static constexpr int kFirstCountId = 1367;
    static constexpr int kFirstDistancesId = 1369;
    static constexpr int kFirstLabelId = 1371;
    static constexpr int kSecondCountId = 1374;
    static constexpr int kSecondDistancesId = 1377;
    static constexpr int kSecondLabelId = 1379;
    static constexpr int kOptionId = 1380;

    explicit KsGridDlg(const KsGridDlgData& data, CWnd* parent = nullptr);
    const KsGridDlgData& data() const { return data_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    KsGridDlgData data_;
};

class KsLookUpDlg : public CDialog {
public:
    static constexpr UINT IDD = 244;
    static constexpr int kText1Id = 1384;
    static constexpr int kText2Id = 1386;
    static constexpr int kText3Id = 1387;
    static constexpr int kText4Id = 1389;
    static constexpr int kConditionId = 1398;
    static constexpr int kText5Id = 1391;
    static constexpr int kSortId = 1393;
    static constexpr int kMatchCaseId = 1394;
    static constexpr int kExactId = 1396;
    static constexpr int kPartialId = 1397;
    static constexpr int kShowAllId = 3;

    explicit KsLookUpDlg(const KsLookUpDlgData& data, CWnd* parent = nullptr);
    const KsLookUpDlgData& data() const { return data_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void readFields();
    void enableMatchCase();

    KsLookUpDlgData data_;
};

}  // namespace vtl::ui
