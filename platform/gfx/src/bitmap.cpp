#include "gfx/bitmap.h"

#include "gfx/bmp.h"
#include "gfx/image_error.h"
#include "handle_table.h"

namespace vtl::gfx {
namespace {

detail::HandleTable<HBITMAP, Image>& table() {
    static detail::HandleTable<HBITMAP, Image> t;
    return t;
}

template <class Decode>
HBITMAP load(Decode decode, std::string* error) {
    try {
        return createBitmap(decode());
    } catch (const ImageError& e) {
        if (error) *error = e.what();
    } catch (const std::bad_alloc&) {
        if (error) *error = "out of memory";
    }
    return HBITMAP();
}

}  // namespace

HBITMAP createBitmap(Image image) {
    return table().add(std::make_shared<const Image>(std::move(image)));
}

HBITMAP loadBitmap(std::span<const std::uint8_t> bmpBytes, std::string* error) {
    return load([&] { return decodeBmp(bmpBytes); }, error);
}

HBITMAP loadBitmapFile(const std::string& path, std::string* error) {
    return load([&] { return readBmpFile(path); }, error);
}

std::optional<SIZE> bitmapSize(HBITMAP bitmap) {
    const auto image = table().find(bitmap);
    if (!image) return std::nullopt;
    return SIZE{image->width(), image->height()};
}

std::shared_ptr<const Image> bitmapImage(HBITMAP bitmap) {
    return table().find(bitmap);
}

bool setBitmapImage(HBITMAP bitmap, Image image) {
    return table().replace(bitmap, std::make_shared<const Image>(std::move(image)));
}

int liveBitmapCount() {
    return table().size();
}

SIZE bmpFileSize(const std::string& path) {
    try {
        const Image image = readBmpFile(path);
        return {image.width(), image.height()};
    } catch (const ImageError&) {
    } catch (const std::bad_alloc&) {
    }
    return {0, 0};
}

namespace detail {
void resetBitmaps() {
    table().clear();
}
}  // namespace detail

}  // namespace vtl::gfx

bool DeleteObject(HBITMAP bitmap) {
    return vtl::gfx::table().erase(bitmap);
}
