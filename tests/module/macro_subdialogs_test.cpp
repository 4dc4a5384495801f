// The sub-dialogs a macro page opens: the bolt-advanced dialog and the pattern dialog apply each change to
// the drawing while they are open; the array dialog hands its record back on OK only.
#include <string>

#include "grid/ss.h"
#include "host/command_line.h"
#include "macro/macro_dialog.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::Journal;
using ui::MacroDialog;
using ui::MacroTabPage;
using win::Script;

constexpr int kBoltDialog = 8140, kPatternDialog = 222, kArrayDialog = 236;

// A bolt tab with two hole columns, one slotted hole (inactive), a pattern with properties and an array
// of three entries.
MacroTabData boltsTab() {
    MacroTabData t;
    t.kind = 1;
    t.moduleName = t.displayName = "Bolts";
    t.cells.append(cell("e1", "45.00"));
    MacroPatternProps rows;
    rows.name = "rows";
    rows.label = "Bolt rows";
    rows.countText = "3";
    rows.hasButton = true;
    rows.kind = 2;
    rows.side1.firstValueSwitch = 1;
    rows.side1.firstValue = "45";
    rows.side1.secondValue = "90";
    rows.side1.values = Vtl_StringArray{"45", "90", "90"};
    rows.side2.secondValue = "100";
    rows.side2.values = Vtl_StringArray{"50", "100"};
    rows.options[1] = -1;  // mixed
    t.patterns.append(rows);
    MacroBoltData& b = t.bolt;
    b.assembly = "Hexagon bolt 8.8";
    b.diameter = "20";
    b.holeTolerance = "2";
    b.penetrationLength = "0";
    b.addedLength = "0";
    b.countersunk = 2;  // mixed
    b.nut1 = 1;
    b.nut2 = -1;  // this assembly has no second nut
    b.washer1 = b.washer2 = b.washers = 1;
    b.setHoleColumns([] {
        AcArray<bool> used;
        used.append(true);
        used.append(true);
        return used;
    }(), Vtl_StringArray{"Left column", "Right column"});
    MacroSlottedHole slot;
    slot.firstSize = "22";
    slot.length = "0";
    b.slottedHoles.append(slot);
    DynArrayData a;
    a.name = a.label = "stiffeners";
    a.values[0] = "3";
    for (const char* text : {"Top", "Middle", "Bottom"}) {
        DynArrayEntry e;
        e.text = text;
        e.flag = true;
        a.entries.append(e);
    }
    t.arrays.append(a);
    return t;
}

class MacroSubDialogs : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(libraryDir().string()));
        host::clearCommandLine();
        macro_.macroType = "EndPlate";
        macro_.tabs.append(boltsTab());
        DrawingModel::get().placeMacro(macro_);
    }
    void runDialog(Script& s) {
        dialog_ = std::make_unique<MacroDialog>(macro_);
        run(s, [&] { dialog_->DoModal(); });
    }
    const MacroTabData& drawn() { return DrawingModel::get().instance(macro_.objectIds[0])->tabs[0]; }
    const MacroTabData& record() { return dialog_->macro().tabs[0]; }
    static win::Target activeCell(int gridId, int col, int row) {
        return cellOf([gridId] { return ::GetDlgItem(::GetActiveWindow(), gridId); }, col, row);
    }
    static int checkOf(int id) { return static_cast<int>(::SendMessage(::GetDlgItem(::GetActiveWindow(), id), BM_GETCHECK, 0, 0)); }
    static bool enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), id)); }

    MacroData macro_;
    std::unique_ptr<MacroDialog> dialog_;
};

TEST_F(MacroSubDialogs, BoltGradeAndAHoleColumnGoToTheDrawingWhileTheDialogIsOpen) {
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(MacroTabPage::kAdvancedId))
        .waitFor(win::dialogWithTemplate(kBoltDialog))
        .check([&] {
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 1091), "Hexagon bolt 8.8");
            EXPECT_EQ(checkOf(1115), BST_INDETERMINATE);  // mixed countersunk shows as such
            EXPECT_FALSE(enabled(8714));                  // no second nut to choose
            EXPECT_FALSE(enabled(1119));                  // the slotted hole is not active
        })
        .select(win::ctrl(1091), "Hexagon bolt 10.9")
        .check([&] {
            EXPECT_EQ(drawn().bolt.assembly.str(), "Hexagon bolt 10.9");
            EXPECT_EQ(Journal::get().count("UpdateModule"), 1);
            EXPECT_EQ(Journal::get().last("UpdateModule")->text(), "UpdateModule(Bolts, -2, ) -> true");
        })
        .click(activeCell(1196, 1, 2))  // the right column is no longer used
        .check([&] {
            ASSERT_EQ(drawn().bolt.holeColumnsUsed.length(), 2);
            EXPECT_TRUE(drawn().bolt.holeColumnsUsed[0]);
            EXPECT_FALSE(drawn().bolt.holeColumnsUsed[1]);
            EXPECT_EQ(drawn().bolt.countersunk, 2);  // untouched: still mixed
            EXPECT_EQ(drawn().bolt.nut2, -1);
        })
        .click(win::ctrl(8665))  // the washer's label acts for its box
        .check([&] { EXPECT_EQ(drawn().bolt.washer1, 0); })
        .click(win::ctrl(8667))  // the second nut is not available: its label changes nothing
        .check([&] { EXPECT_EQ(drawn().bolt.nut2, -1); })
        .click(win::ctrl(1115))  // one click: the box has two states from now on
        .check([&] {
            EXPECT_NE(checkOf(1115), BST_INDETERMINATE);
            EXPECT_NE(drawn().bolt.countersunk, 2);
        })
        .click(win::ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] { EXPECT_EQ(GetDlgItemText(dialog_->page(0)->m_hWnd, MacroTabPage::kAssemblyId), "Hexagon bolt 10.9"); })
        .click(win::ctrl(IDOK));
    runDialog(s);
    EXPECT_EQ(record().bolt.assembly.str(), "Hexagon bolt 10.9");
}

TEST_F(MacroSubDialogs, AnActiveSlottedHoleWithoutALengthBlocksApplyingAndClosing) {
    int updates = 0;
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(MacroTabPage::kAdvancedId))
        .waitFor(win::dialogWithTemplate(kBoltDialog))
        .click(win::ctrl(1120))
        .waitFor(win::messageBoxContaining("needs a size and a length"))
        .check([&] {
            updates = Journal::get().count("UpdateModule");
            EXPECT_EQ(drawn().bolt.slottedHoles[0].active, 0);  // nothing applied
        })
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kBoltDialog))
        .check([&] {
            // The entry is active on screen, its fields open for the correction, its item ticked.
            EXPECT_TRUE(enabled(1118));
            auto* slots = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), 1108)));
            EXPECT_EQ(slots->GetCount(), 1);
        })
        .key(VK_RETURN)  // Enter applies: still invalid, still open
        .waitFor(win::messageBoxContaining("needs a size and a length"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kBoltDialog))
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("needs a size and a length"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kBoltDialog))
        .check([&] { EXPECT_EQ(Journal::get().count("UpdateModule"), updates); })
        .click(win::ctrl(1118))
        .key('A', win::ModCtrl)
        .type("40")
        .key(VK_RETURN)
        .check([&] {
            EXPECT_EQ(drawn().bolt.slottedHoles[0].active, 1);
            EXPECT_EQ(drawn().bolt.slottedHoles[0].length.str(), "40");
        })
        .click(win::ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runDialog(s);
}

TEST_F(MacroSubDialogs, APatternChangeIsAppliedOnceAndTheDialogKeepsItsCopy) {
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(cellOf([this] { return dialog_->page(0)->grid().grid(); }, 2, 2))
        .waitFor(win::dialogWithTemplate(kPatternDialog))
        .check([&] {
            EXPECT_EQ(Journal::get().count("UpdateModule"), 0);  // opening changes nothing
            EXPECT_EQ(checkOf(1274), BST_INDETERMINATE);
            EXPECT_FALSE(enabled(1276));  // depends on 1274, which is not checked
        })
        .click(win::ctrl(1273))
        .check([&] {
            EXPECT_EQ(Journal::get().count("UpdateModule"), 1);
            EXPECT_EQ(Journal::get().last("UpdateModule")->text(), "UpdateModule(Bolts, -1, 0) -> true");
            EXPECT_EQ(drawn().patterns[0].options[0], 1);
            EXPECT_EQ(drawn().patterns[0].options[1], -1);  // the mixed option untouched
        })
        .click(win::ctrl(1266))
        .key(VK_END)
        .type("5")  // each keystroke is a change: pitch 90 -> 905
        .check([&] {
            EXPECT_EQ(Journal::get().count("UpdateModule"), 2);
            EXPECT_EQ(drawn().patterns[0].side1.secondValue.str(), "905");
        })
        .key(VK_BACK)
        .select(win::ctrl(1281), "*varies*")
        .check([&] {
            EXPECT_EQ(drawn().patterns[0].side2.distribution, 0);  // a mixed choice changes no macro
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 1281), "*varies*");  // the dialog keeps its copy
        })
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runDialog(s);
    EXPECT_EQ(drawn().patterns[0].side1.secondValue.str(), "90");
    EXPECT_EQ(record().patterns[0].side2.distribution, 0);
}

TEST_F(MacroSubDialogs, APatternOfOneSideKeepsTheSecondSideShownButClosed) {
    macro_.tabs[0].patterns[0].kind = 1;
    DrawingModel::get().reset();
    DrawingModel::get().placeMacro(macro_);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(cellOf([this] { return dialog_->page(0)->grid().grid(); }, 2, 2))
        .waitFor(win::dialogWithTemplate(kPatternDialog))
        .check([&] {
            for (int id : {1361, 1281, 1360, 1267, 1269, 1273, 1274, 1276, 1277}) EXPECT_FALSE(enabled(id)) << id;
            EXPECT_TRUE(enabled(1266));
            const HWND side2 = ::GetDlgItem(::GetActiveWindow(), 1358);
            EXPECT_TRUE(::IsWindowVisible(side2));
            EXPECT_EQ(SSGetRowCount(side2), 2);
        })
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runDialog(s);
    EXPECT_EQ(Journal::get().count("UpdateModule"), 0);
}

TEST_F(MacroSubDialogs, AnArrayEntryRemovedReachesTheDrawingAsAnArrayChange) {
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(cellOf([this] { return dialog_->page(0)->grid().grid(); }, 2, 3))
        .waitFor(win::dialogWithTemplate(kArrayDialog))
        .check([&] { EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Array (stiffeners)"); })
        .click(activeCell(1196, 3, 2))
        .click(win::ctrl(1087))  // remove "Middle"
        .check([&] { EXPECT_EQ(Journal::get().count("UpdateModule"), 0); })  // nothing before OK
        .click(win::ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runDialog(s);
    ASSERT_EQ(drawn().arrays[0].entries.length(), 2);
    EXPECT_EQ(drawn().arrays[0].entries[1].text.str(), "Bottom");
    EXPECT_EQ(Journal::get().last("UpdateModule")->text(), "UpdateModule(Bolts, -4, ) -> true");
}

TEST_F(MacroSubDialogs, TheArrayExportHandsBackOnOkOnlyAndShowsTheFieldsOfTheKind) {
    DynArrayData array = macro_.tabs[0].arrays[0];
    array.kind = KsArrayMixed;
    array.option = -1;
    const DynArrayData original = array;
    Script s;
    s.waitFor(win::dialogWithTemplate(kArrayDialog))
        .check([&] {
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 1005), "*varies*");
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), 1196)));  // as the linear kind
        })
        .select(win::ctrl(1005), "Rectangular")
        .check([&] {
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), 1196)));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), 1347)));
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), 1011)));
            // The second dimension offers the module's number cells.
            auto* second = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), 1350)));
            ASSERT_EQ(second->GetCount(), 1);
            EXPECT_EQ(second->GetLBText(0), "e1");
        })
        .click(win::ctrl(IDCANCEL));
    bool ok = true;
    run(s, [&] { ok = StartArrayDlg(array, macro_.objectIds, "Bolts"); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(array, original);

    Script add;
    add.waitFor(win::dialogWithTemplate(kArrayDialog))
        .select(win::ctrl(1005), "Linear")
        .click(activeCell(1196, 3, 3))
        .click(win::ctrl(1348))  // a new entry after "Bottom", its text typed at once
        .type("Haunch")
        .key(VK_RETURN)
        .click(win::ctrl(IDOK));
    run(add, [&] { ok = StartArrayDlg(array, macro_.objectIds, "Bolts"); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(array.kind, KsArrayLinear);
    EXPECT_EQ(array.option, -1);  // left untouched: still mixed
    ASSERT_EQ(array.entries.length(), 4);
    EXPECT_EQ(array.entries[3].text.str(), "Haunch");
    EXPECT_TRUE(array.entries[3].flag);
}

}  // namespace
}  // namespace vtl::test
