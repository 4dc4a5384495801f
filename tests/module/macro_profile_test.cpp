// The profile tab of the macro dialog and its dialogs: the page's panel edits a group or one profile of it,
// the advanced dialog shows and keeps mixed values, its picks step aside and change nothing when cancelled,
// the macro and list exports; the segmented profiles, the profile cuts and the profile features.
#include <set>
#include <string>

#include "frame/module.h"
#include "host/command_line.h"
#include "macro/macro_dialog.h"
#include "macro/macro_profile_page.h"
#include "macro/profile_advanced_dialog.h"
#include "macro/segmented_profile_dialog.h"
#include "module_test_support.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_operations.h"
#include "vtlbase/drawing/profile_cuts.h"
#include "vtlbase/settings.h"
#include "vtlui/ks_ma_callback_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/list_box.h"

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::Journal;
using ui::MacroDialog;
using ui::MacroProfilePage;
using ui::ProfileAdvancedDialog;
using win::Script;

constexpr int kAdvanced = 220, kSegmented = 221, kCuts = 235, kFeatures = 241;

MacroProfData profile(const char* group, const char* section, const char* rotation = "0") {
    MacroProfData p;
    p.groupName = group;
    p.sectionName = section;
    p.rotation = rotation;
    return p;
}

// A splice of an IPE 400 and an IPE 450 (one group) and the column it sits on.
MacroTabData profilesTab() {
    MacroTabData t;
    t.kind = 2;
    t.moduleName = t.displayName = "Profiles";
    t.profiles.append(profile("Beams", "IPE-400"));
    t.profiles.append(profile("Beams", "IPE-450"));
    t.profiles.append(profile("Column", "HEB-240", "90"));
    return t;
}

int checkOf(int id) { return static_cast<int>(::SendMessage(::GetDlgItem(::GetActiveWindow(), id), BM_GETCHECK, 0, 0)); }
bool enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), id)); }
bool visible(int id) { return ::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), id)); }
std::string textOf(int id) { return GetDlgItemText(::GetActiveWindow(), id); }

class ProfileTab : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(sampleLibrary()));
        host::clearCommandLine();
        macro_.tabs.append(profilesTab());
        DrawingModel::get().placeMacro(macro_);
    }
    static std::string sampleLibrary() { return VTL_SAMPLE_LIBRARY; }
    void runDialog(Script& s) {
        dialog_ = std::make_unique<MacroDialog>(macro_);
        run(s, [&] { dialog_->DoModal(); });
    }
    const MacroTabData& drawn() { return DrawingModel::get().instance(macro_.objectIds[0])->tabs[0]; }
    MacroProfilePage* page() { return dynamic_cast<MacroProfilePage*>(dialog_->page(0)); }
    std::string pageText(int id) { return GetDlgItemText(page()->m_hWnd, id); }

    MacroData macro_;
    std::unique_ptr<MacroDialog> dialog_;
};

TEST_F(ProfileTab, ThePanelEditsTheWholeGroupOrOneProfileOfIt) {
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            ASSERT_TRUE(page());
            EXPECT_EQ(pageText(MacroProfilePage::kGroupId), "Beams");
            EXPECT_EQ(pageText(MacroProfilePage::kObjectId), "All profiles of the group");
            EXPECT_EQ(pageText(MacroProfilePage::kSectionId), "*varies*");  // the two beams differ
        })
        .select(win::ctrl(MacroProfilePage::kRotationId), "180°")
        .check([&] {
            // The rotation went to both beams; the sections they do not share stayed their own.
            EXPECT_EQ(drawn().profiles[0].rotation.str(), "180");
            EXPECT_EQ(drawn().profiles[1].rotation.str(), "180");
            EXPECT_EQ(drawn().profiles[0].sectionName.str(), "IPE-400");
            EXPECT_EQ(drawn().profiles[1].sectionName.str(), "IPE-450");
            EXPECT_EQ(drawn().profiles[2].rotation.str(), "90");
        })
        .select(win::ctrl(MacroProfilePage::kObjectId), "Beams 1: IPE 400")
        .check([&] { EXPECT_EQ(pageText(MacroProfilePage::kSectionId), "IPE 400"); })
        .select(win::ctrl(MacroProfilePage::kSectionId), "IPE 330")
        .check([&] {
            EXPECT_EQ(drawn().profiles[0].sectionName.str(), "IPE-330");
            EXPECT_EQ(drawn().profiles[1].sectionName.str(), "IPE-450");  // only the chosen profile
            EXPECT_EQ(pageText(MacroProfilePage::kObjectId), "Beams 1: IPE 330");
        })
        .select(win::ctrl(MacroProfilePage::kGroupId), "Column")
        .check([&] {
            EXPECT_EQ(pageText(MacroProfilePage::kSectionId), "HEB 240");
            EXPECT_EQ(pageText(MacroProfilePage::kRotationId), "90°");
        })
        .click(win::ctrl(IDOK));
    runDialog(s);
    EXPECT_EQ(dialog_->macro().tabs[0].profiles[0].sectionName.str(), "IPE-330");
}

TEST_F(ProfileTab, TheAdvancedDialogLeavesWhatTheGroupDoesNotShareAsItWas) {
    macro_.tabs[0].profiles[0].offsetX = 10;
    macro_.tabs[0].profiles[0].referenceChoice = 2;
    DrawingModel::get().instance(macro_.objectIds[0])->tabs[0] = macro_.tabs[0];
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(MacroProfilePage::kAdvancedId))
        .waitFor(win::dialogWithTemplate(kAdvanced))
        .check([&] {
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kSectionId), "*varies*");
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kOffsetXId), "");  // differing offsets: no number
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kReferenceId), "*varies*");
            EXPECT_EQ(checkOf(1050), BST_CHECKED);  // centred: the middle position
            EXPECT_FALSE(visible(1254));            // not morphed
            Journal::get().clear();
        })
        .click(win::ctrl(ProfileAdvancedDialog::kRot90Id))
        .check([&] {
            EXPECT_EQ(Journal::get().count("UpdateModule"), 1);
            const MacroTabData& t = drawn();
            EXPECT_EQ(t.profiles[0].rotation.str(), "90");
            EXPECT_EQ(t.profiles[1].rotation.str(), "90");
            // Untouched mixed values stay each profile's own.
            EXPECT_EQ(t.profiles[0].sectionName.str(), "IPE-400");
            EXPECT_EQ(t.profiles[1].sectionName.str(), "IPE-450");
            EXPECT_EQ(t.profiles[0].offsetX, 10);
            EXPECT_EQ(t.profiles[1].offsetX, 0);
            EXPECT_EQ(t.profiles[0].referenceChoice, 2);
            EXPECT_EQ(t.profiles[1].referenceChoice, 0);
        })
        .click(win::ctrl(1232))  // top left
        .check([&] {
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kOffsetTypeId), getOffsetTypeStrings(false)[9].str());
            EXPECT_EQ(drawn().profiles[1].offsetType, 9);
            EXPECT_EQ(checkOf(1050), BST_UNCHECKED);
        })
        .select(win::ctrl(ProfileAdvancedDialog::kReferenceId), "Top")
        .check([&] { EXPECT_EQ(drawn().profiles[0].referenceChoice, 1); })
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runDialog(s);
    EXPECT_EQ(dialog_->macro().tabs[0].profiles[1].offsetType, 9);
}

TEST_F(ProfileTab, ACancelledPickLeavesTheRecordAsItWasAndShowsTheDialogsAgain) {
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .select(win::ctrl(MacroProfilePage::kGroupId), "Column")
        .click(win::ctrl(MacroProfilePage::kAdvancedId))
        .waitFor(win::dialogWithTemplate(kAdvanced))
        .check([] { Journal::get().clear(); })
        .click(win::ctrl(ProfileAdvancedDialog::kPickPointId))
        .check([&] {
            // Both dialogs step aside while the drawing has the input.
            EXPECT_FALSE(::IsWindowVisible(dialog_->m_hWnd));
            EXPECT_TRUE(::IsWindowEnabled(mainWindow()));
        })
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(kAdvanced))
        .check([&] {
            EXPECT_TRUE(::IsWindowVisible(dialog_->m_hWnd));
            EXPECT_EQ(Journal::get().count("UpdateModule"), 0);
            EXPECT_EQ(Journal::get().last("UserChooseSectionPoint")->text(), "UserChooseSectionPoint(HEB-240, 1.570796) -> cancelled");
            EXPECT_FALSE(drawn().profiles[2].sectionPointChosen);
        })
        .click(win::ctrl(ProfileAdvancedDialog::kPickPointId))
        .click(win::point(300, 200))
        .waitFor(win::dialogWithTemplate(kAdvanced))
        .check([&] {
            EXPECT_EQ(Journal::get().count("UpdateModule"), 1);
            EXPECT_TRUE(drawn().profiles[2].sectionPointChosen);
        })
        .click(win::ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        // The page's own plane pick, cancelled: the plane stays none.
        .select(win::ctrl(MacroProfilePage::kPlaneId), "Plane (pick)")
        .check([&] { EXPECT_FALSE(::IsWindowVisible(dialog_->m_hWnd)); })
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            EXPECT_TRUE(drawn().profiles[2].plane.isEmpty());
            EXPECT_EQ(pageText(MacroProfilePage::kPlaneId), "None");
        })
        .click(win::ctrl(IDOK));
    runDialog(s);
}

TEST_F(ProfileTab, DesignedProfileControlsApplyAndTheirAdvancedButtonOpensTheDialogOnTheirGroup) {
    gSettings.setLibDir(Vtl_String(libraryDir().string()));
    macro_.tabs[0].designFile = writeDesign(libraryDir(), "Profiles", {"17 0.1 0.1 0.5 0.2 Beams", "16 0.1 0.3 0.5 0.4 Column"});
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            // The column has no advanced button of its own: the common panel stays.
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page()->m_hWnd, MacroProfilePage::kSectionId)));
            EXPECT_EQ(pageText(33001), "90");
        })
        .select(win::ctrl(33001), "180°")
        .check([&] {
            EXPECT_EQ(drawn().profiles[2].rotation.str(), "180");
            EXPECT_EQ(drawn().profiles[0].rotation.str(), "0");
        })
        .click(win::ctrl(33000))
        .waitFor(win::dialogWithTemplate(kAdvanced))
        .check([] {
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kGroupId), "Beams");
            EXPECT_FALSE(enabled(ProfileAdvancedDialog::kGroupId));  // the button's group, not to be renamed
        })
        .click(win::ctrl(ProfileAdvancedDialog::kRot270Id))
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            EXPECT_EQ(drawn().profiles[0].rotation.str(), "270");
            EXPECT_EQ(drawn().profiles[1].rotation.str(), "270");
            EXPECT_EQ(drawn().profiles[2].rotation.str(), "180");
        })
        .click(win::ctrl(IDOK));
    runDialog(s);
}

// The list variant: the dialog on its own, read and stored through the caller's function.
MacroProfData gRecord;
int gReads = 0, gStores = 0, gPickStarts = 0;
bool listCallback(KsMACallBackType type, KsMACallBackData& data, MacroProfData& record) {
    if (type == KsMACallBackRead) {
        ++gReads;
        record = gRecord;
    } else if (type == KsMACallBackStore) {
        ++gStores;
        gRecord = record;
    } else if (type == KsMACallBackPickStart) {
        ++gPickStarts;
    }
    return !data.objectIds.isEmpty();
}

class ProfileAdvancedList : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(std::string(VTL_SAMPLE_LIBRARY)));
        gRecord = profile("Beam", "IPE-300", "45");
        gRecord.referenceChoice = -1;
        gReads = gStores = gPickStarts = 0;
        ids_.append(DrawingModel::get().add(base::DrawingObjectKind::profile, "IPE-300"));
    }
    bool runList(Script& s, bool& listMode) {
        bool ok = false;
        run(s, [&] { ok = StartDlgMacroProfAdv(&ids_, listMode, listCallback); });
        return ok;
    }
    AcArray<AcDbObjectId> ids_;
};

TEST_F(ProfileAdvancedList, ShowsTheRecordAndKeepsTheMixedReferenceAndNoCoordinateSystem) {
    bool listMode = true;
    Script s;
    s.waitFor(win::dialogWithTemplate(kAdvanced))
        .check([] {
            EXPECT_EQ(gReads, 1);
            EXPECT_FALSE(visible(ProfileAdvancedDialog::kGroupId));
            EXPECT_TRUE(visible(ProfileAdvancedDialog::kListModeId));
            EXPECT_EQ(checkOf(ProfileAdvancedDialog::kListModeId), BST_CHECKED);
            EXPECT_EQ(checkOf(ProfileAdvancedDialog::kRotOtherId), BST_CHECKED);
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kRotTextId), "45");
            EXPECT_TRUE(enabled(ProfileAdvancedDialog::kRotTextId));
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kReferenceId), "*varies*");
            EXPECT_FALSE(enabled(ProfileAdvancedDialog::kPlaneNewCsId));  // no temporary macro
        })
        .select(win::ctrl(ProfileAdvancedDialog::kOffsetTypeId), "Free offset")
        .check([] {
            EXPECT_TRUE(enabled(ProfileAdvancedDialog::kOffsetXId));
            for (int id : ProfileAdvancedDialog::kPositionIds) EXPECT_EQ(checkOf(id), BST_UNCHECKED);
            EXPECT_EQ(gRecord.offsetType, 0);
            EXPECT_EQ(gRecord.referenceChoice, -1);  // the mixed reference stays mixed
        })
        .click(win::ctrl(ProfileAdvancedDialog::kOffsetXId))
        .key('A', win::ModCtrl)
        .type("12.5")
        .key(VK_RETURN)
        .check([] {
            EXPECT_EQ(gRecord.offsetX, 12.5);
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kOffsetXId), "12.500");
        })
        // A coordinate system, with none in the drawing to choose: no plane object.
        .click(win::ctrl(ProfileAdvancedDialog::kPlaneCsId))
        .check([] {
            EXPECT_EQ(gRecord.plane.str(), "zp");
            EXPECT_TRUE(gRecord.planeObject.isNull());
            EXPECT_TRUE(enabled(ProfileAdvancedDialog::kCsListId));
            EXPECT_EQ(textOf(ProfileAdvancedDialog::kPlanePickButtonId), "Select coordinate system...");
        })
        .click(win::ctrl(ProfileAdvancedDialog::kListModeId))
        .click(win::ctrl(IDOK));
    EXPECT_TRUE(runList(s, listMode));
    EXPECT_FALSE(listMode);
    EXPECT_EQ(gPickStarts, 0);
}

TEST_F(ProfileAdvancedList, AMorphedProfileOpensTallerWithItsSecondSection) {
    gRecord.morphed = 1;
    gRecord.secondSection = "IPE-360";
    int plainHeight = 0;
    {
        MacroProfData plain = gRecord;
        plain.morphed = 0;
        KsMACallBackData data;
        ui::ProfileAdvancedDialog dlg(data, [plain](KsMACallBackType, KsMACallBackData&, MacroProfData& r) { return r = plain, true; });
        Script s;
        s.waitFor(win::dialogWithTemplate(kAdvanced)).check([&] {
            RECT r;
            ::GetWindowRect(::GetActiveWindow(), &r);
            plainHeight = r.bottom - r.top;
            EXPECT_FALSE(visible(1254));
        });
        s.key(VK_ESCAPE);
        run(s, [&] { dlg.DoModal(); });
    }
    bool listMode = false;
    Script s;
    s.waitFor(win::dialogWithTemplate(kAdvanced))
        .check([&] {
            RECT r;
            ::GetWindowRect(::GetActiveWindow(), &r);
            EXPECT_EQ(r.bottom - r.top, plainHeight + ProfileAdvancedDialog::kMorphExtraHeight);
            EXPECT_TRUE(visible(1254));
            EXPECT_EQ(textOf(1254), "IPE 360");
            EXPECT_FALSE(visible(ProfileAdvancedDialog::kListModeId) && !visible(1254));
        })
        .key(VK_ESCAPE);
    EXPECT_TRUE(runList(s, listMode));
    EXPECT_EQ(gStores, 0);  // Escape applies nothing more
}

TEST_F(ProfileAdvancedList, AnEmptyListOpensNoDialog) {
    bool listMode = true;
    AcArray<AcDbObjectId> none;
    EXPECT_FALSE(StartDlgMacroProfAdv(&none, listMode, listCallback));
    EXPECT_FALSE(StartDlgMacroProfAdv(nullptr, listMode, listCallback));
    EXPECT_TRUE(listMode);
    EXPECT_EQ(gReads, 0);
}

TEST(ProfilePositions, TheNinePositionsAndTheOffsetTypesAnswerEachOther) {
    EXPECT_EQ(ProfileAdvancedDialog::positionOfOffsetIndex(3), 5);
    EXPECT_EQ(ProfileAdvancedDialog::positionOfOffsetIndex(0), 0);
    EXPECT_EQ(ProfileAdvancedDialog::offsetIndexOfPosition(1), 9);
    for (int p = 1; p <= 9; ++p) EXPECT_EQ(ProfileAdvancedDialog::positionOfOffsetIndex(ProfileAdvancedDialog::offsetIndexOfPosition(p)), p);
}

TEST_F(ProfileTab, TheMacroExportUpdatesTheDrawingAndErasesTheTemporaryObject) {
    macro_.temporaryObject = true;
    Script s;
    s.waitFor(win::dialogWithTemplate(kAdvanced))
        .check([] { EXPECT_TRUE(enabled(ProfileAdvancedDialog::kPlaneNewCsId)); })
        .click(win::ctrl(ProfileAdvancedDialog::kPlaneNewCsId))
        .click(win::ctrl(ProfileAdvancedDialog::kRot270Id))
        .check([&] {
            EXPECT_EQ(drawn().profiles[2].rotation.str(), "270");
            EXPECT_EQ(drawn().profiles[2].plane.str(), "zp");
        })
        .click(win::ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgMacroProfAdv(macro_, "Profiles", "Column", false); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(macro_.tabs[0].profiles[2].rotation.str(), "270");
    int applied = 0;
    for (const auto& e : Journal::get().entries()) applied += e.text() == "UpdateModule(Profiles, -13, ) -> true";
    EXPECT_EQ(applied, 2);  // the new coordinate system, the rotation
    // The temporary macro and the coordinate system made for it are gone from the drawing.
    EXPECT_EQ(Journal::get().count("EraseObject"), 2);
    EXPECT_EQ(DrawingModel::get().instance(macro_.objectIds[0]), nullptr);
    EXPECT_TRUE(DrawingModel::get().objects(base::DrawingObjectKind::coordinateSystem).empty());
}

// ---- Segmented profiles ----

MacroProfSegmentedData segmented(const char* name, double clearance, std::initializer_list<double> values) {
    MacroProfSegmentedData d;
    d.name = name;
    d.description = "Rafter";
    d.clearance = clearance;
    int n = 1;
    for (double v : values) {
        d.segmentNumbers.append(n++);
        d.segmentValues.append(v);
    }
    d.segmentCount = d.segmentNumbers.length();
    return d;
}

TEST_F(ProfileTab, SegmentsEditedInTheDialogGoToTheDrawingOnOkOnly) {
    macro_.tabs[0].segmentedProfiles.append(segmented("Left", 10, {2400, 1800}));
    macro_.tabs[0].segmentedProfiles.append(segmented("Right", 5, {3000}));
    DrawingModel::get().instance(macro_.objectIds[0])->tabs[0] = macro_.tabs[0];
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] { EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page()->m_hWnd, MacroProfilePage::kSegmentedId))); })
        .click(win::ctrl(MacroProfilePage::kSegmentedId))
        .waitFor(win::dialogWithTemplate(kSegmented))
        .click(win::ctrl(1232))
        .key('A', win::ModCtrl)
        .type("12.5")
        .select(win::ctrl(1247), "Right - Rafter")
        .check([] { EXPECT_EQ(textOf(1232), "5.00"); })
        .click(cellOf([] { return ::GetDlgItem(::GetActiveWindow(), 1196); }, 1, 1))
        .click(win::ctrl(1089))  // the only segment deleted
        .select(win::ctrl(1247), "Left - Rafter")
        .check([] { EXPECT_EQ(textOf(1232), "12.50"); })  // the edit of the first record kept
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] { EXPECT_EQ(drawn().segmentedProfiles[0].clearance, 10); })  // Cancel stores nothing
        .click(win::ctrl(MacroProfilePage::kSegmentedId))
        .waitFor(win::dialogWithTemplate(kSegmented))
        .click(win::ctrl(1232))
        .key('A', win::ModCtrl)
        .type("12.5")
        .select(win::ctrl(1247), "Right - Rafter")
        .click(cellOf([] { return ::GetDlgItem(::GetActiveWindow(), 1196); }, 1, 1))
        .click(win::ctrl(1089))
        .click(win::ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            ASSERT_EQ(drawn().segmentedProfiles.length(), 2);
            EXPECT_EQ(drawn().segmentedProfiles[0].clearance, 12.5);
            EXPECT_EQ(drawn().segmentedProfiles[0].segmentCount, 2);
            EXPECT_EQ(drawn().segmentedProfiles[1].segmentCount, 0);
            EXPECT_TRUE(drawn().segmentedProfiles[1].segmentValues.isEmpty());
        })
        .click(win::ctrl(IDOK));
    runDialog(s);
}

TEST_F(ProfileTab, WithoutSegmentedProfilesTheDialogHasNothingToEdit) {
    Vtl_Array<MacroProfSegmentedData> none;
    ui::SegmentedProfileDialog dlg(none);
    Script s;
    s.waitFor(win::dialogWithTemplate(kSegmented))
        .check([] {
            EXPECT_FALSE(enabled(1000));
            EXPECT_FALSE(enabled(1196));
            EXPECT_FALSE(enabled(1088));
        })
        .click(win::ctrl(1088))
        .click(win::ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_TRUE(dlg.profiles().isEmpty());
}

// ---- Profile cuts and features ----

class ProfileCutsAndFeatures : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(std::string(VTL_SAMPLE_LIBRARY)));
        beam_ = DrawingModel::get().add(base::DrawingObjectKind::profile, "IPE-270");
        for (const char* c : {"Cope top flange", "Cope bottom flange", "End cut"}) base::addProfileCut(beam_, c);
        ui::profCutsPreview() = true;
    }
    AcDbObjectId beam_;
};

TEST_F(ProfileCutsAndFeatures, DeletingACutKeepsItsPlaceAndThePreviewChoiceHoldsAfterClose) {
    DlgProfCutsData data;
    data.profileIds.append(beam_);
    Script s;
    s.waitFor(win::dialogWithTemplate(kCuts))
        .check([&] { EXPECT_EQ(data.previews(), std::set<int>{0}); })
        .click(win::ctrl(1339))
        .key(VK_DOWN)
        .check([&] { EXPECT_EQ(data.previews(), std::set<int>{1}); })
        .click(win::ctrl(1087))
        .check([&] {
            auto* list = static_cast<CListBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), 1339)));
            EXPECT_EQ(list->GetCount(), 2);
            EXPECT_EQ(list->GetCurSel(), 1);
            EXPECT_EQ(list->GetText(1), "End cut");
            EXPECT_EQ(data.previews(), std::set<int>{1});
        })
        .click(win::ctrl(1340))  // no previews from now on
        .check([&] { EXPECT_TRUE(data.previews().empty()); })
        .click(win::ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartEditProfCutsDlg(data); });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(ui::profCutsPreview());
    Vtl_StringArray left;
    data.getCutDescs(left);
    EXPECT_EQ(left, (Vtl_StringArray{"Cope top flange", "End cut"}));

    // Escape keeps the setting as it was.
    Script again;
    again.waitFor(win::dialogWithTemplate(kCuts))
        .check([] { EXPECT_EQ(checkOf(1340), BST_CHECKED); })
        .click(win::ctrl(1340))
        .key(VK_ESCAPE);
    run(again, [&] { ok = StartEditProfCutsDlg(data); });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(ui::profCutsPreview());
}

TEST_F(ProfileCutsAndFeatures, AProfileWithoutCutsShowsNoneAndDeleteDoesNothing) {
    DlgProfCutsData data;
    data.profileIds.append(DrawingModel::get().add(base::DrawingObjectKind::profile, "HEA-200"));
    Script s;
    s.waitFor(win::dialogWithTemplate(kCuts)).click(win::ctrl(1087)).click(win::ctrl(IDOK));
    run(s, [&] { StartEditProfCutsDlg(data); });
    EXPECT_EQ(Journal::get().count("removeCut"), 0);
    EXPECT_EQ(Journal::get().count("drawCutPreview"), 0);
}

TEST_F(ProfileCutsAndFeatures, RowsWithoutALabelAreHiddenAndTheSwitchSwapsTheThirdRow) {
    DlgProfFeaturesData f;
    f.caption = "Notch";
    f.section = "IPE-270";
    f.label1 = "Flange";
    f.list = Vtl_StringArray{"Top", "Bottom"};
    f.value1 = "Bottom";
    f.label3 = "Length";
    f.label3Alternative = "Radius";
    f.value3 = "110";
    f.value3Alternative = "15";
    f.switchText = "Rounded";
    Script s;
    s.waitFor(win::dialogWithTemplate(kFeatures))
        .check([] {
            EXPECT_FALSE(visible(1301));
            EXPECT_FALSE(visible(1302));
            EXPECT_FALSE(visible(1306));
            EXPECT_TRUE(visible(1304));
            EXPECT_EQ(textOf(1252), "Bottom");
            EXPECT_EQ(textOf(1303), "Length");
            EXPECT_EQ(textOf(1250), "IPE 270");
        })
        .click(win::ctrl(1018))
        .check([] {
            EXPECT_EQ(textOf(1303), "Radius");
            EXPECT_EQ(textOf(1304), "15");
        })
        .click(win::ctrl(1304))
        .key('A', win::ModCtrl)
        .type("20")
        .click(win::ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgProfFeatures(f); });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(f.switchOn);
    EXPECT_EQ(f.value3Alternative.str(), "20");
    EXPECT_EQ(f.value3.str(), "110");

    // Without a switch text there is no switch and the third row never swaps; Cancel hands nothing back.
    DlgProfFeaturesData g = f;
    g.switchText = Vtl_String();
    g.switchOn = true;
    Script t;
    t.waitFor(win::dialogWithTemplate(kFeatures))
        .check([] {
            EXPECT_FALSE(visible(1018));
            EXPECT_EQ(textOf(1303), "Length");
        })
        .click(win::ctrl(1304))
        .type("9")
        .click(win::ctrl(IDCANCEL));
    run(t, [&] { ok = StartDlgProfFeatures(g); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(g.value3.str(), "110");
}

}  // namespace
}  // namespace vtl::test
