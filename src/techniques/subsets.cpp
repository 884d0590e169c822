// Naked sets (n cells of a unit holding only n digits between them: the unit's other cells
// lose those digits) and hidden sets (n digits of a unit with only n places between them:
// those cells lose every other digit), for n = 2, 3, 4.
//
// A direct hidden pair or triple is rated lower: it counts only where the removals leave
// another digit of the same unit one place, which the step then fills.
#include <bit>

#include "techniques/families.h"
#include "techniques/locked_sets.h"

namespace zw::techniques {

const std::array<std::uint16_t, 126>& SetsOfSize(int size, int& count) {
    static const auto tables = [] {
        std::array<std::array<std::uint16_t, 126>, 7> sets{};
        std::array<int, 7> counts{};
        for (unsigned m = 1; m < 512; ++m) {
            const int n = Count9(m);
            if (n <= 6)
                sets[n][counts[n]++] = static_cast<std::uint16_t>(m);
        }
        return std::pair{sets, counts};
    }();
    count = tables.second[size];
    return tables.first[size];
}

void RemoveFrom(Step& step, CellSet cells, std::uint16_t digits) {
    while (!cells.Empty())
        step.removed[cells.PopFirst()] |= digits;
}

namespace {

template <int size>
bool FindNaked(const CandidateBoard& board, Step& step, const Changes* changes) {
    const ByUnit changed = ChangedCells(changes);
    // A new naked set has a cell that changed: the others' removals only shrank.
    for (std::uint32_t units = changes ? changes->units : kAllUnits; units; units &= units - 1) {
        const int unit = std::countr_zero(units);
        const unsigned changedIn = changed[unit];
        // Open cells with at most `size` candidates may take part.
        std::array<std::uint16_t, 9> cand{};
        unsigned eligible = 0, open = 0;
        for (int i = 0; i < 9; ++i) {
            cand[i] = board.Candidates(UnitCell(unit, i));
            const unsigned n = static_cast<unsigned>(Count9(cand[i]));
            open |= static_cast<unsigned>(n != 0) << i;
            eligible |= static_cast<unsigned>(n - 1 < static_cast<unsigned>(size)) << i;
        }
        if (Count9(eligible) < size || Count9(open) <= size)
            continue;
        if (!(changedIn & eligible))
            continue;
        auto found = [&](unsigned set, unsigned digits) {
            bool removes = false;
            for (unsigned m = open & ~set; m && !removes; m &= m - 1)
                removes = (cand[std::countr_zero(m)] & digits) != 0;
            if (!removes)
                return false;
            step = Step{};
            step.technique = size == 2   ? Technique::NakedPair
                             : size == 3 ? Technique::NakedTriple
                                         : Technique::NakedQuad;
            step.digits = static_cast<std::uint16_t>(digits);
            step.units = 1u << unit;
            for (int i = 0; i < 9; ++i) {
                const int cell = UnitCell(unit, i);
                if (set >> i & 1)
                    step.cells.Add(cell);
                else
                    step.removed[cell] = static_cast<std::uint16_t>(cand[i] & digits);
            }
            return true;
        };
        if (LockedSets<size>(cand, eligible, changedIn, found))
            return true;
    }
    return false;
}

template <int size, bool direct>
bool FindHidden(const CandidateBoard& board, Step& step, const Changes* changes) {
    // A new hidden set has a digit whose places here changed: the rest only lost others. Not
    // so a direct one, which may place another digit that lost a place: only a unit whose
    // cells all stayed as they were is passed over.
    // A unit without a changed cell has neither.
    const ByUnit changed = ChangedDigits(direct ? nullptr : changes);
    for (std::uint32_t units = changes ? changes->units : kAllUnits; units; units &= units - 1) {
        const int unit = std::countr_zero(units);
        const unsigned wanted = changed[unit];
        std::array<std::uint16_t, 9> places, cand;
        unsigned eligible = 0;
        for (int d = 0; d < 9; ++d) {
            places[d] = board.Positions(unit, d + 1);
            // No branch: whether a digit takes part is anyone's guess.
            eligible |= static_cast<unsigned>(Count9(places[d]) - 1u < static_cast<unsigned>(size))
                        << d;
        }
        // Too few members, or none that changed.
        if ((Count9(eligible) < size) | !(eligible & wanted))
            continue;
        // The unit's candidates only for a set that may make a step.
        int open = -1;
        auto found = [&](unsigned digits, unsigned cells) {
            if (open < 0) {
                open = 0;
                for (int i = 0; i < 9; ++i) {
                    cand[i] = board.Candidates(UnitCell(unit, i));
                    open += cand[i] != 0;
                }
            }
            if (open <= size)
                return false;
            bool removes = false;
            for (unsigned m = cells; m && !removes; m &= m - 1)
                removes = (cand[std::countr_zero(m)] & ~digits) != 0;
            if (!removes)
                return false;
            // The direct form: another digit whose places outside the set are now one.
            int placedDigit = 0, placedIndex = -1;
            if (direct) {
                for (int d = 0; d < 9 && !placedDigit; ++d) {
                    const unsigned rest = places[d] & ~cells;
                    if (!(digits >> d & 1) && Count9(places[d]) > 1 && OneBit(rest))
                        placedDigit = d + 1, placedIndex = std::countr_zero(rest);
                }
                if (!placedDigit)
                    return false;
            }
            step = Step{};
            step.technique =
                direct ? (size == 2 ? Technique::DirectHiddenPair : Technique::DirectHiddenTriple)
                : size == 2 ? Technique::HiddenPair
                : size == 3 ? Technique::HiddenTriple
                            : Technique::HiddenQuad;
            step.digits = static_cast<std::uint16_t>(digits);
            step.units = 1u << unit;
            for (unsigned m = cells; m; m &= m - 1) {
                const int i = std::countr_zero(m);
                step.cells.Add(UnitCell(unit, i));
                step.removed[UnitCell(unit, i)] = static_cast<std::uint16_t>(cand[i] & ~digits);
            }
            if (placedDigit) {
                step.placedCell = UnitCell(unit, placedIndex);
                step.placedDigit = placedDigit;
                step.placedUnit = unit;
            }
            return true;
        };
        if (LockedSets<size>(places, eligible, wanted, found))
            return true;
    }
    return false;
}

}  // namespace

bool FindNakedSubset(const CandidateBoard& board, int size, Step& step, const Changes* changes) {
    return size == 2   ? FindNaked<2>(board, step, changes)
           : size == 3 ? FindNaked<3>(board, step, changes)
                       : FindNaked<4>(board, step, changes);
}

bool FindHiddenSubset(const CandidateBoard& board, int size, bool direct, Step& step,
                      const Changes* changes) {
    if (direct)
        return size == 2   ? FindHidden<2, true>(board, step, changes)
               : size == 3 ? FindHidden<3, true>(board, step, changes)
                           : FindHidden<4, true>(board, step, changes);
    return size == 2   ? FindHidden<2, false>(board, step, changes)
           : size == 3 ? FindHidden<3, false>(board, step, changes)
                       : FindHidden<4, false>(board, step, changes);
}

}  // namespace zw::techniques
