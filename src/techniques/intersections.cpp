// Pointing (a box's digit confined to one row or column, so the rest of that line loses it)
// and claiming (a line's digit confined to one box, so the rest of the box loses it).
//
// The direct forms are rated lower because a player needs no candidates for them: they count
// only where the removals leave another region of the first kind (another box along the line,
// or another line through the box) one place for the digit, and that place is the step's
// placement.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

// The three rows and three columns crossing a box (18-26), by table, as every confined
// digit asks for them.
constexpr auto kCrossing = [] {
    std::array<std::array<std::uint8_t, 6>, 9> lines{};
    for (int b = 0; b < 9; ++b) {
        for (int k = 0; k < 6; ++k)
            lines[b][k] =
                static_cast<std::uint8_t>(k < 3 ? b / 3 * 3 + k : 9 + b % 3 * 3 + (k - 3));
    }
    return lines;
}();
int CrossingLine(int box, int k) {
    return kCrossing[box - 18][k];
}

// The regions of the first kind that cross `second` (besides `first`): the boxes along a
// line, or the lines of the same direction through a box.
int OtherRegion(int first, int second, int k) {
    if (first >= 18) {  // boxes along the line `second`
        const int line = second;
        return line < 9 ? 18 + line / 3 * 3 + k : 18 + (line - 9) / 3 + 3 * k;
    }
    const int b = second - 18;  // lines through the box, in the direction of `first`
    return first < 9 ? b / 3 * 3 + k : 9 + b % 3 * 3 + k;
}

// By a region's places (nine unit bits), where they all lie if they are two or more: for a
// box, bit k for its row k (k < 3) or column k - 3; for a line, bit s for its stretch s of
// three cells, the stretch through one box.
struct Confined {
    std::array<std::uint8_t, 512> box{}, line{};
};
constexpr Confined kConfined = [] {
    Confined c{};
    for (unsigned p = 0; p < 512; ++p) {
        if (Count9(p) < 2)
            continue;
        for (int k = 0; k < 3; ++k) {
            if (!(p & ~(0x7u << 3 * k))) {
                c.box[p] = static_cast<std::uint8_t>(c.box[p] | 1u << k);
                c.line[p] = static_cast<std::uint8_t>(1u << k);
            }
            if (!(p & ~(0x49u << k)))
                c.box[p] = static_cast<std::uint8_t>(c.box[p] | 1u << (3 + k));
        }
    }
    return c;
}();

template <bool pointing, bool direct>
bool Find(const CandidateBoard& board, Step& step, const Changes* changes) {
    // One digit's places decide: only the changed digits, taken bit by bit.
    for (unsigned digits = changes ? changes->digits & kAllDigits : kAllDigits; digits;
         digits &= digits - 1) {
        const int digit = std::countr_zero(digits) + 1;
        const CellSet plane = board.Plane(digit);
        // Per box, its crossing lines k whose first region's places all lie in the second:
        // the only ones that can make a step.
        std::array<unsigned, 9> lines{};
        unsigned boxes = 0;  // those with any
        if (pointing) {
            for (int b = 0; b < 9; ++b) {
                lines[b] = kConfined.box[board.Positions(18 + b, digit)];
                boxes |= static_cast<unsigned>(lines[b] != 0) << b;
            }
        } else {
            for (int line = 0; line < 18; ++line) {
                const unsigned stretch = kConfined.line[board.Positions(line, digit)];
                if (!stretch)
                    continue;
                const int s = std::countr_zero(stretch), i = line % 9;
                const int b = line < 9 ? i / 3 * 3 + s : s * 3 + i / 3;
                lines[b] |= line < 9 ? 1u << (i % 3) : 1u << (3 + i % 3);
                boxes |= 1u << b;
            }
        }
        for (; boxes; boxes &= boxes - 1) {
            const int box = 18 + std::countr_zero(boxes);
            for (unsigned ks = lines[box - 18]; ks; ks &= ks - 1) {
                const int k = std::countr_zero(ks);
                const int line = CrossingLine(box, k);
                const int first = pointing ? box : line, second = pointing ? line : box;
                // Two places or more, all in the second region: the table saw to that.
                const CellSet own = plane & kUnitTables.unitSets[first];
                const CellSet removed = (plane & kUnitTables.unitSets[second]).Minus(own);
                if (removed.Empty())
                    continue;
                int placed = -1, placedUnit = -1;
                if (direct) {
                    for (int j = 0; j < 3 && placed < 0; ++j) {
                        const int other = OtherRegion(first, second, j);
                        if (other == first)
                            continue;
                        const CellSet left = (plane & kUnitTables.unitSets[other]).Minus(removed);
                        if (left.Single() &&
                            !(plane & kUnitTables.unitSets[other] & removed).Empty())
                            placed = left.First(), placedUnit = other;
                    }
                    if (placed < 0)
                        continue;
                }
                step = Step{};
                step.technique =
                    direct ? (pointing ? Technique::DirectPointing : Technique::DirectClaiming)
                           : (pointing ? Technique::Pointing : Technique::Claiming);
                step.digits = DigitBit(digit);
                step.cells = own;
                step.units = (1u << first) | (1u << second);
                RemoveFrom(step, removed, DigitBit(digit));
                if (placed >= 0) {
                    step.placedCell = placed;
                    step.placedDigit = digit;
                    step.placedUnit = placedUnit;
                }
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool FindIntersection(const CandidateBoard& board, bool pointing, bool direct, Step& step,
                      const Changes* changes) {
    if (pointing)
        return direct ? Find<true, true>(board, step, changes)
                      : Find<true, false>(board, step, changes);
    return direct ? Find<false, true>(board, step, changes)
                  : Find<false, false>(board, step, changes);
}

}  // namespace zw::techniques
