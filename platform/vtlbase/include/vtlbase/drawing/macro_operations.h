#pragma once
// What the macro dialogs ask of the drawing. Every request is recorded in the journal; picks wait for a
// click in the drawing (answered by a person or a script) and report false when cancelled.
#include "host/ac_array.h"
#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/macro/macro_data.h"

// Applies the changed values of the tab of `moduleName` to the macro instances the record stands for; the
// drawing normalises them and the record receives the normalised values. True when the drawing changed.
VTLBASE_API bool UpdateModule(const Vtl_String& moduleName, MacroData& macro, const AcArray<int>& changes1,
                              const AcArray<int>& changes2);

VTLBASE_API void clashInitDlgStarted(int dialogId);
VTLBASE_API void clashResetInfo(int dialogId, const AcArray<AcDbObjectId>& ids);
VTLBASE_API void clashcheck(int dialogId, const AcArray<AcDbObjectId>& ids);
VTLBASE_API bool clashGetStatus();
VTLBASE_API void clashSetStatus(bool on);
VTLBASE_API void clashDlgClosed(int dialogId);

// Lets the person select other macros in the drawing; true when the record now holds them.
VTLBASE_API bool SelectOtherMacros(MacroData& macro);
// After a change of a filter selection; the drawing may change the tabs it offers.
VTLBASE_API void UpdateAllFilterModified(MacroData& macro, bool first);
// Applies a loaded property list (the two change tables of MacroData::differences).
VTLBASE_API void setAllToMacro(MacroData& macro, const Vtl_Array<AcArray<int>>& table1,
                               const Vtl_Array<AcArray<int>>& table2);
// Replaces the block of the tab's image; the tab's current image becomes the drawing's base name.
VTLBASE_API void swapBlockRefs(MacroData& macro, const Vtl_String& moduleName, const Vtl_String& drawingPath);
VTLBASE_API void EraseObject(const AcDbObjectId& id);

// Picks.
VTLBASE_API bool UserChooseSectionPoint(const Vtl_String& sectionName, double rotation, Vector2d& point);
VTLBASE_API bool UserSelectPlane(AcDbObjectId& object, Vtl_String& plane);
VTLBASE_API bool selectCoordSys(AcDbObjectId& id);
VTLBASE_API bool createCoordSys(AcDbObjectId& id);
VTLBASE_API void getAllCoordSys(AcArray<AcDbObjectId>& ids, Vtl_StringArray& names);
VTLBASE_API void ZoomCommand();
