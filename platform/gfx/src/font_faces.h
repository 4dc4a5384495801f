#pragma once
// The faces text is drawn with: DejaVu Sans loaded from its font files through FreeType when they are
// found, otherwise Cairo's own font selection by name. Glyph positions never come from here: the layout
// places every glyph by the built-in metrics.
#include <cairo.h>

namespace vtl::gfx::detail {

// A face for the style (never null; owned by this module, valid until the font files are reset).
cairo_font_face_t* fontFace(bool bold, bool italic);
// The glyph index of `c` in the face, through `font` (a scaled font of that face); 0 when it has none.
unsigned long glyphIndex(cairo_scaled_font_t* font, bool bold, bool italic, char32_t c);

}  // namespace vtl::gfx::detail
