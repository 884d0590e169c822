#include "solver/backtracking.h"

#include <gtest/gtest.h>

#include <deque>

#include "board/board_string.h"
#include "board/rules.h"
#include "platform/random.h"
#include "solver/candidates.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::CellTexts;
using test::kSolved;
using test::kTwoSolutions;
using test::SetRows;

constexpr std::string_view kThreeSolutions =
    "..34.6.8.4..7.91.3..9.23......67.......912....9453...73.72.59.8.......31.6834....";
constexpr std::string_view kEightSolutions =
    "123.5..8.....8......91234.6231....9..75912....9..3..17..7...9.8.4.897.319..3.....";
constexpr std::string_view kManySolutions =  // 34,869 solutions
    "1.....78.....89...78.....5....6...9.....1....6..53.2...................1968.4.57.";

// Hands out scripted numbers, then zeros.
class ScriptedRandom final : public RandomSource {
public:
    void Seed(std::uint64_t) override {}
    double Next() override {
        ++drawn;
        if (values.empty())
            return 0.0;
        const double r = values.front();
        values.pop_front();
        return r;
    }
    std::deque<double> values;
    int drawn = 0;
};

struct Search {
    Grid grid;
    bool cancel = false;
    CountingEventPump pump;
    ScriptedRandom random;
    std::vector<std::string> logged;
    SolverContext ctx{grid, cancel, pump,
                      [this](std::string_view line) { logged.emplace_back(line); }, random};
    std::string loesungen;
    std::int64_t Run(std::int64_t max, bool useRandom = false, bool showLogs = false) {
        loesungen.clear();
        return myBT(ctx, loesungen, {.max = max, .use_random = useRandom, .ShowLogs = showLogs});
    }
    std::string Solution(std::size_t i) const {
        return RowsFromBoardString(loesungen.substr(i * 83, 81));
    }
};

bool IsValidGrid(std::string_view rows) {
    Grid g;
    SetRows(g, rows);
    return rows.find('.') == std::string_view::npos && CountOpenCells(g) == 0 && RulesOk(g);
}

TEST(BackTrack, AscendingSearchOnEmptyBoardFindsTheSameGridEveryTime) {
    Search s;
    ASSERT_EQ(s.Run(1), 1);
    EXPECT_EQ(s.loesungen.size(), 83u);
    EXPECT_EQ(s.loesungen.substr(81), "\r\n");
    EXPECT_EQ(s.Solution(0), kSolved);
    EXPECT_EQ(s.random.drawn, 0);
    EXPECT_EQ(CellTexts(s.grid), CellTexts(Grid{}));
    ASSERT_EQ(s.Run(1), 1);
    EXPECT_EQ(s.Solution(0), kSolved);

    // In random order it is still one valid grid.
    ASSERT_EQ(s.Run(1, true), 1);
    EXPECT_TRUE(IsValidGrid(s.Solution(0)));
    EXPECT_GT(s.random.drawn, 0);
}

TEST(BackTrack, FullBoardsCountThemselvesOrNothing) {
    Search s;
    SetRows(s.grid, kSolved);
    EXPECT_EQ(s.Run(0), 1);
    EXPECT_EQ(s.Solution(0), kSolved);
    std::string broken(kSolved);
    std::swap(broken[0], broken[1]);
    SetRows(s.grid, broken);
    EXPECT_EQ(s.Run(0), 0);
    EXPECT_TRUE(s.loesungen.empty());
    // A dead end after propagation: (0,0) has no candidate left.
    SetRows(s.grid,
            ".23456789"
            "1........");
    EXPECT_EQ(s.Run(0), 0);
}

TEST(BackTrack, LimitStopsTheCount) {
    Search s;
    SetRows(s.grid, kTwoSolutions);
    EXPECT_EQ(s.Run(0), 2);
    EXPECT_EQ(s.Run(2), 2);
    EXPECT_NE(s.Solution(0), s.Solution(1));
    EXPECT_TRUE(IsValidGrid(s.Solution(0)) && IsValidGrid(s.Solution(1)));
    EXPECT_EQ(s.Run(1), 1);
    EXPECT_EQ(s.Run(-3), 2);
}

TEST(BackTrack, CountsPastSixteenBits) {
    Search s;
    SetRows(s.grid, kManySolutions);
    const std::string before = CellTexts(s.grid);
    // A bounded list keeps counting.
    s.ctx.keepSolutions = 10;
    EXPECT_EQ(s.Run(0), 34869);
    EXPECT_EQ(s.loesungen.size(), 10u * 83);
    EXPECT_EQ(CellTexts(s.grid), before);
}

TEST(BackTrack, LogsEachSolutionInOrder) {
    Search s;
    SetRows(s.grid, kThreeSolutions);
    const std::int64_t n = s.Run(0, false, true);
    ASSERT_EQ(n, 3);
    ASSERT_EQ(s.logged.size(), static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i)
        EXPECT_EQ(s.logged[i], "Lösen... Lösung gefunden (" + std::to_string(i + 1) + ").");
    s.logged.clear();
    s.Run(0, false, false);
    EXPECT_TRUE(s.logged.empty());
}

// One line per solution would fill memory on a nearly empty board: after the 100,000th line of
// a search one note follows, then the search only counts.
TEST(BackTrack, StopsLoggingSolutionsAfterOneHundredThousand) {
    Search s;
    s.ctx.keepSolutions = 0;
    std::int64_t lines = 0;
    std::string last, beforeLast;
    s.ctx.addLog = [&](std::string_view line) {
        ++lines;
        beforeLast = std::move(last);
        last = line;
    };
    EXPECT_EQ(s.Run(kLoggedSolutionsPerSearch + 5, false, true), kLoggedSolutionsPerSearch + 5);
    EXPECT_EQ(lines, kLoggedSolutionsPerSearch + 1);
    EXPECT_EQ(beforeLast, "Lösen... Lösung gefunden (100000).");
    EXPECT_EQ(last, "Lösen... Weitere Lösungen werden nur noch gezählt.");
    EXPECT_TRUE(s.loesungen.empty());
}

TEST(BackTrack, SolutionsAlreadyListedAreNotCountedAgain) {
    Search s;
    SetRows(s.grid, kTwoSolutions);
    s.Run(1);
    const std::string first = s.loesungen;
    std::string list = first;
    EXPECT_EQ(myBT(s.ctx, list, {}), 1);
    EXPECT_EQ(list.substr(0, 83), first);
    EXPECT_EQ(list.size(), 2u * 83);
    EXPECT_EQ(myBT(s.ctx, list, {}), 0);
}

TEST(BackTrack, RandomOrderRoundsHalfToEven) {
    Search s;
    SetRows(s.grid, kTwoSolutions);
    s.Run(0);
    const std::string ascendingFirst = s.Solution(0);
    const std::string ascendingSecond = s.Solution(1);
    // Two candidates: r = 0.5 gives 0.5, which rounds to 0: the first digit.
    s.random.values = {0.5};
    s.Run(1, true);
    EXPECT_EQ(s.Solution(0), ascendingFirst);
    s.random.values = {0.5000001};
    s.Run(1, true);
    EXPECT_EQ(s.Solution(0), ascendingSecond);
}

// The board after any call, cancelled at any pump call, is the board before it, candidate
// strings of the caller included.
TEST(BackTrack, CancelAtAnyPumpCallRestoresTheBoard) {
    Search full;
    SetRows(full.grid, kEightSolutions);
    UpdateCandidates(full.grid);
    const std::string before = CellTexts(full.grid);
    ASSERT_EQ(full.Run(0), 8);
    const long long calls = full.pump.calls;
    ASSERT_GT(calls, 3);
    for (long long k = 1; k <= calls; ++k) {
        Search s;
        SetRows(s.grid, kEightSolutions);
        UpdateCandidates(s.grid);
        s.pump.actAt = k;
        s.pump.action = [&] { s.cancel = true; };
        const std::int64_t n = s.Run(0);
        EXPECT_LT(n, 8);
        EXPECT_EQ(s.pump.calls, k) << "no level goes on after the cancel";
        EXPECT_EQ(CellTexts(s.grid), before) << k;
    }
    // Already cancelled: nothing at all happens.
    Search s;
    s.cancel = true;
    EXPECT_EQ(s.Run(0), 0);
    EXPECT_EQ(s.pump.calls, 0);
}

}  // namespace
}  // namespace zw
