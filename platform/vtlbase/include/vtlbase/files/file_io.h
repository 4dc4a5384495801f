#pragma once
// Files as the module names them (module paths, see paths.h). Text files are read as UTF-8 whatever their
// encoding on disk and written as Windows-1252 with CR LF line ends (as UTF-8 with a byte-order mark when
// the Windows-1252 bytes would read back as other text, see encodeForFile). Writes that replace a file are atomic:
// a temporary file beside it, then a rename, so a failed write leaves the old file as it was. Every
// function reports failure; none throws.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vtlbase/export.h"

namespace vtl::base::files {

// The largest text file read (a larger one is refused, not loaded).
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{64} << 20;

VTLBASE_API bool readText(std::string_view path, std::string& text, std::string& error);
VTLBASE_API bool writeText(std::string_view path, std::string_view text, std::string& error);
VTLBASE_API bool readLines(std::string_view path, std::vector<std::string>& lines, std::string& error);
VTLBASE_API bool writeLines(std::string_view path, const std::vector<std::string>& lines, std::string& error);
// A file's bytes as they are on disk (a picture), and a file replaced (or created) atomically with exactly
// these bytes; both on module paths and both bounded by kMaxTextFileBytes for reading.
VTLBASE_API bool readBinary(std::string_view path, std::string& bytes, std::string& error);
VTLBASE_API bool writeBinary(std::string_view path, std::string_view bytes, std::string& error);
// Replaces (or creates) a file with exactly these bytes, atomically. `nativePath` is this machine's.
VTLBASE_API bool writeBytesAtomically(const std::string& nativePath, std::string_view bytes, std::string& error);

// Makes the n-th write, rename or folder creation from now on fail (0: none), as a full disk or a lost
// network folder would, so tests can show that a failed write keeps the old file. VTL_FAIL_WRITE_AT=n in
// the environment does the same for a whole run; a negative n returns to what the environment says.
VTLBASE_API void failFileWriteAt(long n);

VTLBASE_API bool fileExists(std::string_view path);
VTLBASE_API bool folderExists(std::string_view path);
// Copies a file over any existing target; copying a file onto itself changes nothing and succeeds.
VTLBASE_API bool copyFile(std::string_view from, std::string_view to, std::string& error);
VTLBASE_API bool deleteFile(std::string_view path);
// Creates an empty file, only when nothing of that name exists (in any case): an existing file is never
// replaced. False, and why in `error`, when the name is taken or the file cannot be made.
VTLBASE_API bool createNewFile(std::string_view path, std::string& error);
// Creates the folder and any missing folders above it.
VTLBASE_API bool createFolder(std::string_view path, std::string& error);
VTLBASE_API std::optional<std::chrono::system_clock::time_point> fileTime(std::string_view path);

// Names of the files (not folders) in one folder that match the pattern ("*.pr", "Stock*.shp"; "*.*" is
// every file), sorted without regard to case.
VTLBASE_API std::vector<std::string> findFiles(std::string_view folder, std::string_view pattern);
// The same with each file's last-write time, read in the same pass over the folder (no second look-up of
// each file by name).
struct FoundFile {
    std::string name;
    std::chrono::system_clock::time_point time;
};
VTLBASE_API std::vector<FoundFile> findFilesWithTimes(std::string_view folder, std::string_view pattern);
// Files below a folder that match, as paths relative to it with "\" separators, sorted. Folders reached
// through a link are not entered, so a link loop ends.
VTLBASE_API std::vector<std::string> findFilesRecursive(std::string_view folder, std::string_view pattern);

}  // namespace vtl::base::files
