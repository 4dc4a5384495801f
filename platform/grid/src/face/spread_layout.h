#pragma once
// Where things are in a grid window: the header bars, the cells from the first visible row and column,
// spans drawn as one rectangle, the grey area beyond the last cell and the scroll bars. A value type made
// from the sheet, the first visible cell and the client size whenever it is needed.
#include "model/sheet.h"
#include "win/types.h"

namespace vtl::grid {

inline constexpr int kScrollBarSize = 16;
inline constexpr int kComboButtonWidth = 16;
inline constexpr int kCheckSize = 13;

struct SpreadHit {
    enum class Area { none, corner, columnHeader, rowHeader, cell, greyArea, horzScrollBar, vertScrollBar };
    Area area = Area::none;
    CellRef cell;            // the cell (or header cell) under the point; covered cells give their anchor
    bool onComboButton = false;
};

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
    SpreadHit hitTest(POINT client) const;

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
