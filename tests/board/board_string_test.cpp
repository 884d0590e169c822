#include "board/board_string.h"

#include <gtest/gtest.h>

#include "board/grid.h"

namespace zw {
namespace {

TEST(BoardString, ReadsColumnByColumn) {
    Grid grid;
    SetSuDoKuString(grid, "123456789");
    for (int r = 0; r < 9; ++r)
        EXPECT_EQ(grid.Text(r, 0), std::string(1, char('1' + r)));
    EXPECT_EQ(grid.Text(0, 1), "");
    EXPECT_EQ(GetSuDoKuString(grid), "123456789" + std::string(72, ' '));

    ClearBoard(grid);
    grid.SetText(0, 1, "5");
    EXPECT_EQ(GetSuDoKuString(grid), std::string(9, ' ') + "5" + std::string(71, ' '));
}

TEST(BoardString, ShortLongAndEmptyStrings) {
    Grid grid;
    SetSuDoKuString(grid, std::string(80, '4'));
    EXPECT_EQ(grid.Text(7, 8), "4");
    EXPECT_EQ(grid.Text(8, 8), "");

    SetSuDoKuString(grid, std::string(81, '3') + std::string(19, '7'));
    EXPECT_EQ(GetSuDoKuString(grid), std::string(81, '3'));

    SetSuDoKuString(grid, "");
    EXPECT_EQ(CountOpenCells(grid), 81);
    EXPECT_EQ(GetSuDoKuString(grid), std::string(81, ' '));
}

TEST(BoardString, OddCharactersAreStoredButReadBackAsBlanks) {
    Grid grid;
    // A letter, a zero, a tab, an umlaut and a character outside the BMP, each one cell.
    SetSuDoKuString(grid,
                    "x0\tä\xF0\x9F\x98\x80"
                    "5");
    EXPECT_EQ(grid.Text(0, 0), "x");
    EXPECT_EQ(grid.Text(1, 0), "0");
    EXPECT_EQ(grid.Text(2, 0), "\t");
    EXPECT_EQ(grid.Text(3, 0), "ä");
    EXPECT_EQ(grid.Text(4, 0), "\xF0\x9F\x98\x80");
    EXPECT_EQ(grid.Text(5, 0), "5");
    EXPECT_EQ(GetSuDoKuString(grid).substr(0, 7), " 0   5 ");
    EXPECT_EQ(CountOpenCells(grid), 81 - 6);

    // Malformed UTF-8 costs one cell per bad byte and never more than 81 cells.
    SetSuDoKuString(grid, std::string(1000, '\xFF'));
    EXPECT_EQ(CountOpenCells(grid), 0);
}

TEST(BoardString, DigitsAndBlanksRoundTrip) {
    Grid grid;
    std::string s;
    for (int k = 0; k < 81; ++k)
        s += k % 3 == 0 ? ' ' : char('0' + k % 10);
    SetSuDoKuString(grid, s);
    EXPECT_EQ(GetSuDoKuString(grid), s);
}

TEST(BoardString, CandidateStringsAreOpen) {
    Grid grid;
    ASSERT_TRUE(grid.SetText(4, 4, "245"));
    EXPECT_EQ(grid.Text(4, 4), "245");
    EXPECT_EQ(GetSuDoKuString(grid)[4 * 9 + 4], ' ');
    EXPECT_EQ(CountOpenCells(grid), 81);
    SetSuDoKuString(grid, std::string(81, '9'));
    EXPECT_EQ(CountOpenCells(grid), 0);
}

TEST(BoardString, RowMajorPuzzleLines) {
    const std::string rows = "1........" + std::string(63, '.') + "........9";
    const std::string board = BoardStringFromRows(rows);
    EXPECT_EQ(board[0], '1');
    EXPECT_EQ(board[80], '9');
    EXPECT_EQ(RowsFromBoardString(board), rows);
}

TEST(GridSetUp, SquareCellsShadedBoxesCentredText) {
    Grid grid;
    grid.SetCurrent(5, 5);
    SetUpGrid(grid);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 0);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(grid.ColWidth(i), grid.RowHeight(0));
        EXPECT_EQ(grid.RowHeight(i), grid.RowHeight(0));
    }
    EXPECT_EQ(grid.Background(0, 3), kBoxShading);
    EXPECT_EQ(grid.Background(4, 0), kBoxShading);
    EXPECT_EQ(grid.Background(4, 4), kWindowBackground);
    EXPECT_EQ(grid.Background(8, 8), kWindowBackground);
    EXPECT_EQ(grid.CellAlignment(7, 2), Alignment::CenterTop);
}

}  // namespace
}  // namespace zw
