#pragma once
// Where things are in a grid window: the header bars, the cells from the first visible row and column,
// spans drawn as one rectangle, the grey area beyond the last cell and the scroll bars. A value type made
// from the sheet, the first visible cell and the client size whenever it is needed.
#include <optional>
#include <string>

#include "model/sheet.h"
#include "win/types.h"

namespace vtl::grid {

inline constexpr int kScrollBarSize = 16;
inline constexpr int kComboButtonWidth = 16;
inline constexpr int kCheckSize = 13;
// How far from a header border a press still grabs it, each side.
inline constexpr int kBorderGrab = 3;

struct SpreadHit {
    enum class Area { none, corner, columnHeader, rowHeader, cell, greyArea, horzScrollBar, vertScrollBar };
    Area area = Area::none;
    CellRef cell;            // the cell (or header cell) under the point; covered cells give their anchor
    bool onComboButton = false;
};

// A border in a header bar that the mouse can drag: the right edge of a column in the column-header row,
// or the bottom edge of a row in the row-header column. Index 0 is the header column (row) itself.
struct SpreadBorder {
    bool column = true;
    int index = 0;
    int edge = 0;  // x of a column's right edge, y of a row's bottom edge
    friend bool operator==(const SpreadBorder&, const SpreadBorder&) = default;
};

// The text a cell shows: a header's own text or its default label (letters, or numbers in R1C1 style, and
// row numbers), a check box's or button's caption, nothing for a picture, else the displayed text.
std::string shownText(const Sheet& sheet, CellRef cell);
// The pixels a cell's content needs (Sheet::preferredSizePixels), with a header's default label measured
// when it has no text of its own.
SIZE contentSize(const Sheet& sheet, CellRef cell);

class SpreadLayout {
public:
    SpreadLayout(const Sheet& sheet, CellRef topLeft, SIZE client);

    int headerWidth() const { return headerWidth_; }    // 0 when the row-header column is hidden
    int headerHeight() const { return headerHeight_; }  // 0 when the column-header row is hidden
    // The area cells are drawn in, without the scroll bars.
    RECT cellArea() const { return cellArea_; }
    RECT horzScrollBar() const;  // empty when hidden
    RECT vertScrollBar() const;

    // Left edge of a column and top edge of a row in client pixels (columns left of the first visible
    // one lie at negative x). Column 0 and row 0 are the header bars.
    int columnLeft(int col) const;
    int rowTop(int row) const;
    // A cell's rectangle; a span anchor's rectangle covers the whole span.
    RECT cellRect(CellRef cell) const;
    // The last column and row at least partly inside the cell area.
    int lastVisibleColumn() const;
    int lastVisibleRow() const;
    // How many whole columns and rows fit from the first visible one (at least 1).
    int visibleColumns() const;
    int visibleRows() const;
    // The rows of non-zero height lying wholly inside the cell area from the first visible one (0 when
    // none does).
    int wholeRowsShown() const;
    SpreadHit hitTest(POINT client) const;
    // The header border within kBorderGrab pixels of the point; only in a shown header bar. Where borders
    // meet (a column of width 0) the later one wins, so that a hidden column can be dragged open again.
    std::optional<SpreadBorder> borderAt(POINT client) const;
    // Whether a cell's text (shownText) is wider or has more lines than the room the cell draws it in.
    bool textCutOff(CellRef cell) const;

    const Sheet& sheet() const { return sheet_; }
    CellRef topLeft() const { return topLeft_; }

private:
    const Sheet& sheet_;
    CellRef topLeft_;
    SIZE client_;
    int headerWidth_ = 0;
    int headerHeight_ = 0;
    RECT cellArea_{};
};

}  // namespace vtl::grid
