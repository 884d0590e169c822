// Fish: a digit whose places in n rows lie in only n columns (or the other way round) must
// take those columns' places in these rows, so the columns lose it everywhere else. X-Wing
// for two lines, Swordfish for three, Jellyfish for four.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {

bool FindFish(const CandidateBoard& board, int size, Step& step, const Changes* changes) {
    for (int digit = 1; digit <= 9; ++digit) {
        if (changes && !(changes->digits & DigitBit(digit)))
            continue;
        const CellSet plane = board.Plane(digit);
        for (int byColumns = 0; byColumns < 2; ++byColumns) {
            const int base = byColumns ? 9 : 0, cover = byColumns ? 0 : 9;
            // Each base line's places as a set of cover lines.
            std::array<std::uint16_t, 9> places{};
            unsigned eligible = 0;
            for (int k = 0; k < 9; ++k) {
                // A row's i-th cell is in column i, a column's in row i.
                places[k] = board.Positions(base + k, digit);
                const int n = Count9(places[k]);
                if (n >= 2 && n <= size)
                    eligible |= 1u << k;
            }
            if (Count9(eligible) < size)
                continue;
            // A new fish has a base line whose places changed: the covers only lost some.
            unsigned changedLines = kAllDigits;
            if (changes) {
                changedLines = 0;
                for (int k = 0; k < 9; ++k) {
                    if (!(changes->places[digit - 1] & kUnitTables.unitSets[base + k]).Empty())
                        changedLines |= 1u << k;
                }
            }
            for (SetsWithin sets(eligible, size); sets.Next();) {
                const unsigned lines = sets.set;
                if (!(lines & changedLines))
                    continue;
                unsigned covers = 0;
                for (unsigned m = lines; m; m &= m - 1)
                    covers |= places[std::countr_zero(m)];
                if (Count9(covers) != size)
                    continue;
                CellSet baseCells, coverCells;
                for (unsigned m = lines; m; m &= m - 1)
                    baseCells |= kUnitTables.unitSets[base + std::countr_zero(m)];
                for (unsigned m = covers; m; m &= m - 1)
                    coverCells |= kUnitTables.unitSets[cover + std::countr_zero(m)];
                const CellSet removed = (plane & coverCells).Minus(baseCells);
                if (removed.Empty())
                    continue;
                step = Step{};
                step.technique = size == 2   ? Technique::XWing
                                 : size == 3 ? Technique::Swordfish
                                             : Technique::Jellyfish;
                step.digits = DigitBit(digit);
                step.cells = plane & baseCells;
                for (unsigned m = lines; m; m &= m - 1)
                    step.units |= 1u << (base + std::countr_zero(m));
                for (unsigned m = covers; m; m &= m - 1)
                    step.units |= 1u << (cover + std::countr_zero(m));
                RemoveFrom(step, removed, DigitBit(digit));
                return true;
            }
        }
    }
    return false;
}

}  // namespace zw::techniques
