// The designer's files: saving under the design's own name leaves its picture as it is, a save outside the
// designer folder (or as another file type) writes nothing and keeps the design modified, an unnamed
// design is named before it is saved or given a picture, and a picture that does not load is refused.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "designer/designer_dialog.h"
#include "gfx/bmp.h"
#include "gfx/image.h"
#include "module_test_support.h"
#include "vtlbase/properties_list.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/file_dialog.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using ui::DlgDesigner;
using win::ctrl;
using win::Script;

constexpr int kDesigner = DlgDesigner::IDD;

std::string bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DesignerSaving : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        path = writeDesign(libraryDir(), "Plate", {"0 0.1 0.1 0.35 0.2 Length", "2 0.4 0.1 0.55 0.2 L"}, 400, 200);
        // A picture with something in it, so that a truncated or rewritten file would show.
        gfx::Image picture(400, 200, gfx::Rgba::of(RGB(255, 255, 255)));
        for (int x = 0; x < 400; ++x) picture.at(x, x / 2) = gfx::Rgba::of(RGB(0, 0, 200));
        gfx::writeBmpFile((root() / "Plate.bmp").string(), picture);
        pictureBytes = bytes(root() / "Plate.bmp");
    }
    fs::path root() const { return libraryDir() / "Dialog Templates" / "Dialog Design"; }
    void open(Script& s, const Vtl_String& file) {
        dlg = std::make_unique<DlgDesigner>(file);
        run(s, [&] { dlg->DoModal(); });
    }
    // Types a name into the open file dialog and takes it.
    static void choose(Script& s, const char* title, const std::string& name) {
        s.waitFor(win::captionIs(title)).click(ctrl(CFileDialog::kNameId)).key('A', win::ModCtrl).type(name).key(VK_RETURN);
    }

    Vtl_String path;
    std::string pictureBytes;
    std::unique_ptr<DlgDesigner> dlg;
};

TEST_F(DesignerSaving, SavingUnderTheDesignsOwnNameLeavesItsPictureByteIdentical) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .click(ctrl(33001))
        .key(VK_RIGHT)
        .click(ctrl(DlgDesigner::kSaveAs));
    choose(s, "Save", "Plate.txt");
    s.waitFor(win::messageBoxContaining("already exists")).answer(IDYES);
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] {
            EXPECT_FALSE(dlg->design().isModified());
            EXPECT_EQ(bytes(root() / "Plate.bmp"), pictureBytes);
        })
        // Its own picture chosen as its picture: nothing is copied, nothing changes.
        .click(ctrl(DlgDesigner::kPicture));
    choose(s, "Open", "Plate.bmp");
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] { EXPECT_FALSE(dlg->design().isModified()); })
        .key(VK_LEFT)
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Save the changes to\n<Plate>"))
        .answer(IDYES);
    open(s, path);
    EXPECT_EQ(bytes(root() / "Plate.bmp"), pictureBytes);
    Vtl_PropertiesList saved;
    ASSERT_TRUE(saved.readFromFile(path));
    double x = 0;
    saved.getProperty("topLeftX1", x);
    EXPECT_DOUBLE_EQ(x, 0.4);  // right and back left again
}

TEST_F(DesignerSaving, ASaveOutsideTheFolderOrAsAnotherTypeWritesNothingAndTheDesignStaysModified) {
    const fs::path outside = libraryDir() / "outside.txt";
    fs::create_directories(libraryDir() / "elsewhere");
    // A folder inside the designer folder that is a link to one outside it.
    fs::create_directory_symlink(libraryDir() / "elsewhere", root() / "Linked");
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner)).click(ctrl(33001)).key(VK_DOWN).click(ctrl(DlgDesigner::kSaveAs));
    choose(s, "Save", "../../outside.txt");
    s.waitFor(win::messageBoxContaining("The design was not saved")).answer(IDOK);
    s.waitFor(win::dialogWithTemplate(kDesigner)).click(ctrl(DlgDesigner::kSaveAs));
    choose(s, "Save", "Plate.bmp");  // onto its own picture
    s.waitFor(win::messageBoxContaining("already exists")).answer(IDYES);
    s.waitFor(win::messageBoxContaining("The design was not saved")).answer(IDOK);
    s.waitFor(win::dialogWithTemplate(kDesigner)).click(ctrl(DlgDesigner::kSaveAs));
    choose(s, "Save", "Linked/Copy.txt");
    s.waitFor(win::messageBoxContaining("The design was not saved")).answer(IDOK);
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] {
            EXPECT_TRUE(dlg->design().isModified());
            EXPECT_EQ(dlg->design().getName().str(), "Plate");
        })
        // Closing still asks; No leaves everything as it was.
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Save the changes to"))
        .answer(IDNO);
    open(s, path);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(libraryDir() / "elsewhere" / "Copy.txt"));
    EXPECT_FALSE(fs::exists(libraryDir() / "elsewhere" / "Copy.bmp"));
    EXPECT_EQ(bytes(root() / "Plate.bmp"), pictureBytes);
}

TEST_F(DesignerSaving, AnUnnamedDesignIsNamedBeforeItIsSavedOrGivenAPicture) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .click(ctrl(DlgDesigner::kAdd))
        // A picture needs a name first; cancelling the name leaves the design without a picture.
        .click(ctrl(DlgDesigner::kPicture));
    choose(s, "Open", "Plate.bmp");
    s.waitFor(win::captionIs("Save")).click(ctrl(IDCANCEL));
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] { EXPECT_FALSE(dlg->design().hasImage()); })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("<new design>"))
        .answer(IDYES)
        .waitFor(win::captionIs("Save"))
        .click(ctrl(IDCANCEL))  // no name: the designer stays open with its design
        .waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] {
            EXPECT_TRUE(dlg->design().isModified());
            EXPECT_FALSE(fs::exists(root() / ".txt"));
        })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("<new design>"))
        .answer(IDYES);
    choose(s, "Save", "Bracket");
    open(s, "");
    Vtl_PropertiesList saved;
    ASSERT_TRUE(saved.readFromFile(getDesignerRootFolder() + "Bracket.txt"));
    // Without a picture the surface is the reference: finite fractions, where the control was drawn.
    for (const char* key : {"topLeftX0", "topLeftY0", "bottomRightX0", "bottomRightY0"}) {
        double v = -1;
        ASSERT_TRUE(saved.getProperty(key, v)) << key;
        EXPECT_TRUE(std::isfinite(v) && v > 0 && v < 1) << key << " = " << v;
    }
    double x = 0;
    saved.getProperty("topLeftX0", x);
    EXPECT_NEAR(x, 0.2, 1e-9);
}

TEST_F(DesignerSaving, APictureThatDoesNotLoadIsRefusedAndANewOneIsUndoneToTheOldBytes) {
    std::ofstream(root() / "Broken.bmp", std::ios::binary) << "BM not a bitmap";
    gfx::writeBmpFile((root() / "Wide.bmp").string(), gfx::Image(700, 300, gfx::Rgba::of(RGB(255, 255, 255))));
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner)).click(ctrl(DlgDesigner::kPicture));
    choose(s, "Open", "Broken.bmp");
    s.waitFor(win::messageBoxContaining("cannot be read as a bitmap")).answer(IDOK);
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] {
            EXPECT_EQ(bytes(root() / "Plate.bmp"), pictureBytes);
            EXPECT_FALSE(dlg->design().isModified());
        })
        .click(ctrl(DlgDesigner::kPicture));
    choose(s, "Open", "Wide.bmp");
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] {
            int w = 0, h = 0;
            dlg->design().getImageSize(w, h);
            EXPECT_EQ(w, 700);
            EXPECT_EQ(bytes(root() / "Plate.bmp"), bytes(root() / "Wide.bmp"));
            RECT client;
            ::GetClientRect(dlg->m_hWnd, &client);
            EXPECT_GE(client.right, 700);  // the surface grew to show the whole picture
            RECT field;
            ::GetWindowRect(::GetDlgItem(dlg->m_hWnd, 33001), &field);
            ::ScreenToClient(dlg->m_hWnd, reinterpret_cast<POINT*>(&field));
            EXPECT_EQ(field.left, 160);  // the controls stay where they were
            EXPECT_TRUE(dlg->design().isModified());
        })
        .key('Z', win::ModCtrl)
        .check([&] {
            int w = 0, h = 0;
            dlg->design().getImageSize(w, h);
            EXPECT_EQ(w, 400);
            EXPECT_EQ(bytes(root() / "Plate.bmp"), pictureBytes);
            EXPECT_FALSE(dlg->design().isModified());
        })
        .click(ctrl(IDOK));
    open(s, path);
}

TEST_F(DesignerSaving, TheExportOpensTheDesignAndAnswersTrueOnlyForClose) {
    bool closed = false;
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([] { EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 33000), "Length"); })
        .close();
    run(s, [&] { closed = StartDlgDesigner(path); });
    EXPECT_FALSE(closed);
    Script again;
    again.waitFor(win::dialogWithTemplate(kDesigner)).click(ctrl(IDOK));
    run(again, [&] { closed = StartDlgDesigner(path); });
    EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace vtl::test
