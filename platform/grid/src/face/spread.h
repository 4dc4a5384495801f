#pragma once
// One grid window: the cell model it shows, and what the window adds to it: the active cell, the
// selection block, edit mode with its editor window, the dropped list of a combo cell, the text tip over a
// cut-off cell, a header border being dragged, the first visible row and column, and the notifications it
// sends to its parent.
//
// Every window of the class "fpSpread70" has one Spread, made at WM_NCCREATE and gone at WM_NCDESTROY.
// Program calls (the SS... functions) never notify; user input notifies once per action, after the
// state has changed, and the parent may change or rebuild the grid from inside its handler.
#include <memory>
#include <optional>
#include <string>

#include "face/spread_layout.h"
#include "model/sheet.h"
#include "win/types.h"

class CFont;

namespace vtl::grid {

// Command codes the grid sends to its parent in the high word of WM_COMMAND.
namespace notify {
inline constexpr WORD checkSet = 59;
inline constexpr WORD checkCleared = 60;
inline constexpr WORD valueChanged = 61;
inline constexpr WORD buttonClicked = 62;
inline constexpr WORD activeCellChanged = 63;
inline constexpr WORD cellClicked = 64;
inline constexpr WORD cellRightClicked = 65;
}  // namespace notify

class Spread {
public:
    explicit Spread(HWND window);
    ~Spread();
    Spread(const Spread&) = delete;
    Spread& operator=(const Spread&) = delete;

    // The grid behind a handle: the grid window itself, its editor or its dropped list.
    static Spread* from(HWND window);
    static bool isSpreadWindow(HWND window);

    HWND window() const { return window_; }
    HWND editor() const { return editor_; }
    HWND dropList() const { return dropList_; }
    HWND tipWindow() const { return tip_; }
    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    SpreadLayout layout() const;

    // ---- changes made by the program ----
    // Called after every change of the model from outside: keeps the view state inside the counts,
    // reloads the editor when its cell changed, and repaints (unless redraw is off).
    void modelChanged();
    void structureChanged();
    void setRedraw(bool on);
    void repaint();
    void reset();

    // ---- active cell and selection ----
    std::optional<CellRef> activeCell() const;
    // A data cell inside the counts; the view scrolls to show it. An anchor stands for its span.
    bool setActiveCell(CellRef cell);
    // The block in data coordinates with far corners -1 for "to the end"; none when nothing is selected.
    std::optional<Block> selection() const { return selection_; }
    bool setSelection(const Block& block);
    void clearSelection() { selection_.reset(); }
    // The block the clipboard and the selection colour act on: the selection, else the active cell.
    std::optional<Block> effectiveSelection() const;
    bool isSelected(CellRef cell) const;

    // ---- edit mode ----
    bool editing() const { return editCell_.has_value(); }
    std::optional<CellRef> editCell() const { return editCell_; }
    // Starts editing the active cell when it can be edited (an edit, number or editable combo cell,
    // not locked); `initial` replaces the text (typing starts editing with the typed character).
    bool beginEdit(const std::optional<std::string>& initial = std::nullopt, bool selectAll = false);
    // Permanent edit mode opens the editor of every cell the user moves to with its whole text selected,
    // so that typing replaces it, as on entering any edit field.
    bool beginPermanentEdit() { return beginEdit(std::nullopt, true); }
    // Ends edit mode: `commit` writes the editor's text through the cell's type when it differs.
    // Returns whether a user change was committed (the value-changed notification has been sent).
    bool endEdit(bool commit);
    std::string editorText() const;
    std::optional<std::pair<int, int>> editSelection() const;
    bool setEditSelection(int start, int end);
    void placeEditor();

    // ---- focus ----
    bool hasFocus() const;
    void gotFocus();
    // `to` is the window taking the focus: the grid's own editor or list keep editing alive.
    void lostFocus(HWND to);

    // ---- view ----
    CellRef topLeft() const { return topLeft_; }
    void setTopLeft(CellRef cell);
    void ensureVisible(CellRef cell);
    void scrollBy(int cols, int rows);

    // ---- user input (from the window procedures) ----
    void mouseDown(POINT client, bool right, bool shift, bool ctrl);
    void mouseUp(POINT client);
    void mouseMove(POINT client, bool buttonDown);
    void doubleClick(POINT client);
    void timer(UINT_PTR id);
    // Another window took the capture: a header border being dragged stays where it is.
    void captureLost();
    // Returns whether the grid used the key.
    bool keyDown(UINT key, bool shift, bool ctrl, bool alt);
    void character(char32_t ch);

    // ---- combo cells ----
    bool dropDown();
    void closeDropList(std::optional<int> chosen);
    int dropListHover() const { return dropHover_; }
    void setDropListHover(int index) { dropHover_ = index; }
    int dropListTop() const { return dropTop_; }
    std::optional<CellRef> dropCell() const { return dropCell_; }
    static constexpr int kDropListRows = 8;
    int dropItemHeight() const;

    // ---- text tip ----
    // While tips are on, a cell under the resting mouse whose text is cut off shows its whole text in a
    // pop-up after the tip delay. One timer serves the delay and then watches that the mouse stays on the
    // cell (the window system tells nothing when the mouse leaves a window).
    static constexpr UINT_PTR kTipTimer = 1;
    static constexpr UINT kTipWatchMs = 100;
    const std::string& tipText() const { return tipText_; }
    HFONT tipFont() const;
    // Takes the tip down. `forget` also forgets the cell under the mouse, so that the tip can come again
    // on it; a click, key or scroll keeps it, so that the tip stays away until the mouse moves to another
    // cell.
    void hideTip(bool forget);

    // ---- clipboard ----
    bool copySelection();
    bool cutSelection();
    bool paste();
    // Empties the unlocked cells of the selection (the Delete key).
    bool clearSelectionCells();

    // ---- notifications ----
    CellRef lastNotifyCell() const { return lastNotify_; }
    void notify(WORD code, CellRef cell);

    // A button cell held down by the mouse (drawn pressed).
    std::optional<CellRef> pressedButton() const { return pressed_; }
    bool focusDrawn() const;

private:
    void hover(POINT client);
    bool mouseOnTipCell() const;
    void showTip();
    // Sets a column width or row height the user dragged or fitted: no changed mark, no notification.
    void resizeByUser(const SpreadBorder& border, int pixels);
    int fittedSize(const SpreadBorder& border) const;
    bool editableAs(CellRef cell, bool forTyping) const;
    // Moves the active cell as the user does: ends editing, selects, scrolls, notifies a change.
    void moveActiveByUser(CellRef to, bool extend);
    std::optional<CellRef> nextTabCell(CellRef from, bool backwards) const;
    void toggleCheck(CellRef cell);
    void pressButton(CellRef cell);
    void createEditor(const std::string& text, bool selectAll);
    void destroyEditor();
    CellRef anchorOf(CellRef cell) const;
    bool isList() const { return sheet_.operationMode() == kOperationList; }

    HWND window_;
    Sheet sheet_;
    std::optional<CellRef> active_;
    std::optional<Block> selection_;
    std::optional<CellRef> selectionStart_;  // where a drag or a Shift extension started
    std::optional<CellRef> editCell_;
    HWND editor_;
    HWND dropList_;
    std::optional<CellRef> dropCell_;
    int dropHover_ = -1;
    int dropTop_ = 0;           // the first item the dropped list shows
    bool refocusing_ = false;   // the focus moves between the grid and its editor
    std::optional<CellRef> pressed_;
    bool dragging_ = false;
    // A header border held by the mouse; `grab` is how far from the border it was pressed.
    struct BorderDrag {
        SpreadBorder border;
        int grab = 0;
    };
    std::optional<BorderDrag> borderDrag_;
    // The text tip: the cell under the mouse it is for, its window once shown, what it shows.
    std::optional<CellRef> tipCell_;
    bool tipWaiting_ = false;  // the delay runs
    HWND tip_;
    std::string tipText_;
    std::unique_ptr<CFont> tipFont_;
    CellRef topLeft_{1, 1};
    CellRef lastNotify_;
    bool dirty_ = false;
};

}  // namespace vtl::grid
