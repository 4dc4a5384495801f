#include "formula/engine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>

#include "model/number_text.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {
// Registered functions running at the moment, over every grid of the process (UI thread only).
int gNesting = 0;

struct NestingGuard {
    NestingGuard() { ++gNesting; }
    ~NestingGuard() { --gNesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

struct DepthGuard {
    explicit DepthGuard(int& depth) : d(depth) { ++d; }
    ~DepthGuard() { --d; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& d;
};

std::uint64_t hashText(std::string_view text) { return std::hash<std::string_view>{}(text); }

constexpr std::size_t kSmallRange = 64;  // larger ranges are watched as blocks, not by column
constexpr int kWatchColumns = 8;         // a small range is watched in each of its columns
constexpr int kBandShift = 6;            // watched ranges are found by bands of 64 rows

// Two doubles added lane by lane (each lane an ordinary double addition).
using Pair = double __attribute__((vector_size(16)));
inline Pair loadPair(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool inGrid(CellRef c) { return c.col >= 1 && c.col <= kMaxCols && c.row >= 1 && c.row <= kMaxRows; }

bool inBlock(const Block& b, CellRef c) {
    return c.col >= b.col1 && c.col <= b.col2 && c.row >= b.row1 && c.row <= b.row2;
}

FunctionValue toFunctionValue(const Value& v) {
    FunctionValue f;
    switch (v.kind) {
    case Value::Kind::empty: f.status = FunctionValue::empty; break;
    case Value::Kind::error:
        f.status = FunctionValue::error;
        f.type = FunctionValue::text;
        f.asText = std::string(errorText(v.error));
        break;
    case Value::Kind::boolean: f.asLong = v.number != 0 ? 1 : 0; break;
    case Value::Kind::text:
        f.type = FunctionValue::text;
        f.asText = v.text;
        break;
    case Value::Kind::number:
        // Whole numbers within 32 bits travel as longs, so that 100 reads "100" and not "100.00".
        if (v.number == static_cast<double>(static_cast<std::int32_t>(v.number)) && v.number >= -2147483648.0 &&
            v.number <= 2147483647.0) {
            f.asLong = static_cast<std::int32_t>(v.number);
        } else {
            f.type = FunctionValue::doubleValue;
            f.asDouble = v.number;
        }
        break;
    }
    return f;
}
}  // namespace

FormulaEngine::FormulaEngine(Sheet& sheet) : sheet_(sheet) { readAll(); }

FormulaEngine::~FormulaEngine() = default;

bool FormulaEngine::autoCalc() const { return sheet_.switchOn(sw::autoCalc); }

// ---- slots and dependencies ----

std::shared_ptr<const Formula> FormulaEngine::sharedForm(std::string_view r1c1, Formula* parsed) {
    auto found = forms_.find(r1c1);
    if (found != forms_.end()) {
        if (auto form = found->second.lock()) return form;
    } else {
        found = forms_.emplace(std::string(r1c1), std::weak_ptr<const Formula>()).first;
    }
    auto& entry = found->second;
    std::shared_ptr<const Formula> form;
    if (parsed) {
        form = std::make_shared<const Formula>(std::move(*parsed));
    } else {
        Formula f;
        if (!parseFormula(r1c1, kRefStyleR1C1, {1, 1}, f)) {
            forms_.erase(found);
            return nullptr;
        }
        form = std::make_shared<const Formula>(std::move(f));
    }
    entry = form;
    if (forms_.size() >= formsPurgeAt_) {
        std::erase_if(forms_, [](const auto& e) { return e.second.expired(); });
        formsPurgeAt_ = std::max<std::size_t>(1024, forms_.size() * 2);
    }
    return form;
}

std::size_t FormulaEngine::parsedFormCount() const {
    std::size_t n = 0;
    for (const auto& entry : forms_) n += entry.second.expired() ? 0 : 1;
    return n;
}

bool FormulaEngine::formulasInColumns(int c1, int c2) const {
    c1 = std::max(c1, 0);
    c2 = std::min(c2, static_cast<int>(columnFormulas_.size()) - 1);
    for (int c = c1; c <= c2; ++c) {
        if (columnFormulas_[static_cast<std::size_t>(c)] != 0) return true;
    }
    return false;
}

std::uint32_t FormulaEngine::addSlot(CellRef cell, std::shared_ptr<const Formula> formula, std::uint64_t textHash) {
    std::uint32_t id;
    const bool reused = !freeSlots_.empty();
    if (reused) {
        id = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        id = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
        results_.emplace_back();
        tags_.emplace_back();
    }
    Slot& s = slots_[id];
    s.cell = cell;
    s.formula = std::move(formula);
    results_[id] = Result{};
    const auto column = static_cast<std::size_t>(cell.col);
    if (columnFormulas_.size() <= column) columnFormulas_.resize(column + 1, 0);
    ++columnFormulas_[column];
    s.textHash = textHash;
    Tag& tag = tags_[id];
    ++tag.generation;
    tag.col = cell.col;
    s.live = true;
    s.linked = false;
    s.raw = false;
    s.edgeCount = 0;
    slotOf_.set(cellKey(cell), id);
    // A column being filled extends its run; a reused id may lie anywhere: the runs are found again.
    if (reused) {
        runsKnown_ = false;
    } else if (id > 0 && follows(slots_[id - 1], s)) {
        if (!runs_.empty() && runs_.back().end == id) {
            ++runs_.back().end;
        } else {
            runs_.push_back({id - 1, id + 1, slots_[id - 1].formula.get(), slots_[id - 1].cell});
        }
    }
    return id;
}

void FormulaEngine::removeSlot(std::uint32_t id) {
    Slot& s = slots_[id];
    slotOf_.erase(cellKey(s.cell));
    s.live = false;
    ++tags_[id].generation;  // its edges go stale
    staleEdges_ += s.edgeCount;
    s.edgeCount = 0;
    s.formula.reset();
    Result& r = results_[id];
    r.pending = false;
    if (r.kind == Value::Kind::text) texts_.erase(id);
    r.kind = Value::Kind::empty;
    runsKnown_ = false;  // the slot may lie in a run
    --columnFormulas_[static_cast<std::size_t>(s.cell.col)];
    freeSlots_.push_back(id);
}

void FormulaEngine::link(std::uint32_t id) {
    Slot& s = slots_[id];
    if (s.linked || !s.live) return;
    s.linked = true;
    if (!s.formula) return;
    for (const Node& n : s.formula->nodes) {
        if (n.kind != NodeKind::ref && n.kind != NodeKind::range) continue;
        const CellRef a = n.a.at(s.cell);
        const CellRef b = n.kind == NodeKind::range ? n.b.at(s.cell) : a;
        const int c1 = std::max(1, std::min(a.col, b.col)), c2 = std::min(kMaxCols, std::max(a.col, b.col));
        const int r1 = std::max(1, std::min(a.row, b.row)), r2 = std::min(kMaxRows, std::max(a.row, b.row));
        if (c1 > c2 || r1 > r2) continue;
        const auto area = static_cast<std::size_t>(c2 - c1 + 1) * static_cast<std::size_t>(r2 - r1 + 1);
        if (area > kSmallRange || c2 - c1 + 1 > kWatchColumns) {
            bigRanges_.push_back({id, tags_[id].generation, {c1, r1, c2, r2}});
            ++s.edgeCount;
            continue;
        }
        if (area > 1) {
            // One entry per column: a filled column of sums over short windows costs no edge per cell.
            if (watches_.size() <= static_cast<std::size_t>(c2)) watches_.resize(static_cast<std::size_t>(c2) + 1);
            for (int c = c1; c <= c2; ++c) {
                ColumnWatches& w = watches_[static_cast<std::size_t>(c)];
                if (!w.list.empty() && w.list.back().row1 > r1) w.sorted = w.indexed = false;
                w.list.push_back({r1, r2, id, tags_[id].generation});
                // Ranges added in row order (a column being filled) keep the bands up to date.
                if (w.indexed) {
                    const auto band = static_cast<std::size_t>(r1 >> kBandShift);
                    while (w.bandStart.size() <= band) w.bandStart.push_back(static_cast<std::uint32_t>(w.list.size() - 1));
                }
                w.longest = std::max(w.longest, r2 - r1 + 1);
                ++watchCount_;
                ++s.edgeCount;
            }
            continue;
        }
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                const std::uint64_t key = cellKey({c, r});
                const auto edge = static_cast<std::uint32_t>(edges_.size());
                edges_.push_back({id, tags_[id].generation, heads_.exchange(key, edge)});
                if (headColumns_.size() <= static_cast<std::size_t>(c)) headColumns_.resize(static_cast<std::size_t>(c) + 1, 0);
                ++headColumns_[static_cast<std::size_t>(c)];
                ++s.edgeCount;
            }
        }
    }
}

void FormulaEngine::linkPending() {
    for (std::uint32_t id : unlinked_) {
        if (id < slots_.size()) link(id);
    }
    unlinked_.clear();
}

void FormulaEngine::compactEdges() {
    if (staleEdges_ < 1024 || staleEdges_ * 2 < edges_.size() + bigRanges_.size() + watchCount_) return;
    edges_.clear();
    heads_.clear();
    headColumns_.clear();
    bigRanges_.clear();
    watches_.clear();
    watchCount_ = 0;
    staleEdges_ = 0;
    for (std::uint32_t id = 0; id < slots_.size(); ++id) {
        Slot& s = slots_[id];
        if (!s.live || !s.linked) continue;
        s.linked = false;
        s.edgeCount = 0;
        link(id);
    }
}

void FormulaEngine::clearAll() {
    slots_.clear();
    results_.clear();
    tags_.clear();
    runs_.clear();
    runsKnown_ = true;
    texts_.clear();
    freeSlots_.clear();
    slotOf_.clear();
    heads_.clear();
    headColumns_.clear();
    edges_.clear();
    bigRanges_.clear();
    watches_.clear();
    watchCount_ = 0;
    staleEdges_ = 0;
    pending_ = false;
    unlinked_.clear();
    columnFormulas_.clear();
    numbers_.clear();
}

void FormulaEngine::readAll() {
    clearAll();
    // Row by row: formulas with no order between them are calculated in this order (registered
    // functions see it). A column that is the only one holding formulas is one run of slots.
    const std::vector<CellRef> cells = sheet_.formulaCells();
    slotOf_.reserve(cells.size());
    for (const CellRef cell : cells) {
        const std::string text = sheet_.formula(cell);
        auto form = sharedForm(text);
        const bool ok = form != nullptr;
        const std::uint32_t id = addSlot(cell, std::move(form), hashText(text));
        slots_[id].raw = !ok;
        link(id);
    }
}

bool FormulaEngine::reconcile(CellRef cell, bool plain) {
    const std::uint64_t key = cellKey(cell);
    // A column without formulas has no slot to look up.
    const std::uint32_t id = formulasInColumns(cell.col, cell.col) ? slotOf_.find(key) : CellMap::kNone;
    if (plain || !sheet_.hasFormula(cell)) {
        if (id == CellMap::kNone) return false;
        removeSlot(id);
        return true;
    }
    const std::string text = sheet_.formula(cell);
    const std::uint64_t hash = hashText(text);
    if (id != CellMap::kNone && slots_[id].textHash == hash) {
        // The same formula, written again (a copy, a new type): its result is due again. (A write
        // formats a pending result before it changes the cell; this keeps that true of any path.)
        if (results_[id].pending) writePendingResult(cell);
        results_[id].computed = false;
        results_[id].state = State::dirty;
        return true;
    }
    auto form = sharedForm(text);
    const bool ok = form != nullptr;
    if (id != CellMap::kNone) removeSlot(id);
    const std::uint32_t added = addSlot(cell, std::move(form), hash);
    slots_[added].raw = !ok;
    results_[added].state = State::dirty;
    link(added);
    return true;
}

void FormulaEngine::precedents(std::uint32_t id, std::vector<std::uint32_t>& out) const {
    const Slot& s = slots_[id];
    if (!s.formula) return;
    for (const Node& n : s.formula->nodes) {
        if (n.kind != NodeKind::ref && n.kind != NodeKind::range) continue;
        const CellRef a = n.a.at(s.cell);
        const CellRef b = n.kind == NodeKind::range ? n.b.at(s.cell) : a;
        // Only cells inside the counts can hold formulas, and only columns that hold any.
        const int c1 = std::max(0, std::min(a.col, b.col)), c2 = std::min(sheet_.colCount(), std::max(a.col, b.col));
        const int r1 = std::max(0, std::min(a.row, b.row)), r2 = std::min(sheet_.rowCount(), std::max(a.row, b.row));
        if (c1 > c2 || r1 > r2 || !formulasInColumns(c1, c2)) continue;
        const auto area = static_cast<std::size_t>(c2 - c1 + 1) * static_cast<std::size_t>(r2 - r1 + 1);
        if (area > slotOf_.size() + kSmallRange) {
            const Block block{c1, r1, c2, r2};
            for (std::uint32_t k = 0; k < slots_.size(); ++k) {
                if (slots_[k].live && inBlock(block, slots_[k].cell)) out.push_back(k);
            }
            continue;
        }
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                const std::uint32_t p = slotOf_.find(cellKey({c, r}));
                if (p != CellMap::kNone) out.push_back(p);
            }
        }
    }
}

void FormulaEngine::markDependents(std::vector<std::uint64_t>& cells, std::vector<std::uint32_t>& dirtied) {
    compactEdges();
    ++passMark_;
    // Called for an edge's slot whose generation matches (so it is live).
    auto visit = [&](std::uint32_t id, Tag& tag) {
        if (tag.mark == passMark_) return;
        tag.mark = passMark_;
        results_[id].state = State::dirty;
        dirtied.push_back(id);
        // Its own dependents next; a cell of a column nothing refers to has none.
        if (referredColumn(tag.col)) cells.push_back(cellKey(slots_[id].cell));
    };
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::uint64_t key = cells[i];
        const auto keyCol = static_cast<std::size_t>(keyCell(key).col);
        const bool referred = keyCol < headColumns_.size() && headColumns_[keyCol] != 0;
        for (std::uint32_t e = referred ? heads_.find(key) : CellMap::kNone; e != CellMap::kNone; e = edges_[e].next) {
            const Edge& edge = edges_[e];
            Tag& tag = tags_[edge.slot];
            if (tag.generation == edge.generation) visit(edge.slot, tag);
        }
        if (const CellRef c = keyCell(key); static_cast<std::size_t>(c.col) < watches_.size()) {
            ColumnWatches& w = watches_[static_cast<std::size_t>(c.col)];
            if (!w.sorted) {
                std::sort(w.list.begin(), w.list.end(), [](const Watch& x, const Watch& y) { return x.row1 < y.row1; });
                w.sorted = true;
            }
            if (!w.indexed) {
                // Where each band of rows starts in the list, so that a lookup searches one band.
                const std::size_t bands = w.list.empty() ? 0 : static_cast<std::size_t>(w.list.back().row1 >> kBandShift) + 1;
                w.bandStart.assign(bands, 0);
                std::size_t pos = 0;
                for (std::size_t band = 0; band < bands; ++band) {
                    while (pos < w.list.size() && static_cast<std::size_t>(w.list[pos].row1 >> kBandShift) < band) ++pos;
                    w.bandStart[band] = static_cast<std::uint32_t>(pos);
                }
                w.indexed = true;
            }
            // The first range starting below the cell: in the cell's band or at the next band's start (past
            // the last band, none).
            const auto band = static_cast<std::size_t>(c.row >> kBandShift);
            auto it = w.list.end();
            if (band < w.bandStart.size()) {
                const auto bandBegin = w.list.begin() + w.bandStart[band];
                const auto bandEnd = band + 1 < w.bandStart.size() ? w.list.begin() + w.bandStart[band + 1] : w.list.end();
                // A filled column watches one range starting in each row: the guess by the row is the one
                // sought; else a search of the band.
                const std::ptrdiff_t inBand = bandEnd - bandBegin;
                const auto guess = bandBegin + std::min<std::ptrdiff_t>(c.row - static_cast<int>(band << kBandShift), inBand - 1);
                if (inBand > 0 && guess->row1 <= c.row && (guess + 1 == bandEnd || (guess + 1)->row1 > c.row)) {
                    it = guess + 1;
                } else {
                    it = std::upper_bound(bandBegin, bandEnd, c.row, [](int row, const Watch& x) { return row < x.row1; });
                }
            }
            // Only ranges starting less than the longest one's rows above can hold the cell.
            while (it != w.list.begin()) {
                --it;
                if (it->row1 + w.longest <= c.row) break;
                if (it->row2 < c.row) continue;
                Tag& tag = tags_[it->slot];
                if (tag.generation == it->generation) visit(it->slot, tag);
            }
        }
        if (!bigRanges_.empty()) {
            const CellRef c = keyCell(key);
            for (const BigRange& big : bigRanges_) {
                Tag& tag = tags_[big.slot];
                if (tag.generation == big.generation && inBlock(big.block, c)) visit(big.slot, tag);
            }
        }
    }
}

// ---- calculation ----

void FormulaEngine::evaluate(std::uint32_t root) {
    if (results_[root].state != State::dirty || !slots_[root].live) return;
    results_[root].state = State::active;
    std::size_t begin = prec_.size();
    precedents(root, prec_);
    stack_.push_back({root, begin, begin, prec_.size(), false});
    while (!stack_.empty()) {
        Frame& f = stack_.back();
        bool pushed = false;
        while (f.cursor < f.end) {
            const std::uint32_t p = prec_[f.cursor++];
            Result& ps = results_[p];
            if (ps.state == State::dirty) {
                ps.state = State::active;
                begin = prec_.size();
                precedents(p, prec_);
                stack_.push_back({p, begin, begin, prec_.size(), false});
                pushed = true;
                break;
            }
            if (ps.state == State::active) f.circular = true;
        }
        if (pushed) continue;
        const Frame done = f;
        compute(done.slot, done.circular);
        results_[done.slot].state = State::clean;
        prec_.resize(done.begin);
        stack_.pop_back();
    }
}

void FormulaEngine::compute(std::uint32_t id, bool circular) {
    Value v;
    if (circular) {
        v = Value::makeError(FormulaError::circular);
    } else if (slots_[id].raw) {
        v = Value::makeError(FormulaError::name);
    } else if (columnAggregate(slots_[id], v)) {
    } else {
        const std::shared_ptr<const Formula> form = slots_[id].formula;  // kept whatever the call does
        Evaluator ev(*form, slots_[id].cell, *this);
        v = ev.run();
    }
    setResult(id, std::move(v));
    Result& r = results_[id];
    r.computed = true;
    markPending(r);
}

void FormulaEngine::writePendingResult(CellRef cell) {
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id == CellMap::kNone) return;
    Result& r = results_[id];
    if (!r.pending) return;
    r.pending = false;  // first: the write below looks the cell up again
    std::string text;
    resultText(result(id), text);
    sheet_.setFormulaResult(cell, text);
}

void FormulaEngine::writePendingResults() {
    if (!pending_) return;
    for (std::uint32_t id = 0; id < slots_.size(); ++id) {
        if (results_[id].pending && slots_[id].live) writePendingResult(slots_[id].cell);
    }
    pending_ = false;
}

bool FormulaEngine::columnRange(const Slot& s, ColumnRange& out) const { return columnRange(*s.formula, s.cell, out); }

bool FormulaEngine::columnRange(const Formula& f, CellRef cell, ColumnRange& out) const {
    const Node& call = f.nodes[static_cast<std::size_t>(f.root)];
    if (call.kind != NodeKind::call || call.argc != 1) return false;
    const Node& arg = f.nodes[static_cast<std::size_t>(call.child)];
    if (arg.kind != NodeKind::range) return false;
    const auto builtin = findBuiltin(call.index);
    if (!builtin || (*builtin != Builtin::sum && *builtin != Builtin::average && *builtin != Builtin::min &&
                     *builtin != Builtin::max && *builtin != Builtin::count))
        return false;
    if (!customs_.empty() && customs_.count(call.index)) return false;  // a registered function wins
    const CellRef a = arg.a.at(cell), b = arg.b.at(cell);
    if (a.col != b.col || !inGrid(a) || !inGrid(b) || formulasInColumns(a.col, a.col)) return false;
    out = {*builtin, &arg, a.col, std::min(a.row, b.row), std::max(a.row, b.row)};
    return true;
}

const FormulaEngine::NumberColumn& FormulaEngine::readNumbers(int col, int r1, int r2) {
    const auto c = static_cast<std::size_t>(col);
    for (int r = r2; r >= r1; --r) {  // the last row first: the column grows once
        const auto row = static_cast<std::size_t>(r);
        if (c >= numbers_.size() || row >= numbers_[c].state.size() || numbers_[c].state[row] == 0) plainValue({col, r});
    }
    return numbers_[c];
}

// One column of plain cells: only numbers count (text and empty cells are passed over, and a plain cell
// holds no error), in the order the built-in reads them. Rows first..last of the column's numbers; none
// when first > last.
Value FormulaEngine::aggregateRows(Builtin fn, const NumberColumn* n, int first, int last) {
    const std::uint8_t* state = n ? n->state.data() : nullptr;
    const double* number = n ? n->number.data() : nullptr;
    double total = 0;
    double count = 0;
    switch (fn) {
    case Builtin::sum:
    case Builtin::average:
    case Builtin::count:
        for (int r = first; r <= last; ++r) {
            if (state[r] != 1) continue;
            total += number[r];
            ++count;
        }
        if (fn == Builtin::sum) return Value::makeNumber(total);
        if (fn == Builtin::count) return Value::makeNumber(count);
        return count == 0 ? Value::makeError(FormulaError::div0) : Value::makeNumber(total / count);
    default: {
        const bool min = fn == Builtin::min;
        std::optional<double> best;
        for (int r = first; r <= last; ++r) {
            if (state[r] != 1) continue;
            if (!best || (min ? number[r] < *best : number[r] > *best)) best = number[r];
        }
        return Value::makeNumber(best.value_or(0));
    }
    }
}

bool FormulaEngine::columnAggregate(const Slot& s, Value& out) {
    ColumnRange range;
    if (!columnRange(s, range)) return false;
    // Rows below the used area are empty: not read.
    const CellRef used = sheet_.usedEnd();
    const int r2 = std::min(range.r2, used.row);
    if (range.col > used.col || range.r1 > r2) {
        out = aggregateRows(range.fn, nullptr, 1, 0);
        return true;
    }
    out = aggregateRows(range.fn, &readNumbers(range.col, range.r1, r2), range.r1, r2);
    return true;
}

void FormulaEngine::findRuns() {
    runs_.clear();
    for (std::uint32_t id = 1; id < slots_.size(); ++id) {
        if (!follows(slots_[id - 1], slots_[id])) continue;
        if (!runs_.empty() && runs_.back().end == id) {
            ++runs_.back().end;
        } else {
            runs_.push_back({id - 1, id + 1, slots_[id - 1].formula.get(), slots_[id - 1].cell});
        }
    }
    runsKnown_ = true;
}

bool FormulaEngine::evaluateRun(const Run& run) {
    ColumnRange head, tail;
    // Rows move with the cell or stay put: the first cell's range starts highest, the last's ends lowest.
    // The run knows its form and cells: no slot is read.
    const CellRef firstCell = run.cell;
    if (!columnRange(*run.form, firstCell, head) ||
        !columnRange(*run.form, {firstCell.col, firstCell.row + static_cast<int>(run.end - 1 - run.first)}, tail))
        return false;
    const CellRef used = sheet_.usedEnd();
    const int lo = head.r1, hi = std::min(tail.r2, used.row);
    // The rows read into the column's numbers. A sum whose window holds numbers only (the usual case)
    // adds it straight, in row order as the built-in adds it; any other goes through the built-in's rule.
    const NumberColumn* numbers = nullptr;
    if (head.col <= used.col && lo <= hi) {
        numbers = &readNumbers(head.col, hi, hi);  // the column grows once
        const auto first = static_cast<std::size_t>(lo), count = static_cast<std::size_t>(hi - lo + 1);
        if (std::memchr(numbers->state.data() + first, 0, count)) numbers = &readNumbers(head.col, lo, hi);
    }
    const bool sum = numbers != nullptr && head.fn == Builtin::sum;
    const std::uint8_t* state = numbers ? numbers->state.data() : nullptr;
    const double* number = numbers ? numbers->number.data() : nullptr;
    // The first row from a window's start on that holds no number (hi + 1 when none); windows start
    // no higher than the last, so the rows are scanned once.
    int other = lo;
    auto numbersUpTo = [&](int first, int last) {
        if (other < first) {
            other = first;
            while (other <= hi && state[other] == 1) ++other;
        }
        return last < other;
    };
    auto store = [&](std::uint32_t at, double total) {
        if (!texts_.empty() && results_[at].kind == Value::Kind::text) texts_.erase(at);
        // Written whole, not read first: a long column costs no read of what it held.
        results_[at] = {total, Value::Kind::number, FormulaError::none, State::clean, true, true};
    };
    if (sum) {
        while (other <= hi && state[other] == 1) ++other;
    }
    const Node& arg = *head.arg;
    const int col = firstCell.col;
    int row = firstCell.row;
    // Windows of one length, each a row below the last: eight summed side by side (in pairs of lanes),
    // each in row order from zero as the built-in sums it, so the results are the same to the bit.
    constexpr std::uint32_t kLanes = 8;
    const bool uniform = sum && !arg.a.rowAbs && !arg.b.rowAbs;
    const int offset = std::min(arg.a.row, arg.b.row);
    const int length = std::abs(arg.b.row - arg.a.row) + 1;
    for (std::uint32_t id = run.first; id < run.end;) {
        if (uniform && run.end - id >= kLanes) {
            const int first = row + offset, last = row + static_cast<int>(kLanes) - 1 + offset + length - 1;
            if (last <= used.row && numbersUpTo(first, last)) {
                const double* p = number + first;
                Pair t0{}, t1{}, t2{}, t3{};
                for (int k = 0; k < length; ++k, ++p) {
                    t0 += loadPair(p);
                    t1 += loadPair(p + 2);
                    t2 += loadPair(p + 4);
                    t3 += loadPair(p + 6);
                }
                const double t[kLanes] = {t0[0], t0[1], t1[0], t1[1], t2[0], t2[1], t3[0], t3[1]};
                for (std::uint32_t j = 0; j < kLanes; ++j) store(id + j, t[j]);
                id += kLanes;
                row += static_cast<int>(kLanes);
                continue;
            }
        }
        const CellRef a = arg.a.at({col, row}), b = arg.b.at({col, row});
        const int r1 = std::min(a.row, b.row), r2 = std::min(std::max(a.row, b.row), used.row);
        if (sum && r1 <= r2 && numbersUpTo(r1, r2)) {
            double total = 0;
            for (int r = r1; r <= r2; ++r) total += number[r];
            store(id, total);
        } else {
            setResult(id, numbers && r1 <= r2 ? aggregateRows(head.fn, numbers, r1, r2)
                                              : aggregateRows(head.fn, nullptr, 1, 0));
            Result& res = results_[id];
            res.computed = true;
            res.state = State::clean;
            res.pending = true;
        }
        ++id;
        ++row;
    }
    pending_ = true;
    return true;
}

void FormulaEngine::setResult(std::uint32_t id, Value&& v) {
    Result& s = results_[id];
    if (v.kind == Value::Kind::text) {
        texts_[id] = std::move(v.text);
    } else if (s.kind == Value::Kind::text) {
        texts_.erase(id);
    }
    s.kind = v.kind;
    s.error = v.error;
    s.number = v.number;
}

Value FormulaEngine::result(std::uint32_t id) const {
    const Result& s = results_[id];
    Value v;
    v.kind = s.kind;
    v.error = s.error;
    v.number = s.number;
    if (s.kind == Value::Kind::text) {
        const auto it = texts_.find(id);
        if (it != texts_.end()) v.text = it->second;
    }
    return v;
}

void FormulaEngine::evaluateRuns(const std::vector<std::uint32_t>& ids) {
    if (ids.size() < 2 || ids.size() > 4096 || runs_.empty() || !runsKnown_) return;
    auto evaluateStretch = [&](std::uint32_t first, std::uint32_t last) {
        // The run holding the stretch: the last that starts at or before it.
        auto it = std::upper_bound(runs_.begin(), runs_.end(), first,
                                   [](std::uint32_t id, const Run& run) { return id < run.first; });
        if (it != runs_.begin() && (--it)->end > last) evaluateRun(it->part(first, last + 1));
    };
    // Usually the ids are one stretch, in order or against it (the cells of a range, from the bottom
    // up): taken as it is, without sorting.
    const std::uint32_t front = ids.front(), back = ids.back();
    const bool down = back > front && back - front + 1 == ids.size();
    const bool up = front > back && front - back + 1 == ids.size();
    if (down || up) {
        std::size_t k = 1;
        if (down) {
            while (k < ids.size() && ids[k] == ids[k - 1] + 1) ++k;
        } else {
            while (k < ids.size() && ids[k] + 1 == ids[k - 1]) ++k;
        }
        if (k == ids.size()) {
            evaluateStretch(std::min(front, back), std::max(front, back));
            return;
        }
    }
    sorted_.assign(ids.begin(), ids.end());
    // Dependents are usually found in row order or against it (a range's cells, from the bottom up).
    if (std::is_sorted(sorted_.begin(), sorted_.end(), std::greater<>())) {
        std::reverse(sorted_.begin(), sorted_.end());
    } else if (!std::is_sorted(sorted_.begin(), sorted_.end())) {
        std::sort(sorted_.begin(), sorted_.end());
    }
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
    for (std::size_t i = 0; i < sorted_.size();) {
        std::size_t j = i + 1;
        while (j < sorted_.size() && sorted_[j] == sorted_[j - 1] + 1) ++j;
        if (j - i >= 2) evaluateStretch(sorted_[i], sorted_[j - 1]);
        i = j;
    }
}

void FormulaEngine::evaluateAll(const std::vector<std::uint32_t>& ids) {
    {
        DepthGuard guard(calcDepth_);
        for (std::uint32_t id : ids) {
            // The state first: slots calculated as blocks are clean, and their slots need not be read.
            if (id < slots_.size() && results_[id].state == State::dirty && slots_[id].live) evaluate(id);
        }
    }
    afterCalculation();
}

bool FormulaEngine::recalcAll() {
    if (calcDepth_ > 0) return false;
    linkPending();
    if (!runsKnown_) findRuns();
    std::vector<std::uint32_t> rest;
    {
        // A filled column of sums (and their kin) over a column without formulas is calculated as one
        // block from the column's numbers; it reads no formula, so it goes first. The rest follows its
        // dependencies.
        DepthGuard guard(calcDepth_);
        std::uint32_t id = 0;
        auto each = [&](std::uint32_t end) {
            for (; id < end; ++id) {
                if (!slots_[id].live) continue;
                results_[id].state = State::dirty;
                rest.push_back(id);
            }
        };
        for (const Run& run : runs_) {
            each(run.first);
            if (evaluateRun(run)) id = run.end;
            each(run.end);
        }
        each(static_cast<std::uint32_t>(slots_.size()));
    }
    evaluateAll(rest);
    return true;
}

bool FormulaEngine::recalcCell(CellRef cell) {
    if (calcDepth_ > 0 || !sheet_.contains(cell)) return false;
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id == CellMap::kNone) return false;
    linkPending();
    std::vector<std::uint32_t> list{id};
    results_[id].state = State::dirty;
    if (autoCalc()) {
        std::vector<std::uint64_t> cells{cellKey(cell)};
        markDependents(cells, list);
    }
    evaluateAll(list);
    return true;
}

CellRef FormulaEngine::usedEnd() { return sheet_.usedEnd(); }

void FormulaEngine::presentCells(const Block& block, std::vector<CellRef>& out) { sheet_.presentCells(block, out); }

FormulaEngine::NumberColumn& FormulaEngine::numbersFor(std::size_t col, std::size_t row) {
    if (numbers_.size() <= col) numbers_.resize(col + 1);
    NumberColumn& n = numbers_[col];
    if (n.state.size() <= row) {
        // Grown as rows are read, never beyond the sheet's rows.
        const auto size = std::min(static_cast<std::size_t>(sheet_.rowCount()) + 1, std::max(row + 1, n.state.size() * 2));
        n.state.resize(size, 0);
        n.number.resize(size, 0.0);
    }
    return n;
}

void FormulaEngine::readNumber(NumberColumn& n, std::size_t row, std::string_view stored) {
    if (stored.empty()) {
        n.state[row] = 2;
    } else if (const auto v = parseNumber(stored)) {
        n.state[row] = 1;
        n.number[row] = *v;
    } else {
        n.state[row] = 3;
    }
}

Value FormulaEngine::plainValue(CellRef cell) {
    if (cell.col < 1 || cell.row < 1 || cell.col > sheet_.colCount() || cell.row > sheet_.rowCount())
        return valueOfStoredText(sheet_.storedValue(cell, scratch_));
    const auto row = static_cast<std::size_t>(cell.row);
    NumberColumn& n = numbersFor(static_cast<std::size_t>(cell.col), row);
    switch (n.state[row]) {
    case 1: return Value::makeNumber(n.number[row]);
    case 2: return Value{};
    default: break;
    }
    // Not read yet, or a text (texts are not kept): read from the cell.
    const std::string_view stored = sheet_.storedValue(cell, scratch_);
    readNumber(n, row, stored);
    switch (n.state[row]) {
    case 1: return Value::makeNumber(n.number[row]);
    case 2: return Value{};
    default: return Value::makeText(std::string(stored));
    }
}

void FormulaEngine::forgetNumbers(const Block& block) {
    const int c2 = std::min(block.col2, static_cast<int>(numbers_.size()) - 1);
    for (int c = std::max(block.col1, 0); c <= c2; ++c) {
        NumberColumn& n = numbers_[static_cast<std::size_t>(c)];
        if (n.state.empty()) continue;
        if (block.row2 - block.row1 > 4096) {
            n = NumberColumn{};
            continue;
        }
        const int r2 = std::min(block.row2, static_cast<int>(n.state.size()) - 1);
        for (int r = std::max(block.row1, 0); r <= r2; ++r) n.state[static_cast<std::size_t>(r)] = 0;
    }
}

Value FormulaEngine::cellValue(CellRef cell) {
    const auto col = static_cast<std::size_t>(cell.col);
    if (col >= columnFormulas_.size() || columnFormulas_[col] == 0) return plainValue(cell);
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id != CellMap::kNone) {
        if (results_[id].computed) return result(id);
        // Not calculated since it was read: its stored result stands.
        const std::string_view stored = sheet_.storedValue(cell, scratch_);
        const FormulaError e = errorFromText(stored);
        return e != FormulaError::none ? Value::makeError(e) : valueOfStoredText(stored);
    }
    return plainValue(cell);
}

bool FormulaEngine::customCall(Evaluator& ev, const Node& call, Value& result) {
    if (customs_.empty()) return false;
    const auto it = customs_.find(call.index);
    if (it == customs_.end()) return false;
    const std::shared_ptr<const Custom> fn = it->second;  // kept alive if re-registered meanwhile
    if (call.argc < fn->minArgs || call.argc > fn->maxArgs) {
        result = Value{};
        return true;
    }
    if (gNesting >= kMaxNesting) {
        result = Value::makeError(FormulaError::depth);
        return true;
    }
    std::vector<FunctionValue> args;
    args.reserve(call.argc);
    for (int c = call.child; c >= 0; c = ev.node(c).next) {
        const Node& a = ev.node(c);
        const bool reference = a.kind == NodeKind::range || (a.kind == NodeKind::ref && (fn->flags & kPassReferences));
        if (reference) {
            FunctionValue f;
            CellRef from, to;
            if (!ev.corners(a, from, to)) {
                f.status = FunctionValue::error;
                f.type = FunctionValue::text;
                f.asText = std::string(errorText(FormulaError::ref));
            } else {
                f.type = a.kind == NodeKind::ref ? FunctionValue::cell : FunctionValue::range;
                f.reference = {from.col, from.row, to.col, to.row};
            }
            args.push_back(std::move(f));
        } else {
            args.push_back(toFunctionValue(ev.eval(c)));
        }
    }
    FunctionValue out;
    out.status = FunctionValue::empty;
    bool ok = false;
    {
        NestingGuard nesting;
        ok = fn->function(CustomCall{sheet_, ev.host(), gNesting - 1}, out, args);
    }
    if (!ok) {
        result = Value::makeError(FormulaError::value);
    } else if (out.status == FunctionValue::empty) {
        result = Value{};
    } else if (out.status != FunctionValue::ok) {
        const FormulaError e = out.type == FunctionValue::text ? errorFromText(out.asText) : FormulaError::none;
        result = Value::makeError(e != FormulaError::none ? e : FormulaError::value);
    } else {
        switch (out.type) {
        case FunctionValue::longValue: result = Value::makeNumber(out.asLong); break;
        case FunctionValue::doubleValue: result = Value::makeNumber(out.asDouble); break;
        case FunctionValue::text: result = Value::makeText(std::move(out.asText)); break;
        case FunctionValue::cell: {
            const CellRef c{out.reference.col1, out.reference.row1};
            result = sheet_.contains(c) ? cellValue(c) : Value::makeError(FormulaError::ref);
            break;
        }
        default: result = Value::makeError(FormulaError::value); break;
        }
    }
    return true;
}

// ---- changes ----

bool FormulaEngine::setFormula(CellRef cell, std::string_view text, int style, bool rebuild) {
    if (!sheet_.contains(cell)) return false;
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    auto trimLeft = [](std::string_view v) {
        while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
        return v;
    };
    std::string_view rest = trimLeft(text);
    if (!rest.empty() && rest.front() == '=') rest = trimLeft(rest.substr(1));
    // The parse and its R1C1 text go through buffers kept from call to call: a column being filled
    // costs no allocation for them. (A registered function writing a formula meanwhile runs only after
    // this call is done with them.)
    std::string& canonical = canonical_;
    Formula& f = parsed_;
    canonical.clear();
    bool parsed = false;
    bool keyed = false;  // the text is the last shape's (lastCanonical_)
    bool again = false;  // ... and that shape's text, written again
    if (!rest.empty()) {
        // A formula that differs from the one written before only by where its references lie relative
        // to its cell (a column being filled) is that formula again: no parse, the same R1C1 text.
        keyed = style != kRefStyleR1C1 && formulaShapeKey(text, cell, shapeKey_);
        if (keyed && !lastShapeKey_.empty() && shapeKey_ == lastShapeKey_) {
            canonical = lastCanonical_;
            again = true;
        } else {
            if (!parseFormula(text, style, cell, f)) return false;
            parsed = true;
            printFormula(f, kRefStyleR1C1, cell, canonical);
            if (keyed) {
                lastShapeKey_ = shapeKey_;
                lastCanonical_ = canonical;
                lastForm_.reset();  // made below, unless this call returns first
            }
        }
    }
    if (calcDepth_ > 0) return sheet_.setFormula(cell, canonical);  // taken in after the calculation
    selfWrite_ = true;
    sheet_.setFormula(cell, canonical);
    selfWrite_ = false;
    const std::uint64_t key = cellKey(cell);
    if (const std::uint32_t old = slotOf_.find(key); old != CellMap::kNone) removeSlot(old);
    std::vector<std::uint32_t> dirtied = std::move(dirtied_);  // kept from call to call, as in applyChanges
    dirtied.clear();
    if (!canonical.empty()) {
        // The last shape's parsed form and hash serve it again without a look-up.
        std::shared_ptr<const Formula> form = again ? lastForm_.lock() : nullptr;
        std::uint64_t hash = lastHash_;
        if (!form) {
            form = sharedForm(canonical, parsed ? &f : nullptr);
            hash = hashText(canonical);
            if (keyed) {
                lastForm_ = form;
                lastHash_ = hash;
            }
        }
        const bool ok = form != nullptr;
        const std::uint32_t id = addSlot(cell, std::move(form), hash);
        slots_[id].raw = !ok;
        results_[id].state = State::dirty;
        if (!rebuild) {
            unlinked_.push_back(id);
            dirtied_ = std::move(dirtied);
            return true;
        }
        link(id);
        dirtied.push_back(id);
    }
    if (rebuild) {
        linkPending();
        keys_.assign(1, key);
        markDependents(keys_, dirtied);
        if (autoCalc()) {
            evaluateRuns(dirtied);
            evaluateAll(dirtied);
        }
    }
    dirtied_ = std::move(dirtied);
    return true;
}

std::string FormulaEngine::formulaText(CellRef cell, int style) const {
    if (!sheet_.contains(cell)) return {};
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id == CellMap::kNone) return sheet_.formula(cell);  // written during a calculation, not yet taken in
    const Slot& s = slots_[id];
    return s.raw || !s.formula ? sheet_.formula(cell) : printFormula(*s.formula, style, cell);
}

void FormulaEngine::applyChanges(std::span<const Block> blocks, bool calculate, bool plain) {
    std::vector<std::uint64_t>& cells = keys_;  // used until the dependents are marked, before any call out
    cells.clear();
    // The list kept from call to call (a nested call, from a calculation's follow-up, makes its own).
    std::vector<std::uint32_t> dirtied = std::move(dirtied_);
    dirtied.clear();
    for (const Block& block : blocks) {
        const int c1 = std::max(0, block.col1), c2 = std::min(sheet_.colCount(), block.col2);
        const int r1 = std::max(0, block.row1), r2 = std::min(sheet_.rowCount(), block.row2);
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                const CellRef cell{c, r};
                if (reconcile(cell, plain)) {
                    const std::uint32_t id = slotOf_.find(cellKey(cell));
                    if (id != CellMap::kNone) dirtied.push_back(id);
                }
                cells.push_back(cellKey(cell));
            }
        }
    }
    linkPending();
    markDependents(cells, dirtied);
    if (calculate && autoCalc()) {
        evaluateRuns(dirtied);
        evaluateAll(dirtied);
    }
    dirtied_ = std::move(dirtied);
}

void FormulaEngine::afterCalculation() {
    if (calcDepth_ > 0) return;
    if (deferredReplace_ || deferredStructure_) {
        // The sheet moved under the calculation: read it again; results stay as they are.
        deferredReplace_ = deferredStructure_ = false;
        deferred_.clear();
        readAll();
        return;
    }
    if (deferred_.empty()) return;
    const std::vector<Block> blocks = std::move(deferred_);
    deferred_.clear();
    // Writes made by a calculation recalculate their dependents once; writes made by that follow-up
    // only mark their dependents, so that a function writing into its own precedents cannot loop.
    const bool calculate = !followUp_;
    followUp_ = true;
    applyChanges(blocks, calculate);
    followUp_ = !calculate;
}

void FormulaEngine::cellsChanged(const Block& block) {
    const Block b{std::min(block.col1, block.col2), std::min(block.row1, block.row2), std::max(block.col1, block.col2),
                  std::max(block.row1, block.row2)};
    forgetNumbers(b);
    if (selfWrite_) return;
    if (calcDepth_ > 0) {
        deferred_.push_back(b);
        return;
    }
    applyChanges(std::span<const Block>(&b, 1), true);
    if (b.col1 == b.col2 && b.row1 == b.row2 && b.col1 >= 1 && b.row1 >= 1 && !formulasInColumns(b.col1, b.col1)) {
        // One plain cell written (a column being typed or filled): its number is read now, while the
        // cell is at hand, so that calculating over its column costs no parsing.
        const auto col = static_cast<std::size_t>(b.col1), row = static_cast<std::size_t>(b.row1);
        if (col >= numbers_.size() || row >= numbers_[col].state.size() || numbers_[col].state[row] == 0)
            plainValue({b.col1, b.row1});
    }
}

void FormulaEngine::noteNumber(CellRef cell, std::string_view stored) {
    if (cell.col < 1 || cell.row < 1 || cell.col > sheet_.colCount() || cell.row > sheet_.rowCount()) return;
    const auto row = static_cast<std::size_t>(cell.row);
    readNumber(numbersFor(static_cast<std::size_t>(cell.col), row), row, stored);
}

void FormulaEngine::valueWritten(CellRef cell, std::string_view stored) {
    const Block b{cell.col, cell.row, cell.col, cell.row};
    if (calcDepth_ > 0 || selfWrite_) {
        cellsChanged(b);
        return;
    }
    // The cell's number is taken now, from the text at hand, so that calculating its dependents (and
    // later ranges over its column) costs no look-up or parsing; the cell holds no formula, so the
    // sheet need not be asked.
    if (cell.col >= 1 && cell.row >= 1 && cell.col <= sheet_.colCount() && cell.row <= sheet_.rowCount()) {
        noteNumber(cell, stored);
    } else {
        forgetNumbers(b);
    }
    applyChanges(std::span<const Block>(&b, 1), true, true);
}

void FormulaEngine::structureChanged() {
    numbers_.clear();
    if (calcDepth_ > 0) {
        deferredStructure_ = true;
        return;
    }
    if (slotOf_.size() == 0) return;  // cells that moved or went held no formula
    readAll();
    if (autoCalc()) recalcAll();
}

void FormulaEngine::contentReplaced() {
    numbers_.clear();
    if (calcDepth_ > 0) {
        deferredReplace_ = true;
        return;
    }
    readAll();
}

bool FormulaEngine::registerFunction(std::string_view name, int minArgs, int maxArgs, unsigned flags,
                                     CustomFunction function) {
    if (name.empty() || !function || minArgs < 0 || maxArgs < minArgs || maxArgs > 255) return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
        if (!ok) return false;
    }
    customs_[functionNameId(name)] = std::make_shared<const Custom>(Custom{minArgs, maxArgs, flags, std::move(function)});
    return true;
}

bool FormulaEngine::hasFunction(std::string_view name) const {
    return customs_.count(functionNameId(name)) != 0 || findBuiltin(functionNameId(name)).has_value();
}

}  // namespace vtl::grid
