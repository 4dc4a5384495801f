// Designed dialogs on disk: the design file, its picture, hostile files and paths, and the look-ups.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gfx/bmp.h"
#include "gfx/color.h"
#include "support/fixture.h"
#include "vtlbase/properties_list.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "vtlui/vtlui.h"
#include "win/dialog.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;

class DesignerData : public Fixture {
protected:
    fs::path rootDir() const { return libraryDir() / "Dialog Templates" / "Dialog Design"; }
    // A design path as the module composes it.
    Vtl_String design(const std::string& rest) const { return getDesignerRootFolder() + Vtl_String(rest); }

    void writeText(const fs::path& path, const std::string& text) const {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string bytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void writePicture(const fs::path& path, int width, int height, gfx::Rgba colour = gfx::Rgba::of(RGB(255, 255, 255))) const {
        fs::create_directories(path.parent_path());
        gfx::writeBmpFile(path.string(), gfx::Image(width, height, colour));
    }
    static Vtl_DesignerControl control(int type, double x0, double y0, double x1, double y1, const char* contents,
                                       const char* list) {
        Vtl_DesignerControl c;
        c.type = type;
        c.topLeftX = x0;
        c.topLeftY = y0;
        c.bottomRightX = x1;
        c.bottomRightY = y1;
        c.contents = contents;
        c.setSplitExtComboList(list);
        return c;
    }
};

TEST_F(DesignerData, RoundTripKeepsEveryStoredFieldAndRebuildsIds) {
    Vtl_DlgDesignerData out;
    auto a = control(2, 0.125, 0.25, 0.5, 0.375, "Length", "a;b");
    auto b = control(25, 0.1, 0.2, 0.3, 0.4, "Solve", "Cell;B;F;T;extra");
    auto c = control(30, 0.0, 0.0, 1.0, 1.0, "Flex", "grp;x;mark;y");
    auto d = control(3, 1.0 / 3.0, 2.0 / 3.0, 0.9, 0.95, "Wéight", "c:\\lists\\w.txt");
    EXPECT_EQ(out.append(a), 33000);
    EXPECT_EQ(out.append(b), 33001);
    out.append(c);
    out.append(d);
    ASSERT_TRUE(out.writeToFile(design("Sub\\Plate.txt")));  // the sub-folder is created
    EXPECT_EQ(out.getName().str(), "Sub\\Plate");

    const std::string text = bytes(rootDir() / "Sub" / "Plate.txt");
    EXPECT_NE(text.find("nrOfControls=4\r\n"), std::string::npos);
    EXPECT_NE(text.find("comboList1=Cell;B;F;T;extra\r\n"), std::string::npos);
    EXPECT_NE(text.find("contents3=W\xE9ight\r\n"), std::string::npos);  // Windows-1252 on disk

    Vtl_DlgDesignerData in;
    ASSERT_TRUE(in.readFromFile(design("Sub\\Plate.txt"), false));
    EXPECT_EQ(in.getName().str(), "Sub\\Plate");
    ASSERT_EQ(in.getNrControls(), 4);
    const Vtl_DesignerControl* originals[] = {&a, &b, &c, &d};
    for (int i = 0; i < 4; ++i) {
        const Vtl_DesignerControl& got = *in.getControl(i);
        const Vtl_DesignerControl& want = *originals[i];
        EXPECT_EQ(got.type, want.type);
        EXPECT_EQ(got.topLeftX, want.topLeftX);  // fractions read back exactly
        EXPECT_EQ(got.topLeftY, want.topLeftY);
        EXPECT_EQ(got.bottomRightX, want.bottomRightX);
        EXPECT_EQ(got.bottomRightY, want.bottomRightY);
        EXPECT_EQ(got.contents, want.contents);
        EXPECT_EQ(got.getMergedExtComboList(), want.getMergedExtComboList());
        EXPECT_EQ(got.resourceId, 33000 + i);
        EXPECT_EQ(got.tabOrder, 0);
    }
    EXPECT_EQ(in.getControl(1)->cellBtnPart1.str(), "Cell");
    EXPECT_EQ(in.getControl(2)->flexBtnPart3.str(), "mark");
}

TEST_F(DesignerData, SavingUnderANewNameCarriesThePictureAndTheSameNameLeavesItAlone) {
    writeText(rootDir() / "Old.txt", "nrOfControls=0\r\n");
    writePicture(rootDir() / "Old.bmp", 4, 3, gfx::Rgba::of(RGB(10, 20, 30)));
    const std::string picture = bytes(rootDir() / "Old.bmp");

    Vtl_DlgDesignerData design;
    ASSERT_TRUE(design.readFromFile(this->design("Old.txt"), true));
    ASSERT_TRUE(design.writeToFile(this->design("Sub\\New.txt")));
    EXPECT_EQ(bytes(rootDir() / "Sub" / "New.bmp"), picture);
    EXPECT_EQ(design.getName().str(), "Sub\\New");

    // The same name, spelt with other case and separators: nothing is truncated.
    ASSERT_TRUE(design.writeToFile(getDesignerRootFolder() + "sub/NEW.txt"));
    EXPECT_EQ(bytes(rootDir() / "Sub" / "New.bmp"), picture);
    ASSERT_TRUE(design.writeToFile(this->design("Sub\\New.txt")));
    EXPECT_EQ(bytes(rootDir() / "Sub" / "New.bmp"), picture);
    EXPECT_EQ(bytes(rootDir() / "Old.bmp"), picture);

    // A design without a picture saves without inventing one.
    Vtl_DlgDesignerData fresh;
    ASSERT_TRUE(fresh.writeToFile(this->design("Bare.txt")));
    EXPECT_FALSE(fs::exists(rootDir() / "Bare.bmp"));
}

TEST_F(DesignerData, HostileFilesLoadAsFarAsTheyMakeSense) {
    // No count: a dialog without controls.
    writeText(rootDir() / "NoCount.txt", "type0=2\r\ncontents0=x\r\n");
    Vtl_DlgDesignerData design;
    ASSERT_TRUE(design.readFromFile(this->design("NoCount.txt"), false));
    EXPECT_EQ(design.getNrControls(), 0);

    // A billion controls claimed, two described (the second only by one key): two, at once.
    writeText(rootDir() / "Huge.txt", "nrOfControls=1000000000\ntype0=2\ncontents0=a\ncomboList1=q\n");
    ASSERT_TRUE(design.readFromFile(this->design("Huge.txt"), false));
    ASSERT_EQ(design.getNrControls(), 2);
    EXPECT_EQ(design.getControl(1)->listText.str(), "q");
    EXPECT_EQ(design.getControl(1)->type, 0);

    // Indices far beyond any real design are not followed either.
    writeText(rootDir() / "Far.txt", "nrOfControls=2000000000\ntype1999999999=2\n");
    ASSERT_TRUE(design.readFromFile(this->design("Far.txt"), false));
    EXPECT_LE(design.getNrControls(), 10000);

    writeText(rootDir() / "Negative.txt", "nrOfControls=-5\ntype0=2\n");
    ASSERT_TRUE(design.readFromFile(this->design("Negative.txt"), false));
    EXPECT_EQ(design.getNrControls(), 0);

    // Non-numbers are 0, non-finite fractions are 0, a missing coordinate is 0.
    writeText(rootDir() / "Junk.txt",
              "nrOfControls=3\ntype0=abc\ntopLeftX0=inf\ntopLeftY0=nan\nbottomRightX0=1e999\nbottomRightY0=-1e999\n"
              "type1=2\ntopLeftX1=0.5\ncontents2\ntype2=29\n");
    ASSERT_TRUE(design.readFromFile(this->design("Junk.txt"), false));
    ASSERT_EQ(design.getNrControls(), 3);
    const Vtl_DesignerControl& junk = *design.getControl(0);
    EXPECT_EQ(junk.type, 0);
    EXPECT_EQ(junk.topLeftX, 0.0);
    EXPECT_EQ(junk.topLeftY, 0.0);
    EXPECT_EQ(junk.bottomRightX, 0.0);
    EXPECT_EQ(junk.bottomRightY, 0.0);
    EXPECT_EQ(design.getControl(1)->topLeftX, 0.5);
    EXPECT_EQ(design.getControl(1)->bottomRightY, 0.0);
    EXPECT_EQ(design.getControl(2)->type, 29);
    EXPECT_TRUE(design.getControl(2)->contents.isEmpty());

    // A missing file leaves the object as it was.
    EXPECT_FALSE(design.readFromFile(this->design("Missing.txt"), false));
    EXPECT_EQ(design.getNrControls(), 3);
    EXPECT_EQ(design.getName().str(), "Junk");
}

TEST_F(DesignerData, PathsLeavingTheDesignerRootAreRefused) {
    writeText(libraryDir() / "Dialog Templates" / "evil.txt", "nrOfControls=1\ntype0=2\ncontents0=x\n");
    writeText(rootDir() / "Good.txt", "nrOfControls=1\ntype0=2\ncontents0=g\n");
    Vtl_DlgDesignerData design;
    ASSERT_TRUE(design.readFromFile(this->design("Good.txt"), false));

    for (const char* escape : {"..\\evil.txt", "Sub\\..\\..\\evil.txt", "./../evil.txt"}) {
        SCOPED_TRACE(escape);
        EXPECT_FALSE(design.readFromFile(this->design(escape), false));
        EXPECT_EQ(design.getName().str(), "Good");
        EXPECT_EQ(design.getControl(0)->contents.str(), "g");
        Vtl_StringArray names{"stale"};
        GetImageDlgCtrlNames(this->design(escape), names);
        EXPECT_TRUE(names.isEmpty());
    }
    for (const char* escape : {"..\\new0.txt", "Sub\\..\\..\\new0.txt"}) EXPECT_FALSE(design.writeToFile(this->design(escape)));
    EXPECT_FALSE(design.writeToFile(Vtl_String(libraryDir().string() + "/Outside.txt")));
    EXPECT_FALSE(design.writeToFile("relative\\Dialog Templates\\Dialog Design\\R.txt"));
    EXPECT_FALSE(design.writeToFile(getDesignerRootFolder()));  // the root itself names no design
    EXPECT_FALSE(design.writeToFile("q:\\Dialog Design\\Unmapped.txt"));
    for (const auto& entry : fs::recursive_directory_iterator(libraryDir())) {
        EXPECT_EQ(entry.path().filename().string().find("new0"), std::string::npos) << entry.path();
        EXPECT_NE(entry.path().filename(), "Outside.txt");
    }

    // Only ".txt" designs are written: never onto the picture or any other file.
    writePicture(rootDir() / "Good.bmp", 4, 3);
    const std::string picture = bytes(rootDir() / "Good.bmp");
    EXPECT_FALSE(design.writeToFile(this->design("Good.bmp")));
    EXPECT_FALSE(design.writeToFile(this->design("Good")));
    EXPECT_EQ(bytes(rootDir() / "Good.bmp"), picture);
    EXPECT_TRUE(design.writeToFile(this->design("Good.TXT")));

    // Links inside the root that lead out of it: a folder and a file.
    fs::create_directories(libraryDir() / "elsewhere");
    writeText(libraryDir() / "elsewhere" / "target.txt", "keep");
    fs::create_directory_symlink(libraryDir() / "elsewhere", rootDir() / "Linked");
    fs::create_symlink(libraryDir() / "elsewhere" / "target.txt", rootDir() / "Link.txt");
    EXPECT_FALSE(design.writeToFile(this->design("Linked\\Copy.txt")));
    EXPECT_FALSE(design.writeToFile(this->design("Link.txt")));
    EXPECT_FALSE(fs::exists(libraryDir() / "elsewhere" / "Copy.txt"));
    EXPECT_EQ(bytes(libraryDir() / "elsewhere" / "target.txt"), "keep");
    EXPECT_EQ(design.getName().str(), "Good");

    // Inside the root, any separator and any case of the root are the same design; a ".." that stays
    // inside is fine.
    writeText(rootDir() / "Sub" / "D.txt", "nrOfControls=0\n");
    const std::string lower = (libraryDir() / "dialog templates" / "DIALOG DESIGN").string();
    ASSERT_TRUE(design.readFromFile(Vtl_String(lower + "/Sub/x/../D.txt"), false));
    EXPECT_EQ(design.getName().str(), "Sub\\D");
}

TEST_F(DesignerData, ADesignOfThirtyThousandLinesReadsInLinearTime) {
    // Seven lines a control: 4,286 controls make 30,003 lines, 429 make 3,004.
    auto write = [&](const std::string& name, int controls) {
        std::string text = "nrOfControls=" + std::to_string(controls) + "\r\n";
        for (int i = 0; i < controls; ++i) {
            const std::string n = std::to_string(i);
            text += "type" + n + "=2\r\ntopLeftX" + n + "=0.125\r\ntopLeftY" + n + "=0.25\r\nbottomRightX" + n +
                    "=0.5\r\nbottomRightY" + n + "=0.375\r\ncontents" + n + "=cell" + n + "\r\ncomboList" + n + "=\r\n";
        }
        writeText(rootDir() / (name + ".txt"), text);
    };
    write("Small", 429);
    write("Large", 4286);
    auto fastest = [&](const char* name) {
        auto best = std::chrono::steady_clock::duration::max();
        for (int run = 0; run < 5; ++run) {
            Vtl_DlgDesignerData design;
            const auto start = std::chrono::steady_clock::now();
            EXPECT_TRUE(design.readFromFile(this->design(std::string(name) + ".txt"), false));
            best = std::min(best, std::chrono::steady_clock::now() - start);
        }
        return std::chrono::duration<double>(best).count();
    };
    const double small = fastest("Small");
    const double large = fastest("Large");
    // Ten times the lines: about ten times the time; a reader quadratic in the lines would take a hundred.
    EXPECT_LT(large / small, 30.0) << "small " << small << " s, large " << large << " s";

    Vtl_DlgDesignerData design;
    ASSERT_TRUE(design.readFromFile(this->design("Large.txt"), false));
    ASSERT_EQ(design.getNrControls(), 4286);
    EXPECT_EQ(design.getControl(4285)->contents.str(), "cell4285");
    EXPECT_EQ(design.getControl(99)->resourceId, 33099);
    EXPECT_EQ(design.getControl(100)->resourceId, 0);  // the id range is used up
    // Removing a control frees its id for the next one.
    design.removeControl(5);
    Vtl_DesignerControl extra;
    EXPECT_EQ(design.append(extra), 33005);
}

TEST_F(DesignerData, DesignsAreListedWithTheirSubFoldersAndControlNamesRead) {
    writeText(rootDir() / "Base.txt", "nrOfControls=3\ntype0=2\ncontents0=L1\ntype1=0\ncontents1=label\ntype2=2\n"
                                      "contents2=H\n");
    writeText(rootDir() / "Sub" / "Deep" / "Cleat.TXT", "nrOfControls=0\n");
    writeText(rootDir() / "Base.bmp", "not a list");
    writeText(rootDir() / "notes.md", "x");
    Vtl_StringArray names{"stale"};
    getModuleImages(names);
    EXPECT_EQ(names, (Vtl_StringArray{"Base", "Sub\\Deep\\Cleat"}));

    GetImageDlgCtrlNames(this->design("Base.txt"), names);
    EXPECT_EQ(names, (Vtl_StringArray{"L1", "H"}));
    GetImageDlgCtrlNames(this->design("Nope.txt"), names);
    EXPECT_TRUE(names.isEmpty());

    fs::remove_all(rootDir());
    getModuleImages(names);
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(DesignerData, PictureSizeIsTheCoordinateUnitAndNothingDividesByZero) {
    writeText(rootDir() / "P.txt", "nrOfControls=1\ntype0=2\ntopLeftX0=0.25\ntopLeftY0=0.5\nbottomRightX0=0.75\n"
                                   "bottomRightY0=1\n");
    writePicture(rootDir() / "P.bmp", 200, 100);
    CDialog host;
    Vtl_DlgDesignerData design;
    int w = -1, h = -1;
    design.getImageSize(w, h);
    EXPECT_EQ(w, 0);
    ASSERT_TRUE(design.readFromFile(this->design("P.txt"), true));
    design.getImageSize(w, h);
    EXPECT_EQ(w, 0);  // not yet bound to a dialog
    ASSERT_TRUE(design.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, false));
    design.getImageSize(w, h);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 100);
    EXPECT_EQ(design.getMask().transparentCount(), 200 * 100);  // all white

    Vtl_DesignerControl& c = *design.getControlWrite(0);
    EXPECT_EQ(design.getTopLeftX(c), 50.0);
    EXPECT_EQ(design.getTopLeftY(c), 50.0);
    EXPECT_EQ(design.getWidth(c), 100.0);
    EXPECT_EQ(design.getHeight(c), 50.0);
    design.setHeight(c, 20.0);  // the bottom edge stays
    EXPECT_EQ(design.getBottomRightY(c), 100.0);
    EXPECT_EQ(design.getTopLeftY(c), 80.0);
    design.setWidth(c, 10.0);  // the left edge stays
    EXPECT_EQ(design.getTopLeftX(c), 50.0);
    EXPECT_EQ(design.getBottomRightX(c), 60.0);
    EXPECT_EQ(design.factorToPixels(true, 1e12), 32767.0);
    EXPECT_EQ(design.factorToPixels(false, -1e12), -32767.0);

    // A picture that does not load keeps the one there is.
    writeText(rootDir() / "Broken.bmp", "BM garbage");
    design.attachBitmap(this->design("Broken.bmp"));
    design.attachBitmap(this->design("Absent.bmp"));
    design.getImageSize(w, h);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 100);

    // Without any picture or surface, conversions give 0 instead of infinities.
    Vtl_DlgDesignerData bare;
    Vtl_DesignerControl added;
    bare.setBottomRightX(added, 30.0);
    EXPECT_EQ(added.bottomRightX, 0.0);
    EXPECT_EQ(bare.factorToPixels(true, 0.5), 0.0);
    ASSERT_TRUE(bare.writeToFile(this->design("Bare.txt")));
    Vtl_PropertiesList stored;
    ASSERT_TRUE(stored.readFromFile(this->design("Bare.txt")));
    int count = -1;
    ASSERT_TRUE(stored.getProperty("nrOfControls", count));
    EXPECT_EQ(count, 0);
}

TEST_F(DesignerData, IdsComeFromTheRangeAndLookUpsRefuseBadIndices) {
    writeText(rootDir() / "Two.txt", "nrOfControls=2\ntype0=2\ncontents0=A\ntype1=3\ncontents1=B\n");
    CDialog host;
    Vtl_DlgDesignerData design;
    ASSERT_FALSE(design.initialize(nullptr, 1, 1, 0, 0, 0, 0, 0, false));
    EXPECT_EQ(design.getDlgPtr(), nullptr);
    ASSERT_TRUE(design.initialize(&host, 500, 500, 0, 0, 0, 0, 0, true));
    ASSERT_TRUE(design.readFromFile(this->design("Two.txt"), false));
    EXPECT_EQ(design.getControl(0)->resourceId, 500);
    EXPECT_EQ(design.getControl(1)->resourceId, 0);  // the range is used up

    int index = -1;
    EXPECT_TRUE(design.findCtrlFromResource(500, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(design.findCtrlFromResource(0, index));  // 0 names no control
    EXPECT_EQ(design.getControlFromRes(0), nullptr);
    EXPECT_EQ(design.getControlFromRes(500), design.getControlWrite(0));
    EXPECT_TRUE(design.findEditCtrlWithContents("B", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(design.findEditCtrlWithContents("b", index));
    EXPECT_EQ(design.getControl(-1), nullptr);
    EXPECT_EQ(design.getControl(2), nullptr);
    design.removeControl(2);
    design.removeControl(-1);
    EXPECT_EQ(design.getNrControls(), 2);

    // Removing frees an id for the next control.
    design.removeControl(0);
    Vtl_DesignerControl next;
    EXPECT_EQ(design.append(next), 500);
    EXPECT_EQ(design.getNrControls(), 2);
    EXPECT_EQ(design.getControl(1)->resourceId, 500);

    // The object belongs to one window: copies start empty, assignment changes nothing.
    Vtl_DlgDesignerData copy(design);
    EXPECT_EQ(copy.getNrControls(), 0);
    EXPECT_FALSE(copy.isInitialised());
    design = copy;
    EXPECT_EQ(design.getNrControls(), 2);
}

}  // namespace
}  // namespace vtl::test
