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
#include <algorithm>
#include <array>
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {

namespace {

// The cells with two digits or more, exactly two, and two or three.
struct Counts {
    CellSet open, two, small;
};

Counts CountCandidates(const CandidateBoard& board) {
    const CellSizes sizes = CountCellSizes(board);
    return {sizes.two | sizes.three | sizes.many, sizes.two, sizes.two | sizes.three};
}

// The cells before `cell`.
CellSet Below(int cell) {
    const std::uint64_t all = ~std::uint64_t{0};
    return cell < 64 ? CellSet{(std::uint64_t{1} << cell) - 1, 0}
                     : CellSet{all, (std::uint64_t{1} << (cell - 64)) - 1};
}

// The peers of every cell of a set.
CellSet PeersOf(CellSet cells) {
    CellSet peers;
    while (!cells.Empty())
        peers |= kUnitTables.peerSets[cells.PopFirst()];
    return peers;
}

// The digits of three cells that take part in some possible choice of one digit each: x for
// the first, y for the second, z for the third (two or three digits). A choice is impossible
// with the same digit twice in cells that see each other, with both digits of an excluder
// (partners: per digit, the digits an excluder pairs it with), or with all three of one
// (triples, whose digits together are inTriples). Each x with each z that it leaves, the y's at
// once, until every digit has one.
void AllowedDigits(unsigned cx, unsigned cy, unsigned cz, bool seeXY, bool seeXZ, bool seeYZ,
                   const std::array<std::uint16_t, 9>& partners,
                   const std::array<std::uint16_t, 20>& triples, int n3, unsigned inTriples,
                   unsigned& allowedX, unsigned& allowedY, unsigned& allowedZ) {
    const unsigned sameXY = seeXY ? ~0u : 0u, sameXZ = seeXZ ? ~0u : 0u, sameYZ = seeYZ ? ~0u : 0u;
    for (unsigned x = cx; x; x &= x - 1) {
        const unsigned dx = x & -x, px = partners[std::countr_zero(x)];
        const unsigned yx = cy & ~px & ~(dx & sameXY);
        if (!yx)
            continue;
        for (unsigned z = cz & ~px & ~(dx & sameXZ); z; z &= z - 1) {
            const unsigned dz = z & -z, two = dx | dz;
            unsigned y = yx & ~partners[std::countr_zero(z)] & ~(dz & sameYZ);
            // Most choices of x and z lie in no excluder of three digits; x and z the same
            // digit (bit 9, which no excluder has) in none. One test for both.
            const unsigned need = two | static_cast<unsigned>(dx == dz) << 9;
            if ((inTriples & need) == need) {
                for (int k = 0; k < n3; ++k) {
                    if ((triples[k] & two) == two)
                        y &= ~(triples[k] ^ two);
                }
            }
            if (!y)
                continue;
            allowedX |= dx;
            allowedY |= y;
            allowedZ |= dz;
            // Once the others all have one, x needs no more: one test for both.
            if (((allowedY ^ cy) | (allowedZ ^ cz)) == 0)
                break;
        }
        if (allowedX == cx && allowedY == cy && allowedZ == cz)
            return;
    }
}

}  // namespace

// In bit slices: ones, twos, and four or more.
CellSizes CountCellSizes(const CandidateBoard& board) {
    std::uint64_t s0[2] = {0, 0}, s1[2] = {0, 0}, s2[2] = {0, 0};
    for (int d = 1; d <= 9; ++d) {
        const CellSet p = board.Plane(d);
        const std::uint64_t w[2] = {p.lo, p.hi};
        for (int i = 0; i < 2; ++i) {
            const std::uint64_t c0 = s0[i] & w[i];
            s0[i] ^= w[i];
            s2[i] |= s1[i] & c0;
            s1[i] ^= c0;
        }
    }
    CellSizes sizes;
    sizes.two = {s1[0] & ~s0[0] & ~s2[0], s1[1] & ~s0[1] & ~s2[1]};
    sizes.three = {s1[0] & s0[0] & ~s2[0], s1[1] & s0[1] & ~s2[1]};
    sizes.many = {s2[0], s2[1]};
    return sizes;
}

bool FindAlignedPairExclusion(const CandidateBoard& board, Step& step, const Changes* changes) {
    const Counts counts = CountCandidates(board);
    const CellSet bivalue = counts.two, open = counts.open;
    if (!bivalue.Many())
        return false;
    for (CellSet as = open; !as.Empty();) {
        const int a = as.PopFirst();
        const std::uint16_t ca = board.Candidates(a);
        const CellSet near = bivalue & kUnitTables.peerSets[a];
        if (!near.Many())
            continue;
        // New exclusions need a changed cell of the pair or a new excluder: a cell that
        // changed and now has two digits. One that had two and changed excludes no more. With
        // A as it was, B changed or sees a changed excluder.
        CellSet bs = as;
        if (changes && !changes->cells.Has(a)) {
            bs = bs & (changes->cells | PeersOf(changes->cells & near));
            if (bs.Empty())
                continue;
        }
        // Only a B that sees two of A's bivalue peers has excluders enough: the cells that
        // see two of them, after A.
        CellSet once, twice;
        for (CellSet e = near; !e.Empty();) {
            const CellSet p = kUnitTables.peerSets[e.PopFirst()];
            twice |= once & p;
            once |= p;
        }
        bs = bs & twice;
        while (!bs.Empty()) {
            const int b = bs.PopFirst();
            const std::uint16_t cb = board.Candidates(b);
            // Two of them or more: b sees two of A's.
            const CellSet excluders = near & kUnitTables.peerSets[b];
            // A digit leaves A only if the excluders pair it with each digit of B but itself
            // (where A and B see each other): those all lie among the excluders' digits. The
            // same for B.
            unsigned held = 0;
            for (CellSet e = excluders; !e.Empty();)
                held |= board.Candidates(e.PopFirst());
            const unsigned same = kUnitTables.peerSets[a].Has(b) ? ~0u : 0u;
            const unsigned freeA = ca & ~held, freeB = cb & ~held;
            if ((freeB && !(OneBit(freeB) && (freeB & ca & same))) &&
                (freeA && !(OneBit(freeA) && (freeA & cb & same))))
                continue;
            // Per digit of A, the digits of B its excluders' pairs forbid beside it.
            std::array<std::uint16_t, 9> partners{};
            for (CellSet e = excluders; !e.Empty();) {
                const unsigned m = board.Candidates(e.PopFirst());
                const int p = std::countr_zero(m), q = std::countr_zero(m & (m - 1));
                partners[p] = static_cast<std::uint16_t>(partners[p] | 1u << q);
                partners[q] = static_cast<std::uint16_t>(partners[q] | 1u << p);
            }
            std::uint16_t allowedA = 0, allowedB = 0;
            for (unsigned x = ca; x; x &= x - 1) {
                const unsigned dx = x & -x;
                const unsigned ys = cb & ~partners[std::countr_zero(x)] & ~(dx & same);
                if (ys) {
                    allowedA = static_cast<std::uint16_t>(allowedA | dx);
                    allowedB = static_cast<std::uint16_t>(allowedB | ys);
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
    const Counts counts = CountCandidates(board);
    const CellSet open = counts.open, small = counts.small;  // two digits or more; two or three
    const auto& peers = kUnitTables.peerSets;
    // Per group of three digits (1-3, 4-6, 7-9), the cells holding any of a choice of them:
    // the cells with a digit beyond a few in three steps.
    DigitCells joined;
    joined.Join(board);
    // Something new needs a changed cell among the three or their excluders. With a and b as
    // they were, that is a changed third cell or excluder with two or three digits: an
    // excluder sees both, the third cell b or a.
    const CellSet changed = changes ? changes->cells : CellSet{};
    // Per such cell x, the cells that see two of its peers with two or three digits: as the
    // third cell x leaves an a that does not see it excluders enough only among them.
    std::array<int, kCells> thirdCells;
    std::array<CellSet, kCells> twiceNear;
    int thirdCount = 0;
    for (CellSet xs = changed & small; !xs.Empty();) {
        const int x = xs.PopFirst();
        CellSet once, twice;
        for (CellSet e = small & peers[x]; !e.Empty();) {
            const CellSet p = peers[e.PopFirst()];
            twice |= once & p;
            once |= p;
        }
        thirdCells[static_cast<std::size_t>(thirdCount)] = x;
        twiceNear[static_cast<std::size_t>(thirdCount++)] = twice;
    }
    for (CellSet as = open; !as.Empty();) {
        const int a = as.PopFirst();
        const CellSet nearA = small & peers[a];
        if (!nearA.Many())
            continue;
        const bool changedA = changed.Has(a);
        CellSet bs = as;
        if (changes && !changedA) {
            // With a as it was, b changed, or some such cell x is new to the three. As an
            // excluder x sees a and b; as the third cell, x sees b and a sees two of the
            // excluders, which see x; or x sees a and b two of the excluders.
            CellSet reachB = changed;
            for (int i = 0; i < thirdCount; ++i) {
                const int x = thirdCells[static_cast<std::size_t>(i)];
                if (peers[x].Has(a)) {
                    reachB |= peers[x];
                    CellSet once, twice;
                    for (CellSet e = nearA & peers[x]; !e.Empty();) {
                        const CellSet p = peers[e.PopFirst()];
                        twice |= once & p;
                        once |= p;
                    }
                    reachB |= twice;
                } else if (twiceNear[static_cast<std::size_t>(i)].Has(a)) {
                    reachB |= peers[x];
                }
            }
            bs = bs & reachB;
            if (bs.Empty())
                continue;
        }
        // The excluders see a and b: b sees two of a's peers with two or three digits.
        CellSet once, twice;
        for (CellSet e = nearA; !e.Empty();) {
            const CellSet p = peers[e.PopFirst()];
            twice |= once & p;
            once |= p;
        }
        bs = bs & twice;
        const std::uint16_t ca = board.Candidates(a);
        while (!bs.Empty()) {
            const int b = bs.PopFirst();
            const bool changedB = changed.Has(b);
            const CellSet both = nearA & peers[b];
            // The third cell: one with two or three digits that sees a or b. With a and b as
            // they were, a changed one or one that sees a changed excluder.
            CellSet thirds = (small & (peers[a] | peers[b])).Minus(CellSet::Of(a) | CellSet::Of(b));
            if (changes && !changedA && !changedB)
                thirds = thirds & (changed | PeersOf(changed & both));
            // The same three cells come up again as a, b and c in another order, with the same
            // excluders and the same answer: only their first time counts. Before this one
            // come (a, c, b) and (c, a, b) where b, as the third cell, sees a or c, and (c, b, a)
            // where a sees b or c.
            const bool seeAB = peers[a].Has(b);
            if (small.Has(b))
                thirds = thirds.Minus(Below(b) & (seeAB ? CellSet::All() : peers[b]));
            if (small.Has(a))
                thirds = thirds.Minus(Below(a) & (seeAB ? CellSet::All() : peers[a]));
            if (thirds.Empty())
                continue;
            // And sees two of the excluders.
            CellSet seenOnce, seenTwice;
            for (CellSet e = both; !e.Empty();) {
                const CellSet p = peers[e.PopFirst()];
                seenTwice |= seenOnce & p;
                seenOnce |= p;
            }
            thirds = thirds & seenTwice;
            const std::uint16_t cb = board.Candidates(b);
            while (!thirds.Empty()) {
                const int c = thirds.PopFirst();
                const bool seeAC = peers[a].Has(c), seeBC = peers[b].Has(c);
                const CellSet excluders = both & peers[c];
                const std::uint16_t cc = board.Candidates(c);
                const unsigned within = ca | cb | cc;
                // Only an excluder whose digits all lie among the three cells' can be emptied:
                // one of two digits forbids them side by side (partners), one of three forbids
                // any two of them beside the third (per pair of digits, the third).
                const CellSet emptied = excluders.Minus(joined.Holding(~within));
                // With the three cells as they were, only a changed excluder can make
                // something new: one that can be emptied.
                if (emptied.Empty() || (changes && !changedA && !changedB && !changed.Has(c) &&
                                        (emptied & changed).Empty()))
                    continue;
                std::array<std::uint16_t, 9> partners{};
                std::array<std::uint16_t, 20> triples;
                int n3 = 0;
                unsigned held = 0, inTriples = 0;
                for (CellSet e = emptied; !e.Empty();) {
                    const unsigned d = board.Candidates(e.PopFirst());
                    held |= d;
                    const unsigned rest = d & (d - 1);
                    if (rest & (rest - 1)) {
                        triples[n3++] = static_cast<std::uint16_t>(d);
                        inTriples |= d;
                    } else {
                        const int p = std::countr_zero(d), q = std::countr_zero(rest);
                        partners[p] = static_cast<std::uint16_t>(partners[p] | 1u << q);
                        partners[q] = static_cast<std::uint16_t>(partners[q] | 1u << p);
                    }
                }
                // A digit of each cell that no excluder holds and no cell it sees has makes a
                // choice with any digit of the other two: then every digit has one.
                // Which cells see which is anyone's guess: masks rather than branches.
                const unsigned sameAB = 0u - static_cast<unsigned>(seeAB);
                const unsigned sameAC = 0u - static_cast<unsigned>(seeAC);
                const unsigned sameBC = 0u - static_cast<unsigned>(seeBC);
                const unsigned freeA = ca & ~held & ~(cb & sameAB) & ~(cc & sameAC);
                const unsigned freeB = cb & ~held & ~(ca & sameAB) & ~(cc & sameBC);
                const unsigned freeC = cc & ~held & ~(ca & sameAC) & ~(cb & sameBC);
                // Tested once, by the least of them, as any may be missing.
                if (std::min({freeA, freeB, freeC}) != 0)
                    continue;
                // So a cell's digits all have one where the other two have such a digit.
                unsigned allowedA = std::min(freeB, freeC) != 0 ? ca : 0u;
                unsigned allowedB = std::min(freeA, freeC) != 0 ? cb : 0u;
                unsigned allowedC = std::min(freeA, freeB) != 0 ? cc : 0u;
                AllowedDigits(ca, cb, cc, seeAB, seeAC, seeBC, partners, triples, n3, inTriples,
                              allowedA, allowedB, allowedC);
                if (allowedA == ca && allowedB == cb && allowedC == cc)
                    continue;
                step = Step{};
                const int cells[3] = {a, b, c};
                const unsigned allowed[3] = {allowedA, allowedB, allowedC};
                for (int i = 0; i < 3; ++i) {
                    step.removed[cells[i]] =
                        board.Candidates(cells[i]) & static_cast<std::uint16_t>(~allowed[i]);
                    step.digits = static_cast<std::uint16_t>(step.digits | step.removed[cells[i]]);
                    step.loop.Add(cells[i]);
                }
                step.technique = Technique::AlignedTripletExclusion;
                step.cells = step.loop | excluders;
                return true;
            }
        }
    }
    return false;
}

}  // namespace zw::techniques
