#include "gfx/ico.h"

#include <string>

#include "byte_reader.h"
#include "dib.h"
#include "gfx/image_error.h"
#include "gfx/png.h"

namespace vtl::gfx {

using namespace detail;

namespace {

constexpr int kMaxIconSide = 1024;
constexpr std::size_t kMaxIconImages = 256;
// All images of one file together: real icons hold a few images of at most 256 x 256, while a small
// hostile file can point all its entries at one large picture.
constexpr std::uint64_t kMaxIconPixels = 4u * 1024u * 1024u;

Image decodeIconDib(const ByteReader& in, std::size_t offset, std::size_t end) {
    const DibHeader h = parseDibHeader(in, offset, true, end);
    if (h.compression != kBiRgb) in.fail("icon images must be uncompressed");
    if (h.topDown) in.fail("icon images cannot be top-down");
    if (h.width > kMaxIconSide || h.height > kMaxIconSide) in.fail("icon image too large");
    // The colour rows, then the mask rows; `in` ends where the entry's bytes end.
    Image image = decodeDibPixels(in, h, h.tableEnd);
    const std::uint64_t colourBytes = dibStride(h.width, h.bitsPerPixel) * static_cast<std::uint64_t>(h.height);
    const std::uint64_t maskStride = dibStride(h.width, 1);
    const std::uint64_t maskAt = h.tableEnd + colourBytes;
    const bool usesAlpha = h.bitsPerPixel == 32 && [&] {
        for (const Rgba& p : image.pixels()) {
            if (p.a != 255) return true;
        }
        return false;
    }();
    if (usesAlpha) return image;  // alpha decides; the mask is redundant and may be absent
    if (maskAt + maskStride * static_cast<std::uint64_t>(h.height) > end) in.fail("truncated icon mask");
    for (int r = 0; r < h.height; ++r) {
        const std::size_t row = static_cast<std::size_t>(maskAt + maskStride * static_cast<std::uint64_t>(r));
        const int y = h.height - 1 - r;
        for (int x = 0; x < h.width; ++x) {
            if ((in.u8(row + static_cast<std::size_t>(x / 8), "icon mask") >> (7 - x % 8)) & 1)
                image.at(x, y) = kTransparent;
        }
    }
    return image;
}

}  // namespace

std::vector<Image> decodeIco(std::span<const std::uint8_t> bytes) {
    const ByteReader in(bytes, "icon");
    if (in.u16(0, "icon header") != 0 || in.u16(2, "icon header") != 1) in.fail("not an icon file");
    const std::size_t count = in.u16(4, "icon header");
    if (count == 0) in.fail("icon file holds no image");
    if (count > kMaxIconImages) in.fail("icon file names too many images");
    in.require(6, count * 16, "icon directory");
    std::vector<Image> images;
    images.reserve(count);
    std::uint64_t pixels = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t e = 6 + i * 16;
        const std::uint32_t size = in.u32(e + 8, "icon directory");
        const std::uint32_t offset = in.u32(e + 12, "icon directory");
        if (offset < 6 + count * 16 || !in.has(offset, size)) {
            in.fail("icon image " + std::to_string(i) + " lies outside the file");
        }
        const std::span<const std::uint8_t> data = bytes.subspan(offset, size);
        try {
            if (isPng(data)) {
                Image png = decodePng(data);
                if (png.width() > kMaxIconSide || png.height() > kMaxIconSide) in.fail("icon image too large");
                images.push_back(std::move(png));
            } else {
                images.push_back(decodeIconDib(ByteReader(bytes.first(offset + size), "icon"), offset, offset + size));
            }
        } catch (const ImageError& e) {
            throw ImageError("icon image " + std::to_string(i) + ": " + e.what());
        }
        pixels += static_cast<std::uint64_t>(images.back().width()) * static_cast<std::uint64_t>(images.back().height());
        if (pixels > kMaxIconPixels) in.fail("icon images too large together");
    }
    return images;
}

std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images) {
    if (images.empty()) throw ImageError("an icon needs at least one image");
    if (images.size() > kMaxIconImages) throw ImageError("too many icon images");
    std::vector<std::vector<std::uint8_t>> blobs;
    for (const Image& image : images) {
        if (image.empty() || image.width() > 256 || image.height() > 256) {
            throw ImageError("icon images are 1 to 256 pixels wide and high");
        }
        std::vector<std::uint8_t> b;
        putU32(b, 40);
        putU32(b, static_cast<std::uint32_t>(image.width()));
        putU32(b, static_cast<std::uint32_t>(image.height() * 2));
        putU16(b, 1);
        putU16(b, 32);
        putU32(b, kBiRgb);
        const std::uint64_t maskStride = dibStride(image.width(), 1);
        putU32(b, static_cast<std::uint32_t>((4 * static_cast<std::uint64_t>(image.width()) + maskStride) *
                                             static_cast<std::uint64_t>(image.height())));
        for (int k = 0; k < 4; ++k) putU32(b, 0);
        for (int y = image.height() - 1; y >= 0; --y) {
            for (const Rgba& p : image.row(y)) {
                b.push_back(p.b);
                b.push_back(p.g);
                b.push_back(p.r);
                b.push_back(p.a);
            }
        }
        for (int y = image.height() - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
            for (int x = 0; x < image.width(); ++x) {
                if (image.at(x, y).a < 128)
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            b.insert(b.end(), row.begin(), row.end());
        }
        blobs.push_back(std::move(b));
    }
    std::vector<std::uint8_t> out;
    putU16(out, 0);
    putU16(out, 1);
    putU16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width() == 256 ? 0 : images[i].width()));
        out.push_back(static_cast<std::uint8_t>(images[i].height() == 256 ? 0 : images[i].height()));
        out.push_back(0);  // no colour table
        out.push_back(0);
        putU16(out, 1);
        putU16(out, 32);
        putU32(out, static_cast<std::uint32_t>(blobs[i].size()));
        putU32(out, offset);
        offset += static_cast<std::uint32_t>(blobs[i].size());
    }
    for (const auto& b : blobs) out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace vtl::gfx
