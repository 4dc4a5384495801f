#pragma once
// The array dialog (template 236): one dynamic array of a macro: its design, kind, name, values and
// dimensions, and the table of its entries. It works on its own copy of the record; OK hands it back.
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/macro/macro_parts.h"
#include "win/dialog.h"

namespace vtl::ui {

class ArrayDialog : public CDialog {
public:
    static constexpr UINT IDD = 236;
    static constexpr int kDesignId = 1345, kKindId = 1005, kNameId = 1002, kValue1Id = 1003, kValue2Id = 1004;
    static constexpr int kKind1ValueId = 1011, kFirstDimId = 1347, kSecondDimId = 1350, kThirdDimId = 1351;
    static constexpr int kOptionId = 1346, kValue3Id = 1009, kValue4Id = 1010;
    static constexpr int kGridId = 1196, kEntryActionId = 1089, kNewEntryId = 1348, kRemoveEntryId = 1087;
    static constexpr int kThirdDimLabelId = 1131;
    static constexpr int kMixedKindItem = 4;

    ArrayDialog(const DynArrayData& array, const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName, CWnd* parent = nullptr);

    const DynArrayData& array() const { return array_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void fill();
    void fillEntries();
    void arrangeForKind();
    void refillDimension(int comboId, const Vtl_String& text, bool first, bool second, bool third);
    void collect();
    int chosenKind() const;
    void addEntry();
    void removeEntry();
    void setEntryRowTypes(int row);

    DynArrayData array_;
    AcArray<AcDbObjectId> ids_;
    Vtl_String moduleName_;
    Vtl_Spread grid_;
};

}  // namespace vtl::ui
