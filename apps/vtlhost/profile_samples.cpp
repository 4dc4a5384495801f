#include "profile_samples.h"

#include <ostream>

#include "macro_subdialog_samples.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/profile_cuts.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtlhost {
namespace {
using vtl::win::ctrl;
using vtl::win::dialogWithTemplate;
using vtl::win::Script;

constexpr int kMacroDialog = 8131, kAdvancedDialog = 220, kSegmentedDialog = 221, kCutsDialog = 235, kFeaturesDialog = 241;

void openMacro(const char* name) {
    MacroData macro;
    std::string error;
    if (!readLibraryMacro(name, macro, error)) return;
    vtl::base::DrawingModel::get().placeMacro(macro);
    StartDlgMacro(macro);
}

// The fin plate placed in the drawing, its beam coped for the support's flange as a fabricator cuts it.
AcArray<AcDbObjectId> placeCopedBeam() {
    AcArray<AcDbObjectId> beam;
    MacroData macro;
    std::string error;
    if (!readLibraryMacro("FinPlate", macro, error)) return beam;
    vtl::base::DrawingModel::get().placeMacro(macro);
    int t = 0;
    if (!macro.findTab("Profiles", t) || macro.tabs[t].profiles.isEmpty()) return beam;
    const AcDbObjectId id = macro.tabs[t].profiles[0].objectId;
    for (const char* cut : {"Cope top flange 40 x 110", "Cope bottom flange 40 x 110", "Bolt holes 3 x 22 in the web",
                            "Square cut of the beam end"})
        vtl::base::addProfileCut(id, cut);
    beam.append(id);
    return beam;
}

DlgProfFeaturesData copeFeature() {
    DlgProfFeaturesData f;
    f.caption = "Cope of the beam end";
    f.section = "IPE-270";
    f.label1 = "Flange";
    f.list = Vtl_StringArray{"Top flange", "Bottom flange", "Both flanges"};
    f.value1 = "Top flange";
    f.label2 = "Cope depth (mm)";
    f.value2 = "40";
    f.label3 = "Cope length (mm)";
    f.label3Alternative = "Corner radius (mm)";
    f.value3 = "110";
    f.value3Alternative = "15";
    f.label4 = "Clearance to the support (mm)";
    f.value4 = "10";
    f.switchText = "Rounded corner";
    return f;
}

void printFeature(std::ostream& out, const DlgProfFeaturesData& f) {
    out << "  section: " << f.section.str() << "\n  " << f.label1.str() << ": " << f.value1.str() << "\n  " << f.label2.str()
        << ": " << f.value2.str() << "\n  " << f.label3.str() << ": " << f.value3.str() << "\n  " << f.label3Alternative.str()
        << ": " << f.value3Alternative.str() << "\n  " << f.label4.str() << ": " << f.value4.str() << "\n  " << f.switchText.str()
        << ": " << (f.switchOn ? "yes" : "no") << "\n";
}
}  // namespace

void registerProfileEntries(std::vector<GalleryEntry>& entries) {
    entries.push_back({"profile-advanced",
                       "The profile-advanced dialog of the end plate's beam (Advanced... on the Profiles tab): section, "
                       "position with the nine position buttons, offsets, reference, rotation, plane, option and segment.",
                       kMacroDialog, [] { openMacro("EndPlate"); },
                       {{"beam",
                         [](Script& s) { s.click(macroTabTarget(2)).click(ctrl(1114)).waitFor(dialogWithTemplate(kAdvancedDialog)); }},
                        {"free-offset", [](Script& s) { s.select(ctrl(1228), "Free offset"); }},
                        {"coordinate-system", [](Script& s) { s.click(ctrl(1351)); }}},
                       [](Script& s) { s.key(VK_ESCAPE).waitFor(dialogWithTemplate(kMacroDialog)).key(VK_ESCAPE); }});
    shelve(entries, GalleryGroup::ConnectionMacros, "Profile: advanced settings");
    entries.push_back({"profile-advanced-mixed",
                       "The profile-advanced dialog of the beam splice's two beams, an IPE 400 and an IPE 450: the "
                       "section they do not share shows the mixed text.",
                       kMacroDialog, [] { openMacro("BeamSplice"); },
                       {{"group",
                         [](Script& s) { s.click(macroTabTarget(3)).click(ctrl(1114)).waitFor(dialogWithTemplate(kAdvancedDialog)); }}},
                       [](Script& s) { s.key(VK_ESCAPE).waitFor(dialogWithTemplate(kMacroDialog)).key(VK_ESCAPE); }});
    shelve(entries, GalleryGroup::ConnectionMacros, "Profile: two beams edited together");
    entries.push_back({"segmented-profiles",
                       "The segmented profiles of the fin plate (Segmented profiles... on its Profiles tab): the cranked "
                       "beam with its three segments, clearance and break option.",
                       kMacroDialog, [] { openMacro("FinPlate"); },
                       {{"profile-tab", [](Script& s) { s.click(macroTabTarget(2)); }},
                        {"opened", [](Script& s) { s.click(ctrl(1210)).waitFor(dialogWithTemplate(kSegmentedDialog)); }}},
                       [](Script& s) { s.key(VK_ESCAPE).waitFor(dialogWithTemplate(kMacroDialog)).key(VK_ESCAPE); }});
    shelve(entries, GalleryGroup::ConnectionMacros, "Segmented profiles");
    entries.push_back({"profile-cuts",
                       "The cuts of the fin plate's beam: the copes, the bolt holes and the square end cut, the "
                       "selected cut previewed in the drawing.",
                       kCutsDialog,
                       [] {
                           DlgProfCutsData data;
                           data.profileIds = placeCopedBeam();
                           StartEditProfCutsDlg(data);
                       },
                       {{"opened", nullptr}, {"second-cut", [](Script& s) { s.click(ctrl(1339)).key(VK_DOWN); }}}});
    shelve(entries, GalleryGroup::ConnectionMacros, "Profile cuts");
    entries.push_back({"profile-features",
                       "The cope of the fin plate's beam as a profile feature: flange, depth, length or (rounded) "
                       "corner radius, clearance.",
                       kFeaturesDialog,
                       [] {
                           DlgProfFeaturesData f = copeFeature();
                           StartDlgProfFeatures(f);
                       },
                       {{"opened", nullptr}, {"rounded", [](Script& s) { s.click(ctrl(1018)); }}}});
    shelve(entries, GalleryGroup::ConnectionMacros, "Profile features (cope)");
}

void playProfileCuts(std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    DlgProfCutsData data;
    data.profileIds = placeCopedBeam();
    out << "Placed the macro FinPlate with its beam coped; opened the profile cuts of the beam\n";
    bool ok = false;
    play([&] { ok = StartEditProfCutsDlg(data); });
    out << "Dialog ended with " << (ok ? "Close" : "Escape") << "\n\nCuts of the profile afterwards:\n";
    Vtl_StringArray descs;
    data.getCutDescs(descs);
    if (descs.isEmpty()) out << "  (none)\n";
    for (const Vtl_String& d : descs) out << "  " << d.str() << "\n";
}

void playProfileFeatures(std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    DlgProfFeaturesData f = copeFeature();
    out << "Opened the profile feature \"" << f.caption.str() << "\"\n";
    bool ok = false;
    play([&] { ok = StartDlgProfFeatures(f); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nRecord handed back:\n";
    printFeature(out, f);
}

}  // namespace vtlhost
