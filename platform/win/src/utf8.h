#pragma once
// UTF-8 helpers of the window system: positions and lengths count code points. Decoding and encoding are
// the graphics library's, so malformed bytes read the same everywhere.
#include <string>
#include <string_view>

#include "gfx/utf8.h"
#include "win/types.h"

namespace vtl::win::detail {

inline std::u32string toU32(std::string_view s) { return gfx::decodeUtf8(s); }
inline std::string toUtf8(std::u32string_view s) { return gfx::encodeUtf8(s); }
inline void appendUtf8(std::string& out, char32_t cp) { gfx::appendUtf8(out, cp); }

inline int codePointCount(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

inline LRESULT codePointCountOf(const std::string& s) { return codePointCount(s); }

}  // namespace vtl::win::detail
