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

// The members whose masks join `joined` into at most `size` bits (exactly, for the last
// member of a set), among all nine. Which members fit is anyone's guess: a fixed loop without
// branches tells it, and the search then follows only those.
template <int size, bool last = false>
unsigned Fitting(const std::array<std::uint16_t, 9>& masks, unsigned joined) {
    unsigned fit = 0;
    for (int k = 0; k < 9; ++k) {
        const int n = Count9(joined | masks[k]);
        fit |= static_cast<unsigned>(last ? n == size : n <= size) << k;
    }
    return fit;
}
// The last members that make a set hold one of `wanted`, given the set so far.
inline unsigned Completing(unsigned set, unsigned wanted) {
    return (set & wanted) ? ~0u : wanted;
}

// Completes a set of `size` members that so far holds `set`, its masks joined in `joined`,
// with `left` more from `below`, in ascending order, handing each whole set to `found` until
// it takes one. A member is added only where the masks still fit, and one before the last
// only where the set could still hold one of `wanted`.
template <int size, int left, class Found>
bool CompleteSets(const std::array<std::uint16_t, 9>& masks, unsigned set, unsigned joined,
                  unsigned below, unsigned wanted, Found& found) {
    if constexpr (left == 1) {
        for (unsigned m = below & Fitting<size, true>(masks, joined) & Completing(set, wanted); m;
             m &= m - 1) {
            if (found(set | (m & -m), joined | masks[std::countr_zero(m)]))
                return true;
        }
        return false;
    } else {
        for (unsigned m = below & Fitting<size>(masks, joined); m; m &= m - 1) {
            const int k = std::countr_zero(m);
            const unsigned grown = set | 1u << k, under = below & ((1u << k) - 1);
            if (((grown | under) & wanted) &&
                CompleteSets<size, left - 1>(masks, grown, joined | masks[k], under, wanted, found))
                return true;
        }
        return false;
    }
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
        const int k = std::countr_zero(a);
        const unsigned below = eligible & ((1u << k) - 1);
        if (below && CompleteSets<size, size - 1>(masks, 1u << k, masks[k], below, wanted, found))
            return true;
    }
    return false;
}

}  // namespace zw::techniques
