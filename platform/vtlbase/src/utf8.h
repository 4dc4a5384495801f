#pragma once
// UTF-8 helpers of vtlbase (private): making any bytes into valid UTF-8, walking code points, folding case.
#include <cstddef>
#include <string>
#include <string_view>

namespace vtl::base::utf8 {

// The text as valid UTF-8: well-formed sequences are kept, every other byte is read as a Windows-1252
// character (overlong forms, surrogates and values beyond U+10FFFF are not well-formed).
std::string normalise(std::string_view bytes);
// Appends the UTF-8 form of c.
void append(std::string& out, char32_t c);
// Decodes the character starting at byte i of valid UTF-8 and moves i past it.
char32_t next(std::string_view text, std::size_t& i);
// Number of code points of valid UTF-8.
int count(std::string_view text);
// Byte offset of code point `pos` (pos past the end gives the size).
std::size_t offsetOf(std::string_view text, int pos);
// Code point index of a byte offset that lies on a character boundary.
int indexOf(std::string_view text, std::size_t offset);

// Lower and upper case of one character. Both keep the length of the character's UTF-8 form, so a folded
// text has its characters at the same byte offsets as the original.
char32_t toLower(char32_t c);
char32_t toUpper(char32_t c);
// The text with every character lowered (for case-insensitive comparison and search).
std::string fold(std::string_view text);
std::string upper(std::string_view text);

}  // namespace vtl::base::utf8
