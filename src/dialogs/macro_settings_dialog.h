#pragma once
// The macro settings dialog (template 8141): the general settings of a macro that decide which macros are
// proposed automatically, in five pages: angle filters, distance filters, per-entry dialogs, the variables
// given to each macro and the order of the macro dialog's pages. It works on its own copy of the record;
// the caller stores it only when the dialog ends with OK.
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/check_combo_box.h"
#include "vtlbase/macro/macro_settings_data.h"
#include "win/dialog.h"

namespace vtl::ui {

// One filter group of a page: the names in a check combo whose marks are the enabled flags, an enable
// check for the shown name, and the controls of its values (enabled only while the check is set).
class MacroFilterGroup {
public:
    struct Ids {
        int group, combo, enable;
        std::vector<int> values;  // controls enabled with the enable check
    };
    MacroFilterGroup(MacroFilterList& list, Ids ids) : list_(list), ids_(std::move(ids)) {}

    std::function<void(int)> showValues;   // puts the values of name i into the controls
    std::function<void(int)> storeValues;  // reads the controls back into name i

    void init(CDialog* page);
    // The shown name's flag and values go into the list; its check mark follows at once.
    void store();
    void onSelectionChanged();
    void onEnableClicked();
    int shown() const { return shown_; }
    CCheckComboBox& combo() { return combo_; }

private:
    void show(int index);
    void updateEnabling();

    MacroFilterList& list_;
    Ids ids_;
    CDialog* page_ = nullptr;
    CCheckComboBox combo_;
    int shown_ = -1;
};

class MacroSettingsPage : public CDialog {
public:
    MacroSettingsPage(UINT templateId, MacroSettingsData& settings) : CDialog(templateId, nullptr), settings_(settings) {}
    // Writes the page's values into the record.
    virtual void store() = 0;

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}
    MacroSettingsData& settings_;
};

class MacroAnglesPage : public MacroSettingsPage {
public:
    static constexpr UINT IDD = 8142;
    explicit MacroAnglesPage(MacroSettingsData& s);
    void store() override;
    MacroFilterGroup& axis() { return axis_; }
    MacroFilterGroup& section() { return section_; }
    Vtl_Spread& grid() { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    MacroFilterGroup axis_, section_;
    Vtl_Spread grid_;
    CButtonST add_, delete_;
    std::array<CButtonST, 3> pictures_;
};

class MacroDistancesPage : public MacroSettingsPage {
public:
    static constexpr UINT IDD = 213;
    explicit MacroDistancesPage(MacroSettingsData& s);
    void store() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    MacroFilterGroup path_, size_;
    std::array<CButtonST, 2> pictures_;
};

class MacroDialogsPage : public MacroSettingsPage {
public:
    static constexpr UINT IDD = 8718;
    explicit MacroDialogsPage(MacroSettingsData& s) : MacroSettingsPage(IDD, s) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void show(int entry);
    Vtl_Spread grid_;
    CButtonST add_, delete_;
    int shown_ = -1;
};

class MacroVariablesPage : public MacroSettingsPage {
public:
    static constexpr UINT IDD = 214;
    explicit MacroVariablesPage(MacroSettingsData& s) : MacroSettingsPage(IDD, s) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    Vtl_Spread grid_;
    CButtonST add_, delete_;
};

class MacroGroupsPage : public MacroSettingsPage {
public:
    static constexpr UINT IDD = 215;
    explicit MacroGroupsPage(MacroSettingsData& s) : MacroSettingsPage(IDD, s) {}
    void store() override;

protected:
    BOOL OnInitDialog() override;

private:
    Vtl_Spread grid_;
};

class MacroSettingsDlg : public CDialog {
public:
    static constexpr UINT IDD = 8141;
    static constexpr int kTabId = 8097;

    explicit MacroSettingsDlg(const MacroSettingsData& settings, CWnd* parent = nullptr);
    ~MacroSettingsDlg() override;

    const MacroSettingsData& settings() const { return settings_; }
    void showPage(int index);
    MacroAnglesPage* anglesPage() const { return angles_.get(); }

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void storePages();

    MacroSettingsData settings_;
    std::unique_ptr<MacroAnglesPage> angles_;
    std::unique_ptr<MacroDistancesPage> distances_;
    std::unique_ptr<MacroDialogsPage> dialogs_;
    std::unique_ptr<MacroVariablesPage> variables_;
    std::unique_ptr<MacroGroupsPage> groups_;
    std::vector<MacroSettingsPage*> pages_;
};

}  // namespace vtl::ui
