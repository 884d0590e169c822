// zellwerk-cli solve: the solve command's road without a window, or the logic alone.
#include "solver/solve.h"

#include <ostream>

#include "cli/batch.h"
#include "cli/subcommands.h"
#include "solver/fast_search.h"
#include "solver/logical_solver.h"

namespace zw::cli {

namespace {

// The window's solve road; a full valid board is its own solution.
std::string Solve(SolverWorker& w, const Puzzle& puzzle, bool ordered) {
    // With no solution or one, every road ends on the same answer, and the engine's count
    // breaks on the same rules the road checks first (a full valid board counts one: itself).
    if (FastOnBoardString(w, puzzle)) {
        switch (FastCountRows(puzzle.board, 2, &w.solution)) {
            case 0:
                return "no solution\n";
            case 1: {
                std::string line;
                line.reserve(w.solution.size() + 1);
                return line.append(w.solution).append(1, '\n');
            }
            default:
                // Two or more: the road's own count would only say so again.
                w.ctx.engine = SearchEngine::Exact;
                break;
        }
    }
    w.Load(puzzle);
    switch (SolveSuDoKu(w.ctx, {.randomOrder = !ordered})) {
        case SolveOutcome::AlreadySolved:
        case SolveOutcome::ByLogic:
        case SolveOutcome::BySearch:
            return BoardRows(w.grid) + "\n";
        default:
            return "no solution\n";
    }
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
