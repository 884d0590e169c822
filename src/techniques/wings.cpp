// XY-Wing: a pivot with two digits x and y sees a pincer with x and z and one with y and z;
// whichever the pivot holds, one pincer is z, so every cell seeing both pincers loses z.
// XYZ-Wing: the pivot holds x, y and z itself, so a cell must see all three to lose z.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

bool FindWing(const CandidateBoard& board, int pivotSize, Step& step, const Changes* changes) {
    const CellSizes sizes = CountCellSizes(board);
    CellSet pivots = pivotSize == 2 ? sizes.two : sizes.three;
    // A new wing needs a changed pivot or pincer: the pivot changed or sees a changed cell with
    // two digits.
    CellSet changedPincers;
    if (changes) {
        changedPincers = changes->cells & sizes.two;
        CellSet reach = changes->cells;
        for (CellSet c = changedPincers; !c.Empty();)
            reach |= kUnitTables.peerSets[c.PopFirst()];
        pivots = pivots & reach;
    }
    while (!pivots.Empty()) {
        const int pivot = pivots.PopFirst();
        const std::uint16_t p = board.Candidates(pivot);
        // The pincers: two digits, one shared with the pivot's pair (XY) or both within the
        // pivot's three (XYZ); whether they changed, where the pivot did not.
        std::array<int, 20> cells;
        std::array<std::uint16_t, 20> digits;
        unsigned changed = 0;
        int n = 0;
        // Taken by planes at once: for XY the cells with just one of the pivot's digits, for
        // XYZ those with two of its three (all of a pincer's).
        const unsigned x = p & -p, rest = p & (p - 1);
        const CellSet px = board.Plane(std::countr_zero(x) + 1);
        const CellSet py = board.Plane(std::countr_zero(rest) + 1);
        CellSet fitting;
        if (pivotSize == 2) {
            fitting = CellSet{px.lo ^ py.lo, px.hi ^ py.hi};
        } else {
            const CellSet pz = board.Plane(std::countr_zero(rest & (rest - 1)) + 1);
            fitting = (px & py) | (px & pz) | (py & pz);
        }
        for (CellSet s = sizes.two & kUnitTables.peerSets[pivot] & fitting; !s.Empty();) {
            const int cell = s.PopFirst();
            const std::uint16_t d = board.Candidates(cell);
            if (changedPincers.Has(cell))
                changed |= 1u << n;
            cells[static_cast<std::size_t>(n)] = cell;
            digits[static_cast<std::size_t>(n++)] = d;
        }
        if (!changes || changes->cells.Has(pivot))
            changed = ~0u;
        for (int a = 0; a < n; ++a) {
            const std::uint16_t pa = digits[static_cast<std::size_t>(a)];
            for (int b = a + 1; b < n; ++b) {
                const std::uint16_t pb = digits[static_cast<std::size_t>(b)];
                if (pb == pa || !(changed >> a & 1 || changed >> b & 1))
                    continue;
                std::uint16_t z;
                if (pivotSize == 2) {
                    z = pa & pb & static_cast<std::uint16_t>(~p);
                    if (!OneBit(z) || (pa | pb | p) != (p | z))
                        continue;
                } else {
                    z = pa & pb;
                    if ((pa | pb) != p || !OneBit(z))
                        continue;
                }
                const int ca = cells[static_cast<std::size_t>(a)],
                          cb = cells[static_cast<std::size_t>(b)];
                CellSet target = kUnitTables.peerSets[ca] & kUnitTables.peerSets[cb];
                if (pivotSize == 3)
                    target = target & kUnitTables.peerSets[pivot];
                const CellSet removed =
                    (board.Plane(std::countr_zero(z) + 1) & target).Minus(CellSet::Of(pivot));
                if (removed.Empty())
                    continue;
                step = Step{};
                step.technique = pivotSize == 2 ? Technique::XYWing : Technique::XYZWing;
                step.digits = p | z;
                step.cells = CellSet::Of(pivot) | CellSet::Of(ca) | CellSet::Of(cb);
                RemoveFrom(step, removed, z);
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool FindXYWing(const CandidateBoard& board, Step& step, const Changes* changes) {
    return FindWing(board, 2, step, changes);
}
bool FindXYZWing(const CandidateBoard& board, Step& step, const Changes* changes) {
    return FindWing(board, 3, step, changes);
}

}  // namespace zw::techniques
