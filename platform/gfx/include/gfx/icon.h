#pragma once
// Icons by handle (HICON): one or more images of different sizes (see gfx/ico.h for the file format).
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gfx/export.h"
#include "gfx/geometry.h"
#include "gfx/handles.h"
#include "gfx/image.h"

namespace vtl::gfx {

// Throws nothing: no handle (and the reason in `error`) for an empty list or an empty image.
VTLGFX_API HICON createIcon(std::vector<Image> images, std::string* error = nullptr);
// An icon from the bytes of an .ico file; no handle (and the reason in `error`) when they do not decode.
VTLGFX_API HICON loadIcon(std::span<const std::uint8_t> icoBytes, std::string* error = nullptr);

// The sizes of a live icon's images, smallest first; empty for an unknown handle.
VTLGFX_API std::vector<SIZE> iconSizes(HICON icon);
// The image to show at `size` x `size` pixels: that size if present, else the smallest larger one, else the
// largest. Nothing for an unknown handle.
VTLGFX_API std::shared_ptr<const Image> iconImage(HICON icon, int size = 16);
VTLGFX_API int liveIconCount();

}  // namespace vtl::gfx

// Releases an icon; false for a handle that is not a live icon.
VTLGFX_API bool DestroyIcon(HICON icon);
