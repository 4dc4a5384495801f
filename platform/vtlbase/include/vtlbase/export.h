#pragma once
// Marks the public declarations of libvtlbase.so.
#if defined(VTLBASE_BUILDING)
#define VTLBASE_API __attribute__((visibility("default")))
#else
#define VTLBASE_API
#endif
