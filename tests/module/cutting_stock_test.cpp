// The cutting stock: stock files (names, numbering, newest file, the separator, files from Windows, failed
// reads and writes, profile names that are no folder names), the report, and the dialog through
// StartDlgCSP2 and scripts: profiles, rows, opening and saving stock files, restricted mode, OK and Cancel.
#include <filesystem>
#include <fstream>

#include "cutstock/cutting_stock_dialog.h"
#include "cutstock/cutting_stock_report.h"
#include "cutstock/stock_files.h"
#include "host/command_line.h"
#include "module_test_support.h"
#include "vtlbase/dialog_services.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/file_dialog.h"
#include "win/keys.h"
#include "win/layout_check.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using ui::CuttingStockDialog;
using win::ctrl;
using win::Script;
using Rows = std::vector<std::vector<std::string>>;
constexpr int kInputText = 8069;

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Vtl_Array<Vtl_StringArray> table(const Rows& rows) {
    Vtl_Array<Vtl_StringArray> t;
    for (const auto& r : rows) {
        Vtl_StringArray row;
        for (const auto& c : r) row.append(Vtl_String(c));
        t.append(row);
    }
    return t;
}

Rows plain(const Vtl_Array<Vtl_StringArray>& t) {
    Rows out;
    for (const auto& r : t) {
        std::vector<std::string> row;
        for (const auto& c : r) row.push_back(c.str());
        out.push_back(row);
    }
    return out;
}

HWND item(int id) { return ::GetDlgItem(::GetActiveWindow(), id); }

// What a grid of the shown dialog holds, as its rows of cell texts.
Rows gridRows(int list) {
    auto* grid = dynamic_cast<ui::Vtl_Spread*>(CWnd::FromHandle(item(CuttingStockDialog::kGridIds[list - 1])));
    Vtl_Array<Vtl_StringArray> t;
    if (grid) grid->getTable(t);
    return plain(t);
}

win::Target cellOfList(int list, int col, int row) {
    return cellOf([list] { return item(CuttingStockDialog::kGridIds[list - 1]); }, col, row);
}

class CuttingStockTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        // A library folder with capitals: no part of a path may change its case.
        library_ = libraryDir() / "Shop Library";
        fs::create_directories(library_);
        gSettings.setLibDir(Vtl_String(library_.string()));
    }
    fs::path stock(const std::string& profile) const { return library_ / "Cutting Stock" / profile; }
    void write(const std::string& profile, const std::string& file, const std::string& bytes, int ageMinutes = 0) {
        fs::create_directories(stock(profile));
        const fs::path p = stock(profile) / file;
        std::ofstream(p, std::ios::binary) << bytes;
        fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::minutes(ageMinutes));
    }
    // A job of two profiles with a length to cut each.
    static DlgCSP2Data job() {
        DlgCSP2Data d;
        d.addProfile("IPE 300");
        d.addProfile("HEA 200");
        for (int n = 1; n <= 3; ++n)
            for (const char* c : {"Length", "Quantity", "Note"}) d.list(n).columnNames.append(c);
        d.list1.replaceRowsOf(1, table({{"5400", "4", "B1"}}));
        d.list1.replaceRowsOf(2, table({{"3150", "2", "C1"}}));
        return d;
    }
    fs::path library_;
};

TEST_F(CuttingStockTest, StockFileNamesKeepTheirCaseAndCountOnFromTheLargestNumber) {
    Vtl_String folder;
    ASSERT_TRUE(ui::stockFolder("HEA 100", folder));
    EXPECT_EQ(folder.str(), library_.string() + "\\Cutting Stock\\HEA 100\\");
    EXPECT_EQ(ui::nextStockFileName(folder, "shp").str(), folder.str() + "Stock1.shp");
    write("HEA 100", "stock9.shp", "");
    write("HEA 100", "Stock10.SHP", "");
    write("HEA 100", "Stock99.buy", "");
    write("HEA 100", "Stock12a.shp", "");
    write("HEA 100", "Stock99999999999999999999999.shp", "");
    EXPECT_EQ(ui::nextStockFileName(folder, "shp").str(), folder.str() + "Stock11.shp");
    EXPECT_EQ(ui::nextStockFileName(folder, "buy").str(), folder.str() + "Stock100.buy");
    EXPECT_EQ(ui::withStockExtension("C:\\Jobs\\Hall A\\Stock1.SHP", "shp").str(), "C:\\Jobs\\Hall A\\Stock1.SHP");
    EXPECT_EQ(ui::withStockExtension("C:\\Jobs\\Hall A\\Week 12", "buy").str(), "C:\\Jobs\\Hall A\\Week 12.buy");
    // Names that would lead out of "Cutting Stock" have no folder.
    for (const char* bad : {"..\\..\\x", "..", "a/b", "c:\\x", "", "NUL"}) EXPECT_FALSE(ui::stockFolder(bad, folder)) << bad;
}

TEST_F(CuttingStockTest, TheNewestFileIsTheOneWrittenLastAndEqualTimesGoToTheLastName) {
    write("IPE 300", "Stock1.shp", "", 60);
    write("IPE 300", "Stock2.shp", "", 5);
    write("IPE 300", "Older.shp", "", 30);
    write("IPE 300", "Stock3.buy", "", 1);
    Vtl_String folder;
    ASSERT_TRUE(ui::stockFolder("IPE 300", folder));
    ui::StockFile newest;
    ASSERT_TRUE(ui::newestStockFile(folder, "shp", newest));
    EXPECT_EQ(getFileName(newest.path).str(), "Stock2.shp");
    const ui::NewestStockFiles both = ui::newestStockFiles(folder);
    ASSERT_TRUE(both.hasShop && both.hasBuy);
    EXPECT_EQ(getFileName(both.shop.path).str(), "Stock2.shp");
    EXPECT_EQ(getFileName(both.buy.path).str(), "Stock3.buy");
    const auto t = fs::last_write_time(stock("IPE 300") / "Stock2.shp");
    fs::last_write_time(stock("IPE 300") / "Stock1.shp", t);
    ASSERT_TRUE(ui::newestStockFile(folder, "shp", newest));
    EXPECT_EQ(getFileName(newest.path).str(), "Stock2.shp");
    EXPECT_FALSE(ui::newestStockFile(folder + "Missing\\", "shp", newest));
}

TEST_F(CuttingStockTest, CellsKeepTheirSeparatorsAndCharactersThroughFiles) {
    Vtl_String folder;
    ASSERT_TRUE(ui::stockFolder("L 80x8", folder));
    fs::create_directories(stock("L 80x8"));
    // A "¿" in a cell is written as "?", so the row keeps three cells.
    std::string error;
    ASSERT_TRUE(ui::writeStockFile(folder + "Stock1.shp", table({{"a\u00BFb", "2", "3"}, {"6000", "1", "Rack Süd"}}), error));
    EXPECT_EQ(bytesOf(stock("L 80x8") / "Stock1.shp"), "a?b\xBF" "2\xBF" "3\r\n6000\xBF" "1\xBFRack S\xFC" "d\r\n");
    Vtl_Array<Vtl_StringArray> rows;
    ASSERT_TRUE(ui::readStockFile(folder + "Stock1.shp", rows));
    EXPECT_EQ(plain(rows), (Rows{{"a?b", "2", "3"}, {"6000", "1", "Rack Süd"}}));
    // A file from Windows: CR LF, Windows-1252, an empty line; a cell holding byte 191 still splits.
    write("L 80x8", "Peer.shp", "12000\xBF" "3\xBFHalle \xD6st\r\n\r\n6000\xBF" "2\xBF" "a\xBF" "b\r\n");
    ASSERT_TRUE(ui::readStockFile(folder + "Peer.shp", rows));
    EXPECT_EQ(plain(rows), (Rows{{"12000", "3", "Halle Öst"}, {"6000", "2", "a", "b"}}));
    // UTF-8 text is split on the character, never on the byte 0xBF inside "ÿ" or "п".
    write("L 80x8", "Utf8.shp", "\xEF\xBB\xBF\xC3\xBF\xD0\xBF\xC2\xBF" "2\xC2\xBF" "3\n");
    ASSERT_TRUE(ui::readStockFile(folder + "Utf8.shp", rows));
    EXPECT_EQ(plain(rows), (Rows{{"ÿп", "2", "3"}}));
}

TEST_F(CuttingStockTest, AFailedWriteOrReadChangesNothing) {
    Vtl_String folder;
    ASSERT_TRUE(ui::stockFolder("IPE 300", folder));
    write("IPE 300", "Stock1.shp", "6000\xBF" "4\xBF" "A\r\n");
    std::string error;
    // "п" has no place in the file's code page: the write fails and the old file stays.
    EXPECT_FALSE(ui::writeStockFile(folder + "Stock1.shp", table({{"п", "1", ""}}), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(bytesOf(stock("IPE 300") / "Stock1.shp"), "6000\xBF" "4\xBF" "A\r\n");
    // A file too large to read leaves the rows as they were.
    write("IPE 300", "Huge.shp", "");
    fs::resize_file(stock("IPE 300") / "Huge.shp", vtl::base::files::kMaxTextFileBytes + 1);
    Vtl_Array<Vtl_StringArray> rows = table({{"1", "2", "3"}});
    EXPECT_FALSE(ui::readStockFile(folder + "Huge.shp", rows));
    EXPECT_EQ(plain(rows), (Rows{{"1", "2", "3"}}));
}

TEST_F(CuttingStockTest, TheReportLoadsTheNewestFilesAndNamesWhatIsMissing) {
    DlgCSP2Data d = job();
    d.addProfile("..\\..\\Outside");
    d.list2.replaceRowsOf(2, table({{"12000", "1", "kept"}}));
    write("IPE 300", "Stock1.shp", "6000\xBF" "2\xBFold\r\n", 90);
    write("IPE 300", "Stock2.shp", "12000\xBF" "5\xBF" "Rack 1\r\n", 10);
    write("IPE 300", "Stock1.buy", "12000\xBF" "10\xBF" "48.50\r\n", 20);
    // The newest shop file of HEA 200 cannot be read: its rows stay and it is reported as missing.
    write("HEA 200", "Stock1.shp", "6000\xBF" "1\xBF" "x\r\n", 30);
    write("HEA 200", "Stock2.shp", "", 1);
    fs::resize_file(stock("HEA 200") / "Stock2.shp", vtl::base::files::kMaxTextFileBytes + 1);
    const Vtl_StringArray lines = ui::loadNewestStock(d);
    const std::string rule(116, '-');
    const auto dated = [&](const char* profile, const char* file) {
        Vtl_FileTime t;
        ObjectExportGetFileTime(Vtl_String((stock(profile) / file).string()), t);
        return ui::formatStockFileTime(t).str();
    };
    std::vector<std::string> got;
    for (const auto& l : lines) got.push_back(l.str());
    EXPECT_EQ(got, (std::vector<std::string>{
                       rule,
                       "Loaded stock file \"Stock2.shp\" for profile \"IPE 300\" dated " + dated("IPE 300", "Stock2.shp"),
                       "",
                       "Loaded purchase file \"Stock1.buy\" for profile \"IPE 300\" dated " + dated("IPE 300", "Stock1.buy"),
                       rule,
                       "No stock file for profile \"HEA 200\".",
                       "",
                       "No purchase file for profile \"HEA 200\".",
                       rule,
                       "No stock file for profile \"..\\..\\Outside\".",
                       "",
                       "No purchase file for profile \"..\\..\\Outside\".",
                       rule}));
    Vtl_Array<Vtl_StringArray> rows;
    d.list2.rowsOf(1, rows);
    EXPECT_EQ(plain(rows), (Rows{{"12000", "5", "Rack 1"}}));
    d.list3.rowsOf(1, rows);
    EXPECT_EQ(plain(rows), (Rows{{"12000", "10", "48.50"}}));
    d.list2.rowsOf(2, rows);
    EXPECT_EQ(plain(rows), (Rows{{"12000", "1", "kept"}}));
    // The report creates no folder, inside "Cutting Stock" or outside it.
    EXPECT_FALSE(fs::exists(library_ / "Cutting Stock" / "..\\..\\Outside"));
    EXPECT_FALSE(fs::exists(libraryDir() / "Outside"));
    EXPECT_EQ(ui::formatStockFileTime(Vtl_FileTime{}).str().find("%"), std::string::npos);

    DlgCSP2Data none;
    EXPECT_EQ(ui::loadNewestStock(none).length(), 1);
}

TEST_F(CuttingStockTest, SwitchingProfilesKeepsEditsOkHandsThemBackAndCancelDiscardsThem) {
    DlgCSP2Data d = job();
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Cutting stock");
            EXPECT_EQ(GetWindowText(item(CuttingStockDialog::kReportId)), "Report");
            EXPECT_FALSE(::IsWindowVisible(item(CuttingStockDialog::kAskNamesId)));
            EXPECT_EQ(gridRows(1), (Rows{{"5400", "4", "B1"}}));
            EXPECT_EQ(gridRows(2), Rows{});
        })
        // Rows added to an empty list are ready for typing.
        .click(ctrl(8606))
        .type("12000")
        .key(VK_TAB)
        .type("6")
        .key(VK_RETURN)
        .check([] { EXPECT_EQ(gridRows(2), (Rows{{"12000", "6", ""}})); })
        .select(ctrl(CuttingStockDialog::kProfilesId), "HEA 200")
        .check([] {
            EXPECT_EQ(gridRows(1), (Rows{{"3150", "2", "C1"}}));
            EXPECT_EQ(gridRows(2), Rows{});
        })
        .click(cellOfList(1, 1, 1))
        .type("3200")
        .key(VK_RETURN)
        .click(ctrl(8601))
        .type("2750")
        .key(VK_RETURN)
        .select(ctrl(CuttingStockDialog::kProfilesId), "IPE 300")
        .check([] { EXPECT_EQ(gridRows(2), (Rows{{"12000", "6", ""}})); })
        .click(ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgCSP2(d); });
    ASSERT_TRUE(ok);
    Vtl_Array<Vtl_StringArray> rows;
    d.list1.rowsOf(2, rows);
    EXPECT_EQ(plain(rows), (Rows{{"3200", "2", "C1"}, {"2750", "", ""}}));
    d.list2.rowsOf(1, rows);
    EXPECT_EQ(plain(rows), (Rows{{"12000", "6", ""}}));

    const DlgCSP2Data before = d;
    Script cancel;
    cancel.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kRemoveProfileId))
        .click(ctrl(8605))
        .key(VK_ESCAPE);
    run(cancel, [&] { ok = StartDlgCSP2(d); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(d.profileNames.length(), before.profileNames.length());
    EXPECT_EQ(d.list1.rows.length(), before.list1.rows.length());
}

TEST_F(CuttingStockTest, ProfilesAreAddedAndRemovedAndWithoutAProfileNothingHappens) {
    DlgCSP2Data d = job();
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kAddProfileId))
        .waitFor(win::dialogWithTemplate(kInputText))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Add profile");
            EXPECT_EQ(GetWindowText(item(8003)), "New");
        })
        .key('A', win::ModCtrl)
        .type("..\\L 90x9")
        .key(VK_RETURN)
        .waitFor(win::messageBoxContaining("cannot be used as a file name"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kAddProfileId))
        .waitFor(win::dialogWithTemplate(kInputText))
        .key('A', win::ModCtrl)
        .type("L 90x9")
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(item(CuttingStockDialog::kProfilesId)), "L 90x9");
            EXPECT_EQ(gridRows(1), Rows{});
        })
        .click(ctrl(8601))
        .type("1800")
        .key(VK_RETURN)
        // The selection stays at the removed profile's place, or moves to the last one.
        .select(ctrl(CuttingStockDialog::kProfilesId), "IPE 300")
        .click(ctrl(CuttingStockDialog::kRemoveProfileId))
        .check([] {
            EXPECT_EQ(GetWindowText(item(CuttingStockDialog::kProfilesId)), "HEA 200");
            EXPECT_EQ(gridRows(1), (Rows{{"3150", "2", "C1"}}));
        })
        .click(ctrl(CuttingStockDialog::kRemoveProfileId))
        .check([] { EXPECT_EQ(GetWindowText(item(CuttingStockDialog::kProfilesId)), "L 90x9"); })
        .click(ctrl(CuttingStockDialog::kRemoveProfileId))
        .check([] {
            for (int list = 1; list <= 3; ++list) EXPECT_EQ(gridRows(list), Rows{});
        })
        // Without a profile rows, files and removing do nothing.
        .click(ctrl(8601))
        .click(ctrl(CuttingStockDialog::kSaveShopId))
        .click(ctrl(CuttingStockDialog::kOpenBuyId))
        .click(ctrl(CuttingStockDialog::kRemoveProfileId))
        .check([] { EXPECT_EQ(gridRows(1), Rows{}); })
        .click(ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgCSP2(d); });
    ASSERT_TRUE(ok);
    EXPECT_EQ(d.profileNames.length(), 0);
    EXPECT_EQ(d.profileIds.length(), 0);
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(d.list(n).rows.length(), 0);
    EXPECT_FALSE(fs::exists(library_ / "Cutting Stock"));
}

TEST_F(CuttingStockTest, SavedStockFilesAreNumberedInTheProfilesFolderAndOpeningProposesTheNewest) {
    DlgCSP2Data d = job();
    d.list2.replaceRowsOf(1, table({{"12000", "4", "Rack 2"}}));
    write("IPE 300", "stock9.shp", "6000\xBF" "1\xBF" "a\r\n", 120);
    write("IPE 300", "Stock10.shp", "6000\xBF" "2\xBF" "b\r\n", 100);
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kSaveShopId))
        .waitFor(win::captionIs("Save stock file"))
        .check([] { EXPECT_EQ(GetWindowText(item(CFileDialog::kNameId)), "Stock11.shp"); })
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kSaveShopId))
        .waitFor(win::captionIs("Save stock file"))
        .check([] { EXPECT_EQ(GetWindowText(item(CFileDialog::kNameId)), "Stock12.shp"); })
        .click(ctrl(IDCANCEL))
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(8607))  // the row removed: opening brings back the newest file's rows
        .click(ctrl(CuttingStockDialog::kOpenShopId))
        .waitFor(win::captionIs("Open stock file"))
        .check([] { EXPECT_EQ(GetWindowText(item(CFileDialog::kNameId)), "Stock11.shp"); })
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([] { EXPECT_EQ(gridRows(2), (Rows{{"12000", "4", "Rack 2"}})); })
        // A purchase list saved for a profile that has no folder yet.
        .select(ctrl(CuttingStockDialog::kProfilesId), "HEA 200")
        .click(ctrl(8608))
        .type("12000")
        .key(VK_RETURN)
        .click(ctrl(CuttingStockDialog::kSaveBuyId))
        .waitFor(win::captionIs("Save stock file"))
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgCSP2(d); });
    EXPECT_EQ(bytesOf(stock("IPE 300") / "Stock11.shp"), "12000\xBF" "4\xBFRack 2\r\n");
    EXPECT_FALSE(fs::exists(stock("IPE 300") / "Stock12.shp"));
    EXPECT_EQ(bytesOf(stock("HEA 200") / "Stock1.buy"), "12000\xBF\xBF\r\n");
}

TEST_F(CuttingStockTest, AnUnreadableStockFileIsReportedAndKeepsTheRows) {
    DlgCSP2Data d = job();
    d.list2.replaceRowsOf(1, table({{"12000", "4", "Rack 2"}}));
    write("IPE 300", "Stock1.shp", "", 1);
    fs::resize_file(stock("IPE 300") / "Stock1.shp", vtl::base::files::kMaxTextFileBytes + 1);
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kOpenShopId))
        .waitFor(win::captionIs("Open stock file"))
        .key(VK_RETURN)
        .waitFor(win::messageBoxContaining("cannot be read"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([] { EXPECT_EQ(gridRows(2), (Rows{{"12000", "4", "Rack 2"}})); })
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgCSP2(d); });
    Vtl_Array<Vtl_StringArray> rows;
    d.list2.rowsOf(1, rows);
    EXPECT_EQ(plain(rows), (Rows{{"12000", "4", "Rack 2"}}));
}

TEST_F(CuttingStockTest, TheReportShowsWhatWasLoadedAndCancelStillDiscardsIt) {
    DlgCSP2Data d = job();
    write("HEA 200", "Stock1.shp", "6000\xBF" "3\xBF" "Yard\r\n", 5);
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kReportId))
        .waitFor(win::dialogWithTemplate(vtl::base::kInfoDialogTemplate))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Cutting stock report");
            EXPECT_EQ(GetWindowText(item(IDOK)), "Close");
            const std::string text = GetDlgItemText(::GetActiveWindow(), vtl::base::kInfoDialogTextId);
            EXPECT_NE(text.find("No stock file for profile \"IPE 300\"."), std::string::npos);
            EXPECT_NE(text.find("Loaded stock file \"Stock1.shp\" for profile \"HEA 200\" dated "), std::string::npos);
        })
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .select(ctrl(CuttingStockDialog::kProfilesId), "HEA 200")
        .check([] { EXPECT_EQ(gridRows(2), (Rows{{"6000", "3", "Yard"}})); })
        .key(VK_ESCAPE);
    bool ok = true;
    run(s, [&] { ok = StartDlgCSP2(d); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(d.list2.rows.length(), 0);
}

TEST_F(CuttingStockTest, RestrictedModeLeavesTheShopStockAndSavesEveryProfile) {
    DlgCSP2Data d = job();
    d.restricted = true;
    d.list2.replaceRowsOf(1, table({{"12000", "2", ""}}));
    d.list2.replaceRowsOf(2, table({{"6000", "5", ""}}));
    write("HEA 200", "Stock4.shp", "", 10);
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(item(CuttingStockDialog::kReportId)), "Save all");
            EXPECT_TRUE(::IsWindowVisible(item(CuttingStockDialog::kAskNamesId)));
            for (int id : {8590, 8591, 1321, 1323, 8601, 8605, 8608, 8609, 8603, 8604}) EXPECT_FALSE(::IsWindowEnabled(item(id))) << id;
            for (int id : {9036, 1322, 8606, 8607, 8600, 8602, 8592, 9074}) EXPECT_TRUE(::IsWindowEnabled(item(id))) << id;
        })
        .click(ctrl(CuttingStockDialog::kReportId))
        .click(ctrl(CuttingStockDialog::kAskNamesId))
        .click(ctrl(CuttingStockDialog::kReportId))
        .waitFor(win::captionIs("Save stock file"))
        .check([] { EXPECT_EQ(GetWindowText(item(CFileDialog::kNameId)), "Stock2.shp"); })
        .key(VK_RETURN)
        .waitFor(win::captionIs("Save stock file"))
        .check([] { EXPECT_EQ(GetWindowText(item(CFileDialog::kNameId)), "Stock6.shp"); })
        .click(ctrl(IDCANCEL))
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgCSP2(d); });
    EXPECT_EQ(bytesOf(stock("IPE 300") / "Stock1.shp"), "12000\xBF" "2\xBF\r\n");
    EXPECT_EQ(bytesOf(stock("IPE 300") / "Stock2.shp"), "12000\xBF" "2\xBF\r\n");
    EXPECT_EQ(bytesOf(stock("HEA 200") / "Stock5.shp"), "6000\xBF" "5\xBF\r\n");
    EXPECT_FALSE(fs::exists(stock("HEA 200") / "Stock6.shp"));
}

TEST_F(CuttingStockTest, AFailedSaveIsReportedAndLeavesThePreviousFiles) {
    DlgCSP2Data d = job();
    d.list2.replaceRowsOf(1, table({{"12000", "2", "Склад"}}));
    write("IPE 300", "Stock1.shp", "6000\xBF" "1\xBF\r\n", 10);
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .click(ctrl(CuttingStockDialog::kSaveShopId))
        .waitFor(win::captionIs("Save stock file"))
        .click(ctrl(CFileDialog::kNameId))
        .key('A', win::ModCtrl)
        .type("Stock1")
        .key(VK_RETURN)
        .waitFor(win::messageBoxContaining("already exists"))
        .answer(IDYES)
        .waitFor(win::messageBoxContaining("could not be saved"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .key(VK_ESCAPE);
    run(s, [&] { StartDlgCSP2(d); });
    EXPECT_EQ(bytesOf(stock("IPE 300") / "Stock1.shp"), "6000\xBF" "1\xBF\r\n");
    EXPECT_NE(host::commandLineText().find("*Error*"), std::string::npos);
}

TEST_F(CuttingStockTest, ResizedTheListsShareTheWidthAndTheSizeIsKeptForNextTime) {
    DlgCSP2Data d = job();
    const auto width = [](int id) {
        RECT r;
        ::GetWindowRect(item(id), &r);
        return r.right - r.left;
    };
    RECT first{};
    Script s;
    s.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([&] { EXPECT_EQ(win::layoutProblems(::GetActiveWindow()), std::vector<std::string>{}); })
        .resize(1200, 600)
        .check([&] {
            EXPECT_EQ(win::layoutProblems(::GetActiveWindow()), std::vector<std::string>{});
            EXPECT_GT(width(1321), 296 + 40);
            EXPECT_NEAR(width(1321), width(1322), 2);
            EXPECT_NEAR(width(1322), width(1323), 2);
            ::GetWindowRect(::GetActiveWindow(), &first);
        })
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgCSP2(d); });
    Script again;
    again.waitFor(win::dialogWithTemplate(CuttingStockDialog::IDD))
        .check([&] {
            RECT r;
            ::GetWindowRect(::GetActiveWindow(), &r);
            EXPECT_EQ(r.right - r.left, first.right - first.left);
            EXPECT_EQ(r.bottom - r.top, first.bottom - first.top);
        })
        .key(VK_ESCAPE);
    run(again, [&] { StartDlgCSP2(d); });
}

}  // namespace
}  // namespace vtl::test
