// The DSTV point groups through StartDSTVPointsDlg and the point editor through scripts: new, delete and
// standard groups, names that are taken or no file names, groups that cannot be read, editing without
// changes leaving a peer's file byte for byte, and the editor's rules for sides, holes, adding and removing.
#include <filesystem>
#include <fstream>

#include "dialogs/dstv_point_editor.h"
#include "dialogs/dstv_points_dialog.h"
#include "host/command_line.h"
#include "module_test_support.h"
#include "vtlbase/controls/check_combo_box.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using ui::DstvPointEditor;
using ui::DstvPointsDialog;
using win::ctrl;
using win::Script;
constexpr int kInputText = 8069;

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

HWND item(int id) { return ::GetDlgItem(::GetActiveWindow(), id); }
bool enabled(int id) { return ::IsWindowEnabled(item(id)); }
std::string text(int id) { return GetDlgItemText(::GetActiveWindow(), id); }
int selection(int id) { return static_cast<int>(::SendMessage(item(id), CB_GETCURSEL, 0, 0)); }

// A group as the add-on on Windows writes it: Windows-1252, CR LF.
const std::string kPeerGroup =
    "Stirnplatte oben\t1\t0\t2\t0\t1\t0\t0\t50\t0\t0\t16\r\n"
    "St\xFCtze \xD8" "18\t0\t1\t3\t1\t0\t2\t3\t42.5\t1\t1\t2\r\n";

class DstvPointsTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(libraryDir().string()));
    }
    fs::path folder() const { return libraryDir() / "DSTV Points"; }
    void write(const std::string& file, const std::string& bytes) {
        fs::create_directories(folder());
        std::ofstream(folder() / file, std::ios::binary) << bytes;
    }
    // The groups as the list shows them, "*" after the ticked ones.
    static std::vector<std::string> listed() {
        auto* list = static_cast<CComboBox*>(CWnd::FromHandle(item(DstvPointsDialog::kGroupsId)));
        auto* checks = dynamic_cast<CCheckComboBox*>(list);
        std::vector<std::string> out;
        for (int i = 0; i < list->GetCount(); ++i) out.push_back(list->GetLBText(i) + (checks && checks->GetItemCheck(i) ? "*" : ""));
        return out;
    }
    Script& newGroup(Script& s, const std::string& name) {
        return s.click(ctrl(DstvPointsDialog::kNewId))
            .waitFor(win::dialogWithTemplate(kInputText))
            .check([] { EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Name"); })
            .type(name)
            .key(VK_RETURN);
    }
};

TEST_F(DstvPointsTest, GroupsAreMadeDeletedAndMadeStandardAndATakenNameNeverEmptiesAGroup) {
    write("Group1.dat", kPeerGroup);
    write("Plates.dat", "");
    write("standard.ini", "standard=plates.DAT\r\n");
    Script s;
    s.waitFor(win::dialogWithTemplate(DstvPointsDialog::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "DSTV point groups");
            EXPECT_EQ(text(DstvPointsDialog::kEditId), "Edit...");
            EXPECT_EQ(listed(), (std::vector<std::string>{"Group1", "Plates*"}));
            EXPECT_EQ(selection(DstvPointsDialog::kGroupsId), 0);
        });
    // The same name in another case is the same file.
    newGroup(s, "group1").waitFor(win::messageBoxWith("This name is already used.\nPlease choose another name.")).answer(IDOK);
    // A name that would lead out of the folder is no file name.
    newGroup(s, "..\\Beams").waitFor(win::messageBoxContaining("cannot be used as a file name")).answer(IDOK);
    newGroup(s, "Beams")
        .waitFor(win::dialogWithTemplate(DstvPointsDialog::IDD))
        .check([] { EXPECT_EQ(listed(), (std::vector<std::string>{"Beams", "Group1", "Plates*"})); })
        .select(ctrl(DstvPointsDialog::kGroupsId), "Group1")
        .click(ctrl(DstvPointsDialog::kMakeStandardId))
        .check([] {
            EXPECT_EQ(listed(), (std::vector<std::string>{"Beams", "Group1*", "Plates"}));
            EXPECT_EQ(selection(DstvPointsDialog::kGroupsId), 1);
        })
        // Deleted at once; the list keeps the position.
        .select(ctrl(DstvPointsDialog::kGroupsId), "Plates")
        .click(ctrl(DstvPointsDialog::kDeleteId))
        .check([] {
            EXPECT_EQ(listed(), (std::vector<std::string>{"Beams", "Group1*"}));
            EXPECT_EQ(selection(DstvPointsDialog::kGroupsId), 1);
        })
        .click(ctrl(IDOK));
    run(s, [] { StartDSTVPointsDlg(); });
    EXPECT_EQ(bytesOf(folder() / "Group1.dat"), kPeerGroup);
    EXPECT_TRUE(fs::exists(folder() / "Beams.dat"));
    EXPECT_EQ(fs::file_size(folder() / "Beams.dat"), 0u);
    EXPECT_FALSE(fs::exists(folder() / "Plates.dat"));
    EXPECT_FALSE(fs::exists(libraryDir() / "Beams.dat"));
    EXPECT_EQ(bytesOf(folder() / "standard.ini"), "standard=Group1.dat\r\n");
}

TEST_F(DstvPointsTest, WithoutAGroupNoActionWritesAnything) {
    Script s;
    s.waitFor(win::dialogWithTemplate(DstvPointsDialog::IDD))
        .check([] { EXPECT_EQ(selection(DstvPointsDialog::kGroupsId), -1); })
        .click(ctrl(DstvPointsDialog::kDeleteId))
        .click(ctrl(DstvPointsDialog::kEditId))
        .click(ctrl(DstvPointsDialog::kMakeStandardId))
        .key(VK_ESCAPE);
    run(s, [] { StartDSTVPointsDlg(); });
    EXPECT_FALSE(fs::exists(folder()));
    EXPECT_EQ(host::commandLineText(), "");
}

TEST_F(DstvPointsTest, EditingAPeersGroupWithoutChangesLeavesItByteForByteAndAnUnreadableGroupIsNotOpened) {
    write("Peer.dat", kPeerGroup);
    write("Broken.dat", "Top\t1\t0\r\n");
    Script s;
    s.waitFor(win::dialogWithTemplate(DstvPointsDialog::IDD))
        .click(ctrl(DstvPointsDialog::kEditId))  // Broken, the first group
        .waitFor(win::messageBoxContaining("cannot be read"))
        .answer(IDOK)
        .select(ctrl(DstvPointsDialog::kGroupsId), "Peer")
        .click(ctrl(DstvPointsDialog::kEditId))
        .waitFor(win::dialogWithTemplate(DstvPointEditor::IDD))
        .select(ctrl(DstvPointEditor::kPointsId), "Stütze Ø18")
        .click(ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(DstvPointsDialog::IDD))
        // Cancel keeps nothing of what was changed.
        .click(ctrl(DstvPointsDialog::kEditId))
        .waitFor(win::dialogWithTemplate(DstvPointEditor::IDD))
        .click(ctrl(DstvPointEditor::kRemoveId))
        .click(ctrl(IDCANCEL))
        .waitFor(win::dialogWithTemplate(DstvPointsDialog::IDD))
        .click(ctrl(IDOK));
    run(s, [] { StartDSTVPointsDlg(); });
    EXPECT_EQ(bytesOf(folder() / "Peer.dat"), kPeerGroup);
    EXPECT_EQ(bytesOf(folder() / "Broken.dat"), "Top\t1\t0\r\n");
}

class DstvPointEditorTest : public ModuleTest {};

Vtl_DstvPointInfo pointNamed(const char* name) {
    Vtl_DstvPointInfo p;
    p.setName(name);
    return p;
}

TEST_F(DstvPointEditorTest, ExtentSidesStayInDifferentPairsAndTheHoleFieldsFollowTheirBoxes) {
    Vtl_Array<Vtl_DstvPointInfo> points;
    points.append(pointNamed("P"));
    DstvPointEditor editor(points);
    Script s;
    s.waitFor(win::dialogWithTemplate(DstvPointEditor::IDD))
        .check([] {
            EXPECT_EQ(text(DstvPointEditor::kExtentSide1Id), "Top");
            EXPECT_EQ(text(DstvPointEditor::kExtentSide2Id), "Front");
            EXPECT_EQ(text(DstvPointEditor::kDistanceId), "50.000");
            EXPECT_FALSE(enabled(DstvPointEditor::kIntersectionSideId));
            EXPECT_FALSE(enabled(DstvPointEditor::kDiameterId));
            EXPECT_FALSE(enabled(DstvPointEditor::kByThicknessId));
        })
        // Top/Bottom and Front/Back are the pairs: a side picked in the other list's pair moves that list
        // to the first side of the other pair.
        .select(ctrl(DstvPointEditor::kExtentSide1Id), "Front")
        .check([] { EXPECT_EQ(text(DstvPointEditor::kExtentSide2Id), "Top"); })
        .select(ctrl(DstvPointEditor::kExtentSide1Id), "Bottom")
        .check([] { EXPECT_EQ(text(DstvPointEditor::kExtentSide2Id), "Front"); })
        .select(ctrl(DstvPointEditor::kExtentSide2Id), "Top")
        .check([] { EXPECT_EQ(text(DstvPointEditor::kExtentSide1Id), "Front"); })
        .select(ctrl(DstvPointEditor::kExtentSide2Id), "Bottom")
        .check([] { EXPECT_EQ(text(DstvPointEditor::kExtentSide1Id), "Front"); })
        .select(ctrl(DstvPointEditor::kExtentSide2Id), "Back")
        .check([] { EXPECT_EQ(text(DstvPointEditor::kExtentSide1Id), "Top"); })
        // With the hole drilled and the extent chosen, the thickness box stays off.
        .click(ctrl(DstvPointEditor::kDrillId))
        .check([] {
            EXPECT_TRUE(enabled(DstvPointEditor::kDiameterId));
            EXPECT_FALSE(enabled(DstvPointEditor::kByThicknessId));
        })
        .click(ctrl(DstvPointEditor::kByIntersectionId))
        .check([] {
            EXPECT_TRUE(enabled(DstvPointEditor::kByThicknessId));
            EXPECT_TRUE(enabled(DstvPointEditor::kIntersectionSideId));
            EXPECT_FALSE(enabled(DstvPointEditor::kExtentSide1Id));
            EXPECT_EQ(text(DstvPointEditor::kDiameterLabelId), "Hole diameter");
        })
        .click(ctrl(DstvPointEditor::kByThicknessId))
        .check([] { EXPECT_EQ(text(DstvPointEditor::kDiameterLabelId), "Diameter added"); })
        .select(ctrl(DstvPointEditor::kPlateId), "Plate 3 (selected)")
        .click(ctrl(DstvPointEditor::kDiameterId))
        .key('A', win::ModCtrl)
        .type("2.5")
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(editor.DoModal(), IDOK); });
    const Vtl_DstvPointInfo& p = editor.points()[0];
    bool on = false, middle = false, drill = false, byThickness = false;
    KsDstvPointSideSelection s1{}, s2{}, side{};
    short plate = 0;
    double distance = 0, diameter = 0;
    p.getSelectGeomExtent(on, s1, s2);
    EXPECT_FALSE(on);
    EXPECT_EQ(s1, kDstvSideTop);
    EXPECT_EQ(s2, kDstvSideBack);
    p.getSelectIntersGeom(on, middle, side);
    EXPECT_TRUE(on);
    p.getPlateSelection(plate, distance);
    EXPECT_EQ(plate, 3);
    p.getDrillFullHole(drill, byThickness, diameter);
    EXPECT_TRUE(drill);
    EXPECT_TRUE(byThickness);
    EXPECT_EQ(diameter, 2.5);
}

TEST_F(DstvPointEditorTest, ANewPointGoesBeforeTheOneShownAndRemovingTheLastLeavesNothingShown) {
    Vtl_Array<Vtl_DstvPointInfo> points;
    points.append(pointNamed("one"));
    Vtl_DstvPointInfo two = pointNamed("two");
    two.setPlateSelection(2, 12.5);
    points.append(two);
    DstvPointEditor editor(points);
    Script s;
    s.waitFor(win::dialogWithTemplate(DstvPointEditor::IDD))
        .select(ctrl(DstvPointEditor::kPointsId), "two")
        .click(ctrl(DstvPointEditor::kAddId))
        .waitFor(win::dialogWithTemplate(kInputText))
        .type("new")
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(DstvPointEditor::IDD))
        .check([&] {
            EXPECT_EQ(editor.currentPoint(), 1);
            EXPECT_EQ(text(DstvPointEditor::kNameId), "new");
            EXPECT_EQ(text(DstvPointEditor::kDiameterId), "16.000");
        })
        // The last point removed: nothing shown, nothing to edit.
        .select(ctrl(DstvPointEditor::kPointsId), "two")
        .click(ctrl(DstvPointEditor::kRemoveId))
        .check([&] {
            EXPECT_EQ(editor.currentPoint(), -1);
            EXPECT_EQ(text(DstvPointEditor::kNameId), "");
            EXPECT_FALSE(enabled(DstvPointEditor::kNameId));
            EXPECT_EQ(selection(DstvPointEditor::kPointsId), -1);
        })
        // Nothing to remove: the array says so on the command line.
        .click(ctrl(DstvPointEditor::kRemoveId))
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(editor.DoModal(), IDOK); });
    ASSERT_EQ(editor.points().length(), 2);
    EXPECT_EQ(editor.points()[0], points[0]);
    EXPECT_EQ(editor.points()[1], pointNamed("new"));
    EXPECT_EQ(host::commandLineText(), "*Error* Invalid index passed to remove.\n");
}

}  // namespace
}  // namespace vtl::test
