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

class KsFindReplaceDlg;

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
    // As attachToDlgItem, with the grid in its placeholder's place in the z-order and so in the tab order:
    // in front of a group box drawn around it, after the controls before it.
    bool attachInPlaceOfDlgItem(CWnd* parent, int controlId, bool parentIsChild);
    bool setStyle(int kind);
    void setContextMenu(const std::vector<int>& entries);
    void show();
    void hide();
    // The grid's numbered yes/no options (13 permanent editing, 30 the changed mark, ...).
    bool setOption(int number, bool on);
    bool getOption(int number) const;
    // Drawing off while a grid is filled, on again after.
    bool setRedraw(bool on) { return setOption(SS_SWITCH_REDRAW, on); }
    // The changed mark: set by every edit a person makes, cleared by the owner after its own writes.
    bool setChanged(bool changed) { return setOption(SS_SWITCH_CHANGED, changed); }
    bool isChanged() const { return getOption(SS_SWITCH_CHANGED); }
    // Whether the header row and the header column are shown.
    bool showHeaders(bool columnHeaders, bool rowHeaders);
    // Colours of locked cells, and whether locked cells are drawn in them (style 1) or plain.
    bool setLockColors(COLORREF back, COLORREF fore);
    bool setBackColorStyle(int style);

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
    bool addSpan(int col, int row, int cols, int rows);

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
    bool getActiveCell(int& col, int& row) const;
    bool getSelection(POINT& first, POINT& last) const;
    int getCurrentCol() const;
    int getCurrentRow() const;
    bool selectBlock(int c1, int r1, int c2, int r2);
    bool selectRow(int row);
    bool setActiveCell(int col, int row);
    // A cell's rectangle in the grid's client coordinates.
    bool getCellRect(int col, int row, RECT& rect) const;
    // The cell a notification of the grid concerns.
    bool getNotifyCell(int& col, int& row) const;
    bool getEditSelection(int& start, int& end) const;
    bool setEditSelection(int start, int end);
    // Whether a cell editor is open; closing it keeps what was typed.
    bool isEditing() const;
    bool setEditing(bool on);

    // ---- search and replace ----
    // Searches read the text a cell shows (a list's item, not its index; check boxes and buttons are
    // skipped) and ignore case; positions count characters.
    bool findInRow(const Vtl_String& text, int row, int fromCol, int& foundCol) const;
    bool findFrom(const Vtl_String& text, int fromCol, int fromRow, int& foundCol, int& foundRow) const;
    // Position of the first occurrence at or after `from` in the cell's text, or -1.
    int findInCell(const Vtl_String& text, int col, int row, int from = 0) const;
    // Makes the cell active and selects in its editor the first occurrence at or after `position` (a cell
    // without a text editor is only made active).
    bool selectFoundText(const Vtl_String& text, int col, int row, int position);
    bool replaceSelectedText(const Vtl_String& text);
    // Replaces every occurrence in the cell's value; false when there is none or the write fails.
    bool replaceInCell(int col, int row, const Vtl_String& find, const Vtl_String& replace);
    // Tells the grid's dialog that a cell changed by a person's request carried out in code (a find
    // dialog's replacement), as typing does: the changed mark and the value-changed notification.
    bool notifyUserChange(int col, int row);
    // Replace all: every cell holding the text, row by row from the first, is changed once (a replacement
    // holding the text is not searched again), and each is reported as a person's change. Answers the
    // number of cells changed.
    int replaceInAllCells(const Vtl_String& find, const Vtl_String& replace);

    // ---- keyboard and focus ----
    // True when the keyboard focus is in a grid (the grid or its cell editor).
    static bool isSpreadFocused();
    // For dialogs that let Tab leave their grids: result 1 lets the dialog act, 2 leaves forwards, 3
    // leaves backwards, 0 lets the grid move within itself.
    bool handleTabKey(UINT key, int& result);
    bool focusFirstOrLast(bool first);
    // Opens the find dialog, or with it open, finds next (false) or replaces (true).
    void runFind(bool replace);
    void closeFindDialog();
    KsFindReplaceDlg* findDialog() const { return findDialog_.get(); }
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
    // One combo-box cell with its own items; a list style from the control's combo styles.
    bool setComboCell(int col, int row, const Vtl_StringArray& items, DWORD style);
    bool setAlignment(int c1, int r1, int c2, int r2, int alignment);
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
    // A row (column) operation's index: the header or 0..count; other negatives fail.
    bool rowOk(int row) const { return attached_ && (row == HEADER || row >= 0) && row <= getRowCount(); }
    bool colOk(int col) const { return attached_ && (col == HEADER || col >= 0) && col <= getColCount(); }

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
    std::unique_ptr<KsFindReplaceDlg> findDialog_;
    bool f8Enabled_ = true;
    int fitParameter_ = 0;
    int fitValue_ = 0;
    std::vector<int> fitColumns_;
    std::vector<int> fitWidths_;
    int checkColumn_ = -1;
    int dependentColumn_ = -1;
};

}  // namespace vtl::ui
