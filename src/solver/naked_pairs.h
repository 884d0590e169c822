// Naked pairs: two cells of a row, column or box holding the same two candidates take those
// digits from every other candidate string of that unit.
#pragma once

#include "board/grid.h"

namespace zw {

// The pair rule with (row, col) as the first cell of a pair, over its row, then its column,
// then its box. For each partner found, a first-level call (Nested false) first visits the
// partner with Nested true, which runs the partner's three units at once; the flag itself is
// never changed. Returns the number of digits removed, nested visits included.
int EliminatePair(Grid& grid, int row, int col, bool& Nested);

// One sweep of EliminatePair over all cells, row by row. Returns the digits removed.
int ApplyPairs(Grid& grid);

}  // namespace zw
