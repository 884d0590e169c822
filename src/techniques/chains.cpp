// Chains: an assumption followed link by link until it contradicts itself.
//
//   X-chain: one digit only. "On" in a cell puts it off in every cell that sees it; "off" in a
//            cell puts it on in the one other place of a unit that has only two.
//   Forcing chain: also the cell links: "on" puts the cell's other digits off, "off" in a
//            cell with two digits puts the other one on.
// A chain that starts with a digit on in a cell and ends with it off there removes it; one
// that starts with it off and ends with it on places it. The ladder takes the shortest.
// Also here: X-cycles (loops on one digit), and cell and unit forcing chains, where every
// choice of a cell or unit leads to the same result.
//
// Rating: X-cycles 6.5, X-chains 6.6, forcing chains 7.0, cell and unit forcing chains 8.0,
// plus a tenth each time the length (the nodes, all branches together, less two) passes one
// of the steps 4, 6, 8, 12, 16, 24, 32, ..., each step half or a third again as long as the
// one before, as the public scale counts.
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "techniques/families.h"

namespace zw::techniques {
namespace {

constexpr int kNodes = kCells * 9 * 2;

// Bit j of word i to bit i of word j.
void Transpose64(std::array<std::uint64_t, 64>& a) {
    std::uint64_t m = 0x00000000ffffffff;
    for (int j = 32; j != 0; j >>= 1, m ^= m << j) {
        for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            const std::uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
            a[k] ^= t << j;
            a[k | j] ^= t;
        }
    }
}

// The cells of a set in ascending order, a half at a time: cheaper than taking them one by one.
template <class F>
void ForEachCell(CellSet set, F&& f) {
    for (std::uint64_t m = set.lo; m; m &= m - 1)
        f(std::countr_zero(m));
    for (std::uint64_t m = set.hi; m; m &= m - 1)
        f(64 + std::countr_zero(m));
}

// A node's few words cleared in place: cheaper than a call to clear them.
inline void ClearWords(std::uint64_t* p, int n) {
    switch (n) {
        case 4:
            p[3] = 0;
            [[fallthrough]];
        case 3:
            p[2] = 0;
            [[fallthrough]];
        case 2:
            p[1] = 0;
            [[fallthrough]];
        case 1:
            p[0] = 0;
            [[fallthrough]];
        case 0:
            return;
        default:
            std::fill_n(p, n, std::uint64_t{0});
    }
}

}  // namespace

int SourceBranches(const CandidateBoard& board, int source, std::array<int, 9>& starts,
                   Step& step) {
    int n = 0;
    if (source < UnitSource(0, 1)) {
        for (unsigned m = board.Candidates(source); m; m &= m - 1)
            starts[n++] = ChainNode(source, std::countr_zero(m) + 1, true);
        step.cells.Add(source);
    } else {
        const int unit = (source - UnitSource(0, 1)) / 9;
        const int digit = (source - UnitSource(0, 1)) % 9 + 1;
        for (unsigned m = board.Positions(unit, digit); m; m &= m - 1)
            starts[n++] = ChainNode(UnitCell(unit, std::countr_zero(m)), digit, true);
        step.units = 1u << unit;
    }
    return n;
}

int ChainLengthExtra(int nodes) {
    int extra = 0, ceiling = 4;
    bool odd = false;
    for (int length = nodes - 2; length > ceiling; odd = !odd) {
        ++extra;
        ceiling = odd ? ceiling * 4 / 3 : ceiling * 3 / 2;
    }
    return extra;
}

namespace {

// Breadth-first search from one assumption; the first path found to a node is a shortest one.
// The links that can matter are listed once per board, so each search only walks them.
class ChainSearch {
public:
    void Reset(const CandidateBoard& board, bool cellLinks) {
        board_ = &board;
        std::array<std::uint16_t, kCells> cand{};
        for (int cell = 0; cell < kCells; ++cell)
            cand[cell] = board.Candidates(cell);
        // The same candidates as last time: the links stand.
        if (built_ && cellLinks == cellLinks_ && cand == cand_)
            return;
        if (cellLinks != cellLinks_)
            digitBuilt_.fill(false);
        built_ = true;
        cellLinks_ = cellLinks;
        cand_ = cand;
        for (int d = 0; d < 9; ++d)
            planes_[d] = board.Plane(d + 1);
        // An X-chain never leaves its digit: each digit's graph is one of its own, built when
        // a search asks for it, and only when the digit's places changed.
        if (!cellLinks)
            return;
        // The candidates' nodes numbered digit by digit, a candidate's "off" and "on" side by
        // side (for the closures), and again without the "off" nodes that link nowhere: a
        // chain neither starts there nor meets there (its opposite, which nothing links to,
        // is only ever its own start), and a loop never passes there, so they take no bits
        // and no time.
        int count = 0, live = 0;
        for (int d = 0; d < 9; ++d) {
            digitFirst_[d] = static_cast<std::int16_t>(count);
            for (CellSet p = planes_[d]; !p.Empty();) {
                const int cell = p.PopFirst();
                const int off = ChainNode(cell, d + 1, false);
                index_[off] = static_cast<std::int16_t>(count);
                index_[off + 1] = static_cast<std::int16_t>(count + 1);
                nodeOf_[count] = static_cast<std::int16_t>(off);
                nodeOf_[count + 1] = static_cast<std::int16_t>(off + 1);
                count += 2;
                const bool links =
                    (cellLinks & (Count9(cand[cell]) == 2)) | TwoPlaces(board, cell, d);
                if (links) {
                    liveOf_[off] = static_cast<std::int16_t>(live);
                    liveNode_[live++] = static_cast<std::int16_t>(off);
                } else {
                    liveOf_[off] = -1;
                }
                liveOf_[off + 1] = static_cast<std::int16_t>(live);
                liveNode_[live++] = static_cast<std::int16_t>(off + 1);
            }
        }
        digitFirst_[9] = static_cast<std::int16_t>(count);
        liveCount_ = live;
        ListLiveLinks(0, live, 0);
        closuresBuilt_ = false;
    }

    // Whether one of the cell's units has two places for digit index d: without branches, as
    // it is anyone's guess.
    static bool TwoPlaces(const CandidateBoard& board, int cell, int d) {
        const auto& units = kUnitTables.units[cell];
        return (Count9(board.Positions(units[0], d + 1)) == 2) |
               (Count9(board.Positions(units[1], d + 1)) == 2) |
               (Count9(board.Positions(units[2], d + 1)) == 2);
    }

    // X-chains and cycles: digit d's live graph, its nodes numbered from d * kBlock on and its
    // links listed from d * kLinkBlock on.
    static constexpr int kBlock = kCells * 2 + 1, kLinkBlock = kCells * 23;
    void EnsureDigit(int d) {
        if (digitBuilt_[d] && digitPlane_[d] == planes_[d])
            return;
        digitBuilt_[d] = true;
        digitPlane_[d] = planes_[d];
        const int first = d * kBlock;
        int live = first;
        liveOff_[d] = {};
        for (CellSet p = planes_[d]; !p.Empty();) {
            const int cell = p.PopFirst();
            const int off = ChainNode(cell, d + 1, false);
            if (TwoPlaces(*board_, cell, d)) {
                liveOff_[d].Add(cell);
                liveOf_[off] = static_cast<std::int16_t>(live);
                liveNode_[live++] = static_cast<std::int16_t>(off);
            } else {
                liveOf_[off] = -1;
            }
            liveOf_[off + 1] = static_cast<std::int16_t>(live);
            liveNode_[live++] = static_cast<std::int16_t>(off + 1);
        }
        digitEnd_[d] = static_cast<std::int16_t>(live);
        ListLiveLinks(first, live, d * kLinkBlock);
        digitLoops_[d] = false;
    }
    // And its links out of each node, which only the loops follow.
    void EnsureLoops(int d) {
        EnsureDigit(d);
        if (!digitLoops_[d])
            ListLoopLinks(d * kBlock, digitEnd_[d], d * kLinkBlock);
        digitLoops_[d] = true;
    }

    // The live graph's links of its nodes `first` to `end`, listed from `e` on: each node's
    // sources, for the all-starts search. Links come in pairs (if P then Q, so if not Q then
    // not P): a node's sources are the opposites of its opposite's targets, all of them live,
    // as they link somewhere.
    void ListLiveLinks(int first, int end, int e) {
        for (int r = first; r < end; ++r) {
            const int node = liveNode_[r];
            liveOpp_[r] = liveOf_[node ^ 1];
            liveInFirst_[r] = static_cast<std::uint16_t>(e);
            e += AppendLinks(node ^ 1, &liveIn_[e], [&](int to) { return liveOf_[to ^ 1]; });
        }
        liveInFirst_[end] = static_cast<std::uint16_t>(e);
    }

    // For a loop, each node's targets in the order AppendLinks gives them, less those to the
    // nodes left out.
    void ListLoopLinks(int first, int end, int e) {
        for (int r = first; r < end; ++r) {
            const int node = liveNode_[r];
            const int cell = NodeCell(node), digit = NodeDigit(node);
            liveOutFirst_[r] = static_cast<std::uint16_t>(e);
            if (!NodeOn(node)) {
                e += AppendLinks(node, &liveOut_[e], [&](int to) { return liveOf_[to]; });
                continue;
            }
            // Only the live "off" nodes, as sets.
            const CellSet peers =
                planes_[digit - 1] & kUnitTables.peerSets[cell] & liveOff_[digit - 1];
            ForEachCell(peers,
                        [&](int to) { liveOut_[e++] = liveOf_[ChainNode(to, digit, false)]; });
            if (cellLinks_) {
                for (unsigned m = cand_[cell] & ~DigitBit(digit); m; m &= m - 1) {
                    const int d = std::countr_zero(m);
                    if (liveOff_[d].Has(cell))
                        liveOut_[e++] = liveOf_[ChainNode(cell, d + 1, false)];
                }
            }
        }
        liveOutFirst_[end] = static_cast<std::uint16_t>(e);
    }

    // A node's links in the order the searches take them: from "off", the one other place
    // of each of the cell's units (row, column, box) with two, then the other digit of a
    // cell with two; from "on", the peers that hold the digit, ascending, then the cell's
    // other digits. The cell links only for forcing chains. Each link's `map` goes to `out`;
    // returns how many. `out` has room for one more, and `map` takes any node: which units
    // have two places is anyone's guess, so each unit's other place is written and kept only
    // where it links, without a branch.
    template <class T, class Map>
    int AppendLinks(int node, T* out, Map&& map) const {
        const int cell = NodeCell(node), digit = NodeDigit(node);
        const std::uint16_t own = cand_[cell];
        int n = 0;
        if (!NodeOn(node)) {
            for (int k = 0; k < 3; ++k) {
                const int unit = kUnitTables.units[cell][k];
                const unsigned places = board_->Positions(unit, digit);
                const unsigned other = places & ~(1u << kUnitTables.indexIn[cell][k]);
                out[n] = static_cast<T>(
                    map(ChainNode(UnitCell(unit, std::countr_zero(other | 1u << 8)), digit, true)));
                n += Count9(places) == 2;
            }
            if (cellLinks_ && Count9(own) == 2) {
                const std::uint16_t rest = own & static_cast<std::uint16_t>(~DigitBit(digit));
                out[n++] = static_cast<T>(map(ChainNode(cell, std::countr_zero(rest) + 1, true)));
            }
            return n;
        }
        ForEachCell(planes_[digit - 1] & kUnitTables.peerSets[cell],
                    [&](int to) { out[n++] = static_cast<T>(map(ChainNode(to, digit, false))); });
        if (cellLinks_) {
            for (unsigned m = own & ~DigitBit(digit); m; m &= m - 1)
                out[n++] = static_cast<T>(map(ChainNode(cell, std::countr_zero(m) + 1, false)));
        }
        return n;
    }

    // The chain FindChain takes: of every start's shortest chain to its opposite, the
    // shortest, and of those the first start in the ladder's order (cell, digit, "on" before
    // "off"). Its number of nodes, 0 for none of at most `maxNodes`; `start` gets its start.
    //
    // All starts go at once, level by level, with a bit per start on every node: a level
    // costs one pass over the links instead of one per start. A start's chain shows itself
    // at the first level where a node meets its opposite: the chain's middle node X and not-X
    // (see FindContradiction). A chain of n nodes meets by level n / 2 + 1 (X at n / 2, not-X
    // one further), and a meeting at level k, its opposite on an earlier level, makes a chain
    // of at most 2k - 2 nodes; so at the first level with a meeting, k, the shortest has
    // 2k - 2.
    int ShortestContradiction(int maxNodes, int& start) {
        maxNodes &= ~1;
        int best = 0;
        if (maxNodes < 4)
            return 0;
        if (cellLinks_) {
            AllStarts(0, liveCount_, maxNodes, best, start);
            return best;
        }
        for (int d = 0; d < 9; ++d) {
            const DigitChain& c = ShortestOf(d);
            // "on" before "off": the ladder's order is that of node ^ 1.
            if (c.nodes && c.nodes <= maxNodes &&
                (!best || c.nodes < best || (c.nodes == best && (c.start ^ 1) < (start ^ 1))))
                best = c.nodes, start = c.start;
        }
        return best;
    }

    // Digit d's shortest X-chain, however long: a digit's chains depend on its places alone,
    // so it is kept with the places it was found on.
    struct DigitChain {
        bool known = false;
        CellSet plane;
        int nodes = 0, start = 0;  // nodes 0: none
    };
    const DigitChain& ShortestOf(int d) {
        DigitChain& c = digitChain_[d];
        if (!c.known || c.plane != planes_[d]) {
            c.known = true;
            c.plane = planes_[d];
            c.nodes = c.start = 0;
            if (MayContradict(d)) {
                EnsureDigit(d);
                AllStarts(d * kBlock, digitEnd_[d], kChainRoom, c.nodes, c.start);
            }
        }
        return c;
    }

    // Whether some assumption on digit d alone leads to a contradiction, however long the
    // chain: most digits have none, and sets of cells tell it faster than the search. "On"
    // in a cell puts the digit "on" in the partners (units with two places) of the cells it
    // sees; an assumption fails where the cells it puts "on" include two that see each other,
    // or, for "off" in a cell, the cell itself.
    bool MayContradict(int d) const {
        const CellSet plane = planes_[d];
        std::array<CellSet, kCells> partners, next;
        CellSet linked;  // the cells with a partner
        for (int unit = 0; unit < kUnits; ++unit) {
            const unsigned places = board_->Positions(unit, d + 1);
            if (Count9(places) != 2)
                continue;
            const int a = UnitCell(unit, std::countr_zero(places));
            const int b = UnitCell(unit, std::countr_zero(places & (places - 1)));
            for (const int cell : {a, b}) {
                if (!linked.Has(cell))
                    partners[cell] = CellSet{};
                linked.Add(cell);
            }
            partners[a].Add(b);
            partners[b].Add(a);
        }
        if (linked.Empty())
            return false;
        for (CellSet p = plane; !p.Empty();) {
            const int cell = p.PopFirst();
            CellSet to;
            for (CellSet seen = linked & kUnitTables.peerSets[cell]; !seen.Empty();)
                to |= partners[seen.PopFirst()];
            next[cell] = to;
        }
        auto clashes = [](CellSet on) {
            for (CellSet rest = on; !rest.Empty();) {
                if (!(kUnitTables.peerSets[rest.PopFirst()] & on).Empty())
                    return true;
            }
            return false;
        };
        // Only a cell with a partner is ever put "on"; the others just start.
        std::array<CellSet, kCells> closure;
        for (CellSet p = linked; !p.Empty();) {
            const int cell = p.PopFirst();
            CellSet on = CellSet::Of(cell), front = on;
            while (!front.Empty()) {
                CellSet to;
                for (CellSet f = front; !f.Empty();)
                    to |= next[f.PopFirst()];
                front = to.Minus(on);
                on |= front;
            }
            if (clashes(on))
                return true;
            closure[cell] = on;
        }
        for (CellSet p = plane.Minus(linked); !p.Empty();) {
            const int cell = p.PopFirst();
            CellSet on = CellSet::Of(cell);
            for (CellSet q = next[cell]; !q.Empty();)
                on |= closure[q.PopFirst()];
            if (clashes(on))
                return true;
        }
        for (CellSet p = linked; !p.Empty();) {
            const int cell = p.PopFirst();
            CellSet on;
            for (CellSet q = partners[cell]; !q.Empty();)
                on |= closure[q.PopFirst()];
            if (on.Has(cell) || clashes(on))
                return true;
        }
        return false;
    }

    // The nodes of the shortest chain from `start` to `goal`, start first; 0 when there is
    // none with fewer than `maxNodes` + 1 nodes.
    int Find(int start, int goal, int maxNodes, std::array<std::int16_t, kChainRoom>& chain) {
        const std::uint32_t stamp = ++stamp_;
        int head = 0, tail = 0;
        queue_[tail++] = static_cast<std::int16_t>(start);
        seen_[start] = stamp;
        depth_[start] = 1;
        while (head < tail) {
            const int node = queue_[head++];
            if (depth_[node] >= maxNodes)
                break;
            std::array<std::int16_t, 32> out;  // 20 peers and 8 other digits at most
            const int links = AppendLinks(node, out.data(), [](int to) { return to; });
            for (int i = 0; i < links; ++i) {
                const int to = out[i];
                if (seen_[to] == stamp)
                    continue;
                seen_[to] = stamp;
                parent_[to] = static_cast<std::int16_t>(node);
                depth_[to] = static_cast<std::int8_t>(depth_[node] + 1);
                if (to == goal) {
                    const int length = depth_[to];
                    for (int k = length - 1, at = to; k >= 0; --k, at = parent_[at])
                        chain[k] = static_cast<std::int16_t>(at);
                    return length;
                }
                queue_[tail++] = static_cast<std::int16_t>(to);
            }
        }
        return 0;
    }

    // ShortestContradiction on the nodes `lo` to `hi` (a graph of their own), each a start:
    // improves on `best` and `start`, or takes a chain as short that starts earlier. True when
    // it ran out of nodes without a meeting: no chain starts there at all.
    //
    // Every link turns "on" into "off" or back, so a start's nodes lie on its own side at odd
    // levels and on the other side at even ones. The starts of each side keep bits of their
    // own: a level then passes each side's bits on from the nodes of one side to those of
    // the other only, half the nodes with half the bits.
    bool AllStarts(int lo, int hi, int maxNodes, int& best, int& start) {
        // Each side's nodes, all of them starts; and those that something links to, the only
        // ones a level can reach (an "on" node whose "off" links nowhere is only a start).
        std::array<int, 2> count{}, taken{};
        for (int v = lo; v < hi; ++v) {
            const int side = NodeOn(liveNode_[v]);
            side_[side][count[side]++] = static_cast<std::int16_t>(v);
            take_[side][taken[side]] = static_cast<std::int16_t>(v);
            taken[side] += liveOpp_[v] >= 0;
        }
        sideCount_ = count;
        takeCount_ = taken;
        // A level takes the nodes in any order: by number of sources, its loop over them runs
        // as often for one node as for the next, which the processor then foresees.
        for (int side = 0; side < 2; ++side)
            SortBySources(take_[side].data(), taken[side]);
        std::array<bool, 2> done{};
        for (int side = 0; side < 2; ++side) {
            Bits& b = bits_[side];
            b.words = (count[side] + 63) / 64;
            done[side] = b.words == 0;
            const std::size_t size = static_cast<std::size_t>(hi - lo) * b.words;
            // A level writes the front of every node on its side before the next reads it:
            // only the starts' need setting.
            if (b.front.size() < size)
                b.front.resize(size);
            b.reach.assign(size, 0);
            b.meet.resize(static_cast<std::size_t>(b.words));
            b.in.resize(static_cast<std::size_t>(b.words));
            b.push = false;
            b.activeCount = 0;
            const std::size_t nodes = static_cast<std::size_t>(hi - lo);
            if (b.active.size() < nodes) {
                b.active.resize(nodes);
                b.touched.resize(nodes);
            }
            if (b.next.size() < size)
                b.next.resize(size);
            if (b.touchedAt.size() < nodes) {
                b.touchedAt.assign(nodes, 0);
                b.stamp = 0;
            }
            if (b.stamp > 0xfffffff0u) {
                std::fill(b.touchedAt.begin(), b.touchedAt.end(), 0);
                b.stamp = 0;
            }
            // Each word written once: a store per word is cheaper than clearing first.
            for (int i = 0; i < count[side]; ++i) {
                const std::size_t at = static_cast<std::size_t>(side_[side][i] - lo) * b.words;
                const int word = i / 64;
                const std::uint64_t bit = std::uint64_t{1} << (i % 64);
                for (int k = 0; k < b.words; ++k)
                    b.front[at + k] = k == word ? bit : 0;
                b.reach[at + word] = bit;
            }
            // The nodes no level reaches: none on the other side; on the starts' own, the
            // start's bit stays, which the nodes it links to have from the first level on.
            for (int i = 0; i < count[1 - side] && b.words > 0; ++i) {
                const int v = side_[1 - side][i];
                if (liveOpp_[v] < 0)
                    ClearWords(&b.front[static_cast<std::size_t>(v - lo) * b.words], b.words);
            }
        }
        const int lastLevel = (best ? best : maxNodes) / 2 + 1;
        for (int level = 2; level <= lastLevel; ++level) {
            bool met = false;
            for (int side = 0; side < 2; ++side) {
                if (done[side])
                    continue;
                int result = 0;
                // The usual sizes with the word count known, so its loops unroll.
                switch (bits_[side].words) {
                    case 1:
                        result = Level<1>(lo, side, level);
                        break;
                    case 2:
                        result = Level<2>(lo, side, level);
                        break;
                    case 3:
                        result = Level<3>(lo, side, level);
                        break;
                    case 4:
                        result = Level<4>(lo, side, level);
                        break;
                    default:
                        result = Level<0>(lo, side, level);
                        break;
                }
                met = met || (result & kMet);
                done[side] = !(result & kGrew);
            }
            if (met) {
                const int nodes = 2 * level - 2;
                for (int side = 0; side < 2; ++side) {
                    const Bits& b = bits_[side];
                    for (int k = 0; k < b.words && !done[side]; ++k) {
                        for (std::uint64_t m = b.meet[k]; m; m &= m - 1) {
                            const int node = liveNode_[side_[side][k * 64 + std::countr_zero(m)]];
                            // "on" before "off": the ladder's order is that of node ^ 1.
                            if (!best || nodes < best || (node ^ 1) < (start ^ 1))
                                best = nodes, start = node;
                        }
                    }
                }
                return false;
            }
            if (done[0] && done[1])
                return true;
        }
        return false;
    }

    static constexpr int kMet = 1, kGrew = 2;

    // Nodes of the live graph, stably by their number of sources.
    void SortBySources(std::int16_t* nodes, int n) {
        constexpr int kMostSources = 32;
        std::array<int, kMostSources + 1> at{};
        for (int i = 0; i < n; ++i)
            ++at[Sources(nodes[i]) + 1];
        for (int k = 1; k <= kMostSources; ++k)
            at[k] += at[k - 1];
        std::array<std::int16_t, kNodes / 2> sorted;
        for (int i = 0; i < n; ++i)
            sorted[at[Sources(nodes[i])]++] = nodes[i];
        std::copy_n(sorted.begin(), n, nodes);
    }
    int Sources(int v) const { return liveInFirst_[v + 1] - liveInFirst_[v]; }

    // One level of AllStarts for the starts of one side ("on": 1), with kWords words per node
    // (0: as many as it takes): kGrew when some start got further, kMet when some met its
    // opposite, those starts in the side's meet. Each node of the side the level reaches
    // takes in the bits the nodes that link to it got on the level before.
    template <int kWords>
    int Level(int lo, int side, int level) {
        Bits& b = bits_[side];
        // Late levels leave few nodes with a front: then the links out of those alone are
        // walked, not all the links into every node. The fronts of the nodes the level does
        // not reach then stay as they were, so there is no way back.
        const int words = kWords ? kWords : b.words;
        const int to = level & 1 ? side : 1 - side;
        if (!b.push && level > 2 && b.activeCount * 2 < takeCount_[1 - to]) {
            // The nodes with a front: those the level before reached.
            b.push = true;
            b.activeCount = 0;
            for (int j = 0; j < takeCount_[1 - to]; ++j) {
                const int v = take_[1 - to][j];
                const std::uint64_t* front = &b.front[static_cast<std::size_t>(v - lo) * words];
                std::uint64_t any = 0;
                for (int k = 0; k < words; ++k)
                    any |= front[k];
                if (any)
                    b.active[b.activeCount++] = static_cast<std::int16_t>(v);
            }
        }
        if (b.push)
            return LevelPush<kWords>(lo, side);
        // A node's front is only read on the level after it was made, and the levels take
        // turns between the sides, so each side of nodes keeps its own.
        // With the word count known, the totals stay in registers. The new nodes' opposites,
        // on the other side, are all from earlier levels.
        std::array<std::uint64_t, kWords ? kWords : 1> meetWords{}, inWords{};
        std::uint64_t* meet = kWords ? meetWords.data() : b.meet.data();
        std::uint64_t* in = kWords ? inWords.data() : b.in.data();
        for (int k = 0; k < words; ++k)
            meet[k] = 0;
        std::uint64_t grew = 0;
        b.activeCount = 0;
        for (int j = 0; j < takeCount_[to]; ++j) {
            const int w = take_[to][j];
            const std::size_t at = static_cast<std::size_t>(w - lo) * words;
            std::uint64_t* front = &b.front[at];
            const int opposite = liveOpp_[w];
            for (int k = 0; k < words; ++k)
                in[k] = 0;
            for (int e = liveInFirst_[w]; e < liveInFirst_[w + 1]; ++e) {
                const std::uint64_t* from =
                    &b.front[static_cast<std::size_t>(liveIn_[e] - lo) * words];
                for (int k = 0; k < words; ++k)
                    in[k] |= from[k];
            }
            const std::uint64_t any =
                Absorb(words, in, front, &b.reach[at],
                       &b.reach[static_cast<std::size_t>(opposite - lo) * words], meet);
            grew |= any;
            b.activeCount += any != 0;
        }
        return Outcome(b.meet.data(), words, meet, grew);
    }

    // What a node takes in on a level: the bits of `in` it had not reached, which become its
    // front; where its opposite has them too, a start meets. Returns whether it got any.
    static std::uint64_t Absorb(int words, const std::uint64_t* in, std::uint64_t* front,
                                std::uint64_t* seen, const std::uint64_t* other,
                                std::uint64_t* meet) {
        std::uint64_t any = 0;
        for (int k = 0; k < words; ++k) {
            const std::uint64_t x = in[k] & ~seen[k];
            seen[k] |= x;
            front[k] = x;
            any |= x;
            meet[k] |= x & other[k];
        }
        return any;
    }

    // A level's result; its meetings are kept in `kept`, the side's own.
    static int Outcome(std::uint64_t* kept, int words, const std::uint64_t* meet,
                       std::uint64_t grew) {
        std::uint64_t met = 0;
        for (int k = 0; k < words; ++k) {
            met |= meet[k];
            kept[k] = meet[k];
        }
        return (met ? kMet : 0) | (grew ? kGrew : 0);
    }

    // Level by pushing: each node with a front passes it to the nodes it links to, which are
    // the opposites of its opposite's sources (if P then Q, so if not Q then not P). A node
    // the level reached has sources, so its opposite is in the live graph.
    template <int kWords>
    int LevelPush(int lo, int side) {
        Bits& b = bits_[side];
        const int words = kWords ? kWords : b.words;
        const std::uint32_t stamp = ++b.stamp;
        int touched = 0;
        for (int a = 0; a < b.activeCount; ++a) {
            const int v = b.active[a];
            const std::uint64_t* from = &b.front[static_cast<std::size_t>(v - lo) * words];
            const int o = liveOpp_[v];
            for (int e = liveInFirst_[o]; e < liveInFirst_[o + 1]; ++e) {
                const int t = liveOpp_[liveIn_[e]];
                if (t < 0)
                    continue;
                std::uint64_t* to = &b.next[static_cast<std::size_t>(t - lo) * words];
                if (b.touchedAt[t - lo] != stamp) {
                    b.touchedAt[t - lo] = stamp;
                    b.touched[touched++] = static_cast<std::int16_t>(t);
                    for (int k = 0; k < words; ++k)
                        to[k] = from[k];
                } else {
                    for (int k = 0; k < words; ++k)
                        to[k] |= from[k];
                }
            }
        }
        std::array<std::uint64_t, kWords ? kWords : 1> meetWords{};
        std::uint64_t* meet = kWords ? meetWords.data() : b.meet.data();
        for (int k = 0; k < words; ++k)
            meet[k] = 0;
        std::uint64_t grew = 0;
        b.activeCount = 0;
        for (int j = 0; j < touched; ++j) {
            const int w = b.touched[j];
            const std::size_t at = static_cast<std::size_t>(w - lo) * words;
            const std::uint64_t any =
                Absorb(words, &b.next[at], &b.front[at], &b.reach[at],
                       &b.reach[static_cast<std::size_t>(liveOpp_[w] - lo) * words], meet);
            grew |= any;
            b.active[b.activeCount] = static_cast<std::int16_t>(w);
            b.activeCount += any != 0;
        }
        return Outcome(b.meet.data(), words, meet, grew);
    }

    // The shortest chain from `start` to its opposite (a digit on in a cell to off there, or
    // off to on), of at most `maxNodes` nodes; 0 when there is none. Links come in pairs (if
    // P then Q, so if not Q then not P), so such a chain read backwards with every node
    // negated is one too: its middle node X is reached, and so is not-X. The search therefore
    // only goes half as deep, looking for a node whose opposite it has reached, and joins
    // the way to X with the way to not-X read backwards and negated.
    //
    // Every link turns on into off or off into on, so X and not-X lie at depths of different
    // parity and a chain has an even number of nodes, four at least. The shortest chain of n
    // nodes has its X at depth n / 2 and not-X at n / 2 + 1, so the search stops one level
    // earlier for an odd bound, and a better chain than one of n nodes has n - 2 at most. The
    // chain found does not depend on the bound as long as it fits.
    int FindContradiction(int start, int maxNodes, std::array<std::int16_t, kChainRoom>& chain) {
        maxNodes &= ~1;
        if (maxNodes < 4)
            return 0;
        // One word per node says both whether this search reached it and at what depth.
        if (base_ >= 0xfffffe00u) {
            mark_.fill(0);
            base_ = 0;
        }
        const std::uint32_t base = base_ += 256;
        int head = 0, tail = 0;
        queue_[tail++] = static_cast<std::int16_t>(start);
        mark_[start] = base + 1;
        offSeen_.fill({});
        if (!NodeOn(start))
            offSeen_[NodeDigit(start) - 1].Add(NodeCell(start));
        int best = 0, meet = -1;
        auto reach = [&](int to, int node, std::uint32_t next, int limit) {
            mark_[to] = next;
            parent_[to] = static_cast<std::int16_t>(node);
            queue_[tail++] = static_cast<std::int16_t>(to);
            const std::uint32_t opposite = mark_[to ^ 1];
            if (opposite > base) {
                const int nodes = static_cast<int>(next - base + opposite - base) - 1;
                if (nodes <= limit && (!best || nodes < best))
                    best = nodes, meet = to;
            }
        };
        while (head < tail) {
            const int node = queue_[head++];
            // A chain of n nodes shows itself by depth (n + 1) / 2 + 1 at the latest.
            const int limit = best ? best - 2 : maxNodes;
            const std::uint32_t next = mark_[node] + 1;
            if (static_cast<int>(next - base) > (limit + 1) / 2 + 1)
                break;
            if (NodeOn(node)) {
                // The links of an "on" node as sets, in the order of its list: the peers
                // that still hold the digit, then the cell's other digits.
                const int cell = NodeCell(node), digit = NodeDigit(node);
                CellSet fresh =
                    (planes_[digit - 1] & kUnitTables.peerSets[cell]).Minus(offSeen_[digit - 1]);
                offSeen_[digit - 1] |= fresh;
                ForEachCell(fresh,
                            [&](int to) { reach(ChainNode(to, digit, false), node, next, limit); });
                if (cellLinks_) {
                    for (unsigned m = cand_[cell] & ~DigitBit(digit); m; m &= m - 1) {
                        const int d = std::countr_zero(m);
                        if (offSeen_[d].Has(cell))
                            continue;
                        offSeen_[d].Add(cell);
                        reach(ChainNode(cell, d + 1, false), node, next, limit);
                    }
                }
                continue;
            }
            std::array<std::int16_t, 5> out;  // three units and a cell, and room
            const int links = AppendLinks(node, out.data(), [](int to) { return to; });
            for (int i = 0; i < links; ++i) {
                if (mark_[out[i]] <= base)
                    reach(out[i], node, next, limit);
            }
        }
        if (!best)
            return 0;
        const int there = static_cast<int>(mark_[meet] - base);
        const int back = static_cast<int>(mark_[meet ^ 1] - base);
        for (int k = there - 1, at = meet; k >= 0; --k, at = parent_[at])
            chain[k] = static_cast<std::int16_t>(at);
        for (int k = 0, at = parent_[meet ^ 1]; k < back - 1; ++k, at = parent_[at])
            chain[there + k] = static_cast<std::int16_t>(at ^ 1);
        return best;
    }

    // The shortest loop from "on" at `start` out and back in through `last`, an "off" node
    // whose strong link closes it: a path that does not take the link from start to last at
    // once, with its cells all different. Its nodes (start once); 0 when there is none
    // shorter than `maxNodes`.
    int FindLoop(int start, int last, int maxNodes, std::array<std::int16_t, kChainRoom>& chain) {
        // On the live graph: the nodes left out link nowhere, so no path passes there.
        const int from = liveOf_[start], goal = liveOf_[last];
        const std::uint32_t stamp = ++stamp_;
        int head = 0, tail = 0;
        queue_[tail++] = static_cast<std::int16_t>(from);
        seen_[from] = stamp;
        depth_[from] = 1;
        while (head < tail) {
            const int r = queue_[head++];
            if (depth_[r] >= maxNodes)
                break;
            for (int i = liveOutFirst_[r], end = liveOutFirst_[r + 1]; i < end; ++i) {
                const int to = liveOut_[i];
                if (seen_[to] == stamp || (r == from && to == goal))
                    continue;
                seen_[to] = stamp;
                parent_[to] = static_cast<std::int16_t>(r);
                depth_[to] = static_cast<std::int8_t>(depth_[r] + 1);
                if (to == goal) {
                    const int length = depth_[to];
                    CellSet cells;
                    bool simple = true;
                    for (int k = length - 1, at = to; k >= 0; --k, at = parent_[at]) {
                        chain[k] = liveNode_[at];
                        simple = simple && !cells.Has(NodeCell(chain[k]));
                        cells.Add(NodeCell(chain[k]));
                    }
                    return simple ? length : 0;
                }
                queue_[tail++] = static_cast<std::int16_t>(to);
            }
        }
        return 0;
    }

    // The candidates' nodes, numbered digit by digit as the links list them.
    int Count() const { return digitFirst_[9]; }
    int IndexOf(int node) const { return index_[node]; }
    int NodeAt(int index) const { return nodeOf_[index]; }

    // Every start's closure at once: the nodes each of the `count` starts (node numbers by
    // index) leads to, with the nodes of the shortest chain there. As the all-starts search,
    // level by level with a bit per start on every node: a level costs one pass over the
    // links for all starts. The depths come in `depth` (read them with Depths::Of; a start
    // that does not reach a node leaves any value there), start s's nodes as a set in the
    // row of `reached` from s * rowWords. Nothing deeper than kChainRoom - 1 counts: a result
    // reached by two branches at least, each of one node at least, has no room for a longer
    // branch.
    //
    // The depths are kept in bit planes, a plane per bit of the depth, each with a bit per
    // start on every node as the levels have them: a level adds its bits to the planes of
    // its depth's ones at once, where a byte per start would take a branch per byte.
    struct Depths {
        std::vector<std::uint64_t> planes;  // plane b from b * size
        std::size_t size = 0;               // words per plane: words per node, node by node
        int words = 0, used = 0;            // planes in use: those of the deepest level
        int Of(int node, int start) const {
            const std::size_t at = static_cast<std::size_t>(node) * words + start / 64;
            int depth = 0;
            for (int b = 0; b < used; ++b)
                depth |= static_cast<int>(planes[b * size + at] >> (start % 64) & 1) << b;
            return depth;
        }
    };
    void Closures(int count, const std::int16_t* starts, Depths& depth, std::uint64_t* reached,
                  int rowWords) {
        switch ((count + 63) / 64) {
            case 1:
                return ClosuresIn<1>(count, starts, depth, reached, rowWords);
            case 2:
                return ClosuresIn<2>(count, starts, depth, reached, rowWords);
            case 3:
                return ClosuresIn<3>(count, starts, depth, reached, rowWords);
            case 4:
                return ClosuresIn<4>(count, starts, depth, reached, rowWords);
            case 5:
                return ClosuresIn<5>(count, starts, depth, reached, rowWords);
            case 6:
                return ClosuresIn<6>(count, starts, depth, reached, rowWords);
            default:
                return ClosuresIn<0>(count, starts, depth, reached, rowWords);
        }
    }

    // Closures with kWords words per node (0: as many as it takes).
    template <int kWords>
    void ClosuresIn(int count, const std::int16_t* starts, Depths& depth, std::uint64_t* reached,
                    int rowWords) {
        const int n = Count(), words = kWords ? kWords : (count + 63) / 64;
        if (!closuresBuilt_) {
            // The links by index, all of them: a result may lie on a node left out of the
            // live graph.
            int e = 0;
            for (int i = 0; i < n; ++i) {
                outFirst_[i] = static_cast<std::uint16_t>(e);
                e += AppendLinks(nodeOf_[i], &out_[e], [&](int to) { return index_[to]; });
            }
            outFirst_[n] = static_cast<std::uint16_t>(e);
            closuresBuilt_ = true;
        }
        const std::size_t size = static_cast<std::size_t>(n) * words;
        // Only the nodes with a front pass bits on, and only those some took bits from
        // are weighed: late levels touch few. A front row is read only after this search
        // wrote it, so it needs no clearing; a next row is cleared as it is read.
        if (front_.size() < size)
            front_.resize(size);
        reach_.assign(size, 0);
        next_.assign(size, 0);
        if (closureStamp_ > 0xfffffff0u) {
            closureTouchedAt_.fill(0);
            closureStamp_ = 0;
        }
        // A plane is cleared when the first level with its bit comes.
        constexpr int kPlanes = std::bit_width(static_cast<unsigned>(kChainRoom - 1));
        depth.planes.resize(kPlanes * size);
        depth.size = size;
        depth.words = words;
        depth.used = 1;
        std::uint64_t* planes = depth.planes.data();
        std::fill_n(planes, size, std::uint64_t{0});
        // The planes of a level's ones.
        std::array<std::uint64_t*, kPlanes> levelPlanes;
        int levelPlaneCount = 0;
        // The starts are all different nodes, at depth 1.
        int active = 0;
        for (int s = 0; s < count; ++s) {
            const std::size_t at = static_cast<std::size_t>(starts[s]) * words;
            for (int k = 0; k < words; ++k)
                front_[at + k] = 0;
            front_[at + s / 64] = reach_[at + s / 64] = planes[at + s / 64] = std::uint64_t{1}
                                                                              << (s % 64);
            closureActive_[active++] = starts[s];
        }
        // Every link turns "on" into "off" or back, and the starts are all "on": a level's
        // nodes are all "off" or all "on", in turn.
        for (int level = 2; level < kChainRoom && active; ++level) {
            const std::uint32_t stamp = ++closureStamp_;
            int touched = 0;
            if (std::has_single_bit(static_cast<unsigned>(level))) {
                std::fill_n(planes + depth.used * size, size, std::uint64_t{0});
                ++depth.used;
            }
            levelPlaneCount = 0;
            for (unsigned m = static_cast<unsigned>(level); m; m &= m - 1)
                levelPlanes[levelPlaneCount++] = planes + std::countr_zero(m) * size;
            for (int a = 0; a < active; ++a) {
                const int v = closureActive_[a];
                const std::uint64_t* from = &front_[static_cast<std::size_t>(v) * words];
                // Whether a node is new to the level is anyone's guess: no branch on it.
                for (int e = outFirst_[v]; e < outFirst_[v + 1]; ++e) {
                    const int t = out_[e];
                    std::uint64_t* to = &next_[static_cast<std::size_t>(t) * words];
                    closureTouched_[touched] = static_cast<std::int16_t>(t);
                    touched += closureTouchedAt_[t] != stamp;
                    closureTouchedAt_[t] = stamp;
                    for (int k = 0; k < words; ++k)
                        to[k] |= from[k];
                }
            }
            active = 0;
            for (int j = 0; j < touched; ++j) {
                const int t = closureTouched_[j];
                const std::size_t at = static_cast<std::size_t>(t) * words;
                std::uint64_t any = 0;
                for (int k = 0; k < words; ++k) {
                    const std::uint64_t x = next_[at + k] & ~reach_[at + k];
                    next_[at + k] = 0;
                    front_[at + k] = x;
                    any |= x;
                    reach_[at + k] |= x;
                    for (int p = 0; p < levelPlaneCount; ++p)
                        levelPlanes[p][at + k] |= x;
                }
                closureActive_[active] = static_cast<std::int16_t>(t);
                active += any != 0;
            }
        }
        // The nodes each start reaches: the bits per node turned into bits per start, 64 of
        // each at a time.
        std::array<std::uint64_t, 64> block{};
        for (int bt = 0; bt < rowWords; ++bt) {
            for (int k = 0; k < words; ++k) {
                for (int i = 0; i < 64; ++i) {
                    const int t = bt * 64 + i;
                    block[i] = t < n ? reach_[static_cast<std::size_t>(t) * words + k] : 0;
                }
                Transpose64(block);
                for (int j = 0; j < 64 && k * 64 + j < count; ++j)
                    reached[static_cast<std::size_t>(k * 64 + j) * rowWords + bt] = block[j];
            }
        }
    }

private:
    std::array<std::uint32_t, 9 * kBlock> seen_{};
    std::uint32_t stamp_ = 0;
    std::array<std::uint32_t, kNodes> mark_{};  // base_ + depth where the last search got
    std::uint32_t base_ = 0;
    bool built_ = false, cellLinks_ = false, closuresBuilt_ = false;
    // The board of the search under way, for its places unit by unit (the candidates are
    // those of cand_ and planes_).
    const CandidateBoard* board_ = nullptr;
    std::array<std::uint16_t, kCells> cand_{};  // the candidates the links were built from
    std::array<CellSet, 9> planes_{};
    std::array<CellSet, 9> offSeen_{};  // "off" nodes the contradiction search reached
    // The closures' graph: node numbers by candidate, back, their links (built when the
    // closures ask for them; up to 20 peers and 8 other digits for an "on" node, 3 units and
    // a cell for an "off" one), each digit's first node.
    std::array<std::int16_t, kNodes> index_{};
    std::array<std::int16_t, kNodes> nodeOf_{};
    // The link lists are written before they are read, so they are not cleared first: a
    // thread then touches only the pages its searches use.
    std::array<std::int16_t, kCells * 9 * 32> out_;
    std::array<std::uint16_t, kNodes + 1> outFirst_{};
    std::array<std::int16_t, 10> digitFirst_{};
    // The live graph, without the "off" nodes that link nowhere: each node's number there
    // (-1: left out), back, each one's opposite, and the links among them: each node's
    // sources, and for X-chains and cycles its targets.
    std::array<std::int16_t, kNodes> liveOf_{};
    std::array<std::int16_t, 9 * kBlock> liveNode_{}, liveOpp_{};
    std::array<std::int16_t, kCells * 9 * 32> liveOut_, liveIn_;  // written before read
    std::array<std::uint16_t, 9 * kBlock + 1> liveInFirst_{};
    std::array<std::uint16_t, 9 * kBlock + 1> liveOutFirst_{};
    int liveCount_ = 0;
    std::array<CellSet, 9> liveOff_{};  // per digit, the cells whose "off" node is live
    // X-chains: the places each digit's graph was built on, where it ends, and its shortest
    // chain (nodes, 0 for none; its start) on the places it was found on.
    std::array<bool, 9> digitBuilt_{}, digitLoops_{};
    std::array<CellSet, 9> digitPlane_{};
    std::array<std::int16_t, 9> digitEnd_{};
    std::array<DigitChain, 9> digitChain_{};
    // The all-starts search's nodes of each side ("off", "on") and how many.
    std::array<std::array<std::int16_t, kNodes / 2>, 2> side_{};
    std::array<std::array<std::int16_t, kNodes / 2>, 2> take_{};
    std::array<int, 2> sideCount_{}, takeCount_{};
    // Per node, a bit per start: the starts that reach it, first on the level before (the
    // closures); for the all-starts search per side of starts, with the starts that met
    // their opposite.
    std::vector<std::uint64_t> front_, next_, reach_;
    // The closures' nodes with a front, and those a level passed bits to (by a stamp per
    // level).
    std::array<std::int16_t, kNodes> closureActive_{}, closureTouched_{};
    std::array<std::uint32_t, kNodes> closureTouchedAt_{};
    std::uint32_t closureStamp_ = 0;
    struct Bits {
        int words = 0;
        std::vector<std::uint64_t> front, reach, meet, in;
        // The nodes the last level gave a front, and for pushing: whether it does, the bits
        // each node takes in and the nodes that took some on a level (by a stamp per level).
        std::vector<std::int16_t> active, touched;
        int activeCount = 0;
        bool push = false;
        std::vector<std::uint64_t> next;
        std::vector<std::uint32_t> touchedAt;
        std::uint32_t stamp = 0;
    };
    std::array<Bits, 2> bits_;
    // By node, or for a loop by live number.
    std::array<std::int16_t, 9 * kBlock> parent_{};
    std::array<std::int8_t, 9 * kBlock> depth_{};
    std::array<std::int16_t, 9 * kBlock> queue_{};
};

// One search per kind of link and thread, too large for the stack; its links are rebuilt only
// when the board changed.
ChainSearch& SearchFor(const CandidateBoard& board, bool cellLinks) {
    ChainSearch& search = PerThread<std::array<ChainSearch, 2>, false>()[cellLinks];
    search.Reset(board, cellLinks);
    return search;
}

}  // namespace

// The most nodes an X-cycle may have.
constexpr int kLongestLoop = 32;

// X-cycle: a loop on one digit, strong and weak links taking turns, read as implications from
// "on" in a cell back to it. Either way round every weak link then joins one cell that holds
// the digit and one that does not, so a cell that sees both loses it. Rated 6.5 plus the
// length tenths of its nodes.
//
// Of the shortest loops that remove something, the one from the last start (cell, digit,
// unit) counts. A digit's loops depend on its places alone, so each digit's shortest and its
// last start are kept with the places they were found on, and only the digits whose places
// changed are searched again.
//
// A loop of n nodes that removes a candidate makes an X-chain of n + 2 from it: on there, off
// in the far end of the weak link it sees, round the loop to its near end, on, and off again
// in the candidate. So a digit whose shortest X-chain is longer than the longest loop looked
// for, or that has none, has no loop to find.
bool FindXCycle(const CandidateBoard& board, Step& step) {
    struct DigitCycle {
        bool known = false;
        CellSet plane;
        int length = 0;          // 0: none
        int cell = 0, unit = 0;  // the last start of that length: cell and unit (0-2)
        Step step;
    };
    std::array<DigitCycle, 9>& digits = PerThread<std::array<DigitCycle, 9>>();
    ChainSearch& search = SearchFor(board, false);
    std::array<std::int16_t, kChainRoom> loop{};
    for (int d = 0; d < 9; ++d) {
        DigitCycle& c = digits[d];
        const int digit = d + 1;
        const CellSet plane = board.Plane(digit);
        if (c.known && c.plane == plane)
            continue;
        c.known = true;
        c.plane = plane;
        c.length = 0;
        const int chain = search.ShortestOf(d).nodes;
        if (!chain || chain > kLongestLoop + 2)
            continue;
        search.EnsureLoops(d);
        for (CellSet cells = plane; !cells.Empty();) {
            const int cell = cells.PopFirst();
            for (int k = 0; k < 3; ++k) {
                // The loop closes through the cell's partner in a unit with two places.
                const int unit = kUnitTables.units[cell][k];
                if (Count9(board.Positions(unit, digit)) != 2)
                    continue;
                const CellSet partner =
                    plane & kUnitTables.peerSets[cell] & kUnitTables.unitSets[unit];
                const int limit = c.length ? c.length : kLongestLoop;
                const int length =
                    search.FindLoop(ChainNode(cell, digit, true),
                                    ChainNode(partner.First(), digit, false), limit, loop);
                if (!length)
                    continue;
                // The weak links are those from "on" to "off"; the loop closes with a strong one.
                CellSet loopCells, removed;
                for (int i = 0; i < length; ++i)
                    loopCells.Add(NodeCell(loop[i]));
                for (int i = 0; i < length; ++i) {
                    if (NodeOn(loop[i]) && i + 1 < length && !NodeOn(loop[i + 1]))
                        removed |= (plane & kUnitTables.peerSets[NodeCell(loop[i])] &
                                    kUnitTables.peerSets[NodeCell(loop[i + 1])])
                                       .Minus(loopCells);
                }
                if (removed.Empty())
                    continue;
                Step& s = c.step;
                s = Step{};
                s.technique = Technique::XCycle;
                s.chain = loop;
                s.chainLength = length;
                s.extra = ChainLengthExtra(length);
                s.cells = s.loop = loopCells;
                s.digits = DigitBit(digit);
                RemoveFrom(s, removed, DigitBit(digit));
                c.length = length;
                c.cell = cell;
                c.unit = k;
            }
        }
    }
    // The shortest of all digits, from the last start: by cell, then digit, then unit.
    int best = -1;
    for (int d = 0; d < 9; ++d) {
        const DigitCycle& c = digits[d];
        if (!c.length)
            continue;
        if (best < 0 || c.length < digits[best].length ||
            (c.length == digits[best].length && c.cell >= digits[best].cell))
            best = d;
    }
    if (best < 0)
        return false;
    step = digits[best].step;
    return true;
}

bool FindChain(const CandidateBoard& board, bool cellLinks, int maxNodes, Step& step) {
    ChainSearch& search = SearchFor(board, cellLinks);
    const int limitNodes = maxNodes > 0 ? std::min(maxNodes, kChainRoom) : kChainRoom;
    int start = 0;
    const int bestLength = search.ShortestContradiction(limitNodes, start);
    if (!bestLength)
        return false;
    // The chain itself, by the search from its start that keeps the way back.
    std::array<std::int16_t, kChainRoom> best{};
    search.FindContradiction(start, bestLength, best);
    step = Step{};
    step.technique = cellLinks ? Technique::ForcingChain : Technique::XChain;
    step.chain = best;
    step.chainLength = bestLength;
    step.extra = ChainLengthExtra(bestLength);
    for (int i = 0; i < bestLength; ++i) {
        step.cells.Add(NodeCell(best[i]));
        step.digits |= DigitBit(NodeDigit(best[i]));
    }
    const int cell = NodeCell(best[0]), digit = NodeDigit(best[0]);
    if (NodeOn(best[0])) {
        step.removed[cell] = DigitBit(digit);
    } else {
        step.placedCell = cell;
        step.placedDigit = digit;
    }
    return true;
}

}  // namespace zw::techniques

namespace zw::techniques {

// Cell and unit forcing chains: every digit a cell could hold (or every place a unit has for a
// digit) leads to the same result, so it holds whichever is right. Rated 8.0 plus the length
// tenths of all branches' nodes together.
bool FindForcingChains(const CandidateBoard& board, Step& step) {
    ChainSearch& search = SearchFor(board, true);
    // Every candidate a start, cell by cell: its "on" node's number by index.
    std::array<std::int16_t, kCells * 9> startOf{}, closureStarts{};
    int count = 0;
    for (int cell = 0; cell < kCells; ++cell) {
        for (unsigned m = board.Candidates(cell); m; m &= m - 1) {
            const int d = std::countr_zero(m);
            startOf[cell * 9 + d] = static_cast<std::int16_t>(count);
            closureStarts[count++] =
                static_cast<std::int16_t>(search.IndexOf(ChainNode(cell, d + 1, true)));
        }
    }
    const int nodes = search.Count(), rowWords = (nodes + 63) / 64;
    thread_local ChainSearch::Depths depths;
    thread_local std::vector<std::uint64_t> reached;
    reached.resize(static_cast<std::size_t>(count) * rowWords);
    search.Closures(count, closureStarts.data(), depths, reached.data(), rowWords);
    auto reachedOf = [&](int cell, int digit) {
        return &reached[static_cast<std::size_t>(startOf[cell * 9 + digit - 1]) * rowWords];
    };
    // A result counts if it removes a candidate or places one.
    auto useful = [&](int node) {
        const std::uint16_t c = board.Candidates(NodeCell(node));
        return (c & DigitBit(NodeDigit(node))) && (NodeOn(node) ? Count9(c) > 1 : true);
    };
    int bestCost = 0, bestNode = -1, bestSource = -1;
    std::array<int, 9> branch{};  // the branches' starts
    std::array<const std::uint64_t*, 9> branchReached{};
    // Only the nodes every branch reaches; of those as cheap, the first node of the first
    // source (the nodes come by index here, digit by digit).
    auto consider = [&](int branches, int source) {
        for (int w = 0; w < rowWords; ++w) {
            std::uint64_t all = branchReached[0][w];
            for (int i = 1; i < branches; ++i)
                all &= branchReached[i][w];
            for (; all; all &= all - 1) {
                const int index = w * 64 + std::countr_zero(all);
                int cost = 0;
                for (int i = 0; i < branches; ++i)
                    cost += depths.Of(index, branch[i]);
                if (cost > kChainRoom || (bestCost && cost > bestCost))
                    continue;
                const int node = search.NodeAt(index);
                if (bestCost && cost == bestCost && (source != bestSource || node > bestNode))
                    continue;
                if (useful(node))
                    bestCost = cost, bestNode = node, bestSource = source;
            }
        }
    };
    for (int cell = 0; cell < kCells; ++cell) {
        const std::uint16_t c = board.Candidates(cell);
        if (Count9(c) < 3)
            continue;
        int b = 0;
        for (unsigned m = c; m; m &= m - 1) {
            branchReached[b] = reachedOf(cell, std::countr_zero(m) + 1);
            branch[b++] = startOf[cell * 9 + std::countr_zero(m)];
        }
        consider(b, cell);
    }
    for (int unit = 0; unit < kUnits; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            const std::uint16_t places = board.Positions(unit, digit);
            if (Count9(places) < 2)
                continue;
            int b = 0;
            for (unsigned m = places; m; m &= m - 1) {
                branchReached[b] = reachedOf(UnitCell(unit, std::countr_zero(m)), digit);
                branch[b++] = startOf[UnitCell(unit, std::countr_zero(m)) * 9 + digit - 1];
            }
            consider(b, UnitSource(unit, digit));
        }
    }
    if (!bestCost)
        return false;
    const bool fromCell = bestSource < UnitSource(0, 1);
    step = Step{};
    step.technique = fromCell ? Technique::CellForcingChain : Technique::UnitForcingChain;
    step.extra = ChainLengthExtra(bestCost);
    // The branches, rebuilt as shortest chains.
    std::array<int, 9> starts{};
    const int n = SourceBranches(board, bestSource, starts, step);
    std::array<std::int16_t, kChainRoom> chain{};
    for (int i = 0; i < n; ++i) {
        const int length =
            starts[i] == bestNode ? 1 : search.Find(starts[i], bestNode, kChainRoom, chain);
        if (starts[i] == bestNode)
            chain[0] = static_cast<std::int16_t>(bestNode);
        for (int k = 0; k < length; ++k) {
            step.chain[step.chainLength++] = chain[k];
            step.cells.Add(NodeCell(chain[k]));
            step.digits |= DigitBit(NodeDigit(chain[k]));
        }
        step.branchLengths[i] = static_cast<std::uint8_t>(length);
    }
    step.branchCount = n;
    const int cell = NodeCell(bestNode), digit = NodeDigit(bestNode);
    if (NodeOn(bestNode)) {
        step.placedCell = cell;
        step.placedDigit = digit;
    } else {
        step.removed[cell] = DigitBit(digit);
    }
    return true;
}

}  // namespace zw::techniques
