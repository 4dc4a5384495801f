// The file chooser and the information dialog, answered by scripts: a chosen, typed or cancelled file;
// the information dialog's texts, read-only lines and layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "controls_support.h"
#include "vtlbase/dialog_services.h"
#include "vtlbase/settings.h"
#include "win/file_dialog.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using win::ctrl;
using win::Script;

TEST_F(ControlsTest, TheFileChooserOpensSavesAndCancels) {
    const auto designs = libraryDir() / "Designer";
    std::filesystem::create_directories(designs);
    std::ofstream(designs / "Base.txt") << "x";
    std::ofstream(designs / "Base.bmp") << "x";

    Vtl_String path;
    Script open;
    open.waitFor(win::captionIs("Open design"))
        .check([] {
            // Only the type asked for is listed, in the folder asked for (found without regard to case).
            const HWND box = GetActiveWindow();
            const LRESULT n = SendDlgItemMessage(box, CFileDialog::kListId, LB_GETCOUNT, 0, 0);
            std::string all;
            for (LRESULT i = 0; i < n; ++i) {
                std::string item;
                SendDlgItemMessage(box, CFileDialog::kListId, LB_GETTEXT, static_cast<WPARAM>(i),
                                   reinterpret_cast<LPARAM>(&item));
                all += item + ";";
            }
            EXPECT_NE(all.find("Base.txt"), std::string::npos);
            EXPECT_EQ(all.find("Base.bmp"), std::string::npos);
        })
        .select(ctrl(CFileDialog::kListId), "Base.txt")
        .click(ctrl(IDOK));
    bool chosen = false;
    run(open, [&] {
        chosen = DlgOpenSave(true, "Open design", "txt", "Designs (*.txt)", gSettings.libDir() + "designer\\", path);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(std::filesystem::path(path.str()), designs / "Base.txt");

    Script save;
    save.waitFor(win::captionIs("Save design as"))
        .click(ctrl(CFileDialog::kNameId))
        .key('A', win::ModCtrl)
        .type("Column")
        .key(VK_RETURN);
    run(save, [&] {
        chosen = DlgOpenSave(false, "Save design as", ".txt", "Designs (*.txt)", gSettings.libDir() + "Designer\\", path);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(std::filesystem::path(path.str()), designs / "Column.txt");  // the extension added

    const Vtl_String before = path;
    Script cancel;
    cancel.waitFor(win::captionIs("Open picture")).click(ctrl(IDCANCEL));
    run(cancel, [&] { chosen = DlgOpenSave(true, "Open picture", "bmp", "Pictures (*.bmp)", "", path); });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(path, before);
}

TEST_F(ControlsTest, TheInformationDialogShowsItsLinesReadOnlyWithTheCallersTexts) {
    Vtl_StringArray lines{"Stock file \"Stock1.shp\" loaded", "", "------"};
    Script s;
    s.waitFor(win::dialogWithTemplate(vtl::base::kInfoDialogTemplate))
        .check([] {
            const HWND box = GetActiveWindow();
            EXPECT_EQ(GetWindowText(box), "Stock report");
            EXPECT_EQ(GetDlgItemText(box, IDOK), "Close");
            const HWND text = GetDlgItem(box, vtl::base::kInfoDialogTextId);
            EXPECT_EQ(GetWindowText(text), "Stock file \"Stock1.shp\" loaded\r\n\r\n------");
            EXPECT_TRUE(GetWindowLongPtr(text, GWL_STYLE) & ES_READONLY);
            // Laid out inside the dialog, the text above the button, and drawn.
            RECT client{};
            GetClientRect(box, &client);
            const RECT t = childRect(text), b = childRect(GetDlgItem(box, IDOK));
            for (const RECT& r : {t, b}) {
                EXPECT_GE(r.left, 0);
                EXPECT_GE(r.top, 0);
                EXPECT_LE(r.right, client.right);
                EXPECT_LE(r.bottom, client.bottom);
            }
            EXPECT_LE(t.bottom, b.top);
            EXPECT_FALSE(win::renderWindow(box).empty());
        })
        .type("x")  // read-only: typing changes nothing
        .check([] {
            EXPECT_EQ(GetDlgItemText(GetActiveWindow(), vtl::base::kInfoDialogTextId).find('x'), std::string::npos);
        })
        .key(VK_RETURN);
    run(s, [&] { ExportStartDlgInfo(lines, "Stock report", "Close"); });

    // Empty caller texts keep the template's; Escape closes too.
    Script again;
    again.waitFor(win::dialogWithTemplate(vtl::base::kInfoDialogTemplate))
        .check([] {
            EXPECT_EQ(GetWindowText(GetActiveWindow()), "Information");
            EXPECT_EQ(GetDlgItemText(GetActiveWindow(), IDOK), "OK");
        })
        .key(VK_ESCAPE);
    run(again, [&] { ExportStartDlgInfo(Vtl_StringArray{}, "", ""); });

    // Nobody answers: the dialog ends as cancelled and the fixture hears of it.
    expectUnanswered("unanswered dialog 30100");
    Script none;
    run(none, [&] { ExportStartDlgInfo(lines, "Stock report", "Close"); });
}

}  // namespace
}  // namespace vtl::test
