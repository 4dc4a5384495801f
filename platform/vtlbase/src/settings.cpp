#include "vtlbase/settings.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "settings_state.h"

#ifndef VTL_DEFAULT_LIBDIR
#define VTL_DEFAULT_LIBDIR ""
#endif

Vtl_Settings gSettings;

namespace vtl::base::settings {
namespace {
std::optional<std::string>& explicitLibDir() {
    static std::optional<std::string> dir;
    return dir;
}

std::string bundledLibrary() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path compiled = VTL_DEFAULT_LIBDIR;
    if (!compiled.empty() && fs::is_directory(compiled, ec)) return compiled.string();
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&bundledLibrary), &info) != 0 && info.dli_fname) {
        fs::path dir = fs::absolute(info.dli_fname, ec).parent_path();
        for (int up = 0; up < 6 && !dir.empty(); ++up, dir = dir.parent_path()) {
            const fs::path candidate = dir / "samples" / "library";
            if (fs::is_directory(candidate, ec)) return candidate.string();
            if (dir == dir.root_path()) break;
        }
    }
    return compiled.string();
}

// The folder as an absolute path ending in exactly one backslash.
std::string withSeparator(std::string dir) {
    std::error_code ec;
    if (!dir.empty() && dir[0] != '/' && dir[0] != '\\') {
        const auto absolute = std::filesystem::absolute(dir, ec);
        if (!ec) dir = absolute.string();
    }
    while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
    return dir + "\\";
}
}  // namespace

void reset() { explicitLibDir().reset(); }

}  // namespace vtl::base::settings

Vtl_String Vtl_Settings::libDir() const {
    using namespace vtl::base::settings;
    if (explicitLibDir()) return Vtl_String(withSeparator(*explicitLibDir()));
    const char* env = getenv("VTL_LIBDIR");
    if (env && *env) return Vtl_String(withSeparator(env));
    return Vtl_String(withSeparator(bundledLibrary()));
}

void Vtl_Settings::setLibDir(const Vtl_String& folder) {
    if (folder.isEmpty()) {
        vtl::base::settings::explicitLibDir().reset();
    } else {
        vtl::base::settings::explicitLibDir() = folder.str();
    }
}
