#pragma once
// PNG encoding of images (frames of the window system, galleries) and decoding (icons, tests).
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/export.h"
#include "gfx/image.h"

namespace vtl::gfx {

// Throws ImageError for an empty image.
VTLGFX_API std::vector<std::uint8_t> encodePng(const Image& image);
// Throws ImageError for data that is not a valid PNG or whose size is outside the image limits.
VTLGFX_API Image decodePng(std::span<const std::uint8_t> bytes);
// True when the bytes start with the PNG signature.
VTLGFX_API bool isPng(std::span<const std::uint8_t> bytes);

}  // namespace vtl::gfx
