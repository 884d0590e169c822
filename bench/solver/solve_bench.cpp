// The solver on the puzzle sets of data/puzzles: logical solving, the ordered search to the first
// solution, and counting. Each benchmark checks its answers once before it is timed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench_puzzles.h"
#include "board/board_string.h"
#include "board/rules.h"
#include "solver/backtracking.h"
#include "solver/candidates.h"
#include "solver/logical_solver.h"

namespace zw {
namespace {

using bench::OpenPuzzleData;
using bench::PuzzleBoards;

void BM_UpdateCandidatesEmptyBoard(benchmark::State& state) {
    Grid grid;
    for (auto _ : state) {
        ClearBoard(grid);
        benchmark::DoNotOptimize(UpdateCandidates(grid));
        benchmark::DoNotOptimize(UpdateCandidates(grid));
    }
}
BENCHMARK(BM_UpdateCandidatesEmptyBoard);

void BM_SolveLogical(benchmark::State& state) {
    const auto boards = PuzzleBoards("qqwing-simple.txt", 200);
    StandaloneSolver b;
    for (const auto& board : boards) {
        SetSuDoKuString(b.grid, board);
        if (!SolveLogical(b.ctx)) {
            state.SkipWithError("a simple puzzle was not solved by logic");
            return;
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        SetSuDoKuString(b.grid, boards[i++ % boards.size()]);
        benchmark::DoNotOptimize(SolveLogical(b.ctx));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SolveLogical);

// The ordered search to the first solution, as `solve --ordered` runs it after the logic.
void BM_FirstSolution(benchmark::State& state, const char* set) {
    const auto boards = PuzzleBoards(set, 2000);
    StandaloneSolver b;
    std::string list;
    for (const auto& board : boards) {
        SetSuDoKuString(b.grid, board);
        list.clear();
        if (myBT(b.ctx, list, {.max = 1}) != 1 || list.find(' ') != std::string::npos) {
            state.SkipWithError("a puzzle was not solved");
            return;
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        SetSuDoKuString(b.grid, boards[i++ % boards.size()]);
        list.clear();
        benchmark::DoNotOptimize(myBT(b.ctx, list, {.max = 1}));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK_CAPTURE(BM_FirstSolution, top95, "top95.txt");
BENCHMARK_CAPTURE(BM_FirstSolution, 17clue, "17clue.txt");
BENCHMARK_CAPTURE(BM_FirstSolution, expert, "qqwing-expert.txt");

void BM_CountMulti(benchmark::State& state) {
    const auto boards = PuzzleBoards("multi.txt", 300);
    std::vector<std::int64_t> counts;
    std::ifstream in = OpenPuzzleData("multi.counts");
    for (std::int64_t n = 0; in >> n;)
        counts.push_back(n);
    StandaloneSolver b;
    b.ctx.keepSolutions = 0;
    std::string list;
    for (std::size_t k = 0; k < 20 && k < boards.size(); ++k) {
        SetSuDoKuString(b.grid, boards[k]);
        if (k >= counts.size() || myBT(b.ctx, list, {}) != counts[k]) {
            state.SkipWithError("a count differs from multi.counts");
            return;
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        SetSuDoKuString(b.grid, boards[i++ % boards.size()]);
        benchmark::DoNotOptimize(myBT(b.ctx, list, {}));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_CountMulti);

}  // namespace
}  // namespace zw

BENCHMARK_MAIN();
