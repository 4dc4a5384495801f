// A formula tree back to text in a reference style. The tree keeps the parentheses that were written,
// so operators print without adding any.
#include <array>
#include <charconv>
#include <cmath>

#include "formula/formula.h"

namespace vtl::grid {
namespace {
constexpr std::array<std::string_view, 12> kOps{"+", "-", "*", "/", "^", "&", "=", "<>", "<", ">", "<=", ">="};

bool inGrid(CellRef c) { return c.col >= 1 && c.col <= kMaxCols && c.row >= 1 && c.row <= kMaxRows; }

void appendInt(std::string& out, long long v) {
    std::array<char, 24> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    out.append(buf.data(), end);
}

void appendNumber(std::string& out, double v) {
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    out.append(buf.data(), end);
}

class Printer {
public:
    Printer(const Formula& f, int style, CellRef host) : f_(f), r1c1_(style == kRefStyleR1C1), host_(host) {}

    // False when a reference falls outside the grid.
    bool part(std::string& out, const RefPart& p) const {
        const CellRef c = p.at(host_);
        if (!inGrid(c)) return false;
        if (r1c1_) {
            out.push_back('R');
            axis(out, p.rowAbs, p.row);
            out.push_back('C');
            axis(out, p.colAbs, p.col);
        } else {
            if (p.colAbs) out.push_back('$');
            out += columnLetters(c.col);
            if (p.rowAbs) out.push_back('$');
            appendInt(out, c.row);
        }
        return true;
    }
    static void axis(std::string& out, bool absolute, int v) {
        if (absolute) {
            appendInt(out, v);
        } else if (v != 0) {
            out.push_back('[');
            appendInt(out, v);
            out.push_back(']');
        }
    }

    void node(std::string& out, int index) const {
        const Node& n = f_.nodes[static_cast<std::size_t>(index)];
        switch (n.kind) {
        case NodeKind::number: appendNumber(out, n.number); break;
        case NodeKind::text: {
            out.push_back('"');
            for (char c : f_.strings[n.index]) {
                if (c == '"') out.push_back('"');
                out.push_back(c);
            }
            out.push_back('"');
            break;
        }
        case NodeKind::boolean: out += n.number != 0 ? "TRUE" : "FALSE"; break;
        case NodeKind::error: out += errorText(n.error); break;
        case NodeKind::ref:
        case NodeKind::range: {
            // Written in place; a reference that leaves the grid is taken back and printed as #REF!.
            const std::size_t mark = out.size();
            const bool ok = part(out, n.a) && (n.kind == NodeKind::ref || (out.push_back(':'), part(out, n.b)));
            if (!ok) {
                out.resize(mark);
                out += errorText(FormulaError::ref);
            }
            break;
        }
        case NodeKind::unary:
            out.push_back(static_cast<char>(n.op));
            node(out, n.child);
            break;
        case NodeKind::percent:
            node(out, n.child);
            out.push_back('%');
            break;
        case NodeKind::binary: {
            const Node& left = f_.nodes[static_cast<std::size_t>(n.child)];
            node(out, n.child);
            out += kOps[n.op];
            node(out, left.next);
            break;
        }
        case NodeKind::paren:
            out.push_back('(');
            node(out, n.child);
            out.push_back(')');
            break;
        case NodeKind::call: {
            out += functionName(n.index);
            out.push_back('(');
            for (int c = n.child; c >= 0; c = f_.nodes[static_cast<std::size_t>(c)].next) {
                if (c != n.child) out.push_back(',');
                node(out, c);
            }
            out.push_back(')');
            break;
        }
        }
    }

private:
    const Formula& f_;
    bool r1c1_;
    CellRef host_;
};
}  // namespace

std::string columnLetters(int col) {
    std::string letters;
    while (col > 0) {
        const int d = (col - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + d));
        col = (col - 1) / 26;
    }
    return letters;
}

std::string printFormula(const Formula& formula, int style, CellRef host) {
    std::string out;
    printFormula(formula, style, host, out);
    return out;
}

void printFormula(const Formula& formula, int style, CellRef host, std::string& out) {
    out.clear();
    if (!formula.empty()) Printer(formula, style, host).node(out, formula.root);
}

}  // namespace vtl::grid
