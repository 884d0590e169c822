// Candidates and singles, worked out on the board's own cells.
//
// The solver keeps no table of its own: an open cell's text is its candidate list. The values
// returned here are cell values (board/grid.h), so a result "is" the text it stands for: the
// cell's own value for a placed cell, a one-digit set for a single, otherwise the candidate set
// (possibly empty).
#pragma once

#include "board/grid.h"

namespace zw {

// The digits no placed cell of the row, column or box excludes. Scans row and column together
// and stops as soon as one digit is left, so on a contradictory board the answer can be a digit
// the box already holds; the rule check finds that duplicate later.
CellValue GetCandidates(const Grid& grid, int row, int col);

// A placed cell's own value; a naked single; else a hidden single of the box, then the column,
// then the row (lowest digit first within each); else the candidates. An empty cell blocks
// hidden singles: it could still hold anything.
CellValue ResolveCell(const Grid& grid, int row, int col);

// One sweep row by row: every open cell gets its resolution when it was empty, or when the
// resolution is strictly shorter than its candidate string. Writes as it goes, so later cells
// see earlier results. Returns the number of cells written (0: the board is unchanged).
int UpdateCandidates(Grid& grid);

}  // namespace zw
