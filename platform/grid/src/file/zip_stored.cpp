#include "file/zip_stored.h"

#include <cstdint>

#include <zlib.h>

namespace vtl::grid {
namespace {
void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::string zipStored(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string out;
    std::string directory;
    for (const auto& [name, data] : entries) {
        const auto crc = static_cast<std::uint32_t>(
            crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const auto offset = static_cast<std::uint32_t>(out.size());
        // local header: version 2.0, no flags, stored, a fixed time (1 Jan 2026) for reproducible files
        put32(out, 0x04034b50);
        put16(out, 20); put16(out, 0); put16(out, 0); put16(out, 0); put16(out, (46 << 9) | (1 << 5) | 1);
        put32(out, crc); put32(out, static_cast<std::uint32_t>(data.size())); put32(out, static_cast<std::uint32_t>(data.size()));
        put16(out, static_cast<unsigned>(name.size())); put16(out, 0);
        out += name;
        out += data;
        put32(directory, 0x02014b50);
        put16(directory, 20); put16(directory, 20); put16(directory, 0); put16(directory, 0);
        put16(directory, 0); put16(directory, (46 << 9) | (1 << 5) | 1);
        put32(directory, crc); put32(directory, static_cast<std::uint32_t>(data.size()));
        put32(directory, static_cast<std::uint32_t>(data.size()));
        put16(directory, static_cast<unsigned>(name.size())); put16(directory, 0); put16(directory, 0);
        put16(directory, 0); put16(directory, 0); put32(directory, 0); put32(directory, offset);
        directory += name;
    }
    const auto directoryAt = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, 0x06054b50);
    put16(out, 0); put16(out, 0);
    put16(out, static_cast<unsigned>(entries.size())); put16(out, static_cast<unsigned>(entries.size()));
    put32(out, static_cast<std::uint32_t>(directory.size())); put32(out, directoryAt);
    put16(out, 0);
    return out;
}

}  // namespace vtl::grid
