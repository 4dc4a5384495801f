#pragma once
// What the harnesses share: a scratch library folder (set as the library and home of the process, as the
// host sets them), and files written into it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vtl::fuzz {
// The scratch library folder, made on first use ("/tmp/vtlfuzz-XXXXXX/library"), with VTL_LIBDIR, HOME and
// XDG_CONFIG_HOME pointing into it so that nothing the harnesses do touches the user's files.
const std::string& scratchLibrary();
// Writes the bytes to scratchLibrary()/relative (folders made as needed) and gives the full path.
std::string writeScratchFile(const std::string& relative, std::string_view bytes);
// The input as text.
inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}
// Stops the run with a message (libFuzzer keeps the input that did it).
[[noreturn]] void fail(const std::string& what);
}  // namespace vtl::fuzz
