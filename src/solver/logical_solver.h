// Solving by deduction alone: singles sweeps and naked-pair sweeps in passes.
//
// A caller builds the context from its own board and cancel flag:
//     bool cancel = false;
//     NoEventPump pump;          // or the window's pump
//     MersenneRandom random;     // any RandomSource
//     SolverContext ctx{grid, cancel, pump, {}, random};   // {}: no log
//     bool solved = SolveLogical(ctx);
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
