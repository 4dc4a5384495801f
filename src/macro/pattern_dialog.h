#pragma once
// The pattern dialog (template 222): the detailed properties of one bolt pattern of a bolt tab, its two
// sides (distribution, first distance, pitch, option and the list of distances) and four options of the
// whole pattern. Every change is handed to the page that opened it and applied at once; Close applies
// once more, Escape closes without.
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/macro/macro_parts.h"
#include "win/dialog.h"

namespace vtl::ui {

class MacroTabPage;

class PatternDialog : public CDialog {
public:
    static constexpr UINT IDD = 222;
    struct SideIds {
        int distribution, firstSwitch, firstValue, secondValue, option, grid, distributionLabel, secondLabel;
    };
    static constexpr SideIds kSide1{1279, 1356, 1264, 1266, 1359, 1357, 1278, 1265};
    static constexpr SideIds kSide2{1281, 1360, 1267, 1269, 1361, 1358, 1280, 1268};
    static constexpr int kOptionIds[4] = {1273, 1274, 1276, 1277};

    // `owner` null: nothing is applied (the dialog only edits its copy).
    PatternDialog(MacroTabPage* owner, int patternIndex, const MacroPatternProps& pattern, CWnd* parent = nullptr);

    const MacroPatternProps& pattern() const { return pattern_; }
    // How often a change was handed to the page.
    int appliedCount() const { return applied_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void setUpGrid(Vtl_Spread& grid, int placeholder);
    void fill();
    void fillSide(const SideIds& ids, const MacroPatternSide& side, Vtl_Spread& grid);
    void collectSide(const SideIds& ids, MacroPatternSide& side, Vtl_Spread& grid);
    void collect();
    void apply();
    int triState(int id) const;
    void setTriState(int id, int value);
    void enableDependentOptions();

    MacroTabPage* owner_;
    int index_;
    MacroPatternProps pattern_;
    Vtl_Spread grid1_, grid2_;
    bool initialised_ = false;
    int applied_ = 0;
};

}  // namespace vtl::ui
