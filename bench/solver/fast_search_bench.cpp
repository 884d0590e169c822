// The fast search on the puzzle sets of data/puzzles: puzzles per second counting to two (what
// solve and rate ask of it), counting multi.txt to the end, and the rating of the lines of
// invalid.txt and of a board without solution that takes the ordered search seconds. Each
// benchmark checks its answers once before it is timed.
//
// Budget: every set at 20x qqwing's --solve rate on this machine (17clue: 136,000/s), multi.txt
// at 100x qqwing's --count-solutions; each rating of a board without solution under 10 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench_puzzles.h"
#include "board/board_string.h"
#include "solver/fast_search.h"
#include "solver/solve.h"

namespace zw {
namespace {

using bench::PuzzleBoards;

void Fail(const char* what, const std::string& board) {
    std::cerr << what << ": " << RowsFromBoardString(board) << "\n";
    std::exit(1);
}

void BM_CountToTwo(benchmark::State& state, const char* set) {
    const std::vector<std::string> boards = PuzzleBoards(set);
    for (const std::string& board : boards) {
        std::string solution;
        if (FastCount(board, 2, &solution) != 1 || FastCount(solution, 0) != 1)
            Fail("not one solution", board);
    }
    for (auto _ : state) {
        for (const std::string& board : boards)
            benchmark::DoNotOptimize(FastCount(board, 2));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(boards.size()));
}
BENCHMARK_CAPTURE(BM_CountToTwo, top95, "top95.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountToTwo, 17clue, "17clue.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountToTwo, hardest, "hardest.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountToTwo, expert, "qqwing-expert.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountToTwo, simple, "qqwing-simple.txt")->Unit(benchmark::kMillisecond);

void BM_CountMulti(benchmark::State& state) {
    const std::vector<std::string> boards = PuzzleBoards("multi.txt");
    std::int64_t total = 0;
    for (const std::string& board : boards)
        total += FastCount(board, 0);
    if (total <= static_cast<std::int64_t>(boards.size()))
        Fail("multi.txt counts too few", boards.front());
    for (auto _ : state) {
        for (const std::string& board : boards)
            benchmark::DoNotOptimize(FastCount(board, 0));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(boards.size()));
}
BENCHMARK(BM_CountMulti)->Unit(benchmark::kMillisecond);

// The whole rating (the logic first, then the count) of one board; the slowest line of
// invalid.txt is what the budget is about, so each line is its own run.
void BM_Rate(benchmark::State& state, std::vector<std::string> boards) {
    StandaloneSolver s;
    s.ctx.engine = SearchEngine::Fast;
    const std::string& board = boards.at(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        SetSuDoKuString(s.grid, board);
        benchmark::DoNotOptimize(RatePuzzle(s.ctx));
    }
}
BENCHMARK_CAPTURE(BM_Rate, wide,
                  std::vector<std::string>{BoardStringFromRows(
                      ".....5.8....6.1.43..........1.5........1.6...3.......553.....61........4"
                      ".........")})
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Rate, invalid, PuzzleBoards("invalid.txt"))
    ->DenseRange(0, 41)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zw

BENCHMARK_MAIN();
