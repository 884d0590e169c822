// The engine's search. No include guard on purpose: fast_search.cpp includes it once for each
// instruction set it is built for, each time inside a namespace of that build's own. Needs Mask,
// Position, Givens and the helpers defined there before it; nothing else may include it.

namespace {

// Places digit d on `cells` of band b, which must all be open, allow it and not see one another;
// `peers` are the cells of the band they see.
inline void PlaceCells(Position& p, int d, int b, Mask cells, Mask peers, unsigned& dirty) {
    dirty |= TakeFromDigits(p.cand + 9 * b, cells) << (9 * b);
    // The columns in every band, this one's included (which marks it changed): its peers go
    // next anyway.
    const Mask c = Columns(cells);
    const Mask columns = c | (c << 9) | (c << 18);
    for (int other = 0; other < 3; ++other) {
        const Mask m = p.Cand(other, d);
        dirty |= static_cast<unsigned>((m & columns) != 0) << (9 * other + d);
        p.Cand(other, d) = m & ~columns;
    }
    p.Cand(b, d) = (p.Cand(b, d) & ~peers) | cells;
    p.open[b] &= ~cells;
}

// Places digit d at bit i of band b, which must still allow it.
inline void Place(Position& p, int d, int b, int i, unsigned& dirty) {
    PlaceCells(p, d, b, Mask{1} << i, kTables.peersInBand[i], dirty);
}

// Places each open bit of `cells` (band b) for digit d, all at once; false when one of them has
// lost the digit or two of them see each other.
inline bool PlaceAll(Position& p, int d, int b, Mask cells, unsigned& dirty) {
    cells &= p.open[b];
    if (cells == 0)
        return true;
    // Most often one cell, else two: their peers without a loop whose length is anyone's guess.
    constexpr Mask kNone = Mask{1} << 27;  // no cell: no peers
    const Mask second = cells & (cells - 1), more = second & (second - 1);
    Mask peers = kTables.peersInBand[std::countr_zero(cells)] |
                 kTables.peersInBand[std::countr_zero(second | kNone)];
    for (Mask c = more; c != 0; c &= c - 1)
        peers |= kTables.peersInBand[std::countr_zero(c)];
    if ((peers & cells) != 0 || (p.Cand(b, d) & cells) != cells)
        return false;
    PlaceCells(p, d, b, cells, peers, dirty);
    return true;
}

// Within one band a digit stands once in each row and once in each box: locked candidates
// between them, and in `singles` the open cells that are the last place for the digit in a row
// or box of the band. False on a contradiction.
bool UpdateBand(Position& p, int k, Mask& singles) {
    Mask a = p.cand[k];
    const int pattern = kTables.boxesOfRow[a & kRow] | (kTables.boxesOfRow[(a >> 9) & kRow] << 3) |
                        (kTables.boxesOfRow[a >> 18] << 6);
    const auto [keep, sole] = kTables.bandPattern[pattern];
    a &= keep;
    if (a == 0)
        return false;
    p.cand[k] = a;
    // A row or box with one cell left: a mini-row alone in its row or box, holding one cell.
    constexpr Mask kFirstOfMiniRow = 0x1249249;
    const Mask b0 = a & kFirstOfMiniRow, b1 = (a >> 1) & kFirstOfMiniRow,
               b2 = (a >> 2) & kFirstOfMiniRow;
    const Mask oneCell = (kFirstOfMiniRow & ~((b0 & b1) | (b0 & b2) | (b1 & b2))) * 7;
    singles = a & oneCell & sole & p.open[(k * 57) >> 9];  // k / 9 for k < 27
    return true;
}

// The same across each stack, its bands against its columns, and the hidden singles of the
// columns. False on a contradiction.
bool UpdateStacks(Position& p, int d, unsigned& dirty) {
    Mask a[3] = {p.Cand(0, d), p.Cand(1, d), p.Cand(2, d)};
    const Mask cols[3] = {Columns(a[0]), Columns(a[1]), Columns(a[2])};
    for (int s = 0; s < 3; ++s) {
        const int shift = 3 * s;
        const int pattern = ((cols[0] >> shift) & 7) | (((cols[1] >> shift) & 7) << 3) |
                            (((cols[2] >> shift) & 7) << 6);
        const int on = kTables.onPermutation[pattern];
        if (on == 0)
            return false;
        if (on == pattern)
            continue;
        for (int b = 0; b < 3; ++b) {
            const int gone = ((pattern & ~on) >> (3 * b)) & 7;
            if (gone == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                if (gone & (1 << c))
                    a[b] &= ~(kColumn << (shift + c));
            p.Cand(b, d) = a[b];
            dirty |= DirtyBit(d, b);
        }
    }
    // Columns where the digit stands already need no look.
    const Mask placed = Columns((a[0] & ~p.open[0]) | (a[1] & ~p.open[1]) | (a[2] & ~p.open[2]));
    const Mask inOneBand = (cols[0] ^ cols[1] ^ cols[2]) & ~(cols[0] & cols[1] & cols[2]) & ~placed;
    for (int b = 0; b < 3; ++b) {
        Mask single = 0;
        for (Mask c = inOneBand & cols[b]; c != 0; c &= c - 1) {
            // Read afresh: placing in an earlier band may have taken a column away.
            const Mask cells = p.Cand(b, d) & (kColumn << std::countr_zero(c));
            if (OneBit(cells))
                single |= cells;
        }
        if (!PlaceAll(p, d, b, single, dirty))
            return false;
    }
    return true;
}

// UpdateBand for each bit of `dirty`; the bits of those that found singles go to `anyFound`.
// False on a contradiction. A loop of its own, so that its few values stay in registers.
bool Sweep(Position& p, unsigned dirty, Mask (&found)[27], unsigned& anyFound) {
    unsigned any = anyFound;
    while (dirty != 0) {
        const int k = std::countr_zero(dirty);
        dirty &= dirty - 1;
        if (!UpdateBand(p, k, found[k]))
            return false;
        any |= static_cast<unsigned>(found[k] != 0) << k;
    }
    anyFound = any;
    return true;
}

// Runs every deduction until none changes anything, the cheaper ones first: the rows and boxes
// of each band and the naked singles, and only when they find nothing more, the stacks. False
// on a contradiction.
//
// The hidden singles of the bands are placed after each sweep over the changed bands rather
// than as they are found: whether an update finds one is anyone's guess, and a branch on it
// costs more than the later loop over those that did (a seventh of the time on easy puzzles).
bool Propagate(Position& p, unsigned dirty) {
    unsigned touched = 0;   // the dirty bits updated since the stacks were last looked at
    Mask found[27];         // each band and digit's last singles, by dirty bit
    unsigned anyFound = 0;  // the dirty bits of those with any
    for (;;) {
        touched |= dirty;
        if (!Sweep(p, dirty, found, anyFound))
            return false;
        dirty = 0;
        for (; anyFound != 0; anyFound &= anyFound - 1) {
            const int k = std::countr_zero(anyFound);
            const int b = (k * 57) >> 9, d = k - 9 * b;
            if (!PlaceAll(p, d, b, found[k], dirty))
                return false;
        }
        if (dirty != 0)
            continue;
        // Naked singles; an open cell without candidates ends the branch.
        for (int b = 0; b < 3; ++b) {
            const Mask open = p.open[b];
            if (open == 0)
                continue;
            Mask one = 0, two = 0;
            for (int d = 0; d < 9; ++d) {
                const Mask x = p.Cand(b, d) & open;
                two |= one & x;
                one |= x;
            }
            if (open & ~one)
                return false;
            for (Mask singles = one & ~two; singles != 0; singles &= singles - 1) {
                const int i = std::countr_zero(singles);
                const Mask bit = Mask{1} << i;
                int d = 0;
                while (d < 9 && !(p.Cand(b, d) & bit))
                    ++d;
                if (d == 9)
                    return false;
                Place(p, d, b, i, dirty);
            }
        }
        if (dirty != 0)
            continue;
        const unsigned digits = (touched | (touched >> 9) | (touched >> 18)) & 0x1FF;
        touched = 0;
        for (unsigned left = digits; left != 0; left &= left - 1) {
            if (!UpdateStacks(p, std::countr_zero(left), dirty))
                return false;
        }
        if (dirty == 0)
            return true;
    }
}

struct Search {
    std::int64_t limit = 0;  // 0 or less: none
    std::int64_t count = 0;
    std::string* first = nullptr;
    bool rows = false;  // `first` row by row rather than column by column

    // Where bit i of band b stands in `first`.
    int At(int b, int i) const { return rows ? 27 * b + i : kTables.placeOfBit[i] + 3 * b; }

    bool Done() const { return limit > 0 && count >= limit; }

    void Record(const Position& p) {
        if (count++ != 0 || first == nullptr)
            return;
        first->assign(kCellCount, ' ');
        for (int d = 0; d < 9; ++d) {
            for (int b = 0; b < 3; ++b) {
                for (Mask cells = p.Cand(b, d); cells != 0; cells &= cells - 1)
                    (*first)[At(b, std::countr_zero(cells))] = static_cast<char>('1' + d);
            }
        }
    }

    // The ways to go on from a position: digit d[k] at bit i[k] of band b[k], for k < n, of which
    // exactly one holds in every solution.
    struct Choice {
        int n = 0;
        std::array<std::int8_t, 9> d{}, b{}, i{};
        void Add(int digit, int band, int index) {
            d[n] = static_cast<std::int8_t>(digit);
            b[n] = static_cast<std::int8_t>(band);
            i[n] = static_cast<std::int8_t>(index);
            ++n;
        }
    };

    static bool TwoBits(Mask m) {
        const Mask rest = m & (m - 1);
        return rest != 0 && OneBit(rest);
    }

    // A digit with just two places left in a row, box or column, not yet placed there. Trying
    // both splits the search as a cell with two candidates does, and such a digit refutes some
    // boards without solution at once where cell by cell the search takes seconds.
    static bool TwoPlaces(const Position& p, Choice& choice) {
        for (int d = 0; d < 9; ++d) {
            const Mask a[3] = {p.Cand(0, d), p.Cand(1, d), p.Cand(2, d)};
            for (int b = 0; b < 3; ++b) {
                for (int k = 0; k < 3; ++k) {
                    for (const Mask unit : {kRow << (9 * k), kBox << (3 * k)}) {
                        const Mask places = a[b] & unit;
                        if ((places & ~p.open[b]) == 0 && TwoBits(places)) {
                            choice.Add(d, b, std::countr_zero(places));
                            choice.Add(d, b, 31 - std::countl_zero(places));
                            return true;
                        }
                    }
                }
            }
            for (int c = 0; c < 9; ++c) {
                const Mask column = kColumn << c;
                const Mask places[3] = {a[0] & column, a[1] & column, a[2] & column};
                if ((places[0] & ~p.open[0]) || (places[1] & ~p.open[1]) ||
                    (places[2] & ~p.open[2]))
                    continue;
                Choice two;
                for (int b = 0; b < 3 && two.n <= 2; ++b)
                    for (Mask m = places[b]; m != 0 && two.n <= 2; m &= m - 1)
                        two.Add(d, b, std::countr_zero(m));
                if (two.n == 2) {
                    choice = two;
                    return true;
                }
            }
        }
        return false;
    }

    // An open cell with the fewest candidates: of those with two, the one that sees the most
    // open cells, else the first in the order of the bands. With `twoOnly` only a cell with
    // two, false when there is none.
    static bool FewestCandidates(const Position& p, Choice& choice, bool twoOnly) {
        Mask withTwo[3], withThree[3];
        for (int b = 0; b < 3; ++b) {
            const Mask open = p.open[b];
            Mask one = 0, two = 0, three = 0, more = 0;
            for (int d = 0; d < 9; ++d) {
                const Mask x = p.Cand(b, d) & open;
                more |= three & x;
                three |= two & x;
                two |= one & x;
                one |= x;
            }
            withTwo[b] = two & ~three;
            withThree[b] = three & ~more;
        }
        int band = -1, index = 0;
        if (twoOnly && (withTwo[0] | withTwo[1] | withTwo[2]) == 0)
            return false;
        // Either digit there takes itself from the most open cells, so the propagation after it
        // settles the most; on the hardest sets this halves the branches.
        for (int b = 0, most = -1; b < 3; ++b) {
            for (Mask cells = withTwo[b]; cells != 0; cells &= cells - 1) {
                const int i = std::countr_zero(cells);
                const Mask column = kColumn << (i % 9);
                const int seen = std::popcount(kTables.peersInBand[i] & p.open[b]) +
                                 std::popcount(p.open[(b + 1) % 3] & column) +
                                 std::popcount(p.open[(b + 2) % 3] & column);
                if (seen > most) {
                    most = seen;
                    band = b;
                    index = i;
                }
            }
        }
        for (int b = 0; b < 3 && band < 0; ++b) {
            if (withThree[b] != 0) {
                band = b;
                index = std::countr_zero(withThree[b]);
            }
        }
        for (int b = 0, best = 10; b < 3 && band < 0; ++b) {
            for (Mask cells = p.open[b]; cells != 0; cells &= cells - 1) {
                const int i = std::countr_zero(cells);
                int n = 0;
                for (int d = 0; d < 9; ++d)
                    n += (p.Cand(b, d) >> i) & 1;
                if (n < best) {
                    best = n;
                    band = b;
                    index = i;
                }
            }
        }
        for (int d = 0; d < 9; ++d)
            if (p.Cand(band, d) & (Mask{1} << index))
                choice.Add(d, band, index);
        return true;
    }

    // Few open cells left: trying their digits cell by cell, each digit taken from the open
    // peers, costs less than propagating after every step. Up to 40, one bit each in a word.
    static constexpr int kFewOpen = 40;
    using FewMask = std::uint64_t;

    struct Few {
        int n = 0;
        std::array<FewMask, kFewOpen> peers{};  // the other open cells it sees
        std::array<std::int8_t, kFewOpen> band{}, index{}, digit{};
    };

    // For each digit the cells that may still take it, a placed cell keeping its own digit.
    // Taking a digit from a cell's peers is one instruction, and finding the cells left with one
    // digit a few more, with no loop whose length the processor must guess.
    struct FewDigits {
        std::array<FewMask, 9> cells{};

        unsigned Of(int j) const {
            unsigned digits = 0;
            for (int d = 0; d < 9; ++d)
                digits |= static_cast<unsigned>((cells[d] >> j) & 1) << d;
            return digits;
        }

        // The cells with at least one, two and three digits.
        void AtLeast(FewMask& one, FewMask& two, FewMask* three = nullptr) const {
            FewMask o = 0, t = 0, h = 0;
            for (const FewMask x : cells) {
                h |= t & x;
                t |= o & x;
                o |= x;
            }
            one = o, two = t;
            if (three != nullptr)
                *three = h;
        }

        // Places each cell of `forced`, which must have exactly one digit each; all at once,
        // since the order they go in changes nothing. Two peers given the same digit leave one
        // of them without any.
        void PlaceForced(const Few& few, FewMask forced, std::array<std::int8_t, kFewOpen>& digit) {
            // The digit of a forced cell, bit by bit.
            const FewMask odd = cells[1] | cells[3] | cells[5] | cells[7];
            const FewMask twos = cells[2] | cells[3] | cells[6] | cells[7];
            const FewMask fours = cells[4] | cells[5] | cells[6] | cells[7];
            const FewMask eights = cells[8];
            for (; forced != 0; forced &= forced - 1) {
                const int j = std::countr_zero(forced);
                const int d =
                    static_cast<int>(((odd >> j) & 1) | (((twos >> j) & 1) << 1) |
                                     (((fours >> j) & 1) << 2) | (((eights >> j) & 1) << 3));
                digit[j] = static_cast<std::int8_t>(d);
                cells[d] &= ~few.peers[j];
            }
        }

        // Places digit d on cell j.
        void Place(const Few& few, int j, int d) {
            const FewMask bit = FewMask{1} << j;
            for (FewMask& x : cells)
                x &= ~bit;
            cells[d] = (cells[d] & ~few.peers[j]) | bit;
        }
    };

    // The ways to give two digits to `cells` so that no two peers share one: two for each group
    // of cells linked by peers, none when a group sees itself round an odd cycle.
    static std::int64_t TwoColourings(const Few& few, FewMask cells) {
        std::int64_t ways = 1;
        for (FewMask rest = cells; rest != 0; ways *= 2) {
            FewMask side[2] = {rest & (~rest + 1), 0};
            FewMask frontier = side[0];
            rest &= ~frontier;
            for (int s = 0; frontier != 0; s ^= 1) {
                FewMask next = 0;
                for (FewMask f = frontier; f != 0; f &= f - 1)
                    next |= few.peers[std::countr_zero(f)];
                next &= cells;
                if (next & side[s])
                    return 0;
                frontier = next & ~side[s ^ 1];
                side[s ^ 1] |= next;
                rest &= ~next;
            }
        }
        return ways;
    }

    // `all`: the cells of the search, placed or not.
    void CountFew(const Position& p, Few& few, FewDigits digits, FewMask remaining, FewMask all) {
        for (;;) {
            FewMask one, two;
            digits.AtLeast(one, two);
            // A cell with no digit left, or a placed one whose digit a peer was given too.
            if (all & ~one)
                return;
            if (remaining == 0) {
                const bool recorded = count == 0 && first != nullptr;
                Record(p);
                if (recorded) {
                    for (int j = 0; j < few.n; ++j)
                        (*first)[At(few.band[j], few.index[j])] =
                            static_cast<char>('1' + few.digit[j]);
                }
                return;
            }
            if (const FewMask forced = remaining & ~two; forced != 0) {
                digits.PlaceForced(few, forced, few.digit);
                remaining &= ~forced;
                continue;
            }
            // The first cell with two digits, else the first with the fewest.
            FewMask three;
            digits.AtLeast(one, two, &three);
            int best = 0;
            if (const FewMask pair = remaining & ~three; pair != 0) {
                best = std::countr_zero(pair);
            } else {
                int fewest = 10;
                for (FewMask r = remaining; r != 0; r &= r - 1) {
                    const int j = std::countr_zero(r);
                    const int n = CellCount(digits.Of(j));
                    if (n < fewest)
                        fewest = n, best = j;
                }
            }
            const unsigned free = digits.Of(best);
            if ((remaining & three) == 0 && (count != 0 || first == nullptr)) {
                // Every cell left has the same two digits, most often four cells on a
                // rectangle: each cell's digit decides its peers', so they are counted rather
                // than found one by one (unless the first solution is still wanted).
                const int a = std::countr_zero(free), b = std::countr_zero(free & (free - 1));
                if ((digits.cells[a] & digits.cells[b] & remaining) == remaining) {
                    count += TwoColourings(few, remaining);
                    if (limit > 0 && count > limit)
                        count = limit;
                    return;
                }
            }
            remaining &= ~(FewMask{1} << best);
            for (unsigned rest = free; rest != 0; rest &= rest - 1) {
                const int d = std::countr_zero(rest);
                few.digit[best] = static_cast<std::int8_t>(d);
                FewDigits next = digits;
                next.Place(few, best, d);
                CountFew(p, few, next, remaining, all);
                if (Done())
                    return;
            }
            return;
        }
    }

    // False when too many cells are open for CountFew.
    bool TryFew(const Position& p) {
        if (std::popcount(p.open[0]) + std::popcount(p.open[1]) + std::popcount(p.open[2]) >
            kFewOpen)
            return false;
        Few few;
        FewDigits digits;
        // The open cells of each row, column and box.
        FewMask inRow[9] = {}, inColumn[9] = {}, inBox[9] = {};
        int rowOf[kFewOpen], colOf[kFewOpen], boxOf[kFewOpen];
        for (int b = 0; b < 3; ++b) {
            for (Mask cells = p.open[b]; cells != 0; cells &= cells - 1) {
                const int i = std::countr_zero(cells);
                const int k = few.n++;
                const FewMask bit = FewMask{1} << k;
                for (int d = 0; d < 9; ++d)
                    digits.cells[d] |= ((p.Cand(b, d) >> i) & 1) ? bit : 0;
                few.band[k] = static_cast<std::int8_t>(b);
                few.index[k] = static_cast<std::int8_t>(i);
                rowOf[k] = 3 * b + i / 9, colOf[k] = i % 9, boxOf[k] = 3 * b + colOf[k] / 3;
                inRow[rowOf[k]] |= bit;
                inColumn[colOf[k]] |= bit;
                inBox[boxOf[k]] |= bit;
            }
        }
        for (int k = 0; k < few.n; ++k)
            few.peers[k] =
                (inRow[rowOf[k]] | inColumn[colOf[k]] | inBox[boxOf[k]]) & ~(FewMask{1} << k);
        const FewMask all = (FewMask{1} << few.n) - 1;  // n <= 40
        CountFew(p, few, digits, all, all);
        return true;
    }

    void Run(Position& p) {
        if ((p.open[0] | p.open[1] | p.open[2]) == 0) {
            Record(p);
            return;
        }
        if (TryFew(p))
            return;
        Choice choice;
        // Two ways either way; a cell is found cheaper than a digit's two places.
        if (!FewestCandidates(p, choice, true) && !TwoPlaces(p, choice))
            FewestCandidates(p, choice, false);
        for (int k = 0; k < choice.n; ++k) {
            // The last way may use this level's board: nothing needs it afterwards.
            Position child;
            Position& q = k + 1 < choice.n ? (child = p) : p;
            unsigned dirty = 0;
            Place(q, choice.d[k], choice.b[k], choice.i[k], dirty);
            if (Propagate(q, dirty))
                Run(q);
            if (Done())
                return;
        }
    }
};

}  // namespace

std::int64_t CountFrom(const Givens& givens, std::int64_t limit, std::string* first, bool rows) {
    Position p;
    if (!givens.Lay(p) || !Propagate(p, kAllDirty))
        return 0;
    Search search;
    search.limit = limit;
    search.first = first;
    search.rows = rows;
    search.Run(p);
    return search.count;
}
