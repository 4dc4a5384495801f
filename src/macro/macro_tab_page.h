#pragma once
// MacroTabPage: one tab of the macro dialog (tabs of kind 0, 1 and 3). It shows the tab's designed dialog
// over its picture, a grid of every value without a designed control, and on bolt tabs the bolt assembly
// and diameter with the advanced button. Every committed change is collected into the tab and applied:
// the differences go to the drawing (UpdateModule) and every page reloads what the drawing made of them.
#include <memory>
#include <vector>

#include "frame/host.h"
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/resizer.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class MacroDialog;

// The focus a tab had when it was left, restored when it is shown again.
struct TabFocusState {
    Vtl_String moduleName;
    int kind = 0;  // 0 nothing saved, 1 a designed edit control, 2 a grid cell, 3 another control
    int controlId = 0;  // by id: after a rebuild the window itself is gone, a control with its id may not be
    int gridColumn = 0, gridRow = 0;
    int selectionStart = 0, selectionEnd = 0;
};

// Whether a pattern's count is a number the page shows in a count field: a whole number, or the mixed
// text of whole numbers that differ between the macros edited together (a formula count is not).
bool hasCountField(const MacroPatternProps& pattern);

class MacroTabPage : public CDialog {
public:
    static constexpr UINT IDD = 8137;
    static constexpr int kGridId = 1001;
    static constexpr int kAssemblyId = 1091;
    static constexpr int kDiameterId = 1092;
    static constexpr int kAssemblyLabelId = 1109;
    static constexpr int kDiameterLabelId = 1110;
    static constexpr int kAdvancedId = 1114;
    static constexpr int kBoltStrip = 47;  // height of the bolt controls at the bottom

    explicit MacroTabPage(int tabIndex) : CDialog(IDD), tabIndex_(tabIndex) {}
    ~MacroTabPage() override = default;

    int tabIndex() const { return tabIndex_; }
    bool hideBoltControls = false;
    bool applyEnabled() const { return applyEnabled_; }

    // The size the page asks for (design picture, grid, bolt strip).
    SIZE wantedSize() const;
    // Reloads every value from the tab into its control or grid row, without rebuilding the design.
    virtual void reload();
    // Collects the page's values into `tab`.
    virtual void collect(MacroTabData& tab);
    // Collect, compare and update: the change goes to the drawing and every page reloads.
    void apply();
    // Steps 4 to 6 of an apply against a copy of the tab taken before the change.
    void applyAgainst(const MacroTabData& before);
    // The sub-dialogs hand their records back through these: the record is stored into the tab (the tab's
    // binding keys kept) and the change goes to the drawing at once, every page reloading.
    void storeBolt(const MacroBoltData& bolt);
    // False when the index names no pattern of the tab (nothing is applied then).
    bool storePattern(int index, const MacroPatternProps& pattern);
    // The tab's bolt record, null without a tab.
    const MacroBoltData* boltRecord() const;

    // A value still being typed into the grid (its cells stay in edit mode when the focus leaves) is
    // applied: the page is being left or the dialog closes.
    void applyPendingEdit();

    // Focus memory and the Tab walk over the designed controls, the grid and the page's own controls.
    void rememberFocus(TabFocusState& state) const;
    void restoreFocus(const TabFocusState& state);
    bool focusFirstControl();
    // F12: the dialog designer on the tab's design; afterwards the page shows the design as it was saved.
    void editDesign();

    Vtl_DlgDesignerData& design() { return *design_; }
    Vtl_Spread& grid() { return grid_; }
    // Whether the page shows its grid (it has rows), whether or not the page itself is shown now.
    bool gridVisible() const { return gridShown_; }
    // The template's placeholder the grid replaces.
    int gridId() const { return gridId_; }

protected:
    // A page of another template (the profile page) with its grid over another placeholder.
    MacroTabPage(int tabIndex, UINT templateId, int gridId) : CDialog(templateId), tabIndex_(tabIndex), gridId_(gridId) {}
    // The page's own controls in their Tab order (zone 3 of the Tab walk).
    virtual std::vector<int> ownControls() const;
    // Page initialisation before the design and grid are filled: the page's own controls.
    virtual void initOwnControls();
    // The height the page keeps below its grid for its own controls.
    virtual int extraHeight() const;
    // Places the page's own controls for the page's size.
    virtual void layoutOwnControls();
    virtual void onDesignedClick(int resourceId);
    // After the design and grid are filled (at initialisation and at every rebuild).
    virtual void afterFill() {}
    void fill();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    MacroDialog* owner() const;
    MacroTabData* tab() const;
    MacroData* macro() const;

    void bindDesign();
    // Reads the design again and fills the page from the tab.
    void rebuildDesign();
    bool bindControl(Vtl_DesignerControl& control);
    void prepareGrid();
    void fillGrid();
    void fillBoltControls();
    void refillDiameters();
    // Where the detailer last chose a bolt assembly or diameter: a designed control or the page's own combo.
    enum class BoltSource { none, designed, own };
    void noteBoltEdit(int resourceId);
    void setFlexFixStates();
    void layoutControls();
    bool isBoltTab() const;
    bool boltControlsVisible() const;

    void collectGrid(MacroTabData& tab);
    void onFlexButton(int resourceId);
    void onImageChosen(int resourceId);
    void onValueSolver(int resourceId);
    void onPatternOrArrayButton(int reference, bool isPatternButton);
    void openBoltAdvanced();
    void openPatternDialog(int index);
    void openArrayDialog(int index);

    // The Tab walk: zone 1 the designed controls, 2 the grid, 3 the page's own controls.
    bool tabKey(bool shift);
    bool enterZone(int zone, bool first);
    int zoneOfFocus() const;

    int tabIndex_ = -1;
    int gridId_ = kGridId;
    // Made anew whenever the page's design is read again (after the designer), so nothing of the design
    // read before (its picture, its windows) stays behind.
    std::unique_ptr<Vtl_DlgDesignerData> design_ = std::make_unique<Vtl_DlgDesignerData>();
    Vtl_Spread grid_;
    CResizer resizer_;
    bool applyEnabled_ = false;
    bool initialised_ = false;
    bool gridShown_ = false;
    BoltSource assemblySource_ = BoltSource::none;
    BoltSource diameterSource_ = BoltSource::none;
    Vtl_String fontName_ = "Verdana";
    int designHeight_ = 0;
};

}  // namespace vtl::ui
