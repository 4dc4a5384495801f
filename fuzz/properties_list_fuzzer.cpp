// Properties lists ("key=value" lines, the form of designed dialogs and property lists): read in linear
// time, and what was read, written and read again is the same list.
#include "fuzz_support.h"
#include "vtlbase/properties_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = vtl::fuzz::writeScratchFile("list.txt", vtl::fuzz::asText(data, size));
    Vtl_PropertiesList list;
    if (!list.readFromFile(Vtl_String(path))) return 0;
    if (!list.writeToFile(Vtl_String(path + ".out"))) return 0;  // a character Windows-1252 cannot hold
    Vtl_PropertiesList again;
    if (!again.readFromFile(Vtl_String(path + ".out"))) vtl::fuzz::fail("a written list cannot be read");
    if (again.entries() != list.entries()) vtl::fuzz::fail("a list changed when written and read again");
    return 0;
}
