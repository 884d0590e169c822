#include "solver/logical_solver.h"

#include "solver/board_scan.h"
#include "solver/candidates.h"
#include "solver/naked_pairs.h"

namespace zw {

namespace {

bool Solved(const Grid& grid) {
    const BoardScan scan = ScanBoard(grid);
    return scan.openCells == 0 && scan.rulesOk;
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
        if (ScanBoard(grid).openCells == 0)
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
