#include "macro_choice_samples.h"

#include <ostream>

#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_cuts.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/settings.h"
#include "vtlbase/ui_text.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtlhost {
namespace {
using vtl::base::DrawingModel;
using vtl::win::ctrl;
using vtl::win::dialogWithTemplate;
using vtl::win::Script;

constexpr int kCutsDialog = 223, kSelectDialog = 8717;
constexpr int kPreviewSize = 120;

// Places a macro of the library in the drawing; the null id when it cannot be read.
AcDbObjectId place(const char* name) {
    MacroData macro;
    std::string error;
    if (!readLibraryMacro(name, macro, error)) return {};
    return DrawingModel::get().placeMacro(macro);
}

// A cut made in the drawing with the type's variables and the values given.
void madeCut(const AcDbObjectId& macro, const char* module, const char* name, int type, const Vtl_StringArray& values,
             bool option2) {
    DlgMacroCutsData cut;
    cut.macroObject = macro;
    cut.moduleName = module;
    cut.cutName = name;
    cut.cutType = type;
    cut.GetDefaultValues(type, cut.varNames, cut.values, cut.usedFlags);
    cut.values = values;
    cut.option2 = option2;
    vtl::base::applyMacroCut(cut);
}

// The drawing the cut commands work on: the end plate (the macro the command is given) beside the beam
// splice, each with the cut a detailer made before: the end plate's beam squared off against the plate,
// the splice's web plates coped round the flange roots.
AcDbObjectId placeConnections(const std::string& which) {
    const AcDbObjectId endPlate = place("EndPlate");
    const AcDbObjectId splice = place("BeamSplice");
    madeCut(endPlate, "Plate", "Beam end", 1, Vtl_StringArray{"0", "5"}, true);
    madeCut(splice, "Web plates", "Web cope", 6, Vtl_StringArray{"20"}, false);
    // The journal shows what the detailer does from here on.
    vtl::base::Journal::get().clear();
    return which == "BeamSplice" ? splice : endPlate;
}

// A new cut on the Plate tab of the end plate, as the add-on starts it.
DlgMacroCutsData newCut(const AcDbObjectId& macro, const std::string& module) {
    DlgMacroCutsData cut;
    cut.macroObject = macro;
    cut.moduleName = module;
    cut.target = 1;
    cut.cutType = 1;
    cut.GetDefaultValues(1, cut.varNames, cut.values, cut.usedFlags);
    return cut;
}

const char* typeName(int type) {
    static const char* names[] = {"profile against plate", "profile against profile", "profile inside profile",
                                  "three segments", "chamfer", "fillet"};
    return type >= 1 && type <= 6 ? names[type - 1] : "unknown";
}

const char* yesNo(bool on) { return on ? "yes" : "no"; }

void printCut(std::ostream& out, const DlgMacroCutsData& c) {
    const auto* o = DrawingModel::get().find(c.macroObject);
    out << "  " << c.cutName.str() << " (" << typeName(c.cutType) << ") on " << (o ? o->name : std::string("?")) << ", "
        << c.moduleName.str() << "\n";
    for (int i = 0; i < c.varNames.length(); ++i)
        out << "    " << c.varNames[i].str() << " = " << (i < c.values.length() ? c.values[i].str() : std::string("?"))
            << (i < c.usedFlags.length() && c.usedFlags[i] ? "" : " (not used)") << "\n";
    if (c.cutType == 1)
        out << "    option 1 " << yesNo(c.option1) << ", option 2 " << yesNo(c.option2) << ", option 3 "
            << yesNo(c.option3) << ", option 5 " << yesNo(c.option5) << ", position " << c.listChoice << "\n";
    if (c.cutType == 3) out << "    option 5 " << yesNo(c.option5) << "\n";
    if (c.cutType == 4)
        out << "    end: " << (!c.option4Present ? "no end cut" : c.option4 ? "cut" : "kept") << ", distance "
            << c.distance.str() << "\n";
}

void openNewCut() {
    DlgMacroCutsData cut = newCut(placeConnections("EndPlate"), "Plate");
    bool escape = false;
    if (StartDlgMacroCuts(cut, escape)) vtl::base::applyMacroCut(cut);
}

void openEditedCut() {
    const AcDbObjectId endPlate = placeConnections("EndPlate");
    DlgMacroCutsData cut;
    if (!vtl::base::loadMacroCut(endPlate, "Plate", "Beam end", cut)) return;
    bool escape = false;
    if (StartDlgMacroCuts(cut, escape)) vtl::base::applyMacroCut(cut);
}

void openSelectMacro(bool offerAlternative) {
    Vtl_String selected;
    bool alternative = offerAlternative;
    StartDlgSelectMacro(Vtl_String(), Vtl_StringArray(), AcArray<bool>(), kPreviewSize, kPreviewSize, selected,
                        alternative, true);
}
}  // namespace

void registerMacroChoiceEntries(std::vector<GalleryEntry>& entries) {
    const auto type = [](int label) { return [label](Script& s) { s.select(ctrl(1284), dialString(label).str()); }; };
    entries.push_back({"macro-cut-new",
                       "A new cut on the Plate tab of the sample end plate: the cut type with its picture, the name, "
                       "the variables with their values, the options of the type and the macro it belongs to.",
                       kCutsDialog, openNewCut,
                       {{"profile-against-plate", nullptr},
                        {"cut-inside", [](Script& s) { s.click(ctrl(1323)); }},
                        {"profile-inside-profile", type(1086)},
                        {"three-segments", type(1087)},
                        {"three-segments-keep-end", [](Script& s) { s.click(ctrl(1288)); }},
                        {"chamfer", type(1088)},
                        {"fillet", type(1089)}}});
    shelve(entries, GalleryGroup::ConnectionMacros, "New cut of a macro");
    entries.push_back({"macro-cut-edit",
                       "The end plate's existing cut \"Beam end\" edited: its type and name stay, the macro choice is "
                       "not shown.",
                       kCutsDialog, openEditedCut, {{"opened", nullptr}}});
    shelve(entries, GalleryGroup::ConnectionMacros, "A macro's cut edited");
    entries.push_back({"select-macro",
                       "Choosing a connection macro to place: the library's macros as pictures, the filter of modules "
                       "and properties above them; the panel can be hidden.",
                       kSelectDialog, [] { openSelectMacro(true); },
                       {{"all-macros", nullptr},
                        {"column-connections-off",
                         [](Script& s) { s.click(ctrl(1196)).key(VK_HOME, vtl::win::ModCtrl).key(VK_DOWN).key(VK_SPACE); }},
                        {"fin-plate-chosen", [](Script& s) { s.click(ctrl(9091)).key(VK_HOME).key(VK_RIGHT).key(VK_RIGHT).key(VK_RIGHT).key(VK_RIGHT); }},
                        {"panel-hidden", [](Script& s) { s.click(ctrl(1409)); }}},
                       [](Script& s) { s.click(ctrl(1409)).key(VK_ESCAPE); }});
    shelve(entries, GalleryGroup::ConnectionMacros, "Choose a connection macro");
    entries.push_back({"select-macro-hint",
                       "The macros offered without the other way: the hint under the pictures says to double-click one.",
                       kSelectDialog, [] { openSelectMacro(false); }, {{"opened", nullptr}}});
    shelve(entries, GalleryGroup::ConnectionMacros, "Choose a connection macro by double-click");
}

bool playMacroCut(const std::vector<std::string>& args, std::ostream& out,
                  const std::function<void(const std::function<void()>&)>& play) {
    const std::string& macroName = args[0];
    const std::string& module = args[1];
    if (macroName != "EndPlate" && macroName != "BeamSplice") {
        out << "No macro " << macroName << " to cut (EndPlate or BeamSplice)\n";
        return false;
    }
    const AcDbObjectId macro = placeConnections(macroName);
    DlgMacroCutsData cut;
    if (args.size() > 2) {
        if (!vtl::base::loadMacroCut(macro, module, args[2], cut)) {
            out << "The " << module << " of " << macroName << " has no cut " << args[2] << "\n";
            return false;
        }
        out << "Placed the macros EndPlate and BeamSplice; opened the cut " << args[2] << " of " << macroName << ", "
            << module << "\n";
    } else {
        cut = newCut(macro, module);
        out << "Placed the macros EndPlate and BeamSplice; opened a new cut on " << macroName << ", " << module << "\n";
    }
    bool ok = false, escape = false;
    play([&] { ok = StartDlgMacroCuts(cut, escape); });
    out << "Dialog ended with " << (ok ? "OK" : escape ? "Escape" : "Cancel") << "\n";
    if (ok) vtl::base::applyMacroCut(cut);
    out << "\nCuts in the drawing afterwards:\n";
    for (const auto* o : DrawingModel::get().objects(vtl::base::DrawingObjectKind::macro)) {
        const auto it = DrawingModel::get().macroCuts.find(o->id.asOldId());
        if (it == DrawingModel::get().macroCuts.end()) continue;
        for (const DlgMacroCutsData& c : it->second) printCut(out, c);
    }
    return true;
}

void playSelectMacro(std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    out << "Opened the macros of the library to place one\n";
    Vtl_String selected;
    bool alternative = true;
    bool ok = false;
    play([&] {
        ok = StartDlgSelectMacro(Vtl_String(), Vtl_StringArray(), AcArray<bool>(), kPreviewSize, kPreviewSize, selected,
                                 alternative, true);
    });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n";
    if (ok) {
        // The library's own spelling, so that the report does not depend on the machine's folder.
        const std::string lib = gSettings.libDir().str();
        std::string shown = selected.str();
        if (shown.rfind(lib, 0) == 0) shown = "<library>\\" + shown.substr(lib.size());
        out << "Macro chosen: " << (alternative ? std::string("(the other way)") : shown) << "\n";
    }
}

}  // namespace vtlhost
