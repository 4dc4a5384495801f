// Writes PNG seeds for the PNG harness from pictures of the sample library: png_seeds <out dir> <bmp>...
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "gfx/bmp.h"
#include "gfx/image_error.h"
#include "gfx/png.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_seeds <out dir> <bmp>...\n");
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    for (int i = 2; i < argc; ++i) {
        try {
            const auto bytes = vtl::gfx::encodePng(vtl::gfx::readBmpFile(argv[i]));
            const auto name = std::filesystem::path(argv[i]).stem().string() + ".png";
            std::ofstream(std::filesystem::path(argv[1]) / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        } catch (const vtl::gfx::ImageError& e) {
            std::fprintf(stderr, "%s: %s\n", argv[i], e.what());
            return 1;
        }
    }
    return 0;
}
