#pragma once
// gSettings: where the add-on's library lives. libDir() is the library folder ending in a backslash, as the
// add-on composes Windows-style paths onto it (libDir() + "prof\\HEA.pr"); the file layer translates them.
// The folder is, in this order of preference: the one the host was given on its command line (setLibDir,
// e.g. from vtlhost's --library DIR), the environment variable VTL_LIBDIR, or the bundled sample library
// samples/library of the source tree (its path is compiled in; when that folder is gone, the first
// samples/library found going up from the folder of libvtlbase.so). A relative folder is made absolute.
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"

class VTLBASE_API Vtl_Settings {
public:
    Vtl_String libDir() const;
    // An empty folder forgets the one set, so VTL_LIBDIR or the default apply again.
    void setLibDir(const Vtl_String& folder);
};

extern VTLBASE_API Vtl_Settings gSettings;
