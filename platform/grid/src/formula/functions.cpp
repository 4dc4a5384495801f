#include "formula/functions.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "formula/formula.h"
#include "model/number_text.h"

namespace vtl::grid {
namespace {
struct Entry {
    const char* name;
    Builtin id;
    int min;
    int max;
};
constexpr Entry kTable[] = {
    {"SUM", Builtin::sum, 1, -1},          {"MIN", Builtin::min, 1, -1},
    {"MAX", Builtin::max, 1, -1},          {"AVERAGE", Builtin::average, 1, -1},
    {"COUNT", Builtin::count, 1, -1},      {"COUNTA", Builtin::counta, 1, -1},
    {"IF", Builtin::if_, 2, 3},            {"IFERROR", Builtin::iferror, 2, 2},
    {"AND", Builtin::and_, 1, -1},         {"OR", Builtin::or_, 1, -1},
    {"NOT", Builtin::not_, 1, 1},          {"ISBLANK", Builtin::isblank, 1, 1},
    {"ISNUMBER", Builtin::isnumber, 1, 1}, {"ISTEXT", Builtin::istext, 1, 1},
    {"ISERROR", Builtin::iserror, 1, 1},   {"ABS", Builtin::abs, 1, 1},
    {"ROUND", Builtin::round, 2, 2},       {"ROUNDUP", Builtin::roundup, 2, 2},
    {"ROUNDDOWN", Builtin::rounddown, 2, 2}, {"INT", Builtin::int_, 1, 1},
    {"TRUNC", Builtin::trunc, 1, 2},       {"MOD", Builtin::mod, 2, 2},
    {"SQRT", Builtin::sqrt, 1, 1},         {"POWER", Builtin::power, 2, 2},
    {"EXP", Builtin::exp, 1, 1},           {"LN", Builtin::ln, 1, 1},
    {"LOG10", Builtin::log10, 1, 1},       {"PI", Builtin::pi, 0, 0},
    {"SIGN", Builtin::sign, 1, 1},         {"SIN", Builtin::sin, 1, 1},
    {"COS", Builtin::cos, 1, 1},           {"TAN", Builtin::tan, 1, 1},
    {"ASIN", Builtin::asin, 1, 1},         {"ACOS", Builtin::acos, 1, 1},
    {"ATAN", Builtin::atan, 1, 1},         {"ATAN2", Builtin::atan2, 2, 2},
    {"LEN", Builtin::len, 1, 1},           {"LEFT", Builtin::left, 1, 2},
    {"RIGHT", Builtin::right, 1, 2},       {"MID", Builtin::mid, 3, 3},
    {"UPPER", Builtin::upper, 1, 1},       {"LOWER", Builtin::lower, 1, 1},
    {"TRIM", Builtin::trim, 1, 1},         {"CONCATENATE", Builtin::concatenate, 1, -1},
    {"VALUE", Builtin::value, 1, 1},
};

// Entries by function name id (ids are small: names are interned process-wide as they are met).
const std::vector<const Entry*>& byName() {
    static const auto table = [] {
        std::vector<const Entry*> t;
        for (const Entry& e : kTable) {
            const std::uint32_t id = functionNameId(e.name);
            if (t.size() <= id) t.resize(id + 1, nullptr);
            t[id] = &e;
        }
        return t;
    }();
    return table;
}

Value num(double v) { return Value::makeNumber(v); }
Value err(FormulaError e) { return Value::makeError(e); }

// Ranges up to this many cells are read cell by cell; larger ones through the list of cells present.
constexpr std::uint64_t kDirectRead = 4096;

// Calls visit(value) for the cells of a reference, row by row, until it returns false. Empty cells of a
// large range may be left out: every caller passes over empty cells.
template <class Visit>
void eachCell(const FunctionArg& a, const CellReader& read, const CellLister& list, Visit visit) {
    const int c1 = std::min(a.from.col, a.to.col), c2 = std::max(a.from.col, a.to.col);
    const int r1 = std::min(a.from.row, a.to.row), r2 = std::max(a.from.row, a.to.row);
    const auto area = static_cast<std::uint64_t>(c2 - c1 + 1) * static_cast<std::uint64_t>(r2 - r1 + 1);
    if (area <= kDirectRead || !list) {
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                if (!visit(read({c, r}))) return;
        return;
    }
    std::vector<CellRef> cells;
    list(Block{c1, r1, c2, r2}, cells);
    for (const CellRef cell : cells)
        if (!visit(read(cell))) return;
}

// Calls cell(value) for the cells of each reference argument and direct(value) for each other argument,
// in order, until one returns false (the result is then false).
template <class Cell, class Direct>
bool forEachArgument(std::span<const FunctionArg> args, const CellReader& read, const CellLister& list, Cell cell,
                     Direct direct) {
    for (const FunctionArg& a : args) {
        if (a.isReference) {
            bool going = true;
            eachCell(a, read, list, [&](const Value& v) { return going = cell(v); });
            if (!going) return false;
        } else if (!direct(a.value)) {
            return false;
        }
    }
    return true;
}

// The numbers an aggregate sees: every number cell of a reference (text, booleans and empty cells
// skipped), and direct arguments coerced to numbers. The first error met is the result.
template <class Visit>
FormulaError forEachNumber(std::span<const FunctionArg> args, const CellReader& read, const CellLister& list,
                           Visit visit) {
    FormulaError error = FormulaError::none;
    forEachArgument(
        args, read, list,
        [&](const Value& v) {
            if (v.isError()) {
                error = v.error;
                return false;
            }
            if (v.kind == Value::Kind::number) visit(v.number);
            return true;
        },
        [&](const Value& v) {
            const Value n = v.isError() ? v : toNumber(v);
            if (n.isError()) {
                error = n.error;
                return false;
            }
            visit(n.number);
            return true;
        });
    return error;
}

// COUNT and COUNTA look at every argument and every cell of every reference; an error or a text is
// never a reason to stop. COUNT counts numbers: in references only cells holding a number, among direct
// arguments also what reads as one ("2", TRUE). COUNTA counts every value that is not empty, errors
// included.
double countValues(std::span<const FunctionArg> args, const CellReader& read, const CellLister& list, bool all) {
    double count = 0;
    forEachArgument(
        args, read, list,
        [&](const Value& v) {
            if (all ? !v.isEmpty() : v.kind == Value::Kind::number) ++count;
            return true;
        },
        [&](const Value& v) {
            if (all ? !v.isEmpty() : !v.isError() && !v.isEmpty() && !toNumber(v).isError()) ++count;
            return true;
        });
    return count;
}

// A scalar argument: a range that is no single cell is #VALUE!.
const Value& scalar(const FunctionArg& a) { return a.value; }

std::optional<double> numberArg(const FunctionArg& a, Value& error) {
    const Value n = toNumber(scalar(a));
    if (n.isError()) {
        error = n;
        return std::nullopt;
    }
    return n.number;
}

std::size_t utf8Count(std::string_view s) { return codePointCount(s); }
// Byte offset of code point `n` (clamped to the end).
std::size_t utf8Offset(std::string_view s, std::size_t n) { return firstCodePoints(s, n).size(); }

double roundTo(double v, double digits, int mode) {
    const double d = std::trunc(digits);
    if (std::fabs(d) > 15) return v;
    const double scale = std::pow(10.0, d);
    // Through the shortest decimal text, so that 2.675 rounds as written, not as stored.
    const double x = *parseNumber(formatShortest(v * scale));
    double r = 0;
    if (mode == 0) r = std::round(x);
    else if (mode > 0) r = x < 0 ? std::floor(x) : std::ceil(x);
    else r = std::trunc(x);
    return r / scale;
}
}  // namespace

std::optional<Builtin> findBuiltin(std::uint32_t nameId) {
    const auto& table = byName();
    if (nameId < table.size() && table[nameId]) return table[nameId]->id;
    return std::nullopt;
}

std::pair<int, int> builtinArity(Builtin f) {
    // The table lists the functions in the order of the enumeration.
    const auto index = static_cast<std::size_t>(f);
    if (index < std::size(kTable) && kTable[index].id == f) return {kTable[index].min, kTable[index].max};
    for (const Entry& e : kTable) {
        if (e.id == f) return {e.min, e.max};
    }
    return {0, -1};
}

Value callBuiltin(Builtin f, std::span<const FunctionArg> args, const CellReader& read, const CellLister& list) {
    const auto [lo, hi] = builtinArity(f);
    const int n = static_cast<int>(args.size());
    if (n < lo || (hi >= 0 && n > hi)) return err(FormulaError::value);
    Value e;
    switch (f) {
    case Builtin::count:
    case Builtin::counta: return num(countValues(args, read, list, f == Builtin::counta));
    case Builtin::sum:
    case Builtin::average: {
        double total = 0;
        int count = 0;
        const FormulaError fe = forEachNumber(args, read, list, [&](double v) {
            total += v;
            ++count;
        });
        if (fe != FormulaError::none) return err(fe);
        if (f == Builtin::sum) return num(total);
        return count == 0 ? err(FormulaError::div0) : num(total / count);
    }
    case Builtin::min:
    case Builtin::max: {
        std::optional<double> best;
        const FormulaError fe = forEachNumber(args, read, list, [&](double v) {
            if (!best || (f == Builtin::min ? v < *best : v > *best)) best = v;
        });
        if (fe != FormulaError::none) return err(fe);
        return num(best.value_or(0));
    }
    case Builtin::and_:
    case Builtin::or_: {
        bool result = f == Builtin::and_;
        bool any = false;
        for (const FunctionArg& a : args) {
            auto one = [&](const Value& v) -> FormulaError {
                if (v.isError()) return v.error;
                if (v.isEmpty() || (a.isReference && v.kind == Value::Kind::text)) return FormulaError::none;
                const Value b = toBool(v);
                if (b.isError()) return b.error;
                any = true;
                if (f == Builtin::and_) result = result && b.number != 0;
                else result = result || b.number != 0;
                return FormulaError::none;
            };
            if (a.isReference) {
                FormulaError fe = FormulaError::none;
                eachCell(a, read, list, [&](const Value& v) { return (fe = one(v)) == FormulaError::none; });
                if (fe != FormulaError::none) return err(fe);
            } else if (const FormulaError fe = one(a.value); fe != FormulaError::none) {
                return err(fe);
            }
        }
        return any ? Value::makeBool(result) : err(FormulaError::value);
    }
    case Builtin::not_: {
        const Value b = toBool(scalar(args[0]));
        return b.isError() ? b : Value::makeBool(b.number == 0);
    }
    case Builtin::isblank: return Value::makeBool(scalar(args[0]).isEmpty());
    case Builtin::isnumber: return Value::makeBool(scalar(args[0]).kind == Value::Kind::number);
    case Builtin::istext: return Value::makeBool(scalar(args[0]).kind == Value::Kind::text);
    case Builtin::iserror: return Value::makeBool(scalar(args[0]).isError());
    case Builtin::pi: return num(std::numbers::pi);
    case Builtin::concatenate: {
        std::string out;
        for (const FunctionArg& a : args) {
            if (a.value.isError()) return a.value;
            out += toText(a.value);
            // Stopped as soon as it is too long: 255 long arguments never make one huge text.
            if (out.size() > 4 * kMaxTextResult) return err(FormulaError::value);
        }
        return textTooLong(out) ? err(FormulaError::value) : Value::makeText(std::move(out));
    }
    case Builtin::len:
    case Builtin::upper:
    case Builtin::lower:
    case Builtin::trim: {
        const Value& v = scalar(args[0]);
        if (v.isError()) return v;
        std::string s = toText(v);
        if (f == Builtin::len) return num(static_cast<double>(utf8Count(s)));
        if (f == Builtin::trim) {
            std::string out;
            for (char c : s) {
                if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
                out.push_back(c);
            }
            if (!out.empty() && out.back() == ' ') out.pop_back();
            return Value::makeText(std::move(out));
        }
        for (char& c : s) {
            if (f == Builtin::upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (f == Builtin::lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return Value::makeText(std::move(s));
    }
    case Builtin::left:
    case Builtin::right:
    case Builtin::mid: {
        const Value& v = scalar(args[0]);
        if (v.isError()) return v;
        const std::string s = toText(v);
        const std::size_t total = utf8Count(s);
        if (f == Builtin::mid) {
            const auto start = numberArg(args[1], e);
            if (!start) return e;
            const auto count = numberArg(args[2], e);
            if (!count) return e;
            if (*start < 1 || *count < 0) return err(FormulaError::value);
            const auto from = static_cast<std::size_t>(std::min<double>(std::trunc(*start) - 1, static_cast<double>(total)));
            const auto len = static_cast<std::size_t>(std::min<double>(std::trunc(*count), static_cast<double>(total)));
            const std::size_t a = utf8Offset(s, from);
            const std::size_t b = utf8Offset(s, std::min(total, from + len));
            return Value::makeText(s.substr(a, b - a));
        }
        double count = 1;
        if (args.size() > 1) {
            const auto c = numberArg(args[1], e);
            if (!c) return e;
            count = std::trunc(*c);
        }
        if (count < 0) return err(FormulaError::value);
        const auto k = static_cast<std::size_t>(std::min(count, static_cast<double>(total)));
        if (f == Builtin::left) return Value::makeText(s.substr(0, utf8Offset(s, k)));
        return Value::makeText(s.substr(utf8Offset(s, total - k)));
    }
    case Builtin::value: {
        const Value& v = scalar(args[0]);
        if (v.isError()) return v;
        if (v.kind == Value::Kind::number) return v;
        if (v.kind == Value::Kind::empty) return num(0);
        if (v.kind == Value::Kind::text) {
            if (const auto d = parseNumber(v.text)) return num(*d);
        }
        return err(FormulaError::value);
    }
    default: break;
    }

    // The numeric functions of one or two numbers.
    const auto x = numberArg(args[0], e);
    if (!x) return e;
    std::optional<double> y;
    if (args.size() > 1) {
        y = numberArg(args[1], e);
        if (!y) return e;
    }
    switch (f) {
    case Builtin::abs: return num(std::fabs(*x));
    case Builtin::round: return num(roundTo(*x, *y, 0));
    case Builtin::roundup: return num(roundTo(*x, *y, 1));
    case Builtin::rounddown: return num(roundTo(*x, *y, -1));
    case Builtin::int_: return num(std::floor(*x));
    case Builtin::trunc: return num(roundTo(*x, y.value_or(0), -1));
    case Builtin::mod: {
        if (*y == 0) return err(FormulaError::div0);
        const double m = *x - *y * std::floor(*x / *y);  // the sign of the divisor
        return num(m);
    }
    case Builtin::sqrt: return *x < 0 ? err(FormulaError::num) : num(std::sqrt(*x));
    case Builtin::power:
        if (*x == 0 && *y < 0) return err(FormulaError::div0);
        return num(std::pow(*x, *y));
    case Builtin::exp: return num(std::exp(*x));
    case Builtin::ln: return *x <= 0 ? err(FormulaError::num) : num(std::log(*x));
    case Builtin::log10: return *x <= 0 ? err(FormulaError::num) : num(std::log10(*x));
    case Builtin::sign: return num(*x > 0 ? 1 : (*x < 0 ? -1 : 0));
    case Builtin::sin: return num(std::sin(*x));
    case Builtin::cos: return num(std::cos(*x));
    case Builtin::tan: return num(std::tan(*x));
    case Builtin::asin: return std::fabs(*x) > 1 ? err(FormulaError::num) : num(std::asin(*x));
    case Builtin::acos: return std::fabs(*x) > 1 ? err(FormulaError::num) : num(std::acos(*x));
    case Builtin::atan: return num(std::atan(*x));
    case Builtin::atan2:
        if (*x == 0 && *y == 0) return err(FormulaError::div0);
        return num(std::atan2(*y, *x));  // ATAN2(x, y)
    default: break;
    }
    return err(FormulaError::value);
}

}  // namespace vtl::grid
