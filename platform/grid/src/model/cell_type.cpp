#include "model/cell_type.h"

#include "model/number_text.h"

namespace vtl::grid {

int kindOf(const CellType& type) {
    return std::visit([](const auto& t) { return std::decay_t<decltype(t)>::kKind; }, type);
}

std::string storeText(const CellType& type, std::string_view text) {
    return std::visit([&](const auto& t) { return t.storeText(text); }, type);
}

std::string storeValue(const CellType& type, std::string_view value) {
    return std::visit([&](const auto& t) { return t.storeValue(value); }, type);
}

std::string displayText(const CellType& type, const std::string& stored) {
    return std::visit([&](const auto& t) { return t.displayText(stored); }, type);
}

std::string valueText(const CellType& type, const std::string& stored) {
    return std::visit([&](const auto& t) { return t.valueText(stored); }, type);
}

std::optional<double> numericValue(const CellType& type, const std::string& stored) {
    return parseNumber(valueText(type, stored));
}

}  // namespace vtl::grid
