// Thinning a complete grid into a puzzle: givens are emptied one at a time, and a removal stays
// only when the puzzle still passes the test of its degree.
#pragma once

#include "platform/platform.h"
#include "solver/solver_context.h"

namespace zw {

// The whole number nearest to x, a value exactly halfway going to the even neighbour.
int RoundHalfEven(double x);

// Degree 1 ("Normal"): the logical solver must finish the puzzle. Degree 2 ("Schwer"): the
// backtracking search must find exactly one solution; each test logs its solutions.
//
// Random: cells are drawn at random (row and column each the nearest whole number to r x 8),
// until the board has `Fields` open cells or 81 tests in a row have failed; then one pass in
// the fixed order finishes the job. Not random: every cell column by column from the top left,
// each given tried once. The thinning itself does not look at the cancel flag: once it is set,
// every test fails at once and the thinning runs out quickly.
void RemoveSurplusNumbers(SolverContext& ctx, Clock& clock, int degree, int Fields, bool random);

}  // namespace zw
