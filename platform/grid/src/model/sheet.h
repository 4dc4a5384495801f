#pragma once
// The grid's cell model: a table of cells with a header row and a header column, their content (stored
// text, formula, tag), their attributes (type, lock, font, colours, alignment), spans, row heights and
// column widths, and the switches and settings of one grid. It knows nothing of windows: the window face
// keeps the active cell, the selection and the editor, and paints from here.
//
// Cells are (column, row) from 1; index 0 (or HEADER) is the header row or column, so (0, 0) is the
// corner. Addresses outside the counts are not errors: reads give empty content, writes return false.
//
// Storage: rows of compact cells, made only when a cell of the row is written; attributes are interned
// (a cell holds one index to a shared style), formula and tag live beside a cell only when it has them.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/color.h"
#include "gfx/font.h"
#include "gfx/geometry.h"
#include "grid/export.h"
#include "model/cell_ref.h"
#include "model/cell_type.h"
#include "model/text_hash.h"

namespace vtl::grid {

class FormulaEngine;
class SheetFile;

// All ones: the colour is not set (the face uses its default).
inline constexpr COLORREF kDefaultColour = 0xFFFFFFFFu;
// 0x80000000 | n stands for system colour n; the face resolves it.
constexpr COLORREF systemColour(int n) { return 0x80000000u | static_cast<COLORREF>(n); }

struct ColourPair {
    COLORREF back = kDefaultColour;
    COLORREF fore = kDefaultColour;
    friend bool operator==(const ColourPair&, const ColourPair&) = default;
};

// One value space for both directions; a cell keeps one horizontal and one vertical value, and 0 resets
// both.
enum class Alignment : int { standard = 0, left = 1, centre = 2, right = 3, top = 4, bottom = 5, vCentre = 6 };
struct CellAlignment {
    Alignment horizontal = Alignment::standard;
    Alignment vertical = Alignment::standard;
    friend bool operator==(const CellAlignment&, const CellAlignment&) = default;
};

// state 0: the cell is in no span; 1: it anchors one; 2: it is covered by the span anchored at `anchor`.
struct SpanInfo {
    int state = 0;
    CellRef anchor;
    int cols = 0;
    int rows = 0;
};

struct TextTipSettings {
    int mode = 0;  // 0 off
    int delayMs = 500;
    std::optional<LOGFONT> font;  // none: the cell's font
    ColourPair colours;
};

struct ActionKey {
    int key = 0;  // virtual key; 0 = none
    bool shift = false;
    bool ctrl = false;
    friend bool operator==(const ActionKey&, const ActionKey&) = default;
};

// Settings kept for the face that change no cell.
struct Cosmetics {
    int gridLineStyle = 1;  // 1 solid
    COLORREF gridLineColour = kDefaultColour;
    int backColourStyle = 0;  // 0 background over grid lines, 1 under
    int appearance = 0;       // 1 three-dimensional border
    int noteIndicator = 0;
    std::array<ActionKey, 3> actionKeys{};  // 0 clear cell, 1 start editing, 2 drop down
    int displayFirst = 0;
    int displaySecond = 0;
    ColourPair greyArea;       // beyond the last column and row
    ColourPair lockedCells;    // explicit cell colours win over these
    ColourPair selection;
};

// Switch numbers with a behaviour; every other number in 0..63 is stored only.
namespace sw {
inline constexpr int columnHeaders = 3;   // column-header row shown
inline constexpr int rowHeaders = 4;      // row-header column shown
inline constexpr int autoCalc = 7;        // changes recalculate their dependents
inline constexpr int redraw = 8;          // painting enabled
inline constexpr int horzScrollBar = 10;
inline constexpr int vertScrollBar = 11;
inline constexpr int userFormulas = 12;   // typing "=..." enters a formula
inline constexpr int permanentEdit = 13;  // the active cell stays in edit mode, across focus changes
inline constexpr int hideEditSelection = 20;
inline constexpr int changed = 30;        // set by user changes only
inline constexpr int count = 64;
}  // namespace sw

inline constexpr int kOperationNormal = 0;
inline constexpr int kOperationList = 5;

class VTLGRID_API Sheet {
public:
    Sheet();
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // ---- counts and structure ----
    int rowCount() const { return rowCount_; }
    int colCount() const { return colCount_; }
    // 0..kMaxRows / 0..kMaxCols. Shrinking discards the cells, sizes and spans beyond the new count.
    bool setRowCount(int count);
    bool setColCount(int count);
    // Insert and delete keep the counts: inserted rows push the last rows off, deleted rows leave empty
    // rows at the end. `at` must lie in 1..count; an insert is cut at the end, a delete must fit.
    bool insertRows(int at, int count = 1);
    bool deleteRows(int at, int count = 1);
    bool insertCols(int at, int count = 1);
    bool deleteCols(int at, int count = 1);
    // Inside the counts, header cells included.
    bool contains(CellRef cell) const {
        const int c = headerToZero(cell.col);
        const int r = headerToZero(cell.row);
        return c >= 0 && c <= colCount_ && r >= 0 && r <= rowCount_;
    }

    // ---- content ----
    // Text and value are stored through the cell's type (a list-only combo stores the index of the item
    // written as text, a number cell the number). Both replace a formula.
    bool setText(CellRef cell, std::string_view text);
    bool setValue(CellRef cell, std::string_view value);
    // Stores the formula text (a leading "=" dropped) and clears the cached result until the formula
    // engine sets it; an empty formula removes the formula and its result.
    bool setFormula(CellRef cell, std::string_view formula);
    bool setTag(CellRef cell, std::string_view tag);
    std::string text(CellRef cell) const;  // displayed text
    std::string value(CellRef cell) const;
    std::string formula(CellRef cell) const;
    std::string tag(CellRef cell) const;
    std::string content(CellRef cell, ContentKind kind) const;
    // The same into `out`, reusing its storage (no allocation for the plain text of a cell once `out` is
    // large enough): for scans over many cells.
    void content(CellRef cell, ContentKind kind, std::string& out) const;
    std::optional<double> numericValue(CellRef cell) const;
    // The cell's value (content kind 3) without a copy where the cell stores it as it reads (cells of
    // the default type); otherwise made in `scratch`. Valid until the cell or `scratch` changes.
    std::string_view storedValue(CellRef cell, std::string& scratch) const;
    // The formula engine's side: the cells with a formula, and their cached results. The engine writes
    // formulas as R1C1 text (see formula/formula.h); a result write tells the engine nothing.
    bool hasFormula(CellRef cell) const;
    bool setFormulaResult(CellRef cell, std::string_view result);
    std::vector<CellRef> formulaCells() const;
    // Empties text and formula of the block's cells; tags and attributes stay.
    bool clearBlock(const Block& block);

    // ---- types ----
    bool setCellType(const Block& block, const CellType& type);
    // Valid until the next reset().
    const CellType& cellType(CellRef cell) const;
    int cellKind(CellRef cell) const { return kindOf(cellType(cell)); }

    // ---- locks ----
    bool setLocked(const Block& block, bool locked);
    bool isLocked(CellRef cell) const;
    // Not locked, and when the cell lies in a span, the span's anchor is not locked either.
    bool isEditable(CellRef cell) const;

    // ---- spans ----
    // The anchor lies inside the counts; the span covers at least two cells, may reach beyond the counts,
    // never mixes header and data cells and never overlaps another span.
    bool addSpan(CellRef anchor, int cols, int rows);
    SpanInfo span(CellRef cell) const;
    // Removes the span the cell anchors or lies in.
    bool removeSpan(CellRef cell);
    std::size_t spanCount() const { return spans_.size(); }

    // ---- fonts, colours, alignment ----
    // The font's description is copied: the caller may delete its handle afterwards. An unknown handle
    // fails.
    bool setFont(const Block& block, HFONT font);
    bool setFont(const Block& block, const LOGFONT& font);
    LOGFONT font(CellRef cell) const;
    // A handle to the cell's font, owned by the sheet.
    HFONT fontHandle(CellRef cell) const;
    bool setColours(const Block& block, ColourPair colours);
    ColourPair colours(CellRef cell) const;
    bool setAlignment(const Block& block, Alignment alignment);
    CellAlignment alignment(CellRef cell) const;

    // ---- blocks ----
    // Copies content, formula, tag and attributes (not spans) to the block at `destination`, cut at the
    // counts; overlapping blocks copy as if through a temporary block. A block of whole rows (or
    // columns) also copies their heights (widths).
    bool copyBlock(const Block& source, CellRef destination);
    // Exchanges the cells of two equal blocks that do not overlap and lie inside the counts.
    bool swapBlocks(const Block& first, CellRef secondTopLeft);

    // ---- sizes ----
    // Column widths are in character units: one unit is the average character width A of the default
    // font, px = floor(units * A + 0.5). Row heights are in points at 96 dpi: px = floor(units * 4/3 +
    // 0.5). Whole pixels round-trip exactly. Defaults: columns 64 px, the header column 40 px, rows the
    // default font's line height + 2 px.
    double columnWidth(int col) const;
    bool setColumnWidth(int col, double units);
    int columnWidthPixels(int col) const;
    bool setColumnWidthPixels(int col, int pixels);
    double rowHeight(int row) const;
    bool setRowHeight(int row, double units);
    int rowHeightPixels(int row) const;
    bool setRowHeightPixels(int row, int pixels);
    int columnUnitsToPixels(double units) const;
    double pixelsToColumnUnits(int pixels) const;
    static int rowUnitsToPixels(double units);
    static double pixelsToRowUnits(int pixels);
    // The size a cell needs to show its content in its font: lines split at LF, 3 px padding left and
    // right, 1 px top and bottom; room for a check box, a drop button or a button border. Word-wrapping
    // static text wraps at the column's width. Cells covered by a span need nothing.
    SIZE preferredSizePixels(CellRef cell) const;
    // The largest preferred width and height (pixels) over the block's cells (the header row and column
    // included when the block names them), computing only the sides asked for. Nothing outside the grid.
    SIZE largestPreferredSizePixels(const Block& block, bool wantWidth, bool wantHeight) const;
    // The largest preferred width (pixels) of each column of the block, measured row by row (the cells
    // lie in memory row by row): widths[k] is column block.col1 + k's.
    std::vector<int> largestPreferredWidthsPixels(const Block& block) const;
    // The largest preferred height (pixels) of each row of the block: heights[k] is row block.row1 + k's.
    std::vector<int> largestPreferredHeightsPixels(const Block& block) const;
    double preferredWidth(CellRef cell) const;   // column units
    double preferredHeight(CellRef cell) const;  // row units

    // ---- behaviour and settings ----
    void setSwitch(int number, bool on);
    bool switchOn(int number) const;
    void setOperationMode(int mode) { operationMode_ = mode; }
    int operationMode() const { return operationMode_; }
    void setRefStyle(int style) { refStyle_ = style; }  // 0 default, 1 A1, 2 R1C1
    int refStyle() const { return refStyle_; }
    void setTextTips(const TextTipSettings& settings) { textTips_ = settings; }
    const TextTipSettings& textTips() const { return textTips_; }
    Cosmetics& cosmetics() { return cosmetics_; }
    const Cosmetics& cosmetics() const { return cosmetics_; }
    // Back to a fresh sheet: 0 x 0, default sizes, switches and settings. Registered functions stay.
    void reset();

    // ---- formulas ----
    // The sheet's formula engine, made on first use. Once it exists, the sheet tells it of every change
    // of content and structure, so that it recalculates dependents while switch 7 is on.
    FormulaEngine& formulas();
    const FormulaEngine& formulas() const;
    bool hasFormulaEngine() const { return formulas_ != nullptr; }

    // The used area's far corner: no cell right of its column or below its row holds anything (it may
    // be larger than the true last cell, never smaller). Ranges are read only up to it.
    CellRef usedEnd() const {
        return {std::min(usedCols_, colCount_), std::min(static_cast<int>(rows_.size()) - 1, rowCount_)};
    }
    // Appends the cells of the block (clipped to the counts) that have been written, row by row and left to
    // right; every other cell is empty. Costs the rows and cells present, not the block's area.
    void presentCells(const Block& block, std::vector<CellRef>& out) const;
    // Bytes held for cells (not their texts): grows with the cells present, not with rows x columns.
    std::size_t cellStorageBytes() const;

private:
    friend class SheetFile;  // reads and replaces the stored cells and attribute tables whole

    void cellsWritten(const Block& block);  // clipped, header-normalised block
    struct Cell;
    // A text or value was written into one cell (header-normalised), which holds no formula now.
    void valueWritten(CellRef cell, const Cell& written);
    void cellsMoved();
    // The formula engine formats a result into its cell's stored text only when the cell is read or
    // written (see FormulaEngine::writePendingResult); these write what is pending for one cell
    // (header-normalised; every lookup of a formula cell does) or for every cell (before cells move, are
    // saved or are walked row by row).
    void settleResult(CellRef cell) const;
    void settleResults() const;
    struct CellExtra {
        std::shared_ptr<const std::string> formula;  // never empty; shared by the cells of the same text
        std::unique_ptr<std::string> tag;            // never empty
        std::string_view tagText() const { return tag ? std::string_view(*tag) : std::string_view(); }
        CellExtra() = default;
        CellExtra(const CellExtra& other)
            : formula(other.formula), tag(other.tag ? std::make_unique<std::string>(*other.tag) : nullptr) {}
        CellExtra& operator=(const CellExtra& other) {
            if (this != &other) *this = CellExtra(other);
            return *this;
        }
        CellExtra(CellExtra&&) = default;
        CellExtra& operator=(CellExtra&&) = default;
    };
    // The one copy of a formula text: the cells of a filled column hold the same text once.
    std::shared_ptr<const std::string> internFormula(std::string_view text);
    struct Cell {
        std::string text;  // the stored text; a formula's cached result
        std::unique_ptr<CellExtra> extra;
        std::uint32_t style = 0;
        bool blank() const { return text.empty() && !extra && style == 0; }  // reads as a cell never written
    };
    struct Style {
        std::uint32_t type = 0;
        std::uint32_t font = 0;
        std::uint32_t colours = 0;
        std::uint8_t hAlign = 0;
        std::uint8_t vAlign = 0;
        bool locked = false;
        friend bool operator==(const Style&, const Style&) = default;
    };
    struct StyleHash {
        std::size_t operator()(const Style& s) const noexcept;
    };
    struct Span {
        int col = 0;
        int row = 0;
        int cols = 0;
        int rows = 0;
        bool covers(int c, int r) const { return c >= col && c < col + cols && r >= row && r < row + rows; }
    };
    // The cells of one row. Dense (cells_[c] is column c, made up to the last column written) while
    // at least about half of its columns hold a made cell; sparse (cells sorted by column, beside their
    // columns) otherwise, so that a row with a few cells far to the right costs those cells, not the
    // width of the grid. Pointers into a row stay valid until a cell of the row is made.
    class Row {
    public:
        Cell* find(std::size_t col);
        const Cell* find(std::size_t col) const { return const_cast<Row*>(this)->find(col); }
        // The cell, made when missing; `width` is the grid's width plus one (the row never grows past it).
        Cell& make(std::size_t col, std::size_t width);
        // Drops the cells of columns `keep` and beyond.
        void truncate(std::size_t keep);
        // Inserts `count` empty columns at `at`, dropping what is pushed to `limit` and beyond.
        void insertColumns(std::size_t at, std::size_t count, std::size_t limit);
        void eraseColumns(std::size_t at, std::size_t count);
        // Calls f(column, cell) for every made cell, in column order.
        template <class F>
        void forEach(F f) const {
            if (cols_.empty()) {
                for (std::size_t c = 0; c < cells_.size(); ++c) f(c, cells_[c]);
            } else {
                for (std::size_t i = 0; i < cells_.size(); ++i) f(static_cast<std::size_t>(cols_[i]), cells_[i]);
            }
        }
        template <class F>
        void forEach(F f) {
            if (cols_.empty()) {
                for (std::size_t c = 0; c < cells_.size(); ++c) f(c, cells_[c]);
            } else {
                for (std::size_t i = 0; i < cells_.size(); ++i) f(static_cast<std::size_t>(cols_[i]), cells_[i]);
            }
        }
        // One past the last column that may hold a made cell.
        std::size_t end() const { return cols_.empty() ? cells_.size() : static_cast<std::size_t>(cols_.back()) + 1; }
        // Bytes held for the row's cells (not counting their texts).
        std::size_t storageBytes() const { return cells_.capacity() * sizeof(Cell) + cols_.capacity() * sizeof(std::uint32_t); }

    private:
        void makeSparse();
        void makeDense();
        std::vector<Cell> cells_;
        std::vector<std::uint32_t> cols_;  // empty while dense; else the column of each cell, ascending
        std::uint32_t made_ = 0;           // cells made while dense (an estimate of what the row holds)
    };

    std::optional<Block> clip(const Block& block) const;
    const Cell* find(CellRef cell) const;
    Cell& at(CellRef cell);  // makes the cell; the caller checked contains()
    const Style& styleOf(const Cell* cell) const { return styles_[cell ? cell->style : 0]; }
    // The preferred size, computing only the sides asked for (a side not asked for is not meaningful).
    SIZE preferredSize(CellRef cell, bool wantWidth, bool wantHeight) const;
    const CellType& typeOf(const Cell* cell) const { return types_[styleOf(cell).type]; }
    std::uint32_t internStyle(const Style& style);
    std::uint32_t internType(const CellType& type);
    std::uint32_t internFont(const LOGFONT& font);
    std::uint32_t internColours(ColourPair colours);
    template <class Change>
    bool changeStyles(const Block& block, Change change);
    void copyCell(Cell& to, const Cell& from);
    static void dropFormula(Cell& cell);
    const Span* spanAt(int col, int row) const;
    void shiftSpans(bool rows, int at, int count, bool insert);

    int rowCount_ = 0;
    int colCount_ = 0;
    std::vector<std::unique_ptr<Row>> rows_;  // rows_[r]; made on first write (null: nothing in the row)
    int usedCols_ = 0;       // no made cell lies right of this column
    std::vector<double> colWidths_;   // units; negative = default
    std::vector<double> rowHeights_;  // units; negative = default
    std::vector<Span> spans_;

    std::vector<Style> styles_;
    std::unordered_map<Style, std::uint32_t, StyleHash> styleIds_;
    std::deque<CellType> types_;
    std::vector<LOGFONT> fonts_;
    mutable std::vector<HFONT> fontHandles_;
    std::vector<ColourPair> colourPairs_;

    int averageCharWidth_ = 1;  // A of the default font
    int defaultRowPixels_ = 17;

    std::uint64_t switches_ = 0;
    int operationMode_ = kOperationNormal;
    int refStyle_ = 0;
    TextTipSettings textTips_;
    Cosmetics cosmetics_;
    mutable std::unique_ptr<FormulaEngine> formulas_;
    std::unordered_map<std::string, std::shared_ptr<const std::string>, TextHash, std::equal_to<>> formulaTexts_;
    std::size_t formulaTextsPurgeAt_ = 1024;
};

// The font of a fresh sheet: "Tahoma", 15 pixels, normal weight.
VTLGRID_API LOGFONT defaultCellFont();

}  // namespace vtl::grid
