#include "qt/grid_geometry.h"

#include "board/grid_painter.h"
#include "qt/twips.h"

namespace zw {

namespace {
// The index of the cell whose span holds `twips`, or -1 past the last one.
template <typename SizeOf>
int IndexAt(double twips, SizeOf sizeOf) {
    double edge = 0;
    for (int i = 0; i < kGridSize; ++i) {
        edge += sizeOf(i);
        if (twips < edge)
            return i;
    }
    return -1;
}
}  // namespace

double GridViewDpi(const Grid& grid, double width) {
    return width * kTwipsPerInch / GridPictureWidth(grid);
}

bool CellAt(const Grid& grid, QSizeF size, QPointF point, int& row, int& col) {
    if (point.x() < 0 || point.y() < 0)
        return false;
    const double twipsPerPixel = kTwipsPerInch / GridViewDpi(grid, size.width());
    col = IndexAt(point.x() * twipsPerPixel, [&](int c) { return grid.ColWidth(c); });
    row = IndexAt(point.y() * twipsPerPixel, [&](int r) { return grid.RowHeight(r); });
    return row >= 0 && col >= 0;
}

}  // namespace zw
