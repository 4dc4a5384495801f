// Row heights, column widths and the size a cell's content needs.
#include <algorithm>
#include <cmath>

#include "gfx/text_metrics.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {
constexpr int kDefaultColumnPixels = 64;
constexpr int kHeaderColumnPixels = 40;
constexpr int kPadX = 3;  // each side
constexpr int kPadY = 1;
constexpr int kCheckBox = 13;
constexpr int kDropButton = 16;
constexpr int kButtonBorder = 2;

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const auto lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos) return lines;
        text.remove_prefix(lf + 1);
    }
}

// Lines one explicit line takes when wrapped at spaces to `width` pixels; a word wider than the width
// takes a line of its own.
int wrappedLines(const LOGFONT& font, std::string_view line, int width) {
    const int space = gfx::textExtent(font, " ").cx;
    int lines = 1;
    int used = -1;  // no word on the line yet
    while (!line.empty()) {
        const auto end = line.find(' ');
        const std::string_view word = line.substr(0, end);
        const int w = gfx::textExtent(font, word).cx;
        if (used < 0) {
            used = w;
        } else if (used + space + w <= width) {
            used += space + w;
        } else {
            ++lines;
            used = w;
        }
        if (end == std::string_view::npos) break;
        line.remove_prefix(end + 1);
    }
    return lines;
}
}  // namespace

int Sheet::columnUnitsToPixels(double units) const {
    return static_cast<int>(std::floor(units * averageCharWidth_ + 0.5));
}

double Sheet::pixelsToColumnUnits(int pixels) const { return static_cast<double>(pixels) / averageCharWidth_; }

int Sheet::rowUnitsToPixels(double units) { return static_cast<int>(std::floor(units * 4.0 / 3.0 + 0.5)); }

double Sheet::pixelsToRowUnits(int pixels) { return pixels * 0.75; }

double Sheet::columnWidth(int col) const {
    col = headerToZero(col);
    if (col < 0 || col > colCount_) return 0;
    if (static_cast<std::size_t>(col) < colWidths_.size() && colWidths_[static_cast<std::size_t>(col)] >= 0) {
        return colWidths_[static_cast<std::size_t>(col)];
    }
    return pixelsToColumnUnits(col == 0 ? kHeaderColumnPixels : kDefaultColumnPixels);
}

bool Sheet::setColumnWidth(int col, double units) {
    col = headerToZero(col);
    if (col < 0 || col > colCount_ || !(units >= 0) || units > 1e6) return false;
    if (colWidths_.size() <= static_cast<std::size_t>(col)) colWidths_.resize(static_cast<std::size_t>(col) + 1, -1.0);
    colWidths_[static_cast<std::size_t>(col)] = units;
    return true;
}

int Sheet::columnWidthPixels(int col) const { return columnUnitsToPixels(columnWidth(col)); }

bool Sheet::setColumnWidthPixels(int col, int pixels) { return setColumnWidth(col, pixelsToColumnUnits(pixels)); }

double Sheet::rowHeight(int row) const {
    row = headerToZero(row);
    if (row < 0 || row > rowCount_) return 0;
    if (static_cast<std::size_t>(row) < rowHeights_.size() && rowHeights_[static_cast<std::size_t>(row)] >= 0) {
        return rowHeights_[static_cast<std::size_t>(row)];
    }
    return pixelsToRowUnits(defaultRowPixels_);
}

bool Sheet::setRowHeight(int row, double units) {
    row = headerToZero(row);
    if (row < 0 || row > rowCount_ || !(units >= 0) || units > 1e6) return false;
    if (rowHeights_.size() <= static_cast<std::size_t>(row)) rowHeights_.resize(static_cast<std::size_t>(row) + 1, -1.0);
    rowHeights_[static_cast<std::size_t>(row)] = units;
    return true;
}

int Sheet::rowHeightPixels(int row) const { return rowUnitsToPixels(rowHeight(row)); }

bool Sheet::setRowHeightPixels(int row, int pixels) { return setRowHeight(row, pixelsToRowUnits(pixels)); }

SIZE Sheet::preferredSizePixels(CellRef cell) const { return preferredSize(cell, true, true); }

SIZE Sheet::preferredSize(CellRef cell, bool wantWidth, bool wantHeight) const {
    if (!contains(cell) || (!spans_.empty() && span(cell).state == 2)) return {};
    const Cell* stored = find(cell);
    const Style& style = styleOf(stored);
    const LOGFONT& cellFont = fonts_[style.font];
    if (style.type == 0) {
        // A plain text cell on one line, the common case: measured without looking at types.
        std::string_view plain = stored ? std::string_view(stored->text) : std::string_view();
        if (plain.find('\n') == std::string_view::npos) {
            if (!plain.empty() && plain.back() == '\r') plain.remove_suffix(1);
            const int width = wantWidth ? static_cast<int>(gfx::textExtent(cellFont, plain).cx) : 0;
            return {width + 2 * kPadX, (wantHeight ? gfx::lineHeight(cellFont) : 0) + 2 * kPadY};
        }
    }
    const CellType& type = types_[style.type];
    // What the cell shows: its own text when it has no type (no copy), else the type's text.
    std::string typed;
    std::string_view shown;
    if (const auto* check = std::get_if<CheckBoxType>(&type)) {
        shown = check->caption;
    } else if (const auto* button = std::get_if<ButtonType>(&type)) {
        shown = button->caption;
    } else if (std::holds_alternative<PictureType>(type)) {
    } else if (style.type == 0) {
        if (stored) shown = stored->text;
    } else {
        typed = text(cell);
        shown = typed;
    }
    const bool oneLine = shown.find('\n') == std::string_view::npos;
    const auto* label = std::get_if<StaticTextType>(&type);
    const bool wraps = label && label->wordWrap();
    int width = 0;
    int lineCount = 1;
    if (oneLine && !wraps) {
        if (!shown.empty() && shown.back() == '\r') shown.remove_suffix(1);
        if (wantWidth) width = static_cast<int>(gfx::textExtent(cellFont, shown).cx);
    } else {
        const auto lines = splitLines(shown);
        lineCount = static_cast<int>(lines.size());
        if (wantWidth)
            for (auto line : lines) width = std::max(width, static_cast<int>(gfx::textExtent(cellFont, line).cx));
        if (wraps && wantHeight) {
            const int room = std::max(1, columnWidthPixels(cell.col) - 2 * kPadX);
            lineCount = 0;
            for (auto line : lines) lineCount += wrappedLines(cellFont, line, room);
        }
    }
    const int lineHeight = wantHeight ? gfx::lineHeight(cellFont) : 0;
    SIZE size{width + 2 * kPadX, lineCount * lineHeight + 2 * kPadY};
    if (std::holds_alternative<CheckBoxType>(type)) {
        size.cx = std::max<LONG>(size.cx, kCheckBox + 2 * kPadX);
        size.cy = std::max<LONG>(size.cy, kCheckBox + 2 * kPadY);
    } else if (std::holds_alternative<ComboBoxType>(type)) {
        size.cx += kDropButton;
    } else if (std::holds_alternative<ButtonType>(type)) {
        size.cx += 2 * kButtonBorder;
        size.cy += 2 * kButtonBorder;
    }
    return size;
}

SIZE Sheet::largestPreferredSizePixels(const Block& block, bool wantWidth, bool wantHeight) const {
    SIZE largest{0, 0};
    settleResults();
    const int c1 = std::max(0, headerToZero(block.col1)), r1 = std::max(0, headerToZero(block.row1));
    const int c2 = std::min(colCount_, headerToZero(block.col2)), r2 = std::min(rowCount_, headerToZero(block.row2));
    // Heights alone: a plain cell on one line is as high as its font's line, whatever its text; the line
    // height of each font is taken once.
    std::vector<int> lineOfFont(wantWidth ? 0 : fonts_.size(), -1);
    for (int r = r1; r <= r2; ++r) {
        const Row* row = static_cast<std::size_t>(r) < rows_.size() ? rows_[static_cast<std::size_t>(r)].get() : nullptr;
        for (int c = c1; c <= c2; ++c) {
            if (!wantWidth && spans_.empty()) {
                const Cell* cell = row ? row->find(static_cast<std::size_t>(c)) : nullptr;
                const Style& style = styleOf(cell);
                if (style.type == 0 && (!cell || cell->text.find('\n') == std::string::npos)) {
                    int& line = lineOfFont[style.font];
                    if (line < 0) line = gfx::lineHeight(fonts_[style.font]) + 2 * kPadY;
                    largest.cy = std::max<LONG>(largest.cy, line);
                    continue;
                }
            }
            const SIZE size = preferredSize({c, r}, wantWidth, wantHeight);
            largest.cx = std::max(largest.cx, size.cx);
            largest.cy = std::max(largest.cy, size.cy);
        }
    }
    return largest;
}

std::vector<int> Sheet::largestPreferredWidthsPixels(const Block& block) const {
    const int c1 = std::max(0, headerToZero(block.col1)), r1 = std::max(0, headerToZero(block.row1));
    const int c2 = std::min(colCount_, headerToZero(block.col2)), r2 = std::min(rowCount_, headerToZero(block.row2));
    std::vector<int> widths(static_cast<std::size_t>(std::max(0, c2 - c1 + 1)), 0);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) {
            int& widest = widths[static_cast<std::size_t>(c - c1)];
            widest = std::max(widest, static_cast<int>(preferredSize({c, r}, true, false).cx));
        }
    return widths;
}

std::vector<int> Sheet::largestPreferredHeightsPixels(const Block& block) const {
    settleResults();
    const int c1 = std::max(0, headerToZero(block.col1)), r1 = std::max(0, headerToZero(block.row1));
    const int c2 = std::min(colCount_, headerToZero(block.col2)), r2 = std::min(rowCount_, headerToZero(block.row2));
    std::vector<int> heights(static_cast<std::size_t>(std::max(0, r2 - r1 + 1)), 0);
    // A plain one-line cell is as high as its font's line, whatever its text; the line height of each
    // font is taken once. Other cells are measured, and a cell like the one measured last (same style,
    // same text, same column: a column of equal row labels) is not measured again.
    std::vector<int> lineOfFont(fonts_.size(), -1);
    const Cell* lastCell = nullptr;
    int lastCol = -1;
    int lastHeight = 0;
    for (int r = r1; r <= r2; ++r) {
        const Row* row = static_cast<std::size_t>(r) < rows_.size() ? rows_[static_cast<std::size_t>(r)].get() : nullptr;
        int& tallest = heights[static_cast<std::size_t>(r - r1)];
        for (int c = c1; c <= c2; ++c) {
            const Cell* cell = row ? row->find(static_cast<std::size_t>(c)) : nullptr;
            const Style& style = styleOf(cell);
            if (spans_.empty() && style.type == 0 && (!cell || cell->text.find('\n') == std::string::npos)) {
                int& line = lineOfFont[style.font];
                if (line < 0) line = gfx::lineHeight(fonts_[style.font]) + 2 * kPadY;
                tallest = std::max(tallest, line);
                continue;
            }
            if (spans_.empty() && cell && lastCell && c == lastCol && cell->style == lastCell->style &&
                cell->text == lastCell->text) {
                tallest = std::max(tallest, lastHeight);
                continue;
            }
            const int height = static_cast<int>(preferredSize({c, r}, false, true).cy);
            tallest = std::max(tallest, height);
            lastCell = cell;
            lastCol = c;
            lastHeight = height;
        }
    }
    return heights;
}

double Sheet::preferredWidth(CellRef cell) const { return pixelsToColumnUnits(preferredSize(cell, true, false).cx); }

double Sheet::preferredHeight(CellRef cell) const { return pixelsToRowUnits(preferredSize(cell, false, true).cy); }

}  // namespace vtl::grid
