#include "board/grid_painter.h"

#include <algorithm>
#include <cmath>

namespace zw {

namespace {

constexpr double kCellPoints = 27.75;
constexpr double kCandidateShare = 0.26;  // candidate digits: this share of the row height
constexpr int kScreenPixel = 15;          // twips per pixel at 96 dpi: the width of a grid line

int Scaled(int twips, double scale) {
    return static_cast<int>(std::lround(twips * scale));
}

int ColLeft(const Grid& grid, int col, double scale) {
    int sum = 0;
    for (int c = 0; c < col; ++c)
        sum += grid.ColWidth(c);
    return Scaled(sum, scale);
}

int RowTop(const Grid& grid, int row, double scale) {
    int sum = 0;
    for (int r = 0; r < row; ++r)
        sum += grid.RowHeight(r);
    return Scaled(sum, scale);
}

double LineWidth(const Canvas& canvas, double scale) {
    return std::max(kScreenPixel * scale, canvas.PixelTwips());
}

struct CellBox {
    int x, y, width, height;
};

CellBox BoxOf(const Grid& grid, int row, int col, int left, int top, double scale) {
    const int x = ColLeft(grid, col, scale);
    const int y = RowTop(grid, row, scale);
    return {left + x, top + y, ColLeft(grid, col + 1, scale) - x, RowTop(grid, row + 1, scale) - y};
}

void PaintCandidates(Canvas& canvas, CellValue value, const CellBox& box, Colour colour,
                     double scale, CellValue struck = 0) {
    const Font font = CandidateFont(scale);
    const int width = box.width / 3;
    const int height = box.height / 3;
    // Centre a line of text (about 1.2 em high) in its place.
    const int lift = static_cast<int>(std::lround((height - font.points * 20 * 1.2) / 2));
    for (int d = 1; d <= 9; ++d) {
        if (!(value & DigitBit(d)))
            continue;
        const char text[2] = {static_cast<char>('0' + d), '\0'};
        canvas.DrawText(box.x + (d - 1) % 3 * width, box.y + (d - 1) / 3 * height + lift, width,
                        text, font, struck & DigitBit(d) ? kStruckCandidateColour : colour,
                        TextAlign::Center);
    }
}

}  // namespace

bool CellRange::Contains(int row, int col) const {
    return row >= std::min(row1, row2) && row <= std::max(row1, row2) &&
           col >= std::min(col1, col2) && col <= std::max(col1, col2);
}

int GridPictureWidth(const Grid& grid) {
    return ColLeft(grid, kGridSize, 1.0) + kScreenPixel;
}

Font CellFont(double scale) {
    return Font{"Tahoma", kCellPoints * scale, true};
}

Font CandidateFont(double scale) {
    return Font{"Tahoma", kDefaultRowHeight * kCandidateShare / 20 * scale, true};
}

void PaintGridCell(Canvas& canvas, const Grid& grid, int row, int col, int left, int top,
                   const GridStyle& style) {
    const CellBox box = BoxOf(grid, row, col, left, top, style.scale);
    const bool current = row == grid.Row() && col == grid.Col();
    const bool selected = style.showSelection && !style.selection.SingleCell() &&
                          style.selection.Contains(row, col) && !current;
    canvas.FillRect(box.x, box.y, box.width, box.height,
                    selected ? kSelectionColour : grid.Background(row, col));
    const CellValue value = grid.Value(row, col);
    const int index = CellIndex(row, col);
    if (style.pencil && style.pencil->shown[index] && !IsPlaced(value)) {
        PaintCandidates(canvas, style.pencil->shown[index], box, grid.TextColour(row, col),
                        style.scale, style.pencil->struck[index]);
    } else if (TextLength(value) >= 2) {
        PaintCandidates(canvas, value, box, grid.TextColour(row, col), style.scale);
    } else if (value != kEmptyCell) {
        const TextAlign align = grid.CellAlignment(row, col) == Alignment::CenterTop
                                    ? TextAlign::Center
                                    : TextAlign::Left;
        canvas.DrawText(box.x, box.y, box.width, TextOfValue(value), CellFont(style.scale),
                        grid.TextColour(row, col), align);
    }
    if (style.showCurrent && current) {
        const double width = std::max(box.height / 24.0, canvas.PixelTwips());
        const int inset = static_cast<int>(std::lround(width));
        canvas.DrawFocusRect(box.x + inset, box.y + inset, box.width - 2 * inset,
                             box.height - 2 * inset, width, 0);
    }
}

void PaintGridLines(Canvas& canvas, const Grid& grid, int left, int top, const GridStyle& style) {
    const double scale = style.scale;
    const double width = LineWidth(canvas, scale);
    const int half = static_cast<int>(std::lround(width / 2));
    const int whole = static_cast<int>(std::lround(width));
    const int right = left + ColLeft(grid, kGridSize, scale) + whole;
    const int bottom = top + RowTop(grid, kGridSize, scale) + whole;
    // Each cell's line runs along its right and bottom edge, as the grid control draws them.
    for (int k = 1; k <= kGridSize; ++k) {
        const int x = left + ColLeft(grid, k, scale) + half;
        canvas.DrawLine(x, top, x, bottom, width, kGridLineColour);
        const int y = top + RowTop(grid, k, scale) + half;
        canvas.DrawLine(left, y, right, y, width, kGridLineColour);
    }
}

void PaintGrid(Canvas& canvas, const Grid& grid, int left, int top, const GridStyle& style) {
    for (int row = 0; row < kGridSize; ++row) {
        for (int col = 0; col < kGridSize; ++col)
            PaintGridCell(canvas, grid, row, col, left, top, style);
    }
    PaintGridLines(canvas, grid, left, top, style);
}

}  // namespace zw
