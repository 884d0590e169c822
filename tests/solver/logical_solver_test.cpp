#include "solver/logical_solver.h"

#include <gtest/gtest.h>

#include "solver/candidates.h"
#include "solver/naked_pairs.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::SetRows;
using Solver = test::LoggedSolver;

TEST(SolveLogical, PairEliminationsDoNotCarryAPassWhoseSinglesChangedNothing) {
    Solver s;
    SetRows(s.s.grid,
            "2.3....8........75.9.....4.7.8...2..13........497...1...18.543..5.9.1...3....7...");
    while (UpdateCandidates(s.s.grid) != 0) {
    }
    Grid probe = s.s.grid;
    ASSERT_GT(ApplyPairs(probe), 0);
    ASSERT_GT(UpdateCandidates(probe), 0);  // the pairs would let the singles go on
    EXPECT_FALSE(SolveLogical(s.s.ctx));    // but this pass's singles changed nothing
    EXPECT_EQ(ApplyPairs(s.s.grid), 0);     // the pair work was done and kept
}

TEST(SolveLogical, CancelAtEveryPumpCallStopsThereWithTheWorkSoFar) {
    Solver full;
    SetRows(full.s.grid, test::kHard);
    SolveLogical(full.s.ctx);
    ASSERT_GE(full.pump.calls, 2);
    for (long long k = 1; k <= full.pump.calls; ++k) {
        Solver s;
        SetRows(s.s.grid, test::kHard);
        s.pump.actAt = k;
        s.pump.action = [&] { s.s.cancel = true; };
        EXPECT_FALSE(SolveLogical(s.s.ctx));
        EXPECT_EQ(s.pump.calls, k);
        int candidateStrings = 0;
        for (int i = 0; i < kCellCount; ++i)
            candidateStrings += TextLength(s.s.grid.ValueAt(i)) >= 2 ? 1 : 0;
        EXPECT_GT(candidateStrings, 0) << k;
    }
}

}  // namespace
}  // namespace zw
