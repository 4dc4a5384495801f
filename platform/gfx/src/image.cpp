#include "gfx/image.h"

#include <algorithm>
#include <string>

#include "gfx/image_error.h"

namespace vtl::gfx {

Image::Image(int width, int height, Rgba fill) {
    if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide ||
        std::int64_t{width} * height > kMaxImagePixels) {
        throw ImageError("image size " + std::to_string(width) + " x " + std::to_string(height) +
                         " is outside the supported range");
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void Image::fill(Rgba p) {
    std::fill(pixels_.begin(), pixels_.end(), p);
}

}  // namespace vtl::gfx
