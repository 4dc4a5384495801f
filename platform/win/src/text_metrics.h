#pragma once
// Text measured for layout inside the window framework (tab widths, menus, message boxes, caret scroll).
#include <string_view>

#include "win/types.h"

namespace vtl::win::detail {
// The extent of one line of text in the given font (the dialog font when none).
SIZE measureText(HFONT font, std::string_view text);
// The height of one line in the given font.
int lineHeight(HFONT font);
}  // namespace vtl::win::detail
