// The text-file layer: any bytes decode to valid text, and whatever can be written reads back exactly as it
// was written (the Windows-1252 round trip, with UTF-8 where that would change the text); lines split and
// joined again give the same lines.
#include "fuzz_support.h"
#include "vtlbase/files/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtl::base::files;
    const std::string text = decodeText(vtl::fuzz::asText(data, size));
    std::string bytes, error;
    if (!encodeForFile(text, bytes, error)) {
        if (error.empty()) vtl::fuzz::fail("a refused write without a reason");
        return 0;
    }
    if (decodeText(bytes) != text) vtl::fuzz::fail("written text reads back changed");
    const auto lines = splitLines(text);
    if (splitLines(joinLines(lines)) != lines) vtl::fuzz::fail("lines changed when joined and split again");
    return 0;
}
