#pragma once
// Marks the public declarations of libvtlhost.so.
#if defined(VTLHOST_BUILDING)
#define VTLHOST_API __attribute__((visibility("default")))
#else
#define VTLHOST_API
#endif
