#include "formula/value.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/number_text.h"

namespace vtl::grid {
namespace {
constexpr std::array<std::string_view, 9> kErrorTexts{"",      "#DIV/0!", "#VALUE!", "#REF!",  "#NAME?",
                                                     "#NUM!", "#N/A",    "#CIRC!",  "#DEPTH!"};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int compareTextNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upper(a[i]));
        const auto y = static_cast<unsigned char>(upper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int rank(Value::Kind k) {
    switch (k) {
    case Value::Kind::text: return 1;
    case Value::Kind::boolean: return 2;
    default: return 0;
    }
}
}  // namespace

std::string_view errorText(FormulaError error) { return kErrorTexts[static_cast<std::size_t>(error)]; }

FormulaError errorFromText(std::string_view text) {
    if (text.empty() || text.front() != '#') return FormulaError::none;
    for (std::size_t i = 1; i < kErrorTexts.size(); ++i) {
        if (compareTextNoCase(text, kErrorTexts[i]) == 0) return static_cast<FormulaError>(i);
    }
    return FormulaError::none;
}

Value Value::makeNumber(double v) {
    if (!std::isfinite(v)) return makeError(FormulaError::num);
    Value r;
    r.kind = Kind::number;
    r.number = v == 0 ? 0.0 : v;
    return r;
}
Value Value::makeText(std::string v) {
    Value r;
    r.kind = Kind::text;
    r.text = std::move(v);
    return r;
}
Value Value::makeBool(bool v) {
    Value r;
    r.kind = Kind::boolean;
    r.number = v ? 1 : 0;
    return r;
}
Value Value::makeError(FormulaError e) {
    Value r;
    r.kind = Kind::error;
    r.error = e;
    return r;
}

bool textTooLong(std::string_view text) {
    if (text.size() <= kMaxTextResult) return false;  // no more bytes than the limit
    return text.size() > 4 * kMaxTextResult || codePointCount(text) > kMaxTextResult;
}

Value toNumber(const Value& v) {
    switch (v.kind) {
    case Value::Kind::empty: return Value::makeNumber(0);
    case Value::Kind::number: return v;
    case Value::Kind::boolean: return Value::makeNumber(v.number);
    case Value::Kind::error: return v;
    case Value::Kind::text:
        if (const auto n = parseNumber(v.text)) return Value::makeNumber(*n);
        return Value::makeError(FormulaError::value);
    }
    return Value::makeError(FormulaError::value);
}

std::string toText(const Value& v) {
    switch (v.kind) {
    case Value::Kind::number: return formatGeneral(v.number);
    case Value::Kind::text: return v.text;
    case Value::Kind::boolean: return v.number != 0 ? "TRUE" : "FALSE";
    case Value::Kind::error: return std::string(errorText(v.error));
    case Value::Kind::empty: break;
    }
    return {};
}

Value toBool(const Value& v) {
    switch (v.kind) {
    case Value::Kind::empty: return Value::makeBool(false);
    case Value::Kind::number:
    case Value::Kind::boolean: return Value::makeBool(v.number != 0);
    case Value::Kind::error: return v;
    case Value::Kind::text:
        if (compareTextNoCase(v.text, "TRUE") == 0) return Value::makeBool(true);
        if (compareTextNoCase(v.text, "FALSE") == 0) return Value::makeBool(false);
        return Value::makeError(FormulaError::value);
    }
    return Value::makeError(FormulaError::value);
}

int compareValues(const Value& a, const Value& b) {
    Value x = a;
    Value y = b;
    // An empty side takes the other side's kind.
    if (x.isEmpty() && y.isEmpty()) return 0;
    if (x.isEmpty()) x = y.kind == Value::Kind::text ? Value::makeText("") : (y.kind == Value::Kind::boolean ? Value::makeBool(false) : Value::makeNumber(0));
    if (y.isEmpty()) y = x.kind == Value::Kind::text ? Value::makeText("") : (x.kind == Value::Kind::boolean ? Value::makeBool(false) : Value::makeNumber(0));
    const int rx = rank(x.kind);
    const int ry = rank(y.kind);
    if (rx != ry) return rx < ry ? -1 : 1;
    if (x.kind == Value::Kind::text) return compareTextNoCase(x.text, y.text);
    return x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
}

std::string formatGeneral(double v) {
    if (v == 0) return "0";
    // Integers within 2^53 print exactly, without a detour through %g.
    if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
        std::array<char, 32> buf{};
        auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<long long>(v));
        return std::string(buf.data(), end);
    }
    std::array<char, 40> buf{};
    const int n = std::snprintf(buf.data(), buf.size(), "%.15g", v);
    std::string s(buf.data(), static_cast<std::size_t>(std::max(0, n)));
    // %g may still use the locale's decimal point.
    for (char& c : s) {
        if (c == ',') c = '.';
    }
    return s;
}

std::string resultText(const Value& v) { return toText(v); }

void resultText(const Value& v, std::string& out) {
    // Whole numbers, the common result, without a string made on the way.
    if (v.kind == Value::Kind::number && std::fabs(v.number) < 1e15 && v.number == std::trunc(v.number)) {
        std::array<char, 32> buf{};
        auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<long long>(v.number));
        out.assign(buf.data(), end);
        return;
    }
    out = toText(v);
}

Value valueOfStoredText(std::string_view text) {
    if (text.empty()) return {};
    if (const auto n = parseNumber(text)) return Value::makeNumber(*n);
    return Value::makeText(std::string(text));
}

}  // namespace vtl::grid
