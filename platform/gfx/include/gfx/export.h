#pragma once
// Marks the public declarations of libvtlgfx.so.
#if defined(VTLGFX_BUILDING)
#define VTLGFX_API __attribute__((visibility("default")))
#else
#define VTLGFX_API
#endif
