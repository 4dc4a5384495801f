#pragma once
// Device-independent bitmap data as .bmp files and icon images hold it: an info header (the old 12-byte
// core header, the OS/2 2.x header, or the 40-byte header and its longer successors), optional bit masks,
// a colour table, and rows of pixels, uncompressed or run-length encoded.
#include <array>
#include <cstdint>
#include <vector>

#include "byte_reader.h"
#include "gfx/image.h"

namespace vtl::gfx::detail {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

struct DibHeader {
    std::size_t headerSize = 0;
    int width = 0;
    int height = 0;  // rows of pixels, always positive
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kBiRgb;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha (bit-field pixels)
    bool explicitAlpha = false;            // the header names an alpha mask
    std::vector<Rgba> palette;
    std::size_t tableEnd = 0;  // offset just past the header, masks and colour table
};

// Reads the header at `offset`. For an icon image the header's height counts the colour rows and the mask
// rows, so it is halved. The colour table must end at or before `tableLimit` (the pixel data's offset in a
// .bmp file).
DibHeader parseDibHeader(const ByteReader& in, std::size_t offset, bool iconImage, std::size_t tableLimit);

// Bytes per row of uncompressed pixels (rows are padded to 4 bytes).
std::uint64_t dibStride(int width, int bitsPerPixel);

// Decodes the pixels at `offset`. Checks that the data is present before allocating anything.
Image decodeDibPixels(const ByteReader& in, const DibHeader& h, std::size_t offset);

}  // namespace vtl::gfx::detail
