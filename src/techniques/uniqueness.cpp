// Uniqueness techniques: they hold only on a puzzle with exactly one solution, which the
// caller makes sure of before it lets the ladder use them.
//
// Unique rectangle: four open cells in two rows, two columns and two boxes that could all hold
// the same two digits a and b. If they held only those, a and b could swap places and the
// puzzle would have two solutions; so the cells' other digits must take part:
//   type 1: three cells hold only a and b, so the fourth is not a or b;
//   type 2: the others hold a and b and one and the same digit c, so c is in one of them and
//           leaves every cell that sees them all;
//   type 3: two cells in one unit hold a and b and other digits, which form a naked set with
//           other cells of that unit, so the unit's remaining cells lose the set's digits;
//   type 4: two cells in one unit, which has a (say) nowhere else: one of them is a, so
//           neither may be b.
// The rating is 4.5; a type 3 set adds a tenth for each digit beyond the first (pair 4.6,
// triple 4.7, quad 4.8).
//
// BUG+1: every open cell has two digits but one with three, and every digit sits in two
// places per unit but one digit in three in that cell's units. Without that digit the board
// would be a "bivalue universal grave", which never has just one solution; so the cell is that
// digit and loses the other two (5.6).
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

// The units two cells share.
std::uint32_t SharedUnits(int a, int b) {
    std::uint32_t out = 0;
    for (int k = 0; k < 3; ++k) {
        if (kUnitTables.units[a][k] == kUnitTables.units[b][k])
            out |= 1u << kUnitTables.units[a][k];
    }
    return out;
}

void Rectangle(Step& step, Technique technique, const int (&cells)[4], std::uint16_t ab) {
    step = Step{};
    step.technique = technique;
    step.digits = ab;
    for (int cell : cells)
        step.cells.Add(cell);
    step.loop = step.cells;
}

// Type 3 in `unit`: the two extra cells act as one cell holding `extraDigits`; with size - 1
// other cells of the unit they hold just `size` digits.
bool NakedSetWithExtras(const CandidateBoard& board, int unit, int x, int y,
                        std::uint16_t extraDigits, int size, Step& step) {
    int setCount = 0;
    const auto& sets = SetsOfSize(size - 1, setCount);
    unsigned others = 0;
    for (int i = 0; i < 9; ++i) {
        const int cell = UnitCell(unit, i);
        if (cell != x && cell != y && board.Candidates(cell))
            others |= 1u << i;
    }
    for (int s = 0; s < setCount; ++s) {
        const unsigned set = sets[s];
        if (set & ~others)
            continue;
        unsigned digits = extraDigits;
        for (unsigned m = set; m; m &= m - 1)
            digits |= board.Candidates(UnitCell(unit, std::countr_zero(m)));
        if (Count9(digits) != size)
            continue;
        bool removes = false;
        for (unsigned m = others & ~set; m; m &= m - 1) {
            const int cell = UnitCell(unit, std::countr_zero(m));
            const std::uint16_t r = static_cast<std::uint16_t>(board.Candidates(cell) & digits);
            if (r)
                step.removed[cell] = r, removes = true;
        }
        if (removes) {
            for (unsigned m = set; m; m &= m - 1)
                step.cells.Add(UnitCell(unit, std::countr_zero(m)));
            step.units = 1u << unit;
            step.extra = size - 1;
            return true;
        }
        step.removed = {};
    }
    return false;
}

}  // namespace

bool FindUniqueRectangle(const CandidateBoard& board, int setSize, Step& step,
                         const Changes* changes) {
    for (int r1 = 0; r1 < 9; ++r1) {
        for (int r2 = r1 + 1; r2 < 9; ++r2) {
            // Columns where both rows could hold two digits in common.
            unsigned columns = 0;
            for (int c = 0; c < 9; ++c) {
                if (Count9(board.Candidates(r1 * 9 + c) & board.Candidates(r2 * 9 + c)) >= 2)
                    columns |= 1u << c;
            }
            for (unsigned m1 = columns; m1; m1 &= m1 - 1) {
                const int c1 = std::countr_zero(m1);
                for (unsigned m2 = m1 & (m1 - 1); m2; m2 &= m2 - 1) {
                    const int c2 = std::countr_zero(m2);
                    // Two boxes: the rows share a band or the columns a stack, not both.
                    if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3))
                        continue;
                    const int cells[4] = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1, r2 * 9 + c2};
                    std::uint16_t common = kAllDigits;
                    for (int cell : cells)
                        common &= board.Candidates(cell);
                    if (Count9(common) < 2)
                        continue;
                    // The corners and the units the types look into: rows, columns, boxes.
                    if (changes) {
                        const auto& u = kUnitTables.unitSets;
                        const CellSet inputs = u[r1] | u[r2] | u[9 + c1] | u[9 + c2] |
                                               u[18 + Box(cells[0])] | u[18 + Box(cells[3])];
                        if ((changes->cells & inputs).Empty())
                            continue;
                    }
                    for (unsigned m = common; m; m &= m - 1) {
                        for (unsigned n = m & (m - 1); n; n &= n - 1) {
                            const std::uint16_t ab =
                                static_cast<std::uint16_t>((m & -m) | (n & -n));
                            int extras[4], extraCount = 0;
                            std::uint16_t extraDigits = 0;
                            for (int cell : cells) {
                                if (board.Candidates(cell) != ab) {
                                    extras[extraCount++] = cell;
                                    extraDigits = static_cast<std::uint16_t>(
                                        extraDigits | (board.Candidates(cell) & ~ab));
                                }
                            }
                            if (extraCount == 0 || extraCount == 4)
                                continue;
                            if (setSize == 0 && extraCount == 1) {
                                Rectangle(step, Technique::UniqueRectangle1, cells, ab);
                                step.removed[extras[0]] = ab;
                                return true;
                            }
                            if (setSize == 0 && OneBit(extraDigits)) {
                                CellSet seen = kUnitTables.peerSets[extras[0]];
                                for (int k = 1; k < extraCount; ++k)
                                    seen = seen & kUnitTables.peerSets[extras[k]];
                                const CellSet removed =
                                    board.Plane(std::countr_zero(extraDigits) + 1) & seen;
                                if (!removed.Empty()) {
                                    Rectangle(step, Technique::UniqueRectangle2, cells, ab);
                                    RemoveFrom(step, removed, extraDigits);
                                    return true;
                                }
                            }
                            if (extraCount != 2)
                                continue;
                            const int x = extras[0], y = extras[1];
                            for (std::uint32_t units = SharedUnits(x, y); units;
                                 units &= units - 1) {
                                const int unit = std::countr_zero(units);
                                if (setSize == 0) {
                                    for (unsigned d = ab; d; d &= d - 1) {
                                        const int digit = std::countr_zero(d) + 1;
                                        const std::uint16_t places = board.Positions(unit, digit);
                                        if (Count9(places) != 2)
                                            continue;
                                        const std::uint16_t other =
                                            static_cast<std::uint16_t>(ab & ~(d & -d));
                                        Rectangle(step, Technique::UniqueRectangle4, cells, ab);
                                        step.units = 1u << unit;
                                        step.removed[x] = step.removed[y] = other;
                                        return true;
                                    }
                                } else if (Count9(extraDigits) <= setSize + 1 &&
                                           Count9(extraDigits) >= 2) {
                                    Rectangle(step, Technique::UniqueRectangle3, cells, ab);
                                    if (NakedSetWithExtras(board, unit, x, y, extraDigits,
                                                           setSize + 1, step))
                                        return true;
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    return false;
}

bool FindBug(const CandidateBoard& board, Step& step) {
    int bugCell = -1;
    for (int cell = 0; cell < kCells; ++cell) {
        const int n = Count9(board.Candidates(cell));
        if (n == 0 && !board.Value(cell))
            return false;
        if (n == 3 && bugCell < 0)
            bugCell = cell;
        else if (n != 0 && n != 2)
            return false;
    }
    if (bugCell < 0)
        return false;
    // Every digit twice or not at all per unit, but one digit three times in the cell's units.
    int bugDigit = 0;
    for (int unit = 0; unit < kUnits; ++unit) {
        bool own = false;
        for (int k = 0; k < 3; ++k)
            own = own || kUnitTables.units[bugCell][k] == unit;
        for (int digit = 1; digit <= 9; ++digit) {
            const int n = Count9(board.Positions(unit, digit));
            if (n == 0 || n == 2)
                continue;
            if (n != 3 || !own || (bugDigit && bugDigit != digit))
                return false;
            bugDigit = digit;
        }
    }
    if (!bugDigit || !(board.Candidates(bugCell) & DigitBit(bugDigit)))
        return false;
    step = Step{};
    step.technique = Technique::Bug1;
    step.digits = DigitBit(bugDigit);
    step.cells = CellSet::Of(bugCell);
    step.removed[bugCell] =
        board.Candidates(bugCell) & static_cast<std::uint16_t>(~DigitBit(bugDigit));
    return true;
}

}  // namespace zw::techniques
