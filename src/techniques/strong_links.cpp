// Two strong links of one digit joined by a weak one: the digit has only two places in a unit
// (A, B) and in another (C, D), and B sees C. B and C cannot both hold it, so A or D does, and
// a cell that sees both A and D loses it. Skyscraper when both units are lines of one kind,
// 2-String-Kite for a row and a column, Turbot-Fisch when a box takes part.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

struct Link {
    int a, b;  // the digit's two places in the unit
    int unit;
    bool fresh;  // the unit lost a place of the digit since the last search found nothing
};

Technique KindOf(int unitA, int unitB) {
    const bool boxA = unitA >= 18, boxB = unitB >= 18;
    if (boxA || boxB)
        return Technique::TurbotFish;
    return (unitA < 9) == (unitB < 9) ? Technique::Skyscraper : Technique::TwoStringKite;
}

}  // namespace

bool FindTwoStrongLinks(const CandidateBoard& board, Step& step, const Changes* changes) {
    bool found = false;
    for (int digit = 1; digit <= 9; ++digit) {
        // A digit's patterns depend on its places alone.
        if (changes && changes->places[digit - 1].Empty())
            continue;
        const CellSet plane = board.Plane(digit);
        std::array<Link, kUnits> links{};
        int count = 0;
        for (int unit = 0; unit < kUnits; ++unit) {
            const unsigned places = board.Positions(unit, digit);
            if (Count9(places) != 2)
                continue;
            // A pattern of two links that both stood when nothing was found finds nothing now:
            // its removals only shrank. So one of them is fresh, in a unit that lost a place.
            const bool fresh =
                !changes || !(changes->places[digit - 1] & kUnitTables.unitSets[unit]).Empty();
            links[static_cast<std::size_t>(count++)] = {
                UnitCell(unit, std::countr_zero(places)),
                UnitCell(unit, 31 - std::countl_zero(places)), unit, fresh};
        }
        for (int i = 0; i < count; ++i) {
            for (int j = i + 1; j < count; ++j) {
                const Link& x = links[static_cast<std::size_t>(i)];
                const Link& y = links[static_cast<std::size_t>(j)];
                if (!x.fresh && !y.fresh)
                    continue;
                const Technique kind = KindOf(x.unit, y.unit);
                // The easiest kind wins, as the scale's own search sorts them.
                if (found && Info(kind).rating >= Info(step.technique).rating)
                    continue;
                // Each end of one link may be the one that sees an end of the other.
                for (int turn = 0; turn < 4; ++turn) {
                    const int a = turn & 1 ? x.b : x.a, b = turn & 1 ? x.a : x.b;
                    const int c = turn & 2 ? y.b : y.a, d = turn & 2 ? y.a : y.b;
                    if (a == c || a == d || b == c || b == d || !Sees(b, c))
                        continue;
                    CellSet pattern = CellSet::Of(a) | CellSet::Of(b) | CellSet::Of(c) | CellSet::Of(d);
                    const CellSet removed =
                        (plane & kUnitTables.peerSets[a] & kUnitTables.peerSets[d]).Minus(pattern);
                    if (removed.Empty())
                        continue;
                    step = Step{};
                    step.technique = kind;
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
