#pragma once
// Marks the public declarations of libvtlwin.so.
#if defined(VTLWIN_BUILDING)
#define VTLWIN_API __attribute__((visibility("default")))
#else
#define VTLWIN_API
#endif
