#include "workbench_library.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vtlhost {
namespace fs = std::filesystem;

namespace {
bool sameContent(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    char ba[8192], bb[8192];
    while (fa && fb) {
        fa.read(ba, sizeof ba);
        fb.read(bb, sizeof bb);
        if (fa.gcount() != fb.gcount() || !std::equal(ba, ba + fa.gcount(), bb)) return false;
    }
    return fa.eof() && fb.eof();
}
}  // namespace

ScratchLibrary::ScratchLibrary(fs::path original, fs::path scratch)
    : original_(std::move(original)), scratch_(std::move(scratch)) {
    baseline_ = scan();
}

std::map<std::string, ScratchLibrary::Seen> ScratchLibrary::scan() const {
    std::map<std::string, Seen> files;
    std::error_code ec;
    // Links to folders are not followed: nothing outside the copy is listed.
    for (auto it = fs::recursive_directory_iterator(scratch_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_symlink(ec) || !it->is_regular_file(ec)) continue;
        Seen seen;
        seen.size = it->file_size(ec);
        seen.time = it->last_write_time(ec);
        if (ec) {
            ec.clear();
            continue;
        }
        files.emplace(fs::relative(it->path(), scratch_, ec).generic_string(), seen);
    }
    return files;
}

bool ScratchLibrary::sameAsOriginal(const std::string& path) const {
    return sameContent(original_ / path, scratch_ / path);
}

std::vector<WrittenFile> ScratchLibrary::written() {
    std::vector<WrittenFile> out;
    const auto now = scan();
    for (const auto& [path, seen] : now) {
        const auto base = baseline_.find(path);
        if (base == baseline_.end()) {
            out.push_back({path, "new", seen.size});
            continue;
        }
        if (base->second.size == seen.size && base->second.time == seen.time) continue;
        // Touched: written with other content, or written back as it was.
        auto [at, fresh] = judged_.try_emplace(path);
        Judged& judged = at->second;
        if (fresh || judged.seen.size != seen.size || judged.seen.time != seen.time) {
            judged.seen = seen;
            judged.differs = !sameAsOriginal(path);
        }
        if (judged.differs) out.push_back({path, "changed", seen.size});
    }
    for (const auto& [path, seen] : baseline_)
        if (!now.count(path)) out.push_back({path, "removed", 0});
    std::sort(out.begin(), out.end(), [](const WrittenFile& a, const WrittenFile& b) { return a.path < b.path; });
    return out;
}

bool ScratchLibrary::reset(std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(original_, ec)) {
        error = "the sample library " + original_.string() + " is gone";
        return false;
    }
    // Emptied, not removed: the folder itself stays where the settings and the dialogs point.
    for (auto it = fs::directory_iterator(scratch_, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code removeEc;
        fs::remove_all(it->path(), removeEc);
        if (removeEc) {
            error = "cannot remove " + it->path().string() + ": " + removeEc.message();
            return false;
        }
    }
    if (ec) {
        error = "cannot empty " + scratch_.string() + ": " + ec.message();
        return false;
    }
    fs::copy(original_, scratch_, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy the sample library " + original_.string() + ": " + ec.message();
        return false;
    }
    baseline_ = scan();
    judged_.clear();
    return true;
}

std::optional<fs::path> fileInsideFolder(const fs::path& folder, std::string_view relative, std::string& error) {
    const std::string name(relative);
    if (name.empty()) {
        error = "which file? (file?path=PATH, see the files written)";
        return std::nullopt;
    }
    if (name.find('\0') != std::string::npos || name.find('\\') != std::string::npos) {
        error = "the path " + name + " holds a character a library path does not have";
        return std::nullopt;
    }
    const fs::path path(name);
    if (path.is_absolute() || path.has_root_name() || path.has_root_directory()) {
        error = "the path " + name + " is absolute; give it relative to the library";
        return std::nullopt;
    }
    for (const fs::path& part : path)
        if (part == "..") {
            error = "the path " + name + " leads out of the library";
            return std::nullopt;
        }
    // Links resolved: what they lead to must still be inside the copy.
    std::error_code ec;
    const fs::path root = fs::canonical(folder, ec);
    if (ec) {
        error = "the library is not there";
        return std::nullopt;
    }
    const fs::path file = fs::canonical(root / path, ec);
    if (ec) {
        error = "there is no file " + name + " in the library";
        return std::nullopt;
    }
    const fs::path inside = file.lexically_relative(root);
    if (inside.empty() || *inside.begin() == ".." || inside == ".") {
        error = "the path " + name + " leads out of the library";
        return std::nullopt;
    }
    if (!fs::is_regular_file(file, ec)) {
        error = name + " is not a file";
        return std::nullopt;
    }
    return file;
}

}  // namespace vtlhost
