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

// Whether a file may be written at the normalised module path `normalised` (as nameFromPath gives it):
// the place it lands on disk, with every link on the way followed, lies inside the designer root as it
// lies on disk. A link inside the root that leads out of it is refused.
bool landsInsideRoot(const Vtl_String& normalised);
// Whether `path` names a design file that may be written: below the root (nameFromPath), ending in ".txt"
// (in any case), and landing inside the root on disk. Gives the design name and the normalised path.
bool writableDesignPath(const Vtl_String& path, Vtl_String& name, Vtl_String& normalised);

}  // namespace vtl::designer
