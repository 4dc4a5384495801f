#include "utf8.h"

#include "code_page.h"
#include "gfx/utf8.h"

namespace vtl::base::utf8 {
namespace {
// Length of the well-formed sequence at byte i, or 0 when the byte there does not start one.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = b(i);
    if (b0 < 0x80) return 1;
    const std::size_t left = s.size() - i;
    const auto cont = [&](std::size_t k) { return (b(i + k) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) return left >= 2 && cont(1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !cont(1) || !cont(2)) return 0;
        if (b0 == 0xE0 && b(i + 1) < 0xA0) return 0;   // overlong
        if (b0 == 0xED && b(i + 1) >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !cont(1) || !cont(2) || !cont(3)) return 0;
        if (b0 == 0xF0 && b(i + 1) < 0x90) return 0;   // overlong
        if (b0 == 0xF4 && b(i + 1) >= 0x90) return 0;  // beyond U+10FFFF
        return 4;
    }
    return 0;
}

bool between(char32_t c, char32_t lo, char32_t hi) { return c >= lo && c <= hi; }
}  // namespace

std::string normalise(std::string_view bytes) {
    // The ASCII start of the text is already normal and is copied whole; most texts are all ASCII.
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    if (i == bytes.size()) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    out.append(bytes.substr(0, i));
    while (i < bytes.size()) {
        const std::size_t n = sequenceLength(bytes, i);
        if (n > 0) {
            out.append(bytes.substr(i, n));
            i += n;
        } else {
            append(out, cp1252ToUnicode(static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return out;
}

void append(std::string& out, char32_t c) { gfx::appendUtf8(out, c); }

char32_t next(std::string_view text, std::size_t& i) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(text[k])); };
    const char32_t b0 = b(i);
    if (b0 < 0x80) {
        i += 1;
        return b0;
    }
    if (b0 < 0xE0) {
        const char32_t c = ((b0 & 0x1F) << 6) | (b(i + 1) & 0x3F);
        i += 2;
        return c;
    }
    if (b0 < 0xF0) {
        const char32_t c = ((b0 & 0x0F) << 12) | ((b(i + 1) & 0x3F) << 6) | (b(i + 2) & 0x3F);
        i += 3;
        return c;
    }
    const char32_t c =
        ((b0 & 0x07) << 18) | ((b(i + 1) & 0x3F) << 12) | ((b(i + 2) & 0x3F) << 6) | (b(i + 3) & 0x3F);
    i += 4;
    return c;
}

int count(std::string_view text) {
    int n = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

std::size_t offsetOf(std::string_view text, int pos) {
    std::size_t i = 0;
    for (int k = 0; k < pos && i < text.size(); ++k) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

int indexOf(std::string_view text, std::size_t offset) { return count(text.substr(0, offset)); }

// Only pairs whose two characters have UTF-8 forms of the same length are folded (see the header).
char32_t toLower(char32_t c) {
    if (between(c, 'A', 'Z')) return c + 0x20;
    if (c < 0xC0) return c;
    if (between(c, 0xC0, 0xDE) && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;
    if (between(c, 0x100, 0x12F) || between(c, 0x132, 0x137) || between(c, 0x14A, 0x177)) {
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (between(c, 0x139, 0x148) || between(c, 0x179, 0x17E)) return (c % 2 == 1) ? c + 1 : c;
    if (between(c, 0x391, 0x3A9) && c != 0x3A2) return c + 0x20;
    if (c == 0x386) return 0x3AC;
    if (between(c, 0x388, 0x38A)) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (between(c, 0x38E, 0x38F)) return c + 0x3F;
    if (between(c, 0x410, 0x42F)) return c + 0x20;
    if (between(c, 0x400, 0x40F)) return c + 0x50;
    return c;
}

char32_t toUpper(char32_t c) {
    if (between(c, 'a', 'z')) return c - 0x20;
    if (c < 0xE0) return c;
    if (between(c, 0xE0, 0xFE) && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if (between(c, 0x100, 0x12F) || between(c, 0x132, 0x137) || between(c, 0x14A, 0x177)) {
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (between(c, 0x139, 0x148) || between(c, 0x179, 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    if (between(c, 0x3B1, 0x3C9) && c != 0x3C2) return c - 0x20;
    if (c == 0x3AC) return 0x386;
    if (between(c, 0x3AD, 0x3AF)) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (between(c, 0x3CD, 0x3CE)) return c - 0x3F;
    if (between(c, 0x430, 0x44F)) return c - 0x20;
    if (between(c, 0x450, 0x45F)) return c - 0x50;
    return c;
}

namespace {
template <class F>
std::string mapChars(std::string_view text, F f) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(f(b)));
            ++i;
        } else {
            append(out, f(next(text, i)));
        }
    }
    return out;
}
}  // namespace

std::string fold(std::string_view text) { return mapChars(text, [](char32_t c) { return toLower(c); }); }
std::string upper(std::string_view text) { return mapChars(text, [](char32_t c) { return toUpper(c); }); }

}  // namespace vtl::base::utf8
