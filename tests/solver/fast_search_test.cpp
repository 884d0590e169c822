#include "solver/fast_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "board/board_string.h"
#include "solver/backtracking.h"
#include "solver/solve.h"
#include "support/test_board.h"

namespace zw {
namespace {

// Each build of the fast engine that runs here agrees with the ordered search on the count up
// to `max`, and on the solution when there is only one.
void ExpectSameAnswer(const std::string& board, std::int64_t max) {
    StandaloneSolver s;
    SetSuDoKuString(s.grid, board);
    std::string exact;
    const std::int64_t n = myBT(s.ctx, exact, {.max = max});
    for (const FastBuild build : {FastBuild::Baseline, FastBuild::BitManipulation}) {
        if (!FastBuildRuns(build))
            continue;
        std::string fast;
        ASSERT_EQ(FastCount(build, board, max, &fast), n) << RowsFromBoardString(board);
        EXPECT_TRUE(n != 1 || exact.starts_with(fast + "\r\n")) << RowsFromBoardString(board);
    }
}

TEST(FastSearch, AgreesWithTheOrderedSearchOnEveryPuzzleSet) {
    const struct {
        const char* name;
        std::size_t lines;
        std::int64_t max;
    } sets[] = {{"top95.txt", 20, 2},         {"17clue.txt", 40, 2},
                {"hardest.txt", 20, 2},       {"hardest11.txt", 11, 2},
                {"multi.txt", 30, 1000},      {"invalid.txt", 50, 2},
                {"qqwing-easy.txt", 20, 2},   {"qqwing-expert.txt", 20, 2},
                {"qqwing-simple.txt", 20, 2}, {"qqwing-intermediate.txt", 20, 2}};
    for (const auto& set : sets) {
        SCOPED_TRACE(set.name);
        for (const std::string& rows : test::ReadPuzzleLines(test::PuzzleFile(set.name), set.lines))
            ExpectSameAnswer(BoardStringFromRows(rows), set.max);
    }
}

TEST(FastSearch, AgreesWithTheOrderedSearchOnRandomBoardsOfEveryFill) {
    std::mt19937 random(15);
    std::string grid;
    ASSERT_EQ(FastCount(std::string(kBoardStringLength, ' '), 1, &grid), 1);
    for (int givens = 0; givens <= kCellCount; givens += 3) {
        SCOPED_TRACE(givens);
        for (int round = 0; round < 4; ++round) {
            // A random valid grid: relabel the digits and swap rows within bands.
            std::array<char, 9> digits = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
            std::shuffle(digits.begin(), digits.end(), random);
            std::string solution = grid;
            for (char& ch : solution)
                ch = digits[static_cast<std::size_t>(ch - '1')];
            for (int col = 0; col < 9; ++col)
                std::swap(solution[9 * col + round % 3], solution[9 * col + 3 + round % 2]);
            // Givens of the grid (at least one solution), and givens at random (mostly none or
            // broken rules).
            std::vector<int> cells(kCellCount);
            std::iota(cells.begin(), cells.end(), 0);
            std::shuffle(cells.begin(), cells.end(), random);
            std::string kept(kBoardStringLength, ' '), wild(kBoardStringLength, ' ');
            for (int k = 0; k < givens; ++k) {
                kept[cells[k]] = solution[cells[k]];
                wild[cells[k]] = static_cast<char>('1' + random() % 9);
            }
            ExpectSameAnswer(kept, 1000);
            ExpectSameAnswer(wild, 1000);
        }
    }
}

// The random boards above compare these with the ordered search; this one takes it seconds.
TEST(FastSearch, BoardsWithoutSolution) {
    std::string zero = BoardStringFromRows(test::kHard);
    zero[40] = '0';  // a puzzle file can place a "0"
    const std::string boards[] = {
        BoardStringFromRows(test::kNoSolution),
        BoardStringFromRows(
            ".....5.8....6.1.43..........1.5........1.6...3.......553.....61........4........."),
        zero,
        BoardStringFromRows(test::kSolved).replace(3, 1, "x"),
        BoardStringFromRows(test::kSolved).replace(80, 1, "\xE9"),  // the last, read on its own
    };
    for (const std::string& board : boards)
        EXPECT_EQ(FastCount(board, 0), 0) << RowsFromBoardString(board);
    // Only digits and blanks are plain: the others are broken by a "0" or any other character.
    EXPECT_TRUE(IsPlainBoardString(boards[0]));
    for (const std::string& board : {boards[2], boards[3], boards[4]})
        EXPECT_FALSE(IsPlainBoardString(board)) << RowsFromBoardString(board);
    EXPECT_FALSE(IsPlainBoardString(boards[0].substr(0, 80)));
    std::string solution;
    EXPECT_EQ(FastCount(BoardStringFromRows(test::kSolved), 0, &solution), 1);
    EXPECT_EQ(RowsFromBoardString(solution), test::kSolved);
    EXPECT_EQ(FastCountRows(BoardStringFromRows(test::kHard), 2, &solution), 1);
    EXPECT_EQ(solution, test::kHardSolution);
}

// Where the fast engine answers for the solver's operations, their answers stay the same; a
// context that logs keeps the search that its log lines show.
TEST(FastSearch, AnswersForTheSolverOperationsAlike) {
    std::string broken(test::kSolved);
    broken[1] = '1';
    for (const std::string_view rows : {test::kHard, test::kTwoSolutions, test::kNoSolution,
                                        std::string_view(broken), test::kSolved}) {
        SCOPED_TRACE(rows);
        std::string answers[2];
        for (const SearchEngine engine : {SearchEngine::Exact, SearchEngine::Fast}) {
            StandaloneSolver s;
            s.ctx.engine = engine;
            std::string& answer = answers[engine == SearchEngine::Fast];
            const auto load = [&] { test::SetRows(s.grid, rows); };
            load();
            const SolveOutcome outcome = SolveSuDoKu(s.ctx, {.randomOrder = false});
            answer += std::to_string(outcome == SolveOutcome::NoSolution) + GetSuDoKuString(s.grid);
            load();
            answer += std::to_string(static_cast<int>(RatePuzzle(s.ctx)));
            load();
            answer += std::to_string(CountSolutions(s.ctx, 0));
            std::string first;
            answer += std::to_string(SolutionsUpToTwo(s.ctx, &first)) + first;
        }
        EXPECT_EQ(answers[1], answers[0]);
    }
    std::vector<std::string> logged;
    StandaloneSolver s({.log = [&](std::string_view line) { logged.emplace_back(line); }});
    s.ctx.engine = SearchEngine::Fast;
    test::SetRows(s.grid, test::kHard);
    EXPECT_TRUE(HasUniqueSolution(s.ctx));
    EXPECT_EQ(logged, std::vector<std::string>{"Lösen... Lösung gefunden (1)."});
}

}  // namespace
}  // namespace zw
