#include "board/board_string.h"

#include <algorithm>
#include <array>

#include "board/utf8.h"

namespace zw {

namespace {
// Board-string position k names row k mod 9, column k div 9.
constexpr int CellOfPosition(int k) {
    return CellIndex(k % kGridSize, k / kGridSize);
}

// A character of a row-by-row text as a board string holds it: a digit 1-9 stays, anything
// else is a blank.
constexpr std::array<char, 256> kGivenOfChar = [] {
    std::array<char, 256> given{};
    given.fill(' ');
    for (char digit = '1'; digit <= '9'; ++digit)
        given[static_cast<unsigned char>(digit)] = digit;
    return given;
}();
}  // namespace

void SetSuDoKuString(Grid& grid, std::string_view suDoKu) {
    std::array<CellValue, kCellCount> cells{};
    std::size_t pos = 0;
    for (int k = 0; k < kBoardStringLength && pos < suDoKu.size(); ++k) {
        const char32_t ch = NextCodePoint(suDoKu, pos);
        cells[CellOfPosition(k)] = ch == U' ' ? kEmptyCell : ValueOfChar(ch);
    }
    grid.SetValues(cells);
}

void GetSuDoKuString(const Grid& grid, char* out) {
    for (int k = 0; k < kBoardStringLength; ++k) {
        const CellValue v = grid.ValueAt(CellOfPosition(k));
        const int digit = PlacedDigit(v);
        if (digit != 0) {
            out[k] = static_cast<char>('0' + digit);
        } else {
            out[k] = v == (kCharFlag | U'0') ? '0' : ' ';
        }
    }
}

std::string GetSuDoKuString(const Grid& grid) {
    std::string s(kBoardStringLength, ' ');
    GetSuDoKuString(grid, s.data());
    return s;
}

int CountOpenCells(const Grid& grid) {
    int open = 0;
    for (CellValue v : grid.Values()) {
        if (!IsPlaced(v))
            ++open;
    }
    return open;
}

void ClearBoard(Grid& grid) {
    SetSuDoKuString(grid, std::string(kBoardStringLength, ' '));
}

void BoardStringFromRows(std::string_view rows, char* out) {
    if (rows.size() < kBoardStringLength) {  // the cells past its end are blanks
        std::array<char, kBoardStringLength> whole;
        whole.fill(' ');
        std::copy(rows.begin(), rows.end(), whole.begin());
        BoardStringFromRows(std::string_view(whole.data(), whole.size()), out);
        return;
    }
    // A fixed loop without a branch per digit: a command line reads its puzzles through here
    // by the million.
    for (std::size_t row = 0, i = 0; row < kGridSize; ++row) {
        for (std::size_t col = 0; col < kGridSize; ++col, ++i)
            out[col * kGridSize + row] = kGivenOfChar[static_cast<unsigned char>(rows[i])];
    }
}

std::string BoardStringFromRows(std::string_view rows) {
    std::string board(kBoardStringLength, ' ');
    BoardStringFromRows(rows, board.data());
    return board;
}

std::string RowsFromBoardString(std::string_view board, char blank) {
    std::string rows(kBoardStringLength, blank);
    for (int k = 0; k < kBoardStringLength && k < static_cast<int>(board.size()); ++k) {
        const char ch = board[static_cast<std::size_t>(k)];
        rows[static_cast<std::size_t>(CellOfPosition(k))] = ch >= '0' && ch <= '9' ? ch : blank;
    }
    return rows;
}

}  // namespace zw
