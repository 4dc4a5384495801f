#pragma once
// Combo box cells with a list of items. A list-only combo stores the index of its choice (its value) and
// shows the item; an index beyond the items is kept but shows nothing. An editable combo stores its text;
// its value is the index of the item equal to the text, if any. Style bit 0x2 makes a combo editable.
#include "grid/export.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vtl::grid {

struct VTLGRID_API ComboBoxType {
    static constexpr int kKind = 3;
    static constexpr std::uint32_t kEditable = 0x2;
    std::uint32_t style = 0;
    std::vector<std::string> items;

    // Items from a tab-separated list ("a\tb\tc"); an empty list gives no items.
    static ComboBoxType fromList(std::uint32_t style, std::string_view tabSeparated);
    std::string itemList() const;  // tab-separated
    bool editable() const { return (style & kEditable) != 0; }
    int indexOf(std::string_view text) const;  // -1 when no item equals the text

    std::string storeText(std::string_view text) const;
    std::string storeValue(std::string_view value) const;
    std::string displayText(const std::string& stored) const;
    std::string valueText(const std::string& stored) const;
    friend bool operator==(const ComboBoxType&, const ComboBoxType&) = default;
};

}  // namespace vtl::grid
