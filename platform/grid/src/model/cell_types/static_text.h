#pragma once
// Static text cells: shown, never edited. Style bits: 0x04 centred across, 0x08 centred down, 0x80 word
// wrap (the header labels of an autofitted grid use 0x8C).
#include "grid/export.h"
#include <cstdint>
#include <string>
#include <string_view>

namespace vtl::grid {

struct VTLGRID_API StaticTextType {
    static constexpr int kKind = 2;
    static constexpr std::uint32_t kCentre = 0x04;
    static constexpr std::uint32_t kVCentre = 0x08;
    static constexpr std::uint32_t kWordWrap = 0x80;
    std::uint32_t style = 0;

    bool wordWrap() const { return (style & kWordWrap) != 0; }

    std::string storeText(std::string_view text) const { return std::string(text); }
    std::string storeValue(std::string_view value) const { return std::string(value); }
    std::string displayText(const std::string& stored) const { return stored; }
    std::string valueText(const std::string& stored) const { return stored; }
    friend bool operator==(const StaticTextType&, const StaticTextType&) = default;
};

}  // namespace vtl::grid
