#include "gfx/icon.h"

#include <algorithm>

#include "gfx/ico.h"
#include "gfx/image_error.h"
#include "handle_table.h"

namespace vtl::gfx {
namespace {

struct Icon {
    std::vector<std::shared_ptr<const Image>> images;  // smallest first
};

detail::HandleTable<HICON, Icon>& table() {
    static detail::HandleTable<HICON, Icon> t;
    return t;
}

}  // namespace

HICON createIcon(std::vector<Image> images, std::string* error) {
    if (images.empty() || std::any_of(images.begin(), images.end(), [](const Image& i) { return i.empty(); })) {
        if (error) *error = "an icon needs at least one image, none empty";
        return HICON();
    }
    std::stable_sort(images.begin(), images.end(), [](const Image& a, const Image& b) {
        return std::int64_t{a.width()} * a.height() < std::int64_t{b.width()} * b.height();
    });
    auto icon = std::make_shared<Icon>();
    for (Image& image : images) icon->images.push_back(std::make_shared<const Image>(std::move(image)));
    return table().add(std::move(icon));
}

HICON loadIcon(std::span<const std::uint8_t> icoBytes, std::string* error) {
    try {
        return createIcon(decodeIco(icoBytes), error);
    } catch (const ImageError& e) {
        if (error) *error = e.what();
    } catch (const std::bad_alloc&) {
        if (error) *error = "out of memory";
    }
    return HICON();
}

std::vector<SIZE> iconSizes(HICON icon) {
    std::vector<SIZE> sizes;
    if (const auto i = table().find(icon)) {
        for (const auto& image : i->images) sizes.push_back({image->width(), image->height()});
    }
    return sizes;
}

std::shared_ptr<const Image> iconImage(HICON icon, int size) {
    const auto i = table().find(icon);
    if (!i) return nullptr;
    for (const auto& image : i->images) {
        if (image->width() >= size && image->height() >= size) return image;
    }
    return i->images.back();
}

int liveIconCount() {
    return table().size();
}

namespace detail {
void resetIcons() {
    table().clear();
}
}  // namespace detail

}  // namespace vtl::gfx

bool DestroyIcon(HICON icon) {
    return vtl::gfx::table().erase(icon);
}
