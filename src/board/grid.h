// The board: the 81 cells of the grid `Matrix` and their display attributes.
//
// A cell text is one of three things: empty (an open cell), exactly one character (a placed
// cell), or a candidate string of two to nine ascending digits written by the solver. Cells are
// stored compactly as a CellValue:
//   0                  the empty text
//   1 ... 511          a set of digits, bit d-1 for digit d; a set of one digit is that digit
//                      placed, a larger set is the candidate string of its digits
//   kCharFlag | cp     a placed character that is not one of "1" to "9" (code point cp)
// Two cells have equal texts exactly when their values are equal, so every rule that compares
// or measures texts works on the values.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace zw {

using CellValue = std::uint32_t;
using Colour = std::uint32_t;  // 0x00BBGGRR, as the grid stores colour values

constexpr int kGridSize = 9;
constexpr int kCellCount = 81;
constexpr CellValue kEmptyCell = 0;
constexpr CellValue kAllDigits = 0x1FF;
constexpr CellValue kCharFlag = 0x80000000u;

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}
constexpr Colour kDefaultTextColour = 0;  // a text colour of 0 is the grid's default
constexpr Colour kWindowBackground = Rgb(255, 255, 255);
constexpr Colour kBoxShading = 0xFFE0E0;  // RGB(224, 224, 255)
constexpr Colour kGridLineColour = Rgb(192, 192, 192);
constexpr Colour kSelectionColour = Rgb(128, 255, 128);
constexpr Colour kMarkGrey = 0xC0C0C0;
constexpr Colour kGivenRed = 255;

constexpr int CellIndex(int row, int col) {
    return row * kGridSize + col;
}
constexpr CellValue DigitBit(int digit) {
    return CellValue{1} << (digit - 1);
}

namespace detail {
// Digit counts of every digit set: std::popcount is a library call on baseline x86-64, and
// the solver asks for lengths in its innermost loops.
constexpr std::array<std::uint8_t, kAllDigits + 1> MakeDigitCounts() {
    std::array<std::uint8_t, kAllDigits + 1> counts{};
    for (std::size_t v = 1; v < counts.size(); ++v)
        counts[v] = static_cast<std::uint8_t>(counts[v & (v - 1)] + 1);
    return counts;
}
inline constexpr auto kDigitCounts = MakeDigitCounts();
}  // namespace detail

// Length of the text a value stands for: 0, 1, or the number of candidates.
constexpr int TextLength(CellValue v) {
    if (v & kCharFlag)
        return 1;
    return detail::kDigitCounts[v & kAllDigits];
}
constexpr bool IsPlaced(CellValue v) {
    return (v & kCharFlag) != 0 || (v != 0 && (v & (v - 1)) == 0);
}
// The digit 1-9 of a placed digit cell, 0 for anything else.
constexpr int PlacedDigit(CellValue v) {
    return (v & kCharFlag) == 0 && v != 0 && (v & (v - 1)) == 0 ? std::countr_zero(v) + 1 : 0;
}

// One code point as a cell value ("1"-"9" become digit sets; a blank is not special here).
CellValue ValueOfChar(char32_t ch);
// The text of a value, UTF-8.
std::string TextOfValue(CellValue v);
// Parses a cell text (UTF-8): empty, one character, or ascending digits. Returns false for any
// other text, which no cell can hold.
bool ValueOfText(std::string_view text, CellValue& out);

enum class Alignment : std::uint8_t { GeneralTop, CenterTop };

// Told when the grid's contents or attributes change. Called once per change burst: the grid
// calls it again only after the view has taken the change with TakeChanges().
class GridListener {
public:
    virtual ~GridListener() = default;
    virtual void GridChanged() = 0;
};

class Grid {
public:
    Grid();

    CellValue Value(int row, int col) const { return cells_[CellIndex(row, col)]; }
    CellValue ValueAt(int index) const { return cells_[index]; }
    void SetValue(int row, int col, CellValue v) { SetValueAt(CellIndex(row, col), v); }
    void SetValueAt(int index, CellValue v) {
        cells_[index] = v;
        Touch();
    }
    const std::array<CellValue, kCellCount>& Values() const { return cells_; }
    void SetValues(const std::array<CellValue, kCellCount>& values) {
        cells_ = values;
        Touch();
    }

    std::string Text(int row, int col) const { return TextOfValue(Value(row, col)); }
    // Test and tool helper: sets a cell from its text; false (and nothing written) for a text
    // that no cell can hold.
    bool SetText(int row, int col, std::string_view text);

    Colour TextColour(int row, int col) const { return textColour_[CellIndex(row, col)]; }
    void SetTextColour(int row, int col, Colour c);
    Colour Background(int row, int col) const { return background_[CellIndex(row, col)]; }
    void SetBackground(int row, int col, Colour c);
    Alignment CellAlignment(int row, int col) const { return alignment_[CellIndex(row, col)]; }
    void SetCellAlignment(int row, int col, Alignment a);

    // Row heights and column widths in twips.
    int RowHeight(int row) const { return rowHeight_[row]; }
    int ColWidth(int col) const { return colWidth_[col]; }
    void SetRowHeight(int row, int twips);
    void SetColWidth(int col, int twips);

    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetCurrent(int row, int col);
    void SetRow(int row) { SetCurrent(row, col_); }
    void SetCol(int col) { SetCurrent(row_, col); }

    // The repaint switch: while off, changes are collected and reported once it is on again.
    void SetRedraw(bool on);

    void SetListener(GridListener* listener) { listener_ = listener; }
    // The view calls this when it paints; the next change notifies again.
    void TakeChanges() { changed_ = false; }

private:
    void Touch() {
        if (!changed_) {
            changed_ = true;
            if (redraw_ && listener_)
                listener_->GridChanged();
        }
    }

    std::array<CellValue, kCellCount> cells_{};
    std::array<Colour, kCellCount> textColour_{};
    std::array<Colour, kCellCount> background_{};
    std::array<Alignment, kCellCount> alignment_{};
    std::array<int, kGridSize> rowHeight_{};
    std::array<int, kGridSize> colWidth_{};
    int row_ = 0;
    int col_ = 0;
    bool redraw_ = true;
    bool changed_ = false;
    GridListener* listener_ = nullptr;
};

// The grid's design values, in twips.
constexpr int kGridLeft = 120;
constexpr int kGridTop = 360;
constexpr int kGridOuterSize = 6495;
constexpr int kDefaultRowHeight = 720;  // the row height the bold 27.75 pt face gives
constexpr int kDefaultColWidth = 960;

// The start-up set-up: square cells, box shading, alignment, current cell (0, 0).
void SetUpGrid(Grid& grid);

}  // namespace zw
