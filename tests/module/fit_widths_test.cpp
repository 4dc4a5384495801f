// The arithmetic of the column widths that follow the window, with its guards.
#include <gtest/gtest.h>

#include "spread/fit_widths.h"

namespace vtl::ui {
namespace {
using Widths = std::vector<std::pair<int, int>>;

FitRequest request(int mode, int width, int cols, bool headers, int parameter = 0, int value = 0) {
    FitRequest q;
    q.mode = mode;
    q.clientWidth = width;
    q.colCount = cols;
    q.rowHeaders = headers;
    q.parameter = parameter;
    q.value = value;
    return q;
}

TEST(FitWidths, TheWorkedExamplesOfModesThreeAndFour) {
    EXPECT_EQ(computeFitWidths(request(3, 400, 4, false, 2, 50)), (Widths{{1, 100}, {2, 100}, {3, 100}, {4, 100}}));
    EXPECT_EQ(computeFitWidths(request(4, 350, 3, false, 1, 150)), (Widths{{1, 150}, {2, 100}, {3, 100}}));
    // Negative n takes the last slots; the header column gets the rest when shown.
    EXPECT_EQ(computeFitWidths(request(3, 500, 4, true, -1, 20)),
              (Widths{{1, 100}, {2, 100}, {3, 100}, {4, 100}, {0, 100}}));
    // Mode 4 on the header column shares the width among all data columns.
    EXPECT_EQ(computeFitWidths(request(4, 340, 2, true, 0, 40)), (Widths{{0, 40}, {1, 150}, {2, 150}}));
}

TEST(FitWidths, ModeOneGivesEverySlotAndTheHeaderTheSameShare) {
    EXPECT_EQ(computeFitWidths(request(1, 300, 2, true)), (Widths{{1, 100}, {2, 100}, {0, 100}}));
    EXPECT_EQ(computeFitWidths(request(1, 301, 3, false)), (Widths{{1, 100}, {2, 100}, {3, 100}, {0, 100}}));
    EXPECT_TRUE(computeFitWidths(request(1, 300, 0, true)).empty());
    EXPECT_TRUE(computeFitWidths(request(0, 300, 3, true)).empty());
}

TEST(FitWidths, GuardsKeepEveryModeAwayFromDivisionByZero) {
    // n = S: every slot gets w1, nothing is left to share.
    EXPECT_EQ(computeFitWidths(request(3, 400, 4, false, 4, 100)), (Widths{{1, 100}, {2, 100}, {3, 100}, {4, 100}}));
    EXPECT_TRUE(computeFitWidths(request(3, 400, 4, false, 0, 50)).empty());
    // |n| beyond S counts as S.
    EXPECT_EQ(computeFitWidths(request(3, 400, 2, false, -9, 100)), (Widths{{1, 200}, {2, 200}}));
    // One column without the header: only that column gets the width.
    EXPECT_EQ(computeFitWidths(request(4, 400, 1, false, 1, 120)), (Widths{{1, 120}}));
    // A column beyond the count, or before the first, changes no width.
    EXPECT_TRUE(computeFitWidths(request(4, 300, 2, false, 7, 100)).empty());
    EXPECT_TRUE(computeFitWidths(request(4, 300, 2, true, -3, 100)).empty());
}

TEST(FitWidths, ModeFivePairsSlotsWithWidthsAndSharesTheRest) {
    FitRequest q = request(5, 500, 3, true);
    q.slots = {0, 2};
    q.widths = {40, 160, 999};  // the longer list is cut to the pairs
    EXPECT_EQ(computeFitWidths(q), (Widths{{1, 150}, {3, 150}, {0, 40}, {2, 160}}));
    q.rowHeaders = false;  // slot j is column j: column 3 has no slot
    EXPECT_EQ(computeFitWidths(q), (Widths{{1, 300}, {0, 40}, {2, 160}}));
}

}  // namespace
}  // namespace vtl::ui
