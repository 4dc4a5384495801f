#pragma once
// Bounds-checked little-endian reads over a byte span. Every read past the end throws ImageError naming
// what was being read, so decoders never touch memory outside the file.
#include <cstdint>
#include <span>
#include <string>

#include "gfx/image_error.h"

namespace vtl::gfx::detail {

class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> bytes, std::string what) : bytes_(bytes), what_(std::move(what)) {}

    std::size_t size() const { return bytes_.size(); }
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    void require(std::size_t offset, std::size_t count, const char* part) const {
        if (!has(offset, count)) throw ImageError(what_ + ": truncated " + part);
    }
    std::uint8_t u8(std::size_t offset, const char* part) const {
        require(offset, 1, part);
        return bytes_[offset];
    }
    std::uint16_t u16(std::size_t offset, const char* part) const {
        require(offset, 2, part);
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint32_t u32(std::size_t offset, const char* part) const {
        require(offset, 4, part);
        return static_cast<std::uint32_t>(bytes_[offset]) | (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::int32_t i32(std::size_t offset, const char* part) const {
        return static_cast<std::int32_t>(u32(offset, part));
    }
    std::span<const std::uint8_t> span(std::size_t offset, std::size_t count, const char* part) const {
        require(offset, count, part);
        return bytes_.subspan(offset, count);
    }
    std::span<const std::uint8_t> rest(std::size_t offset) const {
        return offset >= bytes_.size() ? std::span<const std::uint8_t>() : bytes_.subspan(offset);
    }
    [[noreturn]] void fail(const std::string& message) const { throw ImageError(what_ + ": " + message); }
    const std::string& what() const { return what_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::string what_;
};

// Appends little-endian values to a byte vector (writers).
template <class Vector>
void putU16(Vector& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
template <class Vector>
void putU32(Vector& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

}  // namespace vtl::gfx::detail
