#include "solver/logical_solver.h"

#include "solver/board_scan.h"
#include "solver/candidates.h"
#include "solver/naked_pairs.h"

namespace zw {

namespace {

// The sweeps' cache answers from its own account of the board, once it has caught up with the
// pair sweeps' changes (which the next sweep would do anyway).
bool Solved(const Grid& grid, SweepCache& sweep) {
    const BoardScan scan = sweep.Scan(grid);
    return scan.openCells == 0 && scan.rulesOk;
}

}  // namespace

bool SolveLogical(SolverContext& ctx) {
    Grid& grid = ctx.grid;
    if (ctx.gCancel)
        return false;
    SweepCache sweep;  // the singles sweeps of all passes, each as UpdateCandidates
    for (;;) {
        if (Solved(grid, sweep))
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
        if (sweep.Scan(grid).openCells == 0)
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
    return Solved(grid, sweep);
}

}  // namespace zw
