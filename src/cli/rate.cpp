// zellwerk-cli rate: how hard a puzzle is for this program, or with --score on the public scale.
#include "cli/batch.h"
#include "cli/subcommands.h"
#include "solver/solve.h"
#include "techniques/score.h"

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
    CommandLine cl;
    if (!ParseOrComplain("rate", args, {{"--score", false}}, cl, io))
        return 2;
    if (!cl.Has("--score"))
        return RunPuzzleCommand(cl, Rate, io.in, io.out, io.err);
    return RunPuzzleCommand(
        cl,
        [](SolverWorker& w, const Puzzle& puzzle) {
            w.Load(puzzle);
            return techniques::ScoreLine(techniques::ScorePuzzle(w.grid.Values())) + "\n";
        },
        io.in, io.out, io.err);
}

}  // namespace zw::cli
