#pragma once
// LevelsDialog: browses the named levels of a model (template 243), changes the height of each, adds
// levels (whose reference can be chosen until another level is shown) and deletes them. It works on its
// own copy of the caller's record.
#include "frame/vtlbase.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/levels/ks_levels_dlg_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class LevelsDialog : public CDialog {
public:
    static constexpr UINT IDD = 243;
    static constexpr int kLevelsId = 1381;
    static constexpr int kAddId = 1088;
    static constexpr int kDeleteId = 1089;
    static constexpr int kNameId = 1000;
    static constexpr int kReferenceId = 1382;
    static constexpr int kValueId = 1001;
    static constexpr int kAbsoluteId = 1002;
    // Names refused in a row before adding a level gives up, as if cancelled.
    static constexpr int kNameAttempts = 20;

    explicit LevelsDialog(const KsLevelsDlgData& levels, CWnd* parent = nullptr);

    const KsLevelsDlgData& levels() const { return levels_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    // Refills the level list; selects `select` (none for -1).
    void fillLevels(int select);
    void showLevel(int index);
    // Empties the fields: no level is shown, so nothing typed could be stored.
    void showNoLevel();
    // Writes what the fields hold into the level shown, if any.
    void storeCurrentLevel();
    void onAdd();
    void onDelete();
    // Asks until a name that is free and not reserved is given; false when cancelled or given up.
    bool askFreeName(Vtl_String& name);

    KsLevelsDlgData levels_;
    CButtonST addButton_;
    CButtonST deleteButton_;
};

}  // namespace vtl::ui
