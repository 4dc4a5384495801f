#pragma once
// Test support: the process-wide state of this library back to its start.
#include "gfx/export.h"

namespace vtl::gfx::testing {
// Drops every font except the default GUI font, every bitmap and every icon (handles are still never
// reused), and returns text drawing to the default font search.
VTLGFX_API void reset();
}  // namespace vtl::gfx::testing
