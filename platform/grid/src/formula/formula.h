#pragma once
// A parsed formula: a tree of nodes in one vector, with references kept relative to the cell that holds
// the formula (or absolute where written so), so that it prints in any reference style and moves with
// its cell. parse() reads the three reference styles; print() writes them.
//
// Styles: 0 default and 1 A1 ("B3", "$B$3", "A1:B3"); 2 R1C1 ("R3C2" absolute, "R[1]C[-1]" relative,
// "RC" the cell itself). The grid keeps every formula as R1C1 text, so that copying a cell's text keeps
// its relative references relative.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grid/export.h"
#include "model/cell_ref.h"
#include "formula/value.h"

namespace vtl::grid {

inline constexpr int kRefStyleDefault = 0;
inline constexpr int kRefStyleA1 = 1;
inline constexpr int kRefStyleR1C1 = 2;

// One corner of a reference: absolute parts hold the column/row, relative parts the offset from the
// host cell.
struct RefPart {
    int col = 0;
    int row = 0;
    bool colAbs = false;
    bool rowAbs = false;
    CellRef at(CellRef host) const { return {colAbs ? col : host.col + col, rowAbs ? row : host.row + row}; }
};

enum class NodeKind : std::uint8_t {
    number,   // number
    text,     // strings[index]
    boolean,  // number 0/1
    error,    // error
    ref,      // a
    range,    // a:b
    unary,    // op '-' or '+', one child
    percent,  // one child
    binary,   // op, two children
    paren,    // one child; kept so that the text prints as written
    call,     // function `index` (a name id), children are the arguments
};

enum class BinaryOp : std::uint8_t { add, sub, mul, div, pow, concat, eq, ne, lt, gt, le, ge };

struct Node {
    NodeKind kind = NodeKind::number;
    std::uint8_t op = 0;      // unary: '-' or '+'; binary: BinaryOp
    FormulaError error = FormulaError::none;
    std::uint16_t argc = 0;   // call: number of arguments
    std::int32_t child = -1;  // first child
    std::int32_t next = -1;   // next sibling
    std::uint32_t index = 0;  // text: strings index; call: function name id
    double number = 0;
    RefPart a;
    RefPart b;
};

// Function names are interned process-wide (upper case), so that a formula stores a small id and the
// engine finds built-in and registered functions by id.
VTLGRID_API std::uint32_t functionNameId(std::string_view name);
VTLGRID_API const std::string& functionName(std::uint32_t id);

struct VTLGRID_API Formula {
    std::vector<Node> nodes;
    std::vector<std::string> strings;
    std::int32_t root = -1;
    bool empty() const { return root < 0; }
};

// Parses formula text (a leading "=" allowed) written at `host` in `style` into `out`, reusing its
// storage. Unknown function names parse (they are looked up when the formula is evaluated). Returns false
// on a syntax error, a reference outside the grid's limits, or a formula nested deeper than
// kMaxFormulaDepth.
inline constexpr int kMaxFormulaDepth = 200;
VTLGRID_API bool parseFormula(std::string_view text, int style, CellRef host, Formula& out);
// A key for A1 formula text at `host`: the text with each reference written relative to the host. Two
// texts with the same key (a formula filled down a column) parse to the same R1C1 formula. False when
// the text would not parse.
VTLGRID_API bool formulaShapeKey(std::string_view text, CellRef host, std::string& key);
// The formula's text without "=" in `style`, as seen from `host`. A reference that falls outside the
// grid from there prints as #REF!.
VTLGRID_API std::string printFormula(const Formula& formula, int style, CellRef host);
// The same into `out`, reusing its storage.
VTLGRID_API void printFormula(const Formula& formula, int style, CellRef host, std::string& out);

// Column letters: 1 -> "A", 27 -> "AA".
std::string columnLetters(int col);

}  // namespace vtl::grid
