// The levels dialog through StartDlgLevels and scripts: browsing stores what was typed, the reference of
// a new level, refused names, deleting levels, Cancel.
#include "dialogs/levels_dialog.h"
#include "module_test_support.h"
#include "vtlbase/levels/ks_levels_dlg_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using ui::LevelsDialog;
using win::ctrl;
using win::Script;
constexpr int kInputText = 8069;

// A = 1000 above the origin, B = 500 above A, C = 3000 above the origin.
KsLevelsDlgData threeLevels() {
    KsLevelsDlgData levels;
    int i = -1;
    levels.addLevel("A", i);
    levels.updateLevel(i, 1000.0);
    levels.addLevel("B", i);
    levels.updateLevel(i, Vtl_String("A"));
    levels.updateLevel(i, 500.0);
    levels.addLevel("C", i);
    levels.updateLevel(i, 3000.0);
    return levels;
}

double value1(const KsLevelsDlgData& levels, int index) {
    Vtl_String name, reference;
    double v1 = 0, v2 = 0;
    EXPECT_TRUE(levels.getLevelData(index, name, reference, v1, v2));
    return v1;
}
std::string reference(const KsLevelsDlgData& levels, int index) {
    Vtl_String name, ref;
    double v1 = 0, v2 = 0;
    EXPECT_TRUE(levels.getLevelData(index, name, ref, v1, v2));
    return ref.str();
}

std::vector<std::string> items(int id) {
    auto* combo = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), id)));
    std::vector<std::string> out;
    for (int i = 0; i < combo->GetCount(); ++i) out.push_back(combo->GetLBText(i));
    return out;
}

// Replaces the text of the level field.
Script& typeLevel(Script& s, const std::string& text) {
    return s.click(ctrl(LevelsDialog::kValueId)).key('A', win::ModCtrl).type(text);
}

class LevelsDialogTest : public ModuleTest {};

TEST_F(LevelsDialogTest, ChoosingAnotherLevelStoresTheOneShownAndOkHandsTheLevelsBack) {
    KsLevelsDlgData levels = threeLevels();
    Script s;
    s.waitFor(win::dialogWithTemplate(LevelsDialog::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Levels");
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kNameId), "A");
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kAbsoluteId), "1000.000");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kReferenceId)));
        });
    typeLevel(s, "high");  // not a number: stored as 0
    s.select(ctrl(LevelsDialog::kLevelsId), "B")
        .check([] {
            // B stands on A, whose height was stored before B was shown; its own name is no reference.
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kValueId), "500.000");
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kAbsoluteId), "500.000");
            EXPECT_EQ(items(LevelsDialog::kReferenceId), (std::vector<std::string>{"A", "C"}));
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kReferenceId), "A");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kReferenceId)));
        });
    typeLevel(s, "750.25");
    s.click(ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgLevels(levels); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(value1(levels, 0), 0.0);
    EXPECT_EQ(value1(levels, 1), 750.25);  // stored at OK
    EXPECT_EQ(reference(levels, 1), "A");  // an existing level keeps its reference

    // Cancel leaves the caller's levels as they were.
    const KsLevelsDlgData before = threeLevels();
    KsLevelsDlgData untouched = before;
    Script c;
    c.waitFor(win::dialogWithTemplate(LevelsDialog::IDD));
    typeLevel(c, "9");
    c.select(ctrl(LevelsDialog::kLevelsId), "C").click(ctrl(IDCANCEL));
    run(c, [&] { ok = StartDlgLevels(untouched); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(value1(untouched, 0), 1000.0);
}

TEST_F(LevelsDialogTest, ANewLevelRefusesTakenAndReservedNamesAndTakesAReferenceUntilAnotherIsShown) {
    KsLevelsDlgData levels = threeLevels();
    Script s;
    s.waitFor(win::dialogWithTemplate(LevelsDialog::IDD)).click(ctrl(LevelsDialog::kAddId));
    // "wcs" is refused though no level has that name, and so is a level's name.
    for (const char* taken : {"wcs", "B"}) {
        s.waitFor(win::dialogWithTemplate(kInputText))
            .check([] {
                EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Name");
                EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 8003), "New");
            })
            .type(taken)
            .key(VK_RETURN)
            .waitFor(win::messageBoxWith("This name is already used.\nPlease choose another name."))
            .answer(IDOK);
    }
    s.waitFor(win::dialogWithTemplate(kInputText)).type("D").key(VK_RETURN).waitFor(win::dialogWithTemplate(LevelsDialog::IDD));
    s.check([] {
         EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kLevelsId), "D");
         EXPECT_EQ(items(LevelsDialog::kReferenceId), (std::vector<std::string>{"A", "B", "C"}));
         EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kReferenceId)));
     })
        .select(ctrl(LevelsDialog::kReferenceId), "B");
    typeLevel(s, "250");
    // Showing another level stores the new one with its reference; shown again, the reference is fixed.
    s.select(ctrl(LevelsDialog::kLevelsId), "A")
        .select(ctrl(LevelsDialog::kLevelsId), "D")
        .check([] {
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kReferenceId), "B");
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kAbsoluteId), "1750.000");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kReferenceId)));
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_TRUE(StartDlgLevels(levels)); });
    ASSERT_EQ(levels.count(), 4);
    EXPECT_EQ(reference(levels, 3), "B");
    EXPECT_EQ(value1(levels, 3), 250.0);
}

TEST_F(LevelsDialogTest, AfterTheTwentiethRefusedNameNoLevelIsAdded) {
    KsLevelsDlgData levels = threeLevels();
    Script s;
    s.waitFor(win::dialogWithTemplate(LevelsDialog::IDD)).click(ctrl(LevelsDialog::kAddId));
    for (int i = 0; i < LevelsDialog::kNameAttempts; ++i) {
        s.waitFor(win::dialogWithTemplate(kInputText))
            .type("wcs")
            .key(VK_RETURN)
            .waitFor(win::messageBoxContaining("already used"))
            .answer(IDOK);
    }
    // No twenty-first question: the add ends as if cancelled.
    s.waitFor(win::dialogWithTemplate(LevelsDialog::IDD))
        .check([] {
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kNameId), "A");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kReferenceId)));
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_TRUE(StartDlgLevels(levels)); });
    Vtl_StringArray names;
    levels.getNames(names);
    EXPECT_EQ(names, (Vtl_StringArray{"A", "B", "C"}));
}

TEST_F(LevelsDialogTest, DeletingTheFirstLevelShowsNoneAndLosesNoOtherLevelsHeight) {
    KsLevelsDlgData levels;
    int i = -1;
    levels.addLevel("A", i);
    levels.updateLevel(i, 1.0);
    levels.addLevel("B", i);
    levels.updateLevel(i, 2.0);
    levels.addLevel("C", i);
    levels.updateLevel(i, 3.0);
    Script s;
    s.waitFor(win::dialogWithTemplate(LevelsDialog::IDD))
        .click(ctrl(LevelsDialog::kDeleteId))
        .check([] {
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kNameId), "");
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kValueId), "");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kValueId)));
            EXPECT_EQ(items(LevelsDialog::kLevelsId), (std::vector<std::string>{"B", "C"}));
        })
        // With nothing shown there is nothing to delete.
        .click(ctrl(LevelsDialog::kDeleteId))
        .select(ctrl(LevelsDialog::kLevelsId), "C")
        .click(ctrl(LevelsDialog::kDeleteId))
        .check([] {
            // The level before the deleted one is shown, with no entry of the list chosen.
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), LevelsDialog::kNameId), "B");
            EXPECT_EQ(static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), LevelsDialog::kLevelsId)))->GetCurSel(), -1);
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_TRUE(StartDlgLevels(levels)); });
    ASSERT_EQ(levels.count(), 1);
    EXPECT_EQ(value1(levels, 0), 2.0);
}

}  // namespace
}  // namespace vtl::test
