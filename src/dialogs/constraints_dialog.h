#pragma once
// The constraints editor (template 8715): the modules, rules, geometry flexibility, variables and
// equations of a parametric connection macro, in four pages. It works on its own copy of an
// EditConstrData record; every change goes to the drawing through the record's operations. Modal, or one
// modeless window beside the drawing.
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "common/ks_child_layout.h"
#include "common/ks_popup_menu.h"
#include "frame/vtlbase.h"
#include "host/dialogs.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/macro/edit_constr_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class KsConstraintsDlg;

// What the four pages share: Escape acts as the editor's OK, and a page never ends itself.
class KsConstraintsPage : public CDialog {
public:
    KsConstraintsPage(UINT templateId, KsConstraintsDlg& owner) : CDialog(templateId, nullptr), owner_(owner) {}

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}
    // Lets the page keep an Escape for itself; true when it did.
    virtual bool keepEscape() { return false; }
    EditConstrData& data();
    // Children follow the page's size; grids spread their width over their columns.
    void layoutChildren();
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    KsConstraintsDlg& owner_;
    KsChildLayout layout_;
    std::vector<Vtl_Spread*> grids_;
};

class KsRulesPage : public KsConstraintsPage {
public:
    static constexpr UINT IDD = 207;
    static constexpr int kGridId = 1001, kValueId = 1030, kValueLabelId = 1122, kVariableId = 1000,
                         kVariableLabelId = 1123, kEnumId = 1005, kEnumLabelId = 1015, kFlag1Id = 1283,
                         kFlag2Id = 1284, kCutId = 1334, kDeleteId = 1087, kGroupId = 1081;
    static constexpr std::array<int, 5> kOptionIds{1083, 1077, 1084, 1085, 1086};

    explicit KsRulesPage(KsConstraintsDlg& owner) : KsConstraintsPage(IDD, owner) {}

    // Rebuilds the grid from the record and selects the record's current rule (the first when it has none).
    void build();
    // Compares the edits with the current rule and sends a changed rule to the drawing.
    void storeEdits();
    // The page is no longer shown: the drawing stops highlighting its rules.
    void leave();
    // Selects rule p (0-based); nothing happens when it is the current rule.
    void selectRule(int p);
    // The record changed under the page: no rule is current, nothing shown is stored.
    void forgetSelection() { current_ = -1; }

    int currentRule() const { return current_; }
    int lastSortColumn() const { return lastSort_; }
    int optionButtonsInUse() const { return optionsInUse_; }
    int secondGroupStart() const { return secondGroupStart_; }
    bool passesNextEscape() const { return passEscape_; }
    Vtl_Spread& grid() { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool keepEscape() override;

private:
    void fillGrid();
    void onRowChanged(int row);
    void onHeaderClicked(int col);
    void onRightClick(int col, int row);
    void onMenuCommand(int item);
    void onDelete();
    void onOptionClicked(int index);
    void onVariableLeft();
    void onCut();
    void hideProperties();
    int checkedOption() const;

    Vtl_Spread grid_;
    CButtonST delete_;
    std::array<CButtonST, 5> options_;
    KsPopupMenu menu_;
    int current_ = -1;
    int lastSort_ = -1;
    int optionsInUse_ = 0;
    int firstGroupSize_ = 0;  // buttons 1 .. this form the first group (0: no group)
    int secondGroupStart_ = -1;
    std::vector<std::int32_t> menuActions_;
    bool passEscape_ = false;
    Vtl_String shownVariable_;
};

class KsGeometryPage : public KsConstraintsPage {
public:
    static constexpr UINT IDD = 8135;
    static constexpr int kGridId = 1196;

    explicit KsGeometryPage(KsConstraintsDlg& owner) : KsConstraintsPage(IDD, owner) {}

    // Reads the flexibility from the drawing and rebuilds the grid.
    void prepare();
    void build();
    void leave();
    Vtl_Spread& grid() { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void onRowSelected(int row);

    Vtl_Spread grid_;
    bool building_ = false;
};

class KsVariablesPage : public KsConstraintsPage {
public:
    static constexpr UINT IDD = 8099;
    static constexpr int kVariablesId = 1127, kDimensionsId = 1128, kEquationsId = 1129, kAddId = 1131,
                         kDeleteId = 1132;

    explicit KsVariablesPage(KsConstraintsDlg& owner) : KsConstraintsPage(IDD, owner) {}

    void build();
    // Reads every variable row and every equation line back and sends them to the drawing.
    void storeEdits();
    Vtl_Spread& variables() { return variables_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void addRow();
    void deleteRow();

    Vtl_Spread variables_, dimensions_;
    CButtonST add_, delete_;
};

class KsCommandsPage : public KsConstraintsPage {
public:
    static constexpr UINT IDD = 216;

    explicit KsCommandsPage(KsConstraintsDlg& owner) : KsConstraintsPage(IDD, owner) {}

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::unique_ptr<CButtonST>> buttons_;
};

class KsConstraintsDlg : public CAdUiBaseDialog {
public:
    static constexpr UINT IDD = 8715;
    static constexpr int kSelectId = 1079, kModulesId = 1088, kAddModuleId = 1090, kRenameId = 1183,
                         kRemoveModuleId = 1089, kTabId = 8097, kSettingsId = 1137, kZoomId = 1320;
    enum Page { rulesPage = 0, geometryPage = 1, variablesPage = 2, commandsPage = 3 };

    explicit KsConstraintsDlg(const EditConstrData& data, CWnd* parent = nullptr);
    ~KsConstraintsDlg() override;

    EditConstrData& data() { return data_; }
    bool isModeless() const { return modeless_; }
    void setModeless(bool modeless) { modeless_ = modeless; }
    int shownPage() const { return shown_; }
    KsRulesPage* rules() const { return rules_.get(); }
    KsGeometryPage* geometry() const { return geometry_.get(); }
    KsVariablesPage* variables() const { return variables_.get(); }
    KsCommandsPage* commands() const { return commands_.get(); }

    // Shows page `index` as a tab change does.
    void showPage(int index);
    // Runs a host command with the editor stepped aside; answers the command's success.
    bool runHostCommand(const std::function<bool()>& command);
    // Starts macro command `command` (0-13) and refreshes what it changed.
    void startCommand(int command);
    // OK: ends the modeless editor, closes the modal one. Touches nothing afterwards.
    void finish(bool ok);
    // While a sub-dialog of the editor runs, the editor must stay.
    bool inNestedLoop() const { return nestedLoops_ > 0; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    friend class KsConstraintsPage;
    void fillModules(int select);
    void onModuleChanged();
    void onSelectMacro();
    void onRename();
    void onRemoveModule();
    void onSettings();
    void onZoom();
    void leavePage(int index);
    void preparePage(int index);
    void placePages();
    // Shows `page` with every page rebuilt from the record.
    void refreshPages(int page);
    void storeAll();

    EditConstrData data_;
    bool modeless_ = false;
    int shown_ = -1;
    int minWidth_ = 50, minHeight_ = 50;
    int nestedLoops_ = 0;
    bool zooming_ = false;
    KsChildLayout layout_;
    std::unique_ptr<KsRulesPage> rules_;
    std::unique_ptr<KsGeometryPage> geometry_;
    std::unique_ptr<KsVariablesPage> variables_;
    std::unique_ptr<KsCommandsPage> commands_;
    CButtonST select_, addModule_, removeModule_, zoom_;
};

// The modeless editor, when one is open.
KsConstraintsDlg* modelessConstraintsEditor();
// Closes the modeless editor for the module's unloading.
void closeConstraintsEditorForUnload();

}  // namespace vtl::ui
