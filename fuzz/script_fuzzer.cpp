// The step language of stories and scripts: parsed or refused with a ScriptParseError naming the line;
// a parsed script describes each of its steps.
#include "fuzz_support.h"
#include "win/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto script = vtl::win::Script::parse(vtl::fuzz::asText(data, size), "fuzz.story");
        if (script.remainingSteps().size() != script.stepCount()) vtl::fuzz::fail("steps lost in parsing");
    } catch (const vtl::win::ScriptParseError&) {
    }
    return 0;
}
