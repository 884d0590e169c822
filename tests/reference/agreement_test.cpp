// The real solver against the literal one, on real puzzle sets: the cell texts the logic leaves
// (solved or stuck), the first solution of the ascending search, and counts with and without a
// limit must agree exactly.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "board/board_string.h"
#include "platform/random.h"
#include "reference/reference_solver.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"
#include "support/test_board.h"

namespace zw {
namespace {

struct Real {
    Grid grid;
    bool cancel = false;
    NoEventPump pump;
    MersenneRandom random{1};
    SolverContext ctx{grid, cancel, pump, {}, random};
};

std::string Texts(const reference::Board& b) {
    std::string out;
    for (const std::string& t : b.cells)
        out += t + "|";
    return out;
}

std::string Texts(const Grid& g) {
    std::string out;
    for (int i = 0; i < kCellCount; ++i)
        out += TextOfValue(g.ValueAt(i)) + "|";
    return out;
}

// Every n-th puzzle of a set, so each set is sampled across its whole length.
std::vector<std::string> Sample(const std::string& name, std::size_t count) {
    const auto all = test::ReadPuzzleLines(test::PuzzleFile(name));
    std::vector<std::string> out;
    const std::size_t step = all.size() / count + 1;
    for (std::size_t i = 0; i < all.size(); i += step)
        out.push_back(all[i]);
    return out;
}

class Agreement : public ::testing::TestWithParam<const char*> {};

TEST_P(Agreement, LogicLeavesTheSameTextsAndTheSearchFindsTheSameFirstSolution) {
    const auto puzzles = Sample(GetParam(), 100);
    reference::Hooks hooks;
    for (const std::string& rows : puzzles) {
        Real real;
        test::SetRows(real.grid, rows);
        reference::Board ref = reference::FromRows(rows);
        const bool refSolved = reference::SolveLogical(ref, hooks);
        EXPECT_EQ(SolveLogical(real.ctx), refSolved) << rows;
        ASSERT_EQ(Texts(real.grid), Texts(ref)) << rows;

        Real search;
        test::SetRows(search.grid, rows);
        reference::Board refSearch = reference::FromRows(rows);
        std::string refList, realList;
        const long long refCount = reference::myBT(refSearch, refList, 2, false, hooks);
        EXPECT_EQ(myBT(search.ctx, realList, {.max = 2}), refCount) << rows;
        EXPECT_EQ(realList, refList) << rows;
        EXPECT_EQ(Texts(search.grid), Texts(refSearch)) << "board restored: " << rows;
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, Agreement,
                         ::testing::Values("top95.txt", "hardest.txt", "17clue.txt",
                                           "qqwing-simple.txt", "qqwing-easy.txt",
                                           "qqwing-intermediate.txt", "qqwing-expert.txt",
                                           "multi.txt"));

// multi.txt puzzles with at most `most` solutions (multi.counts gives each line's count).
std::vector<std::string> FewSolutions(long long most, std::size_t count) {
    const auto all = test::ReadPuzzleLines(test::PuzzleFile("multi.txt"));
    std::ifstream counts = test::OpenPuzzleFile("multi.counts");
    std::vector<std::string> out;
    long long n = 0;
    for (std::size_t i = 0; i < all.size() && out.size() < count && counts >> n; ++i) {
        if (n <= most)
            out.push_back(all[i]);
    }
    if (out.size() < count)
        throw std::runtime_error("multi.counts names too few puzzles with few solutions");
    return out;
}

TEST(AgreementCounts, AllSolutionsInOrderOnBoardsWithMany) {
    const auto puzzles = FewSolutions(600, 8);
    reference::Hooks hooks;
    for (const std::string& rows : puzzles) {
        Real real;
        test::SetRows(real.grid, rows);
        reference::Board ref = reference::FromRows(rows);
        std::string refList, realList;
        const long long refCount = reference::myBT(ref, refList, 0, false, hooks);
        EXPECT_EQ(myBT(real.ctx, realList, {}), refCount) << rows;
        EXPECT_EQ(realList, refList) << rows;
    }
}

TEST(AgreementCounts, RandomOrderDrawsTheSameDigits) {
    // Same random numbers in, same order of solutions out.
    const auto puzzles = FewSolutions(300, 4);
    for (const std::string& rows : puzzles) {
        Real real;
        test::SetRows(real.grid, rows);
        MersenneRandom refRandom{1};
        reference::Hooks hooks;
        hooks.random = [&] { return refRandom.Next(); };
        reference::Board ref = reference::FromRows(rows);
        std::string refList, realList;
        reference::myBT(ref, refList, 0, true, hooks);
        myBT(real.ctx, realList, {.use_random = true});
        EXPECT_EQ(realList, refList) << rows;
    }
}

}  // namespace
}  // namespace zw
