#pragma once
// Evaluates one parsed formula at its host cell. Cell values and registered (custom) functions come from
// the context; the evaluator itself holds no state between formulas. Its recursion follows the formula's
// tree, whose depth the parser bounds, never a chain of cells.
#include <vector>

#include "formula/formula.h"
#include "formula/functions.h"

namespace vtl::grid {

class Evaluator;

class EvalContext {
public:
    virtual Value cellValue(CellRef cell) = 0;
    // Handles a call of a function registered under the call's name: true with `result` set; false when
    // no such function is registered (the evaluator then tries the built-ins).
    virtual bool customCall(Evaluator& evaluator, const Node& call, Value& result) = 0;
    // The used area's far corner: no cell right of its column or below its row holds a value.
    virtual CellRef usedEnd() = 0;
    // The cells of the block that may hold a value, row by row and left to right (see CellLister).
    virtual void presentCells(const Block& block, std::vector<CellRef>& out) = 0;

protected:
    ~EvalContext() = default;
};

class Evaluator {
public:
    Evaluator(const Formula& formula, CellRef host, EvalContext& context)
        : f_(formula), host_(host), ctx_(context) {}
    Value run() { return f_.empty() ? Value{} : eval(f_.root); }
    // The value of a node in a place that takes one value (a range there is #VALUE!).
    Value eval(int node);
    const Formula& formula() const { return f_; }
    CellRef host() const { return host_; }
    const Node& node(int index) const { return f_.nodes[static_cast<std::size_t>(index)]; }
    // The absolute corners of a reference or range node; false when it falls outside the grid.
    bool corners(const Node& n, CellRef& from, CellRef& to) const;

private:
    Value binary(const Node& n);
    Value call(const Node& n);

    const Formula& f_;
    CellRef host_;
    EvalContext& ctx_;
    std::vector<FunctionArg> args_;  // arguments of the calls being evaluated, innermost last
};

}  // namespace vtl::grid
