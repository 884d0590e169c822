#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <ostream>
#include <thread>
#include <vector>

#include "board/board_string.h"

namespace zw::cli {

void SolverWorker::Load(const Puzzle& puzzle) {
    cancel = false;
    random.Restart();
    SetSuDoKuString(grid, BoardStringFromRows(puzzle.rows));
}

std::string BoardRows(const Grid& grid) {
    return RowsFromBoardString(GetSuDoKuString(grid), '.');
}

int RunPuzzleCommand(const CommandLine& commandLine, const PuzzleWork& work, std::istream& in,
                     std::ostream& out, std::ostream& err) {
    const PuzzleInput input = ReadPuzzles(commandLine.files, in, err);
    const std::size_t count = input.puzzles.size();
    std::vector<std::string> results(count);
    const std::size_t threads =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(commandLine.threads, 1)),
                              std::max<std::size_t>(count, 1));

    // Workers take the next few puzzles as they come free; the results land in their input
    // slots. A few at a time, so the workers seldom meet on the counter or on neighbouring
    // result slots.
    constexpr std::size_t kPuzzlesPerTake = 8;
    std::atomic<std::size_t> next{0};
    auto runWorker = [&] {
        SolverWorker worker;
        for (std::size_t first = next.fetch_add(kPuzzlesPerTake); first < count;
             first = next.fetch_add(kPuzzlesPerTake)) {
            const std::size_t end = std::min(first + kPuzzlesPerTake, count);
            for (std::size_t i = first; i < end; ++i)
                results[i] = work(worker, input.puzzles[i]);
        }
    };
    if (threads <= 1) {
        runWorker();
    } else {
        std::vector<std::jthread> pool;
        for (std::size_t t = 0; t < threads; ++t)
            pool.emplace_back(runWorker);
    }
    for (const std::string& result : results)
        out << result;
    out.flush();
    if (input.unreadable)
        return 2;
    return input.badLines ? 1 : 0;
}

}  // namespace zw::cli
