#include "vtlbase/files/text_codec.h"

#include "code_page.h"
#include "utf8.h"

#include <algorithm>
#include <array>
#include <optional>
#include <cstdio>

namespace vtl::base::files {
namespace {
using base::cp1252ToUnicode;

// The Windows-1252 byte of a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> unicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (int b = 0x80; b < 0xA0; ++b)
        if (cp1252ToUnicode(static_cast<unsigned char>(b)) == cp) return static_cast<unsigned char>(b);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) { utf8::append(out, cp); }

// The length of a valid UTF-8 sequence at `i`, or 0.
std::size_t utf8Sequence(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t len;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    // No overlong forms, surrogates or values past Unicode.
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// Whether the bytes are valid UTF-8, and whether any character took more than one byte.
bool validUtf8(std::string_view s, bool& multibyte) {
    multibyte = false;
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp;
        const std::size_t len = utf8Sequence(s, i, cp);
        if (len == 0) return false;
        multibyte = multibyte || len > 1;
        i += len;
    }
    return true;
}

std::string describe(char32_t cp) {
    std::string shown;
    appendUtf8(shown, cp);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    return "'" + shown + "' (" + code + ")";
}
}  // namespace

std::string decodeText(std::string_view bytes) {
    bool multibyte = false;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        if (validUtf8(bytes, multibyte)) return std::string(bytes);
    } else if (validUtf8(bytes, multibyte) && multibyte) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) out += ch;
        else appendUtf8(out, cp1252ToUnicode(c));
    }
    return out;
}

bool encodeWindows1252(std::string_view utf8, std::string& bytes, std::string& error) {
    bytes.clear();
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp;
        const std::size_t len = utf8Sequence(utf8, i, cp);
        if (len == 0) {
            error = "the text is not valid UTF-8 at byte " + std::to_string(i);
            return false;
        }
        i += len;
        const auto byte = unicodeToCp1252(cp);
        if (!byte) {
            error = "the character " + describe(cp) + " cannot be stored in a Windows-1252 file";
            return false;
        }
        bytes += static_cast<char>(*byte);
    }
    return true;
}

bool encodeForFile(std::string_view utf8, std::string& bytes, std::string& error) {
    if (!encodeWindows1252(utf8, bytes, error)) return false;
    if (decodeText(bytes) == utf8) return true;
    // The reader would take these bytes for UTF-8 (or strip a byte-order mark): write UTF-8 instead, marked,
    // so the file reads back as written.
    bytes.assign("\xEF\xBB\xBF");
    bytes.append(utf8);
    return true;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        std::size_t end = i;
        if (end > start && text[end - 1] == '\r') --end;
        lines.emplace_back(text.substr(start, end - start));
        start = i + 1;
    }
    if (start < text.size()) {
        std::string_view last = text.substr(start);
        if (!last.empty() && last.back() == '\r') last.remove_suffix(1);
        lines.emplace_back(last);
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace vtl::base::files
