#include "board/grid.h"

#include "board/utf8.h"

namespace zw {

CellValue ValueOfChar(char32_t ch) {
    if (ch >= U'1' && ch <= U'9')
        return DigitBit(static_cast<int>(ch - U'0'));
    return kCharFlag | static_cast<CellValue>(ch);
}

std::string TextOfValue(CellValue v) {
    std::string text;
    if (v & kCharFlag) {
        AppendUtf8(text, static_cast<char32_t>(v & ~kCharFlag));
        return text;
    }
    for (int d = 1; d <= 9; ++d) {
        if (v & DigitBit(d))
            text += static_cast<char>('0' + d);
    }
    return text;
}

bool ValueOfText(std::string_view text, CellValue& out) {
    if (text.empty()) {
        out = kEmptyCell;
        return true;
    }
    std::size_t pos = 0;
    const char32_t first = NextCodePoint(text, pos);
    if (pos == text.size()) {
        out = ValueOfChar(first);
        return true;
    }
    // Two or more characters: only an ascending digit string is a cell text.
    CellValue set = 0;
    int last = 0;
    for (char ch : text) {
        const int d = ch - '0';
        if (d < 1 || d > 9 || d <= last)
            return false;
        set |= DigitBit(d);
        last = d;
    }
    out = set;
    return true;
}

Grid::Grid() {
    background_.fill(kWindowBackground);
    rowHeight_.fill(kDefaultRowHeight);
    colWidth_.fill(kDefaultColWidth);
}

bool Grid::SetText(int row, int col, std::string_view text) {
    CellValue v = 0;
    if (!ValueOfText(text, v))
        return false;
    SetValue(row, col, v);
    return true;
}

void Grid::SetTextColour(int row, int col, Colour c) {
    textColour_[CellIndex(row, col)] = c;
    Touch();
}

void Grid::SetBackground(int row, int col, Colour c) {
    background_[CellIndex(row, col)] = c;
    Touch();
}

void Grid::SetCellAlignment(int row, int col, Alignment a) {
    alignment_[CellIndex(row, col)] = a;
    Touch();
}

void Grid::SetRowHeight(int row, int twips) {
    rowHeight_[row] = twips;
    Touch();
}

void Grid::SetColWidth(int col, int twips) {
    colWidth_[col] = twips;
    Touch();
}

void Grid::SetCurrent(int row, int col) {
    row_ = row;
    col_ = col;
    Touch();
}

void Grid::SetRedraw(bool on) {
    redraw_ = on;
    if (on && changed_ && listener_)
        listener_->GridChanged();
}

void SetUpGrid(Grid& grid) {
    for (int c = 0; c < kGridSize; ++c) {
        const int size = grid.RowHeight(0);
        grid.SetColWidth(c, size);
        grid.SetRowHeight(c, size);
        grid.SetCol(c);
        for (int r = 0; r < kGridSize; ++r) {
            grid.SetRow(r);
            if ((r / 3 + c / 3) % 2 == 1)
                grid.SetBackground(r, c, kBoxShading);
            grid.SetCellAlignment(r, c, Alignment::CenterTop);
        }
    }
    grid.SetCurrent(0, 0);
}

}  // namespace zw
