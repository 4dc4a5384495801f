#pragma once
// The formula engine of one sheet: the parsed formula of every formula cell, the cells that depend on
// each cell, recalculation (one cell, all cells, automatic on change while switch 7 is on) and the
// functions registered on the grid.
//
// The sheet keeps each formula as R1C1 text and the last result as the cell's stored text; the engine
// keeps the parsed form and the typed result beside them and is told by the sheet of every change. A
// result is formatted into the cell's text when the sheet next touches the cell, not when calculated.
// A column filled with one aggregate over a column of plain cells is calculated as one block.
// Recalculation walks dependencies with an explicit work list, so a chain of a million cells needs no
// deeper call stack than a single cell. A cell that depends on itself gets #CIRC!.
//
// Re-entrancy: a registered function runs inside a calculation and may do anything to any grid. Changes
// to this sheet made meanwhile are noted and taken in once the calculation ends (their dependents are
// recalculated once, with no further automatic pass); a recalculation asked for meanwhile is refused.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formula/cell_map.h"
#include "formula/evaluator.h"
#include "formula/formula.h"
#include "grid/export.h"
#include "model/text_hash.h"

namespace vtl::grid {

class Sheet;

// The record a registered function receives for each argument and fills for its result.
struct FunctionValue {
    enum Status : std::uint8_t { ok = 0, error = 1, empty = 2 };
    enum Type : std::uint8_t { longValue = 0, doubleValue = 1, text = 2, cell = 3, range = 4 };
    std::uint8_t status = ok;
    std::uint8_t type = longValue;
    std::int32_t asLong = 0;
    double asDouble = 0;
    std::string asText;
    Block reference;  // cell: (col1, row1); range: the block; absolute, in the calling sheet
};

struct CustomCall {
    Sheet& sheet;  // the sheet whose formula calls the function
    CellRef cell;  // the cell being calculated
    int depth;     // registered functions running around this call (0 for the outermost)
};

// Returns false when it failed (the cell gets #VALUE!).
using CustomFunction = std::function<bool(const CustomCall& call, FunctionValue& result,
                                          std::span<const FunctionValue> arguments)>;

// Flag: arguments written as a plain reference or range are passed as such (type cell or range), not
// as the referenced value.
inline constexpr unsigned kPassReferences = 1u;

class VTLGRID_API FormulaEngine final : private EvalContext {
public:
    // Registered functions nested deeper than this (across all grids) give #DEPTH! without being called.
    static constexpr int kMaxNesting = 16;

    explicit FormulaEngine(Sheet& sheet);
    ~FormulaEngine();
    FormulaEngine(const FormulaEngine&) = delete;
    FormulaEngine& operator=(const FormulaEngine&) = delete;

    // Parses `text` in `style` at the cell and stores it (empty text removes the formula). False, and
    // the cell unchanged, when the text does not parse or the cell is outside the counts. With `rebuild`
    // the dependencies are updated at once and, while switch 7 is on, the cell and its dependents are
    // calculated; without it they wait for the next recalculation.
    bool setFormula(CellRef cell, std::string_view text, int style, bool rebuild = true);
    // The cell's formula in `style` without "=", "" when it has none.
    std::string formulaText(CellRef cell, int style) const;

    // Calculates the cell (its not yet calculated precedents first; calculated ones are taken as they
    // are) and, while switch 7 is on, its dependents. False when the cell has no formula or a
    // calculation of this sheet is running.
    bool recalcCell(CellRef cell);
    // Calculates every formula. False while a calculation of this sheet is running.
    bool recalcAll();
    bool calculating() const { return calcDepth_ > 0; }

    // Case-insensitive; the same name again replaces the entry. A registered function wins over a
    // built-in of the same name. Counts outside [minArgs, maxArgs] give an empty result without a call.
    bool registerFunction(std::string_view name, int minArgs, int maxArgs, unsigned flags, CustomFunction function);
    bool hasFunction(std::string_view name) const;

    // ---- told by the sheet ----
    // Content of these cells was written (text, value, formula, type, copied or swapped cells).
    void cellsChanged(const Block& block);
    // One cell (header-normalised) was given a text or value and holds no formula now; `stored` is its
    // value as the sheet stores it (read at once: it may move while dependents are calculated).
    void valueWritten(CellRef cell, std::string_view stored);
    // Rows or columns were inserted, deleted, added or dropped: every formula is read again; while switch
    // 7 is on, all are recalculated.
    void structureChanged();
    // The sheet's content was replaced (a file was loaded): every formula is read again, results stay as
    // loaded.
    void contentReplaced();

    // Results are kept here as calculated and formatted into their cells' stored text only when the
    // sheet reads or writes such a cell (or walks, moves or saves its cells): a recalculation of many
    // cells formats none of them. The text is the one the result always reads as (see resultText).
    bool hasPendingResults() const { return pending_; }
    void writePendingResult(CellRef cell);  // header-normalised
    void writePendingResults();

    std::size_t formulaCount() const { return slotOf_.size(); }
    // Parsed forms held: formulas that read the same in R1C1 (a filled column) share one.
    std::size_t parsedFormCount() const;

private:
    enum class State : std::uint8_t { clean, dirty, active };
    struct Slot {
        CellRef cell;
        // Parsed forms are shared between the cells whose formula reads the same in R1C1 (a filled
        // column: references relative to their cell).
        std::shared_ptr<const Formula> formula;
        std::uint64_t textHash = 0;  // of the sheet's formula text
        std::uint32_t edgeCount = 0;
        bool live = false;
        bool linked = false;
        bool raw = false;  // the sheet's text does not parse (it evaluates to #NAME?)
    };
    // What finding a slot's dependents reads of it, apart from the rest (same index): a change touches
    // a few bytes of each dependent. The generation grows when the slot is added and when it is removed,
    // so that an edge made for an earlier formula (or a slot no longer live) never matches.
    struct Tag {
        std::uint32_t generation = 0;
        std::uint32_t mark = 0;  // the last dependents' pass that reached the slot
        int col = 0;             // of the slot's cell
    };
    // What a calculation reads and writes of a slot, apart from the rest (same index), so that a
    // calculation of many cells moves little memory.
    struct Result {
        double number = 0;  // a number or a boolean's 0/1 (a text result is in texts_)
        Value::Kind kind = Value::Kind::empty;
        FormulaError error = FormulaError::none;
        State state = State::clean;
        bool computed = false;  // the result is held here; else the sheet's stored result stands
        bool pending = false;   // the result is not yet formatted into the cell's stored text
    };
    // In chunks: a growing sheet never copies them, nor holds two copies at once.
    template <class T>
    class ChunkTable {
    public:
        static constexpr std::size_t kChunk = 256;
        T& operator[](std::size_t i) { return chunks_[i / kChunk][i % kChunk]; }
        const T& operator[](std::size_t i) const { return chunks_[i / kChunk][i % kChunk]; }
        std::size_t size() const { return size_; }
        void emplace_back() {
            if (size_ == chunks_.size() * kChunk) chunks_.push_back(std::make_unique<T[]>(kChunk));
            (*this)[size_++] = T{};
        }
        void clear() {
            chunks_.clear();
            size_ = 0;
        }

    private:
        std::vector<std::unique_ptr<T[]>> chunks_;
        std::size_t size_ = 0;
    };
    // Slots that follow each other (ids first..end-1) holding one parsed form in the rows following
    // each other of one column: a filled column, kept as the slots are added.
    struct Run {
        std::uint32_t first;
        std::uint32_t end;
        const Formula* form;  // held by its slots (runs are found again once a slot goes)
        CellRef cell;         // of the first slot; the others lie in the rows below
        // The part of the run from slot `from` to `to` - 1.
        Run part(std::uint32_t from, std::uint32_t to) const {
            return {from, to, form, {cell.col, cell.row + static_cast<int>(from - first)}};
        }
    };
    struct Edge {
        std::uint32_t slot;
        std::uint32_t generation;
        std::uint32_t next;
    };
    struct BigRange {
        std::uint32_t slot;
        std::uint32_t generation;
        Block block;
    };
    // A small range watched in one of its columns.
    struct Watch {
        int row1;
        int row2;
        std::uint32_t slot;
        std::uint32_t generation;
    };
    struct ColumnWatches {
        std::vector<Watch> list;
        bool sorted = true;  // by row1
        bool indexed = true;
        int longest = 0;     // rows of the longest range listed
        std::vector<std::uint32_t> bandStart;  // where the ranges starting in each band of rows begin
    };
    // The numbers of plain (formula-free) cells as read, so that ranges read again cost no parsing.
    struct NumberColumn {
        std::vector<double> number;
        std::vector<std::uint8_t> state;  // by row: 0 not read, 1 a number, 2 empty, 3 anything else
    };
    struct Custom {
        int minArgs;
        int maxArgs;
        unsigned flags;
        CustomFunction function;
    };
    struct Frame {
        std::uint32_t slot;
        std::size_t begin;
        std::size_t cursor;
        std::size_t end;
        bool circular;
    };

    // EvalContext
    Value cellValue(CellRef cell) override;
    bool customCall(Evaluator& evaluator, const Node& call, Value& result) override;
    CellRef usedEnd() override;
    void presentCells(const Block& block, std::vector<CellRef>& out) override;

    std::uint32_t addSlot(CellRef cell, std::shared_ptr<const Formula> formula, std::uint64_t textHash);
    // The parsed form of R1C1 text, shared with every other cell holding the same text; null when the
    // text does not parse. `parsed`, when given, is the text's parse already made.
    std::shared_ptr<const Formula> sharedForm(std::string_view r1c1, Formula* parsed = nullptr);
    // Whether any formula lies in the columns c1..c2.
    bool formulasInColumns(int c1, int c2) const;
    void removeSlot(std::uint32_t slot);
    void link(std::uint32_t slot);
    void linkPending();
    void clearAll();
    void readAll();
    // Brings the engine in line with the sheet's formula text of one cell; true when it changed.
    // `plain`: the cell is known to hold no formula (no look-up of the sheet).
    bool reconcile(CellRef cell, bool plain = false);
    void precedents(std::uint32_t slot, std::vector<std::uint32_t>& out) const;
    // Marks the dependents of the cells (transitively) dirty and appends them to `dirtied`.
    void markDependents(std::vector<std::uint64_t>& cells, std::vector<std::uint32_t>& dirtied);
    void evaluate(std::uint32_t root);
    void compute(std::uint32_t slot, bool circular);
    void evaluateAll(const std::vector<std::uint32_t>& slots);
    // The dirty slots among these that lie side by side in a run are calculated as blocks where they
    // can be (they read no formula, so they may go first); the rest stay dirty for evaluateAll.
    void evaluateRuns(const std::vector<std::uint32_t>& slots);
    bool autoCalc() const;
    void applyChanges(std::span<const Block> blocks, bool calculate, bool plain = false);
    // Whether a formula may refer to a cell of the column (by a single-cell reference, a watched range
    // or a large range).
    bool referredColumn(int col) const {
        const auto c = static_cast<std::size_t>(col);
        return !bigRanges_.empty() || (c < headColumns_.size() && headColumns_[c] != 0) ||
               (c < watches_.size() && !watches_[c].list.empty());
    }
    // Keeps the column's number of a plain cell in line with its stored value `stored`.
    void noteNumber(CellRef cell, std::string_view stored);
    void afterCalculation();
    void compactEdges();
    void setResult(std::uint32_t id, Value&& value);
    Value result(std::uint32_t id) const;
    void markPending(Result& r) {
        r.pending = true;
        pending_ = true;
    }
    Value plainValue(CellRef cell);
    // The column's numbers, grown to hold the row.
    NumberColumn& numbersFor(std::size_t col, std::size_t row);
    static void readNumber(NumberColumn& numbers, std::size_t row, std::string_view stored);
    // SUM, AVERAGE, MIN, MAX or COUNT of one range in one column without formulas, calculated straight
    // from the column's numbers; false for any other formula (the evaluator calculates it).
    struct ColumnRange {
        Builtin fn;
        const Node* arg;  // the range
        int col;
        int r1;
        int r2;
    };
    bool columnRange(const Slot& slot, ColumnRange& out) const;
    bool columnRange(const Formula& form, CellRef cell, ColumnRange& out) const;
    bool columnAggregate(const Slot& slot, Value& out);
    // The rows of the column read into its numbers (those not read yet).
    const NumberColumn& readNumbers(int col, int r1, int r2);
    static Value aggregateRows(Builtin fn, const NumberColumn* numbers, int first, int last);
    // Whether the slots continue a run: the same form one row below in the same column.
    bool follows(const Slot& previous, const Slot& next) const {
        return next.live && previous.live && next.formula == previous.formula && next.formula &&
               next.cell.col == previous.cell.col && next.cell.row == previous.cell.row + 1;
    }
    void findRuns();
    // Calculates a run that holds one such aggregate as one block; false (nothing done) for any other.
    bool evaluateRun(const Run& run);
    // The block's cells were written: their numbers are read again when next asked for.
    void forgetNumbers(const Block& block);

    Sheet& sheet_;
    ChunkTable<Slot> slots_;
    ChunkTable<Result> results_;
    ChunkTable<Tag> tags_;
    std::vector<Run> runs_;  // by first id
    bool runsKnown_ = true;  // runs_ lists every run (else a recalculation finds them again)
    std::unordered_map<std::uint32_t, std::string> texts_;  // text results by slot
    std::vector<std::uint32_t> freeSlots_;
    CellMap slotOf_;
    CellMap heads_;  // cell key -> first edge of the formulas that refer to the cell
    std::vector<Edge> edges_;
    std::vector<BigRange> bigRanges_;
    std::vector<ColumnWatches> watches_;  // by column
    std::size_t watchCount_ = 0;
    bool pending_ = false;  // some slot's result may not be in the sheet yet
    std::size_t staleEdges_ = 0;
    std::vector<std::uint32_t> unlinked_;
    std::vector<std::uint32_t> headColumns_;  // single-cell references into each column
    std::vector<std::uint32_t> dirtied_;
    std::vector<std::uint32_t> sorted_;
    std::unordered_map<std::uint32_t, std::shared_ptr<const Custom>> customs_;

    int calcDepth_ = 0;
    bool selfWrite_ = false;
    bool deferredStructure_ = false;
    bool deferredReplace_ = false;
    bool followUp_ = false;
    std::uint32_t passMark_ = 0;
    std::vector<Block> deferred_;
    std::vector<Frame> stack_;
    std::vector<std::uint32_t> prec_;
    std::unordered_map<std::string, std::weak_ptr<const Formula>, TextHash, std::equal_to<>> forms_;
    std::size_t formsPurgeAt_ = 1024;
    std::vector<std::uint32_t> columnFormulas_;  // formulas per column
    std::vector<NumberColumn> numbers_;          // by column
    std::string scratch_;
    std::string canonical_;
    std::string shapeKey_;
    std::string lastShapeKey_;  // of the last formula parsed from A1 text, its R1C1 text, form and hash
    std::string lastCanonical_;
    std::weak_ptr<const Formula> lastForm_;
    std::uint64_t lastHash_ = 0;
    Formula parsed_;
    std::vector<std::uint64_t> keys_;
};

}  // namespace vtl::grid
