// Icons (.ico): decoded or refused with an ImageError, never more memory than the image limits allow.
#include "fuzz_support.h"
#include "gfx/ico.h"
#include "gfx/image_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto images = vtl::gfx::decodeIco({data, size});
        for (const auto& image : images)
            if (image.width() < 0 || image.height() < 0) vtl::fuzz::fail("negative icon size");
    } catch (const vtl::gfx::ImageError&) {
    }
    return 0;
}
