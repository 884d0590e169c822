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
constexpr int kRungs = 39;

// Where each rung last found nothing: the board's candidates digit by digit then. Within one
// run the board only loses candidates, so a rung whose inputs did not change since then is
// passed over, and the families that take a Changes look only where something changed.
//
// Rungs that find nothing in one climb do so on the same board, and most later climbs find
// them all still there: each board is kept once, in a slot the rungs that found nothing on it
// share, and what changed since a slot's board is worked out once per climb.
struct Memo {
    static constexpr int kSlots = kRungs + 1;  // one more than rungs can hold on to
    std::array<std::array<CellSet, 9>, kSlots> boards;
    std::array<int, kSlots> users{};      // the rungs whose board a slot holds
    std::array<int, kRungs> slotOf;       // -1: the rung never found nothing
    std::array<Changes, kSlots> changes;  // since a slot's board, for the climb below
    std::array<std::uint32_t, kSlots> changesClimb{};
    std::uint32_t climb = 0;  // the climb under way, from 1
    int climbSlot = -1;       // the slot holding this climb's board, once a rung found nothing

    Memo() { slotOf.fill(-1); }
    void NextClimb() {
        ++climb;
        climbSlot = -1;
    }
};

class Rungs {
public:
    Rungs(const CandidateBoard& board, Memo* memo, Step& step, int maxRating)
        : board_(board), memo_(memo), step_(step), maxRating_(maxRating) {
        if (memo_)
            memo_->NextClimb();
    }

    // Rung `k`, whose steps rate at least as `floor` does: `find(step, changes)` with what
    // changed since it last found nothing. The floors rise along the ladder, so once one lies
    // above the cap, so does every step still to come: the climb ends there.
    template <class Find>
    bool Try(int k, Technique floor, Find&& find) {
        if (Capped(floor))
            return false;
        if (!memo_)
            return find(step_, nullptr);
        Memo& m = *memo_;
        const int slot = m.slotOf[k];
        if (slot >= 0) {
            const Changes& changes = ChangesSince(slot);
            if (!changes.digits || find(step_, &changes))
                return changes.digits != 0;
        } else if (find(step_, nullptr)) {
            return true;
        }
        Remember(k);
        return false;
    }

    // A family that searches the whole board every time: the memory would pass it over only
    // on the board it last found nothing on, and every step changes the board.
    bool Whole(Technique floor, bool (*find)(const CandidateBoard&, Step&)) {
        return !Capped(floor) && find(board_, step_);
    }

    bool Capped(Technique floor) {
        capped_ = capped_ || Info(floor).rating > maxRating_;
        return capped_;
    }

private:
    // What changed since the board in `slot`, worked out once per climb.
    const Changes& ChangesSince(int slot) {
        Memo& m = *memo_;
        Changes& changes = m.changes[slot];
        if (m.changesClimb[slot] == m.climb)
            return changes;
        m.changesClimb[slot] = m.climb;
        changes = Changes{};
        const auto& planes = m.boards[slot];
        for (int d = 0; d < 9; ++d) {
            const CellSet now = board_.Plane(d + 1);
            const CellSet diff{now.lo ^ planes[d].lo, now.hi ^ planes[d].hi};
            changes.places[d] = diff;
            changes.cells |= diff;
            changes.digits = static_cast<std::uint16_t>(changes.digits | unsigned{!diff.Empty()} << d);
        }
        changes.units = UnitsOf(changes.cells);
        return changes;
    }

    // Rung `k` found nothing on this climb's board.
    void Remember(int k) {
        Memo& m = *memo_;
        if (m.climbSlot < 0) {
            int free = 0;
            while (m.users[free] > 0)
                ++free;
            for (int d = 0; d < 9; ++d)
                m.boards[free][d] = board_.Plane(d + 1);
            m.changesClimb[free] = 0;
            m.climbSlot = free;
        }
        if (m.slotOf[k] >= 0)
            --m.users[m.slotOf[k]];
        m.slotOf[k] = m.climbSlot;
        ++m.users[m.climbSlot];
    }

    const CandidateBoard& board_;
    Memo* memo_;
    Step& step_;
    int maxRating_;
    bool capped_ = false;
};

bool FindEasiest(const CandidateBoard& board, bool oneSolution, Step& step, Memo* memo,
                 int maxRating = kUncappedRating) {
    const CandidateBoard& b = board;
    Rungs r(board, memo, step, maxRating);
    using C = const Changes*;
    using T = Technique;
    if (r.Whole(T::FullHouse, FindFullHouse) ||
        r.Try(1, T::HiddenSingleBox, [&](Step& s, C c) { return FindHiddenSingle(b, true, s, c); }) ||
        r.Try(2, T::HiddenSingleLine, [&](Step& s, C c) { return FindHiddenSingle(b, false, s, c); }) ||
        r.Try(3, T::DirectPointing, [&](Step& s, C c) { return FindIntersection(b, true, true, s, c); }) ||
        r.Try(4, T::DirectClaiming, [&](Step& s, C c) { return FindIntersection(b, false, true, s, c); }) ||
        r.Try(5, T::DirectHiddenPair, [&](Step& s, C c) { return FindHiddenSubset(b, 2, true, s, c); }) ||
        r.Try(6, T::NakedSingle, [&](Step& s, C c) { return FindNakedSingle(b, s, c); }) ||
        r.Try(7, T::DirectHiddenTriple, [&](Step& s, C c) { return FindHiddenSubset(b, 3, true, s, c); }) ||
        r.Try(8, T::Pointing, [&](Step& s, C c) { return FindIntersection(b, true, false, s, c); }) ||
        r.Try(9, T::Claiming, [&](Step& s, C c) { return FindIntersection(b, false, false, s, c); }) ||
        r.Try(10, T::NakedPair, [&](Step& s, C c) { return FindNakedSubset(b, 2, s, c); }) ||
        r.Try(11, T::XWing, [&](Step& s, C c) { return FindFish(b, 2, s, c); }) ||
        r.Try(12, T::HiddenPair, [&](Step& s, C c) { return FindHiddenSubset(b, 2, false, s, c); }) ||
        r.Try(13, T::NakedTriple, [&](Step& s, C c) { return FindNakedSubset(b, 3, s, c); }) ||
        r.Try(14, T::Swordfish, [&](Step& s, C c) { return FindFish(b, 3, s, c); }) ||
        r.Try(15, T::HiddenTriple, [&](Step& s, C c) { return FindHiddenSubset(b, 3, false, s, c); }) ||
        r.Try(38, T::Skyscraper, [&](Step& s, C c) { return FindTwoStrongLinks(b, s, c); }) ||
        r.Try(16, T::XYWing, [&](Step& s, C c) { return FindXYWing(b, s, c); }) ||
        r.Try(17, T::XYZWing, [&](Step& s, C c) { return FindXYZWing(b, s, c); }))
        return true;
    if (oneSolution) {
        Rectangles rectangles;
        for (int size = 0; size < 4; ++size) {
            if (r.Try(18 + size, T::UniqueRectangle1, [&](Step& s, C c) { return FindUniqueRectangle(b, size, s, c, &rectangles); }))
                return true;
        }
    }
    if (oneSolution && r.Try(33, T::UniqueLoop1, [&](Step& s, C c) { return FindUniqueLoop(b, s, c); }))
        return true;
    // The wings of almost locked sets come where the public scale tries them, among the
    // families they share ratings with; the UVWXYZ-Wing (6.6) comes before the chains, whose
    // cycles start at 6.5, as there: no cap ever lies between the two.
    return r.Try(22, T::NakedQuad, [&](Step& s, C c) { return FindNakedSubset(b, 4, s, c); }) ||
           r.Try(23, T::Jellyfish, [&](Step& s, C c) { return FindFish(b, 4, s, c); }) ||
           r.Try(24, T::HiddenQuad, [&](Step& s, C c) { return FindHiddenSubset(b, 4, false, s, c); }) ||
           r.Try(35, T::WXYZWing, [&](Step& s, C c) { return FindBentSet(b, 4, s, c); }) ||
           (oneSolution && r.Whole(T::Bug1, FindBug)) ||
           r.Try(36, T::VWXYZWing, [&](Step& s, C c) { return FindBentSet(b, 5, s, c); }) ||
           r.Try(26, T::AlignedPairExclusion, [&](Step& s, C c) { return FindAlignedPairExclusion(b, s, c); }) ||
           r.Try(37, T::XCycle, [&](Step& s, C c) { return FindBentSet(b, 6, s, c); }) ||
           r.Whole(T::XCycle, FindChains) ||
           r.Try(34, T::AlignedTripletExclusion, [&](Step& s, C c) { return FindAlignedTripletExclusion(b, s, c); }) ||
           r.Whole(T::Nishio, FindNishio) ||
           r.Whole(T::CellForcingChain, FindForcingChains) ||
           r.Whole(T::DynamicContradiction, FindDynamicContradiction) ||
           r.Whole(T::DynamicCellForcing, [](const CandidateBoard& on, Step& s) { return FindDynamicForcing(on, 0, s); }) ||
           r.Whole(T::DynamicForcingPlus, [](const CandidateBoard& on, Step& s) { return FindDynamicForcing(on, 1, s); }) ||
           r.Whole(T::DynamicForcingNested, [](const CandidateBoard& on, Step& s) { return FindDynamicForcing(on, 2, s); });
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
                        t == Technique::DirectHiddenPair || t == Technique::DirectHiddenTriple ||
                        // and a single has no removals to look for
                        t == Technique::FullHouse || t == Technique::HiddenSingleBox ||
                        t == Technique::HiddenSingleLine || t == Technique::NakedSingle;
    for (CellSet cells = direct ? CellSet{} : step.RemovedCells(); !cells.Empty();) {
        const int cell = cells.PopFirst();
        board.Remove(cell, step.removed[cell]);
    }
    if (step.placedCell >= 0)
        board.Place(step.placedCell, step.placedDigit);
}

bool RunLadder(CandidateBoard& board, bool oneSolution, const StepSeen& seen, int maxRating) {
    Step step;
    Memo memo;
    while (!board.Solved()) {
        if (board.Broken() || !FindEasiest(board, oneSolution, step, &memo, maxRating) ||
            step.Rating() > maxRating)
            return false;
        seen(board, step);
        ApplyStep(board, step);
    }
    return true;
}

bool RunLadder(CandidateBoard& board, bool oneSolution, std::vector<Step>& steps, int maxRating) {
    steps.clear();
    return RunLadder(
        board, oneSolution, [&steps](const CandidateBoard&, const Step& step) { steps.push_back(step); },
        maxRating);
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
