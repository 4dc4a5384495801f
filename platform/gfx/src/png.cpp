#include "gfx/png.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "byte_reader.h"
#include "cairo_surface.h"
#include "gfx/image_error.h"

namespace vtl::gfx {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t bigEndian(std::span<const std::uint8_t> b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) | (static_cast<std::uint32_t>(b[at + 1]) << 16) |
           (static_cast<std::uint32_t>(b[at + 2]) << 8) | b[at + 3];
}

struct ReadState {
    std::span<const std::uint8_t> bytes;
    std::size_t offset = 0;
};

cairo_status_t readChunk(void* closure, unsigned char* data, unsigned int length) {
    auto* s = static_cast<ReadState*>(closure);
    if (length > s->bytes.size() - s->offset) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, s->bytes.data() + s->offset, length);
    s->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t writeChunk(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool isPng(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 8 && std::equal(bytes.begin(), bytes.begin() + 8, kSignature);
}

std::vector<std::uint8_t> encodePng(const Image& image) {
    if (image.empty()) throw ImageError("cannot encode an empty image as PNG");
    const detail::SurfacePtr surface = detail::surfaceFromImage(image);
    std::vector<std::uint8_t> out;
    if (cairo_surface_write_to_png_stream(surface.get(), writeChunk, &out) != CAIRO_STATUS_SUCCESS) {
        throw ImageError("PNG encoding failed");
    }
    return out;
}

Image decodePng(std::span<const std::uint8_t> bytes) {
    // Check the header's size before the decoder allocates for it: deflate expands at most about 1032 : 1,
    // so a size the data cannot fill is refused.
    if (!isPng(bytes) || bytes.size() < 33 || bigEndian(bytes, 12) != 0x49484452 /* IHDR */) {
        throw ImageError("PNG: not a PNG image");
    }
    const std::uint32_t width = bigEndian(bytes, 16);
    const std::uint32_t height = bigEndian(bytes, 20);
    const std::uint64_t pixels = std::uint64_t{width} * height;
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide || pixels > kMaxImagePixels ||
        pixels > std::uint64_t{bytes.size()} * 1032 + 65536) {
        throw ImageError("PNG: image size " + std::to_string(width) + " x " + std::to_string(height) +
                         " is outside the supported range");
    }
    ReadState state{bytes, 0};
    const detail::SurfacePtr surface(cairo_image_surface_create_from_png_stream(readChunk, &state));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        throw ImageError(std::string("PNG: ") + cairo_status_to_string(cairo_surface_status(surface.get())));
    }
    return detail::imageFromSurface(surface.get());
}

}  // namespace vtl::gfx
