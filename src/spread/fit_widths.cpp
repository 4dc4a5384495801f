#include "spread/fit_widths.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vtl::ui {

std::vector<std::pair<int, int>> computeFitWidths(const FitRequest& q) {
    std::vector<std::pair<int, int>> out;
    const int C = q.colCount, W = q.clientWidth;
    if (C < 1) return out;
    const int S = C + (q.rowHeaders ? 1 : 0);
    // Slot k of modes 1 and 3 is column k; with the row headers shown the last slot has no column.
    auto setSlot = [&](int slot, int width) {
        if (slot >= 1 && slot <= C) out.emplace_back(slot, width);
    };
    switch (q.mode) {
    case 1: {
        const int w = W / S;
        for (int k = 1; k <= S; ++k) setSlot(k, w);
        out.emplace_back(0, w);  // the header column too, shown or not
        break;
    }
    case 3: {
        if (q.parameter == 0) break;
        const int a = std::min(std::abs(q.parameter), S);
        const int w1 = static_cast<int>(std::trunc(q.value * 0.01 * W / a));
        const bool restApplies = S - a > 0;
        const int rest = restApplies ? (W - a * w1) / (S - a) : 0;
        for (int k = 1; k <= S; ++k) {
            const bool first = q.parameter > 0 ? k <= a : k > S - a;
            if (first) setSlot(k, w1);
            else if (restApplies) setSlot(k, rest);
        }
        if (q.rowHeaders && restApplies) out.emplace_back(0, rest);
        break;
    }
    case 4: {
        // A column that does not exist fixes nothing: the widths stay as they are.
        const int c = q.parameter;
        if (c < 0 || c > C) break;
        const int divisor = C - 1 + (q.rowHeaders ? 1 : 0);
        out.emplace_back(c, q.value);
        if (divisor <= 0) break;  // nothing to share the rest with
        const int share = (W - q.value) / divisor;
        for (int k = 1; k <= C; ++k)
            if (k != c) out.emplace_back(k, share);
        if (c != 0 && q.rowHeaders) out.emplace_back(0, share);
        break;
    }
    case 5: {
        const std::size_t pairs = std::min(q.slots.size(), q.widths.size());
        int sum = 0;
        for (std::size_t i = 0; i < pairs; ++i) sum += q.widths[i];
        const int qn = static_cast<int>(pairs);
        // Slot j is column j (slot 0 the header column), whether or not the header is shown.
        if (S - qn > 0) {
            const int each = (W - sum) / (S - qn);
            for (int j = 0; j < S; ++j) {
                const bool listed = std::find(q.slots.begin(), q.slots.begin() + qn, j) != q.slots.begin() + qn;
                if (!listed && j <= C) out.emplace_back(j, each);
            }
        }
        for (std::size_t i = 0; i < pairs; ++i)
            if (q.slots[i] >= 0 && q.slots[i] <= C) out.emplace_back(q.slots[i], q.widths[i]);
        break;
    }
    default:
        break;
    }
    return out;
}

}  // namespace vtl::ui
