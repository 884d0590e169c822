// The one painter of the board grid: the screen view, the printed page and the booklet all
// draw the grid through it, so paper shows what the screen shows.
#pragma once

#include <array>

#include "board/grid.h"
#include "platform/page.h"

namespace zw {

// A rectangular range of cells, inclusive, corners in any order.
struct CellRange {
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    bool Contains(int row, int col) const;
    bool SingleCell() const { return row1 == row2 && col1 == col2; }
};

// Candidates shown over open cells for a while, as a tip shows them, without being the cells'
// texts: digit sets per cell (row-major), `struck` drawn in kStruckCandidateColour.
struct PencilMarks {
    std::array<CellValue, kCellCount> shown{};
    std::array<CellValue, kCellCount> struck{};
};

constexpr Colour kStruckCandidateColour = Rgb(224, 0, 0);

struct GridStyle {
    double scale = 1.0;  // 1: the size the grid has on the screen
    // The screen's marks: a range of several cells shaded in the selection colour (the current
    // cell keeps its own background) and a dotted frame around the current cell.
    CellRange selection;
    bool showSelection = false;
    bool showCurrent = false;
    const PencilMarks* pencil = nullptr;  // drawn instead of an open cell's own text
};

// The width of the grid's picture in twips at scale 1: the cells and the closing line on the
// right (the grid draws no line along its left edge).
int GridPictureWidth(const Grid& grid);

// The face of the cell texts: Tahoma, bold; 27.75 pt on a 720-twip row at scale 1. Candidate
// strings are drawn as a 3 x 3 block, digit d at its keypad place, in a small size.
Font CellFont(double scale);
Font CandidateFont(double scale);

// Paints one cell (background and text) with the grid's top-left corner at (left, top).
void PaintGridCell(Canvas& canvas, const Grid& grid, int row, int col, int left, int top,
                   const GridStyle& style);
// Paints the grid lines.
void PaintGridLines(Canvas& canvas, const Grid& grid, int left, int top, const GridStyle& style);
// Paints the whole picture: every cell, then the lines.
void PaintGrid(Canvas& canvas, const Grid& grid, int left, int top, const GridStyle& style = {});

}  // namespace zw
