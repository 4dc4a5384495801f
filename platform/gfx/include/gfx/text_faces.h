#pragma once
// Where the rasteriser's text face comes from: the DejaVu Sans font files, searched in $VTL_FONT_DIR, then
// the usual system font folders. Without them text is still drawn, with whatever sans face the system's
// font selection offers, and still placed by the built-in metrics.
#include <string>
#include <vector>

#include "gfx/export.h"

namespace vtl::gfx {

// The regular face's file in use, or empty when drawing falls back to the system's font selection.
VTLGFX_API std::string textFaceFile();

namespace testing {
// Searches only these folders from now on (the default search again after reset()).
VTLGFX_API void setFontFolders(std::vector<std::string> folders);
}  // namespace testing

}  // namespace vtl::gfx
