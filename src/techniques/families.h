// The technique families, each in a file of its own. A Find function looks for the easiest
// step of its techniques on the board and fills `step` when it finds one; it never changes the
// board. Every step it returns removes a candidate or places a digit.
#pragma once

#include <memory>

#include "techniques/candidate_board.h"
#include "techniques/technique.h"

namespace zw::techniques {

// What changed since a family last found nothing, on a board that has only lost candidates
// since then. A pattern none of whose inputs changed still finds nothing (its removals can
// only have shrunk), so the families that take it look only where something changed, in
// their usual order: the first step they find is the one a full search finds. Null: search
// everything.
struct Changes {
    CellSet cells;                    // cells whose candidates changed
    std::uint16_t digits = 0;         // digits whose places changed
    std::array<CellSet, 9> places{};  // per digit, the cells that lost it
    std::uint32_t units = 0;          // the units holding a changed cell, bit u for unit u
};

constexpr std::uint32_t kAllUnits = (std::uint32_t{1} << kUnits) - 1;

// The cells holding any of a set of digits, in three lookups: per group of three digits (1-3,
// 4-6, 7-9), the cells holding any of each choice of them.
class DigitCells {
public:
    void Join(const CandidateBoard& board) {
        for (int g = 0; g < 3; ++g) {
            for (unsigned m = 1; m < 8; ++m)
                joined_[g][m] =
                    joined_[g][m & (m - 1)] | board.Plane(3 * g + std::countr_zero(m) + 1);
        }
    }
    CellSet Holding(unsigned digits) const {
        return joined_[0][digits & 7] | joined_[1][digits >> 3 & 7] | joined_[2][digits >> 6 & 7];
    }

private:
    std::array<std::array<CellSet, 8>, 3> joined_{};
};

// The units that hold a cell of the set: rows 0-8, columns 9-17, boxes 18-26, row by row
// without a branch.
inline std::uint32_t UnitsOf(CellSet cells) {
    std::uint32_t rows = 0, columns = 0, boxes = 0;
    for (int band = 0; band < 3; ++band) {
        unsigned inBand = 0;
        for (int r = 3 * band; r < 3 * band + 3; ++r) {
            const unsigned row = cells.Nine(9 * r);
            rows |= std::uint32_t{row != 0} << r;
            inBand |= row;
        }
        columns |= inBand;
        boxes |= (std::uint32_t{(inBand & 0007) != 0} | std::uint32_t{(inBand & 0070) != 0} << 1 |
                  std::uint32_t{(inBand & 0700) != 0} << 2)
                 << (3 * band);
    }
    return rows | columns << 9 | boxes << 18;
}

// singles.cpp
bool FindFullHouse(const CandidateBoard& board, Step& step);
bool FindHiddenSingle(const CandidateBoard& board, bool boxes, Step& step,
                      const Changes* changes = nullptr);
bool FindNakedSingle(const CandidateBoard& board, Step& step, const Changes* changes = nullptr);
// intersections.cpp: a box's digit confined to one line (pointing) or a line's to one box
// (claiming); the direct forms only where the removals leave a hidden single.
bool FindIntersection(const CandidateBoard& board, bool pointing, bool direct, Step& step,
                      const Changes* changes = nullptr);
// subsets.cpp: naked and hidden sets of `size` cells in one unit; the direct hidden forms only
// where the removals leave a hidden single in the same unit.
bool FindNakedSubset(const CandidateBoard& board, int size, Step& step,
                     const Changes* changes = nullptr);
bool FindHiddenSubset(const CandidateBoard& board, int size, bool direct, Step& step,
                      const Changes* changes = nullptr);
// fish.cpp: X-Wing (2), Swordfish (3), Jellyfish (4).
bool FindFish(const CandidateBoard& board, int size, Step& step, const Changes* changes = nullptr);
// wings.cpp
bool FindXYWing(const CandidateBoard& board, Step& step, const Changes* changes = nullptr);
bool FindXYZWing(const CandidateBoard& board, Step& step, const Changes* changes = nullptr);
// uniqueness.cpp, only for a puzzle with one solution: unique rectangles of types 1, 2 and 4
// (setSize 0) or of type 3 with a naked set of setSize + 1 digits; unique loops of six cells
// and more, the lowest rated; BUG types 1 to 4.
// The rectangles worth a look, two digits common to the four corners in two boxes, listed once
// for the four rungs that search one board.
struct Rectangles {
    struct Corners {
        std::uint8_t r1, r2, c1, c2;
        std::uint16_t common;
    };
    bool listed = false;
    int count = 0;
    std::array<Corners, 36 * 36> items;
};
bool FindUniqueRectangle(const CandidateBoard& board, int setSize, Step& step,
                         const Changes* changes = nullptr, Rectangles* rectangles = nullptr);
bool FindUniqueLoop(const CandidateBoard& board, Step& step, const Changes* changes = nullptr);
bool FindBug(const CandidateBoard& board, Step& step);
// strong_links.cpp: Skyscraper, 2-String-Kite and Turbot-Fisch, the lowest rated.
bool FindTwoStrongLinks(const CandidateBoard& board, Step& step, const Changes* changes = nullptr);
// bent_sets.cpp: WXYZ- (4 cells), VWXYZ- (5) and UVWXYZ-Wings (6).
bool FindBentSet(const CandidateBoard& board, int size, Step& step,
                 const Changes* changes = nullptr);
// cycles.cpp: a loop of cells with two digits each (Y-cycle), the lowest rated.
bool FindYCycle(const CandidateBoard& board, Step& step);
// exclusion.cpp
bool FindAlignedPairExclusion(const CandidateBoard& board, Step& step,
                              const Changes* changes = nullptr);
bool FindAlignedTripletExclusion(const CandidateBoard& board, Step& step,
                                 const Changes* changes = nullptr);
// chains.cpp: X-chains (one digit) or, with cellLinks, forcing chains, of at most maxNodes
// nodes (0: any); cell and unit forcing chains; X-cycles.
bool FindChain(const CandidateBoard& board, bool cellLinks, int maxNodes, Step& step);
bool FindForcingChains(const CandidateBoard& board, Step& step);
bool FindXCycle(const CandidateBoard& board, Step& step);
// dynamic.cpp: assumptions followed by placing digits, on one digit (Nishio, 7.5) or by
// singles (8.5): to a contradiction, or from every choice of a cell or unit to one result.
bool FindNishio(const CandidateBoard& board, Step& step);
bool FindDynamicContradiction(const CandidateBoard& board, Step& step);
// Level 1: the branches also go on by pointing, claiming and pairs (9.0 and up); level 2:
// by X-chains and forcing chains too (9.5 and up).
bool FindDynamicForcing(const CandidateBoard& board, int level, Step& step);
// Tenths a chain of that many nodes adds to its technique's rating.
int ChainLengthExtra(int nodes);
// A forcing chain's source: a cell (0-80), or a digit's places in a unit as UnitSource.
constexpr int UnitSource(int unit, int digit) {
    return 100 + unit * 9 + digit - 1;
}
// The "on" nodes a source branches into, their count returned; the source's cell or unit
// goes into the step's pattern.
int SourceBranches(const CandidateBoard& board, int source, std::array<int, 9>& starts, Step& step);

// A family's working memory, one per thread and made on its first use: a thread that never
// needs it (a window's, a command's that rates nothing) neither clears nor carries it. With
// `cleared` false, the members without an initializer, which the family writes before it reads
// them, are left as the allocator gives them, untouched until used.
template <class T, bool cleared = true>
T& PerThread() {
    thread_local std::unique_ptr<T> own;
    if (!own) {
        if constexpr (cleared)
            own = std::make_unique<T>();
        else
            own = std::make_unique_for_overwrite<T>();
    }
    return *own;
}

// Shared by the families: the 9-bit sets of a given size (up to 6), and the removal of a digit from
// a set of cells.
const std::array<std::uint16_t, 126>& SetsOfSize(int size, int& count);
// The sets of `size` bits within `within`, in the order SetsOfSize lists them (ascending):
//     for (SetsWithin sets(within, size); sets.Next();)
//         ... sets.set ...
// A mask of a few bits walks its own subsets, fewer than the list; a fuller one the list.
class SetsWithin {
public:
    SetsWithin(unsigned within, int size)
        : within_(within), size_(size), few_(Count9(within) <= 6) {
        if (!few_)
            list_ = &SetsOfSize(size, count_);
    }
    bool Next() {
        if (few_) {
            do
                set = (set - within_) & within_;
            while (set && Count9(set) != size_);
            return set != 0;
        }
        while (index_ < count_) {
            set = (*list_)[index_++];
            if (!(set & ~within_))
                return true;
        }
        return false;
    }
    unsigned set = 0;

private:
    unsigned within_;
    int size_;
    bool few_;
    const std::array<std::uint16_t, 126>* list_ = nullptr;
    int count_ = 0, index_ = 0;
};
void RemoveFrom(Step& step, CellSet cells, std::uint16_t digits);
// exclusion.cpp, for the wings too: the cells with exactly two digits, exactly three, and four
// or more, counted plane by plane.
struct CellSizes {
    CellSet two, three, many;
};
CellSizes CountCellSizes(const CandidateBoard& board);

}  // namespace zw::techniques
