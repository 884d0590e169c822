// zellwerk-cli generate: new puzzles from the window's own generator, each made on a main
// window of its own over the in-memory platform, so workers share nothing.
#include <algorithm>
#include <limits>
#include <ostream>
#include <vector>

#include "board/board_string.h"
#include "cli/batch.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"
#include "platform/system_platform.h"

namespace zw::cli {

namespace {

// Spreads neighbouring numbers far apart (splitmix64), so the seeds of puzzle i and i + 1 do
// not overlap: one generation takes a few consecutive seeds from the clock.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The puzzle depends on `seed` alone: the fake clock hands out seed + 1, seed + 2, ...
std::string GenerateOne(bool hard, int fields, std::uint64_t seed) {
    MemoryPlatform mp;
    mp.clock.seeds = seed;
    frmMain form(mp.platform);
    form.Form_Load();
    form.GenerateNewSuDoKu(hard ? 2 : 1, fields, false);
    return RowsFromBoardString(GetSuDoKuString(form.Matrix), '.');
}

}  // namespace

int RunGenerate(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain(
            "generate", args,
            {{"--hard", false}, {"--fields", true}, {"--count", true}, {"--seed", true}}, cl, io))
        return 2;
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
        io.err << "zellwerk-cli generate: --count needs a whole number of 1 or more, not '"
               << cl.options.at("--count") << "'\n";
        return 2;
    }
    std::int64_t seed = 0;
    if (cl.Has("--seed")) {
        if (!ParseCount(cl.options.at("--seed"), 0, std::numeric_limits<std::int64_t>::max(),
                        seed)) {
            io.err << "zellwerk-cli generate: --seed needs a whole number of 0 or more, not '"
                   << cl.options.at("--seed") << "'\n";
            return 2;
        }
    } else {
        seed = static_cast<std::int64_t>(SystemClock().SeedFromClock() >> 1);
    }
    const bool hard = cl.Has("--hard");
    const auto base = static_cast<std::uint64_t>(seed);

    // The puzzles go out in order as they are made, each from the seed of its own number, so
    // the output is the same whatever the number of threads.
    auto left = static_cast<std::uint64_t>(count);
    auto numbers = [&left](std::vector<Puzzle>& items, std::size_t max) {
        items.assign(static_cast<std::size_t>(std::min<std::uint64_t>(left, max)), Puzzle{});
        left -= items.size();
    };
    auto make = [hard, fields, base](SolverWorker&, const Puzzle&, std::uint64_t index) {
        return GenerateOne(hard, static_cast<int>(fields), Mix(base + index)) + '\n';
    };
    const int threads = static_cast<int>(std::min<std::int64_t>(cl.threads, count));
    return RunInOrder(threads, numbers, make, io.out) ? 0 : 2;
}

}  // namespace zw::cli
