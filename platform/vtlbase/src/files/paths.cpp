#include "vtlbase/files/paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace vtl::base::files {
namespace {
std::map<char, std::string>& drives() {
    static std::map<char, std::string> d;
    return d;
}

// Code points of UTF-8 text, folded to lower case for ASCII and the Latin-1 letters.
std::u32string folded(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        char32_t cp = c;
        std::size_t len = 1;
        if (c >= 0xC0 && c < 0xE0 && i + 1 < s.size()) {
            cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
            len = 2;
        } else if (c >= 0xE0 && c < 0xF0 && i + 2 < s.size()) {
            cp = ((c & 0x0F) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3F) << 6) |
                 (static_cast<unsigned char>(s[i + 2]) & 0x3F);
            len = 3;
        } else if (c >= 0xF0 && i + 3 < s.size()) {
            cp = ((c & 0x07) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3F) << 12) |
                 ((static_cast<unsigned char>(s[i + 2]) & 0x3F) << 6) | (static_cast<unsigned char>(s[i + 3]) & 0x3F);
            len = 4;
        }
        if (cp >= 'A' && cp <= 'Z') cp += 32;
        else if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) cp += 32;
        out.push_back(cp);
        i += len;
    }
    return out;
}
}  // namespace

void setDriveFolder(char drive, const std::string& folder) {
    drives()[static_cast<char>(std::tolower(static_cast<unsigned char>(drive)))] = folder;
}

void clearDriveFolders() { drives().clear(); }

std::string nativePath(std::string_view modulePath) {
    std::string path(modulePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        const auto it = drives().find(static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))));
        if (it == drives().end()) return {};
        std::string rest = path.substr(2);
        while (!rest.empty() && rest.front() == '/') rest.erase(rest.begin());
        return (fs::path(it->second) / rest).string();
    }
    return path;
}

std::string resolveCase(const std::string& native) {
    if (native.empty()) return native;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(native, ec))) return native;
    const fs::path p(native);
    fs::path current = p.root_path();
    bool missing = false;
    for (const auto& part : p.relative_path()) {
        const fs::path exact = current / part;
        if (missing || part == "." || part == ".." || fs::exists(fs::symlink_status(exact, ec))) {
            current = exact;
            continue;
        }
        std::vector<std::string> matches;
        const fs::path folder = current.empty() ? fs::path(".") : current;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (sameNameIgnoringCase(name, part.string())) matches.push_back(name);
        }
        if (matches.empty()) {
            missing = true;
            current = exact;
            continue;
        }
        std::sort(matches.begin(), matches.end());
        current /= matches.front();
    }
    return current.string();
}

std::string resolve(std::string_view modulePath) {
    const std::string native = nativePath(modulePath);
    return native.empty() ? native : resolveCase(native);
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) { return folded(a) == folded(b); }

bool validFileName(std::string_view name, std::string& reason) {
    if (name.empty()) {
        reason = "the name is empty";
        return false;
    }
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            reason = std::string("the name may not hold \"") + (static_cast<unsigned char>(c) < 0x20 ? "a control character" : std::string(1, c)) + "\"";
            return false;
        }
    }
    if (name == "." || name == "..") {
        reason = "the name may not be \"" + std::string(name) + "\"";
        return false;
    }
    if (name.back() == '.' || name.back() == ' ') {
        reason = "the name may not end with a dot or a blank";
        return false;
    }
    // Device names, with or without an extension, name no file.
    std::string stem(name.substr(0, name.find('.')));
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static const char* devices[] = {"CON", "PRN", "AUX", "NUL"};
    bool device = std::find(std::begin(devices), std::end(devices), stem) != std::end(devices);
    if (stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1' && stem[3] <= '9')
        device = true;
    if (device) {
        reason = "\"" + stem + "\" is the name of a device";
        return false;
    }
    return true;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    const std::u32string p = folded(pattern), n = folded(name);
    std::size_t pi = 0, ni = 0, star = std::u32string::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == U'*') {
            star = pi++;
            mark = ni;
        } else if (star != std::u32string::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*') ++pi;
    return pi == p.size();
}

}  // namespace vtl::base::files
