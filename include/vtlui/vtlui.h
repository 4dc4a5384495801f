#pragma once
// The module's exported functions. Callers link libvtlui.so and call these on the host's UI thread.
#include <string>

#include "vtlbase/macro/macro_data.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/export.h"

class DlgCSP2Data;
class EditConstrData;
class DlgMacroCutsData;
class DlgProfCutsData;

class KsLevelsDlgData;
class KsMACallBackData;
struct DlgProfFeaturesData;

// The entry routine the host's loader calls: reason 1 attaches the module, 0 detaches it. Answers 0 when
// the module cannot start (the load is refused).
extern "C" VTLUI_API int DllMain(void* instance, unsigned reason);
// The host's application entry: message 1 initialises the module (unloadable, serving several documents,
// its check-box pictures loaded), message 2 prepares it for unloading (its command group "VORTAL_SS"
// removed, its pictures released). Answers 0 for every message.
extern "C" VTLUI_API int acrxEntryPoint(int message, void* appId);

// What the sample dialog edits and hands back.
struct VtlSampleData {
    std::string name;            // edit 1001
    int option = 0;              // 3-state check box 1002: 0, 1 or 2 (indeterminate)
    std::string windowTreeJson;  // the dialog's window tree as the module saw it when it opened
};

// A sample dialog (template 100) that shows the module's linking end to end: it loads from the module's
// own resources and runs modally on the host's window system. True and `data` updated on OK.
VTLUI_API bool StartDlgSample(VtlSampleData& data);

// Designed dialogs. The designer root is the library folder + "Dialog Templates\Dialog Design\".
VTLUI_API Vtl_String getDesignerRootFolder();
// The names of every design below the root, sub-folders included, as "Sub\Name" (no extension), sorted.
VTLUI_API void getModuleImages(Vtl_StringArray& names);
// The contents of the type-2 controls of the design at `path` (empty when it cannot be read).
VTLUI_API void GetImageDlgCtrlNames(const Vtl_String& path, Vtl_StringArray& names);
// The dialog designer, modal, on the design at `path` (the full path of its ".txt" file below the root) or,
// for an empty path, a new design. True when it was closed with Close; what was saved is on disk either
// way.
VTLUI_API bool StartDlgDesigner(const Vtl_String& path);

// The macro dialog, modal: edits the record's tabs, applies every change to the drawing, and hands the
// record back as it ends, whichever way it is closed.
VTLUI_API void StartDlgMacro(MacroData& macro);

// Modeless macro dialogs: each lives in a slot whose number is the dialog id the caller keeps. Opening
// takes the highest free slot; without `keepFocus` the host's main window keeps the keyboard focus.
VTLUI_API bool StartDlgMacroModeless(bool keepFocus, MacroData& macro, int& id);
// The record as the dialog in slot `id` has it now; false (macro untouched) for an empty or invalid slot.
VTLUI_API bool GetDlgMacroData(int id, MacroData& macro);
// Closes the dialog in slot `id`; while its macro is busy the close is retried every 50 milliseconds.
VTLUI_API bool EndDlgMacroModeless(int id);
// Closes every modeless macro dialog, from the last slot to the first.
VTLUI_API void DestroyAllMacroDlgs();

// The array dialog on one dynamic array of a macro: its design, kind, name, values, dimensions (offered
// from the number cells of the module `moduleName` of the macros `ids` stand for) and entries. True and
// the record updated on OK; on Cancel the record is untouched.
VTLUI_API bool StartArrayDlg(DynArrayData& array, const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName);

// The constraints editor on a parametric macro: its modules, rules, geometry flexibility, variables and
// equations, every change applied to the drawing at once. Modal: true when closed with OK; the caller's
// record is not written back.
VTLUI_API bool StartDlgEditConstrModal(EditConstrData& data);
// The constraints editor as one modeless window beside the drawing; the host's main window keeps the
// focus. While it is open, another call leaves it as it is. True when the editor is open.
VTLUI_API bool StartDlgEditConstraints(EditConstrData& data);
// Closes the modeless editor, if any; the host's command prompt follows.
VTLUI_API void EndDlgEditConstraints();

// The levels dialog: browses the named levels of a model, changes their heights, adds and deletes levels.
// True and the record updated on OK; on Cancel the record is untouched.
VTLUI_API bool StartDlgLevels(KsLevelsDlgData& levels);

// The DSTV point groups of the library: new, delete, make standard and edit a group's points. Modal.
VTLUI_API void StartDSTVPointsDlg();

// The cutting-stock dialog: per profile of a job what is to be cut, the shop's stock and what can be
// bought, with the stock files of each profile and the report of the newest ones. True and the record
// updated on OK; on Cancel the record is untouched.
VTLUI_API bool StartDlgCSP2(DlgCSP2Data& data);

// ---- spreadsheets ----
class KsGridDlgData;
class KsLookUpDlgData;
template <class T>
class Vtl_Array;

// The evaluation bench: the "Formulas" dialog on the sheet "c:\a\t3.sss" (drive c: as the file layer maps
// it), its cell (1, 1) calculated; the user saves, loads and recalculates. Modal. "Load from File" reads the
// grid's own files and CSV, XLSX and ODS files ("Bolts.xlsx#Preload" names a workbook's sheet); "Save to
// File" writes the grid's own format, or CSV of the shown texts under a ".csv" name.
VTLUI_API void EvaluateSS();
// Reads a spreadsheet file (the grid's own, CSV, XLSX or ODS; a workbook's first row gives the column
// headers): the text of cell (1, 1), the column headers and every row's texts. A file that cannot be read
// gives empty outputs and "Load failed" on the command line.
VTLUI_API void ReadSSFile(const Vtl_String& file, Vtl_String& title, Vtl_StringArray& columnNames,
                          Vtl_Array<Vtl_StringArray>& table);
// Whether FROMTABLE answers its look-ups without showing the "Formulas" dialog for each (kept as the dialog
// setting "SILENT_LOOKUPS" of "DLG_FORMULAS"). True when the setting was stored.
VTLUI_API bool SetFromTableSilent(bool silent);
// A table of texts edited in a grid, one column per name (none: false at once), rows labelled when labels
// are given, rows added and removed when allowed. Only rows with one text per column are shown; the others
// stay in the table as they were. True and the table updated on OK. The dialog's size is kept under
// `dialogName` ("DLG_SS_STRINGARRAY" when empty).
VTLUI_API bool startGridDialog(const Vtl_StringArray& columnNames, const Vtl_StringArray& rowLabels,
                               Vtl_Array<Vtl_StringArray>& table, bool allowAddRemove, Vtl_String dialogName,
                               Vtl_String caption);
// The parameters of a building grid in two directions. True and the record updated on OK.
VTLUI_API bool StartDlgGrid(KsGridDlgData& data);
// The criteria of a look-up. True and the record updated on OK or Show all (closedBy tells which).
VTLUI_API bool StartDlgLookUp(KsLookUpDlgData& data);

// What the profile-advanced dialog asks of its callback: read the properties into the record, store the
// record (and update the drawing), a pick in the drawing is about to start (the dialog is hidden), the pick
// has ended (the dialog shows again).
enum KsMACallBackType { KsMACallBackRead = 0, KsMACallBackStore = 1, KsMACallBackPickStart = 2, KsMACallBackPickEnd = 3 };
// The callback of the list variant: the profiles are the data's object ids.
using KsMAProfCallBack = bool (*)(KsMACallBackType type, KsMACallBackData& data, MacroProfData& record);

// The profile-advanced dialog on one profile group of a macro; every change updates the drawing at once.
// Afterwards a temporary object of the macro (the flag set and exactly one object id) is erased, and so is
// a coordinate system made in the dialog. False when the dialog could not run.
VTLUI_API bool StartDlgMacroProfAdv(MacroData& macro, const Vtl_String& moduleName, const Vtl_String& groupName, bool option);
// The profile-advanced dialog on a list of profiles, read and stored through the caller's callback. Returns
// at once (false) for no or an empty list; `listMode` goes in as the "show as a list" check and comes back
// as the person left it.
VTLUI_API bool StartDlgMacroProfAdv(const AcArray<AcDbObjectId>* profiles, bool& listMode, KsMAProfCallBack callback);

// The cuts made on a profile: each previewed in the drawing as it is selected, deleted one by one, or
// another profile chosen in the drawing. Every action works on the drawing at once; true on Close.
VTLUI_API bool StartEditProfCutsDlg(DlgProfCutsData& data);
// A profile feature: its section and up to four labelled values the caller supplies. True and the record
// updated on OK; on Cancel the record is untouched.
VTLUI_API bool StartDlgProfFeatures(DlgProfFeaturesData& data);

class Vtl_ProfValuesTable;
// The simple library editor: adds one size to a section type whose size names are built from dimensions
// ("100x50x6"), starting from the size `sysName` (its "SysName"; the first row when absent). On OK the
// table holds the new row at its sorted place, `index` is its position among the active rows (-1 when
// nothing could be added) and true is returned; the caller writes the file. On Cancel nothing changes.
VTLUI_API bool StartDlgEditLibSimple(const Vtl_String& sysName, Vtl_ProfValuesTable& table, int& index);

class DlgEditLibData;
// The section library editor: the section groups and types of the record, and the values tables of the
// library's "prof\" folder, which it reads and writes itself. `sysName` (a section such as "HEA-200", or
// empty) opens the values tables on its table and size. True and the record updated on OK; on Cancel
// the record is unchanged (tables stored while the editor ran stay stored).
VTLUI_API bool StartDlgEditLibSections(DlgEditLibData& data, const Vtl_String& sysName);

// Makes or edits one cut of a macro: type, name, options, variable values, and the macro and module it
// belongs to. True and the record updated on OK; otherwise false and the record untouched. `escape` tells
// whether the dialog was left with Escape.
VTLUI_API bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& escape);
// Lets the person choose a connection macro from the library's thumbnails, narrowed by a filter of modules
// and properties. On OK `selected` is the macro's drawing ("....dwg") and `alternative` false, or
// `alternative` true when the person chose the other way (offered only when `alternative` comes in true).
// `hint` shows the double-click hint when the other way is not offered. False on Cancel.
VTLUI_API bool StartDlgSelectMacro(const Vtl_String& caption, const Vtl_StringArray& moduleNames,
                                   const AcArray<bool>& moduleStates, const int& previewWidth, const int& previewHeight,
                                   Vtl_String& selected, bool& alternative, bool hint);
