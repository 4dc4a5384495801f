#include "file/csv_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace vtl::grid {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined keep their C1 code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        char32_t c = 0;
        if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((extra == 1 && c < 0x80) || (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000) || c > 0x10FFFF ||
            (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// digits [sep digits], with an optional sign: the shape of a plain decimal number.
bool plainNumber(std::string_view s, char decimal) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    const std::size_t start = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == start || i == s.size() || s[i] != decimal) return false;
    const std::size_t fraction = ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
    return i > fraction && i == s.size();
}

constexpr std::array<char, 4> kSeparators = {'\t', ';', ',', '|'};
constexpr int kSampleRecords = 50;

// Calls cell(text) for each unquoted-aware cell of the first records with `separator`; counts per record.
template <class CellFn>
std::vector<int> scanRecords(std::string_view text, char separator, CellFn&& cell) {
    std::vector<int> counts;
    int count = 0;
    bool quoted = false;
    std::string current;
    for (std::size_t i = 0; i < text.size() && static_cast<int>(counts.size()) < kSampleRecords; ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    current += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            ++count;
            cell(current);
            current.clear();
        } else if (c == '\n') {
            cell(current);
            current.clear();
            counts.push_back(count);
            count = 0;
        } else {
            current += c;
        }
    }
    if (!current.empty() || count > 0) {
        cell(current);
        counts.push_back(count);
    }
    return counts;
}
}  // namespace

std::string decodeCsvBytes(std::string_view bytes) {
    bool utf8 = false;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        utf8 = true;
    } else {
        utf8 = validUtf8(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            continue;
        }
        const auto b = static_cast<unsigned char>(c);
        if (utf8 || b < 0x80) {
            out += c;
        } else {
            appendUtf8(b < 0xA0 ? kHighControls[b - 0x80] : char32_t{b}, out);
        }
    }
    return out;
}

CsvLayout detectCsvLayout(std::string_view text) {
    CsvLayout layout;
    int bestConsistent = -1;
    int bestTotal = 0;
    for (const char separator : kSeparators) {
        const std::vector<int> counts = scanRecords(text, separator, [](const std::string&) {});
        int total = 0;
        for (int n : counts) total += n;
        if (total == 0) continue;
        // The records that agree with the most common count (a count above zero).
        int consistent = 0;
        for (int n : counts) {
            if (n == 0) continue;
            const auto same = static_cast<int>(std::count(counts.begin(), counts.end(), n));
            consistent = std::max(consistent, same);
        }
        if (consistent > bestConsistent || (consistent == bestConsistent && total > bestTotal)) {
            bestConsistent = consistent;
            bestTotal = total;
            layout.separator = separator;
        }
    }
    if (layout.separator != ',') {
        bool comma = false;
        bool point = false;
        scanRecords(text, layout.separator, [&](const std::string& cell) {
            if (plainNumber(cell, ',')) comma = true;
            if (plainNumber(cell, '.')) point = true;
        });
        layout.decimalComma = comma && !point;
    }
    return layout;
}

bool decimalCommaNumber(std::string_view cell, std::string& out) {
    if (!plainNumber(cell, ',')) return false;
    out.assign(cell);
    std::replace(out.begin(), out.end(), ',', '.');
    return true;
}

}  // namespace vtl::grid
