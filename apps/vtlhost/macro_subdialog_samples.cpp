#include "macro_subdialog_samples.h"

#include <optional>
#include <string>

#include "grid/ss.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtlhost {
namespace {
using vtl::win::ctrl;
using vtl::win::dialogWithTemplate;
using vtl::win::Script;

constexpr int kMacroDialog = 8131, kBoltDialog = 8140, kPatternDialog = 222, kArrayDialog = 236, kChooser = 231;
constexpr int kBoltsTab = 1, kStiffenersTab = 3;
constexpr int kPatternButton = 33002;  // the "..." beside the bolt rows in the end plate's bolt design
constexpr int kArrayRow = 3;            // the stiffeners' row in the Stiffeners tab's grid

HWND visibleGridIn(HWND h) {
    for (HWND c = ::GetWindow(h, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (GetClassName(c) == "fpSpread70" && ::IsWindowVisible(c)) return c;
        if (const HWND found = visibleGridIn(c)) return found;
    }
    return HWND();
}

// A cell of the grid of the page shown in the active window.
vtl::win::Target pageGridCell(int col, int row) {
    return vtl::win::located("grid cell", [col, row]() -> std::optional<POINT> {
        const HWND grid = visibleGridIn(::GetActiveWindow());
        RECT r;
        if (!grid || !SSGetCellRect(grid, col, row, &r)) return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(grid, &p);
        return p;
    });
}

void openEndPlate() {
    MacroData macro;
    std::string error;
    if (!readLibraryMacro("EndPlate", macro, error)) return;
    vtl::base::DrawingModel::get().placeMacro(macro);
    StartDlgMacro(macro);
}

// The sub-dialog, then the macro dialog.
void closeBoth(Script& s) { s.key(VK_ESCAPE).waitFor(dialogWithTemplate(kMacroDialog)).key(VK_ESCAPE); }
}  // namespace

vtl::win::Target macroTabTarget(int index) {
    return vtl::win::located("tab " + std::to_string(index), [index]() -> std::optional<POINT> {
        const HWND tabs = ::GetDlgItem(::GetActiveWindow(), 8097);
        RECT r;
        if (!tabs || !::SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(tabs, &p);
        return p;
    });
}

void registerMacroSubdialogEntries(std::vector<GalleryEntry>& entries) {
    entries.push_back({"bolt-advanced",
                       "The bolt-advanced dialog of the sample end plate's bolts (button Advanced... of the Bolts tab): "
                       "assembly, diameter, lengths, options, nuts and washers, the two hole columns and the slotted "
                       "hole, switched on in the second picture. Every change goes to the drawing at once.",
                       kMacroDialog, openEndPlate,
                       {{"opened",
                         [](Script& s) { s.click(macroTabTarget(kBoltsTab)).click(ctrl(1114)).waitFor(dialogWithTemplate(kBoltDialog)); }},
                        {"slotted-hole-active", [](Script& s) { s.click(ctrl(1120)); }},
                        {"slot-without-length",
                         [](Script& s) {
                             s.click(ctrl(1118)).key('A', vtl::win::ModCtrl).key(VK_DELETE).key(VK_RETURN).waitFor(
                                 vtl::win::messageBoxContaining("needs a size and a length"));
                         }}},
                       [](Script& s) {
                           s.answer(IDOK).waitFor(dialogWithTemplate(kBoltDialog));
                           closeBoth(s);
                       }});
    shelve(entries, GalleryGroup::ConnectionMacros, "Bolts: advanced settings");
    entries.push_back({"pattern",
                       "The pattern dialog of the end plate's bolt rows (the \"...\" beside them on the Bolts tab): each "
                       "side's distribution, first distance, pitch and distances, and the options of the whole pattern.",
                       kMacroDialog, openEndPlate,
                       {{"opened",
                         [](Script& s) {
                             s.click(macroTabTarget(kBoltsTab)).click(ctrl(kPatternButton)).waitFor(dialogWithTemplate(kPatternDialog));
                         }}},
                       closeBoth});
    shelve(entries, GalleryGroup::ConnectionMacros, "Bolt pattern");
    entries.push_back({"array",
                       "The array dialog of the end plate's stiffeners (the \"...\" of their row on the Stiffeners tab): "
                       "kind, name, values and dimensions, and the entries; a rectangular array shows its own value "
                       "instead of the dimensions and entries.",
                       kMacroDialog, openEndPlate,
                       {{"linear",
                         [](Script& s) {
                             s.click(macroTabTarget(kStiffenersTab)).click(pageGridCell(2, kArrayRow)).waitFor(dialogWithTemplate(kArrayDialog));
                         }},
                        {"rectangular", [](Script& s) { s.select(ctrl(1005), "Rectangular"); }}},
                       closeBoth});
    shelve(entries, GalleryGroup::Engineering, "Array (end plate stiffeners)");
    entries.push_back({"property-list-save",
                       "Saving the end plate's values as a property list (button 1302 of the macro dialog): the lists "
                       "of the library, a name typed for the new one.",
                       kMacroDialog, openEndPlate,
                       {{"save",
                         [](Script& s) {
                             s.click(ctrl(1302)).waitFor(dialogWithTemplate(kChooser)).click(ctrl(1043)).type("Project B12");
                         }},
                        {"overwrite-question",
                         [](Script& s) {
                             s.select(ctrl(1317), "Heavy end plate").click(ctrl(IDOK)).waitFor(vtl::win::messageBoxContaining("Overwrite it?"));
                         }}},
                       [](Script& s) {
                           s.answer(IDNO).waitFor(dialogWithTemplate(kChooser));
                           closeBoth(s);
                       }});
    shelve(entries, GalleryGroup::ConnectionMacros, "Save the values as a property list");
    entries.push_back({"property-list-load",
                       "Loading a property list into the end plate (button 1299): every list of the library, then only "
                       "those saved from end plates, one chosen.",
                       kMacroDialog, openEndPlate,
                       {{"all", [](Script& s) { s.click(ctrl(1299)).waitFor(dialogWithTemplate(kChooser)); }},
                        {"filtered-chosen", [](Script& s) { s.click(ctrl(1382)).select(ctrl(1317), "Heavy end plate"); }}},
                       closeBoth});
    shelve(entries, GalleryGroup::ConnectionMacros, "Load a property list");
}

}  // namespace vtlhost
