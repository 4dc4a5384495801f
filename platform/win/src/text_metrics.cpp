#include "text_metrics.h"

#include "gfx/text_metrics.h"

namespace vtl::win::detail {
// The graphics library's built-in metrics: the same on every machine.
SIZE measureText(HFONT font, std::string_view text) { return gfx::textExtent(font, text); }

int lineHeight(HFONT font) { return gfx::fontMetrics(font).height; }
}  // namespace vtl::win::detail
