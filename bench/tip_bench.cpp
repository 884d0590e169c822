// "Fehler suchen" on 200,000-line logs (budget: 2 s), the explained path of qqwing-expert
// (5,000/s), top95 and hardest (100/s) in puzzles per second, and the tip on the boards along
// the way.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "bench_puzzles.h"
#include "board/board_string.h"
#include "board/rules.h"
#include "mainwindow/error_search.h"
#include "platform/memory_platform.h"
#include "techniques/explain.h"
#include "solver/fast_search.h"
#include "techniques/tip.h"

namespace zw {
namespace {

using bench::PuzzleBoards;

constexpr int kLogLines = 200'000;

struct GameLog {
    TextList lines, snapshots;
    std::int64_t wrongLine = -1;
    void Add(const char* message, const std::string& board) {
        lines.Append(std::string("14:03:27\t") + message);
        snapshots.Append(board);
    }
};

// The first puzzle of top95 played: 30 right digits, one wrong one that keeps the rules, then
// play goes on without it being noticed. `distinct`: every later line adds some digits and
// deletes others at random, so no two boards agree and every line ends a stretch (the worst
// case). Otherwise the player types, deletes and retypes digits in turn, with refused digits
// and statistics lines between, as people do.
GameLog MakeLog(bool distinct) {
    const std::string puzzle = PuzzleBoards("top95.txt").front();
    std::string solution;
    FastCount(puzzle, 2, &solution);
    std::vector<int> open;
    for (int k = 0; k < kBoardStringLength; ++k) {
        if (puzzle[static_cast<std::size_t>(k)] == ' ')
            open.push_back(k);
    }
    GameLog log;
    std::string board = puzzle;
    log.Add("Einfügen...", board);
    std::size_t next = 0;
    for (; next < 30; ++next) {
        board[static_cast<std::size_t>(open[next])] =
            solution[static_cast<std::size_t>(open[next])];
        log.Add("Eingabe ok.", board);
    }
    // A wrong digit that keeps the rules: any other digit there leaves no solution.
    const int wrongCell = open[next++];
    for (char d = '1'; d <= '9'; ++d) {
        std::string trial = board;
        trial[static_cast<std::size_t>(wrongCell)] = d;
        Grid g;
        SetSuDoKuString(g, trial);
        if (d != solution[static_cast<std::size_t>(wrongCell)] && RulesOk(g)) {
            board = trial;
            break;
        }
    }
    log.wrongLine = static_cast<std::int64_t>(log.lines.Count());
    log.Add("Eingabe ok.", board);
    std::mt19937 random(1);
    const std::vector<int> rest(open.begin() + static_cast<std::ptrdiff_t>(next), open.end());
    for (std::size_t i = 0; log.lines.Count() < kLogLines; ++i) {
        const auto cell = static_cast<std::size_t>(rest[i % rest.size()]);
        if (distinct) {
            for (int flips = 0; flips < 3; ++flips) {
                const auto c = static_cast<std::size_t>(rest[random() % rest.size()]);
                board[c] = board[c] == ' ' ? solution[c] : ' ';
            }
            log.Add("Eingabe ok.", board);
            continue;
        }
        board[cell] = board[cell] == ' ' ? solution[cell] : ' ';  // typed, or deleted
        log.Add(board[cell] == ' ' ? "Statistik errechnen ..." : "Eingabe ok.", board);
        if (i % 5 == 0) {
            std::string refused = board;
            refused[static_cast<std::size_t>(wrongCell) ^ 1u] = '9';
            log.Add("Eingabe nicht möglich (Regelbruch).", refused);
        }
    }
    return log;
}

void SearchLog(benchmark::State& state, bool distinct) {
    const GameLog log = MakeLog(distinct);
    CountingEventPump pump;
    const bool cancel = false;
    for (auto _ : state) {
        const ErrorSearchResult r = SearchError(log.lines, log.snapshots, cancel, pump);
        if (r.outcome != ErrorSearchOutcome::Found || r.faultyLine != log.wrongLine) {
            state.SkipWithError("the search did not find the wrong digit");
            return;
        }
    }
    state.counters["lines"] = static_cast<double>(log.lines.Count());
}

void BM_FehlerSuchen200kPlayed(benchmark::State& state) {
    SearchLog(state, false);
}
void BM_FehlerSuchen200kAllDistinct(benchmark::State& state) {
    SearchLog(state, true);
}
BENCHMARK(BM_FehlerSuchen200kPlayed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FehlerSuchen200kAllDistinct)->Unit(benchmark::kMillisecond);

// What zellwerk-cli explain does per puzzle: the tip, then step after step with both texts and
// its rating, to the end.
void Explain(benchmark::State& state, const std::string& set) {
    const std::vector<std::string> boards = PuzzleBoards(set);
    std::vector<std::array<CellValue, kCellCount>> cells;
    for (const std::string& b : boards) {
        Grid grid;
        SetSuDoKuString(grid, b);
        cells.push_back(grid.Values());
        if (ExplainText(cells.back()).find("probiert") != std::string::npos) {
            state.SkipWithError("explain stopped short of the end");
            return;
        }
    }
    std::size_t lines = 0;
    for (auto _ : state) {
        for (const auto& c : cells) {
            const std::string text = ExplainText(c);
            lines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        }
    }
    state.counters["puzzles/s"] = benchmark::Counter(
        static_cast<double>(boards.size() * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["steps/puzzle"] =
        static_cast<double>(lines) / static_cast<double>(boards.size() * state.iterations()) - 1;
}

void BM_ExplainExpert(benchmark::State& state) {
    Explain(state, "qqwing-expert.txt");
}
void BM_ExplainTop95(benchmark::State& state) {
    Explain(state, "top95.txt");
}
void BM_ExplainHardest(benchmark::State& state) {
    Explain(state, "hardest.txt");
}
BENCHMARK(BM_ExplainExpert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplainTop95)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplainHardest)->Unit(benchmark::kMillisecond);

// The window's tip on every board a player meets on the ladder's way through a set (its placed
// digits alone): the time per tip, and the slowest, which is how long Ctrl+T can take.
void TipOnTheWay(benchmark::State& state, const std::string& set) {
    std::vector<std::array<CellValue, kCellCount>> ways;
    for (const std::string& b : PuzzleBoards(set)) {
        Grid grid;
        SetSuDoKuString(grid, b);
        std::array<CellValue, kCellCount> cells = grid.Values();
        for (Tip tip = FindTip(cells); tip.kind == TipKind::Step; tip = FindTip(cells)) {
            ways.push_back(cells);
            while (tip.kind == TipKind::Step && tip.cell < 0)
                tip = NextTip(tip);
            const auto cell = static_cast<std::size_t>(tip.cell);
            if (tip.kind != TipKind::Step || tip.digit != tip.solution[cell] - '0') {
                state.SkipWithError("a tip placed a digit the solution does not have");
                return;
            }
            cells[cell] = DigitBit(tip.digit);
        }
    }
    double slowest = 0;
    for (auto _ : state) {
        for (const auto& cells : ways) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(FindTip(cells));
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
        }
    }
    state.counters["tips/s"] = benchmark::Counter(
        static_cast<double>(ways.size() * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["slowest ms"] = slowest;
}

void BM_TipOnTheWayTop95(benchmark::State& state) {
    TipOnTheWay(state, "top95.txt");
}
void BM_TipOnTheWayHardest11(benchmark::State& state) {
    TipOnTheWay(state, "hardest11.txt");
}
BENCHMARK(BM_TipOnTheWayTop95)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TipOnTheWayHardest11)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zw

BENCHMARK_MAIN();
