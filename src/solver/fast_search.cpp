#include "solver/fast_search.h"

#include <bit>

namespace zw {

namespace {

// The board is three bands of three rows. For each digit and band a 27-bit mask says where the
// digit may still stand (bit 9 * row-in-band + column), its placed cell included; another mask
// per band holds the open cells. Every deduction below removes only candidates that no solution
// can use, so the count is the true number of solutions whatever order they are found in.

using Mask = std::uint32_t;

constexpr Mask kRow = 0x1FF;        // row 0 of a band
constexpr Mask kBox = 0x1C0E07;     // box 0 of a band: three columns of three rows
constexpr Mask kColumn = 0x40201;   // column 0 of a band
constexpr Mask kBand = 0x7FFFFFF;

struct Tables {
    // Which of a row's three boxes hold any of its 9 bits.
    std::array<std::uint8_t, 512> boxesOfRow{};
    // Within one band a digit stands once per row and once per box: its 3 x 3 pattern of
    // nonempty mini-rows (bit 3 * row + box) must contain a permutation. The mini-rows that lie
    // on some contained permutation; 0 when none does.
    std::array<std::uint16_t, 512> onPermutation{};
    // A mini-row pattern as cells of a band.
    std::array<Mask, 512> cellsOfMiniRows{};
    // The cells of the same band that see a cell.
    std::array<Mask, 27> peersInBand{};
};

constexpr Tables MakeTables() {
    Tables t;
    for (int bits = 0; bits < 512; ++bits) {
        int boxes = 0;
        for (int c = 0; c < 9; ++c)
            if (bits & (1 << c))
                boxes |= 1 << (c / 3);
        t.boxesOfRow[bits] = static_cast<std::uint8_t>(boxes);
        Mask cells = 0;
        for (int m = 0; m < 9; ++m)
            if (bits & (1 << m))
                cells |= Mask{7} << (9 * (m / 3) + 3 * (m % 3));
        t.cellsOfMiniRows[bits] = cells;
    }
    constexpr int kPermutations[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                         {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (int pattern = 0; pattern < 512; ++pattern) {
        int on = 0;
        for (const auto& p : kPermutations) {
            const int used = (1 << p[0]) | (1 << (3 + p[1])) | (1 << (6 + p[2]));
            if ((pattern & used) == used)
                on |= used;
        }
        t.onPermutation[pattern] = static_cast<std::uint16_t>(on);
    }
    for (int i = 0; i < 27; ++i) {
        const int row = i / 9, col = i % 9;
        t.peersInBand[i] =
            ((kRow << (9 * row)) | (kBox << (3 * (col / 3))) | (kColumn << col)) & ~(Mask{1} << i);
    }
    return t;
}

constexpr Tables kTables = MakeTables();

struct Position {
    Mask cand[9][3];
    Mask open[3];
};

// The nine columns of a band's mask that hold any bit.
inline Mask Columns(Mask m) {
    return (m | (m >> 9) | (m >> 18)) & kRow;
}

inline bool OneBit(Mask m) {
    return (m & (m - 1)) == 0;
}

// Places digit d at bit i of band b, which must still allow it. `dirty` collects the digits
// whose masks changed.
inline void Place(Position& p, int d, int b, int i, unsigned& dirty) {
    const Mask bit = Mask{1} << i;
    for (int e = 0; e < 9; ++e) {
        if (p.cand[e][b] & bit) {
            p.cand[e][b] &= ~bit;
            dirty |= 1u << e;
        }
    }
    p.cand[d][b] = (p.cand[d][b] & ~kTables.peersInBand[i]) | bit;
    const Mask column = kColumn << (i % 9);
    p.cand[d][b == 0 ? 1 : 0] &= ~column;
    p.cand[d][b == 2 ? 1 : 2] &= ~column;
    p.open[b] &= ~bit;
    dirty |= 1u << d;
}

// Places each bit of `cells` (band b) for digit d unless already placed; false when one of them
// has lost the digit meanwhile.
inline bool PlaceAll(Position& p, int d, int b, Mask cells, unsigned& dirty) {
    for (; cells != 0; cells &= cells - 1) {
        const int i = std::countr_zero(cells);
        const Mask bit = Mask{1} << i;
        if (!(p.cand[d][b] & bit))
            return false;
        if (p.open[b] & bit)
            Place(p, d, b, i, dirty);
    }
    return true;
}

// Locked candidates and hidden singles of one digit. False on a contradiction.
bool ReduceDigit(Position& p, int d, unsigned& dirty) {
    Mask a[3] = {p.cand[d][0], p.cand[d][1], p.cand[d][2]};
    for (int b = 0; b < 3; ++b) {
        const Mask m = a[b];
        const int pattern = kTables.boxesOfRow[m & kRow] |
                            (kTables.boxesOfRow[(m >> 9) & kRow] << 3) |
                            (kTables.boxesOfRow[m >> 18] << 6);
        const int on = kTables.onPermutation[pattern];
        if (on == 0)
            return false;
        a[b] &= kTables.cellsOfMiniRows[on];
    }
    // The same across a stack: its three bands and its three columns.
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
            for (int c = 0; c < 3; ++c)
                if (gone & (1 << c))
                    a[b] &= ~(kColumn << (shift + c));
        }
    }
    if (a[0] != p.cand[d][0] || a[1] != p.cand[d][1] || a[2] != p.cand[d][2]) {
        for (int b = 0; b < 3; ++b)
            p.cand[d][b] = a[b];
        dirty |= 1u << d;
    }
    // Hidden singles: a row, box or column of one cell. Only open ones are new.
    Mask single[3] = {0, 0, 0};
    for (int b = 0; b < 3; ++b) {
        const Mask m = a[b];
        for (int k = 0; k < 3; ++k) {
            const Mask row = m & (kRow << (9 * k));
            const Mask box = m & (kBox << (3 * k));
            if (OneBit(row))
                single[b] |= row;
            if (OneBit(box))
                single[b] |= box;
        }
    }
    const Mask inOneBand = (cols[0] ^ cols[1] ^ cols[2]) & ~(cols[0] & cols[1] & cols[2]);
    for (Mask c = inOneBand; c != 0; c &= c - 1) {
        const Mask column = kColumn << std::countr_zero(c);
        for (int b = 0; b < 3; ++b) {
            const Mask cells = a[b] & column;
            if (cells != 0 && OneBit(cells))
                single[b] |= cells;
        }
    }
    for (int b = 0; b < 3; ++b) {
        if (!PlaceAll(p, d, b, single[b] & p.open[b], dirty))
            return false;
    }
    return true;
}

// Runs every deduction until none changes anything. False on a contradiction.
bool Propagate(Position& p, unsigned dirty) {
    for (;;) {
        while (dirty != 0) {
            const int d = std::countr_zero(dirty);
            dirty &= dirty - 1;
            if (!ReduceDigit(p, d, dirty))
                return false;
        }
        // Naked singles; an open cell without candidates ends the branch.
        for (int b = 0; b < 3; ++b) {
            const Mask open = p.open[b];
            if (open == 0)
                continue;
            Mask one = 0, two = 0;
            for (int d = 0; d < 9; ++d) {
                const Mask x = p.cand[d][b] & open;
                two |= one & x;
                one |= x;
            }
            if (open & ~one)
                return false;
            for (Mask singles = one & ~two; singles != 0; singles &= singles - 1) {
                const int i = std::countr_zero(singles);
                const Mask bit = Mask{1} << i;
                int d = 0;
                while (d < 9 && !(p.cand[d][b] & bit))
                    ++d;
                if (d == 9)
                    return false;
                Place(p, d, b, i, dirty);
            }
        }
        if (dirty == 0)
            return true;
    }
}

struct Search {
    std::int64_t limit = 0;  // 0 or less: none
    std::int64_t count = 0;
    std::string* first = nullptr;

    bool Done() const { return limit > 0 && count >= limit; }

    void Record(const Position& p) {
        if (count++ != 0 || first == nullptr)
            return;
        first->assign(kCellCount, ' ');
        for (int b = 0; b < 3; ++b) {
            for (int i = 0; i < 27; ++i) {
                int d = 0;
                while (!(p.cand[d][b] & (Mask{1} << i)))
                    ++d;
                const int row = 3 * b + i / 9, col = i % 9;
                (*first)[9 * col + row] = static_cast<char>('1' + d);
            }
        }
    }

    // The open cell with the fewest candidates: a two-candidate cell when there is one.
    static void ChooseCell(const Position& p, int& band, int& index) {
        int best = 10;
        for (int b = 0; b < 3; ++b) {
            const Mask open = p.open[b];
            if (open == 0)
                continue;
            Mask one = 0, two = 0, more = 0;
            for (int d = 0; d < 9; ++d) {
                const Mask x = p.cand[d][b] & open;
                more |= two & x;
                two |= one & x;
                one |= x;
            }
            const Mask pairs = two & ~more;
            if (pairs != 0) {
                band = b;
                index = std::countr_zero(pairs);
                return;
            }
            for (Mask cells = open; cells != 0; cells &= cells - 1) {
                const int i = std::countr_zero(cells);
                int n = 0;
                for (int d = 0; d < 9; ++d)
                    n += (p.cand[d][b] >> i) & 1;
                if (n < best) {
                    best = n;
                    band = b;
                    index = i;
                }
            }
        }
    }

    void Run(Position& p) {
        if ((p.open[0] | p.open[1] | p.open[2]) == 0) {
            Record(p);
            return;
        }
        int b = 0, i = 0;
        ChooseCell(p, b, i);
        const Mask bit = Mask{1} << i;
        unsigned digits = 0;
        for (int d = 0; d < 9; ++d)
            if (p.cand[d][b] & bit)
                digits |= 1u << d;
        for (; digits != 0; digits &= digits - 1) {
            const int d = std::countr_zero(digits);
            // The last digit may use this level's board: nothing needs it afterwards.
            Position child;
            Position& q = (digits & (digits - 1)) ? (child = p) : p;
            unsigned dirty = 0;
            Place(q, d, b, i, dirty);
            if (Propagate(q, dirty))
                Run(q);
            if (Done())
                return;
        }
    }
};

}  // namespace

std::int64_t FastCount(const std::array<CellValue, kCellCount>& cells, std::int64_t limit,
                       std::string* first) {
    Position p;
    for (int d = 0; d < 9; ++d)
        for (int b = 0; b < 3; ++b)
            p.cand[d][b] = kBand;
    for (int b = 0; b < 3; ++b)
        p.open[b] = kBand;
    unsigned dirty = 0x1FF;
    for (int cell = 0; cell < kCellCount; ++cell) {
        const CellValue v = cells[cell];
        if (!IsPlaced(v))
            continue;
        const int digit = PlacedDigit(v);
        if (digit == 0)
            return 0;  // a placed character that is no digit breaks the rules
        const int row = cell / 9, col = cell % 9;
        const int b = row / 3, i = 9 * (row % 3) + col;
        // A peer holding the same digit has taken it from this cell already.
        if (!(p.cand[digit - 1][b] & (Mask{1} << i)))
            return 0;
        Place(p, digit - 1, b, i, dirty);
    }
    Search search;
    search.limit = limit;
    search.first = first;
    if (Propagate(p, dirty))
        search.Run(p);
    return search.count;
}

std::int64_t FastCount(std::string_view suDoKu, std::int64_t limit, std::string* first) {
    std::array<CellValue, kCellCount> cells{};
    for (std::size_t k = 0; k < suDoKu.size() && k < kCellCount; ++k) {
        const char ch = suDoKu[k];
        if (ch == ' ')
            continue;
        // Board strings run column by column, cells row by row.
        const std::size_t row = k % 9, col = k / 9;
        cells[9 * row + col] = ch >= '1' && ch <= '9' ? DigitBit(ch - '0') : kCharFlag | ch;
    }
    return FastCount(cells, limit, first);
}

}  // namespace zw
