#include "formula/evaluator.h"

#include <algorithm>
#include <cmath>

namespace vtl::grid {
namespace {
bool inGrid(CellRef c) { return c.col >= 1 && c.col <= kMaxCols && c.row >= 1 && c.row <= kMaxRows; }

// The range cut to the used area, keeping at least its first cell: the cells cut off are all empty, and
// the built-ins pass over empty cells, so the result is the same at the cost of the cells present
// (SUM(B1:XFD1048576) reads the used block, not 17 billion cells).
void clipToUsed(CellRef& from, CellRef& to, CellRef used) {
    const int c1 = std::min(from.col, to.col), c2 = std::max(from.col, to.col);
    const int r1 = std::min(from.row, to.row), r2 = std::max(from.row, to.row);
    from = {c1, r1};
    to = {std::min(c2, std::max(c1, used.col)), std::min(r2, std::max(r1, used.row))};
}
}  // namespace

bool Evaluator::corners(const Node& n, CellRef& from, CellRef& to) const {
    from = n.a.at(host_);
    to = n.kind == NodeKind::range ? n.b.at(host_) : from;
    return inGrid(from) && inGrid(to);
}

Value Evaluator::eval(int index) {
    const Node& n = node(index);
    switch (n.kind) {
    case NodeKind::number: return Value::makeNumber(n.number);
    case NodeKind::text: return Value::makeText(f_.strings[n.index]);
    case NodeKind::boolean: return Value::makeBool(n.number != 0);
    case NodeKind::error: return Value::makeError(n.error);
    case NodeKind::ref: {
        const CellRef c = n.a.at(host_);
        return inGrid(c) ? ctx_.cellValue(c) : Value::makeError(FormulaError::ref);
    }
    case NodeKind::range: {
        CellRef a, b;
        return Value::makeError(corners(n, a, b) ? FormulaError::value : FormulaError::ref);
    }
    case NodeKind::paren: return eval(n.child);
    case NodeKind::unary: {
        const Value v = toNumber(eval(n.child));
        if (v.isError()) return v;
        return Value::makeNumber(n.op == '-' ? -v.number : v.number);
    }
    case NodeKind::percent: {
        const Value v = toNumber(eval(n.child));
        return v.isError() ? v : Value::makeNumber(v.number / 100);
    }
    case NodeKind::binary: return binary(n);
    case NodeKind::call: return call(n);
    }
    return Value::makeError(FormulaError::value);
}

Value Evaluator::binary(const Node& n) {
    const int rightIndex = node(n.child).next;
    const Value left = eval(n.child);
    const Value right = eval(rightIndex);
    if (left.isError()) return left;
    if (right.isError()) return right;
    const auto op = static_cast<BinaryOp>(n.op);
    switch (op) {
    case BinaryOp::concat: {
        std::string joined = toText(left);
        joined += toText(right);
        return textTooLong(joined) ? Value::makeError(FormulaError::value) : Value::makeText(std::move(joined));
    }
    case BinaryOp::eq: return Value::makeBool(compareValues(left, right) == 0);
    case BinaryOp::ne: return Value::makeBool(compareValues(left, right) != 0);
    case BinaryOp::lt: return Value::makeBool(compareValues(left, right) < 0);
    case BinaryOp::gt: return Value::makeBool(compareValues(left, right) > 0);
    case BinaryOp::le: return Value::makeBool(compareValues(left, right) <= 0);
    case BinaryOp::ge: return Value::makeBool(compareValues(left, right) >= 0);
    default: break;
    }
    const Value x = toNumber(left);
    if (x.isError()) return x;
    const Value y = toNumber(right);
    if (y.isError()) return y;
    switch (op) {
    case BinaryOp::add: return Value::makeNumber(x.number + y.number);
    case BinaryOp::sub: return Value::makeNumber(x.number - y.number);
    case BinaryOp::mul: return Value::makeNumber(x.number * y.number);
    case BinaryOp::div:
        if (y.number == 0) return Value::makeError(FormulaError::div0);
        return Value::makeNumber(x.number / y.number);
    case BinaryOp::pow:
        if (x.number == 0 && y.number < 0) return Value::makeError(FormulaError::div0);
        return Value::makeNumber(std::pow(x.number, y.number));
    default: break;
    }
    return Value::makeError(FormulaError::value);
}

Value Evaluator::call(const Node& n) {
    Value result;
    if (ctx_.customCall(*this, n, result)) return result;
    const auto builtin = findBuiltin(n.index);
    if (!builtin) return Value::makeError(FormulaError::name);

    // IF and IFERROR evaluate only the branch they take.
    if (*builtin == Builtin::if_ || *builtin == Builtin::iferror) {
        if (n.argc < 2 || n.argc > (*builtin == Builtin::if_ ? 3 : 2)) return Value::makeError(FormulaError::value);
        const int second = node(n.child).next;
        const Value first = eval(n.child);
        if (*builtin == Builtin::iferror) return first.isError() ? eval(second) : first;
        const Value test = toBool(first);
        if (test.isError()) return test;
        if (test.number != 0) return eval(second);
        const int third = node(second).next;
        return third >= 0 ? eval(third) : Value::makeBool(false);
    }

    const std::size_t base = args_.size();
    for (int c = n.child; c >= 0; c = node(c).next) {
        const Node& a = node(c);
        FunctionArg arg;
        if (a.kind == NodeKind::ref || a.kind == NodeKind::range) {
            CellRef from, to;
            if (!corners(a, from, to)) {
                arg.value = Value::makeError(FormulaError::ref);
            } else {
                arg.isReference = true;
                arg.from = from;
                arg.to = to;
                arg.value = a.kind == NodeKind::ref ? ctx_.cellValue(from) : Value::makeError(FormulaError::value);
                if (a.kind == NodeKind::range) clipToUsed(arg.from, arg.to, ctx_.usedEnd());
            }
        } else {
            arg.value = eval(c);
        }
        args_.push_back(std::move(arg));
    }
    const std::span<const FunctionArg> span(args_.data() + base, args_.size() - base);
    result = callBuiltin(
        *builtin, span, [this](CellRef c) { return ctx_.cellValue(c); },
        [this](const Block& block, std::vector<CellRef>& out) { ctx_.presentCells(block, out); });
    args_.resize(base);
    return result;
}

}  // namespace vtl::grid
