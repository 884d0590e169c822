#include "files/paste.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/board_string.h"

namespace zw {
namespace {

// A 9 x 9 block as a spreadsheet copies it: row r holds r+1 in cell r, row 0 holds 7 in cell 8,
// the other cells are empty.
std::string Block(std::string_view rowEnd, bool finalEnd) {
    std::string text;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            if (c > 0)
                text += '\t';
            if (c == r || (r == 0 && c == 8))
                text += c == r ? static_cast<char>('1' + r) : '7';
        }
        if (r < 8 || finalEnd)
            text += rowEnd;
    }
    return text;
}

TEST(Paste, AcceptedForms) {
    const std::string digits = std::string(40, ' ') + std::string(41, '4');
    EXPECT_EQ(BoardFromPaste(digits), digits) << "the board string runs down the columns";
    // Cells of several characters contribute all of them; empty rows contribute nothing.
    EXPECT_TRUE(BoardFromPaste(std::string(40, '1') + "\r\n\r\n" + std::string(41, '2')));
    // Rows end in CR LF, or in LF as spreadsheets on Linux and Qt on Windows give them.
    for (const std::string& block : {Block("\r\n", false), Block("\r\n", true), Block("\n", false),
                                     Block("\n", true), Block("\n", false) + "\r\n"}) {
        const std::optional<std::string> board = BoardFromPaste(block);
        ASSERT_TRUE(board) << block;
        EXPECT_EQ(RowsFromBoardString(*board, ' ').substr(0, 11), "1       7 2")
            << "a spreadsheet's row r, cell c is the board's row r, column c";
    }
}

// Puzzles as people exchange them are read row by row; "." and "0" are blanks.
TEST(Paste, ExchangedPuzzlesAreReadRowByRow) {
    const std::string rows = "1.3" + std::string(77, '.') + "9";
    const std::string board = BoardStringFromRows(rows);
    std::string grid;  // the same puzzle as a grid with box lines
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c)
            grid += rows.substr(static_cast<std::size_t>(r * 9 + c), 1) + (c == 2 || c == 5 ? "|" : "");
        grid += r == 2 || r == 5 ? "\r\n---+---+---\r\n" : "\r\n";
    }
    std::string zeros = rows;
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    for (const std::string& text : {rows, zeros, rows + "\n", zeros + "\r\n", grid})
        EXPECT_EQ(BoardFromPaste(text), board) << text;
    EXPECT_EQ(BoardFromPaste(std::string(81, '0')), std::string(81, ' '));

    for (const std::string& text : {rows.substr(1), rows + "x", "x" + rows.substr(1),
                                    grid + "123|456|789\r\n", grid + "Seite 2\r\n",
                                    rows + "\n\n"})
        EXPECT_FALSE(BoardFromPaste(text)) << text;
}

TEST(Paste, RefusedForms) {
    std::string shifted = Block("\n", false);  // 81 cells, but one moved to the second row
    shifted.erase(1, 1);
    shifted.insert(shifted.find('\n') + 1, "\t");
    const std::vector<std::string> refused = {
        "",
        std::string(80, '1'),
        std::string(82, '1'),
        std::string(80, '1') + "a",
        std::string(80, '1') + "+",
        std::string(79, '1') + "1,",
        std::string(80, '1') + "\xC3\xA4",                   // 81 characters, one no digit
        std::string(40, '1') + "\n" + std::string(41, '1'),  // LF ends block rows only
        std::string(81, '1') + "\n",
        Block("\n", true) + "\n",
        Block("\n\n", false),
        shifted,
        Block("\r\n", false) + "\t",
        std::string(1 << 20, '\t'),
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(BoardFromPaste(text)) << text.substr(0, 100);
}

}  // namespace
}  // namespace zw
