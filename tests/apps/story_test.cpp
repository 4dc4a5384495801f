// The demo host's user stories and gallery checks: how a story file is read, how a size reaches a section
// table, how a macro record is compared, which library files count as written, which pictures are blank
// or show a cut or squeezed layout, and a story played end to end on the test's library.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gallery.h"
#include "grid/spread.h"
#include "grid/ss.h"
#include "story.h"
#include "support/fixture.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlui/vtl_prof_values_table.h"
#include "win/dialog.h"
#include "win/resources.h"
#include "win/testing.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using vtlhost::parseStory;
using vtlhost::StoryError;

const fs::path kSamples = fs::path(VTL_SOURCE_DIR) / "samples" / "library";

std::string errorOf(const std::string& text) {
    try {
        parseStory(text, "s.story");
    } catch (const StoryError& e) {
        return e.what();
    }
    return "no error";
}

std::string lineOf(const std::string& text, int line) {
    std::istringstream in(text);
    std::string l;
    for (int i = 0; i < line && std::getline(in, l); ++i) {
    }
    return l;
}

TEST(StoryFile, HeaderLinesSetTheSceneAndTheStepsKeepTheirLineNumbers) {
    const std::string text =
        "# a comment\n"
        "add-size HEA 1100 copy-of 1000 h=1090 English=\"HEA 1100 special\"  # trailing comment\n"
        "\n"
        "open macros EndPlate EndPlate-2\n"
        "wait dialog 8131\n"
        "click OK\n";
    const auto story = parseStory(text, "s.story");
    ASSERT_EQ(story.sizes.size(), 1u);
    EXPECT_EQ(story.sizes[0].type, "HEA");
    EXPECT_EQ(story.sizes[0].size, "1100");
    EXPECT_EQ(story.sizes[0].copyOf, "1000");
    EXPECT_EQ(story.sizes[0].line, 2);
    ASSERT_EQ(story.sizes[0].values.size(), 2u);
    EXPECT_EQ(story.sizes[0].values[1], (std::pair<std::string, std::string>{"English", "HEA 1100 special"}));
    EXPECT_EQ(story.open, "macros");
    EXPECT_EQ(story.openArgs, (std::vector<std::string>{"EndPlate", "EndPlate-2"}));
    EXPECT_EQ(story.openLine, 4);
    // The header is blanked, the steps stay on their own lines so the framework names them right.
    EXPECT_EQ(lineOf(story.steps, 2), "");
    EXPECT_EQ(lineOf(story.steps, 4), "");
    EXPECT_EQ(lineOf(story.steps, 5), "wait dialog 8131");
    EXPECT_EQ(lineOf(story.steps, 6), "click OK");
    try {
        win::Script::parse(parseStory(text + "bogus\n", "s.story").steps, "s.story");
        FAIL() << "a bad step was accepted";
    } catch (const win::ScriptParseError& e) {
        EXPECT_NE(std::string(e.what()).find("s.story:7:"), std::string::npos) << e.what();
    }
}

TEST(StoryFile, ABadHeaderIsNamedWithItsLine) {
    EXPECT_EQ(errorOf("wait dialog 8131\n"), "s.story:1: expected add-size, select-later or open before the steps, found \"wait\"");
    EXPECT_EQ(errorOf("# nothing\n\n"), "s.story:3: the story opens no dialog (an open line is missing)");
    EXPECT_NE(errorOf("\nopen macro\n").find("s.story:2: expected open macro <name>"), std::string::npos);
    EXPECT_NE(errorOf("open macros EndPlate\n").find("s.story:1: expected open macros"), std::string::npos);
    EXPECT_NE(errorOf("open window 5\n").find("s.story:1: expected open sample"), std::string::npos);
    EXPECT_NE(errorOf("open sample extra\n").find("takes nothing more"), std::string::npos);
    EXPECT_NE(errorOf("open levels\n").find("s.story:1: expected open levels <model>"), std::string::npos);
    EXPECT_NE(errorOf("open dstv-points Beams\n").find("takes nothing more"), std::string::npos);
    EXPECT_NE(errorOf("open cutting-stock everything\n").find("expected open cutting-stock [restricted]"), std::string::npos);
    EXPECT_EQ(parseStory("open cutting-stock restricted\n", "s.story").openArgs, (std::vector<std::string>{"restricted"}));
    EXPECT_EQ(parseStory("open levels \"Office building\"\n", "s.story").openArgs, (std::vector<std::string>{"Office building"}));
    EXPECT_NE(errorOf("open designer\n").find("s.story:1: expected open designer <design>"), std::string::npos);
    EXPECT_EQ(parseStory("open designer Bracings\\Gusset\n", "s.story").openArgs, (std::vector<std::string>{"Bracings\\Gusset"}));
    EXPECT_NE(errorOf("add-size HEA 1100 1000\nopen sample\n").find("s.story:1: expected add-size"), std::string::npos);
    EXPECT_NE(errorOf("add-size HEA 1100 copy-of 1000 h1090\nopen sample\n").find("expected <column>=<value>"),
              std::string::npos);
    EXPECT_NE(errorOf("open section-selector \"HEA-200\n").find("unterminated string"), std::string::npos);
    // After the open line every line is a step, even one that looks like a header.
    const auto story = parseStory("open sample\nadd-size HEA 1 copy-of 2\n", "s.story");
    EXPECT_TRUE(story.sizes.empty());
    EXPECT_EQ(lineOf(story.steps, 2), "add-size HEA 1 copy-of 2");
}

class StoryLibrary : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        fs::create_directories(libraryDir() / "prof");
        fs::copy_file(kSamples / "prof" / "HEA.pr", libraryDir() / "prof" / "HEA.pr");
        gSectionTables.reset();
    }
    void TearDown() override {
        gSectionTables.reset();
        Fixture::TearDown();
    }
};

TEST_F(StoryLibrary, AnAddedSizeIsACopyUnderItsNewNameWithTheValuesGiven) {
    vtlhost::SizeToAdd size{"HEA", "1100", "1000", {{"h", "1090"}, {"tw", "19"}}, 1};
    std::string error;
    ASSERT_TRUE(vtlhost::addSize(size, error)) << error;
    Vtl_ProfValuesTable table;
    ASSERT_TRUE(table.readFromFile("HEA.pr"));
    int row = 0, copied = 0;
    ASSERT_TRUE(table.findSysName("1100", row));
    ASSERT_TRUE(table.findSysName("1000", copied));
    EXPECT_EQ(row, copied + 1);  // right after the size it copies
    const Vtl_StringArray& added = table.rows[row];
    const Vtl_StringArray& original = table.rows[copied];
    EXPECT_EQ(added[table.getColumnIdx("English")].str(), "HEA 1100");
    EXPECT_EQ(added[table.getColumnIdx("Dutch")].str(), "HEA 1100");
    EXPECT_EQ(added[table.getColumnIdx("h")].str(), "1090");
    EXPECT_EQ(added[table.getColumnIdx("tw")].str(), "19");
    EXPECT_EQ(added[table.getColumnIdx("b")].str(), original[table.getColumnIdx("b")].str());
    EXPECT_EQ(added[1].str(), "1");
    // The selector's tables see it at once.
    Vtl_String userName;
    ASSERT_TRUE(gSectionTables.getUserName("HEA-1100", userName));
    EXPECT_EQ(userName.str(), "HEA 1100");
}

TEST_F(StoryLibrary, ASizeThatCannotBeAddedLeavesTheTableAsItWas) {
    const fs::path file = libraryDir() / "prof" / "HEA.pr";
    std::ifstream in(file, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    EXPECT_FALSE(vtlhost::addSize({"HEA", "1100", "999", {}, 1}, error));
    EXPECT_EQ(error, "HEA has no size 999 to copy");
    EXPECT_FALSE(vtlhost::addSize({"HEA", "200", "1000", {}, 1}, error));
    EXPECT_EQ(error, "HEA already has a size 200");
    EXPECT_FALSE(vtlhost::addSize({"HEA", "1100", "1000", {{"depth", "1"}}, 1}, error));
    EXPECT_EQ(error, "HEA has no column depth");
    EXPECT_FALSE(vtlhost::addSize({"HEA", "1100", "1000", {{"SysName", "1"}}, 1}, error));
    EXPECT_FALSE(vtlhost::addSize({"HEX", "1100", "1000", {}, 1}, error));
    EXPECT_EQ(error, "there is no section table HEX (prof\\HEX.pr)");
    EXPECT_FALSE(vtlhost::addSize({"../prof/HEA", "1100", "1000", {}, 1}, error));
    std::ifstream again(file, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, before);
}

TEST(MacroValues, ARecordFlattensToNamedValuesAndChangesAreFoundByName) {
    MacroData plate;
    std::string error;
    ASSERT_TRUE(readMacroFile((kSamples / "Macros" / "EndPlate.macro").string(), plate, error)) << error;
    const auto values = vtlhost::flattenMacro(plate);
    const auto find = [&](const std::string& where) -> std::string {
        for (const auto& [w, v] : values)
            if (w == where) return v;
        return "(missing)";
    };
    EXPECT_EQ(find("Plate.tp"), "15.00");
    EXPECT_EQ(find("Plate.grade.items"), "[S235, S275, S355, S460]");
    EXPECT_EQ(find("Bolts.bolt.diameter"), "20");
    EXPECT_EQ(find("Bolts.patterns.rows.count"), "3");
    EXPECT_EQ(find("Profiles.profiles.Beam.section"), "IPE-300");
    EXPECT_EQ(find("Plate.cuts.Notch.number"), "1");
    EXPECT_EQ(find("caption"), "End plate connection");

    MacroData changed = plate;
    changed.tabs[1].bolt.diameter = "24";
    changed.tabs[0].cells[0].value = "18.00";
    const auto changes = vtlhost::changedValues(values, vtlhost::flattenMacro(changed));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].where, "Plate.tp");
    EXPECT_EQ(changes[0].before, "15.00");
    EXPECT_EQ(changes[0].after, "18.00");
    EXPECT_EQ(changes[1].where, "Bolts.bolt.diameter");
    EXPECT_TRUE(vtlhost::changedValues(values, values).empty());
    // A value the old record did not have is a change from nothing.
    const auto added = vtlhost::changedValues({{"a", "1"}}, {{"a", "1"}, {"b", "2"}});
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].before, "(none)");

    // Macros edited together hand back the profiles of each; the second of a group is counted, so an
    // unchanged merged record shows no change.
    MacroData second = plate;
    second.tabs[2].profiles[0].sectionName = "IPE-360";
    Vtl_Array<MacroData> both;
    both.append(plate);
    both.append(second);
    MacroData merged;
    ASSERT_TRUE(mergeMacros(both, merged));
    const auto mergedValues = vtlhost::flattenMacro(merged);
    EXPECT_TRUE(vtlhost::changedValues(mergedValues, vtlhost::flattenMacro(merged)).empty());
    const auto hasValue = [&](const std::string& where, const std::string& value) {
        return std::count(mergedValues.begin(), mergedValues.end(), std::pair<std::string, std::string>(where, value)) == 1;
    };
    EXPECT_TRUE(hasValue("Profiles.profiles.Beam.section", "IPE-300"));
    EXPECT_TRUE(hasValue("Profiles.profiles.Beam#2.section", "IPE-360"));
}

TEST_F(StoryLibrary, FilesWrittenAreTheNewChangedAndRemovedOnes) {
    const auto folder = libraryDir().string();
    std::ofstream(libraryDir() / "keep.txt") << "same";
    std::ofstream(libraryDir() / "gone.txt") << "x";
    const auto before = vtlhost::snapshotFolder(folder);
    std::ofstream(libraryDir() / "prof" / "HEA.pr", std::ios::app) << "more";
    fs::create_directories(libraryDir() / "sub");
    std::ofstream(libraryDir() / "sub" / "new.txt") << "n";
    fs::remove(libraryDir() / "gone.txt");
    std::ofstream(libraryDir() / "keep.txt") << "same";  // rewritten with the same content
    EXPECT_EQ(vtlhost::filesWritten(before, vtlhost::snapshotFolder(folder)),
              (std::vector<std::string>{"gone.txt (removed)", "prof/HEA.pr", "sub/new.txt"}));
}

TEST(GalleryPictures, APictureOfOneColourOrNoneIsBlank) {
    EXPECT_TRUE(vtlhost::isBlankPicture(gfx::Image()));
    gfx::Image picture(20, 10, gfx::Rgba{212, 208, 200, 255});
    EXPECT_TRUE(vtlhost::isBlankPicture(picture));
    picture.at(19, 9) = gfx::Rgba{0, 0, 0, 255};
    EXPECT_FALSE(vtlhost::isBlankPicture(picture));
    gfx::Image seeThrough(3, 3, gfx::Rgba{212, 208, 200, 255});
    seeThrough.at(0, 0).a = 0;
    EXPECT_FALSE(vtlhost::isBlankPicture(seeThrough));
}

// Dialogs the gallery's layout check is tried on: a label cut by its rectangle, the same label with room,
// and a grid with room for one row of its ten beside one that shows both of its two.
constexpr char kGalleryDialogs[] =
    "DIALOG 991 240 120\nCAPTION \"Cut\"\nBEGIN\n"
    "  DEFPUSHBUTTON \"OK\" 1 150 84 80 26\n"
    "  LTEXT \"Distance from the bolt to the plate edge\" 1001 10 10 60 16\n"
    "END\n"
    "DIALOG 992 240 120\nCAPTION \"Fits\"\nBEGIN\n"
    "  DEFPUSHBUTTON \"OK\" 1 150 84 80 26\n"
    "  LTEXT \"Distance from the bolt to the plate edge\" 1001 10 10 220 16\n"
    "END\n"
    "DIALOG 993 240 250\nCAPTION \"Grids\"\nBEGIN\n"
    "  DEFPUSHBUTTON \"OK\" 1 150 214 80 26\n"
    "  CONTROL \"\" 1001 \"fpSpread70\" 10 10 220 50 WS_BORDER\n"
    "  CONTROL \"\" 1002 \"fpSpread70\" 10 70 220 130 WS_BORDER\n"
    "END\n";

class GridsDialog : public CDialog {
public:
    GridsDialog() : CDialog(993) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (int id : {1001, 1002}) SSSetColCount(::GetDlgItem(m_hWnd, id), 3);
        SSSetRowCount(::GetDlgItem(m_hWnd, 1001), 10);
        SSSetRowCount(::GetDlgItem(m_hWnd, 1002), 2);
        return TRUE;
    }
};

class GalleryLayout : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        static const win::EmbeddedFile files[] = {
            {"gallery_test.dlg", reinterpret_cast<const unsigned char*>(kGalleryDialogs), sizeof kGalleryDialogs - 1}};
        win::registerResources(instance(), files);
        grid::registerSpreadClass();
        saved_ = std::move(vtlhost::galleryEntries());
        vtlhost::galleryEntries().clear();
    }
    void TearDown() override {
        vtlhost::galleryEntries() = std::move(saved_);
        win::unregisterResources(instance());
        Fixture::TearDown();
    }
    static HINSTANCE instance() {
        static const int anchor = 0;
        return reinterpret_cast<HINSTANCE>(const_cast<int*>(&anchor));
    }
    static void add(const std::string& name, int templateId, std::function<void()> open = nullptr) {
        if (!open) open = [templateId] {
            CDialog dlg(static_cast<UINT>(templateId));
            dlg.DoModal();
        };
        vtlhost::galleryEntries().push_back(
            {name, "A layout the check is tried on.", templateId, open, {{"initial", nullptr}}});
    }

private:
    std::vector<vtlhost::GalleryEntry> saved_;
};

TEST_F(GalleryLayout, ACutLabelOrASqueezedGridFailsTheGalleryNamingThePictureAndTheControl) {
    add("cut", 991);
    add("fits", 992);
    add("grids", 993, [] {
        GridsDialog dlg;
        dlg.DoModal();
    });
    const fs::path folder = libraryDir() / "gallery";
    const vtlhost::GalleryResult result = vtlhost::writeGallery(folder.string());
    EXPECT_EQ(result.pictures, 3);
    ASSERT_EQ(result.problems.size(), 2u) << (result.problems.empty() ? "" : result.problems.front());
    const std::string label =
        "cut: cut-initial.png: STATIC 1001 \"Distance from the bolt to the plate edge\": text cut: needs ";
    EXPECT_EQ(result.problems[0].rfind(label, 0), 0u) << result.problems[0];
    EXPECT_NE(result.problems[0].find(" lines, has 60x16 (one line would need "), std::string::npos)
        << result.problems[0];
    const std::string grid = "grids: grids-initial.png: fpSpread70 1001: grid shows ";
    EXPECT_EQ(result.problems[1].rfind(grid, 0), 0u) << result.problems[1];
    EXPECT_NE(result.problems[1].find(" of 10, needs room for 3"), std::string::npos) << result.problems[1];
    // index.html names the problem under its entry; the picture is written all the same.
    std::ifstream in(folder / "index.html");
    std::stringstream html;
    html << in.rdbuf();
    EXPECT_NE(html.str().find("<p class=\"problem\">cut-initial.png: STATIC 1001 &quot;Distance"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder / "cut-initial.png"));
}

TEST_F(GalleryLayout, AVisibleGridMustShowThreeWholeRowsOrAllTheRowsItHasToShow) {
    GridsDialog dlg;
    ASSERT_TRUE(dlg.Create(993, AfxGetMainWnd()));
    dlg.ShowWindow(SW_SHOW);
    const HWND g = ::GetDlgItem(dlg.m_hWnd, 1001);
    SSSetSwitch(g, SS_SWITCH_HORZ_SCROLLBAR, FALSE);
    SSSetSwitch(g, SS_SWITCH_VERT_SCROLLBAR, FALSE);
    RECT area, firstRow;
    ASSERT_TRUE(SSGetClientRect(g, &area));
    ASSERT_TRUE(SSGetCellRect(g, 1, 1, &firstRow));
    // Room for two whole rows of ten.
    const int half = (area.bottom - firstRow.top) / 2;
    auto squeeze = [&] {
        for (int r = 1; r <= 10; ++r) SSSetRowHeightPixels(g, r, half);
    };
    squeeze();
    const std::vector<std::string> squeezed{"fpSpread70 1001: grid shows 2 whole rows of 10, needs room for 3"};
    EXPECT_EQ(vtlhost::gridProblems(dlg.m_hWnd), squeezed);
    // Hidden rows are not there to be shown; a grid with two rows has all of them shown.
    for (int r = 3; r <= 10; ++r) SSSetRowHeightPixels(g, r, 0);
    EXPECT_EQ(vtlhost::gridProblems(dlg.m_hWnd), std::vector<std::string>());
    SSSetRowHeightPixels(g, 7, half);
    EXPECT_EQ(vtlhost::gridProblems(dlg.m_hWnd), squeezed);
    SSSetRowCount(g, 2);
    EXPECT_EQ(vtlhost::gridProblems(dlg.m_hWnd), std::vector<std::string>());
    SSSetRowCount(g, 10);
    squeeze();
    ASSERT_EQ(vtlhost::gridProblems(dlg.m_hWnd), squeezed);
    dlg.ShowWindow(SW_HIDE);
    EXPECT_EQ(vtlhost::gridProblems(dlg.m_hWnd), std::vector<std::string>());  // nothing shown, nothing squeezed
    dlg.DestroyWindow();
}

class StoryRun : public StoryLibrary {};

TEST_F(StoryRun, ASectionStoryReportsThePickedSizeTheTableWrittenAndAnEmptyJournal) {
    vtl::base::Journal::get().clear();
    const auto story = parseStory(
        "add-size HEA 1100 copy-of 1000 h=1090\n"
        "open section-selector HEA-200\n"
        "wait dialog 30101\n"
        "select 1005 \"HEA 1100\"\n"
        "click OK\n",
        "t.story");
    std::ostringstream out;
    EXPECT_EQ(vtlhost::runStory(story, out), 0) << out.str();
    const std::string report = out.str();
    EXPECT_NE(report.find("Dialog ended with OK"), std::string::npos) << report;
    EXPECT_NE(report.find("profName: HEA-1100\n  shown as: HEA 1100\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Files written in the library folder:\n  prof/HEA.pr\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Drawing journal:\n  (empty)\n"), std::string::npos) << report;
}

TEST_F(StoryRun, AStoryThatLeavesTheDialogWaitingFails) {
    const auto story = parseStory("open section-selector HEA-200\nwait dialog 30101\nselect 1005 \"HEA 300\"\n", "t.story");
    std::ostringstream out;
    EXPECT_EQ(vtlhost::runStory(story, out), 1);
    EXPECT_NE(out.str().find("Dialog ended with Cancel"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("unanswered"), std::string::npos) << out.str();
    expectUnanswered("unanswered dialog 30101");
}

TEST_F(StoryRun, AFailingExpectationOrAMissingMacroFailsTheStory) {
    std::ostringstream out;
    EXPECT_EQ(vtlhost::runStory(parseStory("open section-selector HEA-200\nwait dialog 30101\n"
                                           "expect text 1007 \"HEA 300\"\nclick CANCEL\n",
                                           "t.story"),
                                out),
              1);
    EXPECT_NE(out.str().find("script error: t.story: step 2 (line 3)"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("unanswered dialog 30101"), std::string::npos) << out.str();
    win::testing::clearRecords();  // the story's failure, checked above
    std::ostringstream missing;
    EXPECT_EQ(vtlhost::runStory(parseStory("open macro NoSuchMacro\n", "t.story"), missing), 1);
    EXPECT_NE(missing.str().find("Cannot open the macro NoSuchMacro"), std::string::npos) << missing.str();
}

}  // namespace
}  // namespace vtl::test
