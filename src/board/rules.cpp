#include "board/rules.h"

namespace zw {

bool RulesOk(const Grid& grid) {
    // A unit passes when its placed cells are distinct digits 1-9: a mask of seen digits per
    // unit, and any placed non-digit fails at once.
    std::array<CellValue, kGridSize> rows{}, cols{}, boxes{};
    bool ok = true;
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            const CellValue v = grid.Value(r, c);
            if (!IsPlaced(v))
                continue;
            if (v & kCharFlag)
                return false;
            const int b = r / 3 + 3 * (c / 3);
            if ((rows[r] | cols[c] | boxes[b]) & v)
                ok = false;
            rows[r] |= v;
            cols[c] |= v;
            boxes[b] |= v;
        }
    }
    return ok;
}

}  // namespace zw
