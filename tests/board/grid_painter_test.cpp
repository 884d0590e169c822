#include "board/grid_painter.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/memory_platform.h"

namespace zw {
namespace {

// A cell's candidates lie as on a phone's keypad: 1 2 3 along the top third, 4 5 6 under
// them, 7 8 9 at the bottom, each in its own third of the cell's width and height.
TEST(GridPainter, CandidatesSitAtTheirKeypadPlaces) {
    Grid grid;
    SetUpGrid(grid);
    grid.SetText(4, 5, "12456789");
    RecordingCanvas canvas;
    PaintGridCell(canvas, grid, 4, 5, 0, 0, GridStyle{});
    std::map<int, std::pair<int, int>> at;  // digit -> (x, y)
    for (const std::string& op : canvas.ops) {
        std::istringstream in(op);
        std::string kind;
        int x = 0, y = 0;
        in >> kind >> x >> y;
        if (kind == "text")
            at[op[op.size() - 2] - '0'] = {x, y};
    }
    ASSERT_EQ(at.size(), 8u) << "the candidates 1 2 4 5 6 7 8 9";
    const int third = grid.ColWidth(5) / 3, left = 5 * grid.ColWidth(0),
              top = 4 * grid.RowHeight(0);
    const auto [x1, y1] = at[1];
    EXPECT_GE(x1, left);
    EXPECT_LT(x1, left + third);
    EXPECT_GE(y1, top);
    EXPECT_LT(y1, top + third);
    for (const auto& [digit, place] : at) {
        EXPECT_EQ(place.first - x1, (digit - 1) % 3 * third) << digit;
        EXPECT_EQ(place.second - y1, (digit - 1) / 3 * (grid.RowHeight(4) / 3)) << digit;
    }
}

}  // namespace
}  // namespace zw
