// Aligned pair exclusion: two open cells A and B, and the cells with just two digits that see
// both. A pair of digits for A and B is impossible if it is one such cell's two digits (that
// cell would be left empty) or the same digit twice where A and B see each other. A digit of A
// (or B) that takes part in no possible pair leaves its cell. Rated 6.2; as on the public
// scale, it needs at least two such cells.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {

bool FindAlignedPairExclusion(const CandidateBoard& board, Step& step, const Changes* changes) {
    CellSet bivalue, open;  // open: two digits or more
    for (int cell = 0; cell < kCells; ++cell) {
        const int n = Count9(board.Candidates(cell));
        if (n == 2)
            bivalue.Add(cell);
        if (n >= 2)
            open.Add(cell);
    }
    if (!bivalue.Many())
        return false;
    for (int a = 0; a < kCells; ++a) {
        const std::uint16_t ca = board.Candidates(a);
        const CellSet near = bivalue & kUnitTables.peerSets[a];
        if (Count9(ca) < 2 || !near.Many())
            continue;
        // Only a B that sees two of A's bivalue peers has excluders enough: the cells that
        // see two of them, after A.
        CellSet once, twice;
        for (CellSet e = near; !e.Empty();) {
            const CellSet p = kUnitTables.peerSets[e.PopFirst()];
            twice |= once & p;
            once |= p;
        }
        const std::uint64_t all = ~std::uint64_t{0}, hi = CellSet::All().hi;
        const CellSet after =
            a < 63 ? CellSet{all << (a + 1), hi} : CellSet{0, hi & all << (a - 63)};
        for (CellSet bs = twice & open & after; !bs.Empty();) {
            const int b = bs.PopFirst();
            const std::uint16_t cb = board.Candidates(b);
            CellSet excluders = near & kUnitTables.peerSets[b];
            // New exclusions need a changed cell of the pair or a new excluder: a cell that
            // changed and now has two digits. One that had two and changed excludes no more.
            if (changes && (changes->cells & (excluders | CellSet::Of(a) | CellSet::Of(b))).Empty())
                continue;
            if (!excluders.Many())
                continue;
            // The excluders' digit pairs, one bit each of the 512 digit sets.
            std::array<std::uint64_t, 8> pairs{};
            for (CellSet e = excluders; !e.Empty();) {
                const std::uint16_t m = board.Candidates(e.PopFirst());
                pairs[m >> 6] |= std::uint64_t{1} << (m & 63);
            }
            const bool see = Sees(a, b);
            std::uint16_t allowedA = 0, allowedB = 0;
            for (unsigned x = ca; x; x &= x - 1) {
                const unsigned dx = x & -x;
                for (unsigned y = cb; y; y &= y - 1) {
                    const unsigned dy = y & -y, both = dx | dy;
                    if ((dx == dy && see) || (pairs[both >> 6] >> (both & 63) & 1))
                        continue;
                    allowedA = static_cast<std::uint16_t>(allowedA | dx);
                    allowedB = static_cast<std::uint16_t>(allowedB | dy);
                }
            }
            const std::uint16_t removeA = ca & static_cast<std::uint16_t>(~allowedA);
            const std::uint16_t removeB = cb & static_cast<std::uint16_t>(~allowedB);
            if (!removeA && !removeB)
                continue;
            step = Step{};
            step.technique = Technique::AlignedPairExclusion;
            step.cells = CellSet::Of(a) | CellSet::Of(b) | excluders;
            step.loop = CellSet::Of(a) | CellSet::Of(b);
            step.digits = static_cast<std::uint16_t>(removeA | removeB);
            step.removed[a] = removeA;
            step.removed[b] = removeB;
            return true;
        }
    }
    return false;
}

}  // namespace zw::techniques
