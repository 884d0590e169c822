// The ladder's driver over whole puzzle sets, one thread: puzzles per second from the puzzle
// line to the last step it finds. Before timing, each set's run is checked to end solved or
// stuck on a board the fast engine still solves.
//
// Targets: 5,000 puzzles/s on qqwing-expert; 100/s on top95 and on hardest.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "bench_puzzles.h"
#include "board/board_string.h"
#include "techniques/ladder.h"

namespace zw {
namespace {

void BM_Ladder(benchmark::State& state, const char* set) {
    std::vector<std::string> lines;
    for (const std::string& board : bench::PuzzleBoards(set))
        lines.push_back(RowsFromBoardString(board));
    techniques::CandidateBoard board;
    std::vector<techniques::Step> steps;
    steps.reserve(200);
    std::int64_t solved = 0;
    for (const std::string& line : lines) {
        if (!board.SetRows(line)) {
            std::cerr << "not a puzzle: " << line << "\n";
            std::exit(1);
        }
        solved += techniques::RunLadder(board, true, steps);
    }
    for (auto _ : state) {
        for (const std::string& line : lines) {
            board.SetRows(line);
            benchmark::DoNotOptimize(techniques::RunLadder(board, true, steps));
        }
    }
    state.counters["solved"] = static_cast<double>(solved);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK_CAPTURE(BM_Ladder, expert, "qqwing-expert.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ladder, top95, "top95.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ladder, hardest, "hardest.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ladder, simple, "qqwing-simple.txt")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zw

BENCHMARK_MAIN();
