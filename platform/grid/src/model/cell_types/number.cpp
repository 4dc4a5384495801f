#include "model/cell_types/number.h"

#include "model/number_text.h"

namespace vtl::grid {

std::optional<double> NumberType::number(const std::string& stored) const { return parseNumber(stored); }

std::string NumberType::storeText(std::string_view text) const {
    const auto value = parseNumber(text);
    return value ? formatShortest(*value) : std::string();
}

std::string NumberType::displayText(const std::string& stored) const {
    const auto value = parseNumber(stored);
    return value ? formatFixed(*value, decimals) : std::string();
}

}  // namespace vtl::grid
