#include "techniques/technique.h"

#include <cstring>

namespace zw::techniques {

// Every technique's name and rating, in ladder order. German names where German books and
// sites have one; the English ones German players use as they are.
const TechniqueInfo& Info(Technique technique) {
    static constexpr std::array<TechniqueInfo, kTechniqueCount> kTable{{
        {"Full House", 10},
        {"Versteckter Einer im Block", 12},
        {"Versteckter Einer in Zeile oder Spalte", 15},
        {"Direktes Pointing", 17},
        {"Direktes Claiming", 19},
        {"Direktes verstecktes Paar", 20},
        {"Nackter Einer", 23},
        {"Direktes verstecktes Tripel", 25},
        {"Pointing", 26},
        {"Claiming", 28},
        {"Nacktes Paar", 30},
        {"X-Wing", 32},
        {"Verstecktes Paar", 34},
        {"Nacktes Tripel", 36},
        {"Schwertfisch", 38},
        {"Verstecktes Tripel", 40},
        {"Skyscraper", 40},
        {"2-String-Kite", 41},
        {"Turbot-Fisch", 41},
        {"XY-Wing", 42},
        {"XYZ-Wing", 44},
        {"Unique Rectangle Typ 1", 45},
        {"Unique Rectangle Typ 2", 45},
        {"Unique Rectangle Typ 3", 45},
        {"Unique Rectangle Typ 4", 45},
        {"Unique Loop Typ 1", 45},
        {"Unique Loop Typ 2", 45},
        {"Unique Loop Typ 3", 45},
        {"Unique Loop Typ 4", 45},
        {"Nacktes Quartett", 50},
        {"Qualle", 52},
        {"Verstecktes Quartett", 54},
        {"WXYZ-Wing", 55},
        {"BUG+1", 56},
        {"BUG Typ 2", 57},
        {"BUG Typ 3", 57},
        {"BUG Typ 4", 57},
        {"VWXYZ-Wing", 62},
        {"Ausschluss ausgerichteter Paare", 62},
        {"X-Zyklus", 65},
        {"Y-Zyklus", 65},
        {"UVWXYZ-Wing", 66},
        {"X-Kette", 66},
        {"Erzwingungskette", 70},
        {"Ausschluss ausgerichteter Tripel", 75},
        {"Nishio", 75},
        {"Zellen-Erzwingungsketten", 80},
        {"Einheiten-Erzwingungsketten", 80},
        {"Dynamischer Widerspruch", 85},
        {"Dynamische Zellen-Erzwingung", 85},
        {"Dynamische Einheiten-Erzwingung", 85},
        {"Dynamische Erzwingung mit Schnitten und Paaren", 90},
        {"Dynamische Erzwingung mit Ketten", 95},
    }};
    return kTable[static_cast<int>(technique)];
}

namespace {

// Whether each of four cells from `first` on loses a candidate, bit k for cell first + k:
// without a branch, as each cell's nine bits carry into the top of its sixteen when it loses
// any digit, and a multiplication gathers the four top bits.
std::uint64_t FourRemoved(const std::array<std::uint16_t, kCells>& removed, int first) {
    constexpr std::uint64_t kCarry = 0x7fff'7fff'7fff'7fffull;
    constexpr std::uint64_t kTops = 0x8000'8000'8000'8000ull;
    // Moves bits 0, 16, 32 and 48 to 48, 49, 50 and 51.
    constexpr std::uint64_t kGather = (1ull << 48) | (1ull << 33) | (1ull << 18) | (1ull << 3);
    std::uint64_t lanes = 0;  // cell first + k in bits 16k and up
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&lanes, &removed[first], sizeof lanes);
    } else {
        for (int k = 0; k < 4; ++k)
            lanes |= std::uint64_t{removed[first + k]} << 16 * k;
    }
    return (((lanes + kCarry) & kTops) >> 15) * kGather >> 48;
}

}  // namespace

// Most steps remove from a few cells: those are found four at a time, without a branch.
CellSet Step::RemovedCells() const {
    std::uint64_t lo = 0, hi = 0;
    for (int first = 0; first < 64; first += 4)
        lo |= FourRemoved(removed, first) << first;
    for (int first = 64; first + 4 <= kCells; first += 4)
        hi |= FourRemoved(removed, first) << (first - 64);
    hi |= std::uint64_t{removed[kCells - 1] != 0} << (kCells - 1 - 64);
    return {lo, hi};
}

}  // namespace zw::techniques
