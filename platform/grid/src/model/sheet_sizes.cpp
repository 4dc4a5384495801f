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

SIZE Sheet::preferredSizePixels(CellRef cell) const {
    if (!contains(cell) || span(cell).state == 2) return {};
    const LOGFONT cellFont = font(cell);
    const CellType& type = cellType(cell);
    std::string shown;
    if (const auto* check = std::get_if<CheckBoxType>(&type)) {
        shown = check->caption;
    } else if (const auto* button = std::get_if<ButtonType>(&type)) {
        shown = button->caption;
    } else if (!std::holds_alternative<PictureType>(type)) {
        shown = text(cell);
    }
    const int lineHeight = gfx::fontMetrics(cellFont).height;
    const auto lines = splitLines(shown);
    int width = 0;
    for (auto line : lines) width = std::max(width, static_cast<int>(gfx::textExtent(cellFont, line).cx));
    int lineCount = static_cast<int>(lines.size());
    const auto* label = std::get_if<StaticTextType>(&type);
    if (label && label->wordWrap()) {
        const int room = std::max(1, columnWidthPixels(cell.col) - 2 * kPadX);
        lineCount = 0;
        for (auto line : lines) lineCount += wrappedLines(cellFont, line, room);
    }
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

double Sheet::preferredWidth(CellRef cell) const { return pixelsToColumnUnits(preferredSizePixels(cell).cx); }

double Sheet::preferredHeight(CellRef cell) const { return pixelsToRowUnits(preferredSizePixels(cell).cy); }

}  // namespace vtl::grid
