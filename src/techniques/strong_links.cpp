// Two strong links of one digit joined by a weak one: the digit has only two places in a unit
// (A, B) and in another (C, D), and B sees C. B and C cannot both hold it, so A or D does, and
// a cell that sees both A and D loses it. Skyscraper when both units are lines of one kind,
// 2-String-Kite for a row and a column, Turbot-Fisch when a box takes part.
#include <array>
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

struct Link {
    int a, b;  // the digit's two places in the unit
    int unit;
    int kind;      // row, column or box: 0, 1, 2
    CellSet ends;  // the two places
    CellSet seen;  // the cells the two places see
};

Technique KindOf(int unitA, int unitB) {
    const bool boxA = unitA >= 18, boxB = unitB >= 18;
    if (boxA || boxB)
        return Technique::TurbotFish;
    return (unitA < 9) == (unitB < 9) ? Technique::Skyscraper : Technique::TwoStringKite;
}

}  // namespace

bool FindTwoStrongLinks(const CandidateBoard& board, Step& step, const Changes* changes) {
    // Per kind of the two units (rows, columns, boxes), the rating, looked up once.
    static const auto ratings = [] {
        std::array<std::array<int, 3>, 3> r;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j)
                r[i][j] = Info(KindOf(i * 9, j * 9)).rating;
        }
        return r;
    }();
    bool found = false;
    int foundRating = 0;
    // Filled anew for each digit as far as it has links; made once, as its cell sets start out
    // cleared.
    std::array<Link, kUnits> links;
    for (int digit = 1; digit <= 9; ++digit) {
        // A digit's patterns depend on its places alone.
        if (changes && changes->places[digit - 1].Empty())
            continue;
        const CellSet plane = board.Plane(digit);
        int count = 0;
        // The links in units that lost a place of the digit since the last search found
        // nothing, bit by bit.
        unsigned freshLinks = 0;
        std::array<unsigned, 3> ofKind{};
        for (int unit = 0; unit < kUnits; ++unit) {
            const unsigned places = board.Positions(unit, digit);
            if (Count9(places) != 2)
                continue;
            // A pattern of two links that both stood when nothing was found finds nothing now:
            // its removals only shrank. So one of them is fresh, in a unit that lost a place.
            if (!changes || !(changes->places[digit - 1] & kUnitTables.unitSets[unit]).Empty())
                freshLinks |= 1u << count;
            Link& link = links[static_cast<std::size_t>(count++)];
            link.a = UnitCell(unit, std::countr_zero(places));
            link.b = UnitCell(unit, 31 - std::countl_zero(places));
            link.unit = unit;
            link.kind = (unit >= 9) + (unit >= 18);
            ofKind[static_cast<std::size_t>(link.kind)] |= 1u << (count - 1);
            link.ends = plane & kUnitTables.unitSets[unit];
            link.seen = kUnitTables.peerSets[link.a] | kUnitTables.peerSets[link.b];
        }
        const unsigned all = (1u << count) - 1;
        for (int i = 0; i < count; ++i) {
            const Link& x = links[static_cast<std::size_t>(i)];
            const auto& rated = ratings[static_cast<std::size_t>(x.kind)];
            unsigned later = (freshLinks >> i & 1 ? all : freshLinks) & ~0u << i << 1;
            // The easiest kind wins, as the scale's own search sorts them: once one is found,
            // only the links that make an easier one with x.
            if (found) {
                for (std::size_t k = 0; k < 3; ++k) {
                    if (rated[k] >= foundRating)
                        later &= ~ofKind[k];
                }
            }
            for (; later; later &= later - 1) {
                const Link& y = links[static_cast<std::size_t>(std::countr_zero(later))];
                // Or one found beside x just now.
                if (found && rated[static_cast<std::size_t>(y.kind)] >= foundRating)
                    continue;
                // One link's places must see the other's, and two links that share a cell make
                // no pattern, whichever ends meet.
                // Either may fail, so both are worked out on the cell sets and tested once.
                const CellSet seen = x.seen & y.ends, shared = x.ends & y.ends;
                if (!(seen.Empty() < shared.Empty()))
                    continue;
                // Each end of one link may be the one that sees an end of the other.
                for (int turn = 0; turn < 4; ++turn) {
                    const int a = turn & 1 ? x.b : x.a, b = turn & 1 ? x.a : x.b;
                    const int c = turn & 2 ? y.b : y.a, d = turn & 2 ? y.a : y.b;
                    if (!Sees(b, c))
                        continue;
                    // The cells that see A and D but B and C (neither A nor D sees itself).
                    CellSet removed = plane & kUnitTables.peerSets[a] & kUnitTables.peerSets[d];
                    if (removed.Empty())
                        continue;
                    removed.Remove(b);
                    removed.Remove(c);
                    if (removed.Empty())
                        continue;
                    const CellSet pattern =
                        CellSet::Of(a) | CellSet::Of(b) | CellSet::Of(c) | CellSet::Of(d);
                    step = Step{};
                    step.technique = KindOf(x.unit, y.unit);
                    step.digits = DigitBit(digit);
                    step.cells = pattern;
                    step.units = 1u << x.unit | 1u << y.unit;
                    // The chain as a player follows it: A off, B on, C off, D on.
                    step.chain[0] = ChainNode(a, digit, false);
                    step.chain[1] = ChainNode(b, digit, true);
                    step.chain[2] = ChainNode(c, digit, false);
                    step.chain[3] = ChainNode(d, digit, true);
                    step.chainLength = 4;
                    RemoveFrom(step, removed, DigitBit(digit));
                    found = true;
                    foundRating = rated[static_cast<std::size_t>(y.kind)];
                    break;
                }
            }
        }
        if (found && step.technique == Technique::Skyscraper)
            return true;
    }
    return found;
}

}  // namespace zw::techniques
