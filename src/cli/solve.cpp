// zellwerk-cli solve: the solve command's road without a window, or the logic alone.
#include <ostream>

#include "board/board_string.h"
#include "board/rules.h"
#include "cli/batch.h"
#include "cli/subcommands.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"

namespace zw::cli {

namespace {

// Rule check, logical solving, then the search from the puzzle as given, stopping at the first
// solution. A full valid board is its own solution.
std::string Solve(SolverWorker& w, const Puzzle& puzzle, bool ordered) {
    w.Load(puzzle);
    if (!RulesOk(w.grid))
        return "no solution\n";
    if (CountOpenCells(w.grid) == 0 || SolveLogical(w.ctx))
        return BoardRows(w.grid) + "\n";
    SetSuDoKuString(w.grid, puzzle.board);
    std::string loesungen;
    if (myBT(w.ctx, loesungen, 1, !ordered, false) == 0)
        return "no solution\n";
    return RowsFromBoardString(std::string_view(loesungen).substr(0, kBoardStringLength)) + "\n";
}

std::string LogicOnly(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    SolveLogical(w.ctx);
    return BoardRows(w.grid) + "\n";
}

// The 81 cell texts as the grid shows them: a row per line, TAB between cells.
std::string LogicOnlyCells(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    SolveLogical(w.ctx);
    std::string text;
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            text += w.grid.Text(r, c);
            text += c == kGridSize - 1 ? '\n' : '\t';
        }
    }
    return text + "\n";
}

}  // namespace

int RunSolve(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain("solve", args,
                         {{"--ordered", false}, {"--logic-only", false}, {"--cells", false}}, cl,
                         io))
        return 2;
    if (cl.Has("--cells") && !cl.Has("--logic-only")) {
        io.err << "zellwerk-cli solve: --cells goes with --logic-only\n";
        return 2;
    }
    if (cl.Has("--logic-only") && cl.Has("--ordered")) {
        io.err << "zellwerk-cli solve: --ordered does not go with --logic-only\n";
        return 2;
    }
    PuzzleWork work;
    if (cl.Has("--cells"))
        work = LogicOnlyCells;
    else if (cl.Has("--logic-only"))
        work = LogicOnly;
    else
        work = [ordered = cl.Has("--ordered")](SolverWorker& w, const Puzzle& p) {
            return Solve(w, p, ordered);
        };
    return RunPuzzleCommand(cl, work, io.in, io.out, io.err);
}

}  // namespace zw::cli
