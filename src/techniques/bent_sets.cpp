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
    std::uint16_t loose = 0;           // digits whose cells here do not all see one another
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

// Per cell and unit, the unit's cells the cell sees, as bits of the unit's nine.
using SightTable = std::array<std::array<std::uint16_t, kUnits>, kCells>;
const SightTable& Sights() {
    static const SightTable table = [] {
        SightTable t{};
        for (int cell = 0; cell < kCells; ++cell) {
            for (int unit = 0; unit < kUnits; ++unit) {
                for (int i = 0; i < 9; ++i) {
                    if (kUnitTables.peerSets[cell].Has(UnitCell(unit, i)))
                        t[static_cast<std::size_t>(cell)][static_cast<std::size_t>(unit)] |=
                            static_cast<std::uint16_t>(1u << i);
                }
            }
        }
        return t;
    }();
    return table;
}

// Per unit and group of three of its cells (bits 0-2, 3-5 and 6-8 of a set of them), the cells
// each choice within the group stands for and the cells they see: a set's cells and their
// peers in three steps, without a loop over the set.
struct GroupTable {
    using PerUnit = std::array<std::array<std::array<CellSet, 8>, 3>, kUnits>;
    PerUnit cells, seen;
};
const GroupTable& Groups() {
    static const GroupTable table = [] {
        GroupTable t{};
        for (int unit = 0; unit < kUnits; ++unit) {
            for (int g = 0; g < 3; ++g) {
                for (unsigned m = 0; m < 8; ++m) {
                    for (int i = 0; i < 3; ++i) {
                        if (!(m >> i & 1))
                            continue;
                        const int cell = UnitCell(unit, 3 * g + i);
                        t.cells[unit][g][m].Add(cell);
                        t.seen[unit][g][m] |= kUnitTables.peerSets[cell];
                    }
                }
            }
        }
        return t;
    }();
    return table;
}

// Where two or more of a unit's cells (bits of its cells) also share a unit, as a code: for a
// box, its row k (k) or column k (3 + k); for a line, its stretch s through a box (s); 6 for
// none. By table.
struct ShareCodes {
    std::array<std::uint8_t, 512> box, line;
};
constexpr ShareCodes kShareCodes = [] {
    ShareCodes c{};
    for (unsigned m = 0; m < 512; ++m) {
        c.box[m] = c.line[m] = 6;
        for (unsigned k = 3; k-- > 0;) {
            if (!(m & ~(0x49u << k)))
                c.box[m] = static_cast<std::uint8_t>(3 + k);
            if (!(m & ~(0x7u << 3 * k)))
                c.box[m] = c.line[m] = static_cast<std::uint8_t>(k);
        }
    }
    return c;
}();

// Per unit and code, the cells of the unit and of the other one its cells share (just the
// unit's for none).
using SharedCells = std::array<std::array<CellSet, 7>, kUnits>;
const SharedCells& Shared() {
    static const SharedCells table = [] {
        SharedCells t{};
        for (int unit = 0; unit < kUnits; ++unit) {
            for (int code = 0; code < 7; ++code) {
                int other = -1;
                if (unit >= 18 && code < 3)
                    other = UnitCell(unit, 3 * code) / 9;
                else if (unit >= 18 && code < 6)
                    other = 9 + UnitCell(unit, code - 3) % 9;
                else if (unit < 18 && code < 3)
                    other = 18 + Box(UnitCell(unit, 3 * code));
                t[unit][code] = kUnitTables.unitSets[unit];
                if (other >= 0)
                    t[unit][code] |= kUnitTables.unitSets[other];
            }
        }
        return t;
    }();
    return table;
}

// The removals of a complete pattern; false when it removes nothing.
bool Removals(const CandidateBoard& board, const Pattern& p, Step& step) {
    const auto& holders = p.holders;
    const std::uint16_t loose = p.loose;
    CellSet cells;
    for (int i = 0; i < p.size; ++i)
        cells.Add(p.cells[i]);
    // Most patterns remove nothing: the step is only written for one that does.
    std::array<CellSet, 9> removed{};
    bool any = false;
    for (std::uint16_t rest = loose ? loose : p.digits; rest; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        CellSet seeing = CellSet::All();
        for (CellSet h = holders[d]; !h.Empty();)
            seeing = seeing & kUnitTables.peerSets[h.PopFirst()];
        removed[d] = (board.Plane(d + 1) & seeing).Minus(cells);
        any = any || !removed[d].Empty();
    }
    if (!any)
        return false;
    step = Step{};
    for (int d = 0; d < 9; ++d)
        RemoveFrom(step, removed[d], DigitBit(d + 1));
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

// The sets of `size` - 1 of a unit's usable cells holding `size` digits between them, in
// ascending order of their cell bits. A ladder run calls the wings again and again on boards
// that differ in a few cells, so the lists are kept per unit on this thread together with the
// unit's candidates they came from (as the unit's places), which decide them alone. The three
// sizes are tried one after another on the same board, so a unit's lists are made together.
// Per digit set, the sizes (bit s - 4 for size s) whose sets may hold a cell with those
// digits: two digits up to s.
constexpr auto kFitsSizes = [] {
    std::array<std::uint8_t, 512> sizes{};
    for (unsigned m = 0; m < 512; ++m) {
        for (int s = 4; s <= 6; ++s) {
            if (Count9(m) >= 2 && Count9(m) <= s)
                sizes[m] = static_cast<std::uint8_t>(sizes[m] | 1u << (s - 4));
        }
    }
    return sizes;
}();

struct SetList {
    unsigned usable = 0;  // the cells with two to `size` digits
    int count = 0;
    std::array<std::uint16_t, 126> chosen{};  // at most 9 choose 4 sets
    std::array<std::uint16_t, 126> held{};
};
struct UnitSets {
    std::array<std::uint16_t, 9> key{};
    bool valid = false;
    std::array<SetList, 3> lists;
};

const SetList& SetsOf(const CandidateBoard& board, int unit, int size) {
    auto& cache = PerThread<std::array<UnitSets, kUnits>>();
    UnitSets& sets = cache[static_cast<std::size_t>(unit)];
    // The unit's places of its digits say the same as its cells' candidates, in one row.
    std::array<std::uint16_t, 9> key;
    for (int d = 0; d < 9; ++d)
        key[static_cast<std::size_t>(d)] = board.Positions(unit, d + 1);
    auto& lists = sets.lists;
    if (sets.valid && sets.key == key)
        return lists[static_cast<std::size_t>(size - 4)];
    sets.key = key;
    sets.valid = true;
    for (SetList& list : lists)
        list.count = 0;
    // Only the cells with two to six digits, lowest first, so the walk steps over no other.
    // Which cells those are is anyone's guess: each is written in and only counted if it is
    // one, by its digits' sizes (bit s - 4 for each size s it fits), which a table gives.
    std::array<int, 9> at{};
    std::array<std::uint16_t, 9> digitsAt{};
    unsigned usable4 = 0, usable5 = 0, usable6 = 0;
    int n = 0;
    for (int i = 0; i < 9; ++i) {
        const std::uint16_t c = board.Candidates(UnitCell(unit, i));
        const unsigned sizes = kFitsSizes[c];
        usable4 |= (sizes & 1) << i;
        usable5 |= (sizes >> 1 & 1) << i;
        usable6 |= (sizes >> 2) << i;
        at[static_cast<std::size_t>(n)] = i;
        digitsAt[static_cast<std::size_t>(n)] = c;
        n += static_cast<int>(sizes >> 2);
    }
    lists[0].usable = usable4;
    lists[1].usable = usable5;
    lists[2].usable = usable6;
    // The highest cell first, then the next below it, so that each size's sets come in
    // ascending order; a set of k cells with k + 1 digits is one of size k + 1, and one that
    // already holds more than six digits is cut with all its extensions.
    auto walk = [&](auto&& self, int under, int taken, unsigned chosen, unsigned held) -> void {
        // At least three cells: the first ones leave room below them.
        for (int j = std::max(2 - taken, 0); j < under; ++j) {
            const unsigned more = held | digitsAt[static_cast<std::size_t>(j)];
            const int digits = Count9(more);
            if (digits > 6)
                continue;
            const unsigned with = chosen | 1u << at[static_cast<std::size_t>(j)];
            if (taken >= 2 && digits == taken + 2) {
                SetList& list = lists[static_cast<std::size_t>(taken - 2)];
                list.chosen[static_cast<std::size_t>(list.count)] =
                    static_cast<std::uint16_t>(with);
                list.held[static_cast<std::size_t>(list.count++)] =
                    static_cast<std::uint16_t>(more);
            }
            if (taken < 4)
                self(self, j, taken + 1, with, more);
        }
    };
    walk(walk, n, 0, 0u, 0u);
    return lists[static_cast<std::size_t>(size - 4)];
}

}  // namespace

bool FindBentSet(const CandidateBoard& board, int size, Step& step, const Changes* changes) {
    // The almost locked set: size - 1 cells of one unit (cells that all see one another always
    // share one) holding `size` digits between them.

    // The cells' digit counts, plane by plane rather than cell by cell, in bit slices: ones,
    // twos, fours and eights.
    std::array<CellSet, 4> slices{};
    for (int d = 1; d <= 9; ++d) {
        CellSet carry = board.Plane(d);
        for (CellSet& slice : slices) {
            const CellSet next = slice & carry;
            slice = {slice.lo ^ carry.lo, slice.hi ^ carry.hi};
            carry = next;
        }
    }
    const CellSet pairs = slices[1].Minus(slices[0] | slices[2] | slices[3]);
    if (pairs.Empty())
        return false;
    // The cells a set can take: two digits up to `size`; from two to seven, less five to seven,
    // six and seven, or seven.
    CellSet usableCells = (slices[1] | slices[2]).Minus(slices[3]);
    if (size == 4)
        usableCells = usableCells.Minus(slices[2] & (slices[0] | slices[1]));
    else if (size == 5)
        usableCells = usableCells.Minus(slices[2] & slices[1]);
    else
        usableCells = usableCells.Minus(slices[2] & slices[1] & slices[0]);
    // A pattern depends on its own cells' candidates alone (its removals can only have
    // shrunk), so a new one holds a changed cell: in the set, or as its two-digit cell.
    const CellSet changedPairs = changes ? pairs & changes->cells : pairs;
    // The cells the changed two-digit cells see.
    CellSet pairReach;
    for (CellSet c = changes ? changedPairs : CellSet{}; !c.Empty();)
        pairReach |= kUnitTables.peerSets[c.PopFirst()];
    const SightTable& sights = Sights();
    const GroupTable& groups = Groups();
    const SharedCells& sharedCells = Shared();
    // Per digit, filled anew for each set as far as `seeReady` says; kept out here so that
    // most sets, which have no wing, do not clear it.
    std::array<CellSet, 9> seeAll;
    // Per group of three digits, the cells holding any of a choice of them, when first asked.
    DigitCells joined;
    bool planesJoined = false;
    // Whether a set must hold a changed cell: where no changed two-digit cell sees the unit's
    // usable cells, a new pattern's change is in the set. A unit without one is passed over
    // before its sets are listed: the units worth a look are gathered first, without a branch
    // per unit.
    std::uint32_t units = (1u << kUnits) - 1;
    if (changes) {
        const CellSet wanted = usableCells & (pairReach | changes->cells);
        units = 0;
        for (int unit = 0; unit < kUnits; ++unit)
            units |= static_cast<std::uint32_t>(!(wanted & kUnitTables.unitSets[unit]).Empty())
                     << unit;
    }
    for (; units; units &= units - 1) {
        const int unit = std::countr_zero(units);
        const auto& cells = kUnitTables.cells[static_cast<std::size_t>(unit)];
        const auto& shareCodes = unit >= 18 ? kShareCodes.box : kShareCodes.line;
        const auto& sharedHere = sharedCells[static_cast<std::size_t>(unit)];
        const bool needChange =
            changes && (usableCells & kUnitTables.unitSets[unit] & pairReach).Empty();
        // The sets with `size` digits, in ascending order of their cell bits as SetsOfSize
        // lists them; listed afresh only when the unit's candidates differ from last time.
        const SetList& sets = SetsOf(board, unit, size);
        if (sets.count == 0)
            continue;
        const unsigned usable = sets.usable;
        unsigned changedHere = 0x1ff;
        if (changes) {
            // Only the usable cells matter: the sets are made of them.
            changedHere = 0;
            if (!(changes->cells & kUnitTables.unitSets[unit]).Empty()) {
                for (unsigned rest = usable; rest; rest &= rest - 1) {
                    if (changes->cells.Has(cells[static_cast<std::size_t>(std::countr_zero(rest))]))
                        changedHere |= rest & -rest;
                }
            }
            if (needChange && !changedHere)
                continue;
        }
        // A set with its `size` digits, whose two-digit cells are tried in order.
        auto trySet = [&](unsigned chosen, unsigned held) {
            // The two-digit cell: both digits in the set, in sight of one of its cells. The
            // set's pattern is built for the first one only: most sets have none.
            // Where the set holds no changed cell, only a changed one. The cells with a digit
            // beyond the set's go three digits at a time: the planes of each choice of digits
            // 1-3, 4-6 and 7-9, joined once per search.
            if (!planesJoined) {
                planesJoined = true;
                joined.Join(board);
            }
            CellSet wings =
                (chosen & changedHere ? pairs : changedPairs).Minus(joined.Holding(~held));
            if (wings.Empty())
                return false;
            const auto& groupCells = groups.cells[static_cast<std::size_t>(unit)];
            const auto& groupSeen = groups.seen[static_cast<std::size_t>(unit)];
            const CellSet alsCells = groupCells[0][chosen & 7] | groupCells[1][chosen >> 3 & 7] |
                                     groupCells[2][chosen >> 6 & 7];
            const CellSet seen = groupSeen[0][chosen & 7] | groupSeen[1][chosen >> 3 & 7] |
                                 groupSeen[2][chosen >> 6 & 7];
            wings = (wings & seen).Minus(alsCells);
            // Per digit, the cells that see all of the set's cells holding it: the set's
            // cells share the unit, so beside it only a second unit all of them lie in, or a
            // lone holder's own peers. Worked out when asked for, into `seeAll`.
            unsigned seeReady = 0;
            while (!wings.Empty()) {
                const int cell = wings.PopFirst();
                const std::uint16_t digits = board.Candidates(cell);
                // Whether the pattern removes anything, before it is built: a wing digit is
                // loose where the wing does not see the set's cells that hold it.
                const unsigned unseen =
                    chosen &
                    ~sights[static_cast<std::size_t>(cell)][static_cast<std::size_t>(unit)];
                const unsigned low = digits & -digits, high = digits & (digits - 1);
                const bool lowLoose = board.Positions(unit, std::countr_zero(low) + 1) & unseen;
                const bool highLoose = board.Positions(unit, std::countr_zero(high) + 1) & unseen;
                if (lowLoose && highLoose)
                    continue;
                const unsigned loose = (low & (0u - lowLoose)) | (high & (0u - highLoose));
                const CellSet& peers = kUnitTables.peerSets[cell];
                bool removes = false;
                for (unsigned rest = loose ? loose : held; rest && !removes; rest &= rest - 1) {
                    const int d = std::countr_zero(rest);
                    if (!(seeReady >> d & 1)) {
                        seeReady |= 1u << d;
                        const unsigned holds = board.Positions(unit, d + 1) & chosen;
                        const int first = cells[static_cast<std::size_t>(std::countr_zero(holds))];
                        seeAll[d] = (OneBit(holds) ? kUnitTables.peerSets[first]
                                                   : sharedHere[shareCodes[holds]])
                                        .Minus(alsCells);
                    }
                    // Of a wing digit, only the cells that see the wing too (never the wing
                    // itself, which is no peer of its own): a mask rather than a branch.
                    const std::uint64_t wingDigit = 0 - static_cast<std::uint64_t>(digits >> d & 1);
                    const CellSet removed = board.Plane(d + 1) & seeAll[d] &
                                            CellSet{peers.lo | ~wingDigit, peers.hi | ~wingDigit};
                    removes = !removed.Empty();
                }
                if (!removes)
                    continue;
                Pattern als;
                for (unsigned rest = chosen; rest; rest &= rest - 1) {
                    const int c = cells[static_cast<std::size_t>(std::countr_zero(rest))];
                    als.Add(c, board.Candidates(c));
                }
                Pattern p = als;
                if (p.Add(cell, digits) && Removals(board, p, step))
                    return true;
            }
            return false;
        };
        for (int k = 0; k < sets.count; ++k) {
            const unsigned chosen = sets.chosen[static_cast<std::size_t>(k)];
            if (needChange && !(chosen & changedHere))
                continue;
            if (trySet(chosen, sets.held[static_cast<std::size_t>(k)]))
                return true;
        }
    }
    return false;
}

}  // namespace zw::techniques
