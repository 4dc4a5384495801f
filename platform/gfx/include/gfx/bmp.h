#pragma once
// Reading and writing .bmp files.
//
// Reads 1, 4 and 8 bits per pixel with a colour table, 16 and 32 bits (plain or with bit masks), 24 bits,
// bottom-up and top-down rows, 4- and 8-bit run-length encoding, and the old 12-byte OS/2 core header.
// Writes 24 bits (alpha dropped) or 32 bits (alpha kept, stated by a bit mask).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx/export.h"
#include "gfx/image.h"

namespace vtl::gfx {

// Throws ImageError for a truncated, malformed, unsupported or oversized file.
VTLGFX_API Image decodeBmp(std::span<const std::uint8_t> bytes);
// Throws ImageError when the file cannot be read or decoded; the message names the path.
VTLGFX_API Image readBmpFile(const std::string& path);

// bitsPerPixel is 24 or 32; throws ImageError for an empty image or another depth.
VTLGFX_API std::vector<std::uint8_t> encodeBmp(const Image& image, int bitsPerPixel = 24);
// Replaces the file atomically (written beside it, then renamed); throws ImageError on failure.
VTLGFX_API void writeBmpFile(const std::string& path, const Image& image, int bitsPerPixel = 24);

}  // namespace vtl::gfx
