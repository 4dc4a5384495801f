#pragma once
// The built-in function library. Arguments arrive evaluated; a reference or range argument also carries
// its block, so that aggregates (SUM, MIN, MAX, AVERAGE, COUNT, COUNTA) read its cells. IF and IFERROR
// are evaluated lazily by the evaluator and are not called through here.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "formula/value.h"
#include "model/cell_ref.h"

namespace vtl::grid {

enum class Builtin : std::uint8_t {
    sum, min, max, average, count, counta,
    if_, iferror, and_, or_, not_, isblank, isnumber, istext, iserror,
    abs, round, roundup, rounddown, int_, trunc, mod, sqrt, power, exp, ln, log10, pi, sign,
    sin, cos, tan, asin, acos, atan, atan2,
    len, left, right, mid, upper, lower, trim, concatenate, value,
};

struct FunctionArg {
    Value value;            // a range's value is #VALUE! (it is no single value)
    bool isReference = false;
    CellRef from;           // reference: the block's corners (from == to for one cell)
    CellRef to;
};

// Reads one cell's value for aggregates over references.
using CellReader = std::function<Value(CellRef)>;
// Lists the cells of a block that may hold a value (every other cell is empty), row by row and left to
// right: a large range is read at the cost of the cells present, not of its area.
using CellLister = std::function<void(const Block& block, std::vector<CellRef>& out)>;

std::optional<Builtin> findBuiltin(std::uint32_t nameId);
// Minimum and maximum argument counts (max -1: any).
std::pair<int, int> builtinArity(Builtin f);
Value callBuiltin(Builtin f, std::span<const FunctionArg> args, const CellReader& read, const CellLister& list = {});

}  // namespace vtl::grid
