#include "board/board_string.h"

#include <gtest/gtest.h>

#include "board/grid.h"

namespace zw {
namespace {

TEST(BoardString, RunsDownTheColumnsAndKeepsOneCharacterPerCell) {
    Grid grid;
    SetSuDoKuString(grid, "123456789");
    EXPECT_EQ(grid.Text(8, 0), "9");
    EXPECT_EQ(grid.Text(0, 1), "");
    EXPECT_EQ(GetSuDoKuString(grid), "123456789" + std::string(72, ' '));

    // A letter, a zero, a tab, an umlaut and a character outside the BMP, each one cell; only
    // digits read back. Characters after the 81st are ignored.
    SetSuDoKuString(grid, "x0\t\xC3\xA4\xF0\x9F\x98\x80" + std::string(76, '5') + "777");
    EXPECT_EQ(grid.Text(3, 0), "\xC3\xA4");
    EXPECT_EQ(grid.Text(4, 0), "\xF0\x9F\x98\x80");
    EXPECT_EQ(GetSuDoKuString(grid), " 0   " + std::string(76, '5'));
    EXPECT_EQ(CountOpenCells(grid), 0);

    // Malformed UTF-8 costs one cell per bad byte and never more than 81 cells.
    SetSuDoKuString(grid, std::string(1000, '\xFF'));
    EXPECT_EQ(CountOpenCells(grid), 0);
    SetSuDoKuString(grid, "");
    EXPECT_EQ(CountOpenCells(grid), 81);
}

TEST(BoardString, CandidateStringsAreOpenAndRowsConvertBothWays) {
    Grid grid;
    ASSERT_TRUE(grid.SetText(4, 4, "245"));
    EXPECT_EQ(GetSuDoKuString(grid)[4 * 9 + 4], ' ');
    EXPECT_EQ(CountOpenCells(grid), 81);

    const std::string rows = "1" + std::string(79, '.') + "9";
    EXPECT_EQ(BoardStringFromRows("..3")[18], '3');
    EXPECT_EQ(RowsFromBoardString(BoardStringFromRows(rows)), rows);
}

}  // namespace
}  // namespace zw
