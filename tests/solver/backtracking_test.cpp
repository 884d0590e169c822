#include "solver/backtracking.h"

#include <gtest/gtest.h>

#include "board/board_string.h"
#include "solver/candidates.h"
#include "support/test_board.h"

namespace zw {
namespace {

using namespace test;

constexpr std::string_view kThreeSolutions =
    "..34.6.8.4..7.91.3..9.23......67.......912....9453...73.72.59.8.......31.6834....";
constexpr std::string_view kEightSolutions =
    "123.5..8.....8......91234.6231....9..75912....9..3..17..7...9.8.4.897.319..3.....";
constexpr std::string_view kManySolutions =  // 34,869 solutions
    "1.....78.....89...78.....5....6...9.....1....6..53.2...................1968.4.57.";

struct Search : LoggedSolver {
    std::string loesungen;
    std::int64_t Run(BackTrackOptions options) {
        loesungen.clear();
        return myBT(s.ctx, loesungen, options);
    }
};

TEST(BackTrack, CountsUpToTheLimitAndLeavesTheBoardAsItWas) {
    std::string broken(test::kSolved);
    std::swap(broken[0], broken[1]);
    const struct {
        std::string_view rows;
        std::int64_t max, count;
    } cases[] = {
        {test::kSolved, 0, 1},  {broken, 0, 0},
        {".23456789" "1........", 0, 0},  // (0,0) has no candidate left
        {test::kTwoSolutions, 0, 2},      {test::kTwoSolutions, 1, 1},
        {test::kTwoSolutions, -3, 2},     {kManySolutions, 0, 34869},
    };
    for (const auto& c : cases) {
        Search s;
        SetRows(s.s.grid, c.rows);
        s.s.ctx.keepSolutions = 10;  // a bounded list keeps counting
        const std::string before = CellTexts(s.s.grid);
        EXPECT_EQ(s.Run({.max = c.max}), c.count) << c.rows;
        EXPECT_EQ(s.loesungen.size(), std::min<std::size_t>(c.count, 10) * 83) << c.rows;
        EXPECT_EQ(CellTexts(s.s.grid), before) << c.rows;
        EXPECT_EQ(s.loesungen.substr(0, 81).find(' '), std::string::npos) << c.rows;
    }
}

TEST(BackTrack, LogsEachSolutionInOrderUpToOneHundredThousand) {
    Search s;
    SetRows(s.s.grid, kThreeSolutions);
    ASSERT_EQ(s.Run({.ShowLogs = true}), 3);
    EXPECT_EQ(s.logged, (std::vector<std::string>{"Lösen... Lösung gefunden (1).",
                                                   "Lösen... Lösung gefunden (2).",
                                                   "Lösen... Lösung gefunden (3)."}));
    s.logged.clear();
    s.Run({});
    EXPECT_TRUE(s.logged.empty());

    // One line per solution would fill memory on a nearly empty board.
    Search e;
    e.s.ctx.keepSolutions = 0;
    EXPECT_EQ(e.Run({.max = kLoggedSolutionsPerSearch + 5, .ShowLogs = true}),
              kLoggedSolutionsPerSearch + 5);
    ASSERT_EQ(e.logged.size(), static_cast<std::size_t>(kLoggedSolutionsPerSearch + 1));
    EXPECT_EQ(e.logged[kLoggedSolutionsPerSearch - 1], "Lösen... Lösung gefunden (100000).");
    EXPECT_EQ(e.logged.back(), "Lösen... Weitere Lösungen werden nur noch gezählt.");
}

// Cancelled at any pump call, no level goes on and the board is the board before, candidate
// strings of the caller included.
TEST(BackTrack, CancelAtEveryPumpCallRestoresTheBoard) {
    Search full;
    SetRows(full.s.grid, kEightSolutions);
    UpdateCandidates(full.s.grid);
    const std::string before = CellTexts(full.s.grid);
    ASSERT_EQ(full.Run({}), 8);
    ASSERT_GT(full.pump.calls, 3);
    for (long long k = 0; k <= full.pump.calls; ++k) {
        Search s;
        SetRows(s.s.grid, kEightSolutions);
        UpdateCandidates(s.s.grid);
        s.s.cancel = k == 0;  // already cancelled: nothing at all happens
        s.pump.actAt = k;
        s.pump.action = [&] { s.s.cancel = true; };
        EXPECT_LT(s.Run({}), 8);
        EXPECT_EQ(s.pump.calls, k);
        EXPECT_EQ(CellTexts(s.s.grid), before) << k;
    }
}

}  // namespace
}  // namespace zw
