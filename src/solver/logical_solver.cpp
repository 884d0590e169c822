#include "solver/logical_solver.h"

#include "board/board_string.h"
#include "board/rules.h"
#include "solver/candidates.h"
#include "solver/naked_pairs.h"

namespace zw {

namespace {

bool Solved(const Grid& grid) {
    return CountOpenCells(grid) == 0 && RulesOk(grid);
}

}  // namespace

bool SolveLogical(SolverContext& ctx) {
    Grid& grid = ctx.grid;
    if (ctx.gCancel)
        return false;
    SweepCache sweep;  // the singles sweeps of all passes, each as UpdateCandidates
    for (;;) {
        if (Solved(grid))
            break;
        if (ctx.gCancel)
            return false;

        int changed = sweep.Sweep(grid);
        int singles = changed;
        while (changed != 0) {
            changed = sweep.Sweep(grid);
            singles += changed;
            ctx.DoEvents();
            if (ctx.gCancel)
                return false;
        }
        if (CountOpenCells(grid) == 0)
            break;

        int eliminated = ApplyPairs(grid);
        while (eliminated != 0) {
            eliminated = ApplyPairs(grid);
            ctx.DoEvents();
            if (ctx.gCancel)
                return false;
        }
        // Only the singles decide whether the pass got anywhere: eliminations by the pair
        // sweeps alone end the run.
        if (singles == 0)
            return false;
    }
    return Solved(grid);
}

}  // namespace zw
