#pragma once
// Bitmaps by handle (HBITMAP): pictures this library holds until they are deleted. Drawing a bitmap into a
// display list takes its pixels at that moment, so deleting or replacing it later leaves recorded lists
// intact.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "gfx/export.h"
#include "gfx/geometry.h"
#include "gfx/handles.h"
#include "gfx/image.h"

namespace vtl::gfx {

VTLGFX_API HBITMAP createBitmap(Image image);
// A bitmap from the bytes of a .bmp file; no handle (and the reason in `error`) when they do not decode.
VTLGFX_API HBITMAP loadBitmap(std::span<const std::uint8_t> bmpBytes, std::string* error = nullptr);
VTLGFX_API HBITMAP loadBitmapFile(const std::string& path, std::string* error = nullptr);

VTLGFX_API std::optional<SIZE> bitmapSize(HBITMAP bitmap);
// The pixels of a live bitmap, or nothing.
VTLGFX_API std::shared_ptr<const Image> bitmapImage(HBITMAP bitmap);
// Gives a live bitmap new pixels (a memory device drawing into it); false for an unknown handle.
VTLGFX_API bool setBitmapImage(HBITMAP bitmap, Image image);
VTLGFX_API int liveBitmapCount();

// Width and height of a .bmp file; 0 x 0 when it cannot be loaded.
VTLGFX_API SIZE bmpFileSize(const std::string& path);

}  // namespace vtl::gfx

// Releases a bitmap; false for a handle that is not a live bitmap.
VTLGFX_API bool DeleteObject(HBITMAP bitmap);
