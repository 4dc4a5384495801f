#pragma once
// Check box cells. The value is "1" (set) or "0" (clear). Any other text (the "mixed" text of several
// records edited together) is kept verbatim until the user toggles the box, and shows as clear.
#include "grid/export.h"
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/handles.h"

namespace vtl::grid {

struct VTLGRID_API CheckBoxType {
    static constexpr int kKind = 12;
    enum Picture { clear = 0, set = 1, focusedClear = 2, focusedSet = 3 };
    std::uint32_t style = 0;
    std::string caption;
    std::array<HBITMAP, 4> pictures{};  // indexed by Picture; none means the face draws its own box

    static bool isSet(std::string_view stored) { return stored == "1"; }
    // The value after the user toggles the box: mixed and clear become set.
    static std::string toggled(std::string_view stored) { return isSet(stored) ? "0" : "1"; }

    std::string storeText(std::string_view text) const { return std::string(text); }
    std::string storeValue(std::string_view value) const { return std::string(value); }
    std::string displayText(const std::string& stored) const { return stored; }
    std::string valueText(const std::string& stored) const { return stored; }
    friend bool operator==(const CheckBoxType&, const CheckBoxType&) = default;
};

}  // namespace vtl::grid
