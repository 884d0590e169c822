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
#include <algorithm>
#include <bit>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

struct Outcome {
    std::array<std::int16_t, kChainRoom> chain{};
    int length = 0;
    int emptyCell = -1, emptyUnit = -1, emptyDigit = 0;
};

// The board as FollowSingles sees it: kept small and told by each placement where a single
// or a contradiction may have come up, so that a step looks there instead of over the board.
// It finds the same single and the same contradiction as the board's own searches: the first
// in their order.
class SinglesBoard {
public:
    explicit SinglesBoard(const CandidateBoard& board) {
        for (int d = 0; d < 9; ++d)
            planes_[d] = board.Plane(d + 1);
        for (int cell = 0; cell < kCells; ++cell) {
            const std::uint16_t c = board.Candidates(cell);
            cand_[cell] = c;
            if (OneBit(c))
                naked_.Add(cell);
            if (!board.Value(cell) && !c)
                empty_.Add(cell);
        }
        for (int unit = 0; unit < kUnits; ++unit) {
            placed_[unit] = board.PlacedIn(unit);
            std::uint16_t present = 0;
            for (int d = 0; d < 9; ++d) {
                const std::uint16_t m = board.Positions(unit, d + 1);
                places_[unit][d] = m;
                if (m)
                    present = static_cast<std::uint16_t>(present | 1u << d);
            }
            alone_[unit] = board.Alone(unit);
            if (alone_[unit])
                hidden_ |= 1u << unit;
            if ((placed_[unit] | present) != kAllDigits)
                missing_ |= 1u << unit;
        }
    }

    void Place(int cell, int digit) {
        const int d = digit - 1;
        const std::uint16_t bit = DigitBit(digit);
        for (int k = 0; k < 3; ++k) {
            const int unit = kUnitTables.units[cell][k];
            placed_[unit] = static_cast<std::uint16_t>(placed_[unit] | bit);
        }
        for (CellSet had = planes_[d] & kUnitTables.peerSets[cell]; !had.Empty();) {
            const int peer = had.PopFirst();
            const std::uint16_t left = static_cast<std::uint16_t>(cand_[peer] & ~bit);
            cand_[peer] = left;
            if (OneBit(left)) {
                naked_.Add(peer);
            } else if (!left) {
                naked_.Remove(peer);
                empty_.Add(peer);  // a peer with the digit is open
            }
            Drop(peer, d);
        }
        for (unsigned m = cand_[cell]; m; m &= m - 1)
            Drop(cell, std::countr_zero(m));
        cand_[cell] = 0;
        naked_.Remove(cell);
        empty_.Remove(cell);
    }

    // The first open cell without a digit, or else the first unit without a place for a digit
    // it lacks, as FollowSingles reports them; false when there is neither.
    bool Contradiction(Outcome& out) const {
        if (!empty_.Empty()) {
            out.emptyCell = empty_.First();
            return true;
        }
        if (!missing_)
            return false;
        const int unit = std::countr_zero(missing_);
        unsigned could = placed_[unit];
        for (int d = 0; d < 9; ++d) {
            if (places_[unit][d])
                could |= 1u << d;
        }
        out.emptyUnit = unit;
        out.emptyDigit = std::countr_zero(~could & kAllDigits) + 1;
        return true;
    }

    // The single FindNakedSingle, or else FindHiddenSingle in the boxes, then in the lines,
    // would find: its cell and digit.
    bool NextSingle(int& cell, int& digit) {
        if (!naked_.Empty()) {
            cell = naked_.First();
            digit = std::countr_zero(static_cast<unsigned>(cand_[cell])) + 1;
            return true;
        }
        // Boxes (units 18 to 26) come first, then rows and columns.
        for (;;) {
            const std::uint32_t boxes = hidden_ & ((1u << kUnits) - (1u << 18));
            if (!hidden_)
                return false;
            const int unit = std::countr_zero(boxes ? boxes : hidden_);
            if (!alone_[unit]) {
                hidden_ &= ~(1u << unit);  // its digit with one place has been placed
                continue;
            }
            const int d = std::countr_zero(static_cast<unsigned>(alone_[unit]));
            cell = UnitCell(unit, std::countr_zero(static_cast<unsigned>(places_[unit][d])));
            digit = d + 1;
            return true;
        }
    }

private:
    // Takes digit index d from the cell's place in its units.
    void Drop(int cell, int d) {
        planes_[d].Remove(cell);
        for (int k = 0; k < 3; ++k) {
            const int unit = kUnitTables.units[cell][k];
            const std::uint16_t m = places_[unit][d] &=
                static_cast<std::uint16_t>(~(1u << kUnitTables.indexIn[cell][k]));
            const unsigned alone = (alone_[unit] & ~(1u << d)) |
                                   static_cast<unsigned>(m != 0 && (m & (m - 1)) == 0) << d;
            alone_[unit] = static_cast<std::uint16_t>(alone);
            hidden_ |= static_cast<std::uint32_t>(alone != 0) << unit;
            missing_ |= static_cast<std::uint32_t>(m == 0 && !(placed_[unit] >> d & 1)) << unit;
        }
    }

    std::array<std::uint16_t, kCells> cand_{};
    std::array<std::array<std::uint16_t, 9>, kUnits> places_{};
    std::array<std::uint16_t, kUnits> placed_{};
    std::array<CellSet, 9> planes_{};
    CellSet naked_;                              // cells with one candidate
    CellSet empty_;                              // open cells with none
    std::array<std::uint16_t, kUnits> alone_{};  // per unit, the digits with one place
    std::uint32_t hidden_ = 0;                   // units that had such a digit since the last look
    std::uint32_t missing_ = 0;                  // units with a digit neither placed nor possible
};

// Follows singles from the assumption until a contradiction (true) or a standstill. Stops
// early once the chain would be as long as `maxNodes`.
bool FollowSingles(SinglesBoard board, int cell, int digit, int maxNodes, Outcome& out) {
    out.length = 0;
    out.chain[out.length++] = ChainNode(cell, digit, true);
    board.Place(cell, digit);
    while (out.length < maxNodes) {
        if (board.Contradiction(out))
            return true;
        if (!board.NextSingle(cell, digit))
            return false;
        out.chain[out.length++] = ChainNode(cell, digit, true);
        board.Place(cell, digit);
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

// One digit's places unit by unit, as Nishio's search places it, four units to a word (16
// bits each, unit u in word u / 4): all units lose the places a placement sees at once.
constexpr int kPlaceWords = 7;
using PlaceWords = std::array<std::uint64_t, kPlaceWords>;

// Per cell, the places each unit keeps when the cell takes the digit: none of the cell's
// peers nor the cell.
constexpr auto kKeepPlaces = [] {
    std::array<PlaceWords, kCells> keep{};
    for (int cell = 0; cell < kCells; ++cell) {
        for (int unit = 0; unit < kUnits; ++unit) {
            std::uint64_t kept = 0;
            for (int i = 0; i < 9; ++i) {
                const int other =
                    unit < 9    ? unit * 9 + i
                    : unit < 18 ? i * 9 + unit - 9
                                : ((unit - 18) / 3 * 3 + i / 3) * 9 + (unit - 18) % 3 * 3 + i % 3;
                if (Row(other) != Row(cell) && Column(other) != Column(cell) &&
                    Box(other) != Box(cell))
                    kept |= std::uint64_t{1} << i;
            }
            keep[cell][unit / 4] |= kept << (16 * (unit % 4));
        }
    }
    return keep;
}();

struct DigitPlaces {
    PlaceWords places{};
    std::uint32_t done = 0;  // units that hold the digit

    DigitPlaces(const CandidateBoard& board, int digit, std::uint32_t units) : done(units) {
        for (int unit = 0; unit < kUnits; ++unit)
            places[unit / 4] |= std::uint64_t{board.Positions(unit, digit)} << (16 * (unit % 4));
    }

    // Places the digit: its units are done, and every unit loses the places it sees. Then
    // the units without a place and those with one, a bit each.
    void Place(int cell, std::uint32_t& empty, std::uint32_t& single) {
        const auto& units = kUnitTables.units[cell];
        done |= 1u << units[0] | 1u << units[1] | 1u << units[2];
        constexpr std::uint64_t high = 0x8000800080008000, low = 0x0001000100010001;
        constexpr std::uint64_t below = high - low;  // 0x7fff in each unit
        empty = single = 0;
        for (int w = 0; w < kPlaceWords; ++w) {
            const std::uint64_t x = places[w] &= kKeepPlaces[cell][w];
            // A unit's high bit: whether it has a place, whether it has two.
            const std::uint64_t any = (x + below) & high;
            const std::uint64_t many = ((x & ((x | high) - low)) + below) & high;
            empty |= Gather(~any & high) << (4 * w);
            single |= Gather(any & ~many) << (4 * w);
        }
        const std::uint32_t open = ~done & ((1u << kUnits) - 1);
        empty &= open;
        single &= open;
    }

    // The high bits of a word's four units as four bits.
    static std::uint32_t Gather(std::uint64_t highs) {
        return static_cast<std::uint32_t>(((highs >> 15) * 0x1000200040008000) >> 60);
    }
};

// Nishio's search from one assumption: the digit's places as one set, units emptied as it is
// placed. True on a contradiction, with the placements in `out`.
bool FollowDigit(DigitPlaces places, int cell, int digit, int maxNodes, Outcome& out) {
    out.length = 0;
    for (;;) {
        out.chain[out.length++] = ChainNode(cell, digit, true);
        std::uint32_t empty, single;
        places.Place(cell, empty, single);
        // The first unit left without a place, or else the first with one place.
        if (empty) {
            out.emptyUnit = std::countr_zero(empty);
            out.emptyDigit = digit;
            return true;
        }
        if (!single || out.length + 1 >= maxNodes)
            return false;
        const int unit = std::countr_zero(single);
        const unsigned m = static_cast<unsigned>(places.places[unit / 4] >> (16 * (unit % 4)));
        cell = UnitCell(unit, std::countr_zero(m));
    }
}

// The step of an assumption that ran into a contradiction: its first node's digit goes.
void ContradictionStep(Technique technique, const Outcome& best, int nodes, Step& step) {
    step = Step{};
    step.technique = technique;
    std::copy_n(best.chain.begin(), best.length, step.chain.begin());
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
    // A digit's assumptions depend on its places and the units that hold it alone: the
    // shortest contradiction they once led to (the first of them), or none, they lead to
    // again. The shortest of all digits' is the first of the shortest in the board's order,
    // cell by cell and digit by digit within a cell.
    struct Known {
        CellSet places;
        std::uint32_t units = 0;
        bool valid = false;
        int nodes = kChainRoom;  // the shortest's length + 1; kChainRoom: none
        int cell = -1;
        Outcome best;
    };
    std::array<Known, 9>& known = PerThread<std::array<Known, 9>>();
    std::array<std::uint32_t, 9> holding{};  // per digit, the units that hold it
    for (int unit = 0; unit < kUnits; ++unit) {
        for (unsigned m = board.PlacedIn(unit); m; m &= m - 1)
            holding[std::countr_zero(m)] |= 1u << unit;
    }
    int bestDigit = -1;
    for (int d = 0; d < 9; ++d) {
        const std::uint32_t units = holding[d];
        Known& k = known[d];
        const CellSet plane = board.Plane(d + 1);
        if (!k.valid || k.places != plane || k.units != units) {
            k = Known{};
            k.places = plane;
            k.units = units;
            k.valid = true;
            const DigitPlaces places(board, d + 1, units);
            Outcome outcome;
            for (CellSet cells = plane; !cells.Empty();) {
                const int cell = cells.PopFirst();
                outcome.emptyCell = outcome.emptyUnit = -1;
                outcome.emptyDigit = 0;
                if (FollowDigit(places, cell, d + 1, k.nodes, outcome) &&
                    outcome.length + 1 < k.nodes) {
                    k.best = outcome;
                    k.nodes = outcome.length + 1;
                    k.cell = cell;
                }
            }
        }
        if (k.nodes < kChainRoom &&
            (bestDigit < 0 || k.nodes < known[bestDigit].nodes ||
             (k.nodes == known[bestDigit].nodes && k.cell < known[bestDigit].cell)))
            bestDigit = d;
    }
    if (bestDigit < 0)
        return false;
    // The public scale counts every candidate a placement takes out on the way as a node too:
    // about four nodes a placement, as its Nishio ratings bear out.
    const Outcome& best = known[bestDigit].best;
    ContradictionStep(Technique::Nishio, best, 4 * best.length, step);
    return true;
}

bool FindDynamicForcing(const CandidateBoard& board, int level, Step& step) {
    std::array<Branch, 9>& branches = PerThread<std::array<Branch, 9>>();
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
    const SinglesBoard start(board);
    for (int cell = 0; cell < kCells; ++cell) {
        for (unsigned m = board.Candidates(cell); m; m &= m - 1) {
            const int digit = std::countr_zero(m) + 1;
            outcome.emptyCell = outcome.emptyUnit = -1;
            outcome.emptyDigit = 0;
            if (FollowSingles(start, cell, digit, bestNodes - 1, outcome) &&
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
