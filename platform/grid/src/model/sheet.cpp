#include "model/sheet.h"

#include <algorithm>
#include <utility>

#include "formula/engine.h"
#include "gfx/text_metrics.h"

namespace vtl::grid {
namespace {
constexpr std::uint64_t kDefaultSwitches = (1ull << sw::columnHeaders) | (1ull << sw::rowHeaders) |
                                           (1ull << sw::autoCalc) | (1ull << sw::redraw) |
                                           (1ull << sw::horzScrollBar) | (1ull << sw::vertScrollBar);
const CellType kEditType = EditType{};
}  // namespace

LOGFONT defaultCellFont() {
    LOGFONT font;
    font.lfHeight = 15;
    font.lfWeight = FW_NORMAL;
    font.lfFaceName = "Tahoma";
    return font;
}

std::size_t Sheet::StyleHash::operator()(const Style& s) const noexcept {
    std::uint64_t h = s.type;
    h = h * 0x9E3779B97F4A7C15ull + s.font;
    h = h * 0x9E3779B97F4A7C15ull + s.colours;
    h = h * 0x9E3779B97F4A7C15ull + (static_cast<std::uint64_t>(s.hAlign) << 16 | s.vAlign << 8 | s.locked);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

Sheet::Sheet() { reset(); }

Sheet::~Sheet() {
    formulas_.reset();
    for (HFONT h : fontHandles_) {
        if (h) DeleteObject(h);
    }
}

void Sheet::reset() {
    for (HFONT h : fontHandles_) {
        if (h) DeleteObject(h);
    }
    rowCount_ = 0;
    colCount_ = 0;
    rows_.clear();
    usedCols_ = 0;
    formulaTexts_.clear();
    colWidths_.clear();
    rowHeights_.clear();
    spans_.clear();
    styles_.assign(1, Style{});
    styleIds_.clear();
    styleIds_.emplace(Style{}, 0);
    types_.assign(1, kEditType);
    fonts_.assign(1, defaultCellFont());
    fontHandles_.assign(1, HFONT{});
    colourPairs_.assign(1, ColourPair{});
    const auto metrics = gfx::fontMetrics(fonts_[0]);
    averageCharWidth_ = std::max(1, metrics.averageCharWidth);
    defaultRowPixels_ = metrics.height + 2;
    switches_ = kDefaultSwitches;
    operationMode_ = kOperationNormal;
    refStyle_ = 0;
    textTips_ = TextTipSettings{};
    cosmetics_ = Cosmetics{};
    cellsMoved();
}

// ---- formulas ----

FormulaEngine& Sheet::formulas() {
    if (!formulas_) formulas_ = std::make_unique<FormulaEngine>(*this);
    return *formulas_;
}

const FormulaEngine& Sheet::formulas() const {
    if (!formulas_) formulas_ = std::make_unique<FormulaEngine>(const_cast<Sheet&>(*this));
    return *formulas_;
}

void Sheet::cellsWritten(const Block& block) {
    if (formulas_) formulas_->cellsChanged(block);
}

void Sheet::valueWritten(CellRef cell, const Cell& written) {
    if (!formulas_) return;
    // A cell of the default type stores its value as it reads: the engine takes it from here.
    if (styles_[written.style].type == 0) {
        formulas_->valueWritten(cell, written.text);
    } else {
        formulas_->cellsChanged({cell.col, cell.row, cell.col, cell.row});
    }
}

void Sheet::cellsMoved() {
    if (formulas_) formulas_->structureChanged();
}

void Sheet::settleResult(CellRef cell) const {
    if (formulas_ && formulas_->hasPendingResults()) formulas_->writePendingResult(cell);
}

void Sheet::settleResults() const {
    if (formulas_ && formulas_->hasPendingResults()) formulas_->writePendingResults();
}

// ---- addressing ----


std::optional<Block> Sheet::clip(const Block& block) const {
    int c1 = headerToZero(block.col1);
    int r1 = headerToZero(block.row1);
    int c2 = block.col2 == -1 ? colCount_ : headerToZero(block.col2);
    int r2 = block.row2 == -1 ? rowCount_ : headerToZero(block.row2);
    if (c1 > c2) std::swap(c1, c2);
    if (r1 > r2) std::swap(r1, r2);
    if (c1 < 0 || r1 < 0 || c1 > colCount_ || r1 > rowCount_) return std::nullopt;
    return Block{c1, r1, std::min(c2, colCount_), std::min(r2, rowCount_)};
}

const Sheet::Cell* Sheet::find(CellRef cell) const {
    const auto c = static_cast<std::size_t>(headerToZero(cell.col));
    const auto r = static_cast<std::size_t>(headerToZero(cell.row));
    if (!contains(cell) || r >= rows_.size() || !rows_[r]) return nullptr;
    const Cell* found = rows_[r]->find(c);
    if (found && found->extra && found->extra->formula) settleResult({static_cast<int>(c), static_cast<int>(r)});
    return found;
}

Sheet::Cell& Sheet::at(CellRef cell) {
    const auto c = static_cast<std::size_t>(headerToZero(cell.col));
    const auto r = static_cast<std::size_t>(headerToZero(cell.row));
    if (r >= rows_.size()) rows_.resize(r + 1);
    if (!rows_[r]) rows_[r] = std::make_unique<Row>();
    usedCols_ = std::max(usedCols_, static_cast<int>(c));
    Cell& made = rows_[r]->make(c, static_cast<std::size_t>(colCount_) + 1);
    if (made.extra && made.extra->formula) settleResult({static_cast<int>(c), static_cast<int>(r)});  // makes no cell
    return made;
}

std::size_t Sheet::cellStorageBytes() const {
    std::size_t bytes = rows_.capacity() * sizeof(rows_[0]);
    for (const auto& row : rows_) {
        if (row) bytes += sizeof(Row) + row->storageBytes();
    }
    return bytes;
}

void Sheet::presentCells(const Block& block, std::vector<CellRef>& out) const {
    const auto b = clip(block);
    if (!b) return;
    const int last = std::min(b->row2, static_cast<int>(rows_.size()) - 1);
    for (int r = b->row1; r <= last; ++r) {
        const Row* row = rows_[static_cast<std::size_t>(r)].get();
        if (!row) continue;
        row->forEach([&](std::size_t c, const Cell&) {
            if (static_cast<int>(c) >= b->col1 && static_cast<int>(c) <= b->col2) out.push_back({static_cast<int>(c), r});
        });
    }
}

// ---- rows of cells ----

namespace {
// A dense row may grow to this many columns beyond twice the cells made in it.
constexpr std::size_t kDenseSlack = 32;
}  // namespace

Sheet::Cell* Sheet::Row::find(std::size_t col) {
    if (cols_.empty()) return col < cells_.size() ? &cells_[col] : nullptr;
    const auto it = std::lower_bound(cols_.begin(), cols_.end(), col);
    if (it == cols_.end() || *it != col) return nullptr;
    return &cells_[static_cast<std::size_t>(it - cols_.begin())];
}

Sheet::Cell& Sheet::Row::make(std::size_t col, std::size_t width) {
    if (cols_.empty()) {
        if (col < cells_.size()) {
            if (cells_[col].blank()) ++made_;
            return cells_[col];
        }
        const std::size_t denseLimit = 2 * (static_cast<std::size_t>(made_) + 1) + kDenseSlack;
        if (col < denseLimit) {
            ++made_;
            if (cells_.capacity() < col + 1) {
                // Room for the row's likely width at once: a narrow grid's row costs one allocation.
                cells_.reserve(std::min(width, std::max({col + 1, 2 * cells_.capacity(), denseLimit})));
            }
            cells_.resize(col + 1);
            return cells_[col];
        }
        makeSparse();
    }
    const auto it = std::lower_bound(cols_.begin(), cols_.end(), col);
    const auto i = static_cast<std::size_t>(it - cols_.begin());
    if (it != cols_.end() && *it == col) return cells_[i];
    cols_.insert(it, static_cast<std::uint32_t>(col));
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(i), Cell{});
    if (end() <= 2 * cells_.size() + kDenseSlack) {
        makeDense();
        return cells_[col];
    }
    return cells_[i];
}

void Sheet::Row::makeSparse() {
    std::vector<Cell> cells;
    std::vector<std::uint32_t> cols;
    for (std::size_t c = 0; c < cells_.size(); ++c) {
        if (cells_[c].blank()) continue;  // a missing cell reads as a blank one
        cells.push_back(std::move(cells_[c]));
        cols.push_back(static_cast<std::uint32_t>(c));
    }
    if (cols.empty()) {
        // Sparse rows keep at least one column; an empty row keeps its first cell.
        cells.emplace_back();
        cols.push_back(0);
    }
    cells_ = std::move(cells);
    cols_ = std::move(cols);
    made_ = 0;
}

void Sheet::Row::makeDense() {
    std::vector<Cell> cells(end());
    for (std::size_t i = 0; i < cols_.size(); ++i) cells[cols_[i]] = std::move(cells_[i]);
    made_ = static_cast<std::uint32_t>(cells_.size());
    cells_ = std::move(cells);
    cols_.clear();
    cols_.shrink_to_fit();
}

void Sheet::Row::truncate(std::size_t keep) {
    if (cols_.empty()) {
        if (cells_.size() > keep) cells_.resize(keep);
        return;
    }
    const auto i = static_cast<std::ptrdiff_t>(std::lower_bound(cols_.begin(), cols_.end(), keep) - cols_.begin());
    cells_.erase(cells_.begin() + i, cells_.end());
    cols_.erase(cols_.begin() + i, cols_.end());
    if (cols_.empty()) {
        cells_.clear();
        made_ = 0;
    }
}

void Sheet::Row::insertColumns(std::size_t at, std::size_t count, std::size_t limit) {
    if (end() <= at) return;
    if (cols_.empty() && cells_.size() + count > 2 * (static_cast<std::size_t>(made_) + 1) + kDenseSlack) makeSparse();
    if (cols_.empty()) {
        const std::size_t kept = std::min(cells_.size(), limit - count);  // cells that stay in the row
        cells_.resize(std::max(kept, at));
        cells_.resize(cells_.size() + count);
        std::move_backward(cells_.begin() + static_cast<std::ptrdiff_t>(at),
                           cells_.end() - static_cast<std::ptrdiff_t>(count), cells_.end());
        for (std::size_t i = at; i < at + count; ++i) cells_[i] = Cell{};
        made_ += static_cast<std::uint32_t>(count);
        return;
    }
    for (auto& c : cols_) {
        if (c >= at) c += static_cast<std::uint32_t>(count);
    }
    truncate(limit);
}

void Sheet::Row::eraseColumns(std::size_t at, std::size_t count) {
    if (cols_.empty()) {
        if (cells_.size() <= at) return;
        const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(at);
        cells_.erase(first, first + static_cast<std::ptrdiff_t>(std::min(count, cells_.size() - at)));
        return;
    }
    std::size_t out = 0;
    for (std::size_t i = 0; i < cols_.size(); ++i) {
        if (cols_[i] >= at && cols_[i] - at < count) continue;
        cols_[out] = cols_[i] >= at ? static_cast<std::uint32_t>(cols_[i] - count) : cols_[i];
        if (out != i) cells_[out] = std::move(cells_[i]);
        ++out;
    }
    cols_.resize(out);
    cells_.resize(out);
    if (cols_.empty()) made_ = 0;
}

// ---- counts and structure ----

bool Sheet::setRowCount(int count) {
    if (count < 0 || count > kMaxRows) return false;
    if (count < rowCount_) {
        settleResults();  // the results of the cells that stay go with them
        const auto keep = static_cast<std::size_t>(count) + 1;
        if (rows_.size() > keep) rows_.resize(keep);
        if (rowHeights_.size() > keep) rowHeights_.resize(keep);
        std::erase_if(spans_, [&](const Span& s) { return s.row > count; });
    }
    const bool shrunk = count < rowCount_;
    rowCount_ = count;
    if (shrunk) cellsMoved();
    return true;
}

bool Sheet::setColCount(int count) {
    if (count < 0 || count > kMaxCols) return false;
    if (count < colCount_) {
        settleResults();  // the results of the cells that stay go with them
        const auto keep = static_cast<std::size_t>(count) + 1;
        for (auto& row : rows_) {
            if (row) row->truncate(keep);
        }
        usedCols_ = std::min(usedCols_, count);
        if (colWidths_.size() > keep) colWidths_.resize(keep);
        std::erase_if(spans_, [&](const Span& s) { return s.col > count; });
    }
    const bool shrunk = count < colCount_;
    colCount_ = count;
    if (shrunk) cellsMoved();
    return true;
}

namespace {
// Inserts `count` default entries at `at` into a lazily sized vector and cuts it at `limit` entries.
template <class T, class Make>
void insertDefaults(std::vector<T>& v, std::size_t at, std::size_t count, std::size_t limit, Make make) {
    if (v.size() <= at) return;
    const std::size_t kept = std::min(v.size(), limit - count);  // entries that stay in the vector
    v.resize(std::max(kept, at));
    v.resize(v.size() + count);
    std::move_backward(v.begin() + static_cast<std::ptrdiff_t>(at), v.end() - static_cast<std::ptrdiff_t>(count),
                       v.end());
    for (std::size_t i = at; i < at + count; ++i) v[i] = make();
}

template <class T>
void eraseRange(std::vector<T>& v, std::size_t at, std::size_t count) {
    if (v.size() <= at) return;
    const auto first = v.begin() + static_cast<std::ptrdiff_t>(at);
    v.erase(first, first + static_cast<std::ptrdiff_t>(std::min(count, v.size() - at)));
}
}  // namespace

bool Sheet::insertRows(int at, int count) {
    settleResults();  // the results go with their cells
    at = headerToZero(at);
    if (at < 1 || at > rowCount_ || count < 1) return false;
    count = std::min(count, rowCount_ - at + 1);
    const auto limit = static_cast<std::size_t>(rowCount_) + 1;
    const auto a = static_cast<std::size_t>(at);
    const auto n = static_cast<std::size_t>(count);
    insertDefaults(rows_, a, n, limit, [] { return std::unique_ptr<Row>{}; });
    insertDefaults(rowHeights_, a, n, limit, [] { return -1.0; });
    shiftSpans(true, at, count, true);
    cellsMoved();
    return true;
}

bool Sheet::deleteRows(int at, int count) {
    settleResults();  // the results go with their cells
    at = headerToZero(at);
    if (at < 1 || count < 1 || at > rowCount_ || count > rowCount_ - at + 1) return false;
    eraseRange(rows_, static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    eraseRange(rowHeights_, static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    shiftSpans(true, at, count, false);
    cellsMoved();
    return true;
}

bool Sheet::insertCols(int at, int count) {
    settleResults();  // the results go with their cells
    at = headerToZero(at);
    if (at < 1 || at > colCount_ || count < 1) return false;
    count = std::min(count, colCount_ - at + 1);
    const auto limit = static_cast<std::size_t>(colCount_) + 1;
    const auto a = static_cast<std::size_t>(at);
    const auto n = static_cast<std::size_t>(count);
    for (auto& row : rows_) {
        if (row) row->insertColumns(a, n, limit);
    }
    if (usedCols_ >= at) usedCols_ = std::min(colCount_, usedCols_ + count);
    insertDefaults(colWidths_, a, n, limit, [] { return -1.0; });
    shiftSpans(false, at, count, true);
    cellsMoved();
    return true;
}

bool Sheet::deleteCols(int at, int count) {
    settleResults();  // the results go with their cells
    at = headerToZero(at);
    if (at < 1 || count < 1 || at > colCount_ || count > colCount_ - at + 1) return false;
    for (auto& row : rows_) {
        if (row) row->eraseColumns(static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    }
    eraseRange(colWidths_, static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    shiftSpans(false, at, count, false);
    cellsMoved();
    return true;
}

// Spans move with their anchor. An insert inside a span widens it; a delete removes a span whose anchor
// goes and narrows one it cuts; what falls off the end or shrinks to one cell is dropped.
void Sheet::shiftSpans(bool rows, int at, int count, bool insert) {
    const int limit = rows ? rowCount_ : colCount_;
    for (Span& s : spans_) {
        int& start = rows ? s.row : s.col;
        int& size = rows ? s.rows : s.cols;
        if (insert) {
            if (start >= at) {
                start += count;
            } else if (start + size > at) {
                size += count;
            }
        } else {
            const int end = at + count;
            if (start >= at && start < end) {
                size = 0;
            } else if (start >= end) {
                start -= count;
            } else {
                size -= std::max(0, std::min(start + size, end) - at);
            }
        }
    }
    std::erase_if(spans_, [&](const Span& s) {
        return s.cols < 1 || s.rows < 1 || s.cols * s.rows < 2 || (rows ? s.row : s.col) > limit;
    });
}

// ---- content ----

std::shared_ptr<const std::string> Sheet::internFormula(std::string_view text) {
    if (const auto found = formulaTexts_.find(text); found != formulaTexts_.end()) return found->second;
    auto [it, added] = formulaTexts_.try_emplace(std::string(text));
    if (added) {
        it->second = std::make_shared<const std::string>(text);
        if (formulaTexts_.size() >= formulaTextsPurgeAt_) {
            // Texts no cell holds any more go.
            std::shared_ptr<const std::string> kept = it->second;
            std::erase_if(formulaTexts_, [](const auto& e) { return e.second.use_count() == 1; });
            formulaTextsPurgeAt_ = std::max<std::size_t>(1024, formulaTexts_.size() * 2);
            return kept;
        }
    }
    return it->second;
}

void Sheet::dropFormula(Cell& cell) {
    if (!cell.extra) return;
    cell.extra->formula.reset();
    if (!cell.extra->tag) cell.extra.reset();
}

bool Sheet::setText(CellRef ref, std::string_view text) {
    if (!contains(ref)) return false;
    Cell& cell = at(ref);
    const Style& style = styles_[cell.style];
    if (style.type == 0) {
        cell.text.assign(text);
    } else {
        cell.text = storeText(types_[style.type], text);
    }
    dropFormula(cell);
    valueWritten({headerToZero(ref.col), headerToZero(ref.row)}, cell);
    return true;
}

bool Sheet::setValue(CellRef ref, std::string_view value) {
    if (!contains(ref)) return false;
    Cell& cell = at(ref);
    const Style& style = styles_[cell.style];
    if (style.type == 0) {
        cell.text.assign(value);
    } else {
        cell.text = storeValue(types_[style.type], value);
    }
    dropFormula(cell);
    valueWritten({headerToZero(ref.col), headerToZero(ref.row)}, cell);
    return true;
}

bool Sheet::setFormula(CellRef ref, std::string_view formula) {
    if (!contains(ref)) return false;
    if (!formula.empty() && formula.front() == '=') formula.remove_prefix(1);
    Cell& cell = at(ref);
    cell.text.clear();
    if (formula.empty()) {
        dropFormula(cell);
    } else {
        if (!cell.extra) cell.extra = std::make_unique<CellExtra>();
        cell.extra->formula = internFormula(formula);
    }
    cellsWritten({headerToZero(ref.col), headerToZero(ref.row), headerToZero(ref.col), headerToZero(ref.row)});
    return true;
}

bool Sheet::setTag(CellRef ref, std::string_view tag) {
    if (!contains(ref)) return false;
    Cell& cell = at(ref);
    if (tag.empty()) {
        if (cell.extra) {
            cell.extra->tag.reset();
            if (!cell.extra->formula) cell.extra.reset();
        }
        return true;
    }
    if (!cell.extra) cell.extra = std::make_unique<CellExtra>();
    if (cell.extra->tag) {
        cell.extra->tag->assign(tag);
    } else {
        cell.extra->tag = std::make_unique<std::string>(tag);
    }
    return true;
}

std::string Sheet::text(CellRef ref) const {
    const Cell* cell = find(ref);
    if (!cell) return {};
    const Style& style = styles_[cell->style];
    return style.type == 0 ? cell->text : displayText(types_[style.type], cell->text);
}

std::string Sheet::value(CellRef ref) const {
    const Cell* cell = find(ref);
    if (!cell) return {};
    const Style& style = styles_[cell->style];
    return style.type == 0 ? cell->text : valueText(types_[style.type], cell->text);
}

std::string Sheet::formula(CellRef ref) const {
    const Cell* cell = find(ref);
    return cell && cell->extra && cell->extra->formula ? *cell->extra->formula : std::string();
}

std::string Sheet::tag(CellRef ref) const {
    const Cell* cell = find(ref);
    return cell && cell->extra ? std::string(cell->extra->tagText()) : std::string();
}

std::string Sheet::content(CellRef cell, ContentKind kind) const {
    switch (kind) {
    case ContentKind::text: return text(cell);
    case ContentKind::formula: return formula(cell);
    case ContentKind::tag: return tag(cell);
    case ContentKind::value: return value(cell);
    }
    return {};
}

void Sheet::content(CellRef ref, ContentKind kind, std::string& out) const {
    if (kind == ContentKind::text || kind == ContentKind::value) {
        const Cell* cell = find(ref);
        if (!cell) {
            out.clear();
            return;
        }
        if (const Style& style = styles_[cell->style]; style.type == 0) {
            out.assign(cell->text);
            return;
        }
    }
    out = content(ref, kind);
}

std::optional<double> Sheet::numericValue(CellRef ref) const {
    const Cell* cell = find(ref);
    if (!cell) return std::nullopt;
    return grid::numericValue(typeOf(cell), cell->text);
}

std::string_view Sheet::storedValue(CellRef ref, std::string& scratch) const {
    const Cell* cell = find(ref);
    if (!cell) return {};
    const Style& style = styles_[cell->style];
    if (style.type == 0) return cell->text;
    scratch = valueText(types_[style.type], cell->text);
    return scratch;
}

bool Sheet::hasFormula(CellRef ref) const {
    const Cell* cell = find(ref);
    return cell && cell->extra && cell->extra->formula;
}

bool Sheet::setFormulaResult(CellRef ref, std::string_view result) {
    const Cell* found = find(ref);
    if (!found || !found->extra || !found->extra->formula) return false;
    Cell& cell = const_cast<Cell&>(*found);
    if (styles_[cell.style].type == 0) {
        cell.text.assign(result);  // the default type stores values as they are
    } else {
        cell.text = storeValue(typeOf(&cell), result);
    }
    return true;
}

std::vector<CellRef> Sheet::formulaCells() const {
    std::vector<CellRef> out;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (!rows_[r]) continue;
        rows_[r]->forEach([&](std::size_t c, const Cell& cell) {
            if (cell.extra && cell.extra->formula) out.push_back({static_cast<int>(c), static_cast<int>(r)});
        });
    }
    return out;
}

bool Sheet::clearBlock(const Block& block) {
    const auto b = clip(block);
    if (!b) return false;
    for (int r = b->row1; r <= b->row2 && static_cast<std::size_t>(r) < rows_.size(); ++r) {
        if (!rows_[static_cast<std::size_t>(r)]) continue;
        rows_[static_cast<std::size_t>(r)]->forEach([&](std::size_t c, Cell& cell) {
            if (static_cast<int>(c) < b->col1 || static_cast<int>(c) > b->col2) return;
            cell.text.clear();
            dropFormula(cell);
        });
    }
    cellsWritten(*b);
    return true;
}

// ---- interned attributes ----

std::uint32_t Sheet::internStyle(const Style& style) {
    auto [it, added] = styleIds_.try_emplace(style, static_cast<std::uint32_t>(styles_.size()));
    if (added) styles_.push_back(style);
    return it->second;
}

std::uint32_t Sheet::internType(const CellType& type) {
    for (std::size_t i = 0; i < types_.size(); ++i) {
        if (types_[i] == type) return static_cast<std::uint32_t>(i);
    }
    types_.push_back(type);
    return static_cast<std::uint32_t>(types_.size() - 1);
}

std::uint32_t Sheet::internFont(const LOGFONT& font) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i] == font) return static_cast<std::uint32_t>(i);
    }
    fonts_.push_back(font);
    fontHandles_.push_back(HFONT{});
    return static_cast<std::uint32_t>(fonts_.size() - 1);
}

std::uint32_t Sheet::internColours(ColourPair colours) {
    for (std::size_t i = 0; i < colourPairs_.size(); ++i) {
        if (colourPairs_[i] == colours) return static_cast<std::uint32_t>(i);
    }
    colourPairs_.push_back(colours);
    return static_cast<std::uint32_t>(colourPairs_.size() - 1);
}

// Applies `change` to the style of every cell of the block. Cells sharing a style share the result, so
// the interning runs once per distinct style, not once per cell.
template <class Change>
bool Sheet::changeStyles(const Block& block, Change change) {
    const auto b = clip(block);
    if (!b) return false;
    if (b->col1 == b->col2 && b->row1 == b->row2) {  // one cell (readers write cell by cell): no map
        Cell& cell = at({b->col1, b->row1});
        Style style = styles_[cell.style];
        change(style);
        cell.style = internStyle(style);
        return true;
    }
    std::uint32_t lastFrom = UINT32_MAX;
    std::uint32_t lastTo = 0;
    std::unordered_map<std::uint32_t, std::uint32_t> mapped;
    for (int r = b->row1; r <= b->row2; ++r) {
        for (int c = b->col1; c <= b->col2; ++c) {
            Cell& cell = at({c, r});
            if (cell.style != lastFrom) {
                auto it = mapped.find(cell.style);
                if (it == mapped.end()) {
                    Style style = styles_[cell.style];
                    change(style);
                    it = mapped.emplace(cell.style, internStyle(style)).first;
                }
                lastFrom = cell.style;
                lastTo = it->second;
            }
            cell.style = lastTo;
        }
    }
    return true;
}

bool Sheet::setCellType(const Block& block, const CellType& type) {
    if (!clip(block)) return false;
    const std::uint32_t id = internType(type);
    changeStyles(block, [id](Style& s) { s.type = id; });
    cellsWritten(*clip(block));
    return true;
}

const CellType& Sheet::cellType(CellRef cell) const { return typeOf(find(cell)); }

bool Sheet::setLocked(const Block& block, bool locked) {
    return changeStyles(block, [locked](Style& s) { s.locked = locked; });
}

bool Sheet::isLocked(CellRef cell) const { return styleOf(find(cell)).locked; }

bool Sheet::isEditable(CellRef cell) const {
    if (!contains(cell) || isLocked(cell)) return false;
    const Span* s = spanAt(headerToZero(cell.col), headerToZero(cell.row));
    return !s || !isLocked({s->col, s->row});
}

bool Sheet::setFont(const Block& block, HFONT font) {
    const auto description = gfx::fontDescription(font);
    return description && setFont(block, *description);
}

bool Sheet::setFont(const Block& block, const LOGFONT& font) {
    if (!clip(block)) return false;
    const std::uint32_t id = internFont(font);
    return changeStyles(block, [id](Style& s) { s.font = id; });
}

LOGFONT Sheet::font(CellRef cell) const { return fonts_[styleOf(find(cell)).font]; }

HFONT Sheet::fontHandle(CellRef cell) const {
    const std::uint32_t id = styleOf(find(cell)).font;
    HFONT& handle = fontHandles_[id];
    if (!handle || !gfx::fontDescription(handle)) handle = CreateFontIndirect(fonts_[id]);
    return handle;
}

bool Sheet::setColours(const Block& block, ColourPair colours) {
    if (!clip(block)) return false;
    const std::uint32_t id = internColours(colours);
    return changeStyles(block, [id](Style& s) { s.colours = id; });
}

ColourPair Sheet::colours(CellRef cell) const { return colourPairs_[styleOf(find(cell)).colours]; }

bool Sheet::setAlignment(const Block& block, Alignment alignment) {
    const int value = static_cast<int>(alignment);
    if (value < 0 || value > 6) return false;
    return changeStyles(block, [value](Style& s) {
        if (value == 0) {
            s.hAlign = s.vAlign = 0;
        } else if (value <= 3) {
            s.hAlign = static_cast<std::uint8_t>(value);
        } else {
            s.vAlign = static_cast<std::uint8_t>(value);
        }
    });
}

CellAlignment Sheet::alignment(CellRef cell) const {
    const Style& s = styleOf(find(cell));
    return {static_cast<Alignment>(s.hAlign), static_cast<Alignment>(s.vAlign)};
}

// ---- spans ----

const Sheet::Span* Sheet::spanAt(int col, int row) const {
    for (const Span& s : spans_) {
        if (s.covers(col, row)) return &s;
    }
    return nullptr;
}

bool Sheet::addSpan(CellRef anchor, int cols, int rows) {
    const int c = headerToZero(anchor.col);
    const int r = headerToZero(anchor.row);
    if (!contains(anchor) || cols < 1 || rows < 1 || cols > kMaxCols || rows > kMaxRows) return false;
    if (cols == 1 && rows == 1) return false;
    if ((c == 0 && cols > 1) || (r == 0 && rows > 1)) return false;  // header and data cells never mix
    const Span added{c, r, cols, rows};
    for (const Span& s : spans_) {
        const bool apart = s.col + s.cols <= c || c + cols <= s.col || s.row + s.rows <= r || r + rows <= s.row;
        if (!apart) return false;
    }
    spans_.push_back(added);
    return true;
}

SpanInfo Sheet::span(CellRef cell) const {
    if (!contains(cell)) return {};
    const int c = headerToZero(cell.col);
    const int r = headerToZero(cell.row);
    const Span* s = spanAt(c, r);
    if (!s) return {};
    return {(s->col == c && s->row == r) ? 1 : 2, {s->col, s->row}, s->cols, s->rows};
}

bool Sheet::removeSpan(CellRef cell) {
    if (!contains(cell)) return false;
    const Span* s = spanAt(headerToZero(cell.col), headerToZero(cell.row));
    if (!s) return false;
    spans_.erase(spans_.begin() + (s - spans_.data()));
    return true;
}

// ---- blocks ----

void Sheet::copyCell(Cell& to, const Cell& from) {
    to.text = from.text;
    to.style = from.style;
    if (from.extra) {
        if (to.extra) {
            *to.extra = *from.extra;
        } else {
            to.extra = std::make_unique<CellExtra>(*from.extra);
        }
    } else {
        to.extra.reset();
    }
}

bool Sheet::copyBlock(const Block& source, CellRef destination) {
    const auto src = clip(source);
    if (!src || !contains(destination)) return false;
    const int dc = headerToZero(destination.col);
    const int dr = headerToZero(destination.row);
    const int cols = std::min(src->col2 - src->col1, colCount_ - dc) + 1;
    const int rows = std::min(src->row2 - src->row1, rowCount_ - dr) + 1;
    const int dx = dc - src->col1;
    const int dy = dr - src->row1;
    if (dx == 0 && dy == 0) return true;
    // Walking away from the direction of the move reads every source cell before it is overwritten.
    for (int i = 0; i < rows; ++i) {
        const int r = dy > 0 ? src->row1 + rows - 1 - i : src->row1 + i;
        for (int j = 0; j < cols; ++j) {
            const int c = dx > 0 ? src->col1 + cols - 1 - j : src->col1 + j;
            if (!find({c, r})) {
                if (find({c + dx, r + dy})) at({c + dx, r + dy}) = Cell{};
                continue;
            }
            // Making the target may widen its row, so the source is looked up after it.
            Cell& to = at({c + dx, r + dy});
            copyCell(to, *find({c, r}));
        }
    }
    auto copySizes = [](std::vector<double>& sizes, int first, int count, int delta) {
        const auto needed = static_cast<std::size_t>(first + count + std::max(delta, 0));
        if (sizes.size() < needed) sizes.resize(needed, -1.0);
        if (delta > 0) {
            std::copy_backward(sizes.begin() + first, sizes.begin() + first + count, sizes.begin() + first + count + delta);
        } else {
            std::copy(sizes.begin() + first, sizes.begin() + first + count, sizes.begin() + first + delta);
        }
    };
    if (src->col1 <= 1 && src->col2 >= colCount_ && dy != 0 && !rowHeights_.empty()) {
        copySizes(rowHeights_, src->row1, rows, dy);
    }
    if (src->row1 <= 1 && src->row2 >= rowCount_ && dx != 0 && !colWidths_.empty()) {
        copySizes(colWidths_, src->col1, cols, dx);
    }
    cellsWritten({dc, dr, dc + cols - 1, dr + rows - 1});
    return true;
}

bool Sheet::swapBlocks(const Block& first, CellRef secondTopLeft) {
    const auto a = clip(first);
    if (!a || !contains(secondTopLeft)) return false;
    const int cols = a->col2 - a->col1 + 1;
    const int rows = a->row2 - a->row1 + 1;
    const int bc = headerToZero(secondTopLeft.col);
    const int br = headerToZero(secondTopLeft.row);
    if (bc + cols - 1 > colCount_ || br + rows - 1 > rowCount_) return false;
    const bool apart = a->col2 < bc || bc + cols - 1 < a->col1 || a->row2 < br || br + rows - 1 < a->row1;
    if (!apart) return false;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const CellRef x{a->col1 + c, a->row1 + r};
            const CellRef y{bc + c, br + r};
            if (!find(x) && !find(y)) continue;
            at(x);
            at(y);  // both made before either reference is taken
            std::swap(at(x), at(y));
        }
    }
    cellsWritten(*a);
    cellsWritten({bc, br, bc + cols - 1, br + rows - 1});
    return true;
}

// ---- switches ----

void Sheet::setSwitch(int number, bool on) {
    if (number < 0 || number >= sw::count) return;
    const std::uint64_t bit = 1ull << number;
    switches_ = on ? (switches_ | bit) : (switches_ & ~bit);
}

bool Sheet::switchOn(int number) const {
    return number >= 0 && number < sw::count && (switches_ >> number & 1u) != 0;
}

}  // namespace vtl::grid
