#pragma once
// Whole-file reads and atomic writes for the image files of this library.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vtl::gfx::detail {

// Reads a regular file of at most kMaxFileBytes; throws ImageError naming the path otherwise.
std::vector<std::uint8_t> readFileBytes(const std::string& path);
// Writes a temporary file beside `path`, then renames it over `path`; throws ImageError on failure.
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

constexpr std::uint64_t kMaxFileBytes = std::uint64_t{512} << 20;

}  // namespace vtl::gfx::detail
