#pragma once
// Numbers as cell text, written and read with '.' whatever the process locale.
#include <optional>
#include <string>
#include <string_view>

namespace vtl::grid {

// A whole decimal number (surrounding blanks allowed), else nothing.
std::optional<double> parseNumber(std::string_view text);
std::optional<long long> parseInteger(std::string_view text);
// The shortest text that reads back as the same double ("3.5", "-0.25", "1e+20").
std::string formatShortest(double value);
// Fixed decimals ("3.50" for 3.5 with 2 decimals).
std::string formatFixed(double value, int decimals);
// Number of code points in UTF-8 text.
std::size_t codePointCount(std::string_view utf8);
// The first max code points of UTF-8 text, never splitting a sequence.
std::string_view firstCodePoints(std::string_view utf8, std::size_t max);

}  // namespace vtl::grid
