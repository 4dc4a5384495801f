#include "gfx/mask.h"

#include <algorithm>

#include "gfx/image_error.h"

namespace vtl::gfx {

Mask::Mask(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide ||
        std::int64_t{width} * height > kMaxImagePixels) {
        throw ImageError("mask size outside the supported range");
    }
    width_ = width;
    height_ = height;
    bits_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

int Mask::transparentCount() const {
    return static_cast<int>(std::count(bits_.begin(), bits_.end(), 1));
}

Mask colourMask(const Image& image, COLORREF colour) {
    Mask mask(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba p = image.at(x, y);
            mask.setTransparent(x, y, p.a == 0 || p.colour() == (colour & 0xFFFFFF));
        }
    }
    return mask;
}

void applyMask(Image& image, const Mask& mask) {
    if (mask.width() != image.width() || mask.height() != image.height()) {
        throw ImageError("mask and image differ in size");
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (mask.transparent(x, y)) image.at(x, y) = kTransparent;
        }
    }
}

Image withTransparentColour(Image image, COLORREF colour) {
    for (Rgba& p : image.pixels()) {
        if (p.colour() == (colour & 0xFFFFFF)) p = kTransparent;
    }
    return image;
}

}  // namespace vtl::gfx
