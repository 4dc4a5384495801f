#pragma once
// KsFormulaDlg: the spreadsheet layer's formula dialog (template 133, "Formulas"). One class, three uses
// chosen by its mode before it runs: 1 the evaluation bench (EvaluateSS), 2 the answer to one FROMTABLE
// call, 4 the reader that turns a spreadsheet file into a title, column names and rows (ReadSSFile).
//
// FROMTABLE(file, cell [, target cell]) reads a cell of another spreadsheet file;
// FROMTABLE(file, key column, value column, key) finds the first row whose key column holds the key and
// answers that row's value. Looked-up files are read through the look-up cache; names without a folder
// are taken beside the sheet making the call. A file already being answered further up the chain of
// nested look-ups, or a chain deeper than kMaxLookUpDepth, gives an empty result.
#include <string>
#include <vector>

#include "frame/spread_control.h"
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "win/dialog.h"

namespace vtl::ui {

class KsFormulaDlg : public CDialog {
public:
    static constexpr UINT IDD = 133;
    static constexpr int kFileNameId = 1000;
    static constexpr int kSaveId = 1001;
    static constexpr int kGridId = 1004;
    static constexpr int kStyleDefaultId = 1005;
    static constexpr int kStyleA1Id = 1006;
    static constexpr int kStyleR1C1Id = 1007;
    static constexpr int kLoadId = 1087;
    static constexpr int kAutoCalcId = 1106;
    static constexpr int kRecalcId = 1107;
    static constexpr int kEvaluate = 1;
    static constexpr int kAnswer = 2;
    static constexpr int kReadTable = 4;

    explicit KsFormulaDlg(CWnd* parent = nullptr);
    ~KsFormulaDlg() override;

    Vtl_Spread grid;
    int mode = 0;
    HWND callerGrid;
    SS_VALUE* result = nullptr;
    SS_VALUE* arguments = nullptr;
    int argumentCount = 0;
    Vtl_String fileName;
    int evalCol = 1;
    int evalRow = 1;
    Vtl_String resultText;
    Vtl_StringArray* columnNamesOut = nullptr;
    Vtl_Array<Vtl_StringArray>* tableOut = nullptr;
    Vtl_String title;
    // Mode 4: whether the file could be read.
    bool loaded = false;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void setReferenceStyle(int style);
    void onSave();
    void onLoad();
    void onAutoCalculate();
    void recalculateAll();
    void readTable();
    // Loads the file named by `name` into the dialog's grid; false when it cannot be read.
    bool loadIntoGrid(const Vtl_String& name);

    std::string nativeFile_;
};

// Registers "FROMTABLE" on the grid: 2 to 4 arguments, references passed as such. Nothing for no grid.
void registerFromTable(HWND grid);

// The grid whose formulas are being calculated at the moment (FROMTABLE's caller), and a scope that sets
// it and puts the previous one back.
HWND currentCalcGrid();
class CurrentGridScope {
public:
    explicit CurrentGridScope(HWND grid);
    ~CurrentGridScope();
    CurrentGridScope(const CurrentGridScope&) = delete;
    CurrentGridScope& operator=(const CurrentGridScope&) = delete;

private:
    HWND previous_;
};

// Nested look-ups: at most this many files are being answered at once (below the control's own limit on
// nested functions, so a chain too deep ends empty rather than in an error text).
inline constexpr int kMaxLookUpDepth = 12;
// The files (native paths) being answered now, outermost first.
const std::vector<std::string>& lookUpChain();

// Whether FROMTABLE answers without showing the "Formulas" dialog: the dialog setting "SILENT_LOOKUPS"
// under "DLG_FORMULAS" (off unless set).
bool fromTableSilent();
// Answers one FROMTABLE call from a sheet: the whole of the look-up, shared by both ways of answering.
void answerFromTable(HWND callerGrid, SS_VALUE* result, SS_VALUE* arguments, int count);

}  // namespace vtl::ui
