#pragma once
// The bolt catalogue and the lists of offset types and base planes the macro dialogs offer.
#include "host/ac_array.h"
#include "vtlbase/export.h"
#include "vtlbase/macro/macro_data.h"

VTLBASE_API void GetAssemblies(Vtl_StringArray& assemblies);
VTLBASE_API void GetDiameters(const Vtl_String& assembly, Vtl_StringArray& diameters);
// The diameters of the assembly of the tab's bolts, of every macro edited together.
VTLBASE_API void GetMergedDiameters(const MacroData& macro, const Vtl_String& moduleName, AcArray<double>& diameters);

// Thirteen offset types and the mixed text last (the same list for both values of the flag). Index 0
// frees the X/Y offsets; 3 and 5-12 are the nine
// positions (3 the centre).
VTLBASE_API Vtl_StringArray getOffsetTypeStrings(bool forAdvanced);
// The list index of an offset type; the mixed entry for a mixed one.
VTLBASE_API int getDlgOffsetType(int offsetType, bool mixed);
// The offset type of a list index; negative for the mixed entry.
VTLBASE_API int getProfOffsetType(int index);
// Plane (pick), no plane, coordinate system, mixed.
VTLBASE_API Vtl_StringArray getBasePlaneStrings(bool forAdvanced);
