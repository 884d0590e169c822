// Fish: a digit whose places in n rows lie in only n columns (or the other way round) must
// take those columns' places in these rows, so the columns lose it everywhere else. X-Wing
// for two lines, Swordfish for three, Jellyfish for four.
#include <bit>

#include "techniques/families.h"
#include "techniques/locked_sets.h"

namespace zw::techniques {

namespace {

// Per fish size (2 to 4) and a line's places, whether it may be a base line: two places up to
// `size`. By table, without a branch: which lines are is anyone's guess.
constexpr auto kBaseLine = [] {
    std::array<std::array<std::uint8_t, 512>, 5> fits{};
    for (int size = 2; size <= 4; ++size) {
        for (unsigned m = 0; m < 512; ++m)
            fits[size][m] = Count9(m) >= 2 && Count9(m) <= size;
    }
    return fits;
}();

template <int size>
bool Find(const CandidateBoard& board, Step& step, const Changes* changes) {
    // Only the changed digits, taken bit by bit.
    for (unsigned digits = changes ? changes->digits & kAllDigits : kAllDigits; digits;
         digits &= digits - 1) {
        const int digit = std::countr_zero(digits) + 1;
        const CellSet plane = board.Plane(digit);
        // The rows and the columns where the digit lost a place.
        unsigned changedRows = kAllDigits, changedColumns = kAllDigits;
        if (changes) {
            changedRows = changedColumns = 0;
            for (int r = 0; r < 9; ++r) {
                const unsigned row = changes->places[digit - 1].Nine(r * 9);
                changedRows |= static_cast<unsigned>(row != 0) << r;
                changedColumns |= row;
            }
        }
        for (int byColumns = 0; byColumns < 2; ++byColumns) {
            const int base = byColumns ? 9 : 0, cover = byColumns ? 0 : 9;
            // Each base line's places as a set of cover lines.
            std::array<std::uint16_t, 9> places{};
            unsigned eligible = 0;
            for (int k = 0; k < 9; ++k) {
                // A row's i-th cell is in column i, a column's in row i.
                places[k] = board.Positions(base + k, digit);
                eligible |= static_cast<unsigned>(kBaseLine[size][places[k]]) << k;
            }
            if (Count9(eligible) < size)
                continue;
            // A new fish has a base line whose places changed: the covers only lost some.
            const unsigned changedLines = byColumns ? changedColumns : changedRows;
            if (!(changedLines & eligible))
                continue;
            auto found = [&](unsigned lines, unsigned covers) {
                CellSet baseCells, coverCells;
                for (unsigned m = lines; m; m &= m - 1)
                    baseCells |= kUnitTables.unitSets[base + std::countr_zero(m)];
                for (unsigned m = covers; m; m &= m - 1)
                    coverCells |= kUnitTables.unitSets[cover + std::countr_zero(m)];
                const CellSet removed = (plane & coverCells).Minus(baseCells);
                if (removed.Empty())
                    return false;
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
            };
            if (LockedSets<size>(places, eligible, changedLines, found))
                return true;
        }
    }
    return false;
}

}  // namespace

bool FindFish(const CandidateBoard& board, int size, Step& step, const Changes* changes) {
    return size == 2   ? Find<2>(board, step, changes)
           : size == 3 ? Find<3>(board, step, changes)
                       : Find<4>(board, step, changes);
}

}  // namespace zw::techniques
