#include "solver/board_scan.h"

#include <array>

#include "solver/candidates.h"

namespace zw {

// RulesOk and CountOpenCells in one pass over the board.
BoardScan ScanBoard(const Grid& grid) {
    BoardScan scan;
    std::array<CellValue, kGridSize> rows{}, cols{}, boxes{};
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            const CellValue v = grid.Value(r, c);
            if (!IsPlaced(v)) {
                ++scan.openCells;
                continue;
            }
            const int b = r / 3 + 3 * (c / 3);
            if ((v & kCharFlag) || ((rows[r] | cols[c] | boxes[b]) & v))
                scan.rulesOk = false;
            rows[r] |= v;
            cols[c] |= v;
            boxes[b] |= v;
        }
    }
    return scan;
}

}  // namespace zw
