#pragma once
// Paths as the module composes them (backslashes, a library folder ending in a separator, sometimes a drive
// such as "c:\a\t3.sss") translated at the operating-system boundary: "\" becomes "/", a drive maps to a
// folder configured for it, and a name that does not exist exactly is found per path component without
// regard to case, as the platform would find it. A whole path is never lower-cased.
#include <string>
#include <string_view>

#include "vtlbase/export.h"

namespace vtl::base::files {

// Module paths on drive `drive` ("c") live below `folder` on this machine.
VTLBASE_API void setDriveFolder(char drive, const std::string& folder);
VTLBASE_API void clearDriveFolders();

// This machine's spelling of a module path; empty when it names a drive that has no folder.
VTLBASE_API std::string nativePath(std::string_view modulePath);
// The existing file or folder a native path names: each component exactly when it exists, else the one
// entry of its folder that matches without regard to case (the first in sorted order when several do).
// Components from the first missing one on keep the case given.
VTLBASE_API std::string resolveCase(const std::string& nativePath);
// nativePath, then resolveCase: what a module path names on disk (empty for an unmapped drive).
VTLBASE_API std::string resolve(std::string_view modulePath);

// A file name against a search pattern: '*' and '?' are wild, every other character is itself, case is
// ignored (ASCII and the Latin-1 letters).
VTLBASE_API bool wildcardMatch(std::string_view pattern, std::string_view name);
// Whether a name a person typed can become a file name in a folder: not empty, no path separators, no
// ":*?\"<>|" or control characters, not "." or "..", no trailing dot or blank, not a device name (CON,
// NUL, COM1, ...). False with the reason in `reason`.
VTLBASE_API bool validFileName(std::string_view name, std::string& reason);
// Equal without regard to case, as file names compare.
VTLBASE_API bool sameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vtl::base::files
