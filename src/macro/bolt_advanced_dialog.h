#pragma once
// The bolt-advanced dialog (template 8140): every property of the bolts of one bolt tab: assembly,
// diameter, the three lengths, four options, the nuts and washers, the hole columns and the slotted holes.
// It applies each change at once through the page that opened it, so the drawing follows the dialog while
// it is open; Close applies once more, Escape closes without.
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/check_combo_box.h"
#include "vtlbase/controls/color_static.h"
#include "vtlbase/macro/macro_parts.h"
#include "win/dialog.h"

namespace vtl::ui {

class MacroTabPage;

class BoltAdvancedDialog : public CDialog {
public:
    static constexpr UINT IDD = 8140;
    static constexpr int kPictureId = 1178;
    static constexpr int kAssemblyId = 1091, kDiameterId = 1092;
    static constexpr int kHoleToleranceId = 1104, kPenetrationId = 1103, kAddedLengthId = 1102;
    static constexpr int kWorkshopId = 1095, kCountersunkId = 1115, kFlipId = 1116, kTappedId = 1110;
    static constexpr int kOptionId = 1343, kOptionLabelId = 1344;
    static constexpr int kNut1Id = 8713, kNut2Id = 8714, kWasher1Id = 8710, kWasher2Id = 8711, kWashersId = 8712;
    static constexpr int kHoleGridId = 1196;
    static constexpr int kSlotListId = 1108, kSlotActiveId = 1120;
    static constexpr int kSlotSizeId = 1119, kSlotLengthId = 1118, kSlotAngleId = 1022, kSlotFourthId = 1125, kSlotChoiceId = 1324;

    // `owner` null: nothing is applied (the dialog only edits its copy).
    BoltAdvancedDialog(const MacroBoltData& bolt, const AcArray<double>& diameters, MacroTabPage* owner, CWnd* parent = nullptr);

    const MacroBoltData& bolt() const { return bolt_; }
    int currentSlot() const { return currentSlot_; }
    // The first active slotted hole without a size and a length above 0, or -1 when all are fine.
    static int firstInvalidSlot(const MacroBoltData& bolt);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void fillControls();
    void showSlot(int index);
    void enableSlotControls(bool enable);
    void collect();
    void collectSlot();
    // Collect, check the slotted holes, hand the record to the page and show what it made of it. False
    // (nothing applied) when a slotted hole is not valid.
    bool apply();
    bool validate();
    int checkState(int id) const;
    void setCheck(int id, int state);

    MacroBoltData bolt_;
    AcArray<double> diameters_;
    MacroTabPage* owner_;
    int currentSlot_ = 0;
    bool filling_ = false;
    Vtl_Spread holeGrid_;
    CButtonST picture_;
    CColorStatic labels_[5];
    CCheckComboBox slots_;
};

}  // namespace vtl::ui
