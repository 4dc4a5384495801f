// PNG pictures: decoded or refused with an ImageError; a decoded picture encoded again decodes to the same
// pixels.
#include "fuzz_support.h"
#include "gfx/image_error.h"
#include "gfx/png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtl::gfx;
    Image image;
    try {
        image = decodePng({data, size});
    } catch (const ImageError&) {
        return 0;
    }
    if (image.empty()) return 0;
    if (!(decodePng(encodePng(image)) == image)) vtl::fuzz::fail("PNG pixels changed on a round trip");
    return 0;
}
