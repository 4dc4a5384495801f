#include "vtlbase/text_functions.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "utf8.h"
#include "code_page.h"

namespace {
char32_t charOf(char separator) { return vtl::base::cp1252ToUnicode(static_cast<unsigned char>(separator)); }

std::string encoded(char32_t c) {
    std::string s;
    vtl::base::utf8::append(s, c);
    return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<char32_t> codePoints(const Vtl_String& text) {
    std::vector<char32_t> out;
    const std::string_view s = text.view();
    for (std::size_t i = 0; i < s.size();) out.push_back(vtl::base::utf8::next(s, i));
    return out;
}

bool isDigit32(char32_t c) { return c >= '0' && c <= '9'; }
}  // namespace

void strToArr(const Vtl_String& text, char separator, Vtl_StringArray& fields) {
    strToArr(text, charOf(separator), fields);
}

void strToArr(const Vtl_String& text, char32_t separator, Vtl_StringArray& fields) {
    fields.setLogicalLength(0);
    const std::string& s = text.str();
    if (s.empty()) return;
    const std::string sep = encoded(separator);
    std::size_t from = 0;
    for (std::size_t at = s.find(sep); at != std::string::npos; at = s.find(sep, from)) {
        fields.append(Vtl_String(std::string_view(s).substr(from, at - from)));
        from = at + sep.size();
    }
    fields.append(Vtl_String(std::string_view(s).substr(from)));
}

Vtl_String arrToStr(const Vtl_StringArray& fields, char separator) { return arrToStr(fields, charOf(separator)); }

Vtl_String arrToStr(const Vtl_StringArray& fields, char32_t separator) {
    Vtl_String out;
    for (int i = 0; i < fields.length(); ++i) {
        if (i > 0) out.appendChar(separator);
        out.append(fields[i]);
    }
    return out;
}

void arrToArrArr(const Vtl_StringArray& lines, char separator, Vtl_Array<Vtl_StringArray>& rows) {
    arrToArrArr(lines, charOf(separator), rows);
}

void arrToArrArr(const Vtl_StringArray& lines, char32_t separator, Vtl_Array<Vtl_StringArray>& rows) {
    Vtl_Array<Vtl_StringArray> out(lines.length());
    for (const auto& line : lines) {
        Vtl_StringArray row;
        strToArr(line, separator, row);
        out.append(std::move(row));
    }
    rows = std::move(out);  // lines may be built from rows' own texts: replace only at the end
}

void arrArrToArr(const Vtl_Array<Vtl_StringArray>& rows, char separator, Vtl_StringArray& lines) {
    arrArrToArr(rows, charOf(separator), lines);
}

void arrArrToArr(const Vtl_Array<Vtl_StringArray>& rows, char32_t separator, Vtl_StringArray& lines) {
    Vtl_StringArray out(rows.length());
    for (const auto& row : rows) out.append(arrToStr(row, separator));
    lines = std::move(out);
}

bool isNumber(const Vtl_String& text) {
    std::string_view s = text.view();
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    return digits > 0 && i == s.size();
}

std::optional<double> parseNumber(const Vtl_String& text) {
    if (!isNumber(text)) return std::nullopt;
    return text.toDouble();
}

bool startsWithNumber(const Vtl_String& text) {
    const std::string_view s = text.view();
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i < s.size() && s[i] == '.') ++i;
    return i < s.size() && isDigit(s[i]);
}

bool findFirstNumbers(const Vtl_String& text, int& position, int& count) {
    const std::vector<char32_t> c = codePoints(text);
    const auto n = c.size();
    std::size_t i = 0;
    while (i < n && !isDigit32(c[i])) ++i;
    if (i == n) return false;
    std::size_t end = i;
    while (end < n && isDigit32(c[end])) ++end;
    if (end + 1 < n && c[end] == '.' && isDigit32(c[end + 1])) {
        end += 1;
        while (end < n && isDigit32(c[end])) ++end;
    }
    position = static_cast<int>(i);
    count = static_cast<int>(end - i);
    return true;
}

Vtl_String stripNumbersAtEnd(const Vtl_String& text) {
    std::string_view s = text.view();
    while (!s.empty() && isDigit(s.back())) s.remove_suffix(1);
    return s.empty() ? text : Vtl_String(s);
}

Vtl_String findNonExistingString(const Vtl_StringArray& names, const Vtl_String& base) {
    std::unordered_set<std::string> used;
    for (const auto& n : names) used.insert(n.toLower().str());
    if (!used.contains(base.toLower().str())) return base;
    // At most names.length() candidates are taken, so this ends.
    for (int n = 1;; ++n) {
        Vtl_String candidate = base + "_" + Vtl_String(n);
        if (!used.contains(candidate.toLower().str())) return candidate;
    }
}

bool hasDuplicates(const Vtl_StringArray& texts, bool caseSensitive) {
    std::unordered_set<std::string> seen;
    for (const auto& t : texts) {
        if (!seen.insert(caseSensitive ? t.str() : t.toLower().str()).second) return true;
    }
    return false;
}

void atof(const Vtl_StringArray& texts, AcArray<double>& values) {
    AcArray<double> out(texts.length());
    for (const auto& t : texts) out.append(isNumber(t) ? t.toDouble() : 0.0);
    values = std::move(out);
}

int naturalCompare(const Vtl_String& a, const Vtl_String& b) {
    const std::vector<char32_t> x = codePoints(a);
    const std::vector<char32_t> y = codePoints(b);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < x.size() && j < y.size()) {
        if (isDigit32(x[i]) && isDigit32(y[j])) {
            std::size_t ie = i;
            std::size_t je = j;
            while (ie < x.size() && isDigit32(x[ie])) ++ie;
            while (je < y.size() && isDigit32(y[je])) ++je;
            std::size_t is = i;
            std::size_t js = j;
            while (is + 1 < ie && x[is] == '0') ++is;  // leading zeros do not change the value
            while (js + 1 < je && y[js] == '0') ++js;
            if (ie - is != je - js) return ie - is < je - js ? -1 : 1;
            for (std::size_t k = 0; k < ie - is; ++k) {
                if (x[is + k] != y[js + k]) return x[is + k] < y[js + k] ? -1 : 1;
            }
            i = ie;
            j = je;
            continue;
        }
        const char32_t cx = vtl::base::utf8::toLower(x[i]);
        const char32_t cy = vtl::base::utf8::toLower(y[j]);
        if (cx != cy) return cx < cy ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < x.size() || j < y.size()) return i < x.size() ? 1 : -1;
    const int exact = a.str().compare(b.str());
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

bool ObjectExportSort(AcArray<double>& keys, AcArray<int>& payload) {
    if (keys.length() != payload.length()) return false;
    std::vector<int> order(static_cast<std::size_t>(keys.length()));
    std::iota(order.begin(), order.end(), 0);
    // NaN sorts after every number, so the order stays strict.
    const auto less = [](double a, double b) { return !std::isnan(a) && (std::isnan(b) || a < b); };
    std::stable_sort(order.begin(), order.end(), [&](int p, int q) { return less(keys[p], keys[q]); });
    AcArray<double> sortedKeys(keys.length());
    AcArray<int> sortedPayload(payload.length());
    for (const int k : order) {
        sortedKeys.append(keys[k]);
        sortedPayload.append(payload[k]);
    }
    keys = std::move(sortedKeys);
    payload = std::move(sortedPayload);
    return true;
}

int ObjectExportAddToSorted(Vtl_StringArray& sorted, const Vtl_String& text) {
    int p = 0;
    while (p < sorted.length() && naturalCompare(sorted[p], text) <= 0) ++p;
    sorted.insertAt(p, text);
    return p;
}

void sortNatural(Vtl_StringArray& texts) {
    std::vector<Vtl_String> v(texts.begin(), texts.end());
    std::stable_sort(v.begin(), v.end(), [](const Vtl_String& a, const Vtl_String& b) { return naturalCompare(a, b) < 0; });
    Vtl_StringArray out(static_cast<int>(v.size()));
    for (auto& t : v) out.append(t);
    texts = std::move(out);
}
