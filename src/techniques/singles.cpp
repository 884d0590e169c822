// Full house, hidden singles (boxes rated below rows and columns) and naked singles.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

void Single(Step& step, Technique technique, int cell, int digit, int unit) {
    step = Step{};
    step.technique = technique;
    step.digits = DigitBit(digit);
    step.cells = CellSet::Of(cell);
    step.placedCell = cell;
    step.placedDigit = digit;
    step.placedUnit = unit;
    if (unit >= 0)
        step.units = 1u << unit;
}

}  // namespace

bool FindFullHouse(const CandidateBoard& board, Step& step) {
    for (int unit = 0; unit < kUnits; ++unit) {
        const std::uint16_t placed = board.PlacedIn(unit);
        if (Count9(placed) != 8)
            continue;
        int open = -1;
        for (int cell : kUnitTables.cells[unit]) {
            if (!board.Value(cell))
                open = cell;
        }
        const std::uint16_t missing = kAllDigits & ~placed;
        if (open >= 0 && (board.Candidates(open) & missing)) {
            Single(step, Technique::FullHouse, open, std::countr_zero(missing) + 1, unit);
            return true;
        }
    }
    return false;
}

bool FindHiddenSingle(const CandidateBoard& board, bool boxes, Step& step, const Changes* changes) {
    const int first = boxes ? 18 : 0, count = boxes ? 9 : 18;
    // A digit alone in the unit lost a place: the others' places there are as they were. And
    // a unit's own cells decide. Which units have one is anyone's guess: they are told apart
    // without branches, and the first is taken.
    const unsigned digits = changes ? changes->digits : kAllDigits;
    std::uint32_t units = changes ? changes->units >> first : ~std::uint32_t{0};
    for (int i = 0; i < count; ++i)
        units &= ~(std::uint32_t{(board.Alone(first + i) & digits) == 0} << i);
    units &= (std::uint32_t{1} << count) - 1;
    if (!units)
        return false;
    const int unit = first + std::countr_zero(units);
    const int digit = std::countr_zero(board.Alone(unit) & digits) + 1;
    Single(step, boxes ? Technique::HiddenSingleBox : Technique::HiddenSingleLine,
           UnitCell(unit, std::countr_zero(board.Positions(unit, digit))), digit, unit);
    return true;
}

bool FindNakedSingle(const CandidateBoard& board, Step& step, const Changes* changes) {
    for (CellSet cells = changes ? changes->cells : CellSet::All(); !cells.Empty();) {
        const int cell = cells.PopFirst();
        const std::uint16_t c = board.Candidates(cell);
        if (OneBit(c)) {
            Single(step, Technique::NakedSingle, cell, std::countr_zero(c) + 1, -1);
            return true;
        }
    }
    return false;
}

}  // namespace zw::techniques
