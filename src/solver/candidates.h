// Candidates and singles, worked out on the board's own cells.
//
// The solver keeps no table of its own: an open cell's text is its candidate list. The values
// returned here are cell values (board/grid.h), so a result "is" the text it stands for: the
// cell's own value for a placed cell, a one-digit set for a single, otherwise the candidate set
// (possibly empty).
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "board/grid.h"
#include "solver/board_scan.h"

namespace zw {

constexpr int kUnitCount = 27;  // rows 0-8, columns 9-17, boxes 18-26

// The number of digits of a digit set.
constexpr int CountDigits(CellValue set) {
    return detail::kDigitCounts[set & kAllDigits];
}

// What the hidden-single tests ask of one unit: its placed digits, and for each digit how many
// of its cells could still hold it. All in one word, so a change is one addition and a copy of
// the solver's state stays small. Digit d's count (0-9) is kept plus 14 in the 5-bit field at
// bit 5(d-1): the field's top bit then says "two or more", adding one to every field makes it
// say "one or more", taking one away "three or more", and no field ever carries into the next.
// The placed digits sit above the fields.
class UnitState {
public:
    CellValue Placed() const { return static_cast<CellValue>(word_ >> kPlacedShift); }
    void Place(CellValue digits) { word_ |= std::uint64_t{digits} << kPlacedShift; }
    void Add(CellValue digits) { word_ += kFieldOnes[digits]; }
    void Subtract(CellValue digits) { word_ -= kFieldOnes[digits]; }

    // Digit sets as the top bits of their count fields, the form the tests below answer in.
    static constexpr std::uint64_t Fields(CellValue digits) { return kFieldOnes[digits] << 4; }
    static CellValue DigitOfField(std::uint64_t fields) {
        return CellValue{1} << (std::countr_zero(fields) / 5);
    }
    // The answers hold only in the fields' top bits; callers mask them with a digit set.
    std::uint64_t AtLeastOne() const { return word_ + kFieldOnes[kAllDigits]; }
    std::uint64_t AtLeastTwo() const { return word_; }
    std::uint64_t AtLeastThree() const { return word_ - kFieldOnes[kAllDigits]; }
    // The digits some cell other than one whose own contribution is `self` (as Fields) could
    // hold: those two cells could hold, and those one could hold when it is not `self`.
    std::uint64_t OthersCould(std::uint64_t self) const {
        return AtLeastTwo() | (AtLeastOne() & ~self);
    }

private:
    static constexpr int kPlacedShift = 48;
    static constexpr int kBias = 14;
    // Bit 5(d-1) for every digit d of the set.
    static constexpr std::array<std::uint64_t, kAllDigits + 1> kFieldOnes = [] {
        std::array<std::uint64_t, kAllDigits + 1> ones{};
        for (unsigned v = 0; v <= kAllDigits; ++v) {
            for (int d = 0; d < kGridSize; ++d) {
                if (v & (1u << d))
                    ones[v] |= std::uint64_t{1} << (5 * d);
            }
        }
        return ones;
    }();

    std::uint64_t word_ = kFieldOnes[kAllDigits] * kBias;
};

// A set of cells, bit i for cell i.
struct CellSet {
    std::uint64_t low = 0;   // cells 0-63
    std::uint64_t high = 0;  // cells 64-80
};

// The digits no placed cell of the row, column or box excludes. Scans row and column together
// and stops as soon as one digit is left, so on a contradictory board the answer can be a digit
// the box already holds; the rule check finds that duplicate later.
CellValue GetCandidates(const Grid& grid, int row, int col);

// A placed cell's own value; a naked single; else a hidden single of the box, then the column,
// then the row (lowest digit first within each); else the candidates. An empty cell blocks
// hidden singles: it could still hold anything.
CellValue ResolveCell(const Grid& grid, int row, int col);

// One sweep row by row: every open cell gets its resolution when it was empty, or when the
// resolution is strictly shorter than its candidate string. Writes as it goes, so later cells
// see earlier results. Returns the number of cells written (0: the board is unchanged).
int UpdateCandidates(Grid& grid);

// UpdateCandidates for repeated sweeps: remembers the board and unit states of its last sweep,
// and re-resolves only cells whose row, column or box changed in what a resolution reads there
// (its placed digits; per digit none, one or several cells that could hold it), or whose own
// text something other than its resolution changed. A cell's resolution depends on nothing else.
// Any change to the board between sweeps is found by comparing it with the remembered one, so
// it writes and counts exactly what UpdateCandidates does. Copy it along with the board to
// continue from a saved position.
class SweepCache {
public:
    int Sweep(Grid& grid);
    // Sweep for a board that only this cache has written to since its last Sweep, Scan or
    // Write (or since it was copied): skips the comparison that finds other changes.
    //
    // For the search, it stops early and sets `doomed` once the board can no longer become
    // a solution: a unit holds a digit twice, or an open cell resolves to no candidate at all.
    // Either stays so whatever later sweeps write (placed cells stay, candidates only shrink,
    // and an empty cell can later only take a digit one of its units already holds), so the
    // board and the cache are then only fit to be thrown away.
    int SweepOwn(Grid& grid, bool& doomed);
    // Writes one cell through the cache, which then needs no comparison to find it.
    void Write(Grid& grid, int index, CellValue v);
    // ScanBoard of the board, from the cache's own account of it.
    BoardScan Scan(const Grid& grid);
    // The open cells as of the last Sweep or Scan, and their texts.
    const CellSet& OpenCells() const { return open_; }
    CellValue Known(int index) const { return known_[index]; }

private:
    int Run(Grid& grid, bool* doomed);
    void Start(const Grid& grid);
    void Sync(const Grid& grid);
    void Reread(int unit);
    void Changed(int index, CellValue before, CellValue after);

    std::array<CellValue, kCellCount> known_{};
    std::array<UnitState, kUnitCount> units_{};
    CellSet pending_;
    CellSet open_;              // the open cells of known_: only they are ever resolved
    std::uint32_t broken_ = 0;  // bit u: unit u holds a digit twice or another character
    bool valid_ = false;
};

}  // namespace zw
