// Y-cycle: cells with two digits each, in a ring where each cell sees the next and shares a
// digit with it. If the first cell holds one of its digits, the next cell does not hold that
// digit and so holds its other one, and so on round the ring back to the first cell's digit;
// if the first cell holds its other digit, the same runs the other way. Either way, of two
// neighbours in the ring exactly one holds the digit they share, so a cell outside the ring
// that sees both loses it.
//
// Rating: 6.5 as an X-cycle, plus the length tenths of a chain of two nodes per cell (the
// digit on and the shared digit off), as the public scale counts a cycle.
#include <array>
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

constexpr int kStates = kCells * 9;  // a digit on in a cell: cell * 9 + digit - 1

// The other digit of a cell with two.
int OtherDigit(std::uint16_t candidates, int digit) {
    return std::countr_zero(static_cast<unsigned>(candidates & ~DigitBit(digit))) + 1;
}

}  // namespace

bool FindYCycle(const CandidateBoard& board, Step& step) {
    // The cells with two digits and, for each, those of its peers that have two as well.
    CellSet pairs;
    for (int cell = 0; cell < kCells; ++cell) {
        if (Count9(board.Candidates(cell)) == 2)
            pairs.Add(cell);
    }
    if (pairs.Count() < 3)
        return false;
    std::array<std::int16_t, kStates> parent{};
    std::array<std::uint8_t, kStates> depth{};
    std::array<std::int16_t, kStates> queue{};
    std::array<std::uint32_t, kStates> seen{};
    std::uint32_t stamp = 0;
    int bestRating = 0, bestLength = 0;

    for (CellSet starts = pairs; !starts.Empty();) {
        const int first = starts.PopFirst();
        const std::uint16_t own = board.Candidates(first);
        for (unsigned m = own; m; m &= m - 1) {
            const int x = std::countr_zero(m) + 1;  // on in the first cell
            const int w = OtherDigit(own, x);       // the digit that closes the ring
            const int start = first * 9 + x - 1;
            // Breadth first from "x in the first cell"; every state reached that sees the
            // first cell with w on closes a ring.
            ++stamp;
            int head = 0, tail = 0;
            queue[tail++] = static_cast<std::int16_t>(start);
            seen[start] = stamp;
            depth[start] = 1;
            while (head < tail) {
                const int state = queue[head++];
                const int cell = state / 9, digit = state % 9 + 1;
                if (2 * (depth[state] + 1) > kChainRoom)
                    break;
                for (CellSet next = pairs & board.Plane(digit) & kUnitTables.peerSets[cell];
                     !next.Empty();) {
                    const int to = next.PopFirst();
                    const int toState = to * 9 + OtherDigit(board.Candidates(to), digit) - 1;
                    if (seen[toState] == stamp)
                        continue;
                    seen[toState] = stamp;
                    parent[toState] = static_cast<std::int16_t>(state);
                    depth[toState] = static_cast<std::uint8_t>(depth[state] + 1);
                    queue[tail++] = static_cast<std::int16_t>(toState);
                }
            }
            for (int k = 1; k < tail; ++k) {
                const int end = queue[k];
                const int cells = depth[end];
                if (end % 9 + 1 != w || cells < 3 || !Sees(end / 9, first))
                    continue;
                const int rating = Info(Technique::YCycle).rating + ChainLengthExtra(2 * cells);
                if (bestRating &&
                    (rating > bestRating || (rating == bestRating && 2 * cells >= bestLength)))
                    continue;
                // The ring, first cell first: each cell's "on" digit and the digit it shares
                // with the next cell, which is off there.
                std::array<int, kChainRoom / 2> ring{};
                CellSet ringCells;
                bool simple = true;
                for (int at = end, i = cells - 1; i >= 0; at = parent[at], --i) {
                    ring[i] = at;
                    simple = simple && !ringCells.Has(at / 9);
                    ringCells.Add(at / 9);
                }
                if (!simple)
                    continue;
                std::array<CellSet, 9> on{}, off{};
                Step s;
                s.technique = Technique::YCycle;
                for (int i = 0; i < cells; ++i) {
                    const int c = ring[i] / 9, d = ring[i] % 9 + 1;
                    const int nextCell = ring[(i + 1) % cells] / 9;
                    on[d - 1].Add(c);
                    off[d - 1].Add(nextCell);
                    s.chain[2 * i] = ChainNode(c, d, true);
                    s.chain[2 * i + 1] = ChainNode(nextCell, d, false);
                    s.digits = static_cast<std::uint16_t>(s.digits | DigitBit(d));
                }
                bool removes = false;
                for (int d = 1; d <= 9; ++d) {
                    if (on[d - 1].Empty())
                        continue;
                    CellSet nearOn, nearOff;
                    for (CellSet c = on[d - 1]; !c.Empty();)
                        nearOn |= kUnitTables.peerSets[c.PopFirst()];
                    for (CellSet c = off[d - 1]; !c.Empty();)
                        nearOff |= kUnitTables.peerSets[c.PopFirst()];
                    const CellSet removed = (board.Plane(d) & nearOn & nearOff).Minus(ringCells);
                    if (!removed.Empty()) {
                        RemoveFrom(s, removed, DigitBit(d));
                        removes = true;
                    }
                }
                if (!removes)
                    continue;
                s.chainLength = 2 * cells;
                s.extra = ChainLengthExtra(2 * cells);
                s.cells = s.loop = ringCells;
                step = s;
                bestRating = rating;
                bestLength = 2 * cells;
            }
        }
    }
    return bestRating > 0;
}

}  // namespace zw::techniques
