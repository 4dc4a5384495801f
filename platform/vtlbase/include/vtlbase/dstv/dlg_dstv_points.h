#pragma once
// DlgDstvPoints: the DSTV point groups of the library. Each group is a file "<name>.dat" in the folder
// library folder + "DSTV Points\"; one group is the standard group, remembered in that folder's
// "standard.ini" as "standard=<name>.dat". The manager dialog of the module inherits this class beside its
// window base.
//
// A group file holds one point per line, its fields separated by TAB: name, by geometric extent (0/1),
// extent side 1 and side 2 (0-3), by intersecting geometry (0/1), middle (0/1), intersection side (0-3),
// plate choice (0-4), minimum distance from the edge, drill full hole (0/1), diameter follows plate
// thickness (0/1), hole diameter. Numbers are written in their shortest form with '.'; the file is
// Windows-1252 with CR LF line ends like the add-on's other files, an empty file is a group without points
// and empty lines are passed over. Group names are file names: a name that is no valid file name (a path,
// "..", a device) names no group, so nothing is read or written outside the folder.
#include "vtlbase/dstv/vtl_dstv_point_info.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API DlgDstvPoints {
public:
    virtual ~DlgDstvPoints() = default;

    // The names of the groups (without extension), sorted without regard to case; the array is replaced.
    void getAllDstvPointsFiles(Vtl_StringArray& names) const;
    // The folder of the groups, ending with a backslash.
    Vtl_String getDstvPointsFolder() const;
    // The file name of the standard group ("Beams.dat"); empty when none is set.
    Vtl_String getStandardDstvPointsFile() const;
    // Remembers the group as the standard one (a name without extension gets ".dat"); false when the name
    // names no group file or the choice cannot be written.
    bool setStandardDstvPointsFile(const Vtl_String& name);
    // The points of a group. False, the points unchanged, when the file cannot be read or a line is not a
    // point (a field missing or too many, a flag other than 0 or 1, a side or plate out of range, a number
    // that is no number).
    bool readFromFile(const Vtl_String& name, Vtl_Array<Vtl_DstvPointInfo>& points) const;
    // Replaces the group's file (creating the folder when needed); false when it cannot be written, the old
    // file then as it was.
    bool writeToFile(const Vtl_String& name, const Vtl_Array<Vtl_DstvPointInfo>& points) const;

    // The file path of a group ("...\DSTV Points\Beams.dat"); empty when the name is no valid file name.
    Vtl_String groupFilePath(const Vtl_String& name) const;
};
