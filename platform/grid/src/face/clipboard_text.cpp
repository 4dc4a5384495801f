#include "face/clipboard_text.h"

namespace vtl::grid {
namespace {
bool needsQuotes(std::string_view cell) {
    return cell.find_first_of("\t\r\n") != std::string_view::npos || (!cell.empty() && cell.front() == '"');
}
}  // namespace

std::string toClipboardText(const TextTable& table) {
    std::string out;
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c) out += '\t';
            const std::string& cell = row[c];
            if (!needsQuotes(cell)) {
                out += cell;
                continue;
            }
            out += '"';
            for (char ch : cell) {
                if (ch == '"') out += '"';
                out += ch;
            }
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

TextTable fromClipboardText(std::string_view text) {
    TextTable table;
    std::vector<std::string> row;
    std::string cell;
    bool rowOpen = false;
    std::size_t i = 0;
    auto endRow = [&] {
        row.push_back(std::move(cell));
        cell.clear();
        table.push_back(std::move(row));
        row.clear();
        rowOpen = false;
    };
    while (i < text.size()) {
        const char ch = text[i];
        if (ch == '"' && cell.empty()) {
            // A quoted cell runs to the quote that is not doubled.
            std::size_t j = i + 1;
            std::string quoted;
            bool closed = false;
            while (j < text.size()) {
                if (text[j] == '"') {
                    if (j + 1 < text.size() && text[j + 1] == '"') {
                        quoted += '"';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                quoted += text[j++];
            }
            if (closed && (j == text.size() || text[j] == '\t' || text[j] == '\r' || text[j] == '\n')) {
                cell = std::move(quoted);
                rowOpen = true;
                i = j;
                continue;
            }
            // Not a well-formed quoted cell: the quote is an ordinary character.
        }
        if (ch == '\t') {
            row.push_back(std::move(cell));
            cell.clear();
            rowOpen = true;
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
        } else {
            cell += ch;
            rowOpen = true;
        }
        ++i;
    }
    if (rowOpen || !row.empty()) endRow();
    return table;
}

}  // namespace vtl::grid
