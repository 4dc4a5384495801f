#include "vtlbase/vtl_string.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cctype>
#include <cmath>
#include <ostream>

#include "utf8.h"

namespace {
using vtl::base::utf8::count;
using vtl::base::utf8::offsetOf;

std::string fixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 40);
    // Fixed notation of the largest double has 309 digits before the point.
    std::string buf(330 + static_cast<std::size_t>(decimals), '\0');
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
    buf.resize(static_cast<std::size_t>(r.ptr - buf.data()));
    if (!buf.empty() && buf[0] == '-' && buf.find_first_not_of("-0.") == std::string::npos) buf.erase(0, 1);
    return buf;
}

// Start of the number text atoi/atof would read: leading blanks skipped, a '+' sign dropped.
std::string_view numberStart(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' || s[i] == '\f'))
        ++i;
    s.remove_prefix(i);
    if (!s.empty() && s[0] == '+' && (s.size() < 2 || s[1] != '-')) s.remove_prefix(1);
    return s;
}

// Byte position of `needle` in `hay` at or after byte `from`, comparing folded texts when asked.
std::size_t search(const std::string& hay, const std::string& needle, bool caseSensitive, std::size_t from) {
    if (caseSensitive) return hay.find(needle, from);
    return vtl::base::utf8::fold(hay).find(vtl::base::utf8::fold(needle), from);
}
}  // namespace

Vtl_String::Vtl_String(const char* text) : text_(text ? vtl::base::utf8::normalise(text) : std::string()) {}
Vtl_String::Vtl_String(std::string_view text) : text_(vtl::base::utf8::normalise(text)) {}
Vtl_String::Vtl_String(const std::string& text) : text_(vtl::base::utf8::normalise(text)) {}
Vtl_String::Vtl_String(int value) : text_(std::to_string(value)) {}
Vtl_String::Vtl_String(long value) : text_(std::to_string(value)) {}
Vtl_String::Vtl_String(short value) : text_(std::to_string(value)) {}
Vtl_String::Vtl_String(double value, int decimals) : text_(fixed(value, decimals)) {}

Vtl_String& Vtl_String::set(const Vtl_String& text) {
    text_ = text.text_;
    return *this;
}
Vtl_String& Vtl_String::set(int value) { return set(Vtl_String(value)); }
Vtl_String& Vtl_String::set(long value) { return set(Vtl_String(value)); }
Vtl_String& Vtl_String::set(short value) { return set(Vtl_String(value)); }
Vtl_String& Vtl_String::set(double value, int decimals) { return set(Vtl_String(value, decimals)); }

int Vtl_String::length() const { return count(text_); }

char32_t Vtl_String::charAt(int pos) const {
    if (pos < 0) return 0;
    std::size_t i = offsetOf(text_, pos);
    return i < text_.size() ? vtl::base::utf8::next(text_, i) : 0;
}

Vtl_String& Vtl_String::append(const Vtl_String& text) {
    text_ += text.text_;
    return *this;
}

Vtl_String& Vtl_String::append(char c) {
    if (static_cast<unsigned char>(c) < 0x80) {
        text_.push_back(c);
    } else {
        text_ += vtl::base::utf8::normalise(std::string_view(&c, 1));
    }
    return *this;
}

Vtl_String& Vtl_String::appendChar(char32_t c) {
    vtl::base::utf8::append(text_, c);
    return *this;
}

bool Vtl_String::insertAt(int pos, const Vtl_String& text) {
    if (pos < 0 || pos > length()) return false;
    text_.insert(offsetOf(text_, pos), text.text_);
    return true;
}

bool Vtl_String::removeAt(int pos, int count) {
    if (pos < 0 || count < 0 || pos >= length()) return false;
    const std::size_t from = offsetOf(text_, pos);
    const std::size_t to = from + offsetOf(std::string_view(text_).substr(from), count);
    text_.erase(from, to - from);
    return true;
}

int Vtl_String::replaceSubString(const Vtl_String& find, const Vtl_String& replace, bool caseSensitive) {
    if (find.text_.empty()) return 0;
    // Searched once, in the original text (folded when case does not matter: folding keeps byte offsets).
    const std::string hay = caseSensitive ? text_ : vtl::base::utf8::fold(text_);
    const std::string needle = caseSensitive ? find.text_ : vtl::base::utf8::fold(find.text_);
    std::string out;
    int replaced = 0;
    std::size_t done = 0;
    for (std::size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, done)) {
        out.append(text_, done, at - done);
        out += replace.text_;
        done = at + needle.size();
        ++replaced;
    }
    if (replaced == 0) return 0;
    out.append(text_, done, std::string::npos);
    text_ = std::move(out);
    return replaced;
}

Vtl_String Vtl_String::getSubStringAt(int start, int count) const {
    Vtl_String out;
    if (start < 0 || start >= length()) return out;
    const std::size_t from = offsetOf(text_, start);
    const std::string_view rest = std::string_view(text_).substr(from);
    out.text_ = count < 0 ? std::string(rest) : std::string(rest.substr(0, offsetOf(rest, count)));
    return out;
}

bool Vtl_String::equal(const Vtl_String& other, bool caseSensitive) const {
    if (caseSensitive) return text_ == other.text_;
    return text_.size() == other.text_.size() && vtl::base::utf8::fold(text_) == vtl::base::utf8::fold(other.text_);
}

bool Vtl_String::startsWith(const Vtl_String& prefix, bool caseSensitive) const {
    if (prefix.text_.size() > text_.size()) return false;
    return Vtl_String(std::string_view(text_).substr(0, prefix.text_.size())).equal(prefix, caseSensitive);
}

bool Vtl_String::endsWith(const Vtl_String& suffix, bool caseSensitive) const {
    if (suffix.text_.size() > text_.size()) return false;
    // A byte suffix of valid UTF-8 of the length of a valid text starts on a character boundary only when
    // it can match; a split character simply compares unequal.
    const std::string_view tail = std::string_view(text_).substr(text_.size() - suffix.text_.size());
    if (caseSensitive) return tail == suffix.text_;
    if ((static_cast<unsigned char>(tail.empty() ? 0 : tail[0]) & 0xC0) == 0x80) return false;
    return vtl::base::utf8::fold(tail) == vtl::base::utf8::fold(suffix.text_);
}

bool Vtl_String::hasSubString(const Vtl_String& text, bool caseSensitive) const {
    return findSubString(text, caseSensitive) >= 0;
}

int Vtl_String::findSubString(const Vtl_String& text, bool caseSensitive, int from) const {
    if (text.text_.empty() || from < 0 || from >= length()) return -1;
    const std::size_t at = search(text_, text.text_, caseSensitive, offsetOf(text_, from));
    return at == std::string::npos ? -1 : vtl::base::utf8::indexOf(text_, at);
}

Vtl_String Vtl_String::toLower() const {
    Vtl_String out;
    out.text_ = vtl::base::utf8::fold(text_);
    return out;
}

Vtl_String Vtl_String::toUpper() const {
    Vtl_String out;
    out.text_ = vtl::base::utf8::upper(text_);
    return out;
}

int Vtl_String::toInt() const {
    const std::string_view s = numberStart(text_);
    long long value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec == std::errc::result_out_of_range) return !s.empty() && s[0] == '-' ? INT_MIN : INT_MAX;
    if (r.ec != std::errc()) return 0;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double Vtl_String::toDouble() const {
    const std::string_view s = numberStart(text_);
    // Only decimal notation: "inf", "nan" and hexadecimal text are not numbers here.
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.' || s[0] == '-')) return 0.0;
    double value = 0.0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(value)) return 0.0;
    return value;
}

Vtl_String operator+(const Vtl_String& a, const Vtl_String& b) {
    Vtl_String out(a);
    out.append(b);
    return out;
}
Vtl_String operator+(const Vtl_String& a, const char* b) { return a + Vtl_String(b); }
Vtl_String operator+(const char* a, const Vtl_String& b) { return Vtl_String(a) + b; }
Vtl_String operator+(const Vtl_String& a, char c) {
    Vtl_String out(a);
    out.append(c);
    return out;
}

std::ostream& operator<<(std::ostream& out, const Vtl_String& text) { return out << text.str(); }
