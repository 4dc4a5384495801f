// Bitmaps (.bmp): any bytes either decode to a picture within the image limits or are refused with an
// ImageError; a decoded picture written and read again settles: a second round trip changes nothing (the
// first may make a picture with no alpha at all opaque, as readers of 32-bit bitmaps do).
#include "fuzz_support.h"
#include "gfx/bmp.h"
#include "gfx/image_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtl::gfx;
    Image image;
    try {
        image = decodeBmp({data, size});
    } catch (const ImageError&) {
        return 0;
    }
    if (image.empty()) return 0;
    const Image once = decodeBmp(encodeBmp(image, 32));
    if (once.width() != image.width() || once.height() != image.height()) vtl::fuzz::fail("BMP size changed");
    if (!(decodeBmp(encodeBmp(once, 32)) == once)) vtl::fuzz::fail("BMP pixels changed on a second round trip");
    return 0;
}
