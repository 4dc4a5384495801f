#include "fuzz_support.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vtl::fuzz {
namespace fs = std::filesystem;

const std::string& scratchLibrary() {
    static const std::string library = [] {
        std::string root = (fs::temp_directory_path() / "vtlfuzz-XXXXXX").string();
        if (!mkdtemp(root.data())) fail("cannot make a scratch folder");
        const std::string lib = root + "/library";
        fs::create_directories(lib);
        fs::create_directories(root + "/config");
        setenv("VTL_LIBDIR", lib.c_str(), 1);
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        return lib;
    }();
    return library;
}

std::string writeScratchFile(const std::string& relative, std::string_view bytes) {
    const fs::path path = fs::path(scratchLibrary()) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}
}  // namespace vtl::fuzz
