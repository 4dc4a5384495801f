// Transparency masks, PNG encoding and icons (.ico files and handles).
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "gfx/ico.h"
#include "gfx/icon.h"
#include "gfx/image_error.h"
#include "gfx/mask.h"
#include "gfx/png.h"

namespace vtl::gfx {
namespace {

TEST(Masks, ExactlyTheTransparentColourBecomesTransparent) {
    // One pixel of each transparent colour, and near misses of each.
    const std::vector<COLORREF> colours = {kTransparentWhite,  RGB(255, 255, 254),  kTransparentLightGrey,
                                           RGB(192, 192, 193), kTransparentMagenta, RGB(254, 0, 255),
                                           RGB(0, 0, 0)};
    Image image(static_cast<int>(colours.size()), 1);
    for (std::size_t i = 0; i < colours.size(); ++i) image.at(static_cast<int>(i), 0) = Rgba::of(colours[i]);
    for (COLORREF transparent : {kTransparentWhite, kTransparentLightGrey, kTransparentMagenta}) {
        const Mask mask = colourMask(image, transparent);
        EXPECT_EQ(mask.transparentCount(), 1);
        const Image masked = withTransparentColour(image, transparent);
        Image applied = image;
        applyMask(applied, mask);
        EXPECT_EQ(masked, applied);
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const bool hit = colours[i] == transparent;
            EXPECT_EQ(mask.transparent(static_cast<int>(i), 0), hit);
            EXPECT_EQ(masked.at(static_cast<int>(i), 0), hit ? kTransparent : image.at(static_cast<int>(i), 0));
        }
    }
    Image wrongSize(2, 2);
    EXPECT_THROW(applyMask(wrongSize, Mask(1, 1)), ImageError);
}

Image checker(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.at(x, y) = (x + y) % 3 == 0
                                 ? kTransparent
                                 : Rgba{static_cast<std::uint8_t>(x * 10), 80, static_cast<std::uint8_t>(y * 20), 255};
        }
    }
    return image;
}

TEST(Png, EncodesTheCanvasSizeAndDecodesBack) {
    const Image image = checker(20, 10);
    const std::vector<std::uint8_t> png = encodePng(image);
    ASSERT_TRUE(isPng(png));
    ASSERT_GT(png.size(), 33u);
    auto be32 = [&](std::size_t at) { return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]; };
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(be32(16), 20);
    EXPECT_EQ(be32(20), 10);
    EXPECT_EQ(decodePng(png), image);
    EXPECT_THROW(encodePng(Image()), ImageError);

    EXPECT_THROW(decodePng(std::vector<std::uint8_t>{1, 2, 3}), ImageError);
    auto cut = png;
    cut.resize(png.size() / 2);
    EXPECT_THROW(decodePng(cut), ImageError);
    auto huge = png;  // a 20000 x 20000 header over a few bytes of data
    huge[16] = 0, huge[17] = 0, huge[18] = 0x4E, huge[19] = 0x20;
    huge[20] = 0, huge[21] = 0, huge[22] = 0x4E, huge[23] = 0x20;
    EXPECT_THROW(decodePng(huge), ImageError);
}

TEST(Icons, RoundTripWithAlphaAndMaskAndChooseTheirSize) {
    const Image small = checker(16, 16);
    const Image large = checker(32, 32);
    const std::vector<std::uint8_t> ico = encodeIco({large, small});
    const std::vector<Image> back = decodeIco(ico);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], large);
    EXPECT_EQ(back[1], small);

    const HICON icon = loadIcon(ico);
    ASSERT_TRUE(icon);
    EXPECT_EQ(iconSizes(icon), (std::vector<SIZE>{{16, 16}, {32, 32}}));
    EXPECT_EQ(*iconImage(icon, 16), small);
    EXPECT_EQ(*iconImage(icon, 20), large) << "the smallest larger image";
    EXPECT_EQ(*iconImage(icon, 48), large) << "else the largest";
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(iconImage(icon));

    // A 4-bit icon image: colours from its table, transparency from the 1-bit mask.
    test::Bytes img;
    img.u32(40).u32(2).u32(4).u16(1).u16(4).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    for (int i = 0; i < 16; ++i) img.u8(i * 16).u8(0).u8(255 - i * 16).u8(0);
    img.u8(0x12).u8(0).u8(0).u8(0).u8(0x34).u8(0).u8(0).u8(0);  // colour rows, bottom first
    img.u8(0x40).u8(0).u8(0).u8(0).u8(0x80).u8(0).u8(0).u8(0);  // mask rows: bottom right, top left
    test::Bytes file;
    file.u16(0).u16(1).u16(1).u8(2).u8(2).u8(16).u8(0).u16(1).u16(4);
    file.u32(static_cast<std::uint32_t>(img.b.size())).u32(22).raw(img.b);
    const std::vector<Image> four = decodeIco(file.b);
    ASSERT_EQ(four.size(), 1u);
    EXPECT_EQ(four[0].at(0, 0), kTransparent);
    EXPECT_EQ(four[0].at(1, 0), (Rgba{255 - 64, 0, 64, 255}));
    EXPECT_EQ(four[0].at(0, 1), (Rgba{255 - 16, 0, 16, 255}));
    EXPECT_EQ(four[0].at(1, 1), kTransparent);

    // Malformed: each fails with a reason, and no handle.
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back({});
    bad.push_back({0, 0, 1, 0, 0, 0});  // no image
    auto outside = file.b;
    outside[18] = 0xFF;  // offset past the end
    bad.push_back(outside);
    auto shortMask = file.b;
    shortMask.resize(shortMask.size() - 5);
    shortMask[14] = static_cast<std::uint8_t>(img.b.size() - 5);
    bad.push_back(shortMask);
    auto wrongType = file.b;
    wrongType[2] = 2;
    bad.push_back(wrongType);
    for (const auto& b : bad) {
        std::string error;
        EXPECT_FALSE(loadIcon(b, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_THROW(decodeIco(b), ImageError);
    }
    EXPECT_THROW(encodeIco({}), ImageError);
    EXPECT_THROW(encodeIco({Image(300, 300)}), ImageError);
}

TEST(Icons, EntriesSharingOneLargePictureAreRefusedBeforeTheyFillMemory) {
    // 256 directory entries that all point at one 1024 x 1024 PNG: a few kilobytes naming a gigabyte.
    const std::vector<std::uint8_t> png = encodePng(Image(1024, 1024));
    test::Bytes file;
    file.u16(0).u16(1).u16(256);
    const std::uint32_t at = 6 + 256 * 16;
    for (int i = 0; i < 256; ++i) file.u8(0).u8(0).u8(0).u8(0).u16(1).u16(32).u32(static_cast<std::uint32_t>(png.size())).u32(at);
    file.raw(png);
    try {
        decodeIco(file.b);
        ADD_FAILURE() << "256 large images decoded";
    } catch (const ImageError& e) {
        EXPECT_NE(std::string(e.what()).find("too large together"), std::string::npos) << e.what();
    }
    // Four of them together stay within bounds.
    file.b[4] = 4, file.b[5] = 0;
    EXPECT_EQ(decodeIco(file.b).size(), 4u);
}

}  // namespace
}  // namespace vtl::gfx
