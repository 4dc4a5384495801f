#include "face/spread_layout.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "gfx/text_metrics.h"

namespace vtl::grid {
namespace {
// Column letters as spreadsheets show them: A..Z, AA..
std::string columnLetters(int col) {
    std::string s;
    for (; col > 0; col = (col - 1) / 26) s.insert(s.begin(), static_cast<char>('A' + (col - 1) % 26));
    return s;
}

bool isHeader(CellRef cell) { return cell.col == 0 || cell.row == 0; }
}  // namespace

std::string shownText(const Sheet& sheet, CellRef cell) {
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    if (isHeader(cell)) {
        std::string label = sheet.text(cell);
        if (!label.empty() || sheet.span(cell).state != 0 || (cell.col == 0 && cell.row == 0)) return label;
        if (cell.row == 0) return sheet.refStyle() == 2 ? std::to_string(cell.col) : columnLetters(cell.col);
        return std::to_string(cell.row);
    }
    const CellType& type = sheet.cellType(cell);
    if (const auto* check = std::get_if<CheckBoxType>(&type)) return check->caption;
    if (const auto* button = std::get_if<ButtonType>(&type)) return button->caption;
    if (std::holds_alternative<PictureType>(type)) return {};
    return sheet.text(cell);
}

SIZE contentSize(const Sheet& sheet, CellRef cell) {
    SIZE size = sheet.preferredSizePixels(cell);
    if (isHeader(cell) && sheet.contains(cell) && sheet.text(cell).empty()) {
        const std::string label = shownText(sheet, cell);
        // The same padding the sheet gives a cell's own text.
        const int needed = static_cast<int>(gfx::textExtent(sheet.font(cell), label).cx) + 6;
        size.cx = std::max<LONG>(size.cx, needed);
    }
    return size;
}

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

int SpreadLayout::wholeRowsShown() const {
    int y = headerHeight_, n = 0;
    for (int r = topLeft_.row; r <= sheet_.rowCount(); ++r) {
        const int h = sheet_.rowHeightPixels(r);
        y += h;
        if (y > cellArea_.bottom) break;
        if (h > 0) ++n;
    }
    return n;
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

std::optional<SpreadBorder> SpreadLayout::borderAt(POINT p) const {
    if (!CRect(cellArea_).PtInRect(p)) return std::nullopt;
    std::optional<SpreadBorder> best;
    auto consider = [&](bool column, int index, int edge) {
        const int distance = std::abs((column ? p.x : p.y) - edge);
        if (distance > kBorderGrab) return;
        if (best && std::abs((column ? p.x : p.y) - best->edge) < distance) return;
        best = SpreadBorder{column, index, edge};
    };
    if (headerHeight_ > 0 && p.y < headerHeight_) {
        if (sheet_.switchOn(sw::rowHeaders)) consider(true, 0, headerWidth_);
        int x = headerWidth_;
        for (int c = topLeft_.col; c <= sheet_.colCount() && x - kBorderGrab <= p.x; ++c) {
            x += sheet_.columnWidthPixels(c);
            consider(true, c, x);
        }
        if (best) return best;
    }
    if (headerWidth_ > 0 && p.x < headerWidth_) {
        if (sheet_.switchOn(sw::columnHeaders)) consider(false, 0, headerHeight_);
        int y = headerHeight_;
        for (int r = topLeft_.row; r <= sheet_.rowCount() && y - kBorderGrab <= p.y; ++r) {
            y += sheet_.rowHeightPixels(r);
            consider(false, r, y);
        }
    }
    return best;
}

bool SpreadLayout::textCutOff(CellRef cell) const {
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    if (!sheet_.contains(cell) || sheet_.span(cell).state == 2) return false;
    const std::string shown = shownText(sheet_, cell);
    if (shown.empty()) return false;
    const RECT r = cellRect(cell);
    const int width = r.right - r.left, height = r.bottom - r.top;
    // The room the paint pass gives the text: across, the text rectangle inside the padding; down, the
    // clip rectangle (a single line is centred in it).
    int across = width - 7, down = height - 1;
    const CellType& type = sheet_.cellType(cell);
    if (isHeader(cell)) {
        down = height - 3;
    } else if (std::holds_alternative<ComboBoxType>(type)) {
        across -= kComboButtonWidth;
    } else if (std::holds_alternative<CheckBoxType>(type)) {
        across -= kCheckSize + 4 + 3;
    } else if (std::holds_alternative<ButtonType>(type)) {
        down = height - 3;
    }
    const LOGFONT font = sheet_.font(cell);
    const int lineHeight = gfx::fontMetrics(font).height;
    const auto* label = std::get_if<StaticTextType>(&type);
    if (label && label->wordWrap()) {
        // Wrapped text fits across by wrapping; it is cut off when its lines are more than fit.
        const int lines = std::max(1, (static_cast<int>(sheet_.preferredSizePixels(cell).cy) - 2) / std::max(1, lineHeight));
        return lines * lineHeight > down;
    }
    int widest = 0, lines = 0;
    std::string_view rest = shown;
    for (;;) {
        const auto lf = rest.find('\n');
        std::string_view line = rest.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        widest = std::max(widest, static_cast<int>(gfx::textExtent(font, line).cx));
        ++lines;
        if (lf == std::string_view::npos) break;
        rest.remove_prefix(lf + 1);
    }
    return widest > across || lines * lineHeight > down;
}

}  // namespace vtl::grid
