#pragma once
// Edit cells: free text, the type of every cell that has none set. The maximum length counts code points
// and binds the cell editor; text written by the program is kept whole.
#include "grid/export.h"
#include <cstdint>
#include <string>
#include <string_view>

namespace vtl::grid {

struct VTLGRID_API EditType {
    static constexpr int kKind = 1;
    std::uint32_t style = 0;
    int maxLength = 0;  // code points; 0 = no limit
    int charSet = 0;    // 0 = any character
    int charCase = 1;   // 1 = case unchanged

    // What the editor may hold of the text: at most maxLength code points.
    std::string_view clip(std::string_view text) const;

    std::string storeText(std::string_view text) const { return std::string(text); }
    std::string storeValue(std::string_view value) const { return std::string(value); }
    std::string displayText(const std::string& stored) const { return stored; }
    std::string valueText(const std::string& stored) const { return stored; }
    friend bool operator==(const EditType&, const EditType&) = default;
};

}  // namespace vtl::grid
