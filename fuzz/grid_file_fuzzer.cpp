// Grid files: loaded or refused with the grid left as it was; a loaded grid calculates, and saves to a file
// that loads again.
#include "fuzz_support.h"
#include "grid_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const HWND grid = vtl::fuzz::scratchGrid(0);
    const std::string path = vtl::fuzz::writeScratchFile("fuzz.ss", vtl::fuzz::asText(data, size));
    if (!SSLoadFromFile(grid, path.c_str())) return 0;
    SSReCalc(grid);
    const std::string again = path + ".saved";
    if (SSSaveToFile(grid, again.c_str()) != 1) vtl::fuzz::fail("a loaded grid cannot be saved");
    if (!SSLoadFromFile(vtl::fuzz::scratchGrid(1), again.c_str())) vtl::fuzz::fail("a saved grid cannot be loaded");
    return 0;
}
