// zellwerk-cli generate: new puzzles from the window's own generator, each made on a main
// window of its own over the in-memory platform, so workers share nothing.
#include <atomic>
#include <limits>
#include <ostream>
#include <thread>
#include <vector>

#include "board/board_string.h"
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

    const auto threads = static_cast<std::size_t>(std::min<std::int64_t>(cl.threads, count));
    if (threads <= 1) {
        for (std::int64_t i = 0; i < count; ++i)
            io.out << GenerateOne(hard, static_cast<int>(fields),
                                  Mix(base + static_cast<std::uint64_t>(i)))
                   << '\n';
        io.out.flush();
        return 0;
    }
    std::vector<std::string> puzzles(static_cast<std::size_t>(count));
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < puzzles.size(); i = next++)
                puzzles[i] = GenerateOne(hard, static_cast<int>(fields), Mix(base + i));
        });
    }
    for (std::thread& w : workers)
        w.join();
    for (const std::string& p : puzzles)
        io.out << p << '\n';
    io.out.flush();
    return 0;
}

}  // namespace zw::cli
