#pragma once
// The select-macro dialog (template 8717): the macros of the library as thumbnails with their names, and a
// filter panel above them, a grid of the macro modules and their properties to switch on and off; the
// thumbnails follow the filter at once. The panel can be hidden; the choice is kept for the next time.
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/image_list_ctrl.h"
#include "vtlbase/controls/ks_resizer.h"
#include "vtlbase/macro/macro_props_filter.h"
#include "win/dialog.h"

namespace vtl::ui {

class SelectMacroDialog : public CDialog {
public:
    static constexpr UINT IDD = 8717;
    static constexpr int kGroupId = 1175, kGridId = 1196, kAlternativeId = 1352, kHintId = 1353, kPanelId = 1409,
                         kListId = 9091, kShowAllId = 9093;

    SelectMacroDialog(const Vtl_String& caption, Vtl_MacroPropsFilter& filter, bool alternative, bool hint,
                      CWnd* parent = nullptr);

    const Vtl_String& selection() const { return selection_; }
    bool alternativeChosen() const { return alternative_; }
    bool large() const { return large_; }
    // The labels under the thumbnails and their picture files, in order.
    const Vtl_StringArray& labels() const { return labels_; }
    const Vtl_StringArray& pictures() const { return files_; }

    // The labels of macro files: the file names without folder and extension, translated, and without their
    // trailing digits unless that makes two labels equal.
    static Vtl_StringArray labelsOf(const Vtl_StringArray& files);
    // The picture of a macro drawing: "<name>.bmp" when it exists (any case), else the generated "<name>.abm".
    static Vtl_String pictureOf(const Vtl_String& dwgFile);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    void setupResizer();
    void fillGrid();
    void fillThumbnails();
    void onGridSwitch(bool on);
    void showPanel(bool show, bool resize);

    Vtl_String caption_;
    Vtl_MacroPropsFilter& filter_;
    bool offerAlternative_;
    bool hint_;
    bool alternative_ = false;
    bool large_ = true;
    bool filterReady_ = false;
    int filterHeight_ = 140;
    int minWidth_ = 50, minHeight_ = 50;
    Vtl_String selection_;
    Vtl_StringArray files_;
    Vtl_StringArray labels_;
    Vtl_Array<Vtl_StringArray> modules_;
    Vtl_Spread grid_;
    CImageListCtrl list_;
    CButtonST panelButton_;
    KsResizer resizer_;
};

}  // namespace vtl::ui
