#include "cutstock/stock_files.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>

namespace vtl::ui {
namespace {
constexpr const char* kStockFolder = "Cutting Stock\\";
constexpr const char* kStockPrefix = "Stock";

// Names compared without regard to ASCII case, for the order of files of equal times.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) < std::tolower(y);
    });
}

bool newerThan(const base::files::FoundFile& candidate, const base::files::FoundFile& current) {
    if (candidate.time != current.time) return candidate.time > current.time;
    return lessIgnoringCase(current.name, candidate.name);
}

bool hasExtension(const std::string& name, const char* extension) {
    const std::size_t n = std::strlen(extension);
    if (name.size() < n + 1 || name[name.size() - n - 1] != '.') return false;
    return std::equal(extension, extension + n, name.end() - static_cast<std::ptrdiff_t>(n),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}

StockFile stockFileIn(const Vtl_String& folder, const base::files::FoundFile& file) {
    Vtl_String name(file.name);
    return {ensureEndBSlash(folder) + name, name, file.time};
}

// The number of a name "Stock" + digits + "." + extension (any case); -1 for any other name or a number too
// large to count on.
long long stockNumber(const Vtl_String& name, const Vtl_String& extension) {
    const Vtl_String suffix = Vtl_String(".") + extension;
    if (!name.startsWith(kStockPrefix, false) || !name.endsWith(suffix, false)) return -1;
    const int first = Vtl_String(kStockPrefix).length();
    const int end = name.length() - suffix.length();
    if (end <= first) return -1;
    long long number = 0;
    for (int i = first; i < end; ++i) {
        const char32_t c = name.charAt(i);
        if (c < U'0' || c > U'9') return -1;
        if (number > (std::numeric_limits<long long>::max() - 9) / 10) return -1;
        number = number * 10 + (c - U'0');
    }
    return number;
}
}  // namespace

Vtl_String cuttingStockRoot() { return ensureEndBSlash(gSettings.libDir()) + kStockFolder; }

bool stockFolder(const Vtl_String& profileName, Vtl_String& folder) {
    std::string reason;
    if (!base::files::validFileName(profileName.view(), reason)) return false;
    folder = cuttingStockRoot() + profileName + "\\";
    return true;
}

bool newestStockFile(const Vtl_String& folder, const Vtl_String& extension, StockFile& newest) {
    const auto files = base::files::findFilesWithTimes(folder.view(), (Vtl_String("*.") + extension).view());
    const base::files::FoundFile* best = nullptr;
    for (const auto& file : files)
        if (!best || newerThan(file, *best)) best = &file;
    if (best) newest = stockFileIn(folder, *best);
    return best != nullptr;
}

NewestStockFiles newestStockFiles(const Vtl_String& folder) {
    // One listing of the folder serves both kinds.
    const auto files = base::files::findFilesWithTimes(folder.view(), "*.*");
    const base::files::FoundFile* shop = nullptr;
    const base::files::FoundFile* buy = nullptr;
    for (const auto& file : files) {
        if (hasExtension(file.name, kShopExtension)) {
            if (!shop || newerThan(file, *shop)) shop = &file;
        } else if (hasExtension(file.name, kBuyExtension)) {
            if (!buy || newerThan(file, *buy)) buy = &file;
        }
    }
    NewestStockFiles newest;
    if ((newest.hasShop = shop != nullptr)) newest.shop = stockFileIn(folder, *shop);
    if ((newest.hasBuy = buy != nullptr)) newest.buy = stockFileIn(folder, *buy);
    return newest;
}

Vtl_String nextStockFileName(const Vtl_String& folder, const Vtl_String& extension) {
    Vtl_StringArray paths;
    ObjectExportFindFiles(folder, Vtl_String(kStockPrefix) + "*." + extension, paths);
    long long largest = 0;
    for (const Vtl_String& path : paths) largest = std::max(largest, stockNumber(getFileName(path), extension));
    if (largest == std::numeric_limits<long long>::max()) largest = 0;
    return ensureEndBSlash(folder) + kStockPrefix + Vtl_String(std::to_string(largest + 1)) + "." + extension;
}

Vtl_String withStockExtension(const Vtl_String& path, const Vtl_String& extension) {
    const Vtl_String suffix = Vtl_String(".") + extension;
    return path.endsWith(suffix, false) ? path : path + suffix;
}

bool readStockFile(const Vtl_String& path, Vtl_Array<Vtl_StringArray>& rows) {
    Vtl_StringArray lines;
    if (!ObjectExportReadFile(path, lines)) return false;
    Vtl_StringArray used;
    for (const Vtl_String& line : lines)
        if (!line.isEmpty()) used.append(line);
    arrToArrArr(used, kStockSeparator, rows);
    return true;
}

bool writeStockFile(const Vtl_String& path, const Vtl_Array<Vtl_StringArray>& rows, std::string& error) {
    Vtl_Array<Vtl_StringArray> cleaned(rows.length());
    const Vtl_String separator = Vtl_String("\u00BF");
    for (const Vtl_StringArray& row : rows) {
        Vtl_StringArray cells;
        for (Vtl_String cell : row) {
            cell.replaceSubString(separator, "?");
            cells.append(std::move(cell));
        }
        cleaned.append(std::move(cells));
    }
    Vtl_StringArray lines;
    arrArrToArr(cleaned, kStockSeparator, lines);
    std::vector<std::string> text;
    text.reserve(static_cast<std::size_t>(lines.length()));
    for (const Vtl_String& line : lines) {
        std::string s = line.str();
        for (char& c : s)
            if (c == '\r' || c == '\n') c = ' ';
        text.push_back(std::move(s));
    }
    return base::files::writeLines(path.view(), text, error);
}

Vtl_String formatStockFileTime(Vtl_FileTime time) {
    const std::time_t t = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&t, &local);
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, "%d %B, %Y (%H:%M)", &local);
    return Vtl_String(std::string_view(text, n));
}

}  // namespace vtl::ui
