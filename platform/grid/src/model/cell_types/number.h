#pragma once
// Number cells: the stored text is the shortest form of the number ("3.5"), shown with fixed decimals
// ("3.50"). Text that is not a number empties the cell. The bounds bind what the user types; numbers the
// program writes are stored unclamped. Style bit 0x200 aligns right.
#include "grid/export.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vtl::grid {

struct VTLGRID_API NumberType {
    static constexpr int kKind = 15;
    static constexpr std::uint32_t kRightAligned = 0x200;
    std::uint32_t style = kRightAligned;
    int decimals = 2;
    double minValue = -1e15;
    double maxValue = 1e15;

    bool inBounds(double value) const { return value >= minValue && value <= maxValue; }
    std::optional<double> number(const std::string& stored) const;

    std::string storeText(std::string_view text) const;
    std::string storeValue(std::string_view value) const { return storeText(value); }
    std::string displayText(const std::string& stored) const;
    std::string valueText(const std::string& stored) const { return stored; }
    friend bool operator==(const NumberType&, const NumberType&) = default;
};

}  // namespace vtl::grid
