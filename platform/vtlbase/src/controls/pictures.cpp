// Pictures of the control helpers, fitted into boxes.
#include "pictures.h"

#include <algorithm>

#include "gfx/bitmap.h"
#include "vtlbase/files/paths.h"

namespace vtl::base::controls {

HBITMAP fittedPicture(const Vtl_String& path, int width, int height, COLORREF background, bool* loaded) {
    if (loaded) *loaded = false;
    if (width <= 0 || height <= 0 || width > gfx::kMaxImageSide || height > gfx::kMaxImageSide ||
        static_cast<std::int64_t>(width) * height > gfx::kMaxImagePixels)
        return {};
    gfx::Image box(width, height, gfx::Rgba::of(background));
    const std::string native = files::resolve(path.str());
    const HBITMAP source = native.empty() ? HBITMAP() : gfx::loadBitmapFile(native);
    const auto image = source ? gfx::bitmapImage(source) : nullptr;
    if (image && !image->empty()) {
        // Nearest-neighbour scaling: thumbnails of line drawings stay crisp.
        const double scale = std::min({1.0, static_cast<double>(width) / image->width(),
                                       static_cast<double>(height) / image->height()});
        const int w = std::max(1, static_cast<int>(image->width() * scale));
        const int h = std::max(1, static_cast<int>(image->height() * scale));
        const int left = (width - w) / 2, top = (height - h) / 2;
        for (int y = 0; y < h; ++y) {
            const int sy = std::min(image->height() - 1, static_cast<int>(y / scale));
            for (int x = 0; x < w; ++x) {
                const int sx = std::min(image->width() - 1, static_cast<int>(x / scale));
                const gfx::Rgba p = image->at(sx, sy);
                if (p.a != 0) box.at(left + x, top + y) = {p.r, p.g, p.b, 255};
            }
        }
        if (loaded) *loaded = true;
    } else {
        const gfx::Rgba frame = gfx::Rgba::of(RGB(128, 128, 128));
        for (int x = 0; x < width; ++x) box.at(x, 0) = box.at(x, height - 1) = frame;
        for (int y = 0; y < height; ++y) box.at(0, y) = box.at(width - 1, y) = frame;
    }
    if (source) ::DeleteObject(source);
    return gfx::createBitmap(std::move(box));
}

}  // namespace vtl::base::controls
