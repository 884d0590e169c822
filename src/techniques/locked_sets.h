// The search the subsets and the fish share: n members of a unit (cells, digits, lines) whose
// masks (their digits, places, covering lines) join into only n bits.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "techniques/families.h"

namespace zw::techniques {

using ByUnit = std::array<std::uint16_t, kUnits>;

// Per unit, the cells (bit i for its i-th) whose candidates changed; all for a full search.
inline ByUnit ChangedCells(const Changes* changes) {
    ByUnit cells;
    cells.fill(changes ? 0 : kAllDigits);
    for (CellSet rest = changes ? changes->cells : CellSet{}; !rest.Empty();) {
        const int cell = rest.PopFirst();
        for (int k = 0; k < 3; ++k) {
            auto& c = cells[kUnitTables.units[cell][k]];
            c = static_cast<std::uint16_t>(c | 1u << kUnitTables.indexIn[cell][k]);
        }
    }
    return cells;
}
// Per unit, the digits whose places there changed; every digit everywhere for a full search.
inline ByUnit ChangedDigits(const Changes* changes) {
    ByUnit digits;
    digits.fill(changes ? 0 : kAllDigits);
    for (unsigned m = changes ? changes->digits : 0; m; m &= m - 1) {
        const int d = std::countr_zero(m);
        for (CellSet rest = changes->places[d]; !rest.Empty();) {
            const int cell = rest.PopFirst();
            for (int k = 0; k < 3; ++k) {
                auto& ds = digits[kUnitTables.units[cell][k]];
                ds = static_cast<std::uint16_t>(ds | 1u << d);
            }
        }
    }
    return digits;
}

// The members whose masks join `joined` into at most `size` bits, among all nine. Which
// members fit is anyone's guess: a fixed loop without branches tells it, and the search
// then follows only those.
template <int size>
unsigned Fitting(const std::array<std::uint16_t, 9>& masks, unsigned joined) {
    unsigned fit = 0;
    for (int k = 0; k < 9; ++k)
        fit |= static_cast<unsigned>(Count9(joined | masks[k]) <= size) << k;
    return fit;
}

// Hands `found(set, joined)` the sets of `size` (2 to 4) members within `eligible` whose masks
// join into exactly `size` bits and that hold one of `wanted`, in the order SetsWithin lists
// them (ascending), until it takes one. An eligible member's mask has at most `size` bits. A
// set is chosen from its highest member down, so a start whose masks already join into too
// many bits is dropped with everything that would complete it.
template <int size, class Found>
bool LockedSets(const std::array<std::uint16_t, 9>& masks, unsigned eligible, unsigned wanted,
                Found& found) {
    for (unsigned a = eligible; a; a &= a - 1) {
        const unsigned sa = 1u << std::countr_zero(a), ja = masks[std::countr_zero(a)];
        const unsigned belowA = eligible & (sa - 1);
        if (!belowA)
            continue;
        for (unsigned b = belowA & Fitting<size>(masks, ja); b; b &= b - 1) {
            const int kb = std::countr_zero(b);
            const unsigned sb = sa | 1u << kb, jb = ja | masks[kb];
            const int nb = Count9(jb);
            if constexpr (size == 2) {
                if (nb == 2 && (sb & wanted) && found(sb, jb))
                    return true;
                continue;
            }
            const unsigned belowB = belowA & ((1u << kb) - 1);
            if (!((sb | belowB) & wanted))
                continue;
            for (unsigned c = belowB & Fitting<size>(masks, jb); c; c &= c - 1) {
                const int kc = std::countr_zero(c);
                const unsigned sc = sb | 1u << kc, jc = jb | masks[kc];
                const int nc = Count9(jc);
                if constexpr (size == 3) {
                    if (nc == 3 && (sc & wanted) && found(sc, jc))
                        return true;
                    continue;
                }
                const unsigned belowC = belowB & ((1u << kc) - 1);
                if (!((sc | belowC) & wanted))
                    continue;
                for (unsigned d = belowC; d; d &= d - 1) {
                    const int kd = std::countr_zero(d);
                    const unsigned sd = sc | 1u << kd, jd = jc | masks[kd];
                    if (Count9(jd) == 4 && (sd & wanted) && found(sd, jd))
                        return true;
                }
            }
        }
    }
    return false;
}

}  // namespace zw::techniques
