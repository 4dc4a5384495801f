#pragma once
// The library the workbench's dialogs work on: a scratch copy of the sample library. It says which files
// the dialogs wrote there, hands out a file of it by a relative path without ever reaching outside it, and
// starts again on a fresh copy.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtlhost {

struct WrittenFile {
    std::string path;    // relative to the library, '/' separators
    std::string state;   // "new", "changed" or "removed"
    std::uintmax_t size = 0;
};

// The file `relative` ('/' separators) names inside `folder`: a regular file below it, reached without
// `..`, an absolute path or a link that leads out. Nothing, with the reason, otherwise ("there is no file
// ..." when it is simply missing).
std::optional<std::filesystem::path> fileInsideFolder(const std::filesystem::path& folder, std::string_view relative,
                                                      std::string& error);

class ScratchLibrary {
public:
    // `original` is the library `scratch` was copied from; the copy is taken as it is now.
    ScratchLibrary(std::filesystem::path original, std::filesystem::path scratch);

    const std::filesystem::path& scratch() const { return scratch_; }

    // The files that differ from the original library, sorted by path. Cheap when nothing changed: files
    // are compared by size and time first, by content only when those changed.
    std::vector<WrittenFile> written();

    // Copies the original over the scratch copy again (same folder, so paths held elsewhere stay good).
    // False with the reason when the copy fails.
    bool reset(std::string& error);


private:
    struct Seen {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time{};
    };
    struct Judged {
        Seen seen;
        bool differs = false;
    };
    std::map<std::string, Seen> scan() const;
    bool sameAsOriginal(const std::string& path) const;

    std::filesystem::path original_, scratch_;
    std::map<std::string, Seen> baseline_;   // the scratch copy as copied
    std::map<std::string, Judged> judged_;   // content comparisons already made, by what was seen then
};

}  // namespace vtlhost
