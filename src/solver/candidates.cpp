#include "solver/candidates.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstring>

namespace zw {

namespace {

constexpr int RowUnit(int index) {
    return index / kGridSize;
}
constexpr int ColUnit(int index) {
    return kGridSize + index % kGridSize;
}
constexpr int BoxUnit(int index) {
    return 2 * kGridSize + (index / 27) * 3 + (index % kGridSize) / 3;
}

// The row, column and box unit of every cell.
struct CellUnits {
    std::uint8_t row, col, box;
};
constexpr std::array<CellUnits, kCellCount> MakeCellUnits() {
    std::array<CellUnits, kCellCount> units{};
    for (int i = 0; i < kCellCount; ++i) {
        units[i] = {static_cast<std::uint8_t>(RowUnit(i)), static_cast<std::uint8_t>(ColUnit(i)),
                    static_cast<std::uint8_t>(BoxUnit(i))};
    }
    return units;
}
constexpr auto kCellUnits = MakeCellUnits();

constexpr std::array<std::array<std::uint8_t, kGridSize>, kUnitCount> MakeUnitCells() {
    std::array<std::array<std::uint8_t, kGridSize>, kUnitCount> units{};
    std::array<int, kUnitCount> fill{};
    // Row by row, left to right: the order every rule visits a unit in.
    for (int i = 0; i < kCellCount; ++i) {
        for (int u : {RowUnit(i), ColUnit(i), BoxUnit(i)})
            units[u][fill[u]++] = static_cast<std::uint8_t>(i);
    }
    return units;
}
constexpr auto kUnitCells = MakeUnitCells();

// The digit a placed cell eliminates: nothing for a placed non-digit.
constexpr CellValue PlacedBits(CellValue v) {
    return (v & kCharFlag) == 0 && (v & (v - 1)) == 0 ? v : 0;
}

// The digits a cell could still hold for the hidden-single tests: all for an empty cell, the
// digits of its text otherwise.
constexpr CellValue CouldHold(CellValue v) {
    if (v == kEmptyCell)
        return kAllDigits;
    return (v & kCharFlag) ? 0 : v;
}

constexpr bool AtLeastTwo(CellValue set) {
    return (set & (set - 1)) != 0;
}

constexpr CellValue LowestDigit(CellValue set) {
    return set & (~set + 1);
}

constexpr std::array<CellSet, kUnitCount> MakeUnitSets() {
    std::array<CellSet, kUnitCount> sets{};
    for (int u = 0; u < kUnitCount; ++u) {
        for (std::uint8_t i : kUnitCells[u]) {
            if (i < 64)
                sets[u].low |= std::uint64_t{1} << i;
            else
                sets[u].high |= std::uint64_t{1} << (i - 64);
        }
    }
    return sets;
}
constexpr auto kUnitSets = MakeUnitSets();

// std::popcount would be a library call on a build for any x86-64.
constexpr int CountCells(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}
static_assert(CountCells(0) == 0 && CountCells(~std::uint64_t{0}) == 64 && CountCells(0x1FF) == 9);

void Add(CellSet& set, const CellSet& more) {
    set.low |= more.low;
    set.high |= more.high;
}

void Insert(CellSet& set, int cell) {
    if (cell < 64)
        set.low |= std::uint64_t{1} << cell;
    else
        set.high |= std::uint64_t{1} << (cell - 64);
}

void Remove(CellSet& set, int cell) {
    if (cell < 64)
        set.low &= ~(std::uint64_t{1} << cell);
    else
        set.high &= ~(std::uint64_t{1} << (cell - 64));
}

// `distinct`: the unit's placed cells hold different digits, and no other character.
template <typename CellValues>
UnitState ReadUnit(const CellValues& cells, int unit, bool& distinct) {
    UnitState s;
    CellValue placed = 0;
    int placedCells = 0;
    for (std::uint8_t i : kUnitCells[unit]) {
        const CellValue v = cells[i];
        placedCells += IsPlaced(v) ? 1 : 0;
        placed |= PlacedBits(v);
        s.Add(CouldHold(v));
    }
    s.Place(placed);
    distinct = placedCells == CountDigits(placed);
    return s;
}

// ResolveCell for an open cell, from the unit states instead of rescanning 20 neighbours.
// Must give exactly what ResolveCell gives.
CellValue ResolveFromUnits(const Grid& grid, int index, CellValue own,
                           const std::array<UnitState, kUnitCount>& units) {
    const int row = kCellUnits[index].row, col = kCellUnits[index].col, box = kCellUnits[index].box;
    const CellValue rowCol = kAllDigits & ~(units[row].Placed() | units[col].Placed());
    CellValue s;
    if (!AtLeastTwo(rowCol)) {
        // One digit: the row and column scan reaches it at some point and returns it.
        if (rowCol != 0)
            return rowCol;
        // None: only a contradictory board gets here; whether the scan stopped at one digit
        // depends on the order of the cells, so take the scan itself.
        s = GetCandidates(grid, index / kGridSize, index % kGridSize);
    } else {
        s = rowCol & ~units[box].Placed();
    }
    if (!AtLeastTwo(s))
        return s;
    const std::uint64_t self = UnitState::Fields(CouldHold(own));
    const std::uint64_t candidates = UnitState::Fields(s);
    for (int unit : {box, col, row}) {
        const std::uint64_t hidden = candidates & ~units[unit].OthersCould(self);
        if (hidden)
            return UnitState::DigitOfField(hidden);
    }
    return s;
}

}  // namespace

CellValue GetCandidates(const Grid& grid, int row, int col) {
    const CellValue own = grid.Value(row, col);
    if (IsPlaced(own))
        return own;
    CellValue s = kAllDigits;
    for (int i = 0; i < kGridSize; ++i) {
        if (i != col)
            s &= ~PlacedBits(grid.Value(row, i));
        if (i != row)
            s &= ~PlacedBits(grid.Value(i, col));
        // One digit left: returned at once. None: nothing can bring one back.
        if (!AtLeastTwo(s))
            return s;
    }
    const int top = row / 3 * 3, left = col / 3 * 3;
    for (int r = top; r < top + 3; ++r) {
        for (int c = left; c < left + 3; ++c) {
            if (r != row || c != col)
                s &= ~PlacedBits(grid.Value(r, c));
        }
    }
    return s;
}

CellValue ResolveCell(const Grid& grid, int row, int col) {
    const CellValue own = grid.Value(row, col);
    if (IsPlaced(own))
        return own;
    const CellValue s = GetCandidates(grid, row, col);
    if (CountDigits(s) == 1)
        return s;
    const int self = CellIndex(row, col);
    for (int unit : {BoxUnit(self), ColUnit(self), RowUnit(self)}) {
        CellValue others = 0;
        for (std::uint8_t i : kUnitCells[unit]) {
            if (i != self)
                others |= CouldHold(grid.ValueAt(i));
        }
        const CellValue hidden = s & ~others;
        if (hidden)
            return LowestDigit(hidden);
    }
    return s;
}

int UpdateCandidates(Grid& grid) {
    SweepCache cache;
    return cache.Sweep(grid);
}

void SweepCache::Reread(int unit) {
    bool distinct = true;
    units_[unit] = ReadUnit(known_, unit, distinct);
    if (distinct)
        broken_ &= ~(std::uint32_t{1} << unit);
    else
        broken_ |= std::uint32_t{1} << unit;
    Add(pending_, kUnitSets[unit]);
}

void SweepCache::Start(const Grid& grid) {
    known_ = grid.Values();
    broken_ = 0;
    for (int u = 0; u < kUnitCount; ++u) {
        bool distinct = true;
        units_[u] = ReadUnit(known_, u, distinct);
        if (!distinct)
            broken_ |= std::uint32_t{1} << u;
    }
    pending_ = {~std::uint64_t{0}, (std::uint64_t{1} << (kCellCount - 64)) - 1};
    open_ = {};
    for (int i = 0; i < kCellCount; ++i) {
        if (!IsPlaced(known_[i]))
            Insert(open_, i);
    }
    valid_ = true;
}

// Brings the unit states and the pending cells up to one cell's change from an open text.
//
// A cell's resolution reads of a unit only its placed digits and, per digit, whether none, one
// or several cells could hold it. A placement changes the placed digits, so the three units
// are resolved again; any other change makes a unit's cells pending only where it moves a digit
// between none, one and several.
//
// The cell itself needs no new resolution for its own change: what its tests read of a unit is,
// per digit, how many cells other than itself could hold it, and that is the same before and
// after. Its sweep wrote its resolution, which stays the same until a neighbour changes.
[[gnu::always_inline]] inline void SweepCache::Changed(int index, CellValue before,
                                                       CellValue after) {
    known_[index] = after;
    const CellValue lost = CouldHold(before) & ~CouldHold(after);
    const CellValue gained = CouldHold(after) & ~CouldHold(before);
    const CellUnits& cu = kCellUnits[index];
    if (IsPlaced(after)) {
        Remove(open_, index);
        const CellValue placed = PlacedBits(after);
        for (int unit : {cu.row, cu.col, cu.box}) {
            UnitState& u = units_[unit];
            // Placed cells stay placed until their unit is read again, and so does a clash.
            if (placed == 0 || (u.Placed() & placed) != 0)
                broken_ |= std::uint32_t{1} << unit;
            u.Place(placed);
            u.Subtract(lost);
            u.Add(gained);
        }
        pending_.low |= kUnitSets[cu.row].low | kUnitSets[cu.col].low | kUnitSets[cu.box].low;
        pending_.high |= kUnitSets[cu.row].high | kUnitSets[cu.col].high | kUnitSets[cu.box].high;
        return;
    }
    for (int unit : {cu.row, cu.col, cu.box}) {
        UnitState& u = units_[unit];
        // A lost digit crosses when one or two cells could hold it, a gained one when none or
        // one could.
        const std::uint64_t crossing = (UnitState::Fields(lost) & ~u.AtLeastThree()) |
                                       (UnitState::Fields(gained) & ~u.AtLeastTwo());
        u.Subtract(lost);
        u.Add(gained);
        if (crossing != 0)
            Add(pending_, kUnitSets[unit]);
    }
}

void SweepCache::Sync(const Grid& grid) {
    if (std::memcmp(grid.Values().data(), known_.data(), sizeof known_) == 0)
        return;
    std::uint32_t dirty = 0;  // bit u: unit u lost a placed cell
    for (int i = 0; i < kCellCount; ++i) {
        const CellValue v = grid.ValueAt(i);
        if (v == known_[i])
            continue;
        // An open cell's change (the pair rule's) is followed like a sweep's own write, and
        // the cell, which its last resolution did not write, is resolved again.
        if (!IsPlaced(known_[i])) {
            Changed(i, known_[i], v);
            Insert(pending_, i);
        } else {
            known_[i] = v;
            if (IsPlaced(v))
                Remove(open_, i);
            else
                Insert(open_, i);
            dirty |= (1u << RowUnit(i)) | (1u << ColUnit(i)) | (1u << BoxUnit(i));
        }
    }
    for (; dirty != 0; dirty &= dirty - 1)
        Reread(std::countr_zero(dirty));
}

void SweepCache::Write(Grid& grid, int index, CellValue v) {
    grid.SetValueAt(index, v);
    if (!valid_)
        return;
    const CellValue before = known_[index];
    if (before == v)
        return;
    if (IsPlaced(before)) {
        known_[index] = v;
        if (!IsPlaced(v))
            Insert(open_, index);
        Reread(RowUnit(index));
        Reread(ColUnit(index));
        Reread(BoxUnit(index));
        return;
    }
    Changed(index, before, v);
    Insert(pending_, index);
}

BoardScan SweepCache::Scan(const Grid& grid) {
    if (valid_)
        Sync(grid);
    else
        Start(grid);
    return {broken_ == 0, CountCells(open_.low) + CountCells(open_.high)};
}

int SweepCache::Sweep(Grid& grid) {
    if (valid_)
        Sync(grid);
    else
        Start(grid);
    return Run(grid, nullptr);
}

int SweepCache::SweepOwn(Grid& grid, bool& doomed) {
    if (!valid_)
        Start(grid);
    assert(std::memcmp(grid.Values().data(), known_.data(), sizeof known_) == 0);
    return Run(grid, &doomed);
}

int SweepCache::Run(Grid& grid, bool* doomed) {
    int count = 0;
    if (doomed != nullptr && broken_ != 0) {
        *doomed = true;
        return count;
    }
    // Cells before the one resolved that a write makes pending wait for the next sweep, as a
    // full sweep would only see the change there; later ones are resolved in this one. So each
    // word of cells is taken up to its end before the next, and a write in the first can make
    // cells of the second pending.
    for (int word = 0; word < 2; ++word) {
        std::uint64_t& pending = word == 0 ? pending_.low : pending_.high;
        const std::uint64_t& open = word == 0 ? open_.low : open_.high;
        std::uint64_t ahead = ~std::uint64_t{0};
        for (;;) {
            const std::uint64_t due = pending & open & ahead;
            if (due == 0)
                break;
            const int bit = std::countr_zero(due);
            pending &= ~(std::uint64_t{1} << bit);
            ahead = (~std::uint64_t{0} << bit) << 1;
            const int i = 64 * word + bit;
            const CellValue t = known_[i];
            const CellValue s = ResolveFromUnits(grid, i, t, units_);
            if (doomed != nullptr && s == kEmptyCell) [[unlikely]] {
                *doomed = true;
                return count;
            }
            if (s != t && (t == kEmptyCell || CountDigits(s) < CountDigits(t))) {
                grid.SetValueAt(i, s);
                ++count;
                Changed(i, t, s);
                if (doomed != nullptr && broken_ != 0) [[unlikely]] {
                    *doomed = true;
                    return count;
                }
            }
        }
    }
    return count;
}

}  // namespace zw
