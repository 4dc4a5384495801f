#include "vtlbase/macro/macro_props_filter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "gfx/bmp.h"
#include "gfx/display_list.h"
#include "gfx/rasterise.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/settings.h"

namespace files = vtl::base::files;

namespace {
std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// The properties a macro drawing names on its "Properties:" line.
std::vector<std::string> propertiesOf(const std::string& modulePath) {
    std::vector<std::string> lines, props;
    std::string error;
    if (!files::readLines(modulePath, lines, error)) return props;
    for (const std::string& line : lines) {
        if (line.rfind("Properties:", 0) != 0) continue;
        std::string rest = line.substr(11);
        std::size_t start = 0;
        while (start <= rest.size()) {
            const std::size_t end = std::min(rest.find(';', start), rest.size());
            const std::string p = trim(rest.substr(start, end - start));
            if (!p.empty() && std::find(props.begin(), props.end(), p) == props.end()) props.push_back(p);
            start = end + 1;
        }
    }
    return props;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) < std::tolower(y);
    });
}

std::string macrosFolder() { return gSettings.libDir().str() + "Macros\\"; }
}  // namespace

void Vtl_MacroPropsFilter::initialize(const Vtl_StringArray& moduleNames, const AcArray<bool>& states, int width,
                                      int height) {
    previewWidth = width;
    previewHeight = height;
    modules_.clear();
    std::vector<std::pair<std::string, bool>> wanted;
    for (int i = 0; i < moduleNames.length(); ++i)
        wanted.emplace_back(moduleNames[i].str(), i < states.length() ? states[i] : true);
    if (wanted.empty()) {
        std::error_code ec;
        const std::string root = files::resolve(macrosFolder());
        std::vector<std::string> folders;
        for (const auto& e : std::filesystem::directory_iterator(root, ec))
            if (e.is_directory(ec)) folders.push_back(e.path().filename().string());
        std::sort(folders.begin(), folders.end(), lessIgnoringCase);
        for (const std::string& f : folders) wanted.emplace_back(f, true);
    }
    for (const auto& [name, on] : wanted) {
        Module m;
        m.name = name;
        m.on = on;
        const std::string folder = macrosFolder() + name + "\\";
        std::string reason;
        // A module name that is no plain folder name lists nothing (never a folder outside "Macros").
        if (files::validFileName(name, reason))
            for (const std::string& f : files::findFiles(folder, "*.dwg")) {
                Macro macro{folder + f, propertiesOf(folder + f)};
                for (const std::string& p : macro.properties) m.propertyOn.emplace(p, true);
                m.macros.push_back(std::move(macro));
            }
        modules_.push_back(std::move(m));
    }
    vtl::base::Journal::get().record("initializeMacroFilter", {std::to_string(moduleNames.length())},
                                     std::to_string(modules_.size()));
}

bool Vtl_MacroPropsFilter::getAllDwgFiles(Vtl_StringArray& out) const {
    out.removeAll();
    for (const Module& m : modules_)
        for (const Macro& macro : m.macros) out.append(Vtl_String(macro.file));
    return true;
}

bool Vtl_MacroPropsFilter::getFilteredMacros(Vtl_StringArray& out) const {
    out.removeAll();
    for (const Module& m : modules_) {
        if (!m.on) continue;
        for (const Macro& macro : m.macros)
            if (std::all_of(macro.properties.begin(), macro.properties.end(),
                            [&](const std::string& p) { return m.propertyOn.at(p); }))
                out.append(Vtl_String(macro.file));
    }
    return true;
}

bool Vtl_MacroPropsFilter::getMergedProperties(Vtl_Array<Vtl_StringArray>& table, Vtl_Array<AcArray<bool>>& states,
                                               Vtl_Array<Vtl_Array<int>>& counts) const {
    if (modules_.empty()) return false;
    table.removeAll();
    states.removeAll();
    counts.removeAll();
    for (const Module& m : modules_) {
        Vtl_StringArray row;
        AcArray<bool> on;
        Vtl_Array<int> n;
        row.append(Vtl_String(m.name));
        on.append(m.on);
        n.append(static_cast<int>(m.macros.size()));
        std::vector<std::string> names;
        for (const auto& [p, state] : m.propertyOn) names.push_back(p);
        std::sort(names.begin(), names.end(), lessIgnoringCase);
        for (const std::string& p : names) {
            row.append(Vtl_String(p));
            on.append(m.propertyOn.at(p));
            n.append(static_cast<int>(std::count_if(m.macros.begin(), m.macros.end(), [&](const Macro& macro) {
                return std::find(macro.properties.begin(), macro.properties.end(), p) != macro.properties.end();
            })));
        }
        table.append(row);
        states.append(on);
        counts.append(n);
    }
    return true;
}

Vtl_MacroPropsFilter::Module* Vtl_MacroPropsFilter::findModule(const Vtl_String& name) {
    for (Module& m : modules_)
        if (Vtl_String(m.name).equal(name, false)) return &m;
    return nullptr;
}

bool Vtl_MacroPropsFilter::setModuleStatus(const Vtl_String& module, bool on) {
    Module* m = findModule(module);
    if (m) m->on = on;
    vtl::base::Journal::get().record("setModuleStatus", {module.str(), on ? "on" : "off"}, m ? "" : "none");
    return m != nullptr;
}

bool Vtl_MacroPropsFilter::setModulePropStatus(const Vtl_String& module, const Vtl_String& property, bool on) {
    Module* m = findModule(module);
    auto it = m ? m->propertyOn.find(property.str()) : std::map<std::string, bool>::iterator();
    const bool found = m && it != m->propertyOn.end();
    if (found) it->second = on;
    vtl::base::Journal::get().record("setModulePropStatus", {module.str(), property.str(), on ? "on" : "off"},
                                     found ? "" : "none");
    return found;
}

int CreatePreviewBMPs(const Vtl_StringArray& dwgFiles, int width, int height) {
    int written = 0;
    width = std::clamp(width, 16, 1024);
    height = std::clamp(height, 16, 1024);
    for (const Vtl_String& dwg : dwgFiles) {
        if (files::fileExists(changeExtension(dwg, "bmp").str())) continue;
        const Vtl_String preview = changeExtension(dwg, "abm");
        // A grey card with the macro's name, as the drawing's own preview would show its outline.
        vtl::gfx::DisplayList l;
        l.fillRect({4, 4, width - 4, height - 4}, RGB(225, 228, 232));
        l.frameRect({4, 4, width - 4, height - 4}, RGB(120, 130, 140));
        vtl::gfx::TextStyle s;
        s.colour = RGB(60, 60, 60);
        s.format = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
        l.text({8, 8, width - 8, height - 8}, removeExtension(getFileName(dwg)).str(), s);
        try {
            vtl::gfx::writeBmpFile(files::resolve(preview.str()), vtl::gfx::render(l, width, height), 24);
            ++written;
        } catch (const std::exception&) {
            // A folder that cannot be written keeps the macro without a picture.
        }
    }
    vtl::base::Journal::get().record("CreatePreviewBMPs", {std::to_string(dwgFiles.length())}, std::to_string(written));
    return written;
}
