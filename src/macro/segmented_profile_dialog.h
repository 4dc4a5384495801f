#pragma once
// The segmented-profile dialog (template 221): the segmented profiles of a profile tab, one at a time: its
// name, clearance, whether it breaks at every point of its polyline, and its segments in a grid (number and
// value). It works on a copy of the list; OK hands the edited list back, Cancel drops it.
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/ks_resizer.h"
#include "vtlbase/macro/macro_parts.h"
#include "win/dialog.h"

namespace vtl::ui {

class SegmentedProfileDialog : public CDialog {
public:
    static constexpr UINT IDD = 221;
    static constexpr int kListLabelId = 1248, kListId = 1247, kGridLabelId = 1081, kGridId = 1196;
    static constexpr int kNameLabelId = 1123, kNameId = 1000, kClearanceLabelId = 1124, kClearanceId = 1232;
    static constexpr int kBreakId = 1249, kInsertId = 1088, kDeleteId = 1089, kPickId = 1090;

    explicit SegmentedProfileDialog(const Vtl_Array<MacroProfSegmentedData>& profiles, CWnd* parent = nullptr);

    const Vtl_Array<MacroProfSegmentedData>& profiles() const { return profiles_; }
    int current() const { return current_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    void fillList();
    void show(int index);
    void collect();
    void enableRecordControls(bool enable);

    Vtl_Array<MacroProfSegmentedData> profiles_;
    int current_ = -1;
    Vtl_Spread grid_;
    KsResizer resizer_;
    CButtonST insert_, delete_;
    int minWidth_ = 50, minHeight_ = 50;
};

}  // namespace vtl::ui
