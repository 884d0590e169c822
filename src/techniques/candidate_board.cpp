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
    // The givens digit by digit, and the cells each one's digit leaves.
    std::array<CellSet, 9> given{}, taken{};
    CellSet filled;
    for (int cell = 0; cell < kCells; ++cell) {
        const char c = rows[cell];
        if (c >= '1' && c <= '9') {
            given[c - '1'].Add(cell);
            filled.Add(cell);
        }
    }
    bool clash = false;
    for (int d = 0; d < 9; ++d) {
        for (CellSet g = given[d]; !g.Empty();)
            taken[d] |= kUnitTables.peerSets[g.PopFirst()];
        clash = clash || !(taken[d] & given[d]).Empty();
    }
    cand_.fill(0);
    value_.fill(0);
    placed_.fill(0);
    open_ = kCells;
    if (clash) {
        // One given at a time, up to the first that a peer already holds.
        cand_.fill(kAllDigits);
        planes_.fill(CellSet::All());
        for (auto& unit : places_)
            unit.fill(kAllDigits);
        present_.fill(kAllDigits);
        for (int cell = 0; cell < kCells; ++cell) {
            const char c = rows[cell];
            if (c < '1' || c > '9')
                continue;
            if (!(cand_[cell] & DigitBit(c - '0')))
                return false;
            Place(cell, c - '0');
        }
        return true;
    }
    // All at once: what placing the givens one by one leaves, without walking each one's
    // peers.
    for (auto& unit : places_)
        unit.fill(0);
    for (int d = 0; d < 9; ++d) {
        planes_[d] = CellSet::All().Minus(filled).Minus(taken[d]);
        for (CellSet p = planes_[d]; !p.Empty();)
            cand_[p.PopFirst()] |= DigitBit(d + 1);
        for (CellSet g = given[d]; !g.Empty();) {
            const int cell = g.PopFirst();
            value_[cell] = static_cast<std::uint8_t>(d + 1);
            for (int unit : kUnitTables.units[cell])
                placed_[unit] = static_cast<std::uint16_t>(placed_[unit] | DigitBit(d + 1));
            --open_;
        }
    }
    for (int cell = 0; cell < kCells; ++cell) {
        for (unsigned m = cand_[cell]; m; m &= m - 1) {
            const int d = std::countr_zero(m);
            for (int k = 0; k < 3; ++k) {
                auto& places = places_[kUnitTables.units[cell][k]][d];
                places = static_cast<std::uint16_t>(places | 1u << kUnitTables.indexIn[cell][k]);
            }
        }
    }
    for (int unit = 0; unit < kUnits; ++unit) {
        std::uint16_t present = 0;
        for (int d = 0; d < 9; ++d) {
            if (places_[unit][d])
                present = static_cast<std::uint16_t>(present | 1u << d);
        }
        present_[unit] = present;
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
            if (!places_[unit][d])
                present_[unit] &= static_cast<std::uint16_t>(~(1u << d));
        }
    }
    for (int unit : own) {
        places_[unit][d] = 0;
        present_[unit] &= keep;
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
