#pragma once
// The values formulas compute with: empty, number, text, boolean or an error, and the rules that turn one
// kind into another (arithmetic, text joining, comparison) and a value into a cell's stored text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "grid/export.h"

namespace vtl::grid {

enum class FormulaError : std::uint8_t { none, div0, value, ref, name, num, na, circular, depth };

// "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A", "#CIRC!" (a cell depends on itself),
// "#DEPTH!" (custom functions nested too deep).
VTLGRID_API std::string_view errorText(FormulaError error);
// The error a text names, or none.
FormulaError errorFromText(std::string_view text);

struct VTLGRID_API Value {
    enum class Kind : std::uint8_t { empty, number, text, boolean, error };
    Kind kind = Kind::empty;
    FormulaError error = FormulaError::none;
    double number = 0;  // number; boolean 0/1
    std::string text;

    static Value makeNumber(double v);  // a non-finite number becomes #NUM!
    static Value makeText(std::string v);
    static Value makeBool(bool v);
    static Value makeError(FormulaError e);

    bool isError() const { return kind == Kind::error; }
    bool isEmpty() const { return kind == Kind::empty; }
};

// The longest text a formula builds (CONCATENATE, &): 32,767 characters, the most a cell of common
// spreadsheet programs holds. A longer result is #VALUE!, so that a chain of joins cannot grow without
// bound.
inline constexpr std::size_t kMaxTextResult = 32767;
// More than kMaxTextResult characters (code points).
VTLGRID_API bool textTooLong(std::string_view text);

// A number for arithmetic: empty is 0, booleans 1/0, text that reads as a number that number; otherwise
// #VALUE! (errors pass through).
VTLGRID_API Value toNumber(const Value& v);
// Text for joining: numbers in general format, TRUE/FALSE, empty "".
VTLGRID_API std::string toText(const Value& v);
// A truth value: numbers non-zero, booleans, text "TRUE"/"FALSE"; otherwise #VALUE!.
VTLGRID_API Value toBool(const Value& v);
// Compares two non-error values: numbers before text before booleans, text without regard to case, an
// empty value taken as 0, "" or FALSE after the other side's kind. Negative, zero or positive.
VTLGRID_API int compareValues(const Value& a, const Value& b);
// General number format: up to 15 significant digits, no trailing zeros, no "-0".
VTLGRID_API std::string formatGeneral(double v);
// What a formula cell stores as its result text.
VTLGRID_API std::string resultText(const Value& v);
// The same into `out`, reusing its storage.
VTLGRID_API void resultText(const Value& v, std::string& out);
// The value of a stored cell text: "" empty, a number when it reads as one, else text.
VTLGRID_API Value valueOfStoredText(std::string_view text);

}  // namespace vtl::grid
