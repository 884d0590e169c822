// Assumptions followed by filling in digits, as a player would try them in pencil.
//
// Dynamic contradiction: assume a digit in a cell, fill in every single that follows (naked
// and hidden, each placement changing the board for the next), and if some cell is left with
// no digit or some unit with no place for a digit, the assumption was wrong.
//
// Nishio: the same with one digit only, placed where a unit has one place left for it until
// some unit has none.
//
// Dynamic forcing: every digit a cell could hold (or every place of a digit in a unit), each
// followed the same way, leads to the same placement or removal; a branch that ends in a
// contradiction cannot be the right one and agrees with anything. Level 1 goes on by
// pointing, claiming and pairs where no single follows, level 2 by chains too.
//
// Ratings: Nishio 7.5, contradiction and forcing 8.5, level 1 9.0, level 2 9.5, each plus the
// length tenths of its nodes: the assumption, each placement (or removal step) up to the
// result, and for a contradiction the contradiction itself; all branches together for
// forcing. A contradiction's nodes are weighted to count as the public scale counts them (see
// FindNishio and FindDynamicContradiction). The ladder takes the shortest.
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
        // Which cell or unit is broken, the first in order, once the board says one is.
        if (board.Broken()) {
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
                    out.emptyDigit =
                        std::countr_zero(static_cast<unsigned>(~could & kAllDigits)) + 1;
                    return true;
                }
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

// One branch followed to its end: the placements in order, and for every candidate the
// number of placements after which it was gone (0: still there; only for the board's
// candidates).
struct Branch {
    std::array<std::int16_t, kChainRoom> placed{};  // placements, and removals as "off" nodes
    int count = 0;
    bool contradiction = false;
    std::array<std::uint8_t, kCells * 9> goneAfter{};
};

// With `level` 1, where no single follows, pointing, claiming and naked and hidden pairs go
// on; with level 2 also X-chains and forcing chains.
void FollowBranch(CandidateBoard board, int cell, int digit, int level, Branch& out) {
    out.count = 0;
    out.contradiction = false;
    out.goneAfter.fill(0);
    Step single;
    while (out.count < kChainRoom) {
        const std::array<std::uint16_t, kCells> before = [&] {
            std::array<std::uint16_t, kCells> c{};
            for (int k = 0; k < kCells; ++k)
                c[k] = board.Candidates(k);
            return c;
        }();
        board.Place(cell, digit);
        out.placed[out.count++] = ChainNode(cell, digit, true);
        for (int k = 0; k < kCells; ++k) {
            for (unsigned m = before[k] & ~board.Candidates(k); m; m &= m - 1) {
                if (!(k == cell && static_cast<int>(std::countr_zero(m)) + 1 == digit))
                    out.goneAfter[k * 9 + std::countr_zero(m)] =
                        static_cast<std::uint8_t>(out.count);
            }
        }
        if (board.Broken()) {
            out.contradiction = true;
            return;
        }
        if (board.Solved())
            return;
        while (!FindNakedSingle(board, single) && !FindHiddenSingle(board, true, single) &&
               !FindHiddenSingle(board, false, single)) {
            if (level == 0 || out.count == kChainRoom ||
                !(FindIntersection(board, true, false, single) ||
                  FindIntersection(board, false, false, single) ||
                  FindNakedSubset(board, 2, single) || FindHiddenSubset(board, 2, false, single) ||
                  (level > 1 &&
                   (FindChain(board, false, 0, single) || FindChain(board, true, 0, single)))))
                return;
            // A removal step: its first removed candidate stands for it in the branch.
            int first = -1;
            for (int k = 0; k < kCells; ++k) {
                for (unsigned m = single.removed[k]; m; m &= m - 1) {
                    if (first < 0)
                        first = ChainNode(k, std::countr_zero(m) + 1, false);
                    out.goneAfter[k * 9 + std::countr_zero(m)] =
                        static_cast<std::uint8_t>(out.count + 1);
                }
                board.Remove(k, single.removed[k]);
            }
            out.placed[out.count++] = static_cast<std::int16_t>(first);
            if (board.Broken()) {
                out.contradiction = true;
                return;
            }
        }
        cell = single.placedCell;
        digit = single.placedDigit;
    }
}

// Nishio's search from one assumption: the digit's places as one set, units emptied as it is
// placed. True on a contradiction, with the placements in `out`.
bool FollowDigit(const CandidateBoard& board, int cell, int digit, int maxNodes, Outcome& out) {
    CellSet places = board.Plane(digit);
    std::uint32_t done = 0;  // units that hold the digit
    for (int unit = 0; unit < kUnits; ++unit) {
        if (board.PlacedIn(unit) & DigitBit(digit))
            done |= 1u << unit;
    }
    out.length = 0;
    for (;;) {
        out.chain[out.length++] = ChainNode(cell, digit, true);
        places = places.Minus(kUnitTables.peerSets[cell]).Minus(CellSet::Of(cell));
        for (int k = 0; k < 3; ++k)
            done |= 1u << kUnitTables.units[cell][k];
        int next = -1;
        for (int unit = 0; unit < kUnits; ++unit) {
            if (done >> unit & 1)
                continue;
            const CellSet left = places & kUnitTables.unitSets[unit];
            if (left.Empty()) {
                out.emptyUnit = unit;
                out.emptyDigit = digit;
                return true;
            }
            if (next < 0 && left.Single())
                next = left.First();
        }
        if (next < 0 || out.length + 1 >= maxNodes)
            return false;
        cell = next;
    }
}

// The step of an assumption that ran into a contradiction: its first node's digit goes.
void ContradictionStep(Technique technique, const Outcome& best, int nodes, Step& step) {
    step = Step{};
    step.technique = technique;
    step.chain = best.chain;
    step.chainLength = best.length;
    step.extra = ChainLengthExtra(nodes);
    step.emptyCell = best.emptyCell;
    step.emptyUnit = best.emptyUnit;
    step.emptyDigit = best.emptyDigit;
    for (int i = 0; i < best.length; ++i)
        step.cells.Add(NodeCell(best.chain[i]));
    const int cell = NodeCell(best.chain[0]), digit = NodeDigit(best.chain[0]);
    step.digits = DigitBit(digit);
    step.removed[cell] = DigitBit(digit);
}

}  // namespace

bool FindNishio(const CandidateBoard& board, Step& step) {
    // A digit's assumptions depend on its places and the units that hold it alone: where they
    // once led to no contradiction, they lead to none.
    struct Barren {
        CellSet places;
        std::uint32_t units = 0;
        bool valid = false;
    };
    thread_local std::array<Barren, 9> barren;
    std::array<std::uint32_t, 9> units{};
    unsigned known = 0;
    for (int d = 0; d < 9; ++d) {
        for (int unit = 0; unit < kUnits; ++unit) {
            if (board.PlacedIn(unit) & (1u << d))
                units[d] |= 1u << unit;
        }
        if (barren[d].valid && barren[d].places == board.Plane(d + 1) &&
            barren[d].units == units[d])
            known |= 1u << d;
    }
    Outcome outcome, best;
    int bestNodes = kChainRoom;
    for (int cell = 0; cell < kCells; ++cell) {
        for (unsigned m = board.Candidates(cell) & ~known; m; m &= m - 1) {
            outcome = Outcome{};
            if (FollowDigit(board, cell, std::countr_zero(m) + 1, bestNodes, outcome) &&
                outcome.length + 1 < bestNodes) {
                best = outcome;
                bestNodes = outcome.length + 1;
            }
        }
    }
    if (bestNodes == kChainRoom) {
        // Every assumption was followed as far as a chain may go.
        for (int d = 0; d < 9; ++d)
            barren[d] = {board.Plane(d + 1), units[d], true};
        return false;
    }
    // The public scale counts every candidate a placement takes out on the way as a node too:
    // about four nodes a placement, as its Nishio ratings bear out.
    ContradictionStep(Technique::Nishio, best, 4 * best.length, step);
    return true;
}

bool FindDynamicForcing(const CandidateBoard& board, int level, Step& step) {
    thread_local std::array<Branch, 9> branches;
    int bestCost = 0, bestSource = -1, bestResult = -1;  // result: a chain node
    auto consider = [&](int n, int source) {
        // Placements every branch makes, or candidates every branch takes.
        for (int cell = 0; cell < kCells; ++cell) {
            for (unsigned m = board.Candidates(cell); m; m &= m - 1) {
                const int digit = std::countr_zero(m) + 1;
                for (int on = 0; on < 2; ++on) {
                    int cost = 0;
                    for (int b = 0; b < n && cost >= 0; ++b) {
                        const Branch& br = branches[b];
                        int at = 0;
                        if (on) {
                            for (int k = 0; k < br.count && !at; ++k)
                                at = br.placed[k] == ChainNode(cell, digit, true) ? k + 1 : 0;
                        } else {
                            at = br.goneAfter[cell * 9 + digit - 1];
                        }
                        if (!at && br.contradiction)
                            at = br.count;
                        cost = at ? cost + at : -1;
                    }
                    if (cost > 0 && cost <= kChainRoom && (!bestCost || cost < bestCost) &&
                        (on ? Count9(board.Candidates(cell)) > 1 : true)) {
                        bestCost = cost, bestSource = source;
                        bestResult = ChainNode(cell, digit, on);
                    }
                }
            }
        }
    };
    for (int cell = 0; cell < kCells; ++cell) {
        const std::uint16_t c = board.Candidates(cell);
        if (Count9(c) < 2)
            continue;
        int n = 0;
        for (unsigned m = c; m; m &= m - 1)
            FollowBranch(board, cell, std::countr_zero(m) + 1, level, branches[n++]);
        consider(n, cell);
    }
    for (int unit = 0; unit < kUnits; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            const std::uint16_t places = board.Positions(unit, digit);
            if (Count9(places) < 2)
                continue;
            int n = 0;
            for (unsigned m = places; m; m &= m - 1)
                FollowBranch(board, UnitCell(unit, std::countr_zero(m)), digit, level,
                             branches[n++]);
            consider(n, UnitSource(unit, digit));
        }
    }
    if (!bestCost)
        return false;
    // Rebuild the chosen source's branches, each up to the result (or its contradiction).
    step = Step{};
    const bool fromCell = bestSource < UnitSource(0, 1);
    step.technique = level > 1  ? Technique::DynamicForcingNested
                     : level    ? Technique::DynamicForcingPlus
                     : fromCell ? Technique::DynamicCellForcing
                                : Technique::DynamicUnitForcing;
    step.extra = ChainLengthExtra(bestCost);
    std::array<int, 9> starts{};
    const int n = SourceBranches(board, bestSource, starts, step);
    const int rc = NodeCell(bestResult), rd = NodeDigit(bestResult);
    for (int i = 0; i < n; ++i) {
        Branch& br = branches[0];
        FollowBranch(board, NodeCell(starts[i]), NodeDigit(starts[i]), level, br);
        int at = 0;
        if (NodeOn(bestResult)) {
            for (int k = 0; k < br.count && !at; ++k)
                at = br.placed[k] == bestResult ? k + 1 : 0;
        } else {
            at = br.goneAfter[rc * 9 + rd - 1];
        }
        if (!at)
            at = br.count;  // a contradiction
        for (int k = 0; k < at; ++k) {
            step.chain[step.chainLength++] = br.placed[k];
            step.cells.Add(NodeCell(br.placed[k]));
        }
        step.branchLengths[i] = static_cast<std::uint8_t>(at);
    }
    step.branchCount = n;
    step.digits = DigitBit(rd);
    if (NodeOn(bestResult)) {
        step.placedCell = rc;
        step.placedDigit = rd;
    } else {
        step.removed[rc] = DigitBit(rd);
    }
    return true;
}

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
    // Counted as the public scale does, with the candidates the singles take out on the way:
    // about half as many again as the placements, and both ends of the contradiction.
    ContradictionStep(Technique::DynamicContradiction, best, best.length * 3 / 2 + 2, step);
    return true;
}

}  // namespace zw::techniques
