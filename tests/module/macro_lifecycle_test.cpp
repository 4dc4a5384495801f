// Modeless macro dialogs: slot numbering, the close postponed while the macro is busy, closing them all,
// the module's unloading with busy dialogs, the focus left to the host; the callback record's copies; and
// the keyboard of a page (the Tab walk over its three zones, focus memory across tabs and a rebuild).
#include <filesystem>
#include <fstream>

#include "gfx/bmp.h"
#include "gfx/image.h"
#include "host/command_line.h"
#include "macro/macro_dialog.h"
#include "macro/macro_registry.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/settings.h"
#include "vtlui/ks_ma_callback_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/testing.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using ui::MacroDialog;
using ui::MacroDialogRegistry;
using ui::MacroTabPage;
using win::Script;

MacroData simpleMacro(const char* caption) {
    MacroData m;
    m.caption = caption;
    MacroTabData t;
    t.moduleName = "Plate";
    t.displayName = "Plate";
    MacroCell tp;
    tp.name = "tp";
    tp.label = "Thickness";
    tp.value = "10.00";
    t.cells.append(tp);
    m.tabs.append(t);
    return m;
}

class MacroLifecycle : public ModuleTest {
protected:
    int open(const char* caption = "m", bool keepFocus = true) {
        MacroData m = simpleMacro(caption);
        int id = -1;
        EXPECT_TRUE(StartDlgMacroModeless(keepFocus, m, id));
        return id;
    }
    static int count() { return MacroDialogRegistry::get().count(); }
    void TearDown() override {
        DestroyAllMacroDlgs();
        win::processPending();
        ModuleTest::TearDown();
    }
};

TEST_F(MacroLifecycle, SlotsAreNumberedReusedFromTheTopAndTrimmed) {
    EXPECT_EQ(open(), 0);
    EXPECT_EQ(open(), 1);
    EXPECT_EQ(open(), 2);
    EXPECT_TRUE(EndDlgMacroModeless(1));
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(open(), 1);
    EXPECT_EQ(open(), 3);
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_TRUE(EndDlgMacroModeless(2));
    EXPECT_EQ(open(), 2);  // the highest empty slot
    EXPECT_TRUE(EndDlgMacroModeless(3));
    EXPECT_TRUE(EndDlgMacroModeless(2));
    EXPECT_TRUE(EndDlgMacroModeless(1));
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(EndDlgMacroModeless(1));
    EXPECT_FALSE(EndDlgMacroModeless(-1));
    MacroData m;
    EXPECT_FALSE(GetDlgMacroData(0, m));
    win::processPending();
    EXPECT_TRUE(win::testing::liveTopLevelWindows().size() == 1);  // only the host's main window
}

TEST_F(MacroLifecycle, ABusyMacroClosesAtTheFirstTimerTickAfterItIsFree) {
    const int id = open("busy");
    MacroDialogRegistry::get().at(id)->macro().busy = true;
    host::clearCommandLine();
    EXPECT_TRUE(EndDlgMacroModeless(id));
    EXPECT_TRUE(EndDlgMacroModeless(id));  // asked twice: still one pending close
    EXPECT_EQ(MacroDialogRegistry::get().pendingTimers(), 1);
    win::advance(50);
    EXPECT_EQ(host::commandLineText(), "Delayed timer called.\n");
    ASSERT_NE(MacroDialogRegistry::get().at(id), nullptr);  // still busy: a new timer waits
    MacroData read;
    EXPECT_TRUE(GetDlgMacroData(id, read));
    EXPECT_EQ(read.caption.str(), "busy");
    MacroDialogRegistry::get().at(id)->macro().busy = false;
    win::advance(49);
    EXPECT_NE(MacroDialogRegistry::get().at(id), nullptr);
    win::advance(1);
    EXPECT_EQ(MacroDialogRegistry::get().at(id), nullptr);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(MacroDialogRegistry::get().pendingTimers(), 0);
}

TEST_F(MacroLifecycle, ALateTimerNeverClosesTheDialogThatReusedTheSlot) {
    const int id = open("first");
    MacroDialogRegistry::get().at(id)->macro().busy = true;
    EXPECT_TRUE(EndDlgMacroModeless(id));  // postponed
    // The drawing is done sooner than the timer: the detailer closes it with its Close button.
    MacroDialogRegistry::get().at(id)->macro().busy = false;
    Script close;
    close.click(win::ctrl(IDOK));
    play(close);
    win::processPending();
    ASSERT_EQ(MacroDialogRegistry::get().at(id), nullptr);
    EXPECT_EQ(MacroDialogRegistry::get().pendingTimers(), 0);  // its postponed close went with it
    // A new dialog takes the slot (perhaps at the freed one's address) and is busy in its turn: its own
    // close is postponed, not blocked by the old one, and happens once it is free.
    EXPECT_EQ(open("second"), id);
    win::advance(50);
    ASSERT_NE(MacroDialogRegistry::get().at(id), nullptr);
    EXPECT_EQ(MacroDialogRegistry::get().at(id)->macro().caption.str(), "second");
    MacroDialogRegistry::get().at(id)->macro().busy = true;
    EXPECT_TRUE(EndDlgMacroModeless(id));
    EXPECT_EQ(MacroDialogRegistry::get().pendingTimers(), 1);
    MacroDialogRegistry::get().at(id)->macro().busy = false;
    win::advance(50);
    EXPECT_EQ(MacroDialogRegistry::get().at(id), nullptr);
}

TEST_F(MacroLifecycle, APostponedCloseWaitsForTheValueInputAPageHasOpen) {
    gSettings.setLibDir(Vtl_String(libraryDir().string()));
    MacroData m = simpleMacro("solver");
    MacroCell total;
    total.name = "total";
    total.label = "total";
    total.value = "100.00";
    total.readOnly = true;
    m.tabs[0].cells.append(total);
    m.tabs[0].designFile = writeDesign(libraryDir(), "Solver", {"2 0.1 0.1 0.4 0.2 tp", "25 0.5 0.1 0.6 0.2 ... total;tp;;1;"});
    base::DrawingModel::get().placeMacro(m);
    int id = -1;
    ASSERT_TRUE(StartDlgMacroModeless(true, m, id));
    Script s;
    s.click(win::ctrl(33001))
        .waitFor(win::dialogWithTemplate(8069))
        .check([&] {
            // The caller closes the macro dialog while the page waits for the value.
            EXPECT_TRUE(EndDlgMacroModeless(id));
            EXPECT_NE(MacroDialogRegistry::get().at(id), nullptr);
        })
        .advance(120)  // the timers fire, and wait on
        .check([&] { EXPECT_NE(MacroDialogRegistry::get().at(id), nullptr); })
        .key(VK_DELETE)
        .type("130")
        .click(win::ctrl(IDOK));
    play(s);
    // The page finished its handler with the value applied; the close came after.
    EXPECT_EQ(base::DrawingModel::get().instance(m.objectIds[0])->tabs[0].cells[0].value.str(), "30.00");
    win::advance(50);
    EXPECT_EQ(MacroDialogRegistry::get().at(id), nullptr);
    EXPECT_EQ(MacroDialogRegistry::get().pendingTimers(), 0);
}

TEST_F(MacroLifecycle, DestroyingAllLeavesBusyDialogsToTheirTimersButUnloadClosesEverything) {
    DestroyAllMacroDlgs();  // none: nothing happens
    const int a = open("a"), b = open("b");
    MacroDialogRegistry::get().at(b)->macro().busy = true;
    DestroyAllMacroDlgs();
    EXPECT_EQ(MacroDialogRegistry::get().at(a), nullptr);
    EXPECT_NE(MacroDialogRegistry::get().at(b), nullptr);
    EXPECT_EQ(MacroDialogRegistry::get().pendingTimers(), 1);
    // The module unloads: the busy dialog goes too and its timer with it.
    host::clearCommandLine();
    acrxEntryPoint(2, nullptr);
    win::processPending();
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(win::testing::pendingTimerCount(), 0);
    win::advance(200);
    EXPECT_EQ(host::commandLineText().find("Delayed timer called."), std::string::npos);
    EXPECT_EQ(win::testing::liveTopLevelWindows().size(), 1u);
}

TEST_F(MacroLifecycle, WithoutKeepFocusTheHostKeepsTheKeyboard) {
    const int id = open("quiet", false);
    EXPECT_TRUE(::IsWindowVisible(MacroDialogRegistry::get().at(id)->m_hWnd));
    EXPECT_EQ(::GetFocus(), mainWindow());
    const int other = open("loud", true);
    EXPECT_TRUE(::IsChild(MacroDialogRegistry::get().at(other)->m_hWnd, ::GetFocus()) ||
                ::GetFocus() == MacroDialogRegistry::get().at(other)->m_hWnd);
    EXPECT_EQ(::SendMessage(MacroDialogRegistry::get().at(other)->m_hWnd, MacroDialog::kAnswerMessage), 1);
}

TEST_F(MacroLifecycle, ClosingFromTheDialogsOwnCloseButtonEndsItsSlot) {
    const int id = open("self");
    Script s;
    s.click(win::ctrl(IDOK));
    play(s);
    win::processPending();
    EXPECT_EQ(MacroDialogRegistry::get().at(id), nullptr);
    EXPECT_EQ(count(), 0);
}

TEST_F(MacroLifecycle, CallbackRecordsOwnTheirMacroAndSurviveSelfAssignment) {
    KsMACallBackData a;
    EXPECT_EQ(a.macro(), nullptr);
    a.initDataClass(simpleMacro("one"));
    a.initDataClass(simpleMacro("two"));  // already holds one: unchanged
    a.groupName = "Beam";
    a.objectIds.append(AcDbObjectId::fromOldId(7));
    ASSERT_NE(a.macro(), nullptr);
    EXPECT_EQ(a.macro()->caption.str(), "one");
    KsMACallBackData b = a;
    EXPECT_NE(b.macro(), a.macro());
    b.macro()->caption = "changed";
    EXPECT_EQ(a.macro()->caption.str(), "one");
    KsMACallBackData& self = a;
    a = self;
    ASSERT_NE(a.macro(), nullptr);
    EXPECT_EQ(a.macro()->caption.str(), "one");
    EXPECT_EQ(a.objectIds.length(), 1);
    KsMACallBackData empty;
    b = empty;
    EXPECT_EQ(b.macro(), nullptr);
}

// ---- the keyboard of a page ----

class PageKeyboard : public MacroLifecycle {
protected:
    void SetUp() override {
        MacroLifecycle::SetUp();
        gSettings.setLibDir(Vtl_String(libraryDir().string()));
        const fs::path root = libraryDir() / "Dialog Templates" / "Dialog Design";
        fs::create_directories(root);
        std::ofstream file(root / "Keys.txt", std::ios::binary);
        file << "nrOfControls=2\r\n"
             << "type0=2\r\ntopLeftX0=0.1\r\ntopLeftY0=0.1\r\nbottomRightX0=0.4\r\nbottomRightY0=0.2\r\ncontents0=a\r\n"
             << "type1=2\r\ntopLeftX1=0.5\r\ntopLeftY1=0.1\r\nbottomRightX1=0.8\r\nbottomRightY1=0.2\r\ncontents1=b\r\n";
        gfx::writeBmpFile((root / "Keys.bmp").string(), gfx::Image(300, 120, gfx::Rgba::of(RGB(255, 255, 255))));
    }
    MacroData keysMacro() {
        MacroData m;
        m.caption = "keys";
        m.filterList1 = Vtl_StringArray{"All", "Some"};
        for (const char* module : {"Bolts", "Other"}) {
            MacroTabData t;
            t.kind = 1;
            t.moduleName = module;
            t.displayName = module;
            t.designFile = gSettings.libDir() + Vtl_String("Dialog Templates\\Dialog Design\\Keys.txt");
            for (const char* name : {"a", "b", "c"}) {
                MacroCell c;
                c.name = name;
                c.label = name;
                c.value = "1.00";
                t.cells.append(c);
            }
            t.bolt.assembly = "Hexagon bolt 8.8";
            t.bolt.diameter = "20";
            m.tabs.append(t);
        }
        return m;
    }
    static int focusId() { return ::GetDlgCtrlID(::GetFocus()); }
    static std::string focusClass() { return GetClassName(::GetFocus()); }
};

TEST_F(PageKeyboard, TabWalksDesignedControlsThenTheGridThenThePagesOwnControls) {
    MacroDialog dlg(keysMacro());
    std::vector<std::string> walk;
    auto where = [&] {
        const int id = focusId();
        walk.push_back(ui::Vtl_Spread::isSpreadFocused() ? "grid" : std::to_string(id));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD)).check(where);
    for (int i = 0; i < 6; ++i) s.key(VK_TAB).check(where);
    s.click(win::ctrl(33000)).key(VK_TAB, win::ModShift).check(where).click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
    // a, b, the grid's one editable cell c, assembly, diameter, advanced, back to a; Shift+Tab on a: advanced.
    EXPECT_EQ(walk, (std::vector<std::string>{"33000", "33001", "grid", "1091", "1092", "1114", "33000", "1114"}));
}

TEST_F(PageKeyboard, EachTabKeepsItsFocusAcrossTabSwitchesAndARebuild) {
    MacroDialog dlg(keysMacro());
    auto tabTarget = [&](int index) {
        return tabItemOf([&dlg] { return ::GetDlgItem(dlg.m_hWnd, MacroDialog::kTabId); }, index);
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(33001))
        .check([&] { ::SendMessage(::GetFocus(), EM_SETSEL, 1, 3); })
        .click(tabTarget(1))
        .check([&] { ::SetFocus(::GetDlgItem(dlg.page(1)->m_hWnd, MacroTabPage::kDiameterId)); })  // a click would drop its list
        .click(tabTarget(0))
        .check([&] {
            EXPECT_EQ(focusId(), 33001);
            DWORD a = 0, b = 0;
            ::SendMessage(::GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
            EXPECT_EQ(a * 10 + b, 13u);
        })
        .click(tabTarget(1))
        .check([&] { EXPECT_EQ(focusId(), MacroTabPage::kDiameterId); })
        .select(win::ctrl(1177), "Some")  // the filter rebuilds every page
        .click(tabTarget(0))
        .check([&] { EXPECT_EQ(focusId(), 33001); })  // by id on the rebuilt page
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.macro().currentFilter1, 1);
}

}  // namespace
}  // namespace vtl::test
