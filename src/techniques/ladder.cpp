#include "techniques/ladder.h"

#include <array>

#include "techniques/families.h"

namespace zw::techniques {

namespace {

// X- and Y-cycles, X-chains and forcing chains compete by rating, as the public scale ranks
// them together: a forcing chain starts at 7.0, so it can beat only an X-chain or cycle rated
// above that.
bool FindChains(const CandidateBoard& board, Step& step) {
    Step cycle, yCycle;
    bool c = FindXCycle(board, cycle);
    // X- and Y-cycles start at the same rating; the shorter loop first, an X-cycle on a tie.
    if (FindYCycle(board, yCycle) &&
        (!c || yCycle.Rating() < cycle.Rating() ||
         (yCycle.Rating() == cycle.Rating() && yCycle.chainLength < cycle.chainLength))) {
        cycle = yCycle;
        c = true;
    }
    // Beside a cycle, only an X-chain rated below it counts: one of so many nodes at most, and
    // none below four.
    int xNodes = 0;
    if (c) {
        while (xNodes < kChainRoom &&
               ChainLengthExtra(xNodes + 1) + Info(Technique::XChain).rating < cycle.Rating())
            ++xNodes;
    }
    bool x = (!c || xNodes >= 4) && FindChain(board, false, xNodes, step);
    if (c && (!x || cycle.Rating() <= step.Rating())) {
        step = cycle;
        x = true;
    }
    if (x && step.Rating() <= Info(Technique::ForcingChain).rating)
        return true;
    Step other;
    // Nodes a forcing chain may have and still rate below the X-chain.
    int maxNodes = 0;
    if (x) {
        while (ChainLengthExtra(maxNodes + 1) + Info(Technique::ForcingChain).rating <
               step.Rating())
            ++maxNodes;
    }
    if ((!x || maxNodes > 0) && FindChain(board, true, maxNodes, other)) {
        step = other;
        return true;
    }
    return x;
}

}  // namespace

namespace {

// The ladder's rungs in the public scale's order, the easiest first. Where a family's ratings
// span a range, the family returns its lowest-rated step.
constexpr int kRungs = 35;

// Where each rung last found nothing: the board's candidates digit by digit then. Within one
// run the board only loses candidates, so a rung whose inputs did not change since then is
// passed over, and the families that take a Changes look only where something changed.
struct Memo {
    std::array<std::array<CellSet, 9>, kRungs> planes{};
    std::array<bool, kRungs> valid{};
};

class Rungs {
public:
    Rungs(const CandidateBoard& board, Memo* memo, Step& step)
        : board_(board), memo_(memo), step_(step) {}

    // Rung `k`: `find(step, changes)` with what changed since it last found nothing.
    template <class Find>
    bool Try(int k, Find&& find) {
        if (!memo_)
            return find(step_, nullptr);
        auto& planes = memo_->planes[k];
        if (memo_->valid[k]) {
            Changes changes;
            for (int d = 0; d < 9; ++d) {
                const CellSet now = board_.Plane(d + 1);
                const CellSet diff{now.lo ^ planes[d].lo, now.hi ^ planes[d].hi};
                changes.places[d] = diff;
                if (!diff.Empty()) {
                    changes.cells |= diff;
                    changes.digits = static_cast<std::uint16_t>(changes.digits | 1u << d);
                }
            }
            if (!changes.digits || find(step_, &changes))
                return changes.digits != 0;
        } else if (find(step_, nullptr)) {
            return true;
        }
        for (int d = 0; d < 9; ++d)
            planes[d] = board_.Plane(d + 1);
        memo_->valid[k] = true;
        return false;
    }

private:
    const CandidateBoard& board_;
    Memo* memo_;
    Step& step_;
};

bool FindEasiest(const CandidateBoard& board, bool oneSolution, Step& step, Memo* memo) {
    const CandidateBoard& b = board;
    Rungs r(board, memo, step);
    using C = const Changes*;
    auto plain = [&](bool (*find)(const CandidateBoard&, Step&)) {
        return [&b, find](Step& s, C) { return find(b, s); };
    };
    if (r.Try(0, plain(FindFullHouse)) ||
        r.Try(1, [&](Step& s, C) { return FindHiddenSingle(b, true, s); }) ||
        r.Try(2, [&](Step& s, C) { return FindHiddenSingle(b, false, s); }) ||
        r.Try(3, [&](Step& s, C c) { return FindIntersection(b, true, true, s, c); }) ||
        r.Try(4, [&](Step& s, C c) { return FindIntersection(b, false, true, s, c); }) ||
        r.Try(5, [&](Step& s, C c) { return FindHiddenSubset(b, 2, true, s, c); }) ||
        r.Try(6, plain(FindNakedSingle)) ||
        r.Try(7, [&](Step& s, C c) { return FindHiddenSubset(b, 3, true, s, c); }) ||
        r.Try(8, [&](Step& s, C c) { return FindIntersection(b, true, false, s, c); }) ||
        r.Try(9, [&](Step& s, C c) { return FindIntersection(b, false, false, s, c); }) ||
        r.Try(10, [&](Step& s, C c) { return FindNakedSubset(b, 2, s, c); }) ||
        r.Try(11, [&](Step& s, C c) { return FindFish(b, 2, s, c); }) ||
        r.Try(12, [&](Step& s, C c) { return FindHiddenSubset(b, 2, false, s, c); }) ||
        r.Try(13, [&](Step& s, C c) { return FindNakedSubset(b, 3, s, c); }) ||
        r.Try(14, [&](Step& s, C c) { return FindFish(b, 3, s, c); }) ||
        r.Try(15, [&](Step& s, C c) { return FindHiddenSubset(b, 3, false, s, c); }) ||
        r.Try(16, [&](Step& s, C c) { return FindXYWing(b, s, c); }) ||
        r.Try(17, [&](Step& s, C c) { return FindXYZWing(b, s, c); }))
        return true;
    if (oneSolution) {
        for (int size = 0; size < 4; ++size) {
            if (r.Try(18 + size, [&](Step& s, C c) { return FindUniqueRectangle(b, size, s, c); }))
                return true;
        }
    }
    if (oneSolution && r.Try(33, plain(FindUniqueLoop)))
        return true;
    return r.Try(22, [&](Step& s, C c) { return FindNakedSubset(b, 4, s, c); }) ||
           r.Try(23, [&](Step& s, C c) { return FindFish(b, 4, s, c); }) ||
           r.Try(24, [&](Step& s, C c) { return FindHiddenSubset(b, 4, false, s, c); }) ||
           (oneSolution && r.Try(25, plain(FindBug))) ||
           r.Try(26, [&](Step& s, C c) { return FindAlignedPairExclusion(b, s, c); }) ||
           r.Try(27, plain(FindChains)) ||
           r.Try(34, [&](Step& s, C c) { return FindAlignedTripletExclusion(b, s, c); }) ||
           r.Try(28, plain(FindNishio)) || r.Try(29, plain(FindForcingChains)) ||
           r.Try(30, plain(FindDynamicContradiction)) ||
           r.Try(31, [&](Step& s, C) { return FindDynamicForcing(b, 0, s); }) ||
           r.Try(32, [&](Step& s, C) { return FindDynamicForcing(b, 1, s); }) ||
           FindDynamicForcing(b, 2, step);
}

}  // namespace

bool FindEasiestStep(const CandidateBoard& board, bool oneSolution, Step& step) {
    return FindEasiest(board, oneSolution, step, nullptr);
}

void ApplyStep(CandidateBoard& board, const Step& step) {
    // A direct step only places its digit: its pattern's removals say why, but stay on the
    // board, as the public scale rates it; a later step that takes them pays its own rating.
    const Technique t = step.technique;
    const bool direct = t == Technique::DirectPointing || t == Technique::DirectClaiming ||
                        t == Technique::DirectHiddenPair || t == Technique::DirectHiddenTriple;
    for (int cell = 0; cell < kCells && !direct; ++cell) {
        if (step.removed[cell])
            board.Remove(cell, step.removed[cell]);
    }
    if (step.placedCell >= 0)
        board.Place(step.placedCell, step.placedDigit);
}

bool RunLadder(CandidateBoard& board, bool oneSolution, std::vector<Step>& steps) {
    steps.clear();
    Step step;
    Memo memo;
    while (!board.Solved()) {
        if (board.Broken() || !FindEasiest(board, oneSolution, step, &memo))
            return false;
        ApplyStep(board, step);
        steps.push_back(step);
    }
    return true;
}

int HardestStep(const std::vector<Step>& steps) {
    int hardest = -1;
    for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
        if (hardest < 0 || steps[i].Rating() > steps[hardest].Rating())
            hardest = i;
    }
    return hardest;
}

int HardestRating(const std::vector<Step>& steps) {
    const int i = HardestStep(steps);
    return i < 0 ? 0 : steps[i].Rating();
}

}  // namespace zw::techniques
