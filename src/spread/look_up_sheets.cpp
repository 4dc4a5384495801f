#include "spread/look_up_sheets.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <string_view>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/settings.h"
#include "win/api.h"

namespace vtl::ui {
namespace {
namespace fs = std::filesystem;

// Folders of the files loaded into grids, for names given without a folder.
std::unordered_map<HWND, std::string>& gridFolders() {
    static std::unordered_map<HWND, std::string> folders;
    return folders;
}

struct FileStamp {
    long long seconds = 0;
    long long nanoseconds = 0;
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// One stat per look-up: the time to the nanosecond and the size.
bool stampOf(const std::string& name, FileStamp& stamp) {
    const std::string path = name.substr(0, grid::spreadsheetFilePartLength(name));  // without a sheet
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    stamp.seconds = info.st_mtim.tv_sec;
    stamp.nanoseconds = info.st_mtim.tv_nsec;
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    return true;
}

// The file's time and size are looked at again when the last look was longer ago than this: a
// recalculation of thousands of look-ups sees one state of the file (and does not stat it each time),
// and a file saved between two recalculations is read again.
constexpr auto kRecheckAfter = std::chrono::milliseconds(10);

struct CacheEntry {
    FileStamp stamp;
    std::chrono::steady_clock::time_point checked;
    std::unique_ptr<LookUpSheet> sheet;
};

std::unordered_map<std::string, CacheEntry>& cache() {
    static std::unordered_map<std::string, CacheEntry> entries;
    return entries;
}
int loads = 0;

bool isRelative(const std::string& path) {
    if (path.empty()) return false;
    if (path[0] == '\\' || path[0] == '/') return false;
    return !(path.size() >= 2 && path[1] == ':');
}

std::string displayedText(HWND grid, int col, int row) {
    std::string text;
    SSGetCellString(grid, col, row, SS_CONTENT_TEXT, text);
    return text;
}
}  // namespace

// Names already resolved, by base folder and name: resolving looks at every folder on the way, which a
// sheet of thousands of look-ups of one file need not repeat. An entry is dropped when its file is gone.
// Looked up by string views: a look-up that finds its name allocates nothing.
struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
using NameMap = std::unordered_map<std::string, std::string, ViewHash, std::equal_to<>>;
static std::unordered_map<std::string, NameMap, ViewHash, std::equal_to<>>& resolvedNames() {
    static std::unordered_map<std::string, NameMap, ViewHash, std::equal_to<>> names;
    return names;
}

static std::string resolveName(const Vtl_String& modulePath, const std::string& baseFolder);

std::string spreadsheetNativePath(const Vtl_String& modulePath, const std::string& baseFolder) {
    auto& folders = resolvedNames();
    auto folder = folders.find(std::string_view(baseFolder));
    if (folder != folders.end()) {
        if (const auto found = folder->second.find(std::string_view(modulePath.str())); found != folder->second.end())
            return found->second;
    }
    // A workbook's sheet ("Bolts.xlsx#M-bolts") is no part of the file's name: the file is resolved and
    // the sheet handed on.
    std::string native;
    const std::size_t filePart = grid::spreadsheetFilePartLength(modulePath.str());
    if (filePart < modulePath.str().size()) {
        native = spreadsheetNativePath(Vtl_String(modulePath.str().substr(0, filePart)), baseFolder);
        if (native.empty()) return native;
        native += modulePath.str().substr(filePart);
    } else {
        native = resolveName(modulePath, baseFolder);
        if (native.empty() || !fs::is_regular_file(native)) return native;
    }
    folders[baseFolder].emplace(modulePath.str(), native);  // (the recursion above may have added the folder)
    return native;
}

static std::string resolveName(const Vtl_String& modulePath, const std::string& baseFolder) {
    const std::string& path = modulePath.str();
    if (path.empty()) return {};
    if (!isRelative(path)) return base::files::resolve(path);
    if (!baseFolder.empty()) return base::files::resolveCase((fs::path(baseFolder) / base::files::nativePath(path)).string());
    return base::files::resolve((gSettings.libDir() + modulePath).str());
}

bool loadSpreadsheetFile(HWND grid, const std::string& nativePath) {
    if (nativePath.empty() || !SSIsGrid(grid)) return false;
    if (!SSLoadFromFile(grid, nativePath.c_str())) return false;
    gridFolders()[grid] = fs::path(nativePath.substr(0, grid::spreadsheetFilePartLength(nativePath))).parent_path().string();
    return true;
}

namespace {
bool hasExtension(const std::string& path, std::string_view extension) {
    if (path.size() < extension.size()) return false;
    return foldKey(path.substr(path.size() - extension.size())) == extension;
}

void appendCsvRecord(const std::vector<std::string>& cells, std::string& out) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& cell = cells[i];
        if (cell.find_first_of(",\"\r\n") == std::string::npos) {
            out += cell;
            continue;
        }
        out += '"';
        for (const char c : cell) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}
}  // namespace

std::string spreadsheetCsv(HWND grid) {
    // Up to the last row and column that show anything: the rest of the grid is no part of the table.
    const int cols = SSGetColCount(grid);
    const int rows = SSGetRowCount(grid);
    std::vector<std::vector<std::string>> records(static_cast<std::size_t>(rows) + 1);
    int lastRow = 0, lastCol = 0;
    for (int row = 0; row <= rows; ++row) {
        auto& texts = records[static_cast<std::size_t>(row)];
        for (int col = 1; col <= cols; ++col) texts.push_back(displayedText(grid, col, row));
        for (int col = cols; col > lastCol; --col) {
            if (!texts[static_cast<std::size_t>(col - 1)].empty()) {
                lastCol = col;
                break;
            }
        }
        if (std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return !t.empty(); })) lastRow = row;
    }
    std::string csv = "\xEF\xBB\xBF";
    for (int row = 0; row <= lastRow; ++row) {
        auto& texts = records[static_cast<std::size_t>(row)];
        texts.resize(static_cast<std::size_t>(lastCol));
        appendCsvRecord(texts, csv);
    }
    return csv;
}

bool saveSpreadsheetFile(HWND grid, const std::string& nativePath) {
    if (nativePath.empty() || !SSIsGrid(grid)) return false;
    if (grid::spreadsheetFilePartLength(nativePath) < nativePath.size() || hasExtension(nativePath, ".xlsx") ||
        hasExtension(nativePath, ".ods"))
        return false;
    if (!hasExtension(nativePath, ".csv")) return SSSaveToFile(grid, nativePath.c_str()) == 1;
    std::string error;
    return base::files::writeBytesAtomically(nativePath, spreadsheetCsv(grid), error);
}

std::string spreadsheetFolderOf(HWND grid) {
    const auto found = gridFolders().find(grid);
    return found == gridFolders().end() ? std::string() : found->second;
}

void forgetSpreadsheetGrid(HWND grid) { gridFolders().erase(grid); }

std::string foldKey(const std::string& text) {
    // Plain ASCII folds byte by byte; other text goes through the full Unicode folding.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string folded = text;
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return folded;
    }
    return Vtl_String(text).toLower().str();
}

LookUpSheet::LookUpSheet(HWND grid, std::string path) : grid_(grid), path_(std::move(path)) {}

LookUpSheet::~LookUpSheet() {
    forgetSpreadsheetGrid(grid_);
    if (::IsWindow(grid_)) ::DestroyWindow(grid_);
}

int LookUpSheet::findColumn(const std::string& text) {
    if (!headersIndexed_) {
        const int cols = SSGetColCount(grid_);
        for (int col = 1; col <= cols; ++col) firstColumn_.emplace(foldKey(displayedText(grid_, col, 0)), col);
        headersIndexed_ = true;
    }
    const auto found = firstColumn_.find(foldKey(text));
    return found == firstColumn_.end() ? 0 : found->second;
}

int LookUpSheet::scanRow(int col, const std::string& folded) const {
    const int rows = SSGetRowCount(grid_);
    for (int row = 1; row <= rows; ++row)
        if (foldKey(displayedText(grid_, col, row)) == folded) return row;
    return 0;
}

int LookUpSheet::findRow(int col, const std::string& text) {
    if (col < 1 || col > SSGetColCount(grid_)) return 0;
    auto [it, added] = columns_.try_emplace(col);
    ColumnIndex& index = it->second;
    if (added) {
        const int rows = SSGetRowCount(grid_);
        index.firstRow.reserve(static_cast<std::size_t>(rows));
        std::string formula;
        for (int row = 1; row <= rows && !index.hasFormulas; ++row) {
            if (SSGetCellString(grid_, col, row, SS_CONTENT_FORMULA, formula) && !formula.empty()) {
                index.hasFormulas = true;
                break;
            }
            index.firstRow.emplace(foldKey(displayedText(grid_, col, row)), row);
        }
        if (index.hasFormulas) index.firstRow.clear();
    }
    const std::string folded = foldKey(text);
    if (index.hasFormulas) return scanRow(col, folded);
    const auto found = index.firstRow.find(folded);
    return found == index.firstRow.end() ? 0 : found->second;
}

LookUpSheet* lookUpSheet(const std::string& nativePath) {
    FileStamp stamp;
    if (nativePath.empty()) return nullptr;
    auto& entries = cache();
    const auto now = std::chrono::steady_clock::now();
    if (const auto found = entries.find(nativePath);
        found != entries.end() && now - found->second.checked < kRecheckAfter && ::IsWindow(found->second.sheet->grid()))
        return found->second.sheet.get();
    if (!stampOf(nativePath, stamp)) {
        // Gone: names that led here are resolved afresh next time (a file of another case may take its place).
        const std::string file = nativePath.substr(0, grid::spreadsheetFilePartLength(nativePath));
        for (auto& [base, names] : resolvedNames())
            std::erase_if(names, [&](const auto& entry) {
                return entry.second.compare(0, file.size(), file) == 0 &&
                       (entry.second.size() == file.size() || entry.second[file.size()] == '#');
            });
        cache().erase(nativePath);
        return nullptr;
    }
    if (const auto found = entries.find(nativePath); found != entries.end()) {
        if (found->second.stamp == stamp && ::IsWindow(found->second.sheet->grid())) {
            found->second.checked = now;
            return found->second.sheet.get();
        }
        entries.erase(found);
    }
    grid::registerSpreadClass();
    const HWND grid = ::CreateWindowEx(0, grid::kSpreadClassName, "", WS_POPUP, 0, 0, 640, 480, HWND(), 0);
    if (!grid) return nullptr;
    auto sheet = std::make_unique<LookUpSheet>(grid, nativePath);
    ++loads;
    if (!loadSpreadsheetFile(grid, nativePath)) return nullptr;  // the sheet's destructor drops the grid
    LookUpSheet* result = sheet.get();
    entries[nativePath] = CacheEntry{stamp, now, std::move(sheet)};
    return result;
}

void clearLookUpSheets() {
    cache().clear();
    resolvedNames().clear();
}

int lookUpSheetLoads() { return loads; }

}  // namespace vtl::ui
