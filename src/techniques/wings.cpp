// XY-Wing: a pivot with two digits x and y sees a pincer with x and z and one with y and z;
// whichever the pivot holds, one pincer is z, so every cell seeing both pincers loses z.
// XYZ-Wing: the pivot holds x, y and z itself, so a cell must see all three to lose z.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

bool FindWing(const CandidateBoard& board, int pivotSize, Step& step, const Changes* changes) {
    for (int pivot = 0; pivot < kCells; ++pivot) {
        const std::uint16_t p = board.Candidates(pivot);
        if (Count9(p) != pivotSize)
            continue;
        // A new wing needs a changed pivot or pincer.
        if (changes &&
            (changes->cells & (kUnitTables.peerSets[pivot] | CellSet::Of(pivot))).Empty())
            continue;
        const auto& peers = kUnitTables.peers[pivot];
        for (int a = 0; a < 20; ++a) {
            const std::uint16_t pa = board.Candidates(peers[a]);
            // The first pincer: two digits, one shared with the pivot's pair (XY) or both
            // within the pivot's three (XYZ).
            if (Count9(pa) != 2)
                continue;
            if (pivotSize == 2 ? Count9(static_cast<unsigned>(pa & p)) != 1 : (pa & ~p) != 0)
                continue;
            for (int b = a + 1; b < 20; ++b) {
                const std::uint16_t pb = board.Candidates(peers[b]);
                if (Count9(pb) != 2 || pb == pa)
                    continue;
                std::uint16_t z;
                if (pivotSize == 2) {
                    z = pa & pb & static_cast<std::uint16_t>(~p);
                    if (!OneBit(z) || (pa | pb | p) != (p | z))
                        continue;
                } else {
                    z = pa & pb;
                    if ((pb & ~p) != 0 || (pa | pb) != p || !OneBit(z))
                        continue;
                }
                CellSet target = kUnitTables.peerSets[peers[a]] & kUnitTables.peerSets[peers[b]];
                if (pivotSize == 3)
                    target = target & kUnitTables.peerSets[pivot];
                const CellSet removed =
                    (board.Plane(std::countr_zero(z) + 1) & target).Minus(CellSet::Of(pivot));
                if (removed.Empty())
                    continue;
                step = Step{};
                step.technique = pivotSize == 2 ? Technique::XYWing : Technique::XYZWing;
                step.digits = p | z;
                step.cells = CellSet::Of(pivot) | CellSet::Of(peers[a]) | CellSet::Of(peers[b]);
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
