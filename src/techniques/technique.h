// The ladder's vocabulary: every technique with its German name and its rating on the public
// Sudoku Explainer scale, and the step a technique finds.
//
// Cells run row by row here (cell = 9 * row + column), as a player reads the board and as a
// puzzle line is written; units are the rows 0-8, the columns 9-17 and the boxes 18-26.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

namespace zw::techniques {

constexpr int kCells = 81;
constexpr int kUnits = 27;
constexpr int kChainRoom = 128;        // nodes a step's chain or chains hold
constexpr int kUncappedRating = 1000;  // above every rating: no cap

// In ladder order: the easiest first. A rating is in tenths, so 1.7 is 17.
enum class Technique : std::uint8_t {
    FullHouse,
    HiddenSingleBox,
    HiddenSingleLine,
    DirectPointing,
    DirectClaiming,
    DirectHiddenPair,
    NakedSingle,
    DirectHiddenTriple,
    Pointing,
    Claiming,
    NakedPair,
    XWing,
    HiddenPair,
    NakedTriple,
    Swordfish,
    HiddenTriple,
    Skyscraper,
    TwoStringKite,
    TurbotFish,
    XYWing,
    XYZWing,
    UniqueRectangle1,
    UniqueRectangle2,
    UniqueRectangle3,
    UniqueRectangle4,
    UniqueLoop1,
    UniqueLoop2,
    UniqueLoop3,
    UniqueLoop4,
    NakedQuad,
    Jellyfish,
    HiddenQuad,
    WXYZWing,
    Bug1,
    Bug2,
    Bug3,
    Bug4,
    VWXYZWing,
    AlignedPairExclusion,
    XCycle,
    YCycle,
    UVWXYZWing,
    XChain,
    ForcingChain,
    AlignedTripletExclusion,
    Nishio,
    CellForcingChain,
    UnitForcingChain,
    DynamicContradiction,
    DynamicCellForcing,
    DynamicUnitForcing,
    DynamicForcingPlus,
    DynamicForcingNested,
};
constexpr int kTechniqueCount = static_cast<int>(Technique::DynamicForcingNested) + 1;

// A set of cells, bit c for cell c: two words, so the families test whole units at once.
struct CellSet {
    std::uint64_t lo = 0, hi = 0;  // cells 0-63, 64-80

    // Set bits by halves, quarters and bytes: std::popcount is a library call on a build for
    // any x86-64, which has no popcount instruction.
    static constexpr int Pop(std::uint64_t x) {
        x -= (x >> 1) & 0x5555555555555555ull;
        x = (x & 0x3333333333333333ull) + (x >> 2 & 0x3333333333333333ull);
        x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
        return static_cast<int>(x * 0x0101010101010101ull >> 56);
    }

    static CellSet Of(int cell) {
        CellSet s;
        s.Add(cell);
        return s;
    }
    static constexpr CellSet All() { return {~std::uint64_t{0}, (std::uint64_t{1} << 17) - 1}; }
    void Add(int cell) { (cell < 64 ? lo : hi) |= std::uint64_t{1} << (cell & 63); }
    void Remove(int cell) { (cell < 64 ? lo : hi) &= ~(std::uint64_t{1} << (cell & 63)); }
    // Nine cells from `first` on, bit i for cell first + i: a row at once.
    unsigned Nine(int first) const {
        const std::uint64_t bits = first >= 64  ? hi >> (first - 64)
                                   : first > 55 ? lo >> first | hi << (64 - first)
                                                : lo >> first;
        return static_cast<unsigned>(bits & 0x1ff);
    }
    bool Has(int cell) const { return ((cell < 64 ? lo : hi) >> (cell & 63)) & 1; }
    bool Empty() const { return (lo | hi) == 0; }
    int Count() const { return Pop(lo) + Pop(hi); }
    // More than one cell / exactly one, without counting.
    // Sets come from the board's candidates, so which half holds a cell is anyone's guess:
    // these take no branches on it.
    bool Many() const {
        return (((lo & (lo - 1)) | (hi & (hi - 1))) != 0) | ((lo != 0) & (hi != 0));
    }
    bool Single() const { return !Empty() && !Many(); }
    int First() const {
        // countr_zero of an empty half is 64.
        return std::countr_zero(lo) + (std::countr_zero(hi) & -static_cast<int>(lo == 0));
    }
    // Takes and returns the lowest cell; the set must not be empty.
    int PopFirst() {
        const int cell = First();
        hi &= (hi - 1) | (std::uint64_t{0} - (lo != 0));
        lo &= lo - 1;
        return cell;
    }
    CellSet operator&(CellSet o) const { return {lo & o.lo, hi & o.hi}; }
    CellSet operator|(CellSet o) const { return {lo | o.lo, hi | o.hi}; }
    CellSet Minus(CellSet o) const { return {lo & ~o.lo, hi & ~o.hi}; }
    CellSet& operator|=(CellSet o) { return *this = *this | o; }
    bool operator==(const CellSet&) const = default;
    bool Within(CellSet o) const { return Minus(o).Empty(); }
};

struct TechniqueInfo {
    std::string_view name;  // German, as a player meets it in books and on sites
    int rating;             // tenths of the public scale
};

const TechniqueInfo& Info(Technique technique);

// A node of a chain: whether a digit is (on) or is not (off) in a cell.
constexpr std::int16_t ChainNode(int cell, int digit, bool on) {
    return static_cast<std::int16_t>((cell * 9 + digit - 1) * 2 + on);
}
constexpr int NodeCell(int node) {
    return node / 18;
}
constexpr int NodeDigit(int node) {
    return node / 2 % 9 + 1;
}
constexpr bool NodeOn(int node) {
    return node & 1;
}

// One step of the ladder. Removals are kept as a digit set per cell so a step never
// allocates, however many candidates it takes.
struct Step {
    Technique technique = Technique::FullHouse;
    std::uint16_t digits = 0;  // the pattern's digits, bit d-1 for digit d
    CellSet cells;             // the pattern's cells
    // A unique rectangle's or loop's cells (its other cells are a type 3 set), a BUG's cells
    // beyond the grave, an aligned pair or triplet exclusion's two or three cells (its other
    // cells exclude), an X- or Y-cycle's cells.
    CellSet loop;
    std::uint32_t units = 0;                      // the pattern's units, bit u of the 27
    std::array<std::uint16_t, kCells> removed{};  // candidates the step takes, per cell
    int placedCell = -1;                          // the cell a digit goes into, if any
    int placedDigit = 0;
    int placedUnit = -1;  // the unit that leaves the placed digit one place; -1 for a cell

    int extra = 0;  // tenths the pattern's size adds to the table's rating
    // A chain's links in the order a player follows them, each node a ChainNode.
    std::array<std::int16_t, kChainRoom> chain{};
    int chainLength = 0;
    // Of a cell or unit forcing chain: the lengths of its branches, which `chain` holds one
    // after the other, each from one choice to the common result.
    std::array<std::uint8_t, 9> branchLengths{};
    int branchCount = 0;
    // Of a contradiction: the cell left without a digit, or the unit and digit left without a
    // place, when the chain's assumption is followed to the end.
    int emptyCell = -1;
    int emptyUnit = -1;
    int emptyDigit = 0;

    int Rating() const { return Info(technique).rating + extra; }
    // The cells that lose candidates.
    CellSet RemovedCells() const;
    bool Removes() const { return !RemovedCells().Empty(); }
};

}  // namespace zw::techniques
