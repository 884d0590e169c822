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

// Per eight bits, a word with the bytes of the bits set all ones.
constexpr std::array<std::uint64_t, 256> kByteMasks = [] {
    std::array<std::uint64_t, 256> masks{};
    for (int b = 0; b < 256; ++b) {
        for (int j = 0; j < 8; ++j) {
            if (b >> j & 1)
                masks[b] |= std::uint64_t{0xff} << (8 * j);
        }
    }
    return masks;
}();

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
// Every node's links are listed once per board, so each search only walks them.
class ChainSearch {
public:
    void Reset(const CandidateBoard& board, bool cellLinks) {
        std::array<std::uint16_t, kCells> cand{};
        for (int cell = 0; cell < kCells; ++cell)
            cand[cell] = board.Candidates(cell);
        // The same candidates as last time: the links stand.
        if (built_ && cellLinks == cellLinks_ && cand == cand_)
            return;
        built_ = true;
        cellLinks_ = cellLinks;
        cand_ = cand;
        for (int d = 0; d < 9; ++d)
            planes_[d] = board.Plane(d + 1);
        // The candidates' nodes numbered digit by digit, a candidate's "off" and "on" side by
        // side, each node's links listed in that order: both as nodes and in those numbers,
        // the graph the all-starts search walks. An X-chain never leaves its digit, so each
        // digit's nodes are a graph of their own.
        int count = 0;
        for (int d = 0; d < 9; ++d) {
            digitFirst_[d] = static_cast<std::int16_t>(count);
            for (CellSet p = planes_[d]; !p.Empty();) {
                const int cell = p.PopFirst();
                for (int on = 0; on < 2; ++on) {
                    const int node = ChainNode(cell, d + 1, on);
                    index_[node] = static_cast<std::int16_t>(count);
                    nodeOf_[count++] = static_cast<std::int16_t>(node);
                }
            }
        }
        digitFirst_[9] = static_cast<std::int16_t>(count);
        int n = 0;
        auto link = [&](int node) {
            links_[n] = static_cast<std::int16_t>(node);
            out_[n++] = index_[node];
        };
        for (int i = 0; i < count; i += 2) {
            const int cell = NodeCell(nodeOf_[i]), digit = NodeDigit(nodeOf_[i]);
            const std::uint16_t own = cand[cell];
            outFirst_[i] = static_cast<std::uint16_t>(n);
            for (int k = 0; k < 3; ++k) {
                const int unit = kUnitTables.units[cell][k];
                const std::uint16_t p = board.Positions(unit, digit);
                if (Count9(p) != 2)
                    continue;
                for (unsigned m = p; m; m &= m - 1) {
                    const int other = UnitCell(unit, std::countr_zero(m));
                    if (other != cell)
                        link(ChainNode(other, digit, true));
                }
            }
            if (cellLinks && Count9(own) == 2) {
                const std::uint16_t rest = own & static_cast<std::uint16_t>(~DigitBit(digit));
                link(ChainNode(cell, std::countr_zero(rest) + 1, true));
            }
            outFirst_[i + 1] = static_cast<std::uint16_t>(n);
            // Peers in ascending order, as a set gives them.
            for (CellSet p = planes_[digit - 1] & kUnitTables.peerSets[cell]; !p.Empty();)
                link(ChainNode(p.PopFirst(), digit, false));
            if (cellLinks) {
                for (unsigned m = own & ~DigitBit(digit); m; m &= m - 1)
                    link(ChainNode(cell, std::countr_zero(m) + 1, false));
            }
        }
        outFirst_[count] = static_cast<std::uint16_t>(n);
        liveBuilt_ = false;
    }

    // The all-starts search's graph, once per board when it is asked for: the "off" nodes
    // without links left out. A chain neither starts there nor meets there (its opposite,
    // which nothing links to, is only ever its own start), so they take no bits and no time.
    // Its own numbers, digit by digit.
    void BuildLive() {
        int live = 0;
        for (int d = 0; d < 9; ++d) {
            liveFirst_[d] = static_cast<std::int16_t>(live);
            for (int i = digitFirst_[d]; i < digitFirst_[d + 1]; ++i) {
                const bool dead = !(i & 1) && outFirst_[i + 1] == outFirst_[i];
                liveOf_[i] = static_cast<std::int16_t>(dead ? -1 : live);
                if (!dead)
                    liveNode_[live++] = static_cast<std::int16_t>(i);
            }
        }
        liveFirst_[9] = static_cast<std::int16_t>(live);
        int e = 0;
        for (int r = 0; r < live; ++r) {
            const int i = liveNode_[r];
            liveOpp_[r] = liveOf_[i ^ 1];
            liveOutFirst_[r] = static_cast<std::uint16_t>(e);
            for (int k = outFirst_[i]; k < outFirst_[i + 1]; ++k) {
                if (liveOf_[out_[k]] >= 0)
                    liveOut_[e++] = liveOf_[out_[k]];
            }
        }
        liveOutFirst_[live] = static_cast<std::uint16_t>(e);
        liveBuilt_ = true;
    }

    // Where a candidate's node lists its links in links_ (as nodes) and out_ (as numbers).
    int Begin(int node) const { return outFirst_[index_[node]]; }
    int End(int node) const { return outFirst_[index_[node] + 1]; }

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
        if (!liveBuilt_)
            BuildLive();
        if (cellLinks_) {
            AllStarts(0, liveFirst_[9], maxNodes, best, start);
        } else {
            // A digit's chains depend on its places alone: places that once had none have none.
            for (int d = 0; d < 9; ++d) {
                if (noChain_[d] == planes_[d])
                    continue;
                if (AllStarts(liveFirst_[d], liveFirst_[d + 1], maxNodes, best, start))
                    noChain_[d] = planes_[d];
            }
        }
        return best;
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
            for (int i = Begin(node), end = End(node); i < end; ++i) {
                const int to = links_[i];
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
    bool AllStarts(int lo, int hi, int maxNodes, int& best, int& start) {
        const int words = (hi - lo + 63) / 64;
        // The usual sizes with the word count known, so its loops unroll.
        switch (words) {
            case 0:
                return true;
            case 1:
                return AllStartsIn<1>(lo, hi, words, maxNodes, best, start);
            case 2:
                return AllStartsIn<2>(lo, hi, words, maxNodes, best, start);
            case 3:
                return AllStartsIn<3>(lo, hi, words, maxNodes, best, start);
            case 4:
                return AllStartsIn<4>(lo, hi, words, maxNodes, best, start);
            case 5:
                return AllStartsIn<5>(lo, hi, words, maxNodes, best, start);
            case 6:
                return AllStartsIn<6>(lo, hi, words, maxNodes, best, start);
            case 7:
                return AllStartsIn<7>(lo, hi, words, maxNodes, best, start);
            case 8:
                return AllStartsIn<8>(lo, hi, words, maxNodes, best, start);
            default:
                return AllStartsIn<0>(lo, hi, words, maxNodes, best, start);
        }
    }

    // AllStarts with kWords words per node (0: `words`, as many as it takes).
    template <int kWords>
    bool AllStartsIn(int lo, int hi, int runtimeWords, int maxNodes, int& best, int& start) {
        const int n = hi - lo, words = kWords ? kWords : runtimeWords;
        const std::size_t size = static_cast<std::size_t>(n) * words;
        front_.assign(size, 0);
        reach_.assign(size + words, 0);  // and a row of none, for an opposite left out
        next_.assign(size, 0);
        meet_.resize(static_cast<std::size_t>(words));
        grew_.resize(static_cast<std::size_t>(words));
        for (int i = 0; i < n; ++i) {
            front_[static_cast<std::size_t>(i) * words + i / 64] = std::uint64_t{1} << (i % 64);
            reach_[static_cast<std::size_t>(i) * words + i / 64] = std::uint64_t{1} << (i % 64);
        }
        // With the word count known, the totals stay in registers.
        std::array<std::uint64_t, kWords ? kWords : 1> meetWords{}, grewWords{};
        std::uint64_t* meet = kWords ? meetWords.data() : meet_.data();
        std::uint64_t* grew = kWords ? grewWords.data() : grew_.data();
        const int lastLevel = (best ? best : maxNodes) / 2 + 1;
        for (int level = 2; level <= lastLevel; ++level) {
            for (int v = 0; v < n; ++v) {
                const std::uint64_t* from = &front_[static_cast<std::size_t>(v) * words];
                std::uint64_t any = 0;
                for (int k = 0; k < words; ++k)
                    any |= from[k];
                if (!any)
                    continue;
                for (int e = liveOutFirst_[lo + v]; e < liveOutFirst_[lo + v + 1]; ++e) {
                    std::uint64_t* to = &next_[static_cast<std::size_t>(liveOut_[e] - lo) * words];
                    for (int k = 0; k < words; ++k)
                        to[k] |= from[k];
                }
            }
            // A node and its opposite lie at levels of different parity, so the new nodes'
            // opposites are all from earlier levels. The old front is cleared on the way,
            // to take the next level.
            for (int k = 0; k < words; ++k)
                meet[k] = grew[k] = 0;
            for (int w = 0; w < n; ++w) {
                const std::size_t at = static_cast<std::size_t>(w) * words;
                std::uint64_t* fresh = &next_[at];
                std::uint64_t* seen = &reach_[at];
                std::uint64_t* old = &front_[at];
                const int opposite = liveOpp_[lo + w] < 0 ? n : liveOpp_[lo + w] - lo;
                const std::uint64_t* other = &reach_[static_cast<std::size_t>(opposite) * words];
                for (int k = 0; k < words; ++k) {
                    const std::uint64_t x = fresh[k] & ~seen[k];
                    fresh[k] = x;
                    seen[k] |= x;
                    old[k] = 0;
                    grew[k] |= x;
                    meet[k] |= x & other[k];
                }
            }
            std::uint64_t met = 0, any = 0;
            for (int k = 0; k < words; ++k) {
                met |= meet[k];
                any |= grew[k];
            }
            if (met) {
                const int nodes = 2 * level - 2;
                for (int k = 0; k < words; ++k) {
                    for (std::uint64_t m = meet[k]; m; m &= m - 1) {
                        const int node = nodeOf_[liveNode_[lo + k * 64 + std::countr_zero(m)]];
                        // "on" before "off": the ladder's order is that of node ^ 1.
                        if (!best || nodes < best || (node ^ 1) < (start ^ 1))
                            best = nodes, start = node;
                    }
                }
                return false;
            }
            if (!any)
                return true;
            front_.swap(next_);
        }
        return false;
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
                while (!fresh.Empty())
                    reach(ChainNode(fresh.PopFirst(), digit, false), node, next, limit);
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
            for (int i = Begin(node), end = End(node); i < end; ++i) {
                const int to = links_[i];
                if (mark_[to] <= base)
                    reach(to, node, next, limit);
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
        const std::uint32_t stamp = ++stamp_;
        int head = 0, tail = 0;
        queue_[tail++] = static_cast<std::int16_t>(start);
        seen_[start] = stamp;
        depth_[start] = 1;
        while (head < tail) {
            const int node = queue_[head++];
            if (depth_[node] >= maxNodes)
                break;
            for (int i = Begin(node), end = End(node); i < end; ++i) {
                const int to = links_[i];
                if (seen_[to] == stamp || (node == start && to == last))
                    continue;
                seen_[to] = stamp;
                parent_[to] = static_cast<std::int16_t>(node);
                depth_[to] = static_cast<std::int8_t>(depth_[node] + 1);
                if (to == last) {
                    const int length = depth_[to];
                    CellSet cells;
                    bool simple = true;
                    for (int k = length - 1, at = to; k >= 0; --k, at = parent_[at]) {
                        chain[k] = static_cast<std::int16_t>(at);
                        simple = simple && !cells.Has(NodeCell(at));
                        cells.Add(NodeCell(at));
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
    // links for all starts. Node t's depths from the starts come as bytes in the row of
    // `depth` from t * DepthRow(count) (start s at byte s; a start that does not reach it
    // leaves any value there), start s's nodes as a set in the row of `reached` from
    // s * rowWords. Nothing deeper than kChainRoom - 1 counts: a result reached by two
    // branches at least, each of one node at least, has no room for a longer branch.
    static int DepthRow(int count) { return (count + 63) / 64 * 64; }
    void Closures(int count, const std::int16_t* starts, std::vector<std::uint64_t>& depth,
                  std::uint64_t* reached, int rowWords) {
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
    void ClosuresIn(int count, const std::int16_t* starts, std::vector<std::uint64_t>& depth,
                    std::uint64_t* reached, int rowWords) {
        const int n = Count(), words = kWords ? kWords : (count + 63) / 64;
        const std::size_t size = static_cast<std::size_t>(n) * words;
        front_.assign(size, 0);
        reach_.assign(size, 0);
        next_.assign(size, 0);
        // A row of depths per node, eight to a word: byte s of word k / 8 holds start s's.
        depth.resize(size * 8);
        auto record = [&](int t, int k, std::uint64_t fresh, int level) {
            std::uint64_t* row = &depth[(static_cast<std::size_t>(t) * words + k) * 8];
            if constexpr (std::endian::native == std::endian::little) {
                const std::uint64_t all = std::uint64_t{0x0101010101010101} * level;
                for (int j = 0; j < 8; ++j, fresh >>= 8) {
                    const std::uint64_t m = kByteMasks[fresh & 0xff];
                    row[j] = (row[j] & ~m) | (all & m);
                }
            } else {
                auto* bytes = reinterpret_cast<std::uint8_t*>(row);
                for (; fresh; fresh &= fresh - 1)
                    bytes[std::countr_zero(fresh)] = static_cast<std::uint8_t>(level);
            }
        };
        for (int s = 0; s < count; ++s) {
            const std::size_t at = static_cast<std::size_t>(starts[s]) * words + s / 64;
            front_[at] |= std::uint64_t{1} << (s % 64);
            reach_[at] |= std::uint64_t{1} << (s % 64);
            record(starts[s], s / 64, std::uint64_t{1} << (s % 64), 1);
        }
        // Every link turns "on" into "off" or back, and the starts are all "on": a level's
        // nodes are all "off" (even numbers) or all "on" (odd), in turn.
        for (int level = 2; level < kChainRoom; ++level) {
            for (int v = ~level & 1; v < n; v += 2) {
                const std::uint64_t* from = &front_[static_cast<std::size_t>(v) * words];
                std::uint64_t any = 0;
                for (int k = 0; k < words; ++k)
                    any |= from[k];
                if (!any)
                    continue;
                for (int e = outFirst_[v]; e < outFirst_[v + 1]; ++e) {
                    std::uint64_t* to = &next_[static_cast<std::size_t>(out_[e]) * words];
                    for (int k = 0; k < words; ++k)
                        to[k] |= from[k];
                }
            }
            bool grew = false;
            for (int t = level & 1; t < n; t += 2) {
                const std::size_t at = static_cast<std::size_t>(t) * words;
                for (int k = 0; k < words; ++k) {
                    const std::uint64_t x = next_[at + k] & ~reach_[at + k];
                    next_[at + k] = 0;
                    front_[at + k] = x;
                    if (x) {
                        grew = true;
                        reach_[at + k] |= x;
                        record(t, k, x, level);
                    }
                }
            }
            if (!grew)
                break;
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
    // Up to 20 peers and 8 other digits for an "on" node, 3 units and a cell for an "off" one.
    std::array<std::int16_t, kCells * 9 * 32> links_{};
    std::array<std::uint32_t, kNodes> seen_{};
    std::uint32_t stamp_ = 0;
    std::array<std::uint32_t, kNodes> mark_{};  // base_ + depth where the last search got
    std::uint32_t base_ = 0;
    bool built_ = false, cellLinks_ = false, liveBuilt_ = false;
    std::array<std::uint16_t, kCells> cand_{};  // the candidates the links were built from
    std::array<CellSet, 9> planes_{};
    std::array<CellSet, 9> offSeen_{};  // "off" nodes the contradiction search reached
    // The all-starts graph: node numbers by candidate, their links, each digit's first node.
    std::array<std::int16_t, kNodes> index_{};
    std::array<std::int16_t, kNodes> nodeOf_{};
    std::array<std::int16_t, kCells * 9 * 32> out_{};
    std::array<std::uint16_t, kNodes + 1> outFirst_{};
    std::array<std::int16_t, 10> digitFirst_{};
    // The same without the "off" nodes that link nowhere: their numbers there (-1: left out),
    // back, each one's opposite, the links among them and each digit's first.
    std::array<std::int16_t, kNodes> liveOf_{}, liveNode_{}, liveOpp_{};
    std::array<std::int16_t, kCells * 9 * 32> liveOut_{};
    std::array<std::uint16_t, kNodes + 1> liveOutFirst_{};
    std::array<std::int16_t, 10> liveFirst_{};
    // Per node, a bit per start: the starts that reach it, first on the level before.
    std::vector<std::uint64_t> front_, next_, reach_, meet_, grew_;
    // Per digit, places on which it has no X-chain, or no X-cycle, however long (with the
    // X-chain links only). Empty places never come up: they have no start.
    std::array<CellSet, 9> noChain_{}, noCycle_{};

public:
    // FindXCycle's record of the places on which a digit has no cycle.
    bool NoCycle(int d) const { return noCycle_[d] == planes_[d]; }
    void SetNoCycle(int d) { noCycle_[d] = planes_[d]; }

private:
    std::array<std::int16_t, kNodes> parent_{};
    std::array<std::int8_t, kNodes> depth_{};
    std::array<std::int16_t, kNodes> queue_{};
};

// One search per kind of link and thread, too large for the stack; its links are rebuilt only
// when the board changed.
ChainSearch& SearchFor(const CandidateBoard& board, bool cellLinks) {
    thread_local std::array<ChainSearch, 2> searches;
    ChainSearch& search = searches[cellLinks];
    search.Reset(board, cellLinks);
    return search;
}

}  // namespace

// X-cycle: a loop on one digit, strong and weak links taking turns, read as implications from
// "on" in a cell back to it. Either way round every weak link then joins one cell that holds
// the digit and one that does not, so a cell that sees both loses it. Rated 6.5 plus the
// length tenths of its nodes.
bool FindXCycle(const CandidateBoard& board, Step& step) {
    ChainSearch& search = SearchFor(board, false);
    std::array<std::int16_t, kChainRoom> loop{};
    int bestLength = 0;
    // A digit's cycles depend on its places alone: where it had none, it has none.
    unsigned known = 0;
    for (int d = 0; d < 9; ++d) {
        if (search.NoCycle(d))
            known |= 1u << d;
    }
    for (int cell = 0; cell < kCells; ++cell) {
        for (unsigned m = board.Candidates(cell) & ~known; m; m &= m - 1) {
            const int digit = std::countr_zero(m) + 1;
            for (int unit : kUnitTables.units[cell]) {
                // The loop closes through the cell's partner in a unit with two places.
                const std::uint16_t places = board.Positions(unit, digit);
                if (Count9(places) != 2)
                    continue;
                int partner = -1;
                for (unsigned p = places; p; p &= p - 1) {
                    if (UnitCell(unit, std::countr_zero(p)) != cell)
                        partner = UnitCell(unit, std::countr_zero(p));
                }
                const int limit = bestLength ? bestLength : 32;
                const int length = search.FindLoop(ChainNode(cell, digit, true),
                                                   ChainNode(partner, digit, false), limit, loop);
                if (!length)
                    continue;
                // The weak links are those from "on" to "off"; the loop closes with a strong one.
                CellSet loopCells, removed;
                for (int i = 0; i < length; ++i)
                    loopCells.Add(NodeCell(loop[i]));
                const CellSet plane = board.Plane(digit);
                for (int i = 0; i < length; ++i) {
                    if (NodeOn(loop[i]) && i + 1 < length && !NodeOn(loop[i + 1]))
                        removed |= (plane & kUnitTables.peerSets[NodeCell(loop[i])] &
                                    kUnitTables.peerSets[NodeCell(loop[i + 1])])
                                       .Minus(loopCells);
                }
                if (removed.Empty())
                    continue;
                step = Step{};
                step.technique = Technique::XCycle;
                step.chain = loop;
                step.chainLength = length;
                step.extra = ChainLengthExtra(length);
                step.cells = step.loop = loopCells;
                step.digits = DigitBit(digit);
                RemoveFrom(step, removed, DigitBit(digit));
                bestLength = length;
            }
        }
    }
    // Nothing found, so every start was searched as far as a cycle may go.
    if (!bestLength) {
        for (int d = 0; d < 9; ++d)
            search.SetNoCycle(d);
    }
    return bestLength > 0;
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
    thread_local std::vector<std::uint64_t> depths, reached;
    reached.resize(static_cast<std::size_t>(count) * rowWords);
    search.Closures(count, closureStarts.data(), depths, reached.data(), rowWords);
    const auto* depthBytes = reinterpret_cast<const std::uint8_t*>(depths.data());
    const std::size_t depthRow = static_cast<std::size_t>(ChainSearch::DepthRow(count));
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
                const std::uint8_t* depth = depthBytes + index * depthRow;
                int cost = 0;
                for (int i = 0; i < branches; ++i)
                    cost += depth[branch[i]];
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
