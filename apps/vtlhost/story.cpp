#include "story.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "designer_samples.h"
#include "cutting_stock_samples.h"
#include "library_samples.h"
#include "spread_samples.h"
#include "engineering_samples.h"
#include "constraints_samples.h"
#include "macro_choice_samples.h"
#include "profile_samples.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_prof_values_table.h"
#include "vtlui/vtlui.h"
#include "win/pump.h"
#include "win/script.h"

namespace vtlhost {
namespace {
namespace fs = std::filesystem;

std::string scalarText(const nlohmann::ordered_json& v) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_array()) {
        std::string out = "[";
        for (std::size_t i = 0; i < v.size(); ++i) out += (i ? ", " : "") + scalarText(v[i]);
        return out + "]";
    }
    return v.dump();
}

std::string join(const std::string& path, const std::string& part) { return path.empty() ? part : path + "." + part; }

// An element of an array of records is named by its name, its module or its group, else by its position.
std::string elementName(const nlohmann::ordered_json& e, std::size_t index) {
    for (const char* key : {"name", "module", "group"})
        if (e.contains(key) && e[key].is_string() && !e[key].get<std::string>().empty()) return e[key].get<std::string>();
    return std::to_string(index + 1);
}

bool arrayOfRecords(const nlohmann::ordered_json& v) {
    return v.is_array() && !v.empty() && std::all_of(v.begin(), v.end(), [](const auto& e) { return e.is_object(); });
}

void flatten(const nlohmann::ordered_json& object, const std::string& path, bool isCell, FlatValues& out) {
    for (const auto& [key, value] : object.items()) {
        if (key == "tabs" && arrayOfRecords(value)) {
            for (std::size_t i = 0; i < value.size(); ++i) flatten(value[i], elementName(value[i], i), false, out);
        } else if (arrayOfRecords(value)) {
            // A cell is the value a person sees under its name; other records keep what they are.
            // Records sharing a name (the profiles of macros edited together) are told apart by a count.
            const bool cells = key == "cells";
            std::map<std::string, int> seen;
            for (std::size_t i = 0; i < value.size(); ++i) {
                std::string element = elementName(value[i], i);
                if (const int n = ++seen[element]; n > 1) element += "#" + std::to_string(n);
                const std::string at = cells ? join(path, element) : join(path, key + "." + element);
                flatten(value[i], at, cells, out);
            }
        } else if (value.is_object()) {
            flatten(value, join(path, key), false, out);
        } else {
            out.emplace_back(isCell && key == "value" ? path : join(path, key), scalarText(value));
        }
    }
}

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string libraryFolder() { return vtl::base::files::resolve(gSettings.libDir().str()); }

// A path below the library folder as the story shows it: relative, so that reports do not depend on
// where the scratch copy was made.
std::string shownPath(const std::string& modulePath) {
    const std::string lib = gSettings.libDir().str();
    if (modulePath.size() >= lib.size() && modulePath.compare(0, lib.size(), lib) == 0)
        return "<library>\\" + modulePath.substr(lib.size());
    return modulePath;
}

void printChanges(std::ostream& out, const std::vector<ValueChange>& changes, const char* indent) {
    if (changes.empty()) out << indent << "(nothing changed)\n";
    for (const ValueChange& c : changes) out << indent << c.where << ": " << c.before << " -> " << c.after << "\n";
}

// Opens the macro dialog on one macro, or on several edited together, as the add-on's macro command does:
// the macros are placed in the drawing first, their record merged when there are several.
bool playMacros(const Story& story, std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    std::vector<MacroData> placed;
    std::vector<AcDbObjectId> ids;
    std::vector<std::string> names;
    // Places a macro of the library in the drawing; one to be selected later is offered as the next
    // selection too.
    auto place = [&](const std::string& name, bool later) {
        MacroData m;
        std::string error;
        if (!readLibraryMacro(Vtl_String(name), m, error)) {
            out << "Cannot open the macro " << name << ": " << error << "\n";
            return false;
        }
        ids.push_back(vtl::base::DrawingModel::get().placeMacro(m));
        out << "Placed the macro " << name << " (" << m.caption.str() << ") in the drawing as object " << ids.back().asOldId()
            << (later ? ", to be selected later" : "") << "\n";
        if (later) vtl::base::DrawingModel::get().queueSelection(m);
        placed.push_back(std::move(m));
        names.push_back(name);
        return true;
    };
    for (const std::string& name : story.openArgs)
        if (!place(name, false)) return false;
    const std::size_t opened = placed.size();
    for (const std::string& name : story.selectLater)
        if (!place(name, true)) return false;
    MacroData record;
    if (opened == 1) {
        record = placed.front();
    } else {
        Vtl_Array<MacroData> all;
        for (std::size_t i = 0; i < opened; ++i) all.append(placed[i]);
        if (!mergeMacros(all, record)) {
            out << "The macros cannot be edited together: they are not of one kind with the same values\n";
            return false;
        }
    }
    const FlatValues before = flattenMacro(record);
    out << "Opened the macro dialog on " << (opened == 1 ? "the macro" : std::to_string(opened) + " macros together") << "\n";
    play([&] { StartDlgMacro(record); });
    out << "\nRecord handed back, what changed:\n";
    printChanges(out, changedValues(before, flattenMacro(record)), "  ");
    out << "\nThe macro instances in the drawing, what changed:\n";
    std::vector<FlatValues> now;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        out << "  " << names[i] << " (object " << ids[i].asOldId() << "):\n";
        const MacroData* instance = vtl::base::DrawingModel::get().instance(ids[i]);
        if (!instance) {
            out << "    (no longer in the drawing)\n";
            now.emplace_back();
            continue;
        }
        now.push_back(flattenMacro(*instance));
        printChanges(out, changedValues(flattenMacro(placed[i]), now.back()), "    ");
    }
    if (opened > 1) {
        // What the macros still hold differently: each keeps its own.
        out << "\nValues that differ between the macros, each kept:\n";
        bool any = false;
        for (const auto& [where, value] : now.front()) {
            std::vector<std::string> values;
            for (const FlatValues& f : now) {
                const auto it = std::find_if(f.begin(), f.end(), [&](const auto& p) { return p.first == where; });
                values.push_back(it == f.end() ? "(none)" : it->second);
            }
            if (std::all_of(values.begin(), values.end(), [&](const std::string& v) { return v == values.front(); })) continue;
            out << "  " << where << ":";
            for (std::size_t i = 0; i < values.size(); ++i) out << (i ? " | " : " ") << values[i];
            out << "\n";
            any = true;
        }
        if (!any) out << "  (none)\n";
    }
    return true;
}
}  // namespace

bool addSize(const SizeToAdd& size, std::string& error) {
    Vtl_ProfValuesTable table;
    const Vtl_String file(size.type + ".pr");
    if (!table.readFromFile(file)) {
        error = "there is no section table " + size.type + " (prof\\" + size.type + ".pr)";
        return false;
    }
    int row = 0, taken = 0;
    if (!table.findSysName(Vtl_String(size.copyOf), row)) {
        error = size.type + " has no size " + size.copyOf + " to copy";
        return false;
    }
    if (size.size.empty() || table.findSysName(Vtl_String(size.size), taken)) {
        error = size.type + " already has a size " + size.size;
        return false;
    }
    if (!table.insertRow(row)) {
        error = "the size cannot be inserted";
        return false;
    }
    const Vtl_StringArray original = table.rows[row];
    Vtl_StringArray& added = table.rows[row + 1];
    // Display names that end in the copied size's name take the new one ("HEA 1000" -> "HEA 1100"), the
    // one insertRow made up for the current language included.
    const std::string copied = " " + size.copyOf;
    for (int c = 2; c < added.length() && c < original.length(); ++c) {
        const std::string text = original[c].str();
        if (text.size() > copied.size() && text.compare(text.size() - copied.size(), copied.size(), copied) == 0)
            added[c] = Vtl_String(text.substr(0, text.size() - copied.size()) + " " + size.size);
    }
    added[0] = Vtl_String(size.size);
    for (const auto& [column, value] : size.values) {
        const int c = table.getColumnIdx(Vtl_String(column));
        if (c <= 0) {
            error = size.type + " has no column " + column + (c == 0 ? " to set (the size's name is given first)" : "");
            return false;
        }
        while (added.length() <= c) added.append(Vtl_String());
        added[c] = Vtl_String(value);
    }
    if (!table.writeToFile(file)) {
        error = "prof\\" + size.type + ".pr cannot be written";
        return false;
    }
    return true;
}

FlatValues flattenMacro(const MacroData& macro) {
    FlatValues out;
    flatten(nlohmann::ordered_json::parse(macroToJson(macro)), "", false, out);
    return out;
}

std::vector<ValueChange> changedValues(const FlatValues& before, const FlatValues& after) {
    std::map<std::string, std::string> old(before.begin(), before.end());
    std::vector<ValueChange> changes;
    for (const auto& [where, value] : after) {
        const auto it = old.find(where);
        if (it == old.end()) changes.push_back({where, "(none)", value});
        else if (it->second != value) changes.push_back({where, it->second, value});
    }
    // What is gone (an entry removed from a list), in the order it had.
    std::map<std::string, std::string> now(after.begin(), after.end());
    for (const auto& [where, value] : before)
        if (!now.count(where)) changes.push_back({where, value, "(none)"});
    return changes;
}

FolderSnapshot snapshotFolder(const std::string& folder) {
    FolderSnapshot files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        files.emplace_back(fs::relative(it->path(), folder, ec).generic_string(), readWhole(it->path()));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> filesWritten(const FolderSnapshot& before, const FolderSnapshot& after) {
    std::map<std::string, const std::string*> old;
    for (const auto& [path, content] : before) old[path] = &content;
    std::vector<std::string> written;
    for (const auto& [path, content] : after) {
        const auto it = old.find(path);
        if (it == old.end() || *it->second != content) written.push_back(path);
        if (it != old.end()) old.erase(it);
    }
    for (const auto& [path, content] : old) written.push_back(path + " (removed)");
    std::sort(written.begin(), written.end());
    return written;
}

std::string makeScratchCopy(const std::string& folder, std::string& error) {
    std::string pattern = (fs::temp_directory_path() / "vtlhost-story-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error = "cannot make a temporary folder";
        return {};
    }
    const fs::path copy = fs::path(pattern) / "library";
    std::error_code ec;
    fs::copy(folder, copy, fs::copy_options::recursive, ec);
    if (ec) {
        error = "cannot copy the library folder " + folder + ": " + ec.message();
        fs::remove_all(pattern, ec);
        return {};
    }
    return copy.string();
}

int runStory(const Story& story, std::ostream& out) {
    vtl::win::Script script;
    try {
        script = vtl::win::Script::parse(story.steps, story.name);
    } catch (const vtl::win::ScriptParseError& e) {
        out << e.what() << "\n";
        return 1;
    }
    out << "== Story: " << fs::path(story.name).filename().string() << "\n";
    const std::string folder = libraryFolder();
    const FolderSnapshot before = snapshotFolder(folder);
    for (const SizeToAdd& size : story.sizes) {
        std::string error;
        if (!addSize(size, error)) {
            out << story.name << ":" << size.line << ": " << error << "\n";
            return 1;
        }
        out << "Added the size " << size.type << "-" << size.size << " (a copy of " << size.type << "-" << size.copyOf
            << ") to the section table " << size.type << "\n";
    }
    const std::size_t unansweredBefore = vtl::win::unansweredWaits().size();
    const auto play = [&](const std::function<void()>& open) { vtl::win::runWithScript(script, open); };
    if (story.open == "sample") {
        VtlSampleData data;
        bool ok = false;
        out << "Opened the sample dialog\n";
        play([&] { ok = StartDlgSample(data); });
        out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nRecord handed back:\n  name: " << data.name
            << "\n  option: " << data.option << "\n";
    } else if (story.open == "section-selector") {
        DlgSelectProfData data;
        if (!story.openArgs.empty()) data.initialName = Vtl_String(story.openArgs.front());
        bool ok = false;
        out << "Opened the section selector" << (story.openArgs.empty() ? "" : " on " + story.openArgs.front()) << "\n";
        play([&] { ok = DlgSelectProf(data, true); });
        out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nRecord handed back:\n  profName: "
            << shownPath(data.profName.str()) << "\n";
        Vtl_String userName;
        if (ok && gSectionTables.getUserName(data.profName, userName)) out << "  shown as: " << userName.str() << "\n";
    } else if (story.open == "levels") {
        if (!playLevels(story.openArgs.front(), out, play)) return 1;
    } else if (story.open == "dstv-points") {
        playDstvPoints(out, play);
    } else if (story.open == "new-size") {
        if (!playNewSize(story.openArgs[0], story.openArgs[1], out, play)) return 1;
    } else if (story.open == "section-library") {
        if (!playSectionLibrary(story.openArgs, out, play)) return 1;
    } else if (story.open == "designer") {
        if (!playDesigner(story.openArgs.front(), out, play)) return 1;
    } else if (story.open == "cutting-stock") {
        playCuttingStock(!story.openArgs.empty(), out, play);
    } else if (story.open == "evaluate-sheet") {
        playEvaluateSheet(out, play);
    } else if (story.open == "string-table") {
        if (!playStringTable(story.openArgs.front(), out, play)) return 1;
    } else if (story.open == "building-grid") {
        playBuildingGrid(out, play);
    } else if (story.open == "look-up") {
        playLookUp(out, play);
    } else if (story.open == "profile-cuts") {
        playProfileCuts(out, play);
    } else if (story.open == "profile-features") {
        playProfileFeatures(out, play);
    } else if (story.open == "macro-cut") {
        if (!playMacroCut(story.openArgs, out, play)) return 1;
    } else if (story.open == "select-macro") {
        playSelectMacro(out, play);
    } else if (story.open == "constraints") {
        const auto done = [&] { return script.consumedCount() == script.stepCount() || !script.errors().empty(); };
        if (!playConstraints(story.openArgs, out, play, done)) return 1;
    } else if (!playMacros(story, out, play)) {
        return 1;
    }
    out << "\nFiles written in the library folder:\n";
    const auto written = filesWritten(before, snapshotFolder(folder));
    if (written.empty()) out << "  (none)\n";
    for (const std::string& file : written) out << "  " << file << "\n";
    out << "\nDrawing journal:\n";
    std::ostringstream journal;
    vtl::base::Journal::get().dump(journal);
    out << (journal.str().empty() ? std::string("  (empty)\n") : journal.str());

    int rc = 0;
    for (const std::string& e : script.errors()) {
        out << "script error: " << e << "\n";
        rc = 1;
    }
    const auto unanswered = vtl::win::unansweredWaits();
    for (std::size_t i = unansweredBefore; i < unanswered.size(); ++i) {
        out << unanswered[i] << " (the story left the dialog waiting)\n";
        rc = 1;
    }
    for (const std::string& step : script.remainingSteps()) {
        out << "step not taken: " << step << "\n";
        rc = 1;
    }
    return rc;
}

}  // namespace vtlhost
