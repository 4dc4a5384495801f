#pragma once
// Builds .bmp files byte by byte for the reader's tests.
#include <cstdint>
#include <vector>

namespace vtl::gfx::test {

struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& u8(unsigned v) {
        b.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& raw(const std::vector<std::uint8_t>& v) {
        b.insert(b.end(), v.begin(), v.end());
        return *this;
    }
};

struct BmpDesc {
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB, written blue, green, red, 0
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> masks;  // written after the 40-byte header
    std::vector<std::uint8_t> pixels;
};

inline BmpDesc desc(std::int32_t width, std::int32_t height, int bitsPerPixel, std::vector<std::uint32_t> palette = {},
                    std::uint32_t compression = 0) {
    BmpDesc s;
    s.width = width;
    s.height = height;
    s.bitsPerPixel = bitsPerPixel;
    s.palette = std::move(palette);
    s.compression = compression;
    return s;
}

// A file with the 40-byte info header.
inline std::vector<std::uint8_t> bmp(const BmpDesc& s) {
    Bytes table;
    for (std::uint32_t m : s.masks) table.u32(m);
    for (std::uint32_t c : s.palette) table.u8(c & 0xFF).u8((c >> 8) & 0xFF).u8((c >> 16) & 0xFF).u8(0);
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(table.b.size());
    Bytes f;
    f.u8('B').u8('M').u32(static_cast<std::uint32_t>(offset + s.pixels.size())).u32(0).u32(offset);
    f.u32(40).u32(static_cast<std::uint32_t>(s.width)).u32(static_cast<std::uint32_t>(s.height)).u16(1);
    f.u16(static_cast<unsigned>(s.bitsPerPixel)).u32(s.compression).u32(static_cast<std::uint32_t>(s.pixels.size()));
    f.u32(2835).u32(2835).u32(s.coloursUsed).u32(0);
    f.raw(table.b);
    f.raw(s.pixels);
    return f.b;
}

// A file with the old 12-byte core header and 3-byte colour entries.
inline std::vector<std::uint8_t> coreBmp(unsigned width, unsigned height, unsigned bpp,
                                         const std::vector<std::uint32_t>& palette,
                                         const std::vector<std::uint8_t>& pixels) {
    Bytes table;
    for (std::uint32_t c : palette) table.u8(c & 0xFF).u8((c >> 8) & 0xFF).u8((c >> 16) & 0xFF);
    const std::uint32_t offset = 14 + 12 + static_cast<std::uint32_t>(table.b.size());
    Bytes f;
    f.u8('B').u8('M').u32(static_cast<std::uint32_t>(offset + pixels.size())).u32(0).u32(offset);
    f.u32(12).u16(width).u16(height).u16(1).u16(bpp);
    f.raw(table.b).raw(pixels);
    return f.b;
}

}  // namespace vtl::gfx::test
