// The real solver against the literal one, on real puzzle sets: the cell texts the logic leaves
// (solved or stuck), the solutions the search finds in order, and their counts must agree.
#include <gtest/gtest.h>

#include <sstream>

#include "reference/reference_solver.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"
#include "solver/solver_context.h"
#include "support/test_board.h"

namespace zw {
namespace {

// The cell texts as test::CellTexts writes them.
std::string Texts(const reference::Board& b) {
    std::string out;
    for (int i = 0; i < 81; ++i)
        out += b[i] + (i % 9 == 8 ? "\n" : "|");
    return out;
}

// Every n-th puzzle of a set, so each set is sampled across its whole length.
std::vector<std::string> Sample(const std::string& name, std::size_t count) {
    const auto all = test::ReadPuzzleLines(test::PuzzleFile(name));
    std::vector<std::string> out;
    for (std::size_t i = 0; i < all.size(); i += all.size() / count + 1)
        out.push_back(all[i]);
    return out;
}

class Agreement : public ::testing::TestWithParam<const char*> {};

TEST_P(Agreement, LogicLeavesTheSameTextsAndTheSearchFindsTheSameFirstSolutions) {
    for (const std::string& rows : Sample(GetParam(), 100)) {
        StandaloneSolver real;
        test::SetRows(real.grid, rows);
        reference::Board ref = reference::FromRows(rows);
        EXPECT_EQ(SolveLogical(real.ctx), reference::SolveLogical(ref)) << rows;
        ASSERT_EQ(test::CellTexts(real.grid), Texts(ref)) << rows;

        StandaloneSolver search;
        test::SetRows(search.grid, rows);
        reference::Board refSearch = reference::FromRows(rows);
        std::string refList, realList;
        EXPECT_EQ(myBT(search.ctx, realList, {.max = 2}), reference::myBT(refSearch, refList, 2));
        EXPECT_EQ(realList, refList) << rows;
        EXPECT_EQ(test::CellTexts(search.grid), Texts(refSearch)) << "board restored: " << rows;
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, Agreement,
                         ::testing::Values("top95.txt", "hardest.txt", "17clue.txt",
                                           "qqwing-simple.txt", "qqwing-easy.txt",
                                           "qqwing-intermediate.txt", "qqwing-expert.txt",
                                           "multi.txt"));

// Every solution in order on multi.txt puzzles with at most 600 solutions (multi.counts gives
// each line's count); on those with at most 300 also in the order the same random numbers draw.
TEST(Agreement, AllSolutionsInOrderOnBoardsWithMany) {
    const auto all = test::ReadPuzzleLines(test::PuzzleFile("multi.txt"));
    std::istringstream counts(test::ReadFile(test::PuzzleFile("multi.counts")));
    long long n = 0;
    int checked = 0;
    for (std::size_t i = 0; i < all.size() && checked < 8 && counts >> n; ++i) {
        if (n > 600)
            continue;
        ++checked;
        for (bool random : {false, true}) {
            if (random && n > 300)
                continue;
            StandaloneSolver real;
            real.random.Seed(1);
            MersenneRandom refRandom{1};
            test::SetRows(real.grid, all[i]);
            reference::Board ref = reference::FromRows(all[i]);
            std::string refList, realList;
            const long long refCount = reference::myBT(
                ref, refList, 0, random ? [&] { return refRandom.Next(); } : std::function<double()>());
            EXPECT_EQ(myBT(real.ctx, realList, {.use_random = random}), refCount) << all[i];
            EXPECT_EQ(realList, refList) << all[i];
        }
    }
    EXPECT_EQ(checked, 8) << "multi.counts names too few puzzles with few solutions";
}

}  // namespace
}  // namespace zw
