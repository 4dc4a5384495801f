#include "gfx/tracker.h"

namespace vtl::gfx {

std::array<RECT, 8> trackerHandleRects(const RECT& r) {
    constexpr int s = kTrackerHandleSize;
    const int cx = (r.left + r.right) / 2 - s / 2;
    const int cy = (r.top + r.bottom) / 2 - s / 2;
    return {{
        {r.left - s, r.top - s, r.left, r.top},          // top left
        {r.right, r.top - s, r.right + s, r.top},        // top right
        {r.right, r.bottom, r.right + s, r.bottom + s},  // bottom right
        {r.left - s, r.bottom, r.left, r.bottom + s},    // bottom left
        {cx, r.top - s, cx + s, r.top},                  // top
        {r.right, cy, r.right + s, cy + s},              // right
        {cx, r.bottom, cx + s, r.bottom + s},            // bottom
        {r.left - s, cy, r.left, cy + s},                // left
    }};
}

}  // namespace vtl::gfx
