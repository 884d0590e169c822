// Dynamic contradiction: assume a digit in a cell, fill in every single that follows (naked
// and hidden, each placement changing the board for the next), and if some cell is left with
// no digit or some unit with no place for a digit, the assumption was wrong.
//
// Rated 8.5 plus the length tenths of the chain, counted here as the placements up to the
// contradiction with the assumption and the contradiction itself as nodes; the ladder takes
// the shortest.
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

struct Outcome {
    std::array<std::int16_t, kChainRoom> chain{};
    int length = 0;
    int emptyCell = -1, emptyUnit = -1, emptyDigit = 0;
};

// Follows singles from the assumption until a contradiction (true) or a standstill. Stops
// early once the chain would be as long as `maxNodes`.
bool FollowSingles(CandidateBoard board, int cell, int digit, int maxNodes, Outcome& out) {
    out.length = 0;
    out.chain[out.length++] = ChainNode(cell, digit, true);
    board.Place(cell, digit);
    Step single;
    while (out.length < maxNodes) {
        for (int c = 0; c < kCells; ++c) {
            if (!board.Value(c) && !board.Candidates(c)) {
                out.emptyCell = c;
                return true;
            }
        }
        for (int unit = 0; unit < kUnits; ++unit) {
            std::uint16_t could = board.PlacedIn(unit);
            for (int c : kUnitTables.cells[unit])
                could = static_cast<std::uint16_t>(could | board.Candidates(c));
            if (could != kAllDigits) {
                out.emptyUnit = unit;
                out.emptyDigit = std::countr_zero(static_cast<unsigned>(~could & kAllDigits)) + 1;
                return true;
            }
        }
        if (!FindNakedSingle(board, single) && !FindHiddenSingle(board, true, single) &&
            !FindHiddenSingle(board, false, single))
            return false;
        out.chain[out.length++] = ChainNode(single.placedCell, single.placedDigit, true);
        board.Place(single.placedCell, single.placedDigit);
    }
    return false;
}

}  // namespace

bool FindDynamicContradiction(const CandidateBoard& board, Step& step) {
    Outcome outcome, best;
    int bestNodes = kChainRoom;
    for (int cell = 0; cell < kCells; ++cell) {
        for (unsigned m = board.Candidates(cell); m; m &= m - 1) {
            const int digit = std::countr_zero(m) + 1;
            outcome = Outcome{};
            if (FollowSingles(board, cell, digit, bestNodes - 1, outcome) &&
                outcome.length + 1 < bestNodes) {
                best = outcome;
                bestNodes = outcome.length + 1;
            }
        }
    }
    if (bestNodes == kChainRoom)
        return false;
    step = Step{};
    step.technique = Technique::DynamicContradiction;
    step.chain = best.chain;
    step.chainLength = best.length;
    step.extra = ChainLengthExtra(bestNodes);
    step.emptyCell = best.emptyCell;
    step.emptyUnit = best.emptyUnit;
    step.emptyDigit = best.emptyDigit;
    for (int i = 0; i < best.length; ++i)
        step.cells.Add(NodeCell(best.chain[i]));
    const int cell = NodeCell(best.chain[0]), digit = NodeDigit(best.chain[0]);
    step.digits = DigitBit(digit);
    step.removed[cell] = DigitBit(digit);
    return true;
}

}  // namespace zw::techniques
