#include "cairo_surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gfx/image_error.h"

namespace vtl::gfx::detail {

SurfacePtr surfaceFromImage(const Image& image) {
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width(), image.height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw ImageError("cannot create a drawing surface");
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        const auto src = image.row(y);
        for (int x = 0; x < image.width(); ++x) {
            const Rgba p = src[x];
            const std::uint32_t a = p.a;
            // Opaque pixels (nearly all of them) need no arithmetic: premultiplying by 255 keeps them.
            if (a == 255) {
                row[x] = 0xFF000000u | (std::uint32_t{p.r} << 16) | (std::uint32_t{p.g} << 8) | p.b;
                continue;
            }
            const auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            row[x] = (a << 24) | (pre(p.r) << 16) | (pre(p.g) << 8) | pre(p.b);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

Image imageFromSurface(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) throw ImageError("unexpected pixel format");
    const bool hasAlpha = format == CAIRO_FORMAT_ARGB32;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        auto dst = image.row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = row[x];
            const std::uint32_t a = hasAlpha ? v >> 24 : 255;
            if (a == 255) {  // opaque: the channels are as they are
                dst[x] = {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                          static_cast<std::uint8_t>(v), 255};
                continue;
            }
            const auto un = [a](std::uint32_t c) {
                return static_cast<std::uint8_t>(a == 0 ? 0 : std::min<std::uint32_t>(255, (c * 255 + a / 2) / a));
            };
            dst[x] = {un((v >> 16) & 0xFF), un((v >> 8) & 0xFF), un(v & 0xFF), static_cast<std::uint8_t>(a)};
        }
    }
    return image;
}

}  // namespace vtl::gfx::detail
