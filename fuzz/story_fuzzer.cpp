// Stories (samples/scripts/*.story): the header lines are read or refused with a StoryError naming the
// line, and the steps after them parsed or refused with a ScriptParseError; a parsed story keeps every
// step it read.
#include "fuzz_support.h"
#include "story.h"
#include "win/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const vtlhost::Story story = vtlhost::parseStory(vtl::fuzz::asText(data, size), "fuzz.story");
        if (story.open.empty()) vtl::fuzz::fail("a story read without a dialog to open");
        const auto script = vtl::win::Script::parse(story.steps, story.name);
        if (script.remainingSteps().size() != script.stepCount()) vtl::fuzz::fail("steps lost in parsing");
    } catch (const vtlhost::StoryError&) {
    } catch (const vtl::win::ScriptParseError&) {
    }
    return 0;
}
