#pragma once
// What the test fixture resets of the host.
#include "host/export.h"

namespace vtl::host::testing {
// A fresh registry (dynamic linker, empty command stack), an empty command line with echo off, counters at
// zero, and the main window's frame destroyed.
VTLHOST_API void reset();
}  // namespace vtl::host::testing
