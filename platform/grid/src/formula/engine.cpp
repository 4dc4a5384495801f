#include "formula/engine.h"

#include <algorithm>

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

constexpr std::size_t kSmallRange = 64;  // larger ranges are watched as blocks, not cell by cell

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

std::uint32_t FormulaEngine::addSlot(CellRef cell, Formula&& formula, std::uint64_t textHash) {
    std::uint32_t id;
    if (!freeSlots_.empty()) {
        id = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        id = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
    }
    Slot& s = slots_[id];
    s.cell = cell;
    s.formula = std::move(formula);
    s.value = Value{};
    s.textHash = textHash;
    ++s.generation;
    s.state = State::clean;
    s.computed = false;
    s.live = true;
    s.linked = false;
    s.raw = false;
    s.edgeCount = 0;
    slotOf_.set(cellKey(cell), id);
    return id;
}

void FormulaEngine::removeSlot(std::uint32_t id) {
    Slot& s = slots_[id];
    slotOf_.erase(cellKey(s.cell));
    s.live = false;
    ++s.generation;  // its edges go stale
    staleEdges_ += s.edgeCount;
    s.edgeCount = 0;
    s.formula = Formula{};
    s.value = Value{};
    freeSlots_.push_back(id);
}

void FormulaEngine::link(std::uint32_t id) {
    Slot& s = slots_[id];
    if (s.linked || !s.live) return;
    s.linked = true;
    for (const Node& n : s.formula.nodes) {
        if (n.kind != NodeKind::ref && n.kind != NodeKind::range) continue;
        const CellRef a = n.a.at(s.cell);
        const CellRef b = n.kind == NodeKind::range ? n.b.at(s.cell) : a;
        const int c1 = std::max(1, std::min(a.col, b.col)), c2 = std::min(kMaxCols, std::max(a.col, b.col));
        const int r1 = std::max(1, std::min(a.row, b.row)), r2 = std::min(kMaxRows, std::max(a.row, b.row));
        if (c1 > c2 || r1 > r2) continue;
        const auto area = static_cast<std::size_t>(c2 - c1 + 1) * static_cast<std::size_t>(r2 - r1 + 1);
        if (area > kSmallRange) {
            bigRanges_.push_back({id, s.generation, {c1, r1, c2, r2}});
            ++s.edgeCount;
            continue;
        }
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                const std::uint64_t key = cellKey({c, r});
                edges_.push_back({id, s.generation, heads_.find(key)});
                heads_.set(key, static_cast<std::uint32_t>(edges_.size() - 1));
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
    if (staleEdges_ < 1024 || staleEdges_ * 2 < edges_.size() + bigRanges_.size()) return;
    edges_.clear();
    heads_.clear();
    bigRanges_.clear();
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
    freeSlots_.clear();
    slotOf_.clear();
    heads_.clear();
    edges_.clear();
    bigRanges_.clear();
    staleEdges_ = 0;
    unlinked_.clear();
}

void FormulaEngine::readAll() {
    clearAll();
    const std::vector<CellRef> cells = sheet_.formulaCells();
    slotOf_.reserve(cells.size());
    slots_.reserve(cells.size());
    for (const CellRef cell : cells) {
        const std::string text = sheet_.formula(cell);
        Formula f;
        const bool ok = parseFormula(text, kRefStyleR1C1, cell, f);
        const std::uint32_t id = addSlot(cell, std::move(f), hashText(text));
        slots_[id].raw = !ok;
        link(id);
    }
}

bool FormulaEngine::reconcile(CellRef cell) {
    const std::uint64_t key = cellKey(cell);
    const std::uint32_t id = slotOf_.find(key);
    if (!sheet_.hasFormula(cell)) {
        if (id == CellMap::kNone) return false;
        removeSlot(id);
        return true;
    }
    const std::string text = sheet_.formula(cell);
    const std::uint64_t hash = hashText(text);
    if (id != CellMap::kNone && slots_[id].textHash == hash) {
        // The same formula, written again (a copy, a new type): its result is due again.
        slots_[id].computed = false;
        slots_[id].state = State::dirty;
        return true;
    }
    Formula f;
    const bool ok = parseFormula(text, kRefStyleR1C1, cell, f);
    if (id != CellMap::kNone) removeSlot(id);
    const std::uint32_t added = addSlot(cell, std::move(f), hash);
    slots_[added].raw = !ok;
    slots_[added].state = State::dirty;
    link(added);
    return true;
}

void FormulaEngine::precedents(std::uint32_t id, std::vector<std::uint32_t>& out) const {
    const Slot& s = slots_[id];
    for (const Node& n : s.formula.nodes) {
        if (n.kind != NodeKind::ref && n.kind != NodeKind::range) continue;
        const CellRef a = n.a.at(s.cell);
        const CellRef b = n.kind == NodeKind::range ? n.b.at(s.cell) : a;
        // Only cells inside the counts can hold formulas.
        const int c1 = std::max(0, std::min(a.col, b.col)), c2 = std::min(sheet_.colCount(), std::max(a.col, b.col));
        const int r1 = std::max(0, std::min(a.row, b.row)), r2 = std::min(sheet_.rowCount(), std::max(a.row, b.row));
        if (c1 > c2 || r1 > r2) continue;
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
    auto visit = [&](std::uint32_t id) {
        Slot& s = slots_[id];
        if (s.mark == passMark_) return;
        s.mark = passMark_;
        s.state = State::dirty;
        dirtied.push_back(id);
        cells.push_back(cellKey(s.cell));
    };
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::uint64_t key = cells[i];
        for (std::uint32_t e = heads_.find(key); e != CellMap::kNone; e = edges_[e].next) {
            const Edge& edge = edges_[e];
            const Slot& s = slots_[edge.slot];
            if (s.live && s.generation == edge.generation) visit(edge.slot);
        }
        if (!bigRanges_.empty()) {
            const CellRef c = keyCell(key);
            for (const BigRange& big : bigRanges_) {
                const Slot& s = slots_[big.slot];
                if (s.live && s.generation == big.generation && inBlock(big.block, c)) visit(big.slot);
            }
        }
    }
}

// ---- calculation ----

void FormulaEngine::evaluate(std::uint32_t root) {
    if (slots_[root].state != State::dirty || !slots_[root].live) return;
    slots_[root].state = State::active;
    std::size_t begin = prec_.size();
    precedents(root, prec_);
    stack_.push_back({root, begin, begin, prec_.size(), false});
    while (!stack_.empty()) {
        Frame& f = stack_.back();
        bool pushed = false;
        while (f.cursor < f.end) {
            const std::uint32_t p = prec_[f.cursor++];
            Slot& ps = slots_[p];
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
        slots_[done.slot].state = State::clean;
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
    } else {
        Evaluator ev(slots_[id].formula, slots_[id].cell, *this);
        v = ev.run();
    }
    Slot& s = slots_[id];
    const std::string text = resultText(v);
    s.value = std::move(v);
    s.computed = true;
    sheet_.setFormulaResult(s.cell, text);
}

void FormulaEngine::evaluateAll(const std::vector<std::uint32_t>& ids) {
    {
        DepthGuard guard(calcDepth_);
        for (std::uint32_t id : ids) {
            if (id < slots_.size() && slots_[id].live && slots_[id].state == State::dirty) evaluate(id);
        }
    }
    afterCalculation();
}

bool FormulaEngine::recalcAll() {
    if (calcDepth_ > 0) return false;
    linkPending();
    std::vector<std::uint32_t> all;
    all.reserve(slotOf_.size());
    for (std::uint32_t id = 0; id < slots_.size(); ++id) {
        if (!slots_[id].live) continue;
        slots_[id].state = State::dirty;
        all.push_back(id);
    }
    evaluateAll(all);
    return true;
}

bool FormulaEngine::recalcCell(CellRef cell) {
    if (calcDepth_ > 0 || !sheet_.contains(cell)) return false;
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id == CellMap::kNone) return false;
    linkPending();
    std::vector<std::uint32_t> list{id};
    slots_[id].state = State::dirty;
    if (autoCalc()) {
        std::vector<std::uint64_t> cells{cellKey(cell)};
        markDependents(cells, list);
    }
    evaluateAll(list);
    return true;
}

Value FormulaEngine::cellValue(CellRef cell) {
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id != CellMap::kNone) {
        const Slot& s = slots_[id];
        if (s.computed) return s.value;
        // Not calculated since it was read: its stored result stands.
        const std::string stored = sheet_.value(cell);
        const FormulaError e = errorFromText(stored);
        return e != FormulaError::none ? Value::makeError(e) : valueOfStoredText(stored);
    }
    return valueOfStoredText(sheet_.value(cell));
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
    std::string canonical;
    Formula f;
    if (!rest.empty()) {
        if (!parseFormula(text, style, cell, f)) return false;
        canonical = printFormula(f, kRefStyleR1C1, cell);
    }
    if (calcDepth_ > 0) return sheet_.setFormula(cell, canonical);  // taken in after the calculation
    selfWrite_ = true;
    sheet_.setFormula(cell, canonical);
    selfWrite_ = false;
    const std::uint64_t key = cellKey(cell);
    if (const std::uint32_t old = slotOf_.find(key); old != CellMap::kNone) removeSlot(old);
    std::vector<std::uint32_t> dirtied;
    if (!canonical.empty()) {
        const std::uint32_t id = addSlot(cell, std::move(f), hashText(canonical));
        slots_[id].state = State::dirty;
        if (!rebuild) {
            unlinked_.push_back(id);
            return true;
        }
        link(id);
        dirtied.push_back(id);
    }
    if (!rebuild) return true;
    linkPending();
    std::vector<std::uint64_t> cells{key};
    markDependents(cells, dirtied);
    if (autoCalc()) evaluateAll(dirtied);
    return true;
}

std::string FormulaEngine::formulaText(CellRef cell, int style) const {
    if (!sheet_.contains(cell)) return {};
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    const std::uint32_t id = slotOf_.find(cellKey(cell));
    if (id == CellMap::kNone) return sheet_.formula(cell);  // written during a calculation, not yet taken in
    const Slot& s = slots_[id];
    return s.raw ? sheet_.formula(cell) : printFormula(s.formula, style, cell);
}

void FormulaEngine::applyChanges(const std::vector<Block>& blocks, bool calculate) {
    std::vector<std::uint64_t> cells;
    std::vector<std::uint32_t> dirtied;
    for (const Block& block : blocks) {
        const int c1 = std::max(0, block.col1), c2 = std::min(sheet_.colCount(), block.col2);
        const int r1 = std::max(0, block.row1), r2 = std::min(sheet_.rowCount(), block.row2);
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                const CellRef cell{c, r};
                if (reconcile(cell)) {
                    const std::uint32_t id = slotOf_.find(cellKey(cell));
                    if (id != CellMap::kNone) dirtied.push_back(id);
                }
                cells.push_back(cellKey(cell));
            }
        }
    }
    linkPending();
    markDependents(cells, dirtied);
    if (calculate && autoCalc()) evaluateAll(dirtied);
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
    if (selfWrite_) return;
    const Block b{std::min(block.col1, block.col2), std::min(block.row1, block.row2), std::max(block.col1, block.col2),
                  std::max(block.row1, block.row2)};
    if (calcDepth_ > 0) {
        deferred_.push_back(b);
        return;
    }
    applyChanges({b}, true);
}

void FormulaEngine::structureChanged() {
    if (calcDepth_ > 0) {
        deferredStructure_ = true;
        return;
    }
    if (slotOf_.size() == 0) return;  // cells that moved or went held no formula
    readAll();
    if (autoCalc()) recalcAll();
}

void FormulaEngine::contentReplaced() {
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
