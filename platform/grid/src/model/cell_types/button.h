#pragma once
// Push-button cells: they show their caption (and picture); the cell's stored text is data the program
// may keep there.
#include "grid/export.h"
#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/handles.h"

namespace vtl::grid {

struct VTLGRID_API ButtonType {
    static constexpr int kKind = 4;
    std::uint32_t style = 0;
    std::string caption;
    HBITMAP picture{};

    std::string storeText(std::string_view text) const { return std::string(text); }
    std::string storeValue(std::string_view value) const { return std::string(value); }
    std::string displayText(const std::string&) const { return caption; }
    std::string valueText(const std::string& stored) const { return stored; }
    friend bool operator==(const ButtonType&, const ButtonType&) = default;
};

}  // namespace vtl::grid
