#pragma once
// The grid's search comparison: a text is found in a cell value when it occurs in it ignoring case, with
// the case folding of Vtl_String (so that positions found later in the cell agree). The needle is folded
// once; values of plain ASCII, the common case, are compared without making folded copies.
#include <string>
#include <string_view>

#include "frame/vtlbase.h"

namespace vtl::ui {

class TextSearch {
public:
    explicit TextSearch(const Vtl_String& needle);
    // Whether the needle occurs in the UTF-8 text; the empty needle never occurs.
    bool in(std::string_view text) const;

private:
    std::string folded_;
    bool asciiNeedle_ = true;
};

}  // namespace vtl::ui
