#include "gfx/bmp.h"

#include "byte_reader.h"
#include "dib.h"
#include "file_io.h"
#include "gfx/image_error.h"

namespace vtl::gfx {

using namespace detail;

Image decodeBmp(std::span<const std::uint8_t> bytes) {
    const ByteReader in(bytes, "bitmap");
    if (in.u8(0, "file header") != 'B' || in.u8(1, "file header") != 'M') in.fail("not a bitmap file (no \"BM\")");
    const std::uint32_t pixelOffset = in.u32(10, "file header");
    const std::uint32_t headerSize = in.u32(14, "bitmap header");
    if (pixelOffset < 14 + std::uint64_t{headerSize}) {
        in.fail("pixel data offset " + std::to_string(pixelOffset) + " points into the headers");
    }
    const DibHeader h = parseDibHeader(in, 14, false, pixelOffset);
    if (pixelOffset < h.tableEnd)
        in.fail("pixel data offset " + std::to_string(pixelOffset) + " points into the colour table");
    if (pixelOffset >= bytes.size())
        in.fail("pixel data offset " + std::to_string(pixelOffset) + " is past the end of the file");
    return decodeDibPixels(in, h, pixelOffset);
}

Image readBmpFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    try {
        return decodeBmp(bytes);
    } catch (const ImageError& e) {
        throw ImageError(path + ": " + e.what());
    }
}

std::vector<std::uint8_t> encodeBmp(const Image& image, int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        throw ImageError("bitmaps are written with 24 or 32 bits per pixel, not " + std::to_string(bitsPerPixel));
    }
    if (image.empty()) throw ImageError("cannot write an empty bitmap");
    const bool alpha = bitsPerPixel == 32;
    const std::uint32_t headerSize = alpha ? 108 : 40;  // 32 bits: the version-4 header states the alpha mask
    const std::uint64_t stride = dibStride(image.width(), bitsPerPixel);
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(image.height());
    const std::uint64_t offset = 14 + headerSize;
    if (offset + pixelBytes > 0xFFFFFFFFu) throw ImageError("bitmap too large to write");

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(offset + pixelBytes));
    out.push_back('B');
    out.push_back('M');
    putU32(out, static_cast<std::uint32_t>(offset + pixelBytes));
    putU32(out, 0);
    putU32(out, static_cast<std::uint32_t>(offset));
    putU32(out, headerSize);
    putU32(out, static_cast<std::uint32_t>(image.width()));
    putU32(out, static_cast<std::uint32_t>(image.height()));  // bottom-up
    putU16(out, 1);
    putU16(out, static_cast<std::uint32_t>(bitsPerPixel));
    putU32(out, alpha ? kBiBitfields : kBiRgb);
    putU32(out, static_cast<std::uint32_t>(pixelBytes));
    putU32(out, 2835);  // 72 dots per inch
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    if (alpha) {
        putU32(out, 0x00FF0000);
        putU32(out, 0x0000FF00);
        putU32(out, 0x000000FF);
        putU32(out, 0xFF000000);
        putU32(out, 0x73524742);       // 'sRGB' colour space
        out.insert(out.end(), 48, 0);  // end points and gamma, unused with sRGB
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (const Rgba& p : image.row(y)) {
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            if (alpha) out.push_back(p.a);
        }
        out.resize(start + static_cast<std::size_t>(stride), 0);
    }
    return out;
}

void writeBmpFile(const std::string& path, const Image& image, int bitsPerPixel) {
    writeFileAtomically(path, encodeBmp(image, bitsPerPixel));
}

}  // namespace vtl::gfx
