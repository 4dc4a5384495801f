#pragma once
// The grid control's programming interface: functions on the handle of a window of the class
// "fpSpread70". Cells are (column, row) from 1; SS_HEADER (or 0) addresses the header row or column.
// Calls on a handle that is no grid, and addresses outside the counts, fail (FALSE, 0 or an empty
// result); they never crash. Program calls never notify the parent and never set the changed mark
// (switch 30): only what the user does does that.
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/font.h"
#include "grid/export.h"
#include "win/clipboard.h"
#include "win/types.h"

constexpr int SS_HEADER = -32767;

// Content kinds for SSGetCellContent and friends.
constexpr int SS_CONTENT_TEXT = 0;     // the displayed text
constexpr int SS_CONTENT_FORMULA = 1;  // the formula without its "="
constexpr int SS_CONTENT_TAG = 2;
constexpr int SS_CONTENT_VALUE = 3;

// Cell type kinds: the first field of a type record.
constexpr std::uint8_t SS_KIND_EDIT = 1;
constexpr std::uint8_t SS_KIND_STATIC_TEXT = 2;
constexpr std::uint8_t SS_KIND_COMBO_BOX = 3;
constexpr std::uint8_t SS_KIND_BUTTON = 4;
constexpr std::uint8_t SS_KIND_PICTURE = 5;
constexpr std::uint8_t SS_KIND_CHECK_BOX = 12;
constexpr std::uint8_t SS_KIND_NUMBER = 15;

// Style bits.
constexpr DWORD SS_COMBO_EDITABLE = 0x2;
constexpr DWORD SS_STATIC_CENTER = 0x04;
constexpr DWORD SS_STATIC_VCENTER = 0x08;
constexpr DWORD SS_STATIC_WORDWRAP = 0x80;
constexpr DWORD SS_NUMBER_RIGHT = 0x200;

// Switch numbers with a behaviour (the others 0..63 are kept and read back).
constexpr int SS_SWITCH_COLUMN_HEADERS = 3;
constexpr int SS_SWITCH_ROW_HEADERS = 4;
constexpr int SS_SWITCH_AUTO_CALC = 7;
constexpr int SS_SWITCH_REDRAW = 8;
constexpr int SS_SWITCH_HORZ_SCROLLBAR = 10;
constexpr int SS_SWITCH_VERT_SCROLLBAR = 11;
constexpr int SS_SWITCH_USER_FORMULAS = 12;
constexpr int SS_SWITCH_PERMANENT_EDIT = 13;
constexpr int SS_SWITCH_CHANGED = 30;

constexpr int SS_MODE_NORMAL = 0;
constexpr int SS_MODE_LIST = 5;

// Alignment values for SSSetBlockAlign: 0 resets both directions.
constexpr int SS_ALIGN_DEFAULT = 0;
constexpr int SS_ALIGN_LEFT = 1;
constexpr int SS_ALIGN_CENTER = 2;
constexpr int SS_ALIGN_RIGHT = 3;
constexpr int SS_ALIGN_TOP = 4;
constexpr int SS_ALIGN_BOTTOM = 5;
constexpr int SS_ALIGN_VCENTER = 6;

// Notification codes: the high word of the WM_COMMAND the grid sends its parent.
constexpr WORD SSN_CHECK_SET = 59;
constexpr WORD SSN_CHECK_CLEARED = 60;
constexpr WORD SSN_VALUE_CHANGED = 61;
constexpr WORD SSN_BUTTON_CLICKED = 62;
constexpr WORD SSN_ACTIVE_CELL_CHANGED = 63;
constexpr WORD SSN_CELL_CLICKED = 64;
constexpr WORD SSN_CELL_RIGHT_CLICKED = 65;

// A cell type record: filled by one of the SSSetType... functions, then applied to cells.
struct SS_CELLTYPE {
    std::uint8_t kind = 0;
    DWORD style = 0;
    int maxLength = 0;        // edit: code points, 0 = no limit
    int charSet = 0;          // edit
    int charCase = 1;         // edit
    std::string items;        // combo box: tab-separated
    std::string caption;      // check box, button
    HBITMAP pictures[4]{};    // check box: clear, set, focused clear, focused set; button: [0]
    std::string fileName;     // picture
    int decimals = 2;         // number
    double minValue = 0;      // number
    double maxValue = 0;      // number
};

struct SS_TEXTTIP {
    int mode = 0;  // 0 off
    int delayMs = 500;
    LOGFONT font;
    bool hasFont = false;  // false: tips use the cell's font
    COLORREF back = 0xFFFFFFFFu;
    COLORREF fore = 0xFFFFFFFFu;
};

// ---- the window class ----
VTLGRID_API BOOL SSIsGrid(HWND grid);
// Whether a window is a grid or one of a grid's own windows (its cell editor, its dropped list).
VTLGRID_API BOOL SSIsGridWindow(HWND window);

// ---- counts and structure ----
VTLGRID_API int SSGetColCount(HWND grid);
VTLGRID_API BOOL SSSetColCount(HWND grid, int count);
VTLGRID_API int SSGetRowCount(HWND grid);
VTLGRID_API BOOL SSSetRowCount(HWND grid, int count);
// Insert and delete keep the counts: an insert pushes the last row (column) off, a delete leaves an
// empty one at the end. Index 0 or the header fails.
VTLGRID_API BOOL SSInsertRow(HWND grid, int row);
VTLGRID_API BOOL SSDeleteRow(HWND grid, int row);
VTLGRID_API BOOL SSInsertCol(HWND grid, int col);
VTLGRID_API BOOL SSDeleteCol(HWND grid, int col);

// ---- sizes ----
VTLGRID_API double SSGetColWidth(HWND grid, int col);
VTLGRID_API BOOL SSSetColWidth(HWND grid, int col, double units);
VTLGRID_API int SSGetColWidthPixels(HWND grid, int col);
VTLGRID_API BOOL SSSetColWidthPixels(HWND grid, int col, int pixels);
VTLGRID_API double SSGetRowHeight(HWND grid, int row);
VTLGRID_API BOOL SSSetRowHeight(HWND grid, int row, double units);
VTLGRID_API int SSGetRowHeightPixels(HWND grid, int row);
VTLGRID_API BOOL SSSetRowHeightPixels(HWND grid, int row, int pixels);
// The width and height (control units) a cell's content needs in its font.
VTLGRID_API BOOL SSGetPreferredCellSize(HWND grid, int col, int row, double* width, double* height);
// The largest preferred width and height (control units) over the block's cells, the header row and
// column included when the block names them (SS_HEADER or 0); a null pointer skips that side. FALSE when
// a corner lies outside the counts.
VTLGRID_API BOOL SSGetPreferredBlockSize(HWND grid, int col1, int row1, int col2, int row2, double* width, double* height);
// The largest preferred width (control units) of each column col1..col2 over rows row1..row2, into
// widths[0..col2-col1] (the header column, SS_HEADER or 0, counts as column 0); one pass over the cells
// row by row, for fitting many columns. FALSE when a corner lies outside the counts.
VTLGRID_API BOOL SSGetPreferredColWidths(HWND grid, int col1, int col2, int row1, int row2, double* widths);
// The largest preferred height (control units) of each row row1..row2 over columns col1..col2, into
// heights[0..row2-row1] (the header row counts as row 0); one pass, for fitting many rows. FALSE when a
// corner lies outside the counts.
VTLGRID_API BOOL SSGetPreferredRowHeights(HWND grid, int row1, int row2, int col1, int col2, double* heights);
// The area cells are drawn in, without the scroll bars.
VTLGRID_API BOOL SSGetClientRect(HWND grid, RECT* rect);
// A cell's rectangle in the grid's client coordinates (a span anchor's covers the span).
VTLGRID_API BOOL SSGetCellRect(HWND grid, int col, int row, RECT* rect);
// The rows shown whole: the first row shown and how many rows from it lie wholly inside the cell area
// (rows of height 0 are not counted; 0 when even the first is cut or the header row fills the area).
VTLGRID_API BOOL SSGetWholeRowsShown(HWND grid, int* firstRow, int* count);

// ---- content ----
VTLGRID_API BOOL SSSetCellText(HWND grid, int col, int row, const char* text);
VTLGRID_API BOOL SSSetCellValue(HWND grid, int col, int row, const char* value);
// Stores the formula (a leading "=" is dropped); its result is computed by recalculation.
VTLGRID_API BOOL SSSetCellFormula(HWND grid, int col, int row, const char* formula);
// Length in bytes of the chosen content (SS_CONTENT_...), without the terminating zero.
VTLGRID_API int SSGetCellContentLength(HWND grid, int col, int row, int kind);
// Copies the content with a terminating zero into buffer (size bytes, never split inside a character);
// returns the bytes copied without the zero.
VTLGRID_API int SSGetCellContent(HWND grid, int col, int row, int kind, char* buffer, int size);
// The same for C++ callers.
VTLGRID_API std::string SSGetCellString(HWND grid, int col, int row, int kind);
// The same into `out`, reusing its storage: for scans over many cells. FALSE (out empty) for a handle that
// is no grid.
VTLGRID_API BOOL SSGetCellString(HWND grid, int col, int row, int kind, std::string& out);
// The contents of cells col1..col2 of a row into out[0..col2-col1] (resized, its strings reused): for
// scans row by row. FALSE when the row or a column lies outside the counts.
VTLGRID_API BOOL SSGetRowStrings(HWND grid, int row, int col1, int col2, int kind, std::vector<std::string>& out);
VTLGRID_API BOOL SSSetCellTag(HWND grid, int col, int row, const char* tag);
VTLGRID_API int SSGetCellTag(HWND grid, int col, int row, char* buffer, int size);
// Empties text and formula of the block's cells.
VTLGRID_API BOOL SSClearBlock(HWND grid, int col1, int row1, int col2, int row2);

// ---- colours and fonts ----
VTLGRID_API BOOL SSSetCellColor(HWND grid, int col, int row, COLORREF back, COLORREF fore);
VTLGRID_API BOOL SSGetCellColor(HWND grid, int col, int row, COLORREF* back, COLORREF* fore);
VTLGRID_API BOOL SSSetBlockColor(HWND grid, int col1, int row1, int col2, int row2, COLORREF back, COLORREF fore);
// The font's description is copied: the caller may delete its font afterwards.
VTLGRID_API BOOL SSSetBlockFont(HWND grid, int col1, int row1, int col2, int row2, HFONT font);
// The cell's font, owned by the grid.
VTLGRID_API HFONT SSGetCellFont(HWND grid, int col, int row);

// ---- cell types ----
VTLGRID_API void SSSetTypeEdit(HWND grid, SS_CELLTYPE* type, DWORD style, int maxLength, int charSet, int charCase);
VTLGRID_API void SSSetTypeStaticText(HWND grid, SS_CELLTYPE* type, DWORD style);
VTLGRID_API void SSSetTypeComboBox(HWND grid, SS_CELLTYPE* type, DWORD style, const char* items);
VTLGRID_API void SSSetTypeCheckBox(HWND grid, SS_CELLTYPE* type, DWORD style, const char* caption, HBITMAP clear,
                                   HBITMAP set, HBITMAP focusedClear, HBITMAP focusedSet);
VTLGRID_API void SSSetTypeButton(HWND grid, SS_CELLTYPE* type, DWORD style, const char* caption, HBITMAP picture);
VTLGRID_API void SSSetTypePicture(HWND grid, SS_CELLTYPE* type, DWORD style, const char* fileName);
VTLGRID_API void SSSetTypeNumber(HWND grid, SS_CELLTYPE* type, DWORD style, int decimals, double maxValue,
                                 double minValue);
VTLGRID_API BOOL SSSetCellType(HWND grid, int col, int row, const SS_CELLTYPE* type);
VTLGRID_API BOOL SSSetBlockType(HWND grid, int col1, int row1, int col2, int row2, const SS_CELLTYPE* type);
VTLGRID_API BOOL SSGetCellType(HWND grid, int col, int row, SS_CELLTYPE* type);

// ---- locks ----
VTLGRID_API BOOL SSSetCellLock(HWND grid, int col, int row, BOOL locked);
VTLGRID_API BOOL SSGetCellLock(HWND grid, int col, int row);
VTLGRID_API BOOL SSSetBlockLock(HWND grid, int col1, int row1, int col2, int row2, BOOL locked);

// ---- spans ----
VTLGRID_API BOOL SSAddCellSpan(HWND grid, int col, int row, int cols, int rows);
// 0: the cell is in no span; 1: it anchors one; 2: it is covered by one. The out values describe the span.
VTLGRID_API int SSGetCellSpan(HWND grid, int col, int row, int* anchorCol, int* anchorRow, int* cols, int* rows);
VTLGRID_API BOOL SSRemoveCellSpan(HWND grid, int col, int row);

// ---- blocks ----
VTLGRID_API BOOL SSCopyBlock(HWND grid, int col1, int row1, int col2, int row2, int destCol, int destRow);
VTLGRID_API BOOL SSSwapBlocks(HWND grid, int col1, int row1, int col2, int row2, int destCol, int destRow);
VTLGRID_API BOOL SSSetBlockAlign(HWND grid, int col1, int row1, int col2, int row2, int alignment);

// ---- active cell, selection, edit mode ----
// Fails when the grid has no data cell.
VTLGRID_API BOOL SSGetActiveCell(HWND grid, int* col, int* row);
VTLGRID_API BOOL SSSetActiveCell(HWND grid, int col, int row);
// Fails when no block is selected. Far corners of -1 mean "to the last column/row".
VTLGRID_API BOOL SSGetSelectBlock(HWND grid, int* col1, int* row1, int* col2, int* row2);
VTLGRID_API BOOL SSSetSelectBlock(HWND grid, int col1, int row1, int col2, int row2);
VTLGRID_API BOOL SSClearSelection(HWND grid);
// On: the active cell opens its editor. Off: the editor's text is committed.
VTLGRID_API BOOL SSSetEditMode(HWND grid, BOOL on);
VTLGRID_API BOOL SSGetEditMode(HWND grid);
// The selected characters of the editor, in code points; fails when not editing. Set clamps.
VTLGRID_API BOOL SSGetEditSel(HWND grid, int* start, int* end);
VTLGRID_API BOOL SSSetEditSel(HWND grid, int start, int end);

// ---- behaviour and looks ----
VTLGRID_API BOOL SSSetSwitch(HWND grid, int number, BOOL on);
VTLGRID_API BOOL SSGetSwitch(HWND grid, int number);
VTLGRID_API BOOL SSSetOperationMode(HWND grid, int mode);
VTLGRID_API int SSGetOperationMode(HWND grid);
VTLGRID_API BOOL SSSetGrayAreaColor(HWND grid, COLORREF back, COLORREF fore);
VTLGRID_API BOOL SSSetLockColor(HWND grid, COLORREF back, COLORREF fore);
VTLGRID_API BOOL SSSetSelColor(HWND grid, COLORREF back, COLORREF fore);
VTLGRID_API BOOL SSSetGridLines(HWND grid, int style, COLORREF colour);
VTLGRID_API BOOL SSSetAppearance(HWND grid, int appearance);
VTLGRID_API BOOL SSSetActionKey(HWND grid, int action, BOOL shift, BOOL ctrl, int key);
VTLGRID_API BOOL SSSetBackColorStyle(HWND grid, int style);
VTLGRID_API BOOL SSSetCellNoteIndicator(HWND grid, int indicator);
VTLGRID_API BOOL SSSetDisplaySetting(HWND grid, int first, int second);
VTLGRID_API BOOL SSSetTextTip(HWND grid, const SS_TEXTTIP* tip);
VTLGRID_API BOOL SSGetTextTip(HWND grid, SS_TEXTTIP* tip);
VTLGRID_API BOOL SSSetRefStyle(HWND grid, int style);
VTLGRID_API int SSGetRefStyle(HWND grid);
// Back to a fresh grid: 0 x 0, default sizes, switches and looks.
VTLGRID_API BOOL SSReset(HWND grid);

// ---- clipboard ----
VTLGRID_API BOOL SSCopySelection(HWND grid);
VTLGRID_API BOOL SSCutSelection(HWND grid);
VTLGRID_API BOOL SSPasteSelection(HWND grid);

// ---- notifications ----
// The cell the last notification concerned.
VTLGRID_API BOOL SSGetNotifyCell(HWND grid, int* col, int* row);
// For a change a person asked for that the program carried out (a replacement made by a find dialog):
// sets the changed mark and sends the parent the value-changed notification for the cell, as typing
// does. FALSE for an address outside the counts.
VTLGRID_API BOOL SSNotifyValueChanged(HWND grid, int col, int row);

// ---- calculation and files ----
// Formulas are written and read in the grid's reference style (SSSetRefStyle: 0 default and 1 A1,
// "B3", "$B$3", "A1:B3"; 2 R1C1, "R3C2", "R[1]C[-1]", "RC"). A result shows in the cell as its text;
// errors show as "#DIV/0!", "#VALUE!", "#REF!", "#NAME?" (a function not registered yet), "#NUM!",
// "#N/A", "#CIRC!" (a cell that depends on itself) and "#DEPTH!" (registered functions nested deeper
// than 16 calls, across all grids).

// A value record: one argument of a registered function, or its result.
constexpr std::uint8_t SS_VALUE_STATUS_OK = 0;
constexpr std::uint8_t SS_VALUE_STATUS_ERROR = 1;
constexpr std::uint8_t SS_VALUE_STATUS_EMPTY = 2;
constexpr std::uint8_t SS_VALUE_TYPE_LONG = 0;
constexpr std::uint8_t SS_VALUE_TYPE_DOUBLE = 1;
constexpr std::uint8_t SS_VALUE_TYPE_TEXT = 2;   // UTF-8 with a terminating zero in a movable block
constexpr std::uint8_t SS_VALUE_TYPE_CELL = 3;   // (col, row) of the calling grid
constexpr std::uint8_t SS_VALUE_TYPE_RANGE = 4;  // (col, row)..(col2, row2) of the calling grid
struct SS_VALUE {
    std::uint8_t status = SS_VALUE_STATUS_OK;
    std::uint8_t type = SS_VALUE_TYPE_LONG;
    std::int32_t longValue = 0;
    double doubleValue = 0;
    HGLOBAL text;  // arguments: owned by the grid; a result: allocated by the function (GlobalAlloc),
                   // freed by the grid
    int col = 0;
    int row = 0;
    int col2 = 0;
    int row2 = 0;
};

// Called with the result record (status EMPTY on entry), the arguments and their count; returns TRUE
// when it answered. FALSE makes the cell #VALUE!.
using SS_CUSTFUNC = BOOL (*)(SS_VALUE* result, SS_VALUE* arguments, int argumentCount);
// Flag: an argument written as a plain reference or range arrives as type CELL or RANGE instead of the
// referenced value.
constexpr unsigned SS_CUSTFUNC_WANTCELLREF = 0x1;

// Registers a function on the grid (the same name again replaces it; case is ignored; it wins over a
// built-in). Called with fewer than minArgs or more than maxArgs arguments, the cell is empty and the
// function is not called. The function may load files into other grids and recalculate them.
VTLGRID_API BOOL SSAddCustomFunctionExt(HWND grid, const char* name, int minArgs, int maxArgs, SS_CUSTFUNC function,
                                        unsigned flags);
// Stores a formula (a leading "=" is dropped; "" removes it). FALSE, and the cell unchanged, when the
// text does not parse. With buildDependencies the cell's dependencies are updated at once and, while
// switch 7 is on, the cell and its dependents are calculated; without, they wait for the next
// recalculation (SSReCalcCell or SSReCalc), which suits entering many formulas.
VTLGRID_API BOOL SSSetFormula(HWND grid, int col, int row, const char* formula, BOOL buildDependencies);
// Calculates the cell (precedents not yet calculated first) and, while switch 7 is on, its dependents.
// FALSE when the cell holds no formula or the grid is calculating already.
VTLGRID_API BOOL SSReCalcCell(HWND grid, int col, int row);
// Calculates every formula of the grid.
VTLGRID_API BOOL SSReCalc(HWND grid);
// The grid and cell whose formula is calling a registered function at the moment (the innermost call);
// FALSE outside such a call.
VTLGRID_API BOOL SSGetCalcCell(HWND* grid, int* col, int* row);
// Saves cell contents, formulas with their last results, types, locks, fonts, colours, alignment, spans,
// sizes, tags and header texts to a file of this system (written beside it, then renamed over it).
// 1 when the complete file is on disk, 0 otherwise.
VTLGRID_API int SSSaveToFile(HWND grid, const char* fileName);
// Loads a file SSSaveToFile wrote, or a spreadsheet of another program by its extension: ".csv" (separator
// and decimal sign detected, UTF-8 or Windows-1252), ".xlsx" or ".ods" (the first sheet, or the one named
// after a '#': "Bolts.xlsx#M-bolts"; formulas as their cached results). The first row of such a file
// becomes the header row. Non-zero on success; on any failure (missing, truncated, corrupt, encrypted,
// other version, no such sheet) the grid is left exactly as it was. Switches, settings and registered
// functions stay; formulas are not recalculated (their saved results show).
VTLGRID_API int SSLoadFromFile(HWND grid, const char* fileName);
