// Pop-up menus, message boxes and the file dialog, answered by scripts from inside a modal dialog.
#include <filesystem>
#include <fstream>

#include "win/file_dialog.h"
#include "win/menu.h"
#include "win/message_box.h"
#include "win/script.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// A dialog whose buttons open a menu (7005), a message box (7006) and a save dialog (7007).
class Asking : public CDialog {
public:
    explicit Asking(std::filesystem::path folder = {}) : CDialog(207), folder_(std::move(folder)) {}
    UINT_PTR menuChoice = 0;
    int answer = 0;
    INT_PTR fileResult = 0;
    std::string path;
    std::vector<UINT_PTR> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        switch (LOWORD(wParam)) {
        case 7005: {
            CMenu menu, sub;
            menu.CreatePopupMenu();
            sub.CreatePopupMenu();
            sub.AppendMenu(MF_STRING, 32803, "Check selection");
            sub.AppendMenu(MF_STRING | MF_GRAYED, 32804, "Uncheck selection");
            menu.AppendMenu(MF_STRING, 32811, "&Copy");
            menu.AppendMenu(MF_STRING, 32812, "&Paste");
            menu.AppendMenu(MF_SEPARATOR);
            menu.AppendMenu(MF_POPUP, sub.Detach().value(), "More");
            menu.CheckMenuRadioItem(32811, 32812, 32812, MF_BYCOMMAND);
            CRect r;
            GetDlgItem(7005)->GetWindowRect(&r);
            menuChoice = static_cast<UINT_PTR>(menu.TrackPopupMenu(TPM_RETURNCMD, r.left, r.bottom, this));
            return TRUE;
        }
        case 7006:
            answer = MessageBox("Save the changes to\n<HE 200 A>?", "Section library", MB_YESNOCANCEL | MB_ICONQUESTION);
            return TRUE;
        case 7007: {
            CFileDialog save(FALSE, "shp", "stock", OFN_OVERWRITEPROMPT, "Stock files (*.shp)|*.shp||", this);
            save.m_ofn.lpstrInitialDir = folder_.string();
            fileResult = save.DoModal();
            path = save.GetPathName();
            return TRUE;
        }
        default:
            if (HIWORD(wParam) == 0 && LOWORD(wParam) >= 32800) {
                commands.push_back(LOWORD(wParam));
                return TRUE;
            }
            return CDialog::OnCommand(wParam, lParam);
        }
    }

private:
    std::filesystem::path folder_;
};

TEST_F(WinTest, AMenuIsAnsweredByClickingAnItemOfASubMenu) {
    Asking dlg;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .click(ctrl(7005))
        .check([] {
            EXPECT_EQ(loopDepth(), 2);
            EXPECT_EQ(currentWait()->kind, WaitKind::Menu);
        })
        .click(menuItem("More"))
        .click(menuItem("Uncheck selection"))  // greyed: nothing happens
        .click(menuItem("Check selection"))
        .check([&] { EXPECT_EQ(dlg.menuChoice, 32803u); })
        .click(ctrl(7005))
        .key(VK_ESCAPE)  // closes the menu, not the dialog
        .check([&] { EXPECT_EQ(dlg.menuChoice, 0u); })
        .click(ctrl(7005))
        .click(menuItem("Paste"))
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(dlg.menuChoice, 32812u);
    EXPECT_EQ(liveMenuCount(), 0);  // both menus were destroyed with their objects
}

TEST_F(WinTest, AMenuWithoutReturnCommandPostsTheChoiceToItsOwner) {
    Asking dlg;
    ASSERT_TRUE(dlg.Create(207, AfxGetMainWnd()));
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 32816, "Insert row");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 32817, "Delete row");
    EXPECT_EQ(menu.GetMenuState(32817, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    std::string text;
    menu.GetMenuString(32816, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "Insert row");
    char small[4];
    EXPECT_EQ(GetMenuString(menu, 32816, small, sizeof small, MF_BYCOMMAND), 3);
    EXPECT_STREQ(small, "Ins");
    Script s;
    s.click(menuItem("Delete row"));
    BOOL chose = FALSE;
    run(s, [&] { chose = menu.TrackPopupMenu(TPM_RIGHTALIGN, 600, 400, &dlg); });
    EXPECT_TRUE(chose);
    EXPECT_TRUE(dlg.commands.empty());  // posted, not sent
    processPending();
    EXPECT_EQ(dlg.commands, (std::vector<UINT_PTR>{32817}));

    Script nobody;
    run(nobody, [&] { chose = menu.TrackPopupMenu(TPM_RETURNCMD, 600, 400, &dlg); });
    EXPECT_FALSE(chose);
    expectUnanswered("unanswered menu");
    dlg.DestroyWindow();
}

TEST_F(WinTest, AMessageBoxIsAnsweredAtDepthTwoAndItsCaptionButtonsAndTextAreAPersonsToRead) {
    Asking dlg;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .click(ctrl(7006))
        .waitFor(messageBoxContaining("<HE 200 A>"))
        .check([] {
            const HWND box = GetActiveWindow();
            EXPECT_EQ(GetWindowText(box), "Section library");
            EXPECT_EQ(GetDlgItemText(box, kMessageBoxTextId), "Save the changes to\n<HE 200 A>?");
            EXPECT_EQ(GetDlgItemText(box, IDYES), "&Yes");
            EXPECT_EQ(GetDlgItemText(box, IDCANCEL), "Cancel");
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDYES);  // the first button is the default
            EXPECT_EQ(loopDepth(), 2);
        })
        .answer(IDNO)
        .check([&] { EXPECT_EQ(dlg.answer, IDNO); })
        .click(ctrl(7006))
        .key(VK_ESCAPE)  // a box with Cancel answers Escape with Cancel
        .check([&] { EXPECT_EQ(dlg.answer, IDCANCEL); })
        .click(ctrl(7006))
        .key(VK_RETURN)
        .check([&] { EXPECT_EQ(dlg.answer, IDYES); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

// A step that opens a modal dialog itself (here a check that asks) hands the steps after it to that
// dialog's loop, and the script goes on after the step once the dialog is closed.
TEST_F(WinTest, AStepThatOpensAModalDialogGoesOnWithTheNextStepsInsideIt) {
    Asking dlg;
    int inside = 0;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .check([&] { inside = MessageBox(GetActiveWindow(), "Inside a step?", "Step", MB_YESNO); }, "asks")
        .answer(IDYES)
        .check([&] { EXPECT_EQ(inside, IDYES); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(inside, IDYES);
}

TEST_F(WinTest, UnansweredMessageBoxesGiveTheirCautiousAnswer) {
    Script s;
    int yesNo = 0, ok = 0;
    run(s, [&] {
        yesNo = MessageBox(mainWindow(), "Delete the file?", "Delete", MB_YESNO | MB_ICONEXCLAMATION);
        ok = AfxMessageBox("Done.");
    });
    EXPECT_EQ(yesNo, IDNO);
    EXPECT_EQ(ok, IDOK);
    expectUnanswered("unanswered messagebox Delete the file?");
    expectUnanswered("unanswered messagebox Done.");

    Script escape;
    escape.waitFor(messageBoxWith("Really?")).key(VK_ESCAPE).answer(IDYES);
    run(escape, [&] { yesNo = MessageBox(HWND(), "Really?", nullptr, MB_YESNO); });
    EXPECT_EQ(yesNo, IDYES);  // Escape does nothing without a Cancel button
}

TEST_F(WinTest, TheSaveDialogAsksBeforeReplacingAFileAndAddsTheDefaultExtension) {
    const auto folder = libraryDir() / "Cutting Stock";
    std::filesystem::create_directories(folder / "HE 200 A");
    std::ofstream(folder / "stock.SHP") << "x";
    std::ofstream(folder / "notes.txt") << "x";
    Asking dlg(folder);
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .click(ctrl(7007))
        .waitFor(captionIs("Save As"))
        .check([&] {
            // Folders first, then the files of the type: the name's case does not matter.
            const HWND list = GetDlgItem(GetActiveWindow(), CFileDialog::kListId);
            std::vector<std::string> items;
            for (int i = 0; i < static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0)); ++i) {
                std::string t;
                SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
                items.push_back(t);
            }
            EXPECT_EQ(items, (std::vector<std::string>{"[..]", "[HE 200 A]", "stock.SHP"}));
            EXPECT_EQ(GetDlgItemText(GetActiveWindow(), CFileDialog::kNameId), "stock");
        })
        .click(ctrl(IDOK))  // "stock" + ".shp" does not exist in that case: no question
        .waitFor(dialogWithTemplate(207))
        .check([&] {
            EXPECT_EQ(dlg.fileResult, IDOK);
            EXPECT_EQ(dlg.path, (folder / "stock.shp").string());
        })
        .click(ctrl(7007))
        .waitFor(captionIs("Save As"))
        .select(ctrl(CFileDialog::kListId), "stock.SHP")
        .click(ctrl(IDOK))
        .waitFor(messageBoxContaining("already exists"))
        .check([] { EXPECT_EQ(loopDepth(), 3); })
        .answer(IDNO)
        .waitFor(captionIs("Save As"))
        .click(ctrl(IDOK))
        .waitFor(messageBoxContaining("already exists"))
        .answer(IDYES)
        .waitFor(dialogWithTemplate(207))
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.fileResult, IDOK);
    EXPECT_EQ(dlg.path, (folder / "stock.SHP").string());
}

TEST_F(WinTest, TheOpenDialogWantsAnExistingFileAndWalksFolders) {
    const auto folder = libraryDir();
    std::filesystem::create_directories(folder / "prof");
    std::ofstream(folder / "prof" / "HEA.pr") << "x";
    CFileDialog open(TRUE, "pr", nullptr, OFN_FILEMUSTEXIST, "Section tables (*.pr)|*.pr|All files (*.*)|*.*||");
    open.m_ofn.lpstrInitialDir = folder.string();
    open.m_ofn.lpstrTitle = "Open a table";
    Script s;
    s.waitFor(captionIs("Open a table"))
        .type("missing")
        .key(VK_RETURN)
        .waitFor(messageBoxContaining("missing.pr\nFile not found."))
        .answer(IDOK)
        .click(ctrl(CFileDialog::kNameId))
        .key('A', ModCtrl)
        .type("prof")
        .key(VK_RETURN)  // a folder's name opens the folder
        .check([] {
            EXPECT_NE(GetDlgItemText(GetActiveWindow(), CFileDialog::kFolderId).find("prof"), std::string::npos);
        })
        .select(ctrl(CFileDialog::kListId), "HEA.pr")
        .click(ctrl(IDOK));
    INT_PTR result = 0;
    run(s, [&] { result = open.DoModal(); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(open.GetPathName(), (folder / "prof" / "HEA.pr").string());
    EXPECT_EQ(open.GetFileTitle(), "HEA");
    EXPECT_EQ(open.GetFileExt(), "pr");
}

}  // namespace
}  // namespace vtl::test
