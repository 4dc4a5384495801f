#pragma once
// The profile cuts dialog (template 235): the cuts made on a profile, the selected one previewed in the
// drawing; cuts are deleted one at a time and another profile can be picked in the drawing. Everything
// works on the drawing at once; Close keeps the preview choice for the next time.
#include "frame/vtlbase.h"
#include "host/dialogs.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/drawing/profile_cuts.h"

namespace vtl::ui {

class ProfileCutsDialog : public CAdUiBaseDialog {
public:
    static constexpr UINT IDD = 235;
    static constexpr int kListId = 1339, kNoPreviewId = 1340, kOtherProfileId = 1341, kDeleteId = 1087;

    explicit ProfileCutsDialog(DlgProfCutsData& data, CWnd* parent = nullptr);

    int current() const { return current_; }
    bool previewOn() const { return preview_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    void fillList();
    void selectCut(int index);
    void onSelectionChanged();
    void onDelete();
    void onOtherProfile();

    DlgProfCutsData& data_;
    int current_ = -1;
    bool preview_ = true;
    CButtonST other_, delete_;
};

}  // namespace vtl::ui
