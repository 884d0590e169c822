#include "solver/logical_solver.h"

#include <gtest/gtest.h>

#include "board/board_string.h"
#include "board/rules.h"
#include "platform/random.h"
#include "solver/candidates.h"
#include "solver/naked_pairs.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::CellTexts;
using test::kSolved;
using test::SetRows;

struct Solver {
    Grid grid;
    bool cancel = false;
    CountingEventPump pump;
    MersenneRandom random;
    SolverContext ctx{grid, cancel, pump, {}, random};
};

TEST(NakedPairs, PairTakesItsDigitsFromTheRestOfTheRow) {
    Grid grid;
    SetRows(grid, ".126.8.9.");
    grid.SetText(0, 0, "37");
    grid.SetText(0, 4, "37");
    grid.SetText(0, 6, "347");
    grid.SetText(0, 8, "1357");
    Grid copy = grid;
    EXPECT_EQ(ApplyPairs(grid), 4);
    EXPECT_EQ(grid.Text(0, 6), "4");
    EXPECT_EQ(grid.Text(0, 8), "15");
    EXPECT_EQ(grid.Text(0, 0), "37");
    EXPECT_EQ(grid.Text(0, 4), "37");
    EXPECT_EQ(ApplyPairs(grid), 0);
    // All of it happens in the visit of (0,0), through its partner; (0,4) finds nothing left.
    bool nested = false;
    EXPECT_EQ(EliminatePair(copy, 0, 0, nested), 4);
    EXPECT_FALSE(nested);
    EXPECT_EQ(EliminatePair(copy, 0, 4, nested), 0);
}

TEST(NakedPairs, PairSharingRowAndBoxClearsBoth) {
    Grid grid;
    grid.SetText(0, 0, "12");
    grid.SetText(0, 1, "12");
    grid.SetText(0, 5, "1256");  // row only
    grid.SetText(2, 2, "249");   // box only
    grid.SetText(5, 0, "129");   // column of (0,0) only: not a unit of the pair
    grid.SetText(1, 1, "3");     // placed: never touched
    EXPECT_EQ(ApplyPairs(grid), 3);
    EXPECT_EQ(grid.Text(0, 5), "56");
    EXPECT_EQ(grid.Text(2, 2), "49");
    EXPECT_EQ(grid.Text(5, 0), "129");
    EXPECT_EQ(grid.Text(1, 1), "3");
}

TEST(SolveLogical, SolvedBrokenAndCancelledBoardsAreLeftAlone) {
    Solver s;
    SetRows(s.grid, kSolved);
    EXPECT_TRUE(SolveLogical(s.ctx));
    EXPECT_EQ(RowsFromBoardString(GetSuDoKuString(s.grid)), kSolved);

    std::string broken(kSolved);
    std::swap(broken[0], broken[1]);  // two digits swapped: columns repeat digits
    SetRows(s.grid, broken);
    EXPECT_FALSE(SolveLogical(s.ctx));
    EXPECT_EQ(RowsFromBoardString(GetSuDoKuString(s.grid)), broken);
    EXPECT_EQ(s.pump.calls, 0);

    SetRows(s.grid, "1.......");
    s.cancel = true;
    EXPECT_FALSE(SolveLogical(s.ctx));
    EXPECT_EQ(CellTexts(s.grid).substr(0, 5), "1||||");
}

TEST(SolveLogical, SolvesWhatSinglesAndPairsReachAndLeavesCandidatesOtherwise) {
    Solver s;
    // qqwing's "simple" puzzles need nothing beyond singles.
    const auto simple = test::ReadPuzzleLines(test::PuzzleFile("qqwing-simple.txt"), 5);
    ASSERT_EQ(simple.size(), 5u);
    for (const auto& rows : simple) {
        SetRows(s.grid, rows);
        EXPECT_TRUE(SolveLogical(s.ctx)) << rows;
        EXPECT_EQ(CountOpenCells(s.grid), 0);
    }
    // A hard one gets stuck: open cells keep their candidate strings, placed digits stay.
    SetRows(s.grid, test::kHard);
    EXPECT_FALSE(SolveLogical(s.ctx));
    EXPECT_GT(CountOpenCells(s.grid), 0);
    EXPECT_EQ(s.grid.Text(0, 0), "4");
    for (int i = 0; i < kCellCount; ++i) {
        if (!IsPlaced(s.grid.ValueAt(i))) {
            EXPECT_GE(TextLength(s.grid.ValueAt(i)), 2) << i;
        }
    }
}

TEST(SolveLogical, PairEliminationsDoNotCarryAPassWhoseSinglesChangedNothing) {
    Solver s;
    SetRows(s.grid,
            "2.3....8........75.9.....4.7.8...2..13........497...1...18.543..5.9.1...3....7...");
    // Settle the singles first, as an earlier stuck run would have left the board.
    while (UpdateCandidates(s.grid) != 0) {
    }
    Grid probe = s.grid;
    ASSERT_GT(ApplyPairs(probe), 0);
    ASSERT_GT(UpdateCandidates(probe), 0);  // the pairs would let the singles go on

    EXPECT_FALSE(SolveLogical(s.ctx));  // but this pass's singles changed nothing
    EXPECT_EQ(ApplyPairs(s.grid), 0);   // the pair work was done and kept
    EXPECT_GT(UpdateCandidates(s.grid), 0);
}

TEST(SolveLogical, CancelAtAPumpCallStopsWithTheWorkSoFar) {
    const std::string puzzle(test::kHard);
    Solver full;
    SetRows(full.grid, puzzle);
    SolveLogical(full.ctx);
    ASSERT_GE(full.pump.calls, 2);
    for (long long k = 1; k <= full.pump.calls; ++k) {
        Solver s;
        SetRows(s.grid, puzzle);
        s.pump.actAt = k;
        s.pump.action = [&] { s.cancel = true; };
        EXPECT_FALSE(SolveLogical(s.ctx));
        EXPECT_EQ(s.pump.calls, k);  // stops right after the pump that cancelled
        int candidateStrings = 0;
        for (int i = 0; i < kCellCount; ++i)
            candidateStrings += TextLength(s.grid.ValueAt(i)) >= 2 ? 1 : 0;
        EXPECT_GT(candidateStrings, 0) << k;
    }
}

}  // namespace
}  // namespace zw
