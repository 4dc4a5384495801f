#pragma once
// The bridge between Image (straight RGBA) and Cairo's premultiplied native-endian ARGB32 surfaces.
#include <cairo.h>

#include <memory>

#include "gfx/image.h"

namespace vtl::gfx::detail {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

// A new ARGB32 surface holding the image; throws ImageError when Cairo cannot make one.
SurfacePtr surfaceFromImage(const Image& image);
// Copies an ARGB32 or RGB24 surface back into an image of the same size.
Image imageFromSurface(cairo_surface_t* surface);

}  // namespace vtl::gfx::detail
