// zellwerk-cli count: the number of solutions, optionally up to a limit.
#include <limits>
#include <ostream>

#include "cli/batch.h"
#include "cli/subcommands.h"
#include "solver/fast_search.h"
#include "solver/solve.h"

namespace zw::cli {

int RunCount(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain("count", args, {{"--limit", true}}, cl, io))
        return 2;
    std::int64_t limit = 0;
    if (cl.Has("--limit") &&
        !ParseCount(cl.options.at("--limit"), 0, std::numeric_limits<std::int64_t>::max(), limit)) {
        io.err << "zellwerk-cli count: --limit needs a whole number from 0 to "
               << std::numeric_limits<std::int64_t>::max() << ", not '" << cl.options.at("--limit")
               << "'\n";
        return 2;
    }
    auto work = [limit](SolverWorker& w, const Puzzle& puzzle) {
        if (FastOnBoardString(w, puzzle))
            return std::to_string(FastCount(puzzle.board, limit)) + "\n";
        w.Load(puzzle);
        return std::to_string(CountSolutions(w.ctx, limit)) + "\n";
    };
    return RunPuzzleCommand(cl, work, io.in, io.out, io.err);
}

}  // namespace zw::cli
