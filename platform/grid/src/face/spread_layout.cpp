#include "face/spread_layout.h"

#include <algorithm>

namespace vtl::grid {

SpreadLayout::SpreadLayout(const Sheet& sheet, CellRef topLeft, SIZE client)
    : sheet_(sheet), topLeft_(topLeft), client_(client) {
    headerWidth_ = sheet.switchOn(sw::rowHeaders) ? sheet.columnWidthPixels(0) : 0;
    headerHeight_ = sheet.switchOn(sw::columnHeaders) ? sheet.rowHeightPixels(0) : 0;
    cellArea_ = {0, 0, client.cx, client.cy};
    if (sheet.switchOn(sw::vertScrollBar)) cellArea_.right = std::max(0, static_cast<int>(client.cx) - kScrollBarSize);
    if (sheet.switchOn(sw::horzScrollBar)) cellArea_.bottom = std::max(0, static_cast<int>(client.cy) - kScrollBarSize);
}

RECT SpreadLayout::horzScrollBar() const {
    if (!sheet_.switchOn(sw::horzScrollBar)) return {};
    return {0, cellArea_.bottom, cellArea_.right, client_.cy};
}

RECT SpreadLayout::vertScrollBar() const {
    if (!sheet_.switchOn(sw::vertScrollBar)) return {};
    return {cellArea_.right, 0, client_.cx, cellArea_.bottom};
}

int SpreadLayout::columnLeft(int col) const {
    col = headerToZero(col);
    if (col <= 0) return 0;
    int x = headerWidth_;
    if (col >= topLeft_.col) {
        for (int c = topLeft_.col; c < col; ++c) {
            x += sheet_.columnWidthPixels(c);
            if (x > 1 << 28) break;
        }
    } else {
        for (int c = col; c < topLeft_.col; ++c) x -= sheet_.columnWidthPixels(c);
    }
    return x;
}

int SpreadLayout::rowTop(int row) const {
    row = headerToZero(row);
    if (row <= 0) return 0;
    int y = headerHeight_;
    if (row >= topLeft_.row) {
        for (int r = topLeft_.row; r < row; ++r) {
            y += sheet_.rowHeightPixels(r);
            if (y > 1 << 28) break;
        }
    } else {
        for (int r = row; r < topLeft_.row; ++r) y -= sheet_.rowHeightPixels(r);
    }
    return y;
}

RECT SpreadLayout::cellRect(CellRef cell) const {
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    int cols = 1, rows = 1;
    const SpanInfo span = sheet_.span(cell);
    if (span.state == 1) {
        cols = span.cols;
        rows = span.rows;
    }
    RECT r;
    r.left = columnLeft(cell.col);
    r.top = rowTop(cell.row);
    r.right = r.left;
    for (int c = cell.col; c < cell.col + cols; ++c) r.right += cell.col == 0 ? headerWidth_ : sheet_.columnWidthPixels(c);
    r.bottom = r.top;
    for (int w = cell.row; w < cell.row + rows; ++w) r.bottom += cell.row == 0 ? headerHeight_ : sheet_.rowHeightPixels(w);
    return r;
}

int SpreadLayout::lastVisibleColumn() const {
    int x = headerWidth_, c = topLeft_.col;
    for (; c <= sheet_.colCount(); ++c) {
        x += sheet_.columnWidthPixels(c);
        if (x >= cellArea_.right) break;
    }
    return std::min(c, sheet_.colCount());
}

int SpreadLayout::lastVisibleRow() const {
    int y = headerHeight_, r = topLeft_.row;
    for (; r <= sheet_.rowCount(); ++r) {
        y += sheet_.rowHeightPixels(r);
        if (y >= cellArea_.bottom) break;
    }
    return std::min(r, sheet_.rowCount());
}

int SpreadLayout::visibleColumns() const {
    int x = headerWidth_, n = 0;
    for (int c = topLeft_.col; c <= sheet_.colCount(); ++c) {
        x += sheet_.columnWidthPixels(c);
        if (x > cellArea_.right) break;
        ++n;
    }
    return std::max(1, n);
}

int SpreadLayout::visibleRows() const {
    int y = headerHeight_, n = 0;
    for (int r = topLeft_.row; r <= sheet_.rowCount(); ++r) {
        y += sheet_.rowHeightPixels(r);
        if (y > cellArea_.bottom) break;
        ++n;
    }
    return std::max(1, n);
}

SpreadHit SpreadLayout::hitTest(POINT p) const {
    SpreadHit hit;
    if (CRect(horzScrollBar()).PtInRect(p)) {
        hit.area = SpreadHit::Area::horzScrollBar;
        return hit;
    }
    if (CRect(vertScrollBar()).PtInRect(p)) {
        hit.area = SpreadHit::Area::vertScrollBar;
        return hit;
    }
    if (!CRect(cellArea_).PtInRect(p)) return hit;
    // Column under x: the header, a data column, or none past the last one.
    int col = -1;
    if (p.x < headerWidth_) {
        col = 0;
    } else {
        int x = headerWidth_;
        for (int c = topLeft_.col; c <= sheet_.colCount(); ++c) {
            x += sheet_.columnWidthPixels(c);
            if (p.x < x) {
                col = c;
                break;
            }
        }
    }
    int row = -1;
    if (p.y < headerHeight_) {
        row = 0;
    } else {
        int y = headerHeight_;
        for (int r = topLeft_.row; r <= sheet_.rowCount(); ++r) {
            y += sheet_.rowHeightPixels(r);
            if (p.y < y) {
                row = r;
                break;
            }
        }
    }
    if (col < 0 || row < 0) {
        hit.area = SpreadHit::Area::greyArea;
        return hit;
    }
    hit.cell = {col, row};
    const SpanInfo span = sheet_.span(hit.cell);
    if (span.state == 2) hit.cell = span.anchor;
    if (col == 0 && row == 0) {
        hit.area = SpreadHit::Area::corner;
    } else if (row == 0) {
        hit.area = SpreadHit::Area::columnHeader;
    } else if (col == 0) {
        hit.area = SpreadHit::Area::rowHeader;
    } else {
        hit.area = SpreadHit::Area::cell;
        if (std::holds_alternative<ComboBoxType>(sheet_.cellType(hit.cell))) {
            const RECT r = cellRect(hit.cell);
            hit.onComboButton = p.x >= r.right - kComboButtonWidth;
        }
    }
    return hit;
}

}  // namespace vtl::grid
