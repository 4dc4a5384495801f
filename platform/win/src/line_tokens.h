#pragma once
// Splits one line of a text resource (templates, scripts) into words and quoted strings. Quoted strings
// take \" \\ \n \t escapes; `separators` lists the characters besides blanks that part words; a comment
// marker outside quotes ends the line. Returns false for an unterminated string.
#include <string>
#include <string_view>
#include <vector>

namespace vtl::win::detail {

struct LineToken {
    std::string text;
    bool quoted = false;
};

inline bool splitLine(std::string_view line, std::string_view separators, bool slashComments,
                      std::vector<LineToken>& out) {
    auto isSeparator = [&](char c) {
        return c == ' ' || c == '\t' || c == '\r' || separators.find(c) != std::string_view::npos;
    };
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (isSeparator(c)) {
            ++i;
        } else if (c == '#' || (slashComments && c == '/' && i + 1 < line.size() && line[i + 1] == '/')) {
            break;
        } else if (c == '"') {
            LineToken t;
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size()) {
                    const char e = line[i++];
                    d = e == 'n' ? '\n' : e == 't' ? '\t' : e;
                }
                t.text += d;
            }
            if (!closed) return false;
            out.push_back(std::move(t));
        } else {
            LineToken t;
            while (i < line.size() && !isSeparator(line[i]) && line[i] != '"') t.text += line[i++];
            out.push_back(std::move(t));
        }
    }
    return true;
}

}  // namespace vtl::win::detail
