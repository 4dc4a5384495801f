#pragma once
// The file functions the module calls, on module paths (backslashes, the library folder ending in one).
// Text on disk is Windows-1252 with CR LF; the conversions are the file layer's (vtlbase/files).
#include <chrono>

#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

using Vtl_FileTime = std::chrono::system_clock::time_point;

// A table file: one row per line, cells separated by TAB, no quoting. An empty line is one empty cell, so
// every row reads back as written; a TAB, CR or LF inside a cell is written as a blank. `typeName` is the
// file's name without folder and extension. False when the file cannot be read (the table unchanged).
VTLBASE_API bool readFile(const Vtl_String& path, Vtl_String& typeName, Vtl_Array<Vtl_StringArray>& rows);
VTLBASE_API bool writeFile(const Vtl_String& path, const Vtl_Array<Vtl_StringArray>& rows);

// A file's lines (CR LF or LF; an empty file has none); false when it cannot be read.
VTLBASE_API bool ObjectExportReadFile(const Vtl_String& path, Vtl_StringArray& lines);
VTLBASE_API bool ObjectExportWriteFile(const Vtl_String& path, const Vtl_StringArray& lines);
// The files of one folder matching a pattern ("*.shp", "Stock*.buy"), as full module paths, sorted.
VTLBASE_API void ObjectExportFindFiles(const Vtl_String& folder, const Vtl_String& pattern, Vtl_StringArray& files);
// The same below the folder too; folders reached through links are not entered.
VTLBASE_API void ObjectExportFindFilesRecursive(const Vtl_String& root, const Vtl_String& pattern,
                                                Vtl_StringArray& files);
VTLBASE_API bool ObjectExportGetFileTime(const Vtl_String& path, Vtl_FileTime& time);

// Path texts, as the module composes them.
VTLBASE_API Vtl_String changeExtension(const Vtl_String& path, const Vtl_String& extension);  // "bmp", no dot
VTLBASE_API Vtl_String removeExtension(const Vtl_String& path);
VTLBASE_API Vtl_String getFileName(const Vtl_String& path);  // without the folder
VTLBASE_API Vtl_String getPath(const Vtl_String& path);      // the folder, ending in "\"
VTLBASE_API Vtl_String ensureEndBSlash(const Vtl_String& path);
VTLBASE_API bool deleteFile(const Vtl_String& path);
// Shows a warning and answers false when a name a person typed cannot be a file name; true otherwise.
VTLBASE_API bool warnInvalidFileName(const Vtl_String& name);
