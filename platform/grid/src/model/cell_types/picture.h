#pragma once
// Picture cells: a bitmap file drawn in the cell; the stored text is kept as data.
#include "grid/export.h"
#include <cstdint>
#include <string>
#include <string_view>

namespace vtl::grid {

struct VTLGRID_API PictureType {
    static constexpr int kKind = 5;
    std::uint32_t style = 0;
    std::string fileName;

    std::string storeText(std::string_view text) const { return std::string(text); }
    std::string storeValue(std::string_view value) const { return std::string(value); }
    std::string displayText(const std::string& stored) const { return stored; }
    std::string valueText(const std::string& stored) const { return stored; }
    friend bool operator==(const PictureType&, const PictureType&) = default;
};

}  // namespace vtl::grid
