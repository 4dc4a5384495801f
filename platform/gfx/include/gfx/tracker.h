#pragma once
// The geometry of a rectangle tracker: a solid frame on the rectangle's edge pixels and eight square
// handles of kTrackerHandleSize pixels just outside it, in the platform's hit-test order.
#include <array>

#include "gfx/export.h"
#include "gfx/geometry.h"

namespace vtl::gfx {

inline constexpr int kTrackerHandleSize = 5;

enum class TrackerHandle { TopLeft, TopRight, BottomRight, BottomLeft, Top, Right, Bottom, Left };

// Indexed by TrackerHandle. Side handles are centred on their side (at its centre pixel, (a + b) / 2).
VTLGFX_API std::array<RECT, 8> trackerHandleRects(const RECT& rect);

}  // namespace vtl::gfx
