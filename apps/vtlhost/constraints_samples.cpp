#include "constraints_samples.h"

#include <ostream>

#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/macro/parametric_file.h"
#include "vtlbase/ui_text.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/testing.h"
#include "win/window_tree.h"

namespace vtlhost {
namespace {
using vtl::base::DrawingModel;
using vtl::base::Journal;
using vtl::win::ctrl;
using vtl::win::Script;

constexpr int kEditor = 8715, kSettings = 8141, kTabs = 8097;

// Places the library's parametric macro in the drawing and opens its record; false with the reason.
bool placeParametric(const std::string& name, EditConstrData& data, std::string& error) {
    ParametricMacroFile file;
    if (!readLibraryParametricMacro(Vtl_String(name), file, error)) return false;
    const AcDbObjectId id = placeParametricMacroFile(file);
    if (!data.open(id)) {
        error = "the drawing has no parametric macro " + name;
        return false;
    }
    return true;
}

void openEditor() {
    EditConstrData data;
    std::string error;
    if (placeParametric("Stiffener", data, error)) StartDlgEditConstrModal(data);
}

void openSettings() {
    EditConstrData data;
    std::string error;
    if (!placeParametric("Stiffener", data, error)) return;
    // The settings open from the editor's button, as a detailer meets them.
    StartDlgEditConstrModal(data);
}

std::function<void(Script&)> tab(int text) {
    return [text](Script& s) { s.select(ctrl(kTabs), dialString(text).str()); };
}

// The captions of the dialogs shown beside the host's window.
std::string openDialogs() {
    std::string out;
    for (HWND h : vtl::win::testing::liveTopLevelWindows())
        if (h != vtl::win::mainWindow() && ::IsWindowVisible(h) && ::GetClassName(h) == "#32770")
            out += (out.empty() ? "" : ", ") + ::GetWindowText(h);
    return out.empty() ? "(nothing)" : out;
}

void printModule(std::ostream& out, const ParametricModule& m) {
    out << "  " << m.name.str() << ": " << m.rules.size() << " rules";
    for (const auto& r : m.rules) out << " " << r.id.str() << "=" << (r.value.isEmpty() ? "-" : r.value.str());
    out << "\n    variables:";
    for (int i = 0; i < m.varNames.length(); ++i)
        out << " " << m.varNames[i].str() << "=" << (i < m.varValues.length() ? m.varValues[i].str() : std::string("?"));
    out << "\n    equations:";
    if (m.equations.isEmpty()) out << " (none)";
    for (const Vtl_String& e : m.equations) out << " \"" << e.str() << "\"";
    out << "\n";
}

void printFilter(std::ostream& out, const char* what, const MacroFilterList& f) {
    out << "  " << what << ":";
    for (int i = 0; i < f.names.length(); ++i) {
        out << " " << f.names[i].str() << (i < static_cast<int>(f.enabled.size()) && f.enabled[static_cast<std::size_t>(i)] ? " (on)" : " (off)");
        if (i < static_cast<int>(f.values.size())) {
            out << " [";
            for (std::size_t k = 0; k < f.values[static_cast<std::size_t>(i)].size(); ++k)
                out << (k ? " " : "") << f.values[static_cast<std::size_t>(i)][k];
            out << "]";
        }
    }
    out << "\n";
}
}  // namespace

void registerConstraintsEntries(std::vector<GalleryEntry>& entries) {
    entries.push_back({"constraints-editor",
                       "The constraints of the parametric column web stiffener: its rules with their value, variable, "
                       "enumeration, flags and option pictures; the flexibility of its geometry; its variables, "
                       "dimensions and equations (the stiffener's thickness follows the flange); the commands that add "
                       "rules and modules.",
                       kEditor, openEditor,
                       {{"rules", nullptr},
                        {"rules-sniped-corner",
                         [](Script& s) { s.click(ctrl(1001)).key(VK_HOME, vtl::win::ModCtrl).key(VK_DOWN).key(VK_DOWN).key(VK_DOWN); }},
                        {"rules-driving", [](Script& s) { s.key(VK_UP); }},
                        {"geometry", tab(874)},
                        {"variables", tab(875)},
                        {"commands", tab(876)},
                        {"welds-module", [](Script& s) { s.select(ctrl(1088), "Welds"); }}}});
    shelve(entries, GalleryGroup::Engineering, "Constraints of a parametric macro");
    entries.push_back({"macro-settings",
                       "The general settings of the stiffener macro, opened from the constraints editor: angle "
                       "filters, distance and section-size filters, dialogs per entry, the variables given to each "
                       "macro and the order of the macro dialog's pages.",
                       kEditor, openSettings,
                       {{"angles", [](Script& s) { s.click(ctrl(1137)).waitFor(vtl::win::dialogWithTemplate(kSettings)); }},
                        {"angles-second-filter", [](Script& s) { s.select(ctrl(1151), "Beam to column web"); }},
                        {"distances", tab(918)},
                        {"dialogs", tab(919)},
                        {"variables", tab(875)},
                        {"groups", tab(755)}},
                       [](Script& s) { s.key(VK_ESCAPE).waitFor(vtl::win::dialogWithTemplate(kEditor)).key(VK_ESCAPE); }});
    shelve(entries, GalleryGroup::Engineering, "Macro settings");
}

bool playConstraints(const std::vector<std::string>& args, std::ostream& out,
                     const std::function<void(const std::function<void()>&)>& play, const std::function<bool()>& stepsDone) {
    const std::string& name = args[0];
    const bool thenUnload = args.size() > 1;
    EditConstrData data;
    std::string error;
    if (!placeParametric(name, data, error)) {
        out << "Cannot place the parametric macro " << name << ": " << error << "\n";
        return false;
    }
    const AcDbObjectId macro = data.macroId;
    // The journal shows what the detailer does from here on.
    Journal::get().clear();
    out << "Placed the parametric macro " << name << " in the drawing as object " << macro.asOldId() << "\n";
    if (!thenUnload) {
        bool ok = false;
        out << "Opened the constraints editor on the macro\n";
        play([&] { ok = StartDlgEditConstrModal(data); });
        out << "Editor ended with " << (ok ? "OK" : "Cancel") << "\n";
    } else {
        // The editor beside the drawing with a modeless macro dialog on the end plate; after the steps the
        // module unloads.
        MacroData endPlate;
        if (!readLibraryMacro("EndPlate", endPlate, error)) {
            out << "Cannot open the macro EndPlate: " << error << "\n";
            return false;
        }
        DrawingModel::get().placeMacro(endPlate);
        int id = -1;
        play([&] {
            StartDlgMacroModeless(false, endPlate, id);
            StartDlgEditConstraints(data);
            out << "Opened the constraints editor and the macro dialog of EndPlate beside the drawing\n";
            vtl::win::WaitInfo wait;
            wait.kind = vtl::win::WaitKind::MainLoop;
            vtl::win::runLoop(wait, stepsDone);
        });
        out << "Open beside the drawing: " << openDialogs() << "\n";
        out << "The module unloads\n";
        acrxEntryPoint(2, nullptr);
        vtl::win::processPending();
        out << "Open beside the drawing: " << openDialogs() << "\n";
    }
    out << "\nThe parametric macro in the drawing afterwards:\n";
    if (const auto* modules = EditConstrData::parametricMacro(macro))
        for (const auto& m : *modules) printModule(out, m);
    MacroSettingsData settings;
    if (peekMacroSettings(macro, settings)) {
        out << "\nThe macro settings in the drawing afterwards:\n";
        printFilter(out, "axis angle", settings.axisAngle);
        printFilter(out, "path distance", settings.pathDistance);
        printFilter(out, "section size", settings.sectionSize);
    }
    return true;
}

}  // namespace vtlhost
