#include "model/cell_types/edit.h"

#include "model/number_text.h"

namespace vtl::grid {

std::string_view EditType::clip(std::string_view text) const {
    return maxLength > 0 ? firstCodePoints(text, static_cast<std::size_t>(maxLength)) : text;
}

}  // namespace vtl::grid
