// zellwerk-cli rate: how hard a puzzle is for this program.
#include "cli/batch.h"
#include "cli/subcommands.h"
#include "solver/solve.h"

namespace zw::cli {

namespace {

std::string Rate(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    switch (RatePuzzle(w.ctx)) {
        case Rating::Normal:
            return "normal\n";
        case Rating::Hard:
            return "hard\n";
        case Rating::Multiple:
            return "multiple\n";
        default:
            return "none\n";
    }
}

}  // namespace

int RunRate(const Arguments& args, Streams& io) {
    return RunPuzzleCommand("rate", args, Rate, io);
}

}  // namespace zw::cli
