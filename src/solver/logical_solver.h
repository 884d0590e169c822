// Solving by deduction alone: singles sweeps and naked-pair sweeps in passes.
//
//     StandaloneSolver s;        // or the window's context on its own board
//     bool solved = SolveLogical(s.ctx);
#pragma once

#include "solver/solver_context.h"

namespace zw {

// Runs passes until the board is solved or a pass's singles change nothing. True when the
// board ends with no open cell and passing the rule check. Works on the board in place and
// leaves it as it ends (solved, stuck with candidate strings, or cancelled); it never restores.
// Pending messages run after every repeated sweep, and the cancel flag is tested there and at
// every pass.
bool SolveLogical(SolverContext& ctx);

}  // namespace zw
