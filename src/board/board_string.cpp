#include "board/board_string.h"

#include <algorithm>

#include "board/utf8.h"

namespace zw {

namespace {
// Board-string position k names row k mod 9, column k div 9.
constexpr int CellOfPosition(int k) {
    return CellIndex(k % kGridSize, k / kGridSize);
}
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

std::string BoardStringFromRows(std::string_view rows) {
    std::string board(kBoardStringLength, ' ');
    for (int i = 0; i < kBoardStringLength && i < static_cast<int>(rows.size()); ++i) {
        const char ch = rows[static_cast<std::size_t>(i)];
        const int row = i / kGridSize;
        const int col = i % kGridSize;
        board[static_cast<std::size_t>(col * kGridSize + row)] = ch >= '1' && ch <= '9' ? ch : ' ';
    }
    return board;
}

std::string RowsFromBoardString(std::string_view board, char blank) {
    std::string rows;
    rows.reserve(kBoardStringLength + 1);  // room for a line end after it
    rows.assign(kBoardStringLength, blank);
    const int length = std::min(kBoardStringLength, static_cast<int>(board.size()));
    for (int col = 0, k = 0; col < kGridSize; ++col) {
        for (int row = 0; row < kGridSize && k < length; ++row, ++k) {
            const char ch = board[static_cast<std::size_t>(k)];
            rows[static_cast<std::size_t>(row * kGridSize + col)] =
                ch >= '0' && ch <= '9' ? ch : blank;
        }
    }
    return rows;
}

}  // namespace zw
