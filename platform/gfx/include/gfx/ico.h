#pragma once
// The icon file format: the platform's .ico container. A 6-byte directory header (0, type 1, count), one
// 16-byte entry per image (width, height, colour count, 0, planes, bits per pixel, byte size, offset),
// then the images. Each image is either a device-independent bitmap (40-byte header whose height counts
// the colour rows plus the mask rows; 1, 4, 8, 24 or 32 bits per pixel; colour rows followed by a
// 1-bit transparency mask, 1 = transparent) or a complete PNG file.
//
// 32-bit images carry alpha in their fourth byte; when every such byte is zero the 1-bit mask decides.
// This library writes 32-bit bitmap images with both alpha and mask, which every reader of the format
// understands.
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/export.h"
#include "gfx/image.h"

namespace vtl::gfx {

// The images of an icon file in file order; throws ImageError for a malformed file.
VTLGFX_API std::vector<Image> decodeIco(std::span<const std::uint8_t> bytes);
// Throws ImageError when there is no image or an image is empty or larger than 256 x 256.
VTLGFX_API std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images);

}  // namespace vtl::gfx
