// A player's candidates: every digit that no placed digit in a cell's row, column or box
// excludes, narrowed only by the ladder's own steps. Nine-bit digit sets per cell (bit d-1 for
// digit d), never the grid's cell texts.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "techniques/technique.h"

namespace zw::techniques {

constexpr std::uint16_t kAllDigits = 0x1ff;

// The number of set bits of a digit set or a unit's places (nine bits), by table: the
// families count constantly, and a portable build has no popcount instruction.
inline constexpr std::array<std::uint8_t, 512> kBitCounts = [] {
    std::array<std::uint8_t, 512> counts{};
    for (int m = 1; m < 512; ++m)
        counts[m] = static_cast<std::uint8_t>(counts[m >> 1] + (m & 1));
    return counts;
}();
constexpr int Count9(unsigned nineBits) {
    return kBitCounts[nineBits & 0x1ff];
}

// Exactly one bit set: what std::has_single_bit says, without the library call a build without
// a popcount instruction makes of it.
constexpr bool OneBit(unsigned bits) {
    return (bits != 0) & ((bits & (bits - 1)) == 0);
}

constexpr std::uint16_t DigitBit(int digit) {
    return static_cast<std::uint16_t>(1u << (digit - 1));
}
constexpr int Row(int cell) {
    return cell / 9;
}
constexpr int Column(int cell) {
    return cell % 9;
}
constexpr int Box(int cell) {
    return cell / 27 * 3 + cell % 9 / 3;
}

struct UnitTables {
    std::array<std::array<std::uint8_t, 9>, kUnits> cells;    // a unit's cells in reading order
    std::array<std::array<std::uint8_t, 3>, kCells> units;    // row, column and box of a cell
    std::array<std::array<std::uint8_t, 3>, kCells> indexIn;  // the cell's place in each of them
    std::array<std::array<std::uint8_t, 20>, kCells> peers;
    std::array<CellSet, kUnits> unitSets;
    std::array<CellSet, kCells> peerSets;
};
extern const UnitTables kUnitTables;

inline int UnitCell(int unit, int index) {
    return kUnitTables.cells[unit][index];
}
inline bool Sees(int a, int b) {
    return kUnitTables.peerSets[a].Has(b);
}

class CandidateBoard {
public:
    // From a puzzle line: 81 characters row by row, "1"-"9" given, anything else open.
    // False when the line is too short or its givens break the rules.
    bool SetRows(std::string_view rows);
    // From a board string, which runs column by column (character k is row k mod 9,
    // column k div 9).
    bool SetBoardString(std::string_view board);

    int Value(int cell) const { return value_[cell]; }
    std::uint16_t Candidates(int cell) const { return cand_[cell]; }
    int OpenCells() const { return open_; }
    bool Solved() const { return open_ == 0; }

    // The cells of a unit that could still hold the digit, bit i for the unit's i-th cell.
    std::uint16_t Positions(int unit, int digit) const { return places_[unit][digit - 1]; }
    // The cells that could still hold the digit.
    CellSet Plane(int digit) const { return planes_[digit - 1]; }
    // The digits placed in a unit.
    std::uint16_t PlacedIn(int unit) const { return placed_[unit]; }
    // The digits with exactly one place left in a unit.
    std::uint16_t Alone(int unit) const { return alone_[unit]; }

    // Places the digit and takes it from the cell's peers.
    void Place(int cell, int digit);
    // Takes the digit set from the cell's candidates.
    void Remove(int cell, std::uint16_t digits) {
        for (unsigned m = cand_[cell] & digits; m; m &= m - 1)
            Drop(cell, std::countr_zero(m));
        cand_[cell] &= static_cast<std::uint16_t>(~digits);
    }
    // Sets an open cell's candidates outright, as a board with a player's pencil marks has them.
    void SetCandidates(int cell, std::uint16_t digits) {
        Remove(cell, kAllDigits);
        cand_[cell] = digits & kAllDigits;
        AddPlaces(cell);
        for (int unit : kUnitTables.units[cell])
            CountAlone(unit);
    }
    // Whether an open cell has no candidate left or a unit no place for a missing digit:
    // only a board without a solution gets there.
    bool Broken() const;

    // The board row by row, "." for open cells.
    std::array<char, kCells> Rows() const;

private:
    // Enters the cell's candidates in the planes and the units.
    void AddPlaces(int cell) {
        for (unsigned m = cand_[cell]; m; m &= m - 1) {
            const int d = std::countr_zero(m);
            planes_[d].Add(cell);
            for (int k = 0; k < 3; ++k) {
                const int unit = kUnitTables.units[cell][k];
                places_[unit][d] |= static_cast<std::uint16_t>(1u << kUnitTables.indexIn[cell][k]);
                present_[unit] |= static_cast<std::uint16_t>(1u << d);
            }
        }
    }
    void CountAlone(int unit) {
        unsigned alone = 0;
        for (int d = 0; d < 9; ++d)
            alone |= unsigned{OneBit(places_[unit][d])} << d;
        alone_[unit] = static_cast<std::uint16_t>(alone);
    }
    // A digit's places in a unit changed: whether it is alone there, without a branch.
    void UpdateAlone(int unit, int d) {
        alone_[unit] = static_cast<std::uint16_t>((alone_[unit] & ~(1u << d)) |
                                                  unsigned{OneBit(places_[unit][d])} << d);
    }
    // An empty board, every cell open with every candidate or with none.
    void Clear(bool allCandidates);
    // SetRows the slow way, given by given, for givens that break the rules: the board is left
    // as far as it got.
    bool PlaceOneByOne(std::string_view rows);
    // Takes digit index d from the cell's place in the planes and the units.
    void Drop(int cell, int d) {
        planes_[d].Remove(cell);
        for (int k = 0; k < 3; ++k) {
            const int unit = kUnitTables.units[cell][k];
            places_[unit][d] &= static_cast<std::uint16_t>(~(1u << kUnitTables.indexIn[cell][k]));
            UpdateAlone(unit, d);
            if (!places_[unit][d])
                present_[unit] &= static_cast<std::uint16_t>(~(1u << d));
        }
    }

    std::array<std::uint16_t, kCells> cand_{};
    std::array<CellSet, 9> planes_{};  // the same candidates digit by digit
    // And unit by unit: a digit's places, as Positions gives them, which the families ask for
    // all the time.
    std::array<std::array<std::uint16_t, 9>, kUnits> places_{};
    std::array<std::uint16_t, kUnits> present_{};  // the digits with a place in each unit
    std::array<std::uint16_t, kUnits> alone_{};    // and with exactly one
    std::array<std::uint8_t, kCells> value_{};
    std::array<std::uint16_t, kUnits> placed_{};  // the digits placed in each unit
    int open_ = 0;
};

}  // namespace zw::techniques
