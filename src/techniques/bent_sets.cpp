// WXYZ-, VWXYZ- and UVWXYZ-Wings: n - 1 cells of one unit holding n digits between them (an
// almost locked set) and a cell with two of those digits that sees one of them, n cells with n
// digits in all. A digit whose cells in the pattern all see one another goes into one of them
// at most; if that holds for all digits but z, the others fill at most n - 1 of the cells, so
// z goes into one of them, and a cell that sees every z of the pattern loses it. Where it holds
// for all n digits, each digit is bound to the pattern so.
#include <algorithm>
#include <bit>
#include <cstdlib>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

struct Pattern {
    std::array<int, 6> cells{};
    int size = 0;
    std::uint16_t digits = 0;
    std::uint16_t loose = 0;            // digits whose cells here do not all see one another
    std::array<CellSet, 9> holders{};  // per digit, the cells here that hold it

    // Adds a cell; false when two digits are loose, which more cells can never mend.
    bool Add(int cell, std::uint16_t candidates) {
        cells[static_cast<std::size_t>(size++)] = cell;
        digits = static_cast<std::uint16_t>(digits | candidates);
        for (std::uint16_t rest = candidates; rest; rest &= rest - 1) {
            CellSet& h = holders[static_cast<std::size_t>(std::countr_zero(rest))];
            if (!h.Within(kUnitTables.peerSets[cell]))
                loose = static_cast<std::uint16_t>(loose | (rest & -rest));
            h.Add(cell);
        }
        return Count9(loose) <= 1;
    }
};

// The removals of a complete pattern; false when it removes nothing.
bool Removals(const CandidateBoard& board, const Pattern& p, Step& step) {
    const auto& holders = p.holders;
    const std::uint16_t loose = p.loose;
    CellSet cells;
    for (int i = 0; i < p.size; ++i)
        cells.Add(p.cells[i]);
    step = Step{};
    bool any = false;
    for (std::uint16_t rest = loose ? loose : p.digits; rest; rest &= rest - 1) {
        const int digit = std::countr_zero(rest) + 1;
        CellSet seeing = CellSet::All();
        for (CellSet h = holders[digit - 1]; !h.Empty();)
            seeing = seeing & kUnitTables.peerSets[h.PopFirst()];
        const CellSet removed = (board.Plane(digit) & seeing).Minus(cells);
        if (!removed.Empty()) {
            RemoveFrom(step, removed, DigitBit(digit));
            any = true;
        }
    }
    if (!any)
        return false;
    int largest = 0;
    for (int i = 0; i < p.size; ++i)
        largest = std::max(largest, Count9(board.Candidates(p.cells[i])));
    step.cells = cells;
    step.digits = p.digits;
    // The public scale rates a pattern whose largest cell is of middling size a little higher.
    switch (p.size) {
        case 4:
            step.technique = Technique::WXYZWing;
            step.extra = largest == 3 ? 1 : 0;
            break;
        case 5:
            step.technique = Technique::VWXYZWing;
            step.extra = 2 - std::abs(3 - largest);
            break;
        default:
            step.technique = Technique::UVWXYZWing;
            break;
    }
    return true;
}

}  // namespace

bool FindBentSet(const CandidateBoard& board, int size, Step& step, const Changes* changes) {
    // The almost locked set: size - 1 cells of one unit (cells that all see one another always
    // share one) holding `size` digits between them.
    CellSet pairs;
    for (int cell = 0; cell < kCells; ++cell) {
        if (Count9(board.Candidates(cell)) == 2)
            pairs.Add(cell);
    }
    if (pairs.Empty())
        return false;
    // A pattern depends on its own cells' candidates alone (its removals can only have
    // shrunk), so a new one holds a changed cell: in the set, or as its two-digit cell.
    const CellSet changedPairs = changes ? pairs & changes->cells : pairs;
    int subsetCount = 0;
    const auto& subsets = SetsOfSize(size - 1, subsetCount);
    for (int unit = 0; unit < kUnits; ++unit) {
        const auto& cells = kUnitTables.cells[static_cast<std::size_t>(unit)];
        unsigned usable = 0;
        std::array<std::uint16_t, 9> inUnit{};
        for (int i = 0; i < 9; ++i) {
            inUnit[static_cast<std::size_t>(i)] = board.Candidates(cells[static_cast<std::size_t>(i)]);
            const int n = Count9(inUnit[static_cast<std::size_t>(i)]);
            if (n >= 2 && n <= size)
                usable |= 1u << i;
        }
        if (Count9(usable) < size - 1)
            continue;
        unsigned changedHere = 0x1ff;
        if (changes) {
            changedHere = 0;
            for (int i = 0; i < 9; ++i) {
                if (changes->cells.Has(cells[static_cast<std::size_t>(i)]))
                    changedHere |= 1u << i;
            }
            if (!(changedHere & usable) && changedPairs.Empty())
                continue;
        }
        for (int k = 0; k < subsetCount; ++k) {
            const unsigned chosen = subsets[static_cast<std::size_t>(k)];
            if (chosen & ~usable)
                continue;
            // Most sets hold too many digits: count them before building the pattern.
            unsigned held = 0;
            for (unsigned rest = chosen; rest; rest &= rest - 1)
                held |= inUnit[static_cast<std::size_t>(std::countr_zero(rest))];
            if (Count9(held) != size)
                continue;
            Pattern als;
            CellSet alsCells, seen;
            for (unsigned rest = chosen; rest; rest &= rest - 1) {
                const int cell = cells[static_cast<std::size_t>(std::countr_zero(rest))];
                als.Add(cell, board.Candidates(cell));
                alsCells.Add(cell);
                seen |= kUnitTables.peerSets[cell];
            }
            // The two-digit cell: both digits in the set, in sight of one of its cells.
            const CellSet wings = chosen & changedHere ? pairs : changedPairs;
            for (CellSet wing = (wings & seen).Minus(alsCells); !wing.Empty();) {
                const int cell = wing.PopFirst();
                const std::uint16_t digits = board.Candidates(cell);
                if (digits & ~als.digits)
                    continue;
                Pattern p = als;
                if (p.Add(cell, digits) && Removals(board, p, step))
                    return true;
            }
        }
    }
    return false;
}

}  // namespace zw::techniques
