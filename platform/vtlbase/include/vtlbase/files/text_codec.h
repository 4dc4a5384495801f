#pragma once
// Text at the file boundary. Inside, text is UTF-8; on disk the add-on's files are Windows-1252 as
// existing libraries hold them. Reading also accepts UTF-8 (with a byte-order mark, or any valid
// multi-byte UTF-8). A character Windows-1252 cannot hold is never changed silently: encoding fails and
// says which character.
#include <string>
#include <string_view>
#include <vector>

#include "vtlbase/export.h"

namespace vtl::base::files {

// Bytes of a file to UTF-8 text.
VTLBASE_API std::string decodeText(std::string_view bytes);
// UTF-8 text to Windows-1252 bytes; false (and why in `error`) when a character has no place in it.
VTLBASE_API bool encodeWindows1252(std::string_view utf8, std::string& bytes, std::string& error);
// The bytes a text file is written with: Windows-1252, unless those bytes would read back as other text
// (Windows-1252 text that happens to be valid UTF-8, such as "MaÃ¿", or text starting with the
// characters of a UTF-8 byte-order mark); then UTF-8 with a byte-order mark, which reads back exactly.
// False (and why in `error`) when the text is not valid UTF-8 or a character has no place in Windows-1252.
VTLBASE_API bool encodeForFile(std::string_view utf8, std::string& bytes, std::string& error);
// Lines of a text; CR LF and LF both end a line, and a last line without an ending counts.
VTLBASE_API std::vector<std::string> splitLines(std::string_view text);
// Lines joined with CR LF, each line ended.
VTLBASE_API std::string joinLines(const std::vector<std::string>& lines);

}  // namespace vtl::base::files
