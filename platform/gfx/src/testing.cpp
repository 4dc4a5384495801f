#include "gfx/testing.h"

#include "handle_table.h"

namespace vtl::gfx::testing {

void reset() {
    detail::resetFonts();
    detail::resetBitmaps();
    detail::resetIcons();
    detail::resetFontFiles();
}

}  // namespace vtl::gfx::testing
