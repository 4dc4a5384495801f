#include "model/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vtl::grid {
namespace {
std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    // Whole numbers of up to 15 digits (the usual cell) are exact in a double: read digit by digit, the
    // same value as the general reading gives.
    if (!text.empty() && text.size() <= 16) {
        const bool negative = text.front() == '-';
        const std::size_t from = negative ? 1 : 0;
        if (text.size() > from) {
            std::int64_t whole = 0;
            std::size_t i = from;
            for (; i < text.size(); ++i) {
                const unsigned digit = static_cast<unsigned char>(text[i]) - static_cast<unsigned>('0');
                if (digit > 9) break;
                whole = whole * 10 + static_cast<std::int64_t>(digit);
            }
            if (i == text.size() && i - from <= 15) {
                const double v = static_cast<double>(whole);
                return negative ? -v : v;
            }
        }
    }
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<long long> parseInteger(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string formatShortest(double value) {
    if (value == 0) value = 0;  // no "-0"
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return ec == std::errc() ? std::string(buf.data(), end) : std::string();
}

std::string formatFixed(double value, int decimals) {
    const int places = decimals < 0 ? 0 : (decimals > 15 ? 15 : decimals);
    // Rounded from the shortest decimal form, half away from zero, as on paper: 42.125 shows as 42.13
    // (the binary value's own digits would round it to 42.12).
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed);
    if (ec != std::errc()) return formatShortest(value);
    std::string digits(buf.data(), end);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.erase(0, 1);
    const std::size_t dot = digits.find('.');
    std::string whole = digits.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    const bool roundUp = fraction.size() > static_cast<std::size_t>(places) && fraction[static_cast<std::size_t>(places)] >= '5';
    fraction.resize(static_cast<std::size_t>(places), '0');
    std::string kept = whole + fraction;
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i)] = '0';
            } else {
                ++kept[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) kept.insert(kept.begin(), '1');
    }
    std::string out = kept.substr(0, kept.size() - static_cast<std::size_t>(places));
    if (places > 0) out += "." + kept.substr(kept.size() - static_cast<std::size_t>(places));
    // A value that rounds to zero prints without a sign.
    if (negative && out.find_first_not_of("0.") != std::string::npos) out.insert(out.begin(), '-');
    return out;
}

std::size_t codePointCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) n += isContinuation(c) ? 0 : 1;
    return n;
}

std::string_view firstCodePoints(std::string_view utf8, std::size_t max) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (isContinuation(utf8[i])) continue;
        if (seen == max) return utf8.substr(0, i);
        ++seen;
    }
    return utf8;
}

}  // namespace vtl::grid
