#pragma once
// UTF-8 to code points and back. Each malformed byte (bad lead, missing continuation, overlong form,
// surrogate, beyond U+10FFFF) decodes as U+FFFD, so every byte string has a defined reading.
#include <string>
#include <string_view>

#include "gfx/export.h"

namespace vtl::gfx {

VTLGFX_API std::u32string decodeUtf8(std::string_view utf8);
VTLGFX_API std::string encodeUtf8(std::u32string_view text);
// Appends one code point; one that is no character (a surrogate, beyond U+10FFFF) appends U+FFFD.
VTLGFX_API void appendUtf8(std::string& out, char32_t c);

}  // namespace vtl::gfx
