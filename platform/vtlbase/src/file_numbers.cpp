#include "file_numbers.h"

#include <charconv>
#include <cmath>

#include "vtlbase/text_functions.h"

namespace vtl::base {

std::string fileNumber(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";  // also -0
    char buffer[400];            // the longest fixed form of a double is about 330 characters
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, r.ptr);
}

std::optional<double> fileNumberValue(const Vtl_String& cell) {
    const auto value = parseNumber(cell);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<int> fileInteger(const Vtl_String& cell, int low, int high) {
    const std::string& text = cell.str();
    int value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<bool> fileFlag(const Vtl_String& cell) {
    if (cell.str() == "1") return true;
    if (cell.str() == "0") return false;
    return std::nullopt;
}

}  // namespace vtl::base
