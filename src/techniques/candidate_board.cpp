#include "techniques/candidate_board.h"

namespace zw::techniques {

const UnitTables kUnitTables = [] {
    UnitTables t{};
    for (int cell = 0; cell < kCells; ++cell) {
        const int units[3] = {Row(cell), 9 + Column(cell), 18 + Box(cell)};
        for (int k = 0; k < 3; ++k)
            t.units[cell][k] = static_cast<std::uint8_t>(units[k]);
    }
    std::array<int, kUnits> filled{};
    for (int cell = 0; cell < kCells; ++cell) {
        for (int k = 0; k < 3; ++k) {
            const int unit = t.units[cell][k];
            t.indexIn[cell][k] = static_cast<std::uint8_t>(filled[unit]);
            t.cells[unit][filled[unit]++] = static_cast<std::uint8_t>(cell);
            t.unitSets[unit].Add(cell);
        }
        int n = 0;
        for (int other = 0; other < kCells; ++other) {
            if (other != cell && (Row(other) == Row(cell) || Column(other) == Column(cell) ||
                                  Box(other) == Box(cell))) {
                t.peers[cell][n++] = static_cast<std::uint8_t>(other);
                t.peerSets[cell].Add(other);
            }
        }
    }
    return t;
}();

bool CandidateBoard::SetRows(std::string_view rows) {
    if (rows.size() < kCells)
        return false;
    // The givens first, then every open cell's candidates at once: placing the givens one by
    // one takes each from a full board's peers, many times the work.
    Clear(false);
    for (int cell = 0; cell < kCells; ++cell) {
        const char c = rows[cell];
        if (c < '1' || c > '9')
            continue;
        const int digit = c - '0';
        const auto& units = kUnitTables.units[cell];
        if ((placed_[units[0]] | placed_[units[1]] | placed_[units[2]]) & DigitBit(digit))
            return PlaceOneByOne(rows);  // a peer already holds it
        value_[cell] = static_cast<std::uint8_t>(digit);
        for (int unit : units)
            placed_[unit] = static_cast<std::uint16_t>(placed_[unit] | DigitBit(digit));
        --open_;
    }
    for (int cell = 0; cell < kCells; ++cell) {
        if (value_[cell])
            continue;
        const auto& units = kUnitTables.units[cell];
        cand_[cell] = static_cast<std::uint16_t>(
            kAllDigits & ~(placed_[units[0]] | placed_[units[1]] | placed_[units[2]]));
        AddPlaces(cell);
    }
    for (int unit = 0; unit < kUnits; ++unit)
        CountAlone(unit);
    return true;
}

void CandidateBoard::Clear(bool allCandidates) {
    const std::uint16_t digits = allCandidates ? kAllDigits : 0;
    cand_.fill(digits);
    planes_.fill(allCandidates ? CellSet::All() : CellSet{});
    for (auto& unit : places_)
        unit.fill(digits);
    present_.fill(digits);
    alone_.fill(0);
    value_.fill(0);
    placed_.fill(0);
    open_ = kCells;
}

bool CandidateBoard::PlaceOneByOne(std::string_view rows) {
    Clear(true);
    for (int cell = 0; cell < kCells; ++cell) {
        const char c = rows[cell];
        if (c < '1' || c > '9')
            continue;
        const int digit = c - '0';
        if (!(cand_[cell] & DigitBit(digit)))
            return false;  // a peer already holds it
        Place(cell, digit);
    }
    return true;
}

bool CandidateBoard::SetBoardString(std::string_view board) {
    if (board.size() < kCells)
        return false;
    std::array<char, kCells> rows{};
    for (int k = 0; k < kCells; ++k)
        rows[(k % 9) * 9 + k / 9] = board[k];
    return SetRows({rows.data(), rows.size()});
}

void CandidateBoard::Place(int cell, int digit) {
    const int d = digit - 1;
    const std::uint16_t keep = static_cast<std::uint16_t>(~DigitBit(digit));
    // The cell's own units lose every place of the digit at once; a peer that had it only
    // its other units.
    const auto& own = kUnitTables.units[cell];
    const CellSet had = planes_[d] & kUnitTables.peerSets[cell];
    planes_[d] = planes_[d].Minus(had);
    for (CellSet rest = had; !rest.Empty();) {
        const int peer = rest.PopFirst();
        cand_[peer] &= keep;
        for (int k = 0; k < 3; ++k) {
            const int unit = kUnitTables.units[peer][k];
            if (unit == own[0] || unit == own[1] || unit == own[2])
                continue;
            places_[unit][d] &= static_cast<std::uint16_t>(~(1u << kUnitTables.indexIn[peer][k]));
            UpdateAlone(unit, d);
            if (!places_[unit][d])
                present_[unit] &= static_cast<std::uint16_t>(~(1u << d));
        }
    }
    for (int unit : own) {
        places_[unit][d] = 0;
        present_[unit] &= keep;
        alone_[unit] &= keep;
    }
    planes_[d].Remove(cell);
    for (unsigned m = cand_[cell] & keep; m; m &= m - 1)
        Drop(cell, std::countr_zero(m));
    cand_[cell] = 0;
    value_[cell] = static_cast<std::uint8_t>(digit);
    for (int unit : kUnitTables.units[cell])
        placed_[unit] = static_cast<std::uint16_t>(placed_[unit] | DigitBit(digit));
    --open_;
}

bool CandidateBoard::Broken() const {
    // Every open cell has a candidate when the open cells are the cells with one.
    CellSet any;
    for (const CellSet& plane : planes_)
        any |= plane;
    if (any.Count() != open_)
        return true;
    // Without an early exit, the units' test runs several at a time.
    unsigned all = kAllDigits;
    for (int unit = 0; unit < kUnits; ++unit)
        all &= static_cast<unsigned>(placed_[unit] | present_[unit]);
    return all != kAllDigits;
}

std::array<char, kCells> CandidateBoard::Rows() const {
    std::array<char, kCells> out{};
    for (int cell = 0; cell < kCells; ++cell)
        out[cell] = value_[cell] ? static_cast<char>('0' + value_[cell]) : '.';
    return out;
}

}  // namespace zw::techniques
