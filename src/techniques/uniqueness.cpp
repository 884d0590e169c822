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
// Unique loop: the same with six cells or more, each unit the loop touches holding two of
// them, so that a and b could again swap all round. Its length adds to the rating as the
// public scale counts it: six cells a tenth, eight two, ten and more five (4.6, 4.7, 5.0),
// besides a type 3 set's tenths.
//
// BUG (bivalue universal grave): with a few digits taken away from a few cells, every open
// cell would have two digits and every digit two places or none in each unit. Such a board
// never has just one solution, so one of those digits must stay:
//   type 1: one such cell; it holds one of its extra digits and loses the rest (5.6);
//   type 2: one extra digit in several cells; one of them holds it, so it leaves every cell
//           that sees them all (5.7);
//   type 3: the extra digits act as one cell that forms a naked set with other cells of a
//           unit all those cells share (5.7 and a tenth per set digit beyond the first);
//   type 4: two such cells in a unit where one of their other digits has no other place:
//           the cell that takes it leaves the other its extra digit, so neither keeps its
//           second grave digit (5.7).
#include <array>
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

// The lowest of a set of units: the box before the row before the column, as 18 > 9 > 0 is
// the other way round.
int FirstSharedUnit(std::uint32_t units) {
    for (int from : {18, 0, 9}) {
        const std::uint32_t kind = units >> from & 0x1ff;
        if (kind)
            return from + std::countr_zero(kind);
    }
    return -1;
}

CellSet Open(const CandidateBoard& board) {
    CellSet open;
    for (int d = 1; d <= 9; ++d)
        open |= board.Plane(d);
    return open;
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
    unsigned others = 0;
    for (int i = 0; i < 9; ++i) {
        const int cell = UnitCell(unit, i);
        if (cell != x && cell != y && board.Candidates(cell))
            others |= 1u << i;
    }
    for (SetsWithin sets(others, size - 1); sets.Next();) {
        const unsigned set = sets.set;
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

void ListRectangles(const CandidateBoard& board, Rectangles& list) {
    list.count = 0;
    for (int r1 = 0; r1 < 9; ++r1) {
        for (int r2 = r1 + 1; r2 < 9; ++r2) {
            // Columns where both rows could hold two digits in common, digit by digit: those
            // that come up a second time. Which columns they are is anyone's guess, so this
            // takes no branch.
            unsigned once = 0, columns = 0;
            for (int d = 1; d <= 9; ++d) {
                const unsigned both = board.Positions(r1, d) & board.Positions(r2, d);
                columns |= once & both;
                once |= both;
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
                    // A corner with just the two digits is needed: so two digits in common,
                    // never more, and one corner with no others.
                    if (Count9(common) != 2)
                        continue;
                    bool pure = false;
                    for (int cell : cells)
                        pure = pure || board.Candidates(cell) == common;
                    if (!pure)
                        continue;
                    list.items[static_cast<std::size_t>(list.count++)] = {
                        static_cast<std::uint8_t>(r1), static_cast<std::uint8_t>(r2),
                        static_cast<std::uint8_t>(c1), static_cast<std::uint8_t>(c2), common};
                }
            }
        }
    }
    list.listed = true;
}

bool FindUniqueRectangle(const CandidateBoard& board, int setSize, Step& step,
                         const Changes* changes, Rectangles* rectangles) {
    Rectangles own;
    Rectangles& list = rectangles ? *rectangles : own;
    if (!list.listed)
        ListRectangles(board, list);
    // The units holding a changed cell.
    std::uint32_t changedUnits = 0;
    if (changes)
        changedUnits = UnitsOf(changes->cells);
    for (int i = 0; i < list.count; ++i) {
        const Rectangles::Corners& rect = list.items[static_cast<std::size_t>(i)];
        const int r1 = rect.r1, r2 = rect.r2, c1 = rect.c1, c2 = rect.c2;
        const int cells[4] = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1, r2 * 9 + c2};
        const std::uint16_t common = rect.common;
        // The corners and the units the types look into: rows, columns, boxes.
        if (changes) {
            const std::uint32_t inputs = 1u << r1 | 1u << r2 | 1u << (9 + c1) | 1u << (9 + c2) |
                                         1u << (18 + Box(cells[0])) | 1u << (18 + Box(cells[3]));
            if (!(changedUnits & inputs))
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
    return false;
}

namespace {

// The cells before `cell` in reading order.
CellSet Before(int cell) {
    CellSet before;
    before.lo = cell >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << cell) - 1;
    before.hi = cell >= 64 ? (std::uint64_t{1} << (cell - 64)) - 1 : 0;
    return before;
}

// A unique loop's search: a path of cells that all hold the loop's two digits, each the next
// one's neighbour in a row, column or box other than the one the path came through. Every unit
// the path touches must hold two of its cells, one at an even and one at an odd place, or the
// two digits could not swap; the path is cut as soon as a unit breaks that.
class LoopSearch {
public:
    static constexpr int kMaxCells = 16;

    // `cells`: those that may take part, holding both digits.
    LoopSearch(const CandidateBoard& board, std::uint16_t ab, CellSet cells)
        : board_(board), ab_(ab), cells_(cells) {
        CellSet wide;
        for (int d = 0; d < 9; ++d) {
            if (!(ab >> d & 1))
                wide |= board.Plane(d + 1);
        }
        pure_ = cells.Minus(wide);
    }

    // Every closed loop of six cells or more from `start`, which holds only the two digits.
    template <class Found>
    void From(int start, Found&& found) {
        length_ = 0;
        // Cells with only the two digits before the start begin loops of their own.
        blocked_[0] = pure_ & Before(start);
        Walk(start, -1, 2, 0, found);
    }

private:
    bool Enter(int cell) {
        const int parity = length_ & 1;
        const auto& units = kUnitTables.units[cell];
        for (int unit : units) {
            const int state = state_[unit];
            if ((state & 3) == 2 || state == 1 + 4 * parity)
                return false;
        }
        openAt_[length_] = open_;
        CellSet blocked = blocked_[length_] | CellSet::Of(cell);
        for (int unit : units) {
            state_[unit] = static_cast<std::uint8_t>(state_[unit] + 1 + 4 * parity);
            if ((state_[unit] & 3) == 2) {
                open_ &= ~(1u << unit);
                blocked |= kUnitTables.unitSets[unit];
            } else {
                open_ |= 1u << unit;
            }
        }
        path_[length_++] = cell;
        blocked_[length_] = blocked;
        return true;
    }
    void Leave(int cell) {
        --length_;
        open_ = openAt_[length_];
        const int step = 1 + 4 * (length_ & 1);
        for (int unit : kUnitTables.units[cell])
            state_[unit] = static_cast<std::uint8_t>(state_[unit] - step);
    }
    // Whether a unit holding one path cell has no cell left that could be its second: the
    // path then never closes.
    bool Stranded(CellSet free) const {
        for (std::uint32_t units = open_; units; units &= units - 1) {
            if ((free & kUnitTables.unitSets[std::countr_zero(units)]).Empty())
                return true;
        }
        return false;
    }

    // The cells whose digits beyond the two are `extra` at most.
    CellSet WithExtra(std::uint16_t extra) {
        const int d = std::countr_zero(static_cast<unsigned>(extra));
        if (!(withinDone_ >> d & 1)) {
            withinDone_ |= 1u << d;
            CellSet other;
            for (int e = 0; e < 9; ++e) {
                if (!((ab_ | extra) >> e & 1))
                    other |= board_.Plane(e + 1);
            }
            within_[d] = cells_.Minus(other);
        }
        return within_[d];
    }

    template <class Found>
    void Walk(int cell, int lastKind, int widesLeft, std::uint16_t extraDigits, Found& found) {
        if (!Enter(cell))
            return;
        // The cells the path may still take: not on it, in no unit that has its two already.
        CellSet free = cells_.Minus(blocked_[length_]);
        // With the wide cells used up, only those that keep one extra digit, or none.
        if (widesLeft <= 0)
            free = free & (OneBit(extraDigits) ? WithExtra(extraDigits) : pure_);
        // A step's own walk was looked at, mostly, before it was taken; the start's is here.
        if (length_ > 1 || !Stranded(free)) {
            const CellSet first = length_ >= 6 ? CellSet::Of(path_[0]) : CellSet{};
            for (int kind = 0; kind < 3; ++kind) {
                if (kind == lastKind)
                    continue;
                const int unit = kUnitTables.units[cell][kind];
                // What is left once a step through this unit fills it.
                const CellSet beyond = free.Minus(kUnitTables.unitSets[unit]);
                // Only the cells that may take part, in reading order.
                for (CellSet nexts = (free | first) & kUnitTables.unitSets[unit]; !nexts.Empty();) {
                    const int next = nexts.PopFirst();
                    if (next == path_[0]) {
                        // Closed: every unit the path touches holds two of its cells.
                        if (!open_)
                            found(path_, length_);
                        continue;
                    }
                    if (length_ >= kMaxCells)
                        continue;
                    const std::uint16_t c = board_.Candidates(next);
                    const std::uint16_t extra = static_cast<std::uint16_t>(extraDigits | (c & ~ab_));
                    const bool wide = c != ab_;
                    if (!(!wide || OneBit(extra) || widesLeft > 0))
                        continue;
                    // The next cell fills its units that hold one path cell and opens the
                    // others; one left open with no cell for a second (of those the next
                    // walk may take) would strand that walk at once.
                    std::uint32_t units = open_;
                    for (int u : kUnitTables.units[next])
                        units ^= 1u << u;
                    CellSet left = beyond;
                    if (widesLeft - wide <= 0)
                        left = left & (OneBit(extra) ? WithExtra(extra) : pure_);
                    bool stranded = false;
                    for (; units && !stranded; units &= units - 1)
                        stranded = (left & kUnitTables.unitSets[std::countr_zero(units)]).Empty();
                    if (!stranded)
                        Walk(next, kind, widesLeft - wide, extra, found);
                }
            }
        }
        Leave(cell);
    }
    const CandidateBoard& board_;
    std::uint16_t ab_;
    CellSet cells_;
    CellSet pure_;  // the cells with only the two digits
    std::array<CellSet, 9> within_{};
    unsigned withinDone_ = 0;
    std::array<int, kMaxCells> path_{};
    int length_ = 0;
    // Per path length, the cells the path can no longer take: its own, those of units that
    // hold two of them, and the cells before the start with only the two digits.
    std::array<CellSet, kMaxCells + 1> blocked_{};
    std::uint32_t open_ = 0;  // the units holding one path cell
    std::array<std::uint32_t, kMaxCells> openAt_{};  // open_ before each path cell came
    // Per unit, its path cells and four for each of them at an odd place.
    std::array<std::uint8_t, kUnits> state_{};
};

// Tenths a unique loop's length adds: six cells one, eight two, ten and more five.
int LoopLengthExtra(int cells) {
    return cells >= 10 ? 5 : cells >= 8 ? 2 : cells >= 6 ? 1 : 0;
}

// The step a loop gives, if any, of the given type (1-4).
bool LoopStep(const CandidateBoard& board, const int* loop, int length, std::uint16_t ab, int type,
              Step& step) {
    int extras[kCells], extraCount = 0;
    std::uint16_t extraDigits = 0;
    CellSet cells;
    for (int i = 0; i < length; ++i) {
        cells.Add(loop[i]);
        if (board.Candidates(loop[i]) != ab) {
            extras[extraCount++] = loop[i];
            extraDigits =
                static_cast<std::uint16_t>(extraDigits | (board.Candidates(loop[i]) & ~ab));
        }
    }
    static constexpr Technique kTypes[] = {Technique::UniqueLoop1, Technique::UniqueLoop2,
                                           Technique::UniqueLoop3, Technique::UniqueLoop4};
    auto begin = [&] {
        step = Step{};
        step.technique = kTypes[type - 1];
        step.digits = ab;
        step.cells = step.loop = cells;
        step.extra = LoopLengthExtra(length);
    };
    if (extraCount == 0)
        return false;
    if (type == 1) {
        if (extraCount != 1)
            return false;
        begin();
        step.removed[extras[0]] = ab;
        return true;
    }
    if (type == 2) {
        if (extraCount < 2 || !OneBit(extraDigits))
            return false;
        CellSet seen = kUnitTables.peerSets[extras[0]];
        for (int k = 1; k < extraCount; ++k)
            seen = seen & kUnitTables.peerSets[extras[k]];
        const CellSet removed = board.Plane(std::countr_zero(extraDigits) + 1) & seen;
        if (removed.Empty())
            return false;
        begin();
        RemoveFrom(step, removed, extraDigits);
        return true;
    }
    if (extraCount != 2)
        return false;
    const int x = extras[0], y = extras[1];
    const std::uint32_t shared = SharedUnits(x, y);
    if (type == 4) {
        for (int from : {18, 0, 9}) {
            for (std::uint32_t units = shared >> from & 0x1ff; units; units &= units - 1) {
                const int unit = from + std::countr_zero(units);
                for (unsigned d = ab; d; d &= d - 1) {
                    if (Count9(board.Positions(unit, std::countr_zero(d) + 1)) != 2)
                        continue;
                    begin();
                    step.units = 1u << unit;
                    step.removed[x] = step.removed[y] = static_cast<std::uint16_t>(ab & ~(d & -d));
                    return true;
                }
            }
        }
        return false;
    }
    if (OneBit(extraDigits))
        return false;
    for (int size = Count9(extraDigits); size <= 5; ++size) {
        for (int from : {18, 0, 9}) {
            for (std::uint32_t units = shared >> from & 0x1ff; units; units &= units - 1) {
                begin();
                const int extraBase = step.extra;
                if (NakedSetWithExtras(board, from + std::countr_zero(units), x, y, extraDigits,
                                       size, step)) {
                    step.extra += extraBase;
                    return true;
                }
            }
        }
    }
    return false;
}

// The cells less those alone in one of `units`, unit by unit; a cut cell's units are looked
// at again. Below six it stops.
CellSet CutLoners(CellSet cells, std::uint32_t units) {
    while (units && cells.Count() >= 6) {
        std::uint32_t again = 0;
        for (; units; units &= units - 1) {
            const CellSet here = cells & kUnitTables.unitSets[std::countr_zero(units)];
            if (here.Single()) {
                const int cell = here.First();
                cells.Remove(cell);
                for (int unit : kUnitTables.units[cell])
                    again |= 1u << unit;
            }
        }
        units = again;
    }
    return cells;
}

}  // namespace

bool FindUniqueLoop(const CandidateBoard& board, Step& step, const Changes* changes) {
    Step best, found;
    bool any = false;
    // A loop's step depends on its cells and, for types 3 and 4, on a unit two of them share:
    // a new one has a cell in a unit where something changed.
    CellSet near = CellSet::All();
    if (changes) {
        near = CellSet{};
        for (std::uint32_t units = UnitsOf(changes->cells); units; units &= units - 1)
            near |= kUnitTables.unitSets[std::countr_zero(units)];
    }
    // Per pair of digits (the first's row, the second's column), its cells.
    std::array<CellSet, 81> pairCells;
    CellSet pairDone;
    // Per pair of digits, the starts whose walk closed no loop, and what that walk read: the
    // cells and their digits. The same cells with the same digits walk the same way, so those
    // starts close nothing again, on this board or another.
    struct Quiet {
        CellSet cells;
        std::array<CellSet, 9> planes;
        CellSet starts;
    };
    thread_local std::array<Quiet, 81> quiet{};
    // The starts: the cells with two digits, taken bit by bit rather than tested one by one.
    for (CellSet starts = CountCellSizes(board).two; !starts.Empty();) {
        const int start = starts.PopFirst();
        const std::uint16_t ab = board.Candidates(start);
        // The cells holding both digits, less those alone in one of their units: a loop
        // cell shares each of its units with another one. Six at least must be left. Worked
        // out once per pair of digits.
        const int a = std::countr_zero(static_cast<unsigned>(ab)) + 1;
        const int b = 31 - std::countl_zero(static_cast<unsigned>(ab)) + 1;
        const int pair = (a - 1) * 9 + b - 1;
        CellSet& cells = pairCells[static_cast<std::size_t>(pair)];
        if (!pairDone.Has(pair)) {
            pairDone.Add(pair);
            cells = board.Plane(a) & board.Plane(b);
            // The cut depends on those cells alone, which a step elsewhere leaves as they
            // were: the last cut of the pair on this thread may serve.
            thread_local std::array<std::array<CellSet, 2>, 81> lastCut{};
            auto& last = lastCut[static_cast<std::size_t>(pair)];
            if (last[0] == cells) {
                cells = last[1];
            } else {
                last[0] = cells;
                cells = CutLoners(cells, (1u << kUnits) - 1);
                last[1] = cells;
            }
            if (cells.Count() >= 6) {
                Quiet& q = quiet[static_cast<std::size_t>(pair)];
                std::array<CellSet, 9> planes;
                for (int d = 0; d < 9; ++d)
                    planes[static_cast<std::size_t>(d)] = board.Plane(d + 1) & cells;
                if (!(q.cells == cells) || planes != q.planes) {
                    q.cells = cells;
                    q.planes = planes;
                    q.starts = CellSet{};
                }
            }
        }
        if (cells.Count() < 6 || !cells.Has(start) || (cells & near).Empty())
            continue;
        CellSet& quietStarts = quiet[static_cast<std::size_t>(pair)].starts;
        if (quietStarts.Has(start))
            continue;
        // The cells with only the two digits before the start begin loops of their own, so
        // a loop from here has none of them: the cells they leave alone in a unit go too.
        CellSet walkCells = cells;
        CellSet gone = cells & Before(start);
        for (int d = 0; d < 9; ++d) {
            if (!(ab >> d & 1))
                gone = gone.Minus(board.Plane(d + 1));
        }
        if (!gone.Empty()) {
            std::uint32_t units = 0;
            for (CellSet g = gone; !g.Empty();) {
                for (int unit : kUnitTables.units[g.PopFirst()])
                    units |= 1u << unit;
            }
            walkCells = CutLoners(cells.Minus(gone), units);
            if (walkCells.Count() < 6 || !walkCells.Has(start)) {
                quietStarts.Add(start);
                continue;
            }
        }
        bool closed = false;
        LoopSearch search(board, ab, walkCells);
        search.From(start, [&](const std::array<int, LoopSearch::kMaxCells>& loop, int length) {
            closed = true;
            // A loop's best step: the lowest rating, then the lowest type.
            for (int type = 1; type <= 4; ++type) {
                if (LoopStep(board, loop.data(), length, ab, type, found) &&
                    (!any || found.Rating() < best.Rating())) {
                    best = found;
                    any = true;
                }
            }
        });
        if (!closed)
            quietStarts.Add(start);
    }
    if (any)
        step = best;
    return any;
}

bool FindBug(const CandidateBoard& board, Step& step) {
    // Every cell with three digits or more must be a BUG cell. Unless they all share a unit,
    // only type 2 can follow: one extra digit, which they all hold and a cell that sees them
    // all holds too.
    const CellSizes sizes = CountCellSizes(board);
    const CellSet wides = sizes.three | sizes.many;
    if (wides.Empty())
        return false;
    if (wides.Many()) {
        const int first = wides.First();
        bool oneUnit = false;
        for (int unit : kUnitTables.units[first])
            oneUnit = oneUnit || wides.Within(kUnitTables.unitSets[unit]);
        if (!oneUnit) {
            std::uint16_t digits = kAllDigits;
            CellSet seen = CellSet::All();
            for (CellSet w = wides; !w.Empty() && digits && !seen.Empty();) {
                const int cell = w.PopFirst();
                digits = static_cast<std::uint16_t>(digits & board.Candidates(cell));
                seen = seen & kUnitTables.peerSets[cell];
            }
            bool removes = false;
            for (unsigned d = digits; d && !removes; d &= d - 1)
                removes = !(seen & board.Plane(std::countr_zero(d) + 1)).Empty();
            if (!removes)
                return false;
        }
    }
    // The BUG cells: where a unit has a digit in other than zero or two places and just one
    // of those places has more than two digits, that cell carries the digit beyond the grave.
    std::array<std::uint16_t, kCells> extra{};  // per cell, its digits beyond the grave
    CellSet bugCells;
    std::uint16_t bugDigits = 0;
    CellSet common = CellSet::All();  // the cells that see every BUG cell
    // Boxes first, then rows and columns, so the first shared unit found is the box.
    for (int k = 0; k < kUnits; ++k) {
        const int unit = (k + 18) % kUnits;
        for (int digit = 1; digit <= 9; ++digit) {
            const std::uint16_t places = board.Positions(unit, digit);
            const int n = Count9(places);
            if (n == 0 || n == 2)
                continue;
            int wide = -1, wideCount = 0;
            for (unsigned m = places; m; m &= m - 1) {
                const int cell = UnitCell(unit, std::countr_zero(m));
                if (Count9(board.Candidates(cell)) >= 3)
                    wide = cell, ++wideCount;
            }
            if (wideCount == 0)
                return false;  // too many places, but no cell to blame
            if (wideCount > 1)
                continue;  // another unit tells which cell it is
            bugCells.Add(wide);
            extra[wide] = static_cast<std::uint16_t>(extra[wide] | DigitBit(digit));
            bugDigits = static_cast<std::uint16_t>(bugDigits | DigitBit(digit));
            common = (common & kUnitTables.peerSets[wide]).Minus(bugCells);
            if (bugCells.Many() && !OneBit(bugDigits) && (common & Open(board)).Empty())
                return false;
        }
    }
    if (bugCells.Empty())
        return false;
    // Without those digits the board must be the grave itself: every open cell two digits,
    // every digit in two places or none per unit.
    auto rest = [&](int cell) {
        return static_cast<std::uint16_t>(board.Candidates(cell) & ~extra[cell]);
    };
    for (int cell = 0; cell < kCells; ++cell) {
        if (!board.Value(cell) && Count9(rest(cell)) != 2)
            return false;
    }
    for (int unit = 0; unit < kUnits; ++unit) {
        std::array<int, 9> counts{};
        for (int cell : kUnitTables.cells[unit]) {
            for (unsigned m = rest(cell); m; m &= m - 1)
                ++counts[std::countr_zero(m)];
        }
        for (int n : counts) {
            if (n != 0 && n != 2)
                return false;
        }
    }
    common = common & Open(board);
    step = Step{};
    step.digits = bugDigits;
    step.cells = step.loop = bugCells;
    if (bugCells.Single()) {
        // Type 1: the one cell holds a digit beyond the grave.
        const int cell = bugCells.First();
        step.technique = Technique::Bug1;
        step.removed[cell] = rest(cell);
        return true;
    }
    const int c1 = bugCells.First(), c2 = bugCells.Minus(CellSet::Of(c1)).First();
    const std::uint32_t shared = bugCells.Count() == 2 ? SharedUnits(c1, c2) : 0;
    // Type 4: two BUG cells in a unit that has one of their other digits only there: the one
    // that takes it leaves the other its extra digits, so neither keeps its second grave digit.
    auto type4 = [&] {
        const std::uint16_t both = static_cast<std::uint16_t>(rest(c1) & rest(c2));
        if (!shared || !OneBit(both))
            return false;
        step.technique = Technique::Bug4;
        step.units = 1u << FirstSharedUnit(shared);
        step.removed[c1] = static_cast<std::uint16_t>(rest(c1) & ~both);
        step.removed[c2] = static_cast<std::uint16_t>(rest(c2) & ~both);
        return true;
    };
    if (OneBit(bugDigits)) {
        // Type 2: one digit beyond the grave: it is in one of the BUG cells, so it leaves the
        // cells that see them all.
        const CellSet removed = common & board.Plane(std::countr_zero(bugDigits) + 1);
        if (!removed.Empty()) {
            step.technique = Technique::Bug2;
            RemoveFrom(step, removed, bugDigits);
            return true;
        }
        return type4();
    }
    if (common.Empty())
        return false;
    if (type4())
        return true;
    // Type 3: the extra digits, one of which is true, act as one cell that forms a naked set
    // with other cells of a unit all BUG cells share.
    for (int k = 0; k < 3; ++k) {
        const int unit = kUnitTables.units[c1][(k + 2) % 3];
        if (!bugCells.Within(kUnitTables.unitSets[unit]))
            continue;
        const CellSet others = common & kUnitTables.unitSets[unit];
        int cells[9], n = 0;
        for (CellSet o = others; !o.Empty();)
            cells[n++] = o.PopFirst();
        // Sets of up to five: SetsOfSize lists the other cells' choices up to four.
        for (int size = 2; size <= 5 && size <= n; ++size) {
            int setCount = 0;
            const auto& sets = SetsOfSize(size - 1, setCount);
            for (int s = 0; s < setCount; ++s) {
                if (sets[s] >> n)
                    continue;
                std::uint16_t digits = 0;
                CellSet naked;
                for (unsigned m = sets[s]; m; m &= m - 1) {
                    naked.Add(cells[std::countr_zero(m)]);
                    digits = static_cast<std::uint16_t>(
                        digits | board.Candidates(cells[std::countr_zero(m)]));
                }
                if (Count9(digits) != size || (bugDigits & ~digits))
                    continue;
                bool removes = false;
                for (CellSet o = others.Minus(naked); !o.Empty();) {
                    const int cell = o.PopFirst();
                    step.removed[cell] = board.Candidates(cell) & digits;
                    removes = removes || step.removed[cell];
                }
                if (!removes)
                    continue;
                step.technique = Technique::Bug3;
                step.cells = bugCells | naked;
                step.units = 1u << unit;
                step.extra = size - 1;
                return true;
            }
        }
    }
    return false;
}

}  // namespace zw::techniques
