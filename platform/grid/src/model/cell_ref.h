#pragma once
// Addresses of cells and blocks in the grid's cell model. Columns and rows count from 1; the header row
// and the header column are index 0, and HEADER (-32767) is accepted wherever 0 is.
#include <cstdint>

namespace vtl::grid {

inline constexpr int HEADER = -32767;
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxCols = 16384;

struct CellRef {
    int col = 0;
    int row = 0;
    friend constexpr bool operator==(const CellRef&, const CellRef&) = default;
};

// (col1, row1)..(col2, row2), corners in any order. A far corner of -1 means "up to the last column/row".
struct Block {
    int col1 = 0;
    int row1 = 0;
    int col2 = 0;
    int row2 = 0;
    friend constexpr bool operator==(const Block&, const Block&) = default;
};

// HEADER becomes 0; every other index is returned as given.
constexpr int headerToZero(int index) { return index == HEADER ? 0 : index; }

enum class ContentKind : int { text = 0, formula = 1, tag = 2, value = 3 };

}  // namespace vtl::grid
