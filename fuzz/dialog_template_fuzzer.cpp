// Dialog templates (.dlg resource text): parsed or refused with a TemplateError naming the line; the
// controls of a parsed template keep their rectangles computable.
#include "fuzz_support.h"
#include "win/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto templates = vtl::win::parseDialogTemplates(vtl::fuzz::asText(data, size), "fuzz.dlg");
        for (const auto& t : templates)
            if (t.caption.size() > size) vtl::fuzz::fail("a caption longer than the file");
    } catch (const vtl::win::TemplateError&) {
    }
    return 0;
}
