#pragma once
// The stock files of the cutting-stock lists: per profile a folder library folder + "Cutting Stock\" +
// profile name + "\", holding ".shp" files (the shop's stock, list 2) and ".buy" files (what can be bought,
// list 3). A file is plain text, one row per line, its cells separated by the character "¿" (byte 191 of
// Windows-1252), without a header line. Saving proposes "Stock" + number, one above the largest number in
// use.
#include "frame/vtlbase.h"

namespace vtl::ui {

inline constexpr const char* kShopExtension = "shp";
inline constexpr const char* kBuyExtension = "buy";
// The cell separator of stock files.
inline constexpr char32_t kStockSeparator = U'\u00BF';

// library folder + "Cutting Stock\".
Vtl_String cuttingStockRoot();
// The profile's stock folder, ending with a backslash. False when the name cannot be a folder name (a path,
// "..", a drive, a device): such a name would lead outside "Cutting Stock\", so nothing is done with it.
bool stockFolder(const Vtl_String& profileName, Vtl_String& folder);

struct StockFile {
    Vtl_String path;
    Vtl_String name;  // without the folder
    Vtl_FileTime time{};
};
// The newest file of the folder with the extension (latest file time; of equal times the name sorted
// last); false when there is none or the folder is missing.
bool newestStockFile(const Vtl_String& folder, const Vtl_String& extension, StockFile& newest);
// The newest ".shp" and ".buy" files of a folder from one listing of it; `found` tells which exist.
struct NewestStockFiles {
    StockFile shop, buy;
    bool hasShop = false, hasBuy = false;
};
NewestStockFiles newestStockFiles(const Vtl_String& folder);

// folder + "Stock" + (N + 1) + "." + extension, N the largest number of the folder's files named "Stock" +
// digits + "." + extension (compared without regard to case, the numbers as numbers: Stock10 after Stock9).
Vtl_String nextStockFileName(const Vtl_String& folder, const Vtl_String& extension);
// The path, with "." + extension appended unless it already ends so (in any case). No case is changed.
Vtl_String withStockExtension(const Vtl_String& path, const Vtl_String& extension);

// The rows of a stock file; false, `rows` unchanged, when it cannot be read. Empty lines are passed over.
bool readStockFile(const Vtl_String& path, Vtl_Array<Vtl_StringArray>& rows);
// Writes the rows, replacing the file at once (a failed write leaves the old file as it was). A "¿" inside a
// cell is written as "?", so the row keeps its cells when read back. False with the reason in `error`.
bool writeStockFile(const Vtl_String& path, const Vtl_Array<Vtl_StringArray>& rows, std::string& error);

// How a file time reads in the report: "%d %B, %Y (%H:%M)", local time.
Vtl_String formatStockFileTime(Vtl_FileTime time);

}  // namespace vtl::ui
