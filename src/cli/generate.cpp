// zellwerk-cli generate: new puzzles from the window's own generator, each on a worker's own
// board from a seed of its own number, or made to a level of the difficulty scale.
#include "generator/generate.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/batch.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "generator/level.h"
#include "platform/system_platform.h"

namespace zw::cli {

int RunGenerate(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain(
            "generate", args,
            {{"--hard", false},
             {"--fields", true},
             {"--count", true},
             {"--seed", true},
             {"--level", true},
             {"--score", false}},
            cl, io))
        return 2;
    std::optional<techniques::Level> level;
    if (cl.Has("--level")) {
        level = techniques::LevelOfWord(cl.options.at("--level"));
        if (!level) {
            io.err << "zellwerk-cli generate: unknown level '" << cl.options.at("--level")
                   << "' (leicht, mittel, schwer, sehr-schwer or extrem)\n";
            return 2;
        }
        if (cl.Has("--hard") || cl.Has("--fields")) {
            io.err << "zellwerk-cli generate: --level goes without --hard and --fields\n";
            return 2;
        }
    }
    if (!cl.files.empty()) {
        io.err << "zellwerk-cli generate: reads no files, but was given '" << cl.files.front()
               << "'\n";
        return 2;
    }
    std::int64_t fields = 45;
    if (cl.Has("--fields") && !ParseCount(cl.options.at("--fields"), 0, 81, fields)) {
        io.err << "zellwerk-cli generate: --fields needs a whole number from 0 to 81, not '"
               << cl.options.at("--fields") << "'\n";
        return 2;
    }
    std::int64_t count = 1;
    if (cl.Has("--count") &&
        !ParseCount(cl.options.at("--count"), 1, std::numeric_limits<std::int32_t>::max(), count)) {
        io.err << "zellwerk-cli generate: --count needs a whole number from 1 to "
               << std::numeric_limits<std::int32_t>::max() << ", not '" << cl.options.at("--count")
               << "'\n";
        return 2;
    }
    std::uint64_t base = 0;
    if (!ReadSeed("generate", cl, io.err, base))
        return 2;
    const int degree = cl.Has("--hard") ? 2 : 1;

    // The puzzles go out in order as they are made, each from the seed of its own number, so
    // the output is the same whatever the number of threads.
    auto left = static_cast<std::uint64_t>(count);
    auto numbers = [&left](std::vector<Puzzle>& items, std::size_t max) {
        items.assign(static_cast<std::size_t>(std::min<std::uint64_t>(left, max)), Puzzle{});
        left -= items.size();
    };
    auto make = [degree, fields, base, level, score = cl.Has("--score"),
                 engine = EngineOf(cl)](SolverWorker& w, const Puzzle&, std::uint64_t index) {
        const std::uint64_t seed = PuzzleSeed(base, index);
        if (level) {
            const LevelPuzzle p = MakeLevelPuzzle(*level, seed);
            return p.rows + (score ? " " + techniques::ScoreLine(p.score) : "") + '\n';
        }
        w.ctx.engine = engine;
        SystemClock time;
        RepeatableClock clock(time, seed);
        w.solver.cancel = false;
        GeneratePuzzle(w.ctx, clock, degree, static_cast<int>(fields));
        const std::string rows = BoardRows(w.grid);
        return rows + (score ? " " + techniques::ScoreLine(techniques::ScoreRows(rows)) : "") +
               '\n';
    };
    const int threads = static_cast<int>(std::min<std::int64_t>(cl.threads, count));
    const std::unique_ptr<Progress> progress = Progress::ForTerminal(io.err);
    return RunInOrder(threads, numbers, make, io.out, io.err, progress.get()) ? 0 : 2;
}

}  // namespace zw::cli
