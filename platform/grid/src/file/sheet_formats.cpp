#include "file/sheet_formats.h"

#include <cstdint>

#include "file/csv_text.h"
#include "file/orcus_import.h"
#include "file/sheet_file.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {

bool endsWithFolded(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    text = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

SheetFormat formatOf(std::string_view path) {
    if (endsWithFolded(path, ".csv")) return SheetFormat::csv;
    if (endsWithFolded(path, ".xlsx")) return SheetFormat::xlsx;
    if (endsWithFolded(path, ".ods")) return SheetFormat::ods;
    return SheetFormat::own;
}

std::uint32_t le32(std::string_view s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}
std::uint32_t le16(std::string_view s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8;
}

// A workbook is a zip archive. Its central directory must be whole and promise no more than kMaxUnpacked
// bytes, and each entry must lie within the archive as its local header describes it, so that a small
// damaged or hostile archive cannot make the reader allocate or unpack gigabytes.
constexpr std::uint64_t kMaxUnpacked = std::uint64_t{512} << 20;
constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kSizesAfterData = 1u << 3;  // the sizes follow the data (the local header has zeros)

// The entry of the central directory at `at`, checked against its local header and the archive's bounds.
bool plausibleEntry(std::string_view bytes, std::size_t at, std::size_t directory) {
    const std::uint32_t flags = le16(bytes, at + 8);
    const std::uint32_t method = le16(bytes, at + 10);
    const std::uint64_t packed = le32(bytes, at + 20);
    const std::uint64_t unpacked = le32(bytes, at + 24);
    const std::uint64_t local = le32(bytes, at + 42);
    if (method == kStored && packed != unpacked) return false;
    if (local + 30 > directory || le32(bytes, static_cast<std::size_t>(local)) != 0x04034b50) return false;
    const auto l = static_cast<std::size_t>(local);
    const std::uint64_t data = local + 30 + le16(bytes, l + 26) + le16(bytes, l + 28);
    if (data > directory || packed > directory - data) return false;
    if (!(flags & kSizesAfterData) && (le32(bytes, l + 18) != packed || le32(bytes, l + 22) != unpacked)) return false;
    return true;
}

bool plausibleZip(std::string_view bytes) {
    constexpr std::size_t kEndRecord = 22;
    if (bytes.size() < kEndRecord) return false;
    const std::size_t lowest = bytes.size() > kEndRecord + 0xFFFF ? bytes.size() - kEndRecord - 0xFFFF : 0;
    std::size_t end = bytes.size() - kEndRecord;
    while (le32(bytes, end) != 0x06054b50) {
        if (end == lowest) return false;
        --end;
    }
    const std::uint32_t entries = le16(bytes, end + 10);
    const std::uint32_t size = le32(bytes, end + 12);
    const std::uint32_t offset = le32(bytes, end + 16);
    if (offset > end || size > end - offset) return false;
    std::uint64_t unpacked = 0;
    std::size_t at = offset;
    for (std::uint32_t i = 0; i < entries; ++i) {
        if (at + 46 > end || le32(bytes, at) != 0x02014b50) return false;
        if (!plausibleEntry(bytes, at, offset)) return false;
        unpacked += le32(bytes, at + 24);
        if (unpacked > kMaxUnpacked) return false;
        at += 46 + le16(bytes, at + 28) + le16(bytes, at + 30) + le16(bytes, at + 32);
    }
    return true;
}
}  // namespace

SheetFileName parseSheetFileName(std::string_view name) {
    SheetFileName parsed;
    const std::size_t hash = name.rfind('#');
    if (hash != std::string_view::npos && hash + 1 < name.size()) {
        const std::string_view file = name.substr(0, hash);
        const SheetFormat format = formatOf(file);
        if (format == SheetFormat::xlsx || format == SheetFormat::ods) {
            parsed.path = file;
            parsed.sheet = name.substr(hash + 1);
            parsed.format = format;
            return parsed;
        }
    }
    parsed.path = name;
    parsed.format = formatOf(name);
    return parsed;
}

bool loadSheetFile(std::string_view name, Sheet& target) {
    const SheetFileName file = parseSheetFileName(name);
    if (file.format == SheetFormat::own) return SheetFile::load(file.path, target);
    std::string bytes;
    if (!SheetFile::readBytes(file.path, bytes)) return false;
    Sheet loaded;
    bool ok = false;
    if (file.format == SheetFormat::csv) {
        const std::string text = decodeCsvBytes(bytes);
        bytes.clear();
        bytes.shrink_to_fit();
        ok = importCsv(text, detectCsvLayout(text), loaded);
    } else {
        ok = plausibleZip(bytes) &&
             importWorkbook(file.format == SheetFormat::xlsx ? WorkbookFormat::xlsx : WorkbookFormat::ods, bytes,
                            file.sheet, loaded);
    }
    if (!ok) return false;
    SheetFile::adopt(loaded, target, false);
    return true;
}

}  // namespace vtl::grid
