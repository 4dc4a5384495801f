#pragma once
// Drawing display lists into pixels.
#include "gfx/color.h"
#include "gfx/display_list.h"
#include "gfx/export.h"
#include "gfx/image.h"

namespace vtl::gfx {

// A canvas of the given size, filled with `background`, with the list drawn on it.
VTLGFX_API Image render(const DisplayList& list, int width, int height, COLORREF background = RGB(255, 255, 255));
// Draws the list over the canvas's pixels (shapes and text are opaque; images blend by their alpha).
VTLGFX_API void render(const DisplayList& list, Image& canvas);

}  // namespace vtl::gfx
