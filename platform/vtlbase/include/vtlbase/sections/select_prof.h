#pragma once
// The section selector: a modal dialog offering the library's sections by group (beams and columns,
// angles, channels, hollow sections, bars, other sections, user sections), type and size, with the type's
// picture. A script answers it as "dialog 30101".
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"

struct VTLBASE_API DlgSelectProfData {
    // The section shown first: a system name ("HEA-200") or a user-section path ("User Sections\X.dwg").
    // Empty is the unknown state: the first group and type are shown and no size is chosen.
    Vtl_String initialName;
    // The chosen section: a system name, or for a user section its drawing's full path, library folder +
    // "User Sections\" + name + ".dwg".
    Vtl_String profName;
};

// Runs the selector. With `withUserSections` the user sections of the library (the drawings in its
// "User Sections\" folder) are offered as a group of their own. True with `profName` set when the person
// confirms a size (OK or a double click); false, `profName` unchanged, when cancelled.
VTLBASE_API bool DlgSelectProf(DlgSelectProfData& data, bool withUserSections);

namespace vtl::base {
constexpr int kSelectProfTemplate = 30101;
constexpr int kSelectProfGroupId = 1001;
constexpr int kSelectProfTypeId = 1003;
constexpr int kSelectProfSizeId = 1005;
constexpr int kSelectProfPictureId = 1006;
constexpr int kSelectProfNameId = 1007;
// The user-section folder below the library folder.
inline constexpr const char* kUserSectionsFolder = "User Sections\\";
}  // namespace vtl::base
