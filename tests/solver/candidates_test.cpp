#include "solver/candidates.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "board/rules.h"
#include "solver/naked_pairs.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::CellTexts;
using test::SetRows;

CellValue V(std::string_view text) {
    CellValue v = 0;
    EXPECT_TRUE(ValueOfText(text, v)) << text;
    return v;
}

void Fill(Grid& grid, int r1, int c1, int r2, int c2, std::string_view text, int skipR = 4,
          int skipC = 4) {
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            if (r != skipR || c != skipC)
                grid.SetValue(r, c, V(text));
        }
    }
}

// (4,4) open; the box's other cells lack 8 and 9, column 4's lack 3, row 4's lack 1.
void HiddenSingles(Grid& g) {
    Fill(g, 0, 0, 8, 8, "123456789");
    g.SetValue(4, 4, kEmptyCell);
    Fill(g, 3, 3, 5, 5, "1234567");
    Fill(g, 0, 4, 8, 4, "1245679");
    Fill(g, 4, 0, 4, 8, "2345679");
}

enum class Op { Resolve, Sweep, Pairs };

struct Case {
    const char* name;
    std::function<void(Grid&)> setUp;
    Op op;
    int row, col;          // the cell looked at (Resolve: the cell resolved)
    const char* expected;  // its text afterwards (Resolve: the resolution)
};

// The rules of the singles and the pair rule, edge by edge.
TEST(Candidates, EdgeCases) {
    const Case cases[] = {
        {"hidden single: box before column before row", HiddenSingles, Op::Resolve, 4, 4, "8"},
        {"hidden single: column before the lower row digit",
         [](Grid& g) {
             HiddenSingles(g);
             g.SetValue(3, 3, V("89"));
         },
         Op::Resolve, 4, 4, "3"},
        {"hidden single: two in the box, the lower digit",
         [](Grid& g) {
             HiddenSingles(g);
             Fill(g, 3, 3, 5, 5, "1245789");
         },
         Op::Resolve, 4, 4, "3"},
        {"hidden single: an empty cell could hold anything",
         [](Grid& g) {
             HiddenSingles(g);
             g.SetValue(3, 3, kEmptyCell);
             g.SetValue(0, 4, kEmptyCell);
             g.SetValue(4, 0, kEmptyCell);
         },
         Op::Resolve, 4, 4, "123456789"},
        {"sweep writes a shorter text",
         [](Grid& g) {
             SetRows(g, ".13456.89");
             g.SetText(0, 0, "27");
             Fill(g, 1, 0, 2, 2, "23");
         },
         Op::Sweep, 0, 0, "7"},
        {"the row's last digit follows in the same sweep",
         [](Grid& g) {
             SetRows(g, ".13456.89");
             g.SetText(0, 0, "27");
             Fill(g, 1, 0, 2, 2, "23");
         },
         Op::Sweep, 0, 6, "2"},
        {"a resolution as long as the text is not written",
         [](Grid& g) {
             SetRows(g, "12367.8.......9...");
             g.SetText(0, 5, "49");
             g.SetText(0, 7, "459");
             g.SetText(0, 8, "459");
         },
         Op::Sweep, 0, 5, "49"},
        {"a candidate string emptied by row and column",
         [](Grid& g) {
             SetRows(g, "1234.6789" + std::string(63, '.') + "....5....");
             g.SetText(0, 4, "35");
         },
         Op::Sweep, 0, 4, ""},
        {"the row and column scan stops at one digit",
         [](Grid& g) { SetRows(g, ".1234...56........7........8........9........"); },
         Op::Resolve, 0, 0, "5"},
        {"a pair takes its digits from the rest of the row",
         [](Grid& g) {
             SetRows(g, ".126.8.9.");
             g.SetText(0, 0, "37");
             g.SetText(0, 4, "37");
             g.SetText(0, 6, "347");
             g.SetText(0, 8, "1357");
         },
         Op::Pairs, 0, 8, "15"},
        {"a pair sharing row and box clears the box",
         [](Grid& g) {
             g.SetText(0, 0, "12");
             g.SetText(0, 1, "12");
             g.SetText(2, 2, "249");
         },
         Op::Pairs, 2, 2, "49"},
        {"a pair leaves the column of one of its cells",
         [](Grid& g) {
             g.SetText(0, 0, "12");
             g.SetText(0, 1, "12");
             g.SetText(5, 0, "129");
         },
         Op::Pairs, 5, 0, "129"},
    };
    for (const Case& c : cases) {
        Grid grid;
        c.setUp(grid);
        if (c.op == Op::Resolve) {
            EXPECT_EQ(TextOfValue(ResolveCell(grid, c.row, c.col)), c.expected) << c.name;
            continue;
        }
        if (c.op == Op::Sweep)
            UpdateCandidates(grid);
        else
            ApplyPairs(grid);
        EXPECT_EQ(grid.Text(c.row, c.col), c.expected) << c.name;
    }
}

// The sweep written out cell by cell through ResolveCell: what UpdateCandidates must match.
int ReferenceSweep(Grid& grid) {
    int count = 0;
    for (int i = 0; i < kCellCount; ++i) {
        const CellValue t = grid.ValueAt(i);
        if (IsPlaced(t))
            continue;
        const CellValue s = ResolveCell(grid, i / kGridSize, i % kGridSize);
        if (s != t && (t == kEmptyCell || TextLength(s) < TextLength(t))) {
            grid.SetValueAt(i, s);
            ++count;
        }
    }
    return count;
}

// Real puzzles with every kind of cell mixed in, contradictions included, swept with and
// without the cache: each sweep must write what the cell-by-cell rules write, and the cache's
// rule check and open-cell count must match a full scan, also after changes made between
// sweeps (as the pair rule and the search's trial digits make them).
TEST(Candidates, SweepMatchesCellByCellRules) {
    std::mt19937 rng(20241207);
    const auto puzzles = test::ReadPuzzleLines(test::PuzzleFile("qqwing-expert.txt"), 60);
    for (std::size_t p = 0; p < puzzles.size() * 8; ++p) {
        const int kind = static_cast<int>(p % 4);
        const bool cached = p / 4 % 2 == 1;
        Grid a;
        SetRows(a, puzzles[p % puzzles.size()]);
        for (int i = 0; i < kCellCount; ++i) {
            const auto roll = rng() % 100;
            if (kind == 1 && roll < 30)
                a.SetValueAt(i, kEmptyCell);
            else if (kind == 2 && roll < 25 && !IsPlaced(a.ValueAt(i)))
                a.SetValueAt(i, static_cast<CellValue>(rng() % 511 + 1));
            else if (kind == 3 && roll < 8)
                a.SetValueAt(i, roll < 1 ? V(rng() % 2 ? "0" : "x") : DigitBit(int(rng() % 9) + 1));
        }
        Grid b = a;
        SweepCache cache;
        for (int sweep = 0; sweep < 100; ++sweep) {
            const int cell = static_cast<int>(rng() % kCellCount);
            if (sweep > 0 && !IsPlaced(a.ValueAt(cell))) {
                const CellValue digit = DigitBit(int(rng() % 9) + 1);
                if (cached && rng() % 2 == 0) {
                    cache.Write(a, cell, digit);
                    b.SetValueAt(cell, digit);
                } else {
                    a.SetValueAt(cell, a.ValueAt(cell) & ~digit);
                    b.SetValueAt(cell, b.ValueAt(cell) & ~digit);
                }
            }
            const int fast = cached ? cache.Sweep(a) : UpdateCandidates(a);
            ASSERT_EQ(fast, ReferenceSweep(b)) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(CellTexts(a), CellTexts(b)) << "puzzle " << p << " sweep " << sweep;
            const BoardScan scan = cache.Scan(a), full = ScanBoard(b);
            ASSERT_EQ(scan.rulesOk, full.rulesOk) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(scan.openCells, full.openCells) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(full.rulesOk, RulesOk(b));
            if (fast == 0)
                break;
        }
    }
}

}  // namespace
}  // namespace zw
