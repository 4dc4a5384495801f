// Formulas, registered functions and files through the SS... functions of a live grid: value records
// with text in movable blocks, a function that loads another grid from a file and recalculates it,
// automatic recalculation after the user's edits, and file results.
#include <string>

#include "grid_test_support.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/pump.h"

namespace vtl::test {
namespace {
using win::Script;
using win::dialogWithTemplate;

std::string formula(HWND g, int col, int row) { return SSGetCellString(g, col, row, SS_CONTENT_FORMULA); }

void withGrid(GridDialog& dlg, const std::function<void(HWND)>& body) {
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog)).check([&] { body(dlg.grid()); }).click(win::ctrl(IDCANCEL));
    win::runWithScript(s, [&] { dlg.DoModal(); });
}

std::string recordText(const SS_VALUE& v) {
    if (!v.text) return "<none>";
    const char* p = static_cast<const char*>(GlobalLock(v.text));
    std::string t = p ? p : "";
    GlobalUnlock(v.text);
    return t;
}

void answerText(SS_VALUE* result, const std::string& text) {
    result->status = SS_VALUE_STATUS_OK;
    result->type = SS_VALUE_TYPE_TEXT;
    result->text = GlobalAlloc(GHND, text.size() + 1);
    char* p = static_cast<char*>(GlobalLock(result->text));
    std::copy(text.begin(), text.end(), p);
    GlobalUnlock(result->text);
}

// A look-up in the style of the module's own: argument 1 names a file, argument 2 a cell of it. The
// file is loaded into a new grid, the cell recalculated there and its text handed back.
HWND gParent = nullptr;
int gLookups = 0;
BOOL lookUp(SS_VALUE* result, SS_VALUE* args, int count);
void registerLookUp(HWND g) { SSAddCustomFunctionExt(g, "FROMFILE", 2, 2, lookUp, SS_CUSTFUNC_WANTCELLREF); }
BOOL lookUp(SS_VALUE* result, SS_VALUE* args, int count) {
    ++gLookups;
    HWND caller = nullptr;
    int col = 0, row = 0;
    EXPECT_TRUE(SSGetCalcCell(&caller, &col, &row));
    if (count != 2 || args[0].type != SS_VALUE_TYPE_TEXT || args[1].type != SS_VALUE_TYPE_CELL) return FALSE;
    HWND other = CreateWindowEx(0, "fpSpread70", "", WS_CHILD, 0, 0, 100, 100, gParent, 2000 + gLookups);
    std::string answer = "unloadable";
    if (SSLoadFromFile(other, recordText(args[0]).c_str())) {
        registerLookUp(other);
        SSReCalcCell(other, args[1].col, args[1].row);
        answer = SSGetCellString(other, args[1].col, args[1].row, SS_CONTENT_TEXT);
    }
    DestroyWindow(other);
    // The caller's own grid is still readable in mid-calculation.
    answer += "@" + std::to_string(col) + "," + std::to_string(row) + ":" + std::to_string(SSGetColCount(caller));
    answerText(result, answer);
    return TRUE;
}

TEST_F(GridTest, FormulasFollowTheReferenceStyleAndRecalculate) {
    GridDialog dlg;
    withGrid(dlg, [&](HWND g) {
        SSSetColCount(g, 5);
        SSSetRowCount(g, 5);
        SSSetCellText(g, 1, 1, "2");
        EXPECT_TRUE(SSSetCellFormula(g, 2, 2, "=A1*10"));
        EXPECT_EQ(cellText(g, 2, 2), "20");
        EXPECT_FALSE(SSSetCellFormula(g, 2, 3, "=A1*"));  // refused
        SSSetRefStyle(g, 2);
        EXPECT_EQ(formula(g, 2, 2), "R[-1]C[-1]*10");
        // Copying formula text in R1C1 keeps it relative: the copy reads its own neighbour.
        EXPECT_TRUE(SSSetCellFormula(g, 3, 3, formula(g, 2, 2).c_str()));
        SSSetRefStyle(g, 0);
        EXPECT_EQ(formula(g, 3, 3), "B2*10");
        EXPECT_EQ(cellText(g, 3, 3), "200");
        // Program writes recalculate dependents while switch 7 is on.
        SSSetCellText(g, 1, 1, "3");
        EXPECT_EQ(cellText(g, 3, 3), "300");
        SSSetSwitch(g, SS_SWITCH_AUTO_CALC, FALSE);
        SSSetCellText(g, 1, 1, "4");
        EXPECT_EQ(cellText(g, 3, 3), "300");
        EXPECT_TRUE(SSSetFormula(g, 4, 1, "A1+1", FALSE));
        EXPECT_EQ(cellText(g, 4, 1), "");
        EXPECT_TRUE(SSReCalcCell(g, 3, 3));
        EXPECT_EQ(cellText(g, 3, 3), "400");
        EXPECT_FALSE(SSReCalcCell(g, 5, 5));
        EXPECT_TRUE(SSReCalc(g));
        EXPECT_EQ(cellText(g, 4, 1), "5");
        SSClearBlock(g, 1, 1, 1, 1);
        SSSetSwitch(g, SS_SWITCH_AUTO_CALC, TRUE);
        SSSetCellText(g, 1, 1, "1");
        EXPECT_EQ(cellText(g, 4, 1), "2");
    });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, UserEditsAndPastesRecalculateDependents) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        SSSetColCount(g, 3);
        SSSetRowCount(g, 3);
        SSSetSwitch(g, SS_SWITCH_USER_FORMULAS, TRUE);
        SSSetCellFormula(g, 2, 1, "A1*2");
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 1, 1))
        .type("21")
        .key(VK_RETURN)
        .check([&] { EXPECT_EQ(cellText(dlg.grid(), 2, 1), "42"); })
        .click(cellTarget(dlg, 3, 3))
        .type("=B1+1")
        .key(VK_RETURN)
        .check([&] {
            EXPECT_EQ(cellText(dlg.grid(), 3, 3), "43");
            EXPECT_EQ(formula(dlg.grid(), 3, 3), "B1+1");
        })
        .click(cellTarget(dlg, 3, 2))
        .type("=B1+")  // does not parse: refused, nothing changes
        .key(VK_RETURN)
        .check([&] {
            EXPECT_EQ(cellText(dlg.grid(), 3, 2), "");
            win::setClipboardText("5");
            SSSetActiveCell(dlg.grid(), 1, 1);
        })
        .key('V', win::ModCtrl)
        .check([&] { EXPECT_EQ(cellText(dlg.grid(), 3, 3), "11"); })
        .key(VK_DELETE)
        .check([&] { EXPECT_EQ(cellText(dlg.grid(), 3, 3), "1"); })
        .click(win::ctrl(IDCANCEL));
    win::runWithScript(s, [&] { dlg.DoModal(); });
}

TEST_F(GridTest, RegisteredFunctionsGetValueRecordsAndMayLoadOtherGrids) {
    GridDialog dlg;
    gParent = nullptr;
    gLookups = 0;
    const std::string dir = testing::TempDir();
    const std::string leaf = dir + "/calc_leaf.sss";
    const std::string middle = dir + "/calc_middle.sss";
    const std::string self = dir + "/calc_self.sss";
    withGrid(dlg, [&](HWND g) {
        gParent = dlg.m_hWnd;
        SSSetColCount(g, 3);
        SSSetRowCount(g, 3);
        // The leaf file: B2 = 6*7, saved with switch 7 off and no result yet.
        SSSetSwitch(g, SS_SWITCH_AUTO_CALC, FALSE);
        SSSetCellFormula(g, 2, 2, "6*7");
        EXPECT_EQ(SSSaveToFile(g, leaf.c_str()), 1);
        // The middle file looks the leaf up, before FROMFILE is registered on this grid.
        SSSetCellFormula(g, 1, 1, ("FROMFILE(\"" + leaf + "\",B2)").c_str());
        EXPECT_EQ(SSSaveToFile(g, middle.c_str()), 1);
        // A file that looks itself up: A1 asks for B1 of the file, B1 for A1.
        SSSetCellFormula(g, 1, 1, ("FROMFILE(\"" + self + "\",B1)").c_str());
        SSSetCellFormula(g, 2, 1, ("FROMFILE(\"" + self + "\",A1)").c_str());
        EXPECT_EQ(SSSaveToFile(g, self.c_str()), 1);

        ASSERT_NE(SSLoadFromFile(g, middle.c_str()), 0);
        EXPECT_EQ(cellText(g, 1, 1), "");  // loaded without recalculation
        EXPECT_TRUE(SSReCalcCell(g, 1, 1));
        EXPECT_EQ(cellText(g, 1, 1), "#NAME?");  // not registered yet
        registerLookUp(g);
        EXPECT_TRUE(SSReCalcCell(g, 1, 1));
        EXPECT_EQ(cellText(g, 1, 1), "42@1,1:3");
        EXPECT_EQ(gLookups, 1);

        // Wrong counts give an empty cell without a call.
        EXPECT_TRUE(SSSetCellFormula(g, 3, 3, "FROMFILE(\"x\")"));
        EXPECT_TRUE(SSReCalcCell(g, 3, 3));
        EXPECT_EQ(cellText(g, 3, 3), "");
        EXPECT_EQ(gLookups, 1);
        // A missing file: the function answers, the text says so.
        EXPECT_TRUE(SSSetCellFormula(g, 3, 3, "FROMFILE(\"/no/such/file.sss\",A1)"));
        EXPECT_TRUE(SSReCalcCell(g, 3, 3));
        EXPECT_EQ(cellText(g, 3, 3), "unloadable@3,3:3");

        // The self look-up nests grid in grid until the depth guard answers.
        gLookups = 0;
        ASSERT_NE(SSLoadFromFile(g, self.c_str()), 0);
        EXPECT_TRUE(SSReCalcCell(g, 1, 1));
        EXPECT_EQ(gLookups, 16);
        EXPECT_EQ(cellText(g, 1, 1).substr(0, 7), "#DEPTH!");
        EXPECT_FALSE(SSGetCalcCell(nullptr, nullptr, nullptr));
        EXPECT_EQ(win::liveGlobalBlocks(), 0);  // every text block was freed

        // A failed load reports 0 and leaves the grid as it was.
        const std::string before = formula(g, 1, 1);
        EXPECT_EQ(SSLoadFromFile(g, (dir + "/absent.sss").c_str()), 0);
        EXPECT_EQ(formula(g, 1, 1), before);
        EXPECT_EQ(SSSaveToFile(g, (dir + "/no/such/dir.sss").c_str()), 0);
    });
}

}  // namespace
}  // namespace vtl::test
