#include "designer/designer_files.h"
#include "frame/export_guard.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "vtlui/vtl_dlg_designer_data.h"
#include "vtlui/vtlui.h"

namespace vtl::designer {
namespace {

namespace files = vtl::base::files;
namespace fs = std::filesystem;

// The components of an absolute module path after "." and ".." are applied; nothing for a relative path,
// an unmapped drive or a ".." above the top.
std::optional<std::vector<std::string>> components(const Vtl_String& modulePath) {
    const std::string native = files::nativePath(modulePath.view());
    if (native.empty() || native.front() != '/') return std::nullopt;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= native.size()) {
        std::size_t end = native.find('/', start);
        if (end == std::string::npos) end = native.size();
        const std::string part = native.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace

bool nameFromPath(const Vtl_String& path, Vtl_String& name) {
    Vtl_String normalised;
    return nameFromPath(path, name, normalised);
}

bool nameFromPath(const Vtl_String& path, Vtl_String& name, Vtl_String& normalised) {
    const auto root = components(getDesignerRootFolder());
    const auto parts = components(path);
    if (!root || !parts || parts->size() <= root->size()) return false;
    for (std::size_t k = 0; k < root->size(); ++k) {
        if (!files::sameNameIgnoringCase((*root)[k], (*parts)[k])) return false;
    }
    Vtl_String rest;
    for (std::size_t k = root->size(); k < parts->size(); ++k) {
        if (k > root->size()) rest += '\\';
        rest += Vtl_String((*parts)[k]);
    }
    name = removeExtension(rest);
    normalised = getDesignerRootFolder() + rest;
    return true;
}

Vtl_String designPath(const Vtl_String& name, const char* extension) {
    return getDesignerRootFolder() + name + "." + extension;
}

bool landsInsideRoot(const Vtl_String& normalised) {
    // weakly_canonical follows every link of the part that exists and keeps the rest as written.
    std::error_code ec;
    const std::string native = files::resolve(normalised.view());
    const std::string rootNative = files::resolve(getDesignerRootFolder().view());
    if (native.empty() || rootNative.empty()) return false;
    const fs::path target = fs::weakly_canonical(fs::path(native), ec);
    if (ec) return false;
    const fs::path root = fs::weakly_canonical(fs::path(rootNative), ec);
    if (ec) return false;
    auto t = target.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++t) {
        if (r->empty()) continue;  // the empty last part of a root that ends in a separator
        if (t == target.end() || *t != *r) return false;
    }
    return t != target.end();
}

bool writableDesignPath(const Vtl_String& path, Vtl_String& name, Vtl_String& normalised) {
    Vtl_String n, p;
    if (!nameFromPath(path, n, p)) return false;
    const std::string& text = p.str();
    if (text.size() < 4 || !files::sameNameIgnoringCase(std::string_view(text).substr(text.size() - 4), ".txt")) return false;
    if (!landsInsideRoot(p)) return false;
    name = n;
    normalised = p;
    return true;
}

}  // namespace vtl::designer

Vtl_String getDesignerRootFolder() {
    return vtl::ui::guardExport("getDesignerRootFolder", Vtl_String(), [] {
        return ensureEndBSlash(gSettings.libDir()) + "Dialog Templates\\Dialog Design\\";
    });
}

void getModuleImages(Vtl_StringArray& names) {
    const bool found = vtl::ui::guardExport("getModuleImages", false, [&] {
        Vtl_StringArray files;
        ObjectExportFindFilesRecursive(getDesignerRootFolder(), "*.txt", files);
        Vtl_StringArray designs;
        for (const Vtl_String& file : files) {
            Vtl_String name;
            if (vtl::designer::nameFromPath(file, name)) designs.append(name);
        }
        names = designs;
        return true;
    });
    if (!found) names.removeAll();
}

void GetImageDlgCtrlNames(const Vtl_String& path, Vtl_StringArray& names) {
    const bool read = vtl::ui::guardExport("GetImageDlgCtrlNames", false, [&] {
        names.removeAll();
        Vtl_DlgDesignerData design;
        if (design.readFromFile(path, false)) design.getAllCtrlNames(names);
        return true;
    });
    if (!read) names.removeAll();
}
