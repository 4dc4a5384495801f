#pragma once
// gSectionTables: the section sizes of the library, read from its values tables (library folder +
// "prof\" + type + ".pr"). A section is named by its system name, type + "-" + size ("HEA-200"); its user
// name is the size's display name in the current language ("HEA 200").
//
// A table is read on first use and read again when its file changes (by file time), so a table the
// library editors write is seen at once. Shapes follow the values tables: a shape code 1 to 17 or the
// name of a drawing ending in ".dwg".
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API Vtl_SectionTables {
public:
    // The size's display name in the current language, else in English. False for an unknown type or
    // size, or a size without a display name.
    bool getUserName(const Vtl_String& sysName, Vtl_String& userName) const;
    // The type table a section belongs to: its type name and shape. False when the type has no table (the
    // size itself is not looked up).
    bool findTable(const Vtl_String& sysName, Vtl_String& typeName, Vtl_String& shape) const;
    // The names of every values table of the library, in natural order.
    void getTypeNames(Vtl_StringArray& typeNames) const;
    // The shape of a type; false when the type has no table.
    bool getShape(const Vtl_String& typeName, Vtl_String& shape) const;
    // The sizes of a type as system names, with their user names (the system name where a size has no
    // display name). With `activeOnly`, only sizes whose "I/O" flag is "1". False when the type has no
    // table; the arrays are then empty.
    bool getSizes(const Vtl_String& typeName, bool activeOnly, Vtl_StringArray& sysNames,
                  Vtl_StringArray& userNames) const;
    // Forgets every table read.
    void reset();
};

extern VTLBASE_API Vtl_SectionTables gSectionTables;

namespace vtl::base {
// The type part of a system name: the text before the first "-" (the whole text without one).
VTLBASE_API Vtl_String sectionTypeOf(const Vtl_String& sysName);
}  // namespace vtl::base
