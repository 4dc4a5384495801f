// Every bitmap and icon the module uses by number is committed in resources/images and loads at its size.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/bmp.h"
#include "gfx/ico.h"

namespace vtl::gfx {
namespace {

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ResourceImages, EveryNumberedBitmapExistsAtItsSize) {
    struct Expected {
        int number;
        int size;
    };
    const std::vector<Expected> bitmaps = {{8134, 13}, {8136, 13}, {206, 16}, {212, 16}, {217, 16},
                                           {218, 16},  {220, 16},  {221, 16}, {222, 16}, {232, 16},
                                           {233, 16},  {234, 16},  {237, 16}, {240, 16}, {241, 16}};
    for (const Expected& e : bitmaps) {
        const std::string path = std::string(VTL_IMAGES_DIR) + "/" + std::to_string(e.number) + ".bmp";
        try {
            const Image image = readBmpFile(path);
            EXPECT_EQ(image.width(), e.size) << path;
            EXPECT_EQ(image.height(), e.size) << path;
        } catch (const std::exception& ex) {
            ADD_FAILURE() << ex.what();
        }
    }
}

TEST(ResourceImages, EveryNumberedIconExistsWithASixteenPixelImage) {
    const std::vector<int> icons = {148, 206, 212, 217, 223, 224, 225, 226, 227, 228,
                                    231, 232, 233, 234, 235, 236, 238, 239, 240, 241};
    for (int number : icons) {
        const std::string path = std::string(VTL_IMAGES_DIR) + "/" + std::to_string(number) + ".ico";
        try {
            const std::vector<Image> images = decodeIco(readAll(path));
            bool sixteen = false;
            for (const Image& i : images) {
                sixteen = sixteen || (i.width() == 16 && i.height() == 16);
                // Icons have a transparent background and something drawn.
                EXPECT_EQ(i.at(0, 0).a, 0) << path;
                int opaque = 0;
                for (const Rgba& p : i.pixels()) opaque += p.a == 255;
                EXPECT_GT(opaque, i.width() * i.height() / 8) << path;
            }
            EXPECT_TRUE(sixteen) << path;
        } catch (const std::exception& ex) {
            ADD_FAILURE() << path << ": " << ex.what();
        }
    }
}

}  // namespace
}  // namespace vtl::gfx
