#pragma once
// Vtl_Spread: the module's one class for a spreadsheet grid. A dialog replaces a placeholder control of
// its template with it and then talks to the grid only through it: counts, cells, whole rows, columns and
// tables, headers, row and column editing, selection, search and replace primitives, a context menu, a
// few keys, cell types, fonts, sizes, locks and spans. It holds the grid's handle and calls the SS...
// functions; every operation fails (false, or -1 for counts) until the grid is attached.
#include <memory>
#include <vector>

#include "common/ks_popup_menu.h"
#include "frame/host.h"
#include "frame/spread_control.h"
#include "frame/vtlbase.h"
#include "win/dc.h"
#include "win/dialog.h"

namespace vtl::ui {

// The module's framework class for a window of the grid's class; it adds no data.
class TSpread : public CWnd {};

class Vtl_Spread : public TSpread {
public:
    static constexpr int HEADER = -32767;
    static constexpr int kCheckBoxStyle = 768;
    // Context-menu entry kinds.
    enum MenuEntry { separator = 1, copy = 2, paste = 3, insertRowEntry = 4, deleteRowEntry = 5,
                     insertColEntry = 6, deleteColEntry = 7, checkAll = 8, uncheckAll = 9 };

    Vtl_Spread();
    ~Vtl_Spread() override;
    Vtl_Spread(const Vtl_Spread&) = delete;
    Vtl_Spread& operator=(const Vtl_Spread&) = delete;

    static const char* runtimeClassName() { return "Vtl_Spread"; }
    bool isAttached() const { return attached_; }
    HWND grid() const { return m_hWnd; }
    int controlId() const { return controlId_; }

    // ---- lifecycle and setup ----
    bool attachToDlgItem(CWnd* parent, int controlId, bool parentIsChild);
    bool setStyle(int kind);
    void setContextMenu(const std::vector<int>& entries);
    void show();
    void hide();

    // ---- counts and bulk transfer ----
    int getRowCount() const;
    int getColCount() const;
    bool setRowCount(int n);
    bool setColCount(int n, bool copyLast);
    bool setColumn(int col, const Vtl_StringArray& strings, bool asValue);
    bool setColumnInts(int col, const Vtl_Array<int>& ints);
    bool setColumnDoubles(int col, const Vtl_Array<double>& doubles);
    bool setColumnBools(int col, const AcArray<bool>& bools);
    bool setColumnIndexes(int col, const Vtl_Array<int>& ints);
    bool getColumn(int col, Vtl_StringArray& strings, int kind) const;
    bool getColumnValues(int col, Vtl_StringArray& strings) const { return getColumn(col, strings, 3); }
    bool getColumnTexts(int col, Vtl_StringArray& strings) const { return getColumn(col, strings, 0); }
    bool getColumnInts(int col, Vtl_Array<int>& ints) const;
    bool getColumnDoubles(int col, Vtl_Array<double>& doubles) const;
    bool getColumnBools(int col, AcArray<bool>& bools) const;
    bool setRow(int row, const Vtl_StringArray& strings);
    bool getRow(int row, Vtl_StringArray& strings) const;
    bool getTable(Vtl_Array<Vtl_StringArray>& table) const;
    bool setRowHeaders(const Vtl_StringArray& strings) { return setColumn(HEADER, strings, false); }
    bool getRowHeaders(Vtl_StringArray& strings) const { return getColumn(HEADER, strings, 0); }
    bool setColHeaders(const Vtl_StringArray& strings) { return setRow(HEADER, strings); }
    bool getColHeaders(Vtl_StringArray& strings) const { return getRow(HEADER, strings); }

    // ---- single cells ----
    bool getCellText(int col, int row, Vtl_String& text, int kind = 0) const;
    bool setCellText(int col, int row, const Vtl_String& text);
    bool setCellValue(int col, int row, const Vtl_String& value);
    bool setCellDouble(int col, int row, double value);
    bool getCellDouble(int col, int row, double& value) const;
    bool setCellCheck(int col, int row, bool checked);
    bool getCellCheck(int col, int row, bool& checked) const;
    int getCellKind(int col, int row) const;

    // ---- rows and columns ----
    bool insertRow(int row, bool askName, bool copyNext);
    bool insertCol(int col, bool askName, bool copyNext);
    bool insertRowAfterCurrent(bool copyNext);
    bool deleteRow(int row);
    bool deleteCol(int col);
    bool deleteCurrentRow();
    bool swapRows(int first, int last, int dest);
    bool moveCurrentRowUp();
    bool moveCurrentRowDown();
    bool setChecksInSelection(bool checked);

    // ---- selection and focus ----
    bool getActiveCell(int& col, int& row);
    bool getSelection(POINT& first, POINT& last) const;
    int getCurrentCol() const;
    int getCurrentRow() const;
    bool selectBlock(int c1, int r1, int c2, int r2);
    bool selectRow(int row);
    bool getEditSelection(int& start, int& end) const;

    // ---- search and replace ----
    bool findInRow(const Vtl_String& text, int row, int fromCol, int& foundCol) const;
    bool findFrom(const Vtl_String& text, int fromCol, int fromRow, int& foundCol, int& foundRow) const;
    int findInCell(const Vtl_String& text, int col, int row) const;
    bool selectFoundText(const Vtl_String& text, int col, int row, int position);
    bool replaceSelectedText(const Vtl_String& text);
    bool replaceInCell(int col, int row, const Vtl_String& find, const Vtl_String& replace);

    // ---- keyboard and focus ----
    // True when the keyboard focus is in a grid (the grid or its cell editor).
    static bool isSpreadFocused();
    // For dialogs that let Tab leave their grids: result 1 lets the dialog act, 2 leaves forwards, 3
    // leaves backwards, 0 lets the grid move within itself.
    bool handleTabKey(UINT key, int& result);
    bool focusFirstOrLast(bool first);
    void runFind(bool replace);
    void closeFindDialog();
    void enableF8(bool enable) { f8Enabled_ = enable; }

    // ---- fonts ----
    bool setFont(int c1, int r1, int c2, int r2, bool bold, bool alsoTips);
    bool setHeaderFonts();
    bool setRowFont(int row);
    bool setColFont(int col);
    void setFontFace(const Vtl_String& face, int height) { fontFace_ = face; fontHeight_ = height; }

    // ---- cell types ----
    bool setEditBlock(int c1, int r1, int c2, int r2, DWORD style, int maxLength);
    bool setComboColumn(int col, const Vtl_StringArray& items, bool editable);
    bool setCheckColumn(int col, bool align, bool spanHeader);
    bool setCheckCell(int col, int row, bool align);
    bool setCheckPairs(const Vtl_StringArray& labels, const AcArray<bool>& checks, int row);
    bool setButtonCell(int col, int row, const Vtl_String& caption);

    // ---- locks ----
    bool setCellLock(int col, int row, bool locked);
    bool lockColumn(int col);
    bool setCheckDependency(int checkCol, int depCol);
    bool isCellEditable(int col, int row) const;
    bool findFirstEditableCell(int& col, int& row) const;
    bool findLastEditableCell(int& col, int& row) const;
    bool noEditableCellAfter(int col, int row) const;

    // ---- sizes ----
    bool autoFitColumn(int col);
    bool autoFitRow(int row);
    bool autoFitColumns();
    bool autoFitRows();
    bool autoFitAll();
    double getCellTextWidth(int col, int row) const;
    double getMaxTextWidth(int col) const;
    void setFitMode(int mode, int parameter = 0, int value = 0);
    void setFitColumns(int mode, const Vtl_Array<int>& columns, const Vtl_Array<int>& widths);
    bool applyFitMode();

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool loadCheckPictures();
    void applyCheckDependency(int row);
    void runMenuAction(int kind);
    void showContextMenu();
    bool askName(int titleRowOrCol, Vtl_String& name);
    bool rowOk(int row) const { return attached_ && row <= getRowCount(); }
    bool colOk(int col) const { return attached_ && col <= getColCount(); }

    bool attached_ = false;
    CWnd* parent_ = nullptr;
    int controlId_ = 0;
    Vtl_String fontFace_ = "Tahoma";
    int fontHeight_ = 15;
    int fitMode_ = 0;
    CBitmap boxOn_;
    CBitmap boxOff_;
    std::unique_ptr<KsPopupMenu> menuBuilder_;
    std::vector<int> menuEntries_;
    std::unique_ptr<CDialog> findDialog_;
    bool f8Enabled_ = true;
    int fitParameter_ = 0;
    int fitValue_ = 0;
    std::vector<int> fitColumns_;
    std::vector<int> fitWidths_;
    int checkColumn_ = -1;
    int dependentColumn_ = -1;
};

}  // namespace vtl::ui
