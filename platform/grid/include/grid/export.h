#pragma once
// Marks the public declarations of libvtlgrid.so.
#if defined(VTLGRID_BUILDING)
#define VTLGRID_API __attribute__((visibility("default")))
#else
#define VTLGRID_API
#endif
