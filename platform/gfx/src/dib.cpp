#include "dib.h"

#include <bit>
#include <string>

namespace vtl::gfx::detail {
namespace {

constexpr Rgba kOpaqueBlack{0, 0, 0, 255};

bool isOs2V2Size(std::size_t size) {
    return size >= 16 && size <= 64 && size != 40 && size != 52 && size != 56;
}

// One channel from a bit-field pixel, scaled to 8 bits.
std::uint8_t channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint32_t v = (value & mask) >> shift;
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
}

bool contiguous(std::uint32_t mask) {
    if (mask == 0) return true;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

void readPalette(const ByteReader& in, DibHeader& h, std::size_t at, std::size_t entries, std::size_t entrySize,
                 std::size_t tableLimit) {
    const std::size_t bytes = entries * entrySize;
    if (at + bytes > tableLimit || !in.has(at, bytes)) {
        in.fail("colour table too short: " + std::to_string(entries) + " colours do not fit before the pixels");
    }
    h.palette.reserve(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t p = at + i * entrySize;
        h.palette.push_back(
            {in.u8(p + 2, "colour table"), in.u8(p + 1, "colour table"), in.u8(p, "colour table"), 255});
    }
    h.tableEnd = at + bytes;
}

Rgba paletteColour(const DibHeader& h, unsigned index) {
    return index < h.palette.size() ? h.palette[index] : kOpaqueBlack;
}

int imageRow(const DibHeader& h, int fileRow) {
    return h.topDown ? fileRow : h.height - 1 - fileRow;
}

// Run-length encoded pixels (4 or 8 bits per index). Pixels the data skips stay transparent, as the
// platform leaves them undrawn.
Image decodeRle(const ByteReader& in, const DibHeader& h, std::size_t offset) {
    const std::span<const std::uint8_t> data = in.rest(offset);
    // Runs expand at most 255 pixels per 2 bytes; a claimed size far beyond that is not backed by the file.
    const std::int64_t pixels = std::int64_t{h.width} * h.height;
    const std::int64_t justified = std::max<std::int64_t>(65536, static_cast<std::int64_t>(data.size()) * 256);
    if (pixels > justified) in.fail("run-length data too short for an image of " + std::to_string(pixels) + " pixels");
    Image image(h.width, h.height, kTransparent);
    const bool four = h.compression == kBiRle4;
    std::size_t p = 0;
    int x = 0;
    int row = 0;  // counted from the bottom
    auto need = [&](std::size_t n) {
        if (n > data.size() - p) in.fail("truncated run-length data");
    };
    // Runs that pass the end of a row are common (writers pad rows that way): the pixels past the
    // row's end are dropped. Data past the last row is a damaged file.
    auto put = [&](unsigned index) {
        if (row >= h.height) in.fail("run-length data past the end of the image");
        if (x >= h.width) return;
        image.at(x, imageRow(h, row)) = paletteColour(h, index);
        ++x;
    };
    while (p < data.size()) {
        need(2);
        const unsigned count = data[p];
        const unsigned value = data[p + 1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) put(four ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of bitmap
            return image;
        } else if (value == 2) {  // delta
            need(2);
            const int dx = data[p];
            const int dy = data[p + 1];
            p += 2;
            x += dx;
            row += dy;
            if (x > h.width || row > h.height) in.fail("run-length delta moves past the end of the image");
        } else {  // absolute run of `value` indices, padded to an even number of bytes
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            need(bytes);
            for (unsigned i = 0; i < value; ++i) {
                const unsigned byte = data[p + (four ? i / 2 : i)];
                put(four ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
            }
            p += bytes + (bytes % 2);
            if (p > data.size()) p = data.size();  // a missing pad byte at the very end is harmless
        }
    }
    return image;  // data ended without an end-of-bitmap mark: keep what was decoded
}

}  // namespace

std::uint64_t dibStride(int width, int bitsPerPixel) {
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) + 31) / 32 * 4;
}

DibHeader parseDibHeader(const ByteReader& in, std::size_t offset, bool iconImage, std::size_t tableLimit) {
    DibHeader h;
    h.headerSize = in.u32(offset, "bitmap header");
    const std::size_t size = h.headerSize;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::size_t entrySize = 4;
    std::size_t colours = 0;
    if (size == 12) {  // the old OS/2 core header: 16-bit sizes, always bottom-up, 3-byte colour entries
        in.require(offset, size, "bitmap header");
        width = in.u16(offset + 4, "bitmap header");
        height = in.u16(offset + 6, "bitmap header");
        h.bitsPerPixel = in.u16(offset + 10, "bitmap header");
        entrySize = 3;
    } else if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124 || isOs2V2Size(size)) {
        in.require(offset, size, "bitmap header");
        width = in.i32(offset + 4, "bitmap header");
        height = in.i32(offset + 8, "bitmap header");
        h.bitsPerPixel = in.u16(offset + 14, "bitmap header");
        if (size >= 20) h.compression = in.u32(offset + 16, "bitmap header");
        if (size >= 36) colours = in.u32(offset + 32, "bitmap header");
        if (isOs2V2Size(size) && h.compression > kBiRle4) {
            in.fail("OS/2 compression " + std::to_string(h.compression) + " is not supported");
        }
    } else {
        in.fail("unknown bitmap header size " + std::to_string(size));
    }

    if (iconImage) height /= 2;
    if (width <= 0) in.fail("bitmap width " + std::to_string(width) + " is not positive");
    if (height == 0) in.fail("bitmap height is zero");
    h.topDown = height < 0;
    if (h.topDown) height = -height;
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels) {
        in.fail("bitmap size " + std::to_string(width) + " x " + std::to_string(height) + " is too large");
    }
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(height);

    const int bpp = h.bitsPerPixel;
    switch (h.compression) {
        case kBiRgb:
            if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
                in.fail(std::to_string(bpp) + " bits per pixel is not supported");
            }
            if (size == 12 && bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) {
                in.fail(std::to_string(bpp) + " bits per pixel is not valid with the core header");
            }
            break;
        case kBiRle8:
        case kBiRle4:
            if (bpp != (h.compression == kBiRle8 ? 8 : 4)) in.fail("run-length encoding does not match the bit depth");
            if (h.topDown) in.fail("a run-length encoded bitmap cannot be top-down");
            if (iconImage) in.fail("an icon image cannot be run-length encoded");
            break;
        case kBiBitfields:
            if (bpp != 16 && bpp != 32) in.fail("bit-field masks need 16 or 32 bits per pixel");
            break;
        default:
            in.fail("compression " + std::to_string(h.compression) + " is not supported");
    }

    std::size_t at = offset + size;
    if (bpp == 16 && h.compression == kBiRgb) {
        h.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (bpp == 32 && h.compression == kBiRgb) {
        h.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    } else if (h.compression == kBiBitfields) {
        if (size >= 52) {
            for (int i = 0; i < 3; ++i) h.masks[i] = in.u32(offset + 40 + 4 * i, "bit masks");
            if (size >= 56) {
                h.masks[3] = in.u32(offset + 52, "bit masks");
                h.explicitAlpha = h.masks[3] != 0;
            }
        } else {  // the 40-byte header is followed by three masks
            for (int i = 0; i < 3; ++i) h.masks[i] = in.u32(at + 4 * i, "bit masks");
            at += 12;
        }
        for (std::uint32_t m : h.masks) {
            if (!contiguous(m)) in.fail("bit masks are not contiguous");
        }
    }

    h.tableEnd = at;
    if (bpp <= 8) {
        const std::size_t full = std::size_t{1} << bpp;
        const std::size_t entries = (size == 12 || colours == 0 || colours > full) ? full : colours;
        readPalette(in, h, at, entries, entrySize, tableLimit);
    }
    return h;
}

Image decodeDibPixels(const ByteReader& in, const DibHeader& h, std::size_t offset) {
    if (h.compression == kBiRle8 || h.compression == kBiRle4) return decodeRle(in, h, offset);

    const int bpp = h.bitsPerPixel;
    const std::uint64_t stride = dibStride(h.width, bpp);
    const std::uint64_t lastRow = (static_cast<std::uint64_t>(h.width) * bpp + 7) / 8;
    // The final row's padding may be missing; everything else must be there.
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(h.height - 1) + lastRow;
    if (offset > in.size() || needed > in.size() - offset) {
        in.fail("truncated pixel data: " + std::to_string(needed) + " bytes needed, " +
                std::to_string(offset > in.size() ? 0 : in.size() - offset) + " present");
    }
    const std::span<const std::uint8_t> data = in.span(offset, static_cast<std::size_t>(needed), "pixel data");

    Image image(h.width, h.height);
    bool anyAlpha = false;
    for (int r = 0; r < h.height; ++r) {
        const std::uint8_t* src = data.data() + static_cast<std::size_t>(stride) * static_cast<std::size_t>(r);
        std::span<Rgba> dst = image.row(imageRow(h, r));
        for (int x = 0; x < h.width; ++x) {
            Rgba p;
            switch (bpp) {
                case 1:
                    p = paletteColour(h, (src[x / 8] >> (7 - x % 8)) & 1);
                    break;
                case 4:
                    p = paletteColour(h, (x % 2 == 0) ? src[x / 2] >> 4 : src[x / 2] & 0x0F);
                    break;
                case 8:
                    p = paletteColour(h, src[x]);
                    break;
                case 24:
                    p = {src[3 * x + 2], src[3 * x + 1], src[3 * x], 255};
                    break;
                case 16:
                case 32: {
                    const std::uint32_t v = bpp == 16 ? static_cast<std::uint32_t>(src[2 * x] | (src[2 * x + 1] << 8))
                                                      : static_cast<std::uint32_t>(src[4 * x]) |
                                                            (static_cast<std::uint32_t>(src[4 * x + 1]) << 8) |
                                                            (static_cast<std::uint32_t>(src[4 * x + 2]) << 16) |
                                                            (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
                    p = {channel(v, h.masks[0]), channel(v, h.masks[1]), channel(v, h.masks[2]), 255};
                    if (h.explicitAlpha) {
                        p.a = channel(v, h.masks[3]);
                    } else if (bpp == 32 && h.compression == kBiRgb) {
                        // The fourth byte of plain 32-bit pixels is alpha only when some pixel uses it.
                        p.a = static_cast<std::uint8_t>(v >> 24);
                        anyAlpha = anyAlpha || p.a != 0;
                    }
                    break;
                }
                default:
                    in.fail("unsupported bit depth");
            }
            dst[x] = p;
        }
    }
    if (bpp == 32 && h.compression == kBiRgb && !h.explicitAlpha && !anyAlpha) {
        for (Rgba& p : image.pixels()) p.a = 255;
    }
    return image;
}

}  // namespace vtl::gfx::detail
