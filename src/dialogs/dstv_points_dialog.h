#pragma once
// DstvPointsDialog: the manager of the library's DSTV point groups (template 234): the groups with the
// standard one ticked, a new (empty) group, deleting the chosen group, making it the standard group and
// editing its points in the point editor. Every action on a group needs a group chosen in the list.
#include "frame/vtlbase.h"
#include "vtlbase/controls/check_combo_box.h"
#include "vtlbase/dstv/dlg_dstv_points.h"
#include "win/dialog.h"

namespace vtl::ui {

class DstvPointsDialog : public CDialog, public DlgDstvPoints {
public:
    static constexpr UINT IDD = 234;
    static constexpr int kGroupsId = 1336;
    static constexpr int kNewId = 1337;
    static constexpr int kDeleteId = 1338;
    static constexpr int kMakeStandardId = 1335;
    static constexpr int kEditId = 1334;

    explicit DstvPointsDialog(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Refills the list from the folder, ticks the standard group and selects `position` (the last group
    // when fewer are left).
    void fillGroups(int position);
    // The chosen group's name; false when none is chosen.
    bool selectedGroup(Vtl_String& name) const;
    int selectedPosition() const;
    void onNew();
    void onDelete();
    void onMakeStandard();
    void onEdit();
    // A warning box about `group` with the text `textId`.
    void warnAboutGroup(const Vtl_String& group, int textId);

    CCheckComboBox groups_;
};

}  // namespace vtl::ui
