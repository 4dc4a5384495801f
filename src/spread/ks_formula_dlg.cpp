#include "spread/ks_formula_dlg.h"

#include <algorithm>
#include <cstring>

#include "frame/export_guard.h"
#include "frame/host.h"
#include "frame/module.h"
#include "spread/look_up_sheets.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/clipboard.h"

namespace vtl::ui {
namespace {
constexpr const char* kFunctionName = "FROMTABLE";
constexpr const char* kSettingsName = "DLG_FORMULAS";
constexpr const char* kSilentKey = "SILENT_LOOKUPS";
constexpr const char* kEvaluationFile = "c:\\a\\t3.sss";
constexpr int kStartRows = 10;
constexpr int kStartCols = 8;
constexpr int kNumberBlock = 6;
constexpr DWORD kNumberStyle = 0x10000200;

HWND gCurrentGrid;
std::vector<std::string> gChain;

// Puts a file on the chain of files being answered for as long as it lives.
class ChainLink {
public:
    explicit ChainLink(std::string path) { gChain.push_back(std::move(path)); }
    ~ChainLink() { gChain.pop_back(); }
    ChainLink(const ChainLink&) = delete;
    ChainLink& operator=(const ChainLink&) = delete;
};

bool onChain(const std::string& path) { return std::find(gChain.begin(), gChain.end(), path) != gChain.end(); }

std::string displayedText(HWND grid, int col, int row) {
    std::string text;
    SSGetCellString(grid, col, row, SS_CONTENT_TEXT, text);
    return text;
}

std::string textOfGlobal(HGLOBAL block) {
    const auto* bytes = static_cast<const char*>(::GlobalLock(block));
    std::string text = bytes ? std::string(bytes) : std::string();
    if (bytes) ::GlobalUnlock(block);
    return text;
}

// An argument as text: a long in decimal digits, a double with 2 decimals, a text unchanged, a cell (or
// the first cell of a range) as the caller grid shows it.
std::string argumentText(const SS_VALUE& value, HWND caller) {
    switch (value.type) {
    case SS_VALUE_TYPE_LONG: return std::to_string(value.longValue);
    case SS_VALUE_TYPE_DOUBLE: return Vtl_String(value.doubleValue, 2).str();
    case SS_VALUE_TYPE_TEXT: return textOfGlobal(value.text);
    case SS_VALUE_TYPE_CELL:
    case SS_VALUE_TYPE_RANGE: return displayedText(caller, value.col, value.row);
    default: return {};
    }
}

// The target cell's content as the result, by the kind of its cell type.
void readResult(HWND sheet, int col, int row, SS_VALUE& result) {
    SS_CELLTYPE type;
    if (col < 1 || row < 1 || col > SSGetColCount(sheet) || row > SSGetRowCount(sheet) ||
        !SSGetCellType(sheet, col, row, &type)) {
        result.status = SS_VALUE_STATUS_ERROR;
        return;
    }
    std::string text;  // the displayed text, read only where the result needs it (not for numbers)
    switch (type.kind) {
    case 10:
    case 12:
        result.type = SS_VALUE_TYPE_LONG;
        text = displayedText(sheet, col, row);
        result.longValue = Vtl_String(text).toInt();
        break;
    case 14:
    case 15:
    case 16: {
        std::string value;
        SSGetCellString(sheet, col, row, SS_CONTENT_VALUE, value);
        result.type = SS_VALUE_TYPE_DOUBLE;
        result.doubleValue = Vtl_String(value).toDouble();
        break;
    }
    default: {
        result.type = SS_VALUE_TYPE_TEXT;
        text = displayedText(sheet, col, row);
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        void* bytes = block ? ::GlobalLock(block) : nullptr;
        if (!bytes) {
            if (block) ::GlobalFree(block);
            acutPrintf("Reallocate failed\n");
            result.status = SS_VALUE_STATUS_ERROR;
            return;
        }
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        result.text = block;
        break;
    }
    }
    result.status = SS_VALUE_STATUS_OK;
    switch (result.type) {
    case SS_VALUE_TYPE_LONG: acutPrintf("Result is long: %i\n", static_cast<int>(result.longValue)); break;
    case SS_VALUE_TYPE_DOUBLE: acutPrintf("Result is double: %f\n", result.doubleValue); break;
    case SS_VALUE_TYPE_TEXT: acutPrintf("Result is string: %s\n", text.c_str()); break;
    case SS_VALUE_TYPE_CELL: acutPrintf("Result is cell\n"); break;
    default: acutPrintf("Result is range\n"); break;
    }
}

// The caller of a FROMTABLE call: the current grid, or, when no one set it, the grid the control is
// calculating.
HWND callerOfCall() {
    if (gCurrentGrid && SSIsGrid(gCurrentGrid)) return gCurrentGrid;
    HWND grid;
    int col = 0, row = 0;
    return SSGetCalcCell(&grid, &col, &row) ? grid : HWND();
}

// The file a call names, when it may be answered: not already being answered up the chain, and the
// chain not at its limit. Empty otherwise, or when the call names no file.
std::string answerablePath(HWND caller, const SS_VALUE* arguments, int count) {
    if (!arguments || count < 1 || arguments[0].status != SS_VALUE_STATUS_OK || arguments[0].type != SS_VALUE_TYPE_TEXT)
        return {};
    const std::string path =
        spreadsheetNativePath(Vtl_String(textOfGlobal(arguments[0].text)), spreadsheetFolderOf(caller));
    if (path.empty() || onChain(path) || static_cast<int>(gChain.size()) >= kMaxLookUpDepth) return {};
    return path;
}

BOOL fromTableCallback(SS_VALUE* result, SS_VALUE* arguments, int count) {
    return guardExport("FROMTABLE", TRUE, [&] {
        const HWND caller = callerOfCall();
        // A refused look-up opens no dialog: a cycle of files must not open one per turn.
        if (answerablePath(caller, arguments, count).empty()) {
            if (result) result->status = SS_VALUE_STATUS_EMPTY;
            return TRUE;
        }
        if (fromTableSilent()) {
            answerFromTable(caller, result, arguments, count);
            return TRUE;
        }
        KsTempResourceOverride::Scope resources(resourceOverride());
        KsFormulaDlg dlg;
        dlg.mode = KsFormulaDlg::kAnswer;
        dlg.callerGrid = caller;
        dlg.result = result;
        dlg.arguments = arguments;
        dlg.argumentCount = count;
        dlg.DoModal();
        return TRUE;
    });
}
}  // namespace

HWND currentCalcGrid() { return gCurrentGrid; }

CurrentGridScope::CurrentGridScope(HWND grid) : previous_(gCurrentGrid) { gCurrentGrid = grid; }
CurrentGridScope::~CurrentGridScope() { gCurrentGrid = previous_; }

const std::vector<std::string>& lookUpChain() { return gChain; }

bool fromTableSilent() {
    bool silent = false;
    readDlgRegBool(kSettingsName, kSilentKey, silent);
    return silent;
}

void registerFromTable(HWND grid) {
    if (!grid || !SSIsGrid(grid)) return;
    SSAddCustomFunctionExt(grid, kFunctionName, 2, 4, &fromTableCallback, SS_CUSTFUNC_WANTCELLREF);
}

void answerFromTable(HWND caller, SS_VALUE* result, SS_VALUE* arguments, int count) {
    if (!result) return;
    result->status = SS_VALUE_STATUS_EMPTY;
    if (!arguments || !caller || count < 1) return;
    for (int i = 0; i < count; ++i)
        if (arguments[i].status != SS_VALUE_STATUS_OK) return;
    // A file already being answered up the chain would answer itself for ever.
    const std::string path = answerablePath(caller, arguments, count);
    if (path.empty()) return;
    LookUpSheet* sheet = lookUpSheet(path);
    if (!sheet) return;
    const HWND grid = sheet->grid();
    registerFromTable(grid);

    int col = 0, row = 0;
    if ((count == 2 || count == 3) && arguments[1].type == SS_VALUE_TYPE_CELL) {
        col = arguments[1].col;
        row = arguments[1].row;
    } else if (count == 4) {
        col = sheet->findColumn(argumentText(arguments[2], caller));
        const int keyCol = sheet->findColumn(argumentText(arguments[1], caller));
        row = keyCol > 0 ? sheet->findRow(keyCol, argumentText(arguments[3], caller)) : 0;
        if (col == 0 || keyCol == 0 || row == 0) return;
    } else {
        return;
    }

    {
        ChainLink link(path);
        CurrentGridScope scope(grid);
        SSReCalcCell(grid, col, row);
    }
    if (count == 3) {
        if (arguments[2].type == SS_VALUE_TYPE_CELL)
            SSSetCellText(caller, arguments[2].col, arguments[2].row, displayedText(grid, col, row).c_str());
        return;
    }
    readResult(grid, col, row, *result);
}

KsFormulaDlg::KsFormulaDlg(CWnd* parent) : CDialog(IDD, parent) {}

KsFormulaDlg::~KsFormulaDlg() = default;

bool KsFormulaDlg::loadIntoGrid(const Vtl_String& name) {
    nativeFile_ = spreadsheetNativePath(name);
    return loadSpreadsheetFile(grid.grid(), nativeFile_);
}

BOOL KsFormulaDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetForegroundWindow();
    SetFocus();
    SetDlgItemText(kFileNameId, fileName.c_str());
    grid.attachToDlgItem(this, kGridId, true);
    const HWND h = grid.grid();
    SSSetSwitch(h, SS_SWITCH_USER_FORMULAS, TRUE);
    SSSetSwitch(h, SS_SWITCH_AUTO_CALC, FALSE);
    CheckDlgButton(kAutoCalcId, BST_UNCHECKED);
    CheckRadioButton(kStyleDefaultId, kStyleR1C1Id, kStyleDefaultId);
    registerFromTable(h);
    SSSetRowCount(h, kStartRows);
    SSSetColCount(h, kStartCols);
    SSSetDisplaySetting(h, 4, 5);
    SS_CELLTYPE number;
    SSSetTypeNumber(h, &number, kNumberStyle, 2, 9999, -9999);
    SSSetBlockType(h, 1, 1, kNumberBlock, kNumberBlock, &number);

    // A mode-2 dialog shows the looked-up file; its answer comes from the look-up cache.
    Vtl_String file = fileName;
    if (mode == kAnswer && arguments && argumentCount >= 1 && arguments[0].status == SS_VALUE_STATUS_OK &&
        arguments[0].type == SS_VALUE_TYPE_TEXT)
        file = textOfGlobal(arguments[0].text);
    if (!file.isEmpty()) {
        const std::string base = mode == kAnswer ? spreadsheetFolderOf(callerGrid) : std::string();
        nativeFile_ = spreadsheetNativePath(file, base);
        loaded = loadSpreadsheetFile(h, nativeFile_);
        if (mode == kAnswer) SetDlgItemText(kFileNameId, file.c_str());
        acutPrintf("Loading spreadsheet:%s\n", file.c_str());
        // The bench and the reader say when their file could not be read; a look-up answers empty.
        if (!loaded && mode != kAnswer) acutPrintf("Load failed\n");
        registerFromTable(h);
    }
    if (mode == kReadTable) {
        readTable();
        EndDialog(IDOK);
        return TRUE;
    }
    if (mode == kEvaluate) {
        CurrentGridScope scope(h);
        // The bench's own file counts as being answered: a sheet that looks itself up ends at once.
        std::unique_ptr<ChainLink> link;
        if (loaded && !onChain(nativeFile_)) link = std::make_unique<ChainLink>(nativeFile_);
        SSReCalcCell(h, evalCol, evalRow);
        resultText = displayedText(h, evalCol, evalRow);
    } else if (mode == kAnswer) {
        answerFromTable(callerGrid, result, arguments, argumentCount);
    }
    onAutoCalculate();
    return TRUE;
}

BOOL KsFormulaDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (id) {
        case kStyleDefaultId: setReferenceStyle(0); return TRUE;
        case kStyleA1Id: setReferenceStyle(1); return TRUE;
        case kStyleR1C1Id: setReferenceStyle(2); return TRUE;
        case kSaveId: onSave(); return TRUE;
        case kLoadId: onLoad(); return TRUE;
        case kAutoCalcId: onAutoCalculate(); return TRUE;
        case kRecalcId: recalculateAll(); return TRUE;
        default: break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void KsFormulaDlg::OnDestroy() {
    forgetSpreadsheetGrid(grid.grid());
    CDialog::OnDestroy();
}

void KsFormulaDlg::setReferenceStyle(int style) {
    const HWND h = grid.grid();
    SSSetRefStyle(h, style);
    CurrentGridScope scope(h);
    for (int row = 1; row <= 5; ++row) {
        std::string formula;
        SSGetCellString(h, 4, row, SS_CONTENT_FORMULA, formula);
        if (row == 5 && formula.empty()) break;
        SSSetFormula(h, 1, row, formula.c_str(), FALSE);
        SSReCalcCell(h, 1, row);
    }
    grid.autoFitColumn(1);
}

void KsFormulaDlg::onSave() {
    const std::string path = spreadsheetNativePath(Vtl_String(GetDlgItemText(kFileNameId)));
    if (!saveSpreadsheetFile(grid.grid(), path)) acutPrintf("Save failed\n");
}

void KsFormulaDlg::onLoad() {
    if (!loadIntoGrid(Vtl_String(GetDlgItemText(kFileNameId)))) acutPrintf("Load failed\n");
    registerFromTable(grid.grid());
}

void KsFormulaDlg::onAutoCalculate() {
    const bool on = IsDlgButtonChecked(kAutoCalcId) == BST_CHECKED;
    {
        // Turning automatic calculation on calculates what waits: FROMTABLE must find its caller.
        CurrentGridScope scope(grid.grid());
        SSSetSwitch(grid.grid(), SS_SWITCH_AUTO_CALC, on ? TRUE : FALSE);
    }
    EnDisCtrl(this, kRecalcId, !on);
}

void KsFormulaDlg::recalculateAll() {
    CurrentGridScope scope(grid.grid());
    SSReCalc(grid.grid());
}

void KsFormulaDlg::readTable() {
    if (columnNamesOut) columnNamesOut->removeAll();
    if (tableOut) tableOut->removeAll();
    title = "";
    // A file that could not be read gives nothing: the starting grid is no table of the caller's.
    if (!loaded) return;
    const HWND h = grid.grid();
    title = displayedText(h, 1, 1);
    const int cols = SSGetColCount(h);
    const int rows = SSGetRowCount(h);
    if (columnNamesOut)
        for (int col = 1; col <= cols; ++col) columnNamesOut->append(Vtl_String(displayedText(h, col, 0)));
    if (!tableOut) return;
    std::vector<std::string> texts;
    for (int row = 1; row <= rows; ++row) {
        Vtl_StringArray line;
        SSGetRowStrings(h, row, 1, cols, SS_CONTENT_TEXT, texts);
        for (const std::string& text : texts) line.append(Vtl_String(text));
        tableOut->append(std::move(line));
    }
}

}  // namespace vtl::ui

void EvaluateSS() {
    vtl::ui::guardExport("EvaluateSS", [] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::KsFormulaDlg dlg;
        dlg.mode = vtl::ui::KsFormulaDlg::kEvaluate;
        dlg.fileName = vtl::ui::kEvaluationFile;
        dlg.evalCol = 1;
        dlg.evalRow = 1;
        dlg.DoModal();
    });
}

void ReadSSFile(const Vtl_String& file, Vtl_String& title, Vtl_StringArray& columnNames,
                Vtl_Array<Vtl_StringArray>& table) {
    vtl::ui::guardExport("ReadSSFile", [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        Vtl_StringArray names;
        Vtl_Array<Vtl_StringArray> rows;
        vtl::ui::KsFormulaDlg dlg;
        dlg.mode = vtl::ui::KsFormulaDlg::kReadTable;
        dlg.fileName = file;
        dlg.columnNamesOut = &names;
        dlg.tableOut = &rows;
        // An empty name reads nothing: the outputs are emptied as for a file that cannot be read.
        if (file.isEmpty()) acutPrintf("Load failed\n");
        else dlg.DoModal();
        title = dlg.title;
        columnNames = names;
        table = rows;
    });
}

bool SetFromTableSilent(bool silent) {
    return vtl::ui::guardExport("SetFromTableSilent", false,
                                [&] { return writeDlgRegBool(vtl::ui::kSettingsName, vtl::ui::kSilentKey, silent); });
}
