#pragma once
// Column widths that follow the window width, in pixels: the arithmetic of the fit modes 1, 3, 4 and 5
// (mode 0 sets nothing, mode 2 fits the contents instead). Integer division throughout; the guards keep
// every mode away from a division by zero and from slots that address no column.
#include <utility>
#include <vector>

namespace vtl::ui {

struct FitRequest {
    int mode = 0;
    int clientWidth = 0;       // W
    int colCount = 0;          // C
    bool rowHeaders = false;   // switch 4: S = C + 1
    int parameter = 0;         // mode 3: n; mode 4: the column (0 the header)
    int value = 0;             // mode 3: percent; mode 4: pixels
    std::vector<int> slots;    // mode 5
    std::vector<int> widths;   // mode 5
};

// (column, pixels) pairs in the order they are set; column 0 is the header column.
std::vector<std::pair<int, int>> computeFitWidths(const FitRequest& request);

}  // namespace vtl::ui
