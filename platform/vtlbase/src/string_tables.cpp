#include "string_tables.h"

#include <map>
#include <span>
#include <string_view>
#include <utility>

#include "utf8.h"
#include "win/resources.h"

// The table files, compiled in by vtl_embed_resources (see this library's CMakeLists.txt).
std::span<const vtl::win::EmbeddedFile> vtlbase_string_tables();

namespace vtl::base::strings {
namespace {
struct Tables {
    // (table file name, number) -> text; (macro file name, category \x1F folded key) -> text.
    std::map<std::string, std::map<int, std::string>> numbered;
    std::map<std::string, std::map<std::string, std::string>> macro;
    std::vector<std::string> problems;
};

// Undoes the escapes \n, \t, \s (a blank), \\; anything else after a backslash is kept as it is and reported.
std::string unescape(std::string_view s, const std::string& where, std::vector<std::string>& problems) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            if (s[i] == '\\') problems.push_back(where + ": a backslash ends the text");
            out.push_back(s[i]);
            continue;
        }
        switch (s[++i]) {
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 's': out.push_back(' '); break;
            case '\\': out.push_back('\\'); break;
            default:
                problems.push_back(where + ": unknown escape \\" + std::string(1, s[i]));
                out.push_back('\\');
                out.push_back(s[i]);
        }
    }
    return out;
}

std::string macroKey(std::string_view category, std::string_view key) {
    return std::string(category) + '\x1F' + utf8::fold(utf8::normalise(key));
}

void parse(const vtl::win::EmbeddedFile& file, Tables& t) {
    const std::string name = file.name;
    const bool isMacro = name.rfind("macro.", 0) == 0;
    std::string_view text(reinterpret_cast<const char*>(file.data), file.size);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    auto& numbered = t.numbered[name];
    auto& macro = t.macro[name];
    int lineNo = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        const std::string where = name + ":" + std::to_string(lineNo);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            t.problems.push_back(where + ": no tab");
            continue;
        }
        if (isMacro) {
            const std::size_t tab2 = line.find('\t', tab + 1);
            if (tab2 == std::string_view::npos || tab2 == tab + 1) {
                t.problems.push_back(where + ": expected category, key and text");
                continue;
            }
            const std::string key = macroKey(line.substr(0, tab), line.substr(tab + 1, tab2 - tab - 1));
            if (!macro.emplace(key, utf8::normalise(unescape(line.substr(tab2 + 1), where, t.problems))).second)
                t.problems.push_back(where + ": key given twice");
            continue;
        }
        const std::string_view digits = line.substr(0, tab);
        int number = 0;
        bool ok = !digits.empty() && digits.size() <= 9;
        for (const char c : digits) {
            ok = ok && c >= '0' && c <= '9';
            if (ok) number = number * 10 + (c - '0');
        }
        if (!ok) {
            t.problems.push_back(where + ": not a number: " + std::string(digits));
            continue;
        }
        if (!numbered.emplace(number, utf8::normalise(unescape(line.substr(tab + 1), where, t.problems))).second)
            t.problems.push_back(where + ": number " + std::to_string(number) + " given twice");
    }
}

const Tables& tables() {
    static const Tables t = [] {
        Tables all;
        for (const auto& file : vtlbase_string_tables()) parse(file, all);
        return all;
    }();
    return t;
}

const char* fileStem(Table table) { return table == Table::Main ? "main." : "second."; }
}  // namespace

const std::string* find(Table table, const std::string& languageCode, int number) {
    const auto& all = tables().numbered;
    const auto file = all.find(fileStem(table) + languageCode + ".txt");
    if (file == all.end()) return nullptr;
    const auto it = file->second.find(number);
    return it == file->second.end() ? nullptr : &it->second;
}

const std::string* findMacro(const std::string& languageCode, const std::string& category, const std::string& key) {
    const auto& all = tables().macro;
    const auto file = all.find("macro." + languageCode + ".txt");
    if (file == all.end()) return nullptr;
    const auto it = file->second.find(macroKey(category, key));
    return it == file->second.end() ? nullptr : &it->second;
}

std::vector<std::string> problems() { return tables().problems; }

}  // namespace vtl::base::strings
