// .bmp files of every supported kind are built byte by byte and must read back to the pixels written;
// malformed files must fail with an error, never crash or allocate for a size the data cannot back.
#include "gfx/bmp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bmp_builder.h"
#include "gfx/bitmap.h"
#include "gfx/image_error.h"

namespace vtl::gfx {
namespace {

using test::bmp;
using test::BmpDesc;

constexpr std::uint32_t T = 0x1000000;  // a transparent pixel in expectations

Rgba px(std::uint32_t rrggbb) {
    if (rrggbb == T) return kTransparent;
    return {static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
            static_cast<std::uint8_t>(rrggbb), 255};
}

// Rows top to bottom.
void expectPixels(const Image& image, const std::vector<std::vector<std::uint32_t>>& rows) {
    ASSERT_EQ(image.height(), static_cast<int>(rows.size()));
    for (int y = 0; y < image.height(); ++y) {
        ASSERT_EQ(image.width(), static_cast<int>(rows[y].size()));
        for (int x = 0; x < image.width(); ++x) EXPECT_EQ(image.at(x, y), px(rows[y][x])) << "at " << x << "," << y;
    }
}

std::vector<std::uint32_t> ramp16() {
    std::vector<std::uint32_t> p;
    for (std::uint32_t i = 0; i < 16; ++i) p.push_back((i * 16) << 16 | (255 - i * 16) << 8 | i);
    return p;
}

TEST(BmpRead, PaletteDepthsBothRowOrders) {
    // 1 bit, 10 wide (a row crosses a byte), bottom-up: the first stored row is the bottom one.
    BmpDesc one = test::desc(10, 2, 1, {0xFF0000, 0x0000FF});
    one.pixels = {0b10101010, 0b10000000, 0, 0, 0b11110000, 0b01000000, 0, 0};
    constexpr std::uint32_t R = 0xFF0000, B = 0x0000FF;
    expectPixels(decodeBmp(bmp(one)), {{B, B, B, B, R, R, R, R, R, B}, {B, R, B, R, B, R, B, R, B, R}});

    // 4 bits, top-down.
    const auto p = ramp16();
    BmpDesc four = test::desc(3, -2, 4, p);
    four.pixels = {0x12, 0x30, 0, 0, 0xF0, 0xA0, 0, 0};
    expectPixels(decodeBmp(bmp(four)), {{p[1], p[2], p[3]}, {p[15], p[0], p[10]}});

    // 8 bits with a short colour table: an index beyond it reads as black.
    BmpDesc eight = test::desc(2, 2, 8, {0x112233, 0x445566, 0x778899});
    eight.coloursUsed = 3;
    eight.pixels = {2, 5, 0, 0, 0, 1, 0, 0};
    expectPixels(decodeBmp(bmp(eight)), {{0x112233, 0x445566}, {0x778899, 0x000000}});
}

TEST(BmpRead, DirectColourDepths) {
    BmpDesc rgb24 = test::desc(3, 2, 24);
    rgb24.pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0, 0,   // bottom row
                    0xFF, 0,    0,    0,    0xFF, 0,    0,    0,    0xFF, 0, 0, 0};  // top row
    expectPixels(decodeBmp(bmp(rgb24)), {{0x0000FF, 0x00FF00, 0xFF0000}, {0x030201, 0x060504, 0x090807}});

    // 32 bits whose fourth bytes are all zero: opaque.
    BmpDesc x32 = test::desc(2, -1, 32);
    x32.pixels = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
    expectPixels(decodeBmp(bmp(x32)), {{0x302010, 0x605040}});

    // 32 bits using the fourth byte: straight alpha.
    x32.pixels = {0x10, 0x20, 0x30, 0x80, 0x40, 0x50, 0x60, 0x00};
    const Image alpha = decodeBmp(bmp(x32));
    EXPECT_EQ(alpha.at(0, 0), (Rgba{0x30, 0x20, 0x10, 0x80}));
    EXPECT_EQ(alpha.at(1, 0).a, 0);

    // 16 bits: 5-5-5 by default, 5-6-5 by bit masks (each channel scaled to 8 bits).
    BmpDesc x16 = test::desc(2, 1, 16);
    x16.pixels = {0x00, 0x7C, 0x1F, 0x00};  // pure red, pure blue
    expectPixels(decodeBmp(bmp(x16)), {{0xFF0000, 0x0000FF}});
    BmpDesc m565 = test::desc(2, 1, 16, {}, 3);
    m565.masks = {0xF800, 0x07E0, 0x001F};
    m565.pixels = {0xE0, 0x07, 0x10, 0x84};  // pure green; 0x8410 = half of each
    expectPixels(decodeBmp(bmp(m565)), {{0x00FF00, 0x848284}});
}

TEST(BmpRead, CoreHeaderAndRunLengthEncoding) {
    const auto p = ramp16();
    expectPixels(decodeBmp(test::coreBmp(2, 2, 4, p, {0x45, 0, 0, 0, 0x9C, 0, 0, 0})), {{p[9], p[12]}, {p[4], p[5]}});

    // RLE8: runs, an absolute run with its pad byte, end of line, a delta and end of bitmap. Skipped
    // pixels stay transparent.
    BmpDesc rle8 = test::desc(4, 3, 8, {0x000000, 0x111111, 0x222222, 0x333333}, 1);
    rle8.coloursUsed = 4;
    rle8.pixels = {3, 1, 1, 2, 0, 0,         // bottom row: 1 1 1 2
                   0, 3, 1, 2, 3, 0, 0, 0,   // middle row: 1 2 3, the rest skipped
                   0, 2, 1, 0, 2, 3, 0, 1};  // top row: skip one, 3 3, end
    expectPixels(
        decodeBmp(bmp(rle8)),
        {{T, 0x333333, 0x333333, T}, {0x111111, 0x222222, 0x333333, T}, {0x111111, 0x111111, 0x111111, 0x222222}});

    // RLE4: alternating nibbles in a run; an odd absolute run of five nibbles (three bytes, one pad).
    BmpDesc rle4 = test::desc(5, 2, 4, p, 2);
    rle4.pixels = {5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1};
    expectPixels(decodeBmp(bmp(rle4)), {{p[3], p[4], p[5], p[6], p[7]}, {p[1], p[2], p[1], p[2], p[1]}});
}

Image sample(bool withAlpha) {
    Image image(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            image.at(x, y) = {static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 51),
                              static_cast<std::uint8_t>(x * y * 9),
                              static_cast<std::uint8_t>(withAlpha ? (x + y) * 20 : 255)};
        }
    }
    return image;
}

TEST(BmpWrite, RoundTripsThroughBytesAndFiles) {
    EXPECT_EQ(decodeBmp(encodeBmp(sample(true), 32)), sample(true));
    EXPECT_EQ(decodeBmp(encodeBmp(sample(false), 24)), sample(false));
    Image opaque = sample(true);  // 24 bits drops alpha
    for (Rgba& p : opaque.pixels()) p.a = 255;
    EXPECT_EQ(decodeBmp(encodeBmp(sample(true), 24)), opaque);
    EXPECT_THROW(encodeBmp(sample(false), 16), ImageError);
    EXPECT_THROW(encodeBmp(Image(), 24), ImageError);

    const auto dir = std::filesystem::temp_directory_path() / ("gfx_bmp_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "picture.bmp").string();
    writeBmpFile(path, sample(false));
    EXPECT_EQ(readBmpFile(path), sample(false));
    writeBmpFile(path, sample(true), 32);  // replaces the file
    EXPECT_EQ(readBmpFile(path), sample(true));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file left behind";

    // Bitmaps by handle, and the size query that answers 0 x 0 for anything it cannot load.
    const HBITMAP h = loadBitmapFile(path);
    ASSERT_TRUE(h);
    EXPECT_EQ(bitmapSize(h), (SIZE{7, 5}));
    EXPECT_EQ(*bitmapImage(h), sample(true));
    EXPECT_EQ(bmpFileSize(path), (SIZE{7, 5}));
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_FALSE(DeleteObject(h));
    EXPECT_FALSE(bitmapSize(h));
    EXPECT_EQ(bmpFileSize((dir / "missing.bmp").string()), (SIZE{0, 0}));
    std::ofstream(dir / "broken.bmp") << "BM garbage";
    EXPECT_EQ(bmpFileSize((dir / "broken.bmp").string()), (SIZE{0, 0}));
    EXPECT_EQ(bmpFileSize(dir.string()), (SIZE{0, 0})) << "a folder is no bitmap";
    std::string error;
    EXPECT_FALSE(loadBitmapFile((dir / "broken.bmp").string(), &error));
    EXPECT_NE(error.find("broken.bmp"), std::string::npos) << error;
    std::filesystem::remove_all(dir);
}

std::vector<std::uint8_t> valid8() {
    BmpDesc s = test::desc(2, 2, 8, {0, 0xFFFFFF});
    s.coloursUsed = 2;
    s.pixels = {0, 1, 0, 0, 1, 0, 0, 0};
    return bmp(s);
}

void expectRejected(const std::vector<std::uint8_t>& bytes, const std::string& why) {
    std::string error;
    EXPECT_FALSE(loadBitmap(bytes, &error)) << why;
    EXPECT_FALSE(error.empty()) << why;
    EXPECT_THROW(decodeBmp(bytes), ImageError) << why;
}

TEST(BmpRead, MalformedFilesFailCleanly) {
    ASSERT_NO_THROW(decodeBmp(valid8()));
    for (std::size_t n : {0, 1, 2, 13, 14, 20, 53, 58, 62, 65}) {
        auto cut = valid8();
        cut.resize(n);
        expectRejected(cut, "truncated to " + std::to_string(n));
    }
    auto notBm = valid8();
    notBm[0] = 'X';
    expectRejected(notBm, "no signature");

    BmpDesc s = test::desc(2, 2, 24);
    s.pixels.assign(16, 0);
    ASSERT_NO_THROW(decodeBmp(bmp(s)));
    for (auto [w, h] : {std::pair{-2, 2}, {0, 2}, {2, 0}, {100000, 2}, {2, INT32_MIN}, {30000, 30000}, {40000, 1}}) {
        BmpDesc bad = s;
        bad.width = w;
        bad.height = h;
        expectRejected(bmp(bad), "size " + std::to_string(w) + " x " + std::to_string(h));
    }
    // Pixel offsets into the headers or past the end.
    for (std::uint32_t offset : {0u, 20u, 53u, 70u, 0xFFFFFFF0u}) {
        auto bad = bmp(s);
        ASSERT_EQ(bad.size(), 70u);
        for (int i = 0; i < 4; ++i) bad[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
        expectRejected(bad, "offset " + std::to_string(offset));
    }
    // A colour table that does not fit before the pixels: 256 colours claimed, two present.
    BmpDesc palette = test::desc(2, 2, 8, {0, 0xFFFFFF});
    palette.pixels.assign(8, 0);
    expectRejected(bmp(palette), "colour table too short");
    // Unsupported or inconsistent forms.
    for (auto [bpp, compression] : {std::pair{2, 0u}, {8, 2u}, {4, 1u}, {24, 3u}, {8, 4u}, {8, 5u}, {0, 0u}}) {
        BmpDesc bad = test::desc(2, 2, bpp, std::vector<std::uint32_t>(bpp && bpp <= 8 ? 1u << bpp : 0u), compression);
        bad.pixels.assign(16, 0);
        expectRejected(bmp(bad), "bpp " + std::to_string(bpp) + " compression " + std::to_string(compression));
    }
    auto header = valid8();
    header[14] = 41;  // unknown header size
    expectRejected(header, "header size");
    BmpDesc masks = test::desc(1, 1, 32, {}, 3);
    masks.masks = {0xF0F0, 0xFF0000, 0xFF};
    masks.pixels.assign(4, 0);
    expectRejected(bmp(masks), "bit masks with holes");
}

TEST(BmpRead, MalformedRunLengthDataFailsCleanly) {
    const std::vector<std::uint32_t> pal = {0, 0xFFFFFF};
    auto rle = [&](int w, int h, std::vector<std::uint8_t> data, std::uint32_t compression = 1) {
        BmpDesc s = test::desc(w, h, compression == 1 ? 8 : 4, pal, compression);
        s.coloursUsed = 2;
        s.pixels = std::move(data);
        return bmp(s);
    };
    ASSERT_NO_THROW(decodeBmp(rle(2, 1, {2, 1, 0, 1})));
    // Runs past a row's end (padding some writers add) lose only the pixels beyond the row.
    for (const auto& [data, compression] : std::vector<std::pair<std::vector<std::uint8_t>, std::uint32_t>>{
             {{3, 1, 0, 1}, 1}, {{0, 3, 1, 1, 1, 0, 0, 1}, 1}, {{3, 0x11, 0, 1}, 2}}) {
        const Image image = decodeBmp(rle(2, 1, data, compression));
        EXPECT_EQ(image.width(), 2);
        EXPECT_NE(image.at(1, 0), kTransparent);
    }
    {
        // The next line starts at its own beginning, not where the long run stopped.
        const Image image = decodeBmp(rle(2, 2, {4, 1, 0, 0, 1, 0, 0, 1}));
        EXPECT_NE(image.at(1, 1), kTransparent);  // bottom row: two of the four pixels
        EXPECT_NE(image.at(0, 0), kTransparent);  // top row: one pixel from its start
        EXPECT_EQ(image.at(1, 0), kTransparent);
    }
    expectRejected(rle(2, 1, {2, 1, 0, 0, 1, 1, 0, 1}), "run past the last row");
    expectRejected(rle(2, 2, {0, 2, 0, 5, 1, 1}), "delta past the image");
    expectRejected(rle(2, 1, {0, 2, 3, 0}), "delta past the row");
    expectRejected(rle(4, 1, {0, 4, 1, 1}), "absolute run cut short");
    expectRejected(rle(2, 1, {2}), "half a code");
    expectRejected(rle(2, -1, {2, 1, 0, 1}), "top-down RLE");
    // A huge size claimed by a few bytes of runs is refused before anything is allocated.
    expectRejected(rle(8000, 8000, {0, 1}), "size not backed by data");
}

}  // namespace
}  // namespace vtl::gfx
