// Puzzles made to a level: one solution, a score in the level's band, the same puzzle for the
// same seed.
#include "generator/level.h"

#include <gtest/gtest.h>

#include "solver/fast_search.h"

namespace zw {
namespace {

using techniques::Level;

bool OneSolution(const std::string& rows) {
    std::array<CellValue, kCellCount> cells{};
    for (int i = 0; i < kCellCount; ++i) {
        if (rows[static_cast<std::size_t>(i)] != '.')
            cells[static_cast<std::size_t>(i)] = DigitBit(rows[static_cast<std::size_t>(i)] - '0');
    }
    return FastCount(cells, 2) == 1;
}

TEST(LevelPuzzle, EveryLevelGivesOneSolutionAndAScoreInItsBand) {
#ifdef ZW_SANITIZED
    constexpr int kPerLevel = 2;
#else
    constexpr int kPerLevel = 12;
#endif
    for (int k = 0; k < techniques::kLevelCount; ++k) {
        const auto level = static_cast<Level>(k);
        const techniques::LevelBand band = techniques::Band(level);
        for (std::uint64_t seed = 1; seed <= kPerLevel; ++seed) {
            const LevelPuzzle p = MakeLevelPuzzle(level, seed * 7919);
            ASSERT_EQ(p.rows.size(), 81u);
            EXPECT_TRUE(OneSolution(p.rows)) << p.rows;
            const techniques::Score again = techniques::ScoreRows(p.rows);
            EXPECT_EQ(again.kind, techniques::ScoreKind::Rated) << p.rows;
            EXPECT_EQ(again.rating, p.score.rating) << p.rows;
            EXPECT_GE(p.score.rating, band.low) << p.rows;
            EXPECT_LE(p.score.rating, band.high) << p.rows;
        }
        EXPECT_EQ(MakeLevelPuzzle(level, 5).rows, MakeLevelPuzzle(level, 5).rows);
        EXPECT_NE(MakeLevelPuzzle(level, 5).rows, MakeLevelPuzzle(level, 6).rows);
    }
}

TEST(LevelPuzzle, AStopEndsTheSearchWithNoPuzzle) {
    int asked = 0;
    const LevelPuzzle p = MakeLevelPuzzle(Level::Extrem, 3, [&asked] { return ++asked > 1; });
    EXPECT_TRUE(p.rows.empty());
    EXPECT_EQ(asked, 2);
}

TEST(LevelPuzzle, RandomGridsAreCompleteAndDiffer) {
    std::uint64_t state = 42;
    const std::string a = RandomSolutionGrid(state), b = RandomSolutionGrid(state);
    EXPECT_NE(a, b);
    for (const std::string& grid : {a, b}) {
        EXPECT_EQ(grid.find('.'), std::string::npos);
        EXPECT_TRUE(OneSolution(grid)) << grid;  // a full grid that keeps the rules
    }
}

}  // namespace
}  // namespace zw
