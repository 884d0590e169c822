// zellwerk-cli rate: how hard a puzzle is for this program.
#include "board/board_string.h"
#include "cli/batch.h"
#include "cli/subcommands.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"

namespace zw::cli {

namespace {

// "normal": the logic alone solves it; otherwise the search, up to two solutions, tells
// "hard" (unique), "multiple" or "none" (no solution, or the givens break the rules).
std::string Rate(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    if (SolveLogical(w.ctx))
        return "normal\n";
    SetSuDoKuString(w.grid, puzzle.board);
    std::string loesungen;
    switch (myBT(w.ctx, loesungen, 2, false, false)) {
        case 0:
            return "none\n";
        case 1:
            return "hard\n";
        default:
            return "multiple\n";
    }
}

}  // namespace

int RunRate(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain("rate", args, {}, cl, io))
        return 2;
    return RunPuzzleCommand(cl, Rate, io.in, io.out, io.err);
}

}  // namespace zw::cli
