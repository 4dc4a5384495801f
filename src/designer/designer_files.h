#pragma once
// Where designed dialogs live, and how a path becomes a design name.
#include "frame/vtlbase.h"

namespace vtl::designer {

// The relative name of `path` below the designer root, without extension and with "\" separators
// ("Sub\Name"). The path is normalised first (either separator, ".", "..", drive folders), the root is
// compared without regard to case, and a path that leaves the root, is the root itself or names an
// unmapped drive is refused (false, `name` untouched).
bool nameFromPath(const Vtl_String& path, Vtl_String& name);
// The same, also giving the normalised path (root + relative path) that file access must use, so the file
// touched is the one whose name was checked ("Sub\link\..\x" is never handed to the system).
bool nameFromPath(const Vtl_String& path, Vtl_String& name, Vtl_String& normalised);

// The file name for a design name with an extension ("txt", "bmp"): root + name + "." + extension.
Vtl_String designPath(const Vtl_String& name, const char* extension);

}  // namespace vtl::designer
