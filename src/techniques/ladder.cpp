#include "techniques/ladder.h"

#include "techniques/families.h"

namespace zw::techniques {

namespace {

// X-cycles, X-chains and forcing chains compete by rating, as the public scale ranks them
// together: a forcing chain starts at 7.0, so it can beat only an X-chain or cycle rated
// above that.
bool FindChains(const CandidateBoard& board, Step& step) {
    Step cycle;
    const bool c = FindXCycle(board, cycle);
    bool x = FindChain(board, false, 0, step);
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

bool FindEasiestStep(const CandidateBoard& board, bool oneSolution, Step& step) {
    // The public scale's order, the easiest first. Where a family's ratings span a range, the
    // family returns its lowest-rated step.
    return FindFullHouse(board, step) || FindHiddenSingle(board, true, step) ||
           FindHiddenSingle(board, false, step) || FindIntersection(board, true, true, step) ||
           FindIntersection(board, false, true, step) || FindHiddenSubset(board, 2, true, step) ||
           FindNakedSingle(board, step) || FindHiddenSubset(board, 3, true, step) ||
           FindIntersection(board, true, false, step) ||
           FindIntersection(board, false, false, step) || FindNakedSubset(board, 2, step) ||
           FindFish(board, 2, step) || FindHiddenSubset(board, 2, false, step) ||
           FindNakedSubset(board, 3, step) || FindFish(board, 3, step) ||
           FindHiddenSubset(board, 3, false, step) || FindXYWing(board, step) ||
           FindXYZWing(board, step) ||
           (oneSolution &&
            (FindUniqueRectangle(board, 0, step) || FindUniqueRectangle(board, 1, step) ||
             FindUniqueRectangle(board, 2, step) || FindUniqueRectangle(board, 3, step))) ||
           FindNakedSubset(board, 4, step) || FindFish(board, 4, step) ||
           FindHiddenSubset(board, 4, false, step) || (oneSolution && FindBug(board, step)) ||
           FindAlignedPairExclusion(board, step) || FindChains(board, step) ||
           FindNishio(board, step) || FindForcingChains(board, step) ||
           FindDynamicContradiction(board, step) || FindDynamicForcing(board, 0, step) ||
           FindDynamicForcing(board, 1, step) || FindDynamicForcing(board, 2, step);
}

void ApplyStep(CandidateBoard& board, const Step& step) {
    for (int cell = 0; cell < kCells; ++cell) {
        if (step.removed[cell])
            board.Remove(cell, step.removed[cell]);
    }
    if (step.placedCell >= 0)
        board.Place(step.placedCell, step.placedDigit);
}

bool RunLadder(CandidateBoard& board, bool oneSolution, std::vector<Step>& steps) {
    steps.clear();
    Step step;
    while (!board.Solved()) {
        if (board.Broken() || !FindEasiestStep(board, oneSolution, step))
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
