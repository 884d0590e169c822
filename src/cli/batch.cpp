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
    // Batches of puzzles: the workers solve one while this thread reads the next, and the
    // results go out batch by batch, so memory stays bounded however long the input.
    constexpr std::size_t kBatchSize = 4096;
    // Workers take the next few puzzles as they come free; the results land in their input
    // slots. A few at a time, so the workers seldom meet on the counter or on neighbouring
    // result slots.
    constexpr std::size_t kPuzzlesPerTake = 8;
    const auto threads = static_cast<std::size_t>(std::max(commandLine.threads, 1));
    PuzzleReader reader(commandLine.files, in, err);
    std::vector<Puzzle> batch, nextBatch;
    std::vector<std::string> results;
    reader.Next(batch, kBatchSize);
    while (!batch.empty()) {
        const std::size_t count = batch.size();
        results.assign(count, std::string());
        std::atomic<std::size_t> next{0};
        auto runWorker = [&] {
            SolverWorker worker;
            for (std::size_t first = next.fetch_add(kPuzzlesPerTake); first < count;
                 first = next.fetch_add(kPuzzlesPerTake)) {
                const std::size_t end = std::min(first + kPuzzlesPerTake, count);
                for (std::size_t i = first; i < end; ++i)
                    results[i] = work(worker, batch[i]);
            }
        };
        {
            std::vector<std::jthread> pool;
            if (threads <= 1) {
                runWorker();
            } else {
                for (std::size_t t = 0; t < std::min(threads, count); ++t)
                    pool.emplace_back(runWorker);
            }
            reader.Next(nextBatch, kBatchSize);
        }  // the workers are joined here
        for (const std::string& result : results)
            out << result;
        out.flush();
        std::swap(batch, nextBatch);
    }
    if (reader.Unreadable())
        return 2;
    return reader.BadLines() ? 1 : 0;
}

}  // namespace zw::cli
