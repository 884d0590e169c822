// Paints the board grid: cell backgrounds, selection, grid lines, texts and the current cell.
// Free of widget state, so the screen and paper draw the grid the same way.
#pragma once

#include <QFont>
#include <QRectF>

#include "board/grid.h"

class QPainter;

namespace zw {

// A rectangular range of cells, inclusive, in any corner order.
struct GridSelection {
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    bool Contains(int row, int col) const;
    bool SingleCell() const { return row1 == row2 && col1 == col2; }
};

// The bold face of the cells: "Tahoma" where installed, else a bold sans. Callers choose it once.
QFont CellFont();

struct GridPaintOptions {
    QFont font;                 // the face; its size follows the cells
    GridSelection selection;    // shaded in the selection colour when it spans several cells
    bool showSelection = true;  // false on paper
    bool showCurrent = true;    // the focus rectangle of the current cell
};

// Paints `grid` scaled into `rect`; column widths and row heights keep their twips proportions
// and the font scales with the cells (27.75 pt on a 720-twip row).
void PaintGrid(QPainter& painter, const Grid& grid, const QRectF& rect,
               const GridPaintOptions& options);

// The cell under `point` in a grid painted into `rect`; false outside it.
bool CellAt(const Grid& grid, const QRectF& rect, QPointF point, int& row, int& col);

}  // namespace zw
