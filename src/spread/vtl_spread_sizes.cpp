// Vtl_Spread: fitting rows and columns to their contents, and column widths that follow the window.
#include "spread/fit_widths.h"
#include "spread/vtl_spread.h"

namespace vtl::ui {
namespace {
constexpr DWORD kHeaderLabelStyle = 140;  // word-wrapping, centred static text
}

bool Vtl_Spread::autoFitColumn(int col) {
    if (!attached_) return false;
    double widest = 0;
    for (int r = 0; r <= getRowCount(); ++r) {
        double w = 0;
        if (SSGetPreferredCellSize(m_hWnd, col, r, &w, nullptr)) widest = std::max(widest, w);
    }
    return SSSetColWidth(m_hWnd, col, widest);
}

bool Vtl_Spread::autoFitRow(int row) {
    if (!attached_) return false;
    double tallest = 0;
    for (int c = 0; c <= getColCount(); ++c) {
        double h = 0;
        if (SSGetPreferredCellSize(m_hWnd, c, row, nullptr, &h)) tallest = std::max(tallest, h);
    }
    return SSSetRowHeight(m_hWnd, row, tallest);
}

bool Vtl_Spread::autoFitColumns() {
    if (!attached_) return false;
    SS_CELLTYPE type;
    SSSetTypeStaticText(m_hWnd, &type, kHeaderLabelStyle);
    if (getColCount() >= 1) SSSetBlockType(m_hWnd, 1, HEADER, getColCount(), HEADER, &type);
    for (int c = 1; c <= getColCount(); ++c) autoFitColumn(c);
    return true;
}

bool Vtl_Spread::autoFitRows() {
    if (!attached_) return false;
    SS_CELLTYPE type;
    SSSetTypeStaticText(m_hWnd, &type, kHeaderLabelStyle);
    if (getRowCount() >= 1) SSSetBlockType(m_hWnd, HEADER, 1, HEADER, getRowCount(), &type);
    for (int r = 1; r <= getRowCount(); ++r) autoFitRow(r);
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
    for (int r = 1; r <= getRowCount(); ++r) widest = std::max(widest, getCellTextWidth(col, r));
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
