// Aligned pair exclusion: two open cells A and B, and the cells with just two digits that see
// both. A pair of digits for A and B is impossible if it is one such cell's two digits (that
// cell would be left empty) or the same digit twice where A and B see each other. A digit of A
// (or B) that takes part in no possible pair leaves its cell. Rated 6.2; as on the public
// scale, it needs at least two such cells.
//
// Aligned triplet exclusion: the same with three cells, the third one with two or three digits
// and seeing one of the others, and the cells with two or three digits that see all three: a
// choice of digits is impossible if it holds all of such a cell's digits or the same digit
// twice in a unit. Rated 7.5.
#include <array>
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

bool FindAlignedTripletExclusion(const CandidateBoard& board, Step& step, const Changes* changes) {
    CellSet open, small;  // cells with two digits or more; with two or three
    for (int cell = 0; cell < kCells; ++cell) {
        const int n = Count9(board.Candidates(cell));
        if (n >= 2)
            open.Add(cell);
        if (n == 2 || n == 3)
            small.Add(cell);
    }
    for (CellSet as = open; !as.Empty();) {
        const int a = as.PopFirst();
        if ((small & kUnitTables.peerSets[a]).Empty())
            continue;
        for (CellSet bs = as; !bs.Empty();) {
            const int b = bs.PopFirst();
            const CellSet both = small & kUnitTables.peerSets[a] & kUnitTables.peerSets[b];
            if (!both.Many())
                continue;
            // The third cell: one with two or three digits that sees a or b.
            CellSet thirds = (small & (kUnitTables.peerSets[a] | kUnitTables.peerSets[b]))
                                 .Minus(CellSet::Of(a) | CellSet::Of(b));
            // Something new needs a changed cell among the three or their excluders, which
            // all see a and b; with none of those, only a changed third cell.
            if (changes && (changes->cells & (both | CellSet::Of(a) | CellSet::Of(b))).Empty())
                thirds = thirds & changes->cells;
            while (!thirds.Empty()) {
                const int c = thirds.PopFirst();
                const CellSet excluders = both & kUnitTables.peerSets[c];
                if (!excluders.Many())
                    continue;
                const std::uint16_t ca = board.Candidates(a), cb = board.Candidates(b),
                                    cc = board.Candidates(c);
                // Only an excluder whose digits all lie among the three cells' can be emptied.
                std::array<std::uint16_t, 20> digits{};
                int n = 0;
                for (CellSet e = excluders; !e.Empty();) {
                    const std::uint16_t d = board.Candidates(e.PopFirst());
                    if (!(d & ~(ca | cb | cc)))
                        digits[n++] = d;
                }
                if (n == 0)
                    continue;
                const int cells[3] = {a, b, c};
                const bool see[3] = {Sees(a, b), Sees(a, c), Sees(b, c)};
                std::uint16_t allowed[3] = {0, 0, 0};
                // Every choice, until each digit of each cell has one that is possible.
                auto search = [&] {
                    for (unsigned x = ca; x; x &= x - 1) {
                        const unsigned dx = x & -x;
                        for (unsigned y = cb; y; y &= y - 1) {
                            const unsigned dy = y & -y;
                            if (dx == dy && see[0])
                                continue;
                            for (unsigned z = cc; z; z &= z - 1) {
                                const unsigned dz = z & -z;
                                if ((dz == dx && see[1]) || (dz == dy && see[2]))
                                    continue;
                                const unsigned chosen = dx | dy | dz;
                                bool emptied = false;
                                for (int k = 0; k < n && !emptied; ++k)
                                    emptied = (digits[k] & ~chosen) == 0;
                                if (emptied)
                                    continue;
                                allowed[0] = static_cast<std::uint16_t>(allowed[0] | dx);
                                allowed[1] = static_cast<std::uint16_t>(allowed[1] | dy);
                                allowed[2] = static_cast<std::uint16_t>(allowed[2] | dz);
                                if (allowed[0] == ca && allowed[1] == cb && allowed[2] == cc)
                                    return;
                            }
                        }
                    }
                };
                search();
                if (allowed[0] == ca && allowed[1] == cb && allowed[2] == cc)
                    continue;
                bool removes = false;
                step = Step{};
                for (int i = 0; i < 3; ++i) {
                    step.removed[cells[i]] =
                        board.Candidates(cells[i]) & static_cast<std::uint16_t>(~allowed[i]);
                    removes = removes || step.removed[cells[i]];
                    step.digits = static_cast<std::uint16_t>(step.digits | step.removed[cells[i]]);
                    step.loop.Add(cells[i]);
                }
                if (!removes)
                    continue;
                step.technique = Technique::AlignedTripletExclusion;
                step.cells = step.loop | excluders;
                return true;
            }
        }
    }
    return false;
}

}  // namespace zw::techniques
