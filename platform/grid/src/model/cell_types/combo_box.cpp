#include "model/cell_types/combo_box.h"

#include "model/number_text.h"

namespace vtl::grid {

ComboBoxType ComboBoxType::fromList(std::uint32_t style, std::string_view tabSeparated) {
    ComboBoxType type;
    type.style = style;
    if (tabSeparated.empty()) return type;
    for (;;) {
        const auto tab = tabSeparated.find('\t');
        type.items.emplace_back(tabSeparated.substr(0, tab));
        if (tab == std::string_view::npos) break;
        tabSeparated.remove_prefix(tab + 1);
    }
    return type;
}

std::string ComboBoxType::itemList() const {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += '\t';
        out += items[i];
    }
    return out;
}

int ComboBoxType::indexOf(std::string_view text) const {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    return -1;
}

std::string ComboBoxType::storeText(std::string_view text) const {
    if (editable()) return std::string(text);
    const int index = indexOf(text);
    return index < 0 ? std::string() : std::to_string(index);
}

std::string ComboBoxType::storeValue(std::string_view value) const {
    const auto index = parseInteger(value);
    if (!editable()) return index && *index >= 0 ? std::to_string(*index) : std::string();
    if (index && *index >= 0 && *index < static_cast<long long>(items.size())) return items[*index];
    return std::string();
}

std::string ComboBoxType::displayText(const std::string& stored) const {
    if (editable()) return stored;
    const auto index = parseInteger(stored);
    if (index && *index >= 0 && *index < static_cast<long long>(items.size())) return items[*index];
    return std::string();
}

std::string ComboBoxType::valueText(const std::string& stored) const {
    if (!editable()) return stored;
    const int index = indexOf(stored);
    return index < 0 ? std::string() : std::to_string(index);
}

}  // namespace vtl::grid
