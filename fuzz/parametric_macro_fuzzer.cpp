// Parametric macro files (.pmacro JSON): read or refused with a reason; what was read can be placed in the
// drawing and opened as the constraints editor's record.
#include "fuzz_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/macro/parametric_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParametricMacroFile file;
    std::string error;
    if (!parametricMacroFromJson(std::string(vtl::fuzz::asText(data, size)), file, error)) {
        if (error.empty()) vtl::fuzz::fail("a refused file without a reason");
        return 0;
    }
    vtl::base::DrawingModel::get().reset();
    const AcDbObjectId id = placeParametricMacroFile(file);
    if (id.isNull()) vtl::fuzz::fail("a file that was read cannot be placed");
    return 0;
}
