#include "grid_support.h"

#include "fuzz_support.h"
#include "grid/spread.h"
#include "win/api.h"

namespace vtl::fuzz {
HWND scratchGrid(int which) {
    static HWND grids[2] = {nullptr, nullptr};
    if (!grids[which]) {
        scratchLibrary();
        grid::registerSpreadClass();
        grids[which] = CreateWindowEx(0, "fpSpread70", "", WS_POPUP, 0, 0, 400, 300, nullptr, 0);
        if (!grids[which]) fail("cannot make a grid window");
    }
    return grids[which];
}
}  // namespace vtl::fuzz
