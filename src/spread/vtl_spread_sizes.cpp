// Vtl_Spread: fitting rows and columns to their contents, and column widths that follow the window.
#include <vector>

#include "spread/fit_widths.h"
#include "spread/vtl_spread.h"

namespace vtl::ui {
namespace {
constexpr DWORD kHeaderLabelStyle = 140;  // word-wrapping, centred static text
}

bool Vtl_Spread::autoFitColumn(int col) {
    if (!attached_) return false;
    // The header cell and every cell of the column, measured by the grid in one pass.
    double widest = 0;
    SSGetPreferredBlockSize(m_hWnd, col, HEADER, col, getRowCount(), &widest, nullptr);
    return SSSetColWidth(m_hWnd, col, widest);
}

bool Vtl_Spread::autoFitRow(int row) {
    if (!attached_) return false;
    double tallest = 0;
    SSGetPreferredBlockSize(m_hWnd, HEADER, row, getColCount(), row, nullptr, &tallest);
    return SSSetRowHeight(m_hWnd, row, tallest);
}

bool Vtl_Spread::autoFitColumns() {
    if (!attached_) return false;
    SS_CELLTYPE type;
    SSSetTypeStaticText(m_hWnd, &type, kHeaderLabelStyle);
    const int cols = getColCount();
    if (cols < 1) return true;
    SSSetBlockType(m_hWnd, 1, HEADER, cols, HEADER, &type);
    // Every column over its header and its cells, measured by the grid in one pass.
    std::vector<double> widths(static_cast<std::size_t>(cols), 0.0);
    if (!SSGetPreferredColWidths(m_hWnd, 1, cols, HEADER, getRowCount(), widths.data())) return false;
    for (int c = 1; c <= cols; ++c) SSSetColWidth(m_hWnd, c, widths[static_cast<std::size_t>(c - 1)]);
    return true;
}

bool Vtl_Spread::autoFitRows() {
    if (!attached_) return false;
    SS_CELLTYPE type;
    SSSetTypeStaticText(m_hWnd, &type, kHeaderLabelStyle);
    const int rows = getRowCount();
    if (rows < 1) return true;
    SSSetBlockType(m_hWnd, HEADER, 1, HEADER, rows, &type);
    // Every row over its cells, measured by the grid in one pass.
    std::vector<double> heights(static_cast<std::size_t>(rows), 0.0);
    if (!SSGetPreferredRowHeights(m_hWnd, 1, rows, HEADER, getColCount(), heights.data())) return false;
    for (int r = 1; r <= rows; ++r) SSSetRowHeight(m_hWnd, r, heights[static_cast<std::size_t>(r - 1)]);
    return true;
}

bool Vtl_Spread::autoFitAll() {
    if (!attached_) return false;
    autoFitColumns();
    autoFitRows();
    autoFitRow(HEADER);
    autoFitColumn(HEADER);
    return true;
}

double Vtl_Spread::getCellTextWidth(int col, int row) const {
    double w = 0;
    if (!attached_ || !SSGetPreferredCellSize(m_hWnd, col, row, &w, nullptr)) return 0;
    return w;
}

double Vtl_Spread::getMaxTextWidth(int col) const {
    double widest = 0;
    if (!attached_ || getRowCount() < 1 || !SSGetPreferredBlockSize(m_hWnd, col, 1, col, getRowCount(), &widest, nullptr))
        return 0;
    return widest;
}

void Vtl_Spread::setFitMode(int mode, int parameter, int value) {
    fitMode_ = mode;
    fitParameter_ = parameter;
    fitValue_ = value;
}

void Vtl_Spread::setFitColumns(int mode, const Vtl_Array<int>& columns, const Vtl_Array<int>& widths) {
    fitMode_ = mode;
    fitColumns_.assign(columns.begin(), columns.end());
    fitWidths_.assign(widths.begin(), widths.end());
}

bool Vtl_Spread::applyFitMode() {
    if (!attached_) return false;
    if (fitMode_ == 2) {
        autoFitColumns();
        autoFitRows();
        return true;
    }
    RECT client;
    SSGetClientRect(m_hWnd, &client);
    FitRequest request;
    request.mode = fitMode_;
    request.clientWidth = client.right - client.left;
    request.colCount = getColCount();
    request.rowHeaders = SSGetSwitch(m_hWnd, SS_SWITCH_ROW_HEADERS) != FALSE;
    request.parameter = fitParameter_ == HEADER ? 0 : fitParameter_;
    request.value = fitValue_;
    request.slots = fitColumns_;
    request.widths = fitWidths_;
    for (const auto& [col, pixels] : computeFitWidths(request)) SSSetColWidthPixels(m_hWnd, col, pixels);
    return true;
}

}  // namespace vtl::ui
