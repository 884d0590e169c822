#include "solver/naked_pairs.h"

#include "solver/candidates.h"

namespace zw {

namespace {

// Takes the digits of `pair` from the cell at `index` unless it holds the pair itself or is
// not a candidate string. Returns how many digits it lost.
int StripPair(Grid& grid, int index, CellValue pair) {
    const CellValue y = grid.ValueAt(index);
    if (y == pair || TextLength(y) < 2)
        return 0;
    const CellValue lost = y & pair;
    if (lost == 0)
        return 0;
    grid.SetValueAt(index, y & ~pair);
    return CountDigits(lost);
}

template <typename CellOf>
int EliminateInUnit(Grid& grid, int self, CellValue pair, bool nested, CellOf cellOf) {
    int count = 0;
    for (int j = 0; j < kGridSize; ++j) {
        const int partner = cellOf(j);
        if (partner == self || grid.ValueAt(partner) != pair)
            continue;
        if (!nested) {
            bool partnerNested = true;
            count += EliminatePair(grid, partner / kGridSize, partner % kGridSize, partnerNested);
        }
        for (int k = 0; k < kGridSize; ++k)
            count += StripPair(grid, cellOf(k), pair);
    }
    return count;
}

}  // namespace

int EliminatePair(Grid& grid, int row, int col, bool& Nested) {
    const CellValue pair = grid.Value(row, col);
    if (TextLength(pair) != 2)
        return 0;
    const int self = CellIndex(row, col);
    const int top = row / 3 * 3, left = col / 3 * 3;
    int count = 0;
    count += EliminateInUnit(grid, self, pair, Nested, [&](int j) { return CellIndex(row, j); });
    count += EliminateInUnit(grid, self, pair, Nested, [&](int i) { return CellIndex(i, col); });
    count += EliminateInUnit(grid, self, pair, Nested,
                             [&](int k) { return CellIndex(top + k / 3, left + k % 3); });
    return count;
}

int ApplyPairs(Grid& grid) {
    int total = 0;
    for (int row = 0; row < kGridSize; ++row) {
        for (int col = 0; col < kGridSize; ++col) {
            // Only a two-digit text starts a pair; skip the call for all others.
            if (TextLength(grid.Value(row, col)) != 2)
                continue;
            bool nested = false;
            total += EliminatePair(grid, row, col, nested);
        }
    }
    return total;
}

}  // namespace zw
