#include "dialog_store.h"

#include <stdlib.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "host/command_line.h"
#include "vtlbase/dialog_size.h"

namespace vtl::base::dialogs {
namespace {
namespace fs = std::filesystem;

constexpr std::uintmax_t kMaxFileSize = 1 << 20;  // far beyond any real settings file
constexpr int kMaxCoordinate = 1000000;

struct State {
    std::optional<std::string> chosenPath;  // set by setDialogSettingsFile; none: follow the environment
    std::map<std::string, Records> written;  // by file ("" = memory only): what this process stored
    bool warned = false;
};

State& state() {
    static State s;
    return s;
}

std::string environmentPath() {
    const char* xdg = getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return (fs::path(xdg) / "vtlui" / "dialogs.ini").string();
    const char* home = getenv("HOME");
    if (home && home[0] == '/') return (fs::path(home) / ".config" / "vtlui" / "dialogs.ini").string();
    return std::string();
}

std::string path() { return state().chosenPath ? *state().chosenPath : environmentPath(); }

std::string escape(const std::string& s) {
    std::string out;
    for (const char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case ']': out += "\\]"; break;
            case '=': out += "\\="; break;
            default: out.push_back(c);
        }
    }
    return out;
}

std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out.push_back(c == 'n' ? '\n' : c == 'r' ? '\r' : c);
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// Position of the first '=' not escaped, or npos.
std::size_t findEquals(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\') {
            ++i;
        } else if (s[i] == '=') {
            return i;
        }
    }
    return std::string_view::npos;
}

// True when the text ends in a backslash that escapes what follows it.
bool endsEscaped(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == '\\') ++n;
    return n % 2 == 1;
}

std::optional<Placement> parsePlacement(std::string_view s) {
    int v[4] = {};
    const char* p = s.data();
    const char* end = s.data() + s.size();
    for (int& x : v) {
        while (p < end && *p == ' ') ++p;
        const auto r = std::from_chars(p, end, x);
        if (r.ec != std::errc() || x < -kMaxCoordinate || x > kMaxCoordinate) return std::nullopt;
        p = r.ptr;
    }
    if (p != end || v[2] <= 0 || v[3] <= 0) return std::nullopt;
    return Placement{v[0], v[1], v[2], v[3]};
}

Records readFile(const std::string& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec || size > kMaxFileSize) return {};
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

bool writeFile(const std::string& file, const Records& records) {
    std::error_code ec;
    const fs::path target(file);
    fs::create_directories(target.parent_path(), ec);
    const fs::path temp = target.string() + ".tmp." + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << format(records);
        out.flush();
        if (!out) {
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}
}  // namespace

std::string format(const Records& records) {
    std::string out = "# Sizes, positions and settings of the add-on's dialogs, by dialog name.\n";
    for (const auto& [name, record] : records) {
        out += "[" + escape(name) + "]\n";
        if (const auto& p = record.placement) {
            out += "rect=" + std::to_string(p->x) + " " + std::to_string(p->y) + " " + std::to_string(p->width) +
                   " " + std::to_string(p->height) + "\n";
        }
        for (const auto& [key, value] : record.flags) out += "flag." + escape(key) + (value ? "=1\n" : "=0\n");
    }
    return out;
}

Records parse(const std::string& text) {
    Records records;
    Record* current = nullptr;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string_view l = line;
        if (l.front() == '[') {
            const std::string_view inner = l.size() >= 2 && l.back() == ']' ? l.substr(1, l.size() - 2) : "";
            current = (inner.empty() || endsEscaped(inner)) ? nullptr : &records[unescape(inner)];
            continue;
        }
        const std::size_t eq = findEquals(l);
        if (!current || eq == std::string_view::npos) continue;
        const std::string_view key = l.substr(0, eq);
        const std::string_view value = l.substr(eq + 1);
        if (key == "rect") {
            if (auto p = parsePlacement(value)) current->placement = p;
        } else if (key.substr(0, 5) == "flag." && key.size() > 5 && (value == "0" || value == "1")) {
            current->flags[unescape(key.substr(5))] = value == "1";
        }
    }
    return records;
}

Records load() {
    const std::string file = path();
    Records records = file.empty() ? Records{} : readFile(file);
    for (const auto& [name, record] : state().written[file]) records[name] = record;
    return records;
}

bool update(const std::string& name, const std::function<void(Record&)>& change) {
    const std::string file = path();
    Records records = load();  // what another process wrote meanwhile is kept
    change(records[name]);
    state().written[file][name] = records[name];
    if (file.empty() || writeFile(file, records)) return true;
    if (!state().warned) {
        state().warned = true;
        acutPrintf("*Warning* Dialog sizes could not be saved to %s.\n", file.c_str());
    }
    return false;
}

void reset() { state() = State{}; }

}  // namespace vtl::base::dialogs

namespace vtl::base {
void setDialogSettingsFile(const std::string& path) { dialogs::state().chosenPath = path; }
std::string dialogSettingsFile() { return dialogs::path(); }
}  // namespace vtl::base
