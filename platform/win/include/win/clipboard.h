#pragma once
// The clipboard (process-local) and the movable global memory blocks it and other callers exchange.
#include <string>

#include "win/export.h"
#include "win/types.h"

using HGLOBAL = vtl::gfx::Handle<struct GlobalTag>;

constexpr UINT GMEM_FIXED = 0x0;
constexpr UINT GMEM_MOVEABLE = 0x2;
constexpr UINT GMEM_ZEROINIT = 0x40;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of `bytes` bytes (at most 256 MiB); a null handle when that cannot be had.
VTLWIN_API HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// Resizes a block, keeping its bytes; a null handle (and the block unchanged) on failure.
VTLWIN_API HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t bytes, UINT flags);
VTLWIN_API void* GlobalLock(HGLOBAL block);
VTLWIN_API BOOL GlobalUnlock(HGLOBAL block);
VTLWIN_API std::size_t GlobalSize(HGLOBAL block);
// Frees a block; answers the null handle on success, the block itself on failure.
VTLWIN_API HGLOBAL GlobalFree(HGLOBAL block);

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

VTLWIN_API BOOL OpenClipboard(HWND owner);
VTLWIN_API BOOL CloseClipboard();
VTLWIN_API BOOL EmptyClipboard();
// The clipboard takes the block (UTF-8 text with a terminating zero for CF_TEXT and CF_UNICODETEXT).
VTLWIN_API HGLOBAL SetClipboardData(UINT format, HGLOBAL block);
VTLWIN_API HGLOBAL GetClipboardData(UINT format);
VTLWIN_API BOOL IsClipboardFormatAvailable(UINT format);

namespace vtl::win {
VTLWIN_API void setClipboardText(const std::string& text);
VTLWIN_API std::string clipboardText();
VTLWIN_API int liveGlobalBlocks();
}  // namespace vtl::win
