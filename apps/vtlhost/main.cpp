// vtlhost: the demo host. It loads the module as the CAD host does (DllMain, application message 1; at
// exit message 2 and the detach) and runs its dialogs.
//
//   vtlhost [--library DIR] <command> [arguments]
//
// Commands are listed by `vtlhost help`.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

#include "cutting_stock_samples.h"
#include "library_samples.h"
#include "spread_samples.h"
#include "design_host.h"
#include "designer_samples.h"
#include "engineering_samples.h"
#include "gallery.h"
#include "macro_subdialog_samples.h"
#include "constraints_samples.h"
#include "macro_choice_samples.h"
#include "profile_samples.h"
#include "serve.h"
#include "story.h"
#include "host/command_line.h"
#include "host/loader.h"
#include "host/main_window.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_operations.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/levels/ks_levels_dlg_data.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/sections/select_prof.h"
#include "vtlbase/settings.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/vtlui.h"
#include "win/dialog.h"
#include "win/keys.h"
#include "win/render.h"
#include "win/resources.h"
#include "win/script.h"
#include "win/window_tree.h"

namespace {
using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    const char* what;
    std::function<int(const Args&)> run;
};

std::filesystem::path moduleBeside(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0);
    return self.parent_path() / "libvtlui.so";
}

// The sample dialog as a person would meet it: waits for it, types a name, sets the option, presses OK.
vtl::win::Script builtinSampleScript() {
    using namespace vtl::win;
    Script s("sample");
    s.waitFor(dialogWithTemplate(100))
        .check([] { std::cout << "Window tree of the open dialog:\n" << windowTreeJson(GetActiveWindow()) << "\n\n"; },
               "print the window tree")
        .click(ctrl(1001))
        .type("HE 200 A")
        .click(ctrl(1002))
        .key(VK_RETURN);
    return s;
}

// A script or story file's text; nothing (and a message) when it cannot be read.
std::optional<std::string> readTextFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "vtlhost: cannot read " << path << "\n";
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int runSample(const Args& args) {
    vtl::win::Script script = builtinSampleScript();
    if (!args.empty()) {
        const auto text = readTextFile(args[0]);
        if (!text) return 2;
        try {
            script = vtl::win::Script::parse(*text, args[0]);
        } catch (const std::exception& e) {
            std::cerr << "vtlhost: " << e.what() << "\n";
            return 2;
        }
    }
    VtlSampleData data;
    bool ok = false;
    vtl::win::runWithScript(script, [&] { ok = StartDlgSample(data); });
    std::cout << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n";
    std::cout << "Record handed back: name=\"" << data.name << "\" option=" << data.option << "\n";
    for (const auto& e : script.errors()) std::cerr << "script error: " << e << "\n";
    for (const auto& u : vtl::win::unansweredWaits()) std::cerr << u << "\n";
    return script.errors().empty() ? 0 : 1;
}

// Opens a template as a modeless dialog without behaviour, draws it and writes the picture.
int renderTemplate(const Args& args) {
    if (args.empty()) {
        std::cerr << "vtlhost: render-template needs a template number\n";
        return 2;
    }
    const int id = std::atoi(args[0].c_str());
    const std::string out = args.size() > 1 ? args[1] : "template-" + std::to_string(id) + ".png";
    if (!vtl::win::findDialogTemplate(id)) {
        std::cerr << "vtlhost: the module has no dialog template " << id << "\n";
        return 1;
    }
    CDialog dlg;
    if (!dlg.Create(static_cast<UINT>(id), AfxGetMainWnd())) {
        std::cerr << "vtlhost: dialog template " << id << " could not be created\n";
        return 1;
    }
    dlg.ShowWindow(SW_SHOW);
    const auto png = vtl::win::renderWindowPng(dlg.m_hWnd);
    dlg.DestroyWindow();
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!file) {
        std::cerr << "vtlhost: cannot write " << out << "\n";
        return 1;
    }
    std::cout << "Wrote " << out << "\n";
    return 0;
}

constexpr int kMacroDialogTemplate = 8131;

// Every dialog of the module with its sample record and the steps that reach each of its states.
void registerGalleryEntries() {
    using vtlhost::GalleryGroup;
    using vtlhost::shelve;
    auto& entries = vtlhost::galleryEntries();
    static VtlSampleData sample;
    entries.push_back({"sample", "The module's sample dialog: a name and a three-state option, OK and Cancel.", 100,
                       [] {
                           sample = VtlSampleData{};
                           StartDlgSample(sample);
                       },
                       {{"initial", nullptr},
                        {"filled-in", [](vtl::win::Script& s) {
                             s.type("HE 200 A").click(vtl::win::ctrl(1002)).click(vtl::win::ctrl(1002));
                         }}}});
    shelve(entries, GalleryGroup::Other, "Sample dialog of the module");
    // Every designed dialog of the library, drawn live over its picture.
    vtlhost::registerHostResources();
    Vtl_StringArray designs;
    getModuleImages(designs);
    for (const Vtl_String& design : designs) {
        std::string file = design.str();
        std::replace(file.begin(), file.end(), '\\', '-');
        const Vtl_String path = getDesignerRootFolder() + design + Vtl_String(".txt");
        entries.push_back({"design-" + file,
                           "The designed dialog \"" + design.str() + "\" drawn live over its picture, as a macro tab shows it.",
                           vtlhost::kDesignHostTemplate,
                           [path] {
                               vtlhost::DesignHostDialog dlg(path);
                               dlg.DoModal();
                           },
                           {{"initial", nullptr}, {"tabbed", [](vtl::win::Script& s) { s.key(VK_TAB); }}}});
        std::string title = design.str();
        for (std::size_t at = title.find('\\'); at != std::string::npos; at = title.find('\\', at + 3))
            title.replace(at, 1, " / ");
        shelve(entries, GalleryGroup::DesignedDialogs, title + " (designed dialog, live)");
    }
    // Every connection macro of the library in the macro dialog, a picture of each tab.
    for (const Vtl_String& name : libraryMacroNames()) {
        MacroData m;
        std::string error;
        if (!readLibraryMacro(name, m, error)) continue;
        std::vector<vtlhost::GalleryShot> shots;
        for (int t = 0; t < m.tabs.length(); ++t) {
            std::string shot = m.tabs[t].displayName.str();
            std::replace(shot.begin(), shot.end(), ' ', '-');
            if (t == 0) {
                shots.push_back({"tab-" + shot, nullptr});
                continue;
            }
            shots.push_back({"tab-" + shot, [t](vtl::win::Script& s) { s.click(vtlhost::macroTabTarget(t)); }});
        }
        entries.push_back({"macro-" + name.str(), "The macro dialog on the sample macro \"" + m.caption.str() + "\" (" + name.str() + ").",
                           kMacroDialogTemplate,
                           [name] {
                               MacroData macro;
                               std::string error;
                               if (!readLibraryMacro(name, macro, error)) return;
                               vtl::base::DrawingModel::get().placeMacro(macro);
                               StartDlgMacro(macro);
                           },
                           shots});
        shelve(entries, GalleryGroup::ConnectionMacros, m.caption.str() + " (" + name.str() + ")");
    }
    // Two end plates edited together: what they share, and "varies" where they differ.
    entries.push_back({"macro-two-end-plates",
                       "The macro dialog on the two sample end plates edited together (EndPlate and EndPlate-2): "
                       "values they share, and the mixed text where they differ.",
                       kMacroDialogTemplate,
                       [] {
                           Vtl_Array<MacroData> both;
                           for (const char* name : {"EndPlate", "EndPlate-2"}) {
                               MacroData m;
                               std::string error;
                               if (!readLibraryMacro(name, m, error)) return;
                               vtl::base::DrawingModel::get().placeMacro(m);
                               both.append(m);
                           }
                           MacroData merged;
                           if (mergeMacros(both, merged)) StartDlgMacro(merged);
                       },
                       {{"tab-Plate", nullptr}, {"tab-Bolts", [](vtl::win::Script& s) { s.click(vtlhost::macroTabTarget(1)); }}}});
    shelve(entries, GalleryGroup::ConnectionMacros, "Two end plates edited together");
    // ---- The macro dialog's sub-dialogs ----
    vtlhost::registerMacroSubdialogEntries(entries);
    vtlhost::registerProfileEntries(entries);
    vtlhost::registerMacroChoiceEntries(entries);
    vtlhost::registerConstraintsEntries(entries);
    // ---- Find and replace in a grid: over the values grid of the beam splice's Web plates tab ----
    entries.push_back({"find-replace-macro-grid",
                       "The find and replace dialog of a grid, opened with F5 over the values grid of the beam "
                       "splice (Web plates tab): the texts typed, an occurrence found and selected in the cell, "
                       "the summary of replace all, and the grid afterwards.",
                       kMacroDialogTemplate,
                       [] {
                           MacroData macro;
                           std::string error;
                           if (!readLibraryMacro("BeamSplice", macro, error)) return;
                           vtl::base::DrawingModel::get().placeMacro(macro);
                           StartDlgMacro(macro);
                       },
                       {{"opened",
                         [](vtl::win::Script& s) {
                             s.click(vtlhost::macroTabTarget(1))
                                 .click(vtl::win::ctrl(1001))
                                 .key(VK_F5)
                                 .waitFor(vtl::win::dialogWithTemplate(218))
                                 .type("S235")
                                 .click(vtl::win::ctrl(1209))
                                 .type("S355");
                         },
                         true},
                        {"found", [](vtl::win::Script& s) { s.click(vtl::win::ctrl(IDOK)); }, true},
                        {"replaced-all",
                         [](vtl::win::Script& s) {
                             s.click(vtl::win::ctrlIn(218, 1205)).waitFor(vtl::win::messageBoxContaining("Replaced in"));
                         },
                         true},
                        {"grid-afterwards",
                         [](vtl::win::Script& s) {
                             s.answer(IDOK).waitFor(vtl::win::dialogWithTemplate(218)).click(vtl::win::ctrl(IDCANCEL));
                         }}}});
    shelve(entries, GalleryGroup::Spreadsheets, "Find and replace in a macro's grid");
    // ---- The section selector (the sibling module's, opened by the section picker) ----
    entries.push_back({"section-selector",
                       "The section selector the section combos open: groups, types and sizes of the library, with "
                       "the type's picture.",
                       vtl::base::kSelectProfTemplate,
                       [] {
                           DlgSelectProfData data;
                           data.initialName = "HEA-200";
                           DlgSelectProf(data, true);
                       },
                       {{"initial", nullptr},
                        {"angles", [](vtl::win::Script& s) {
                             s.select(vtl::win::ctrl(vtl::base::kSelectProfGroupId), "Angles")
                                 .select(vtl::win::ctrl(vtl::base::kSelectProfTypeId), "LU");
                         }},
                        {"hollow", [](vtl::win::Script& s) {
                             s.select(vtl::win::ctrl(vtl::base::kSelectProfGroupId), "Hollow sections")
                                 .select(vtl::win::ctrl(vtl::base::kSelectProfTypeId), "CHS");
                         }},
                        {"user-sections", [](vtl::win::Script& s) {
                             s.select(vtl::win::ctrl(vtl::base::kSelectProfGroupId), "User sections");
                         }}}});
    shelve(entries, GalleryGroup::SectionLibrary, "Section selector");
    // ---- end of the section selector ----
    // ---- Levels and DSTV points ----
    using vtl::win::ctrl;
    using vtl::win::dialogWithTemplate;
    constexpr int kInputTextTemplate = 8069;
    constexpr int kLevelsTemplate = 243;
    constexpr int kDstvGroupsTemplate = 234;
    constexpr int kDstvPointsTemplate = 233;
    entries.push_back({"levels",
                       "The levels dialog on the sample model's levels (" + std::string(vtlhost::kSampleModel) +
                           "): each level's height above its reference and its absolute level; adding a level, "
                           "whose reference can be chosen until another level is shown.",
                       kLevelsTemplate,
                       [] {
                           KsLevelsDlgData levels;
                           std::string error;
                           if (vtlhost::readModelLevels(vtlhost::kSampleModel, levels, error)) StartDlgLevels(levels);
                       },
                       {{"browse", nullptr},
                        {"roof", [](vtl::win::Script& s) { s.select(ctrl(1381), "Roof"); }},
                        {"new-level-name", [](vtl::win::Script& s) {
                             s.click(ctrl(1088)).waitFor(dialogWithTemplate(kInputTextTemplate));
                         }},
                        {"name-in-use", [](vtl::win::Script& s) {
                             s.type("Roof").key(VK_RETURN).waitFor(vtl::win::messageBoxContaining("already used"));
                         }},
                        {"new-level", [](vtl::win::Script& s) {
                             s.answer(IDOK)
                                 .waitFor(dialogWithTemplate(kInputTextTemplate))
                                 .type("Roof +12.600")
                                 .key(VK_RETURN)
                                 .waitFor(dialogWithTemplate(kLevelsTemplate))
                                 .select(ctrl(1382), "Second floor")
                                 .click(ctrl(1001))
                                 .key('A', vtl::win::ModCtrl)
                                 .type("4200");
                         }}}});
    shelve(entries, GalleryGroup::Engineering, "Levels of the model");
    entries.push_back({"dstv-points",
                       "The DSTV point groups of the library (the standard group ticked) and the point editor on "
                       "two of them: points placed by the extent of a part or where other geometry meets it, with "
                       "their plate, distance from the edge and hole.",
                       kDstvGroupsTemplate, [] { StartDSTVPointsDlg(); },
                       {{"groups", nullptr},
                        {"new-group-name", [](vtl::win::Script& s) {
                             s.click(ctrl(1337)).waitFor(dialogWithTemplate(kInputTextTemplate));
                         }},
                        {"beams-points", [](vtl::win::Script& s) {
                             s.key(VK_ESCAPE)
                                 .waitFor(dialogWithTemplate(kDstvGroupsTemplate))
                                 .click(ctrl(1334))
                                 .waitFor(dialogWithTemplate(kDstvPointsTemplate));
                         }},
                        {"erection-hole", [](vtl::win::Script& s) { s.select(ctrl(1325), "Erection hole Ø18"); }},
                        {"column-bases-anchor", [](vtl::win::Script& s) {
                             s.key(VK_ESCAPE)
                                 .waitFor(dialogWithTemplate(kDstvGroupsTemplate))
                                 .select(ctrl(1336), "Column bases")
                                 .click(ctrl(1334))
                                 .waitFor(dialogWithTemplate(kDstvPointsTemplate))
                                 .select(ctrl(1325), "Anchor bolt centre");
                         }},
                        {"new-point-name", [](vtl::win::Script& s) {
                             s.click(ctrl(1327)).waitFor(dialogWithTemplate(kInputTextTemplate));
                         }}},
                       [](vtl::win::Script& s) {
                           // The name prompt, the point editor, then the groups.
                           s.key(VK_ESCAPE)
                               .waitFor(dialogWithTemplate(kDstvPointsTemplate))
                               .key(VK_ESCAPE)
                               .waitFor(dialogWithTemplate(kDstvGroupsTemplate))
                               .key(VK_ESCAPE);
                       }});
    shelve(entries, GalleryGroup::Engineering, "DSTV points");
    // ---- end of levels and DSTV points ----
    // The spreadsheet layer answers look-ups without a dialog each in the demo host, as a detailer with
    // sheets full of look-ups would set it; the formulas-look-up entry shows the dialog.
    SetFromTableSilent(true);
    vtlhost::registerSpreadEntries(entries);
    vtlhost::registerLibraryEntries(entries);
    vtlhost::registerDesignerEntries(entries);
    // ---- Cutting stock ----
    constexpr int kCuttingStockTemplate = 8122;
    constexpr int kInfoTemplate = 30100;
    entries.push_back({"cutting-stock",
                       "The cutting stock of the sample job Hall 3: per profile the lengths to cut, the shop's stock "
                       "and what can be bought; the report of the newest stock files, a profile's stock loaded, "
                       "a new profile's name and opening a stock file.",
                       kCuttingStockTemplate,
                       [] {
                           vtlhost::dateSampleStockFiles();
                           DlgCSP2Data job = vtlhost::sampleCuttingJob();
                           StartDlgCSP2(job);
                       },
                       {{"lengths-to-cut", nullptr},
                        {"report", [](vtl::win::Script& s) {
                             s.click(ctrl(8592)).waitFor(dialogWithTemplate(kInfoTemplate));
                         }},
                        {"stock-loaded", [](vtl::win::Script& s) {
                             s.key(VK_ESCAPE)
                                 .waitFor(dialogWithTemplate(kCuttingStockTemplate))
                                 .select(ctrl(9036), "HEA 200");
                         }},
                        {"new-profile-name", [](vtl::win::Script& s) {
                             s.click(ctrl(8590)).waitFor(dialogWithTemplate(kInputTextTemplate));
                         }},
                        {"open-stock-file", [](vtl::win::Script& s) {
                             s.key(VK_ESCAPE)
                                 .waitFor(dialogWithTemplate(kCuttingStockTemplate))
                                 .click(ctrl(8600))
                                 .waitFor(vtl::win::captionIs("Open stock file"));
                         }}},
                       [](vtl::win::Script& s) {
                           s.key(VK_ESCAPE).waitFor(dialogWithTemplate(kCuttingStockTemplate)).key(VK_ESCAPE);
                       }});
    shelve(entries, GalleryGroup::CuttingStock, "Cutting stock of the job Hall 3");
    // Find and replace over a grid of values: the part marks of the lengths to cut.
    entries.push_back({"find-replace-values-grid",
                       "The find and replace dialog over a grid of values, opened with F5 in the lengths to cut of "
                       "the sample job's IPE 300: the part marks' prefix found and replaced in every row.",
                       kCuttingStockTemplate,
                       [] {
                           vtlhost::dateSampleStockFiles();
                           DlgCSP2Data job = vtlhost::sampleCuttingJob();
                           StartDlgCSP2(job);
                       },
                       {{"opened",
                         [](vtl::win::Script& s) {
                             s.click(ctrl(1321))
                                 .key(VK_F5)
                                 .waitFor(dialogWithTemplate(218))
                                 .type("B10")
                                 .click(ctrl(1209))
                                 .type("C10");
                         },
                         true},
                        {"found", [](vtl::win::Script& s) { s.click(ctrl(IDOK)); }, true},
                        {"replaced-all",
                         [](vtl::win::Script& s) {
                             s.click(vtl::win::ctrlIn(218, 1205)).waitFor(vtl::win::messageBoxContaining("Replaced in"));
                         },
                         true},
                        {"grid-afterwards",
                         [](vtl::win::Script& s) {
                             s.answer(IDOK).waitFor(dialogWithTemplate(218)).click(ctrl(IDCANCEL));
                         }}},
                       [](vtl::win::Script& s) { s.click(ctrl(IDCANCEL)); }});
    shelve(entries, GalleryGroup::Spreadsheets, "Find and replace in the lengths to cut");
    entries.push_back({"cutting-stock-restricted",
                       "The cutting stock of the sample job as a caller asking only for the shop's stock sees it: "
                       "the other lists locked, the stock of IPE 300 opened, and save all with a file name asked "
                       "per profile.",
                       kCuttingStockTemplate,
                       [] {
                           vtlhost::dateSampleStockFiles();
                           DlgCSP2Data job = vtlhost::sampleCuttingJob(true);
                           StartDlgCSP2(job);
                       },
                       {{"restricted", nullptr},
                        {"stock-opened", [](vtl::win::Script& s) {
                             s.click(ctrl(8600))
                                 .waitFor(vtl::win::captionIs("Open stock file"))
                                 .key(VK_RETURN)
                                 .waitFor(dialogWithTemplate(kCuttingStockTemplate))
                                 .click(ctrl(9074));
                         }}}});
    shelve(entries, GalleryGroup::CuttingStock, "Cutting stock: the shop's stock only");
    // ---- end of cutting stock ----
}

int listEntries(const Args&) {
    for (const auto& e : vtlhost::galleryEntries())
        std::cout << e.name << " (dialog " << e.templateId << ", " << e.shots.size() << " pictures): " << e.purpose << "\n";
    return 0;
}

int images(const Args&) {
    Vtl_StringArray names;
    getModuleImages(names);
    std::cout << "Designed dialogs below " << getDesignerRootFolder().str() << ":\n";
    for (const auto& n : names) std::cout << "  " << n.str() << "\n";
    if (names.isEmpty()) std::cout << "  (none)\n";
    return 0;
}

int controls(const Args& args) {
    if (args.empty()) {
        std::cerr << "vtlhost: controls needs the name of a designed dialog (see vtlhost images)\n";
        return 2;
    }
    Vtl_StringArray names;
    GetImageDlgCtrlNames(getDesignerRootFolder() + Vtl_String(args[0]) + Vtl_String(".txt"), names);
    for (const auto& n : names) std::cout << n.str() << "\n";
    return 0;
}

int gallery(const Args& args) {
    const std::string folder = args.empty() ? "gallery" : args[0];
    // Each dialog is drawn at its own size: sizes a person's sessions stored neither apply nor change.
    vtl::base::setDialogSettingsFile("");
    const vtlhost::GalleryResult result = vtlhost::writeGallery(folder);
    if (!result.folderUsable) return 1;
    std::cout << "Wrote " << result.pictures << " pictures and "
              << (std::filesystem::path(folder) / "index.html").string() << "\n";
    for (const auto& p : result.problems) std::cerr << "gallery problem: " << p << "\n";
    return result.problems.empty() ? 0 : 1;
}

// Plays a user story (see story.h): set-up, the dialog opened as a caller opens it, the steps; prints the
// record handed back, the files written and the drawing journal. main has already put the library folder
// on a scratch copy.
int runStoryFile(const Args& args) {
    if (args.empty()) {
        std::cerr << "vtlhost: run needs a story file (see samples/scripts/)\n";
        return 2;
    }
    const auto text = readTextFile(args[0]);
    if (!text) return 2;
    vtlhost::Story story;
    try {
        story = vtlhost::parseStory(*text, args[0]);
    } catch (const vtlhost::StoryError& e) {
        std::cerr << "vtlhost: " << e.what() << "\n";
        return 2;
    }
    return vtlhost::runStory(story, std::cout);
}

const char* kindName(int kind) {
    switch (kind) {
    case 0: return "values";
    case 1: return "bolts";
    case 2: return "profiles";
    case 3: return "values and arrays";
    default: return "no page";
    }
}

int macros(const Args&) {
    const Vtl_StringArray names = libraryMacroNames();
    if (names.isEmpty()) std::cout << "No connection macros in " << gSettings.libDir().str() << "Macros\\\n";
    for (const Vtl_String& name : names) {
        MacroData m;
        std::string error;
        if (!readLibraryMacro(name, m, error)) {
            std::cout << name.str() << ": cannot be read: " << error << "\n";
            continue;
        }
        std::cout << name.str() << ": " << m.caption.str() << " (" << m.macroType.str() << ")\n";
        for (const MacroTabData& t : m.tabs) {
            std::cout << "  tab " << t.displayName.str() << " [" << kindName(t.kind) << "]: " << t.cells.length() << " values, "
                      << t.patterns.length() << " patterns, " << t.profiles.length() << " profiles, " << t.arrays.length()
                      << " arrays, " << t.cuts.length() << " cuts" << (t.designFile.isEmpty() ? "" : ", designed") << "\n";
        }
    }
    return 0;
}

// Places a macro in the drawing, changes one value as the macro dialog would and applies it: the journal
// shows the requests, the instance the value the drawing made of it.
int macroUpdate(const Args& args) {
    if (args.size() < 4) {
        std::cerr << "vtlhost: macro-update needs <macro> <tab> <value name> <value>\n";
        return 2;
    }
    MacroData m;
    std::string error;
    if (!readLibraryMacro(Vtl_String(args[0]), m, error)) {
        std::cerr << "vtlhost: " << args[0] << ": " << error << "\n";
        return 1;
    }
    const AcDbObjectId id = vtl::base::DrawingModel::get().placeMacro(m);
    int t = 0, c = 0;
    if (!m.findTab(Vtl_String(args[1]), t) || !m.tabs[t].findCellWithName(Vtl_String(args[2]), c)) {
        std::cerr << "vtlhost: " << args[0] << " has no value " << args[2] << " on a tab " << args[1] << "\n";
        return 1;
    }
    const MacroTabData before = m.tabs[t];
    m.tabs[t].cells[c].value = Vtl_String(args[3]);
    Vtl_StringArray names;
    AcArray<int> changes1, changes2;
    before.differences(m.tabs[t], names, changes1, changes2);
    if (UpdateModule(m.tabs[t].moduleName, m, changes1, changes2)) clashcheck(1, m.objectIds);
    std::cout << "Journal:\n";
    vtl::base::Journal::get().dump(std::cout);
    const MacroData* instance = vtl::base::DrawingModel::get().instance(id);
    std::cout << "The drawing's " << args[2] << ": " << instance->tabs[t].cells[c].value.str() << "\n";
    return 0;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"sample", "sample [script-file]",
         "opens the sample dialog, answered by the script (or a built-in one); prints its window tree and the record",
         runSample},
        {"run", "run <story-file>",
         "plays a user story on a scratch copy of the library; prints the record handed back, the files written "
         "and the drawing journal",
         runStoryFile},
        {"render-template", "render-template N [out.png]", "draws dialog template N with its texts into a PNG",
         renderTemplate},
        {"list", "list", "lists the dialogs of the gallery and what each is for", listEntries},
        {"images", "images", "lists the designed dialogs of the library folder", images},
        {"controls", "controls <design>", "lists the control names of a designed dialog", controls},
        {"gallery", "gallery [folder]", "draws every dialog of the gallery and each of its states, with an index.html",
         gallery},
        {"macros", "macros", "lists the connection macros of the library folder with their tabs", macros},
        {"macro-update", "macro-update <macro> <tab> <value name> <value>",
         "places a macro in the drawing, changes one value and applies it; prints the journal and the result", macroUpdate},
        {"serve", "serve [--port N]",
         "the browser workbench on 127.0.0.1 (a free port unless N is given): the gallery's dialogs to use with "
         "mouse and keys, beside the command line and the drawing journal; Ctrl+C stops it",
         vtlhost::serve},
    };
    return table;
}

int help() {
    std::cout << "usage: vtlhost [--library DIR] <command> [arguments]\n\n";
    for (const auto& c : commands()) std::cout << "  " << c.usage << "\n      " << c.what << "\n";
    std::cout << "\n--library DIR chooses the add-on's library folder (else VTL_LIBDIR, else the bundled one).\n";
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    Args args;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--library" && i + 1 < argc) {
            gSettings.setLibDir(Vtl_String(argv[++i]));
            continue;
        }
        args.push_back(a);
    }
    const std::string name = args.empty() ? "sample" : args.front();
    if (!args.empty()) args.erase(args.begin());
    if (name == "help" || name == "--help" || name == "-h") return help();
    const Command* command = nullptr;
    for (const auto& c : commands())
        if (name == c.name) command = &c;
    if (!command) {
        std::cerr << "vtlhost: unknown command \"" << name << "\" (try vtlhost help)\n";
        return 2;
    }

    // A story and the workbench write into the library as a person's session would: each gets a copy of its
    // own, so the library it came from stays as it was.
    std::string scratch;
    if (name == "run" || name == "serve") {
        std::string error;
        const std::string original = vtl::base::files::resolve(gSettings.libDir().str());
        scratch = vtlhost::makeScratchCopy(original, error);
        if (scratch.empty()) {
            std::cerr << "vtlhost: " << error << "\n";
            return 1;
        }
        std::cout << "Playing on a scratch copy of " << gSettings.libDir().str() << "\n";
        gSettings.setLibDir(Vtl_String(scratch));
        vtlhost::setServeLibrary(original, scratch);
    }
    const auto removeScratch = [&] {
        std::error_code ec;
        if (!scratch.empty()) std::filesystem::remove_all(std::filesystem::path(scratch).parent_path(), ec);
    };

    vtl::host::setCommandLineEcho(true);
    vtl::host::createMainWindow();
    std::string error;
    auto module = vtl::host::LoadedModule::load(moduleBeside(argv[0]).string(), error);
    if (!module) {
        std::cerr << "vtlhost: " << error << "\n";
        removeScratch();
        return 1;
    }
    std::cout << "Loaded " << module->path() << "\nLibrary folder: " << gSettings.libDir().str() << "\n";
    registerGalleryEntries();
    const int rc = command->run(args);
    module.reset();
    removeScratch();
    return rc;
}
