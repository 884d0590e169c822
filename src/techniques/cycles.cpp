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

// The rings' graph and each start's shortest ring depend on the cells with two digits alone:
// kept per thread with those cells, and made again only when they changed.
constexpr int kMost = kCells * 2;
struct YRings {
    bool known = false;
    std::array<std::uint16_t, kCells> pairDigits{};  // the cells with two digits (0: not)
    int states = 0;
    bool any = false;                           // some start closes a ring
    std::array<std::int16_t, kMost> stateOf{};  // cell * 9 + digit - 1
    std::array<std::uint16_t, kMost + 1> nextFirst{};
    std::array<std::uint8_t, kMost * 20> next{};
    std::array<std::uint8_t, kMost> shortest{};
    std::array<std::uint8_t, kMost> order{};  // the starts, by their shortest ring
    std::array<std::uint8_t, kStates> id{};   // by cell * 9 + digit - 1, of the cells with two
    // The candidates the last search on these rings found nothing on: a ring's removals only
    // shrink with the candidates, so on a board that lost some since, it finds nothing again.
    bool barren = false;
    std::array<CellSet, 9> barrenPlanes{};
};

void MakeRings(const CandidateBoard& board, CellSet pairs, YRings& r) {
    // The states (a digit on in a cell with two), numbered cell by cell, and each one's next
    // states: the peers with two digits that hold its digit, in ascending order, each with
    // its other digit on.
    auto& stateOf = r.stateOf;
    auto& nextFirst = r.nextFirst;
    auto& next = r.next;
    auto& shortest = r.shortest;
    auto& id = r.id;
    int states = 0;
    for (CellSet p = pairs; !p.Empty();) {
        const int cell = p.PopFirst();
        for (unsigned m = board.Candidates(cell); m; m &= m - 1) {
            stateOf[states] = static_cast<std::int16_t>(cell * 9 + std::countr_zero(m));
            id[stateOf[states]] = static_cast<std::uint8_t>(states);
            ++states;
        }
    }
    r.states = states;
    int links = 0;
    for (int i = 0; i < states; ++i) {
        const int cell = stateOf[i] / 9, digit = stateOf[i] % 9 + 1;
        nextFirst[i] = static_cast<std::uint16_t>(links);
        for (CellSet to = pairs & board.Plane(digit) & kUnitTables.peerSets[cell]; !to.Empty();) {
            const int toCell = to.PopFirst();
            next[links++] = id[toCell * 9 + OtherDigit(board.Candidates(toCell), digit) - 1];
        }
    }
    nextFirst[states] = static_cast<std::uint16_t>(links);

    // The fewest cells of a ring each start could close, as the breadth-first searches below
    // would meet it (0: none), all starts at once with a bit per start on every state: a
    // start whose ring could not beat the best so far is passed over. A state closes the
    // ring of each state it leads to: that one sees it and has its digit as the other one.
    constexpr int kWords = (kMost + 63) / 64;
    using Bits = std::array<std::uint64_t, kWords>;
    const int words = (states + 63) / 64;
    std::array<Bits, kMost> front, reach, fresh;
    // The states with a front, and those a level passes bits to: late levels touch few, and
    // a front is only read where the level before wrote it.
    std::array<std::uint8_t, kMost> active, touched;
    std::array<bool, kMost> taken{};
    int activeCount = states;
    for (int i = 0; i < states; ++i) {
        front[i] = reach[i] = fresh[i] = Bits{};
        front[i][i / 64] = reach[i][i / 64] = std::uint64_t{1} << (i % 64);
        shortest[i] = 0;
        active[i] = static_cast<std::uint8_t>(i);
    }
    for (int level = 2; 2 * level <= kChainRoom && activeCount; ++level) {
        int touchedCount = 0;
        for (int a = 0; a < activeCount; ++a) {
            const int i = active[a];
            for (int e = nextFirst[i]; e < nextFirst[i + 1]; ++e) {
                // Whether a state is new to the level is anyone's guess: no branch on it.
                const int t = next[e];
                touched[touchedCount] = static_cast<std::uint8_t>(t);
                touchedCount += !taken[t];
                taken[t] = true;
                Bits& to = fresh[t];
                for (int k = 0; k < words; ++k)
                    to[k] |= front[i][k];
            }
        }
        activeCount = 0;
        for (int j = 0; j < touchedCount; ++j) {
            const int i = touched[j];
            taken[i] = false;
            std::uint64_t here = 0;
            for (int k = 0; k < words; ++k) {
                const std::uint64_t x = fresh[i][k] & ~reach[i][k];
                fresh[i][k] = 0;
                front[i][k] = x;
                reach[i][k] |= x;
                here |= x;
            }
            active[activeCount] = static_cast<std::uint8_t>(i);
            activeCount += here != 0;
            // Rings of three cells at least.
            if (level < 3 || !here)
                continue;
            for (int e = nextFirst[i]; e < nextFirst[i + 1]; ++e) {
                const int start = next[e];
                const unsigned closes =
                    (shortest[start] == 0) &
                    static_cast<unsigned>(front[i][start / 64] >> (start % 64) & 1);
                shortest[start] = static_cast<std::uint8_t>(shortest[start] | closes * level);
            }
        }
    }

    r.any = false;
    for (int i = 0; i < states && !r.any; ++i)
        r.any = shortest[i] != 0;
    // The starts go from the shortest on, in their order where as short.
    std::array<int, kChainRoom / 2 + 2> firstOf{};
    for (int i = 0; i < states; ++i)
        ++firstOf[shortest[i] + 1];
    for (int l = 1; l < kChainRoom / 2 + 2; ++l)
        firstOf[l] += firstOf[l - 1];
    for (int i = 0; i < states; ++i)
        r.order[firstOf[shortest[i]]++] = static_cast<std::uint8_t>(i);
}

}  // namespace

bool FindYCycle(const CandidateBoard& board, Step& step) {
    // The cells with two digits.
    CellSet pairs;
    std::array<std::uint16_t, kCells> pairDigits{};
    for (int cell = 0; cell < kCells; ++cell) {
        if (Count9(board.Candidates(cell)) == 2) {
            pairs.Add(cell);
            pairDigits[cell] = board.Candidates(cell);
        }
    }
    if (pairs.Count() < 3)
        return false;
    YRings& r = PerThread<YRings>();
    if (!r.known || r.pairDigits != pairDigits) {
        r.known = true;
        r.pairDigits = pairDigits;
        r.barren = false;
        MakeRings(board, pairs, r);
    }
    if (!r.any)
        return false;
    if (r.barren) {
        bool within = true;
        for (int d = 0; d < 9 && within; ++d)
            within = board.Plane(d + 1).Within(r.barrenPlanes[d]);
        if (within)
            return false;
    }
    const int states = r.states;
    const auto& stateOf = r.stateOf;
    const auto& nextFirst = r.nextFirst;
    const auto& next = r.next;
    const auto& shortest = r.shortest;
    const auto& order = r.order;
    // The step is the shortest ring that removes something, of those as short the one from
    // the first start. A start's rings are no shorter than its shortest, so the starts go
    // from the shortest on (in their order where as short), and once a ring is found, only
    // a start that could still beat it or tie with it from earlier is searched.
    std::array<std::uint8_t, kMost> parent, depth, queue;
    std::array<std::uint32_t, kMost> seen{};
    std::uint32_t stamp = 0;
    int bestCells = 0, bestStart = 0;

    for (int o = 0; o < states; ++o) {
        const int startId = order[o];
        const int least = shortest[startId];
        if (!least)
            continue;
        if (bestCells && least > bestCells)
            break;
        // The most cells a ring from here may have and still count.
        const int most = !bestCells            ? kChainRoom / 2
                         : startId < bestStart ? bestCells
                                               : bestCells - 1;
        if (least > most)
            continue;
        const int start = stateOf[startId];
        const int first = start / 9, x = start % 9 + 1;        // x on in the first cell
        const int w = OtherDigit(board.Candidates(first), x);  // the digit that closes the ring
        const CellSet nearFirst = kUnitTables.peerSets[first];
        // The states that may close a ring from here: w on in a cell that sees the first.
        std::array<std::uint64_t, (kMost + 63) / 64> closers{};
        for (CellSet c = pairs & board.Plane(w) & nearFirst; !c.Empty();) {
            const int closer = r.id[c.PopFirst() * 9 + w - 1];
            closers[closer / 64] |= std::uint64_t{1} << (closer % 64);
        }
        // Breadth first from "x in the first cell"; every state reached that sees the
        // first cell with w on closes a ring, the first that removes something the one: each
        // is tried as it is reached, in the order of the search, which then ends.
        auto closes = [&](int endId) {
            const int end = stateOf[endId];
            const int cells = depth[endId];
            if (end % 9 + 1 != w || cells < 3 || !nearFirst.Has(end / 9))
                return false;
            // The ring, first cell first: each cell's "on" digit and the digit it shares
            // with the next cell, which is off there.
            std::array<int, kChainRoom / 2> ring;  // its first `cells`
            CellSet ringCells;
            bool simple = true;
            for (int at = endId, i = cells - 1; i >= 0; at = parent[at], --i) {
                ring[i] = stateOf[at];
                simple = simple && !ringCells.Has(ring[i] / 9);
                ringCells.Add(ring[i] / 9);
            }
            if (!simple)
                return false;
            std::array<CellSet, 9> on{}, off{}, removed;
            for (int i = 0; i < cells; ++i) {
                on[ring[i] % 9].Add(ring[i] / 9);
                off[ring[i] % 9].Add(ring[(i + 1) % cells] / 9);
            }
            // Most rings remove nothing: the step is made only for one that does.
            bool removes = false;
            for (int d = 1; d <= 9; ++d) {
                if (on[d - 1].Empty())
                    continue;
                CellSet nearOn, nearOff;
                for (CellSet c = on[d - 1]; !c.Empty();)
                    nearOn |= kUnitTables.peerSets[c.PopFirst()];
                for (CellSet c = off[d - 1]; !c.Empty();)
                    nearOff |= kUnitTables.peerSets[c.PopFirst()];
                removed[d - 1] = (board.Plane(d) & nearOn & nearOff).Minus(ringCells);
                removes = removes || !removed[d - 1].Empty();
            }
            if (!removes)
                return false;
            Step s;
            s.technique = Technique::YCycle;
            for (int i = 0; i < cells; ++i) {
                const int c = ring[i] / 9, d = ring[i] % 9 + 1;
                const int nextCell = ring[(i + 1) % cells] / 9;
                s.chain[2 * i] = ChainNode(c, d, true);
                s.chain[2 * i + 1] = ChainNode(nextCell, d, false);
                s.digits = static_cast<std::uint16_t>(s.digits | DigitBit(d));
            }
            for (int d = 1; d <= 9; ++d) {
                if (!on[d - 1].Empty() && !removed[d - 1].Empty())
                    RemoveFrom(s, removed[d - 1], DigitBit(d));
            }
            s.chainLength = 2 * cells;
            s.extra = ChainLengthExtra(2 * cells);
            s.cells = s.loop = ringCells;
            step = s;
            bestCells = cells;
            bestStart = startId;
            return true;
        };
        ++stamp;
        int head = 0, tail = 0;
        queue[tail++] = static_cast<std::uint8_t>(startId);
        seen[startId] = stamp;
        depth[startId] = 1;
        bool found = false;
        while (head < tail && !found) {
            const int state = queue[head++];
            const int toDepth = depth[state] + 1;
            if (toDepth > most)
                break;
            // Whether a state is new is anyone's guess: it is taken in without a branch, and
            // only one that may close a ring is looked at.
            for (int i = nextFirst[state], end = nextFirst[state + 1]; i < end; ++i) {
                const int to = next[i];
                const bool fresh = seen[to] != stamp;
                const unsigned set = 0u - static_cast<unsigned>(fresh);  // all ones if fresh
                seen[to] = stamp;
                parent[to] = static_cast<std::uint8_t>((parent[to] & ~set) | (state & set));
                depth[to] = static_cast<std::uint8_t>((depth[to] & ~set) | (toDepth & set));
                queue[tail] = static_cast<std::uint8_t>(to);
                tail += fresh;
                if (fresh & (toDepth >= 3) & static_cast<bool>(closers[to / 64] >> (to % 64) & 1) &&
                    closes(to)) {
                    found = true;
                    break;
                }
            }
        }
    }
    if (!bestCells) {
        r.barren = true;
        for (int d = 0; d < 9; ++d)
            r.barrenPlanes[d] = board.Plane(d + 1);
    }
    return bestCells > 0;
}

}  // namespace zw::techniques
