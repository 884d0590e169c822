// WXYZ-, VWXYZ- and UVWXYZ-Wings: n cells that see one another in a chain of peers and hold
// only n digits between them. Each digit whose cells in the pattern all see one another can
// go into one of them at most; if that holds for all digits but z, the other digits fill at
// most n - 1 of the cells, so z goes into one of them, and a cell that sees every z of the
// pattern loses it. Where it holds for all n digits, each digit is bound to the pattern so.
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

// The public scale's shape: all cells but one two-digit cell see one another, an almost
// locked set that the two-digit cell joins by one of its digits.
bool PublicShape(const CandidateBoard& board, const Pattern& p) {
    for (int i = 0; i < p.size; ++i) {
        if (Count9(board.Candidates(p.cells[static_cast<std::size_t>(i)])) != 2)
            continue;
        bool clique = true;
        for (int a = 0; a < p.size && clique; ++a) {
            for (int b = a + 1; b < p.size && clique; ++b) {
                if (a != i && b != i)
                    clique = Sees(p.cells[static_cast<std::size_t>(a)],
                                  p.cells[static_cast<std::size_t>(b)]);
            }
        }
        if (clique)
            return true;
    }
    return false;
}

// The removals of a complete pattern; false when it removes nothing.
bool Removals(const CandidateBoard& board, const Pattern& p, Step& step) {
    if (!PublicShape(board, p))
        return false;
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

// Grows connected patterns from `p` (its first cell the lowest), each exactly once: the next
// cell comes from `extension`, and what it adds to the extension are its peers above the first
// cell that no earlier cell of the pattern sees.
bool Grow(const CandidateBoard& board, const CellSet& usable, int size, Pattern& p,
          CellSet extension, CellSet seen, Step& step) {
    if (p.size == size)
        return Count9(p.digits) == size && Removals(board, p, step);
    while (!extension.Empty()) {
        const int cell = extension.PopFirst();
        const CellSet fresh = (kUnitTables.peerSets[cell] & usable).Minus(seen);
        Pattern next = p;
        if (!next.Add(cell, board.Candidates(cell)))
            continue;
        if (Grow(board, usable, size, next, extension | fresh,
                 seen | fresh | kUnitTables.peerSets[cell] | CellSet::Of(cell), step))
            return true;
    }
    return false;
}

}  // namespace

bool FindBentSet(const CandidateBoard& board, int size, Step& step) {
    // By digit set first: only the cells within the set can join, few for any one set.
    int setCount = 0;
    const auto& sets = SetsOfSize(size, setCount);
    std::array<std::uint16_t, kCells> candidates{};
    CellSet open;
    for (int cell = 0; cell < kCells; ++cell) {
        candidates[static_cast<std::size_t>(cell)] = board.Candidates(cell);
        const int n = Count9(candidates[static_cast<std::size_t>(cell)]);
        if (n >= 2 && n <= size)
            open.Add(cell);
    }
    for (int k = 0; k < setCount; ++k) {
        const std::uint16_t digits = sets[static_cast<std::size_t>(k)];
        CellSet fits;
        for (CellSet rest = open; !rest.Empty();) {
            const int cell = rest.PopFirst();
            if (!(candidates[static_cast<std::size_t>(cell)] & ~digits))
                fits.Add(cell);
        }
        if (fits.Count() < size)
            continue;
        for (CellSet roots = fits; !roots.Empty();) {
            const int root = roots.PopFirst();
            // Cells at or below the root belong to patterns grown from those.
            const CellSet above = roots;
            Pattern p;
            p.Add(root, candidates[static_cast<std::size_t>(root)]);
            if (Grow(board, above, size, p, kUnitTables.peerSets[root] & above,
                     kUnitTables.peerSets[root] | CellSet::Of(root), step))
                return true;
        }
    }
    return false;
}

}  // namespace zw::techniques
