// Spreadsheets of other programs (CSV, XLSX, ODS), by what the bytes look like: a zip naming the
// OpenDocument type is read as ODS, any other zip as XLSX, the rest as CSV. Each is loaded or refused with
// the grid left as it was (the grid's own file of it is the same before and after); a loaded grid saves
// to the grid's own format and loads again.
#include <fstream>
#include <iterator>
#include <string_view>

#include "fuzz_support.h"
#include "grid_support.h"

namespace {
std::string savedBytes(HWND grid, const std::string& path) {
    if (SSSaveToFile(grid, path.c_str()) != 1) vtl::fuzz::fail("a grid cannot be saved");
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(vtl::fuzz::asText(data, size));
    const bool zip = bytes.size() >= 4 && std::string_view(bytes).substr(0, 4) == std::string_view("PK\x03\x04", 4);
    const char* name = !zip ? "fuzz.csv" : bytes.find("opendocument.spreadsheet") != std::string::npos ? "fuzz.ods" : "fuzz.xlsx";
    const HWND grid = vtl::fuzz::scratchGrid(0);
    const std::string path = vtl::fuzz::writeScratchFile(name, bytes);
    const std::string before = savedBytes(grid, path + ".before");
    if (!SSLoadFromFile(grid, path.c_str())) {
        if (savedBytes(grid, path + ".after") != before) vtl::fuzz::fail("a refused file changed the grid");
        return 0;
    }
    const std::string again = path + ".saved";
    if (SSSaveToFile(grid, again.c_str()) != 1) vtl::fuzz::fail("a loaded sheet cannot be saved");
    if (!SSLoadFromFile(vtl::fuzz::scratchGrid(1), again.c_str())) vtl::fuzz::fail("a saved sheet cannot be loaded");
    return 0;
}
