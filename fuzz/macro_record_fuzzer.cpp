// Macro records (.macro JSON): read or refused with a reason; a record read, written and read again is the
// same record.
#include "fuzz_support.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlbase/macro/macro_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtl::base;
    MacroData macro;
    std::string error;
    if (!macroFromJson(std::string(vtl::fuzz::asText(data, size)), macro, error)) {
        if (error.empty()) vtl::fuzz::fail("a refused record without a reason");
        return 0;
    }
    MacroData again;
    if (!macroFromJson(macroToJson(macro), again, error)) vtl::fuzz::fail("a written record cannot be read: " + error);
    if (!(again == macro)) vtl::fuzz::fail("a record changed when written and read again");
    return 0;
}
