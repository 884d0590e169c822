// Where the cells of the grid view lie: the view shows the core grid painter's picture scaled
// to its own size, so a point maps back to a cell through the same twips.
#pragma once

#include <QPointF>
#include <QSizeF>

#include "board/grid.h"

namespace zw {

// Device pixels per inch at which the grid's picture fills a view `width` pixels wide.
double GridViewDpi(const Grid& grid, double width);

// The cell under `point` in a view of `size` showing the grid's picture; false outside it.
bool CellAt(const Grid& grid, QSizeF size, QPointF point, int& row, int& col);

}  // namespace zw
