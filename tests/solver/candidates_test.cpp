#include "solver/candidates.h"

#include <gtest/gtest.h>

#include <random>

#include "board/rules.h"
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

void FillAll(Grid& grid, std::string_view text) {
    for (int i = 0; i < kCellCount; ++i)
        grid.SetValueAt(i, V(text));
}

// The sweep written out cell by cell through ResolveCell: what UpdateCandidates must match.
int ReferenceSweep(Grid& grid) {
    int count = 0;
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            const CellValue t = grid.Value(r, c);
            if (IsPlaced(t))
                continue;
            const CellValue s = ResolveCell(grid, r, c);
            if (s != t && (t == kEmptyCell || TextLength(s) < TextLength(t))) {
                grid.SetValue(r, c, s);
                ++count;
            }
        }
    }
    return count;
}

TEST(Candidates, FullBoardIsLeftAlone) {
    Grid grid;
    SetRows(grid, test::kSolved);
    const std::string before = CellTexts(grid);
    EXPECT_EQ(UpdateCandidates(grid), 0);
    EXPECT_EQ(CellTexts(grid), before);
    EXPECT_EQ(ResolveCell(grid, 4, 7), V("6"));
}

TEST(Candidates, EmptyBoardFillsEveryCellThenSettles) {
    Grid grid;
    EXPECT_EQ(UpdateCandidates(grid), 81);
    for (int i = 0; i < kCellCount; ++i)
        ASSERT_EQ(grid.ValueAt(i), kAllDigits) << i;
    EXPECT_EQ(UpdateCandidates(grid), 0);
}

TEST(Candidates, HiddenSinglesBoxBeforeColumnBeforeRowLowestDigitFirst) {
    Grid grid;
    // (4,4) is open and unrestricted; every other cell lists candidates.
    FillAll(grid, "123456789");
    grid.SetValue(4, 4, kEmptyCell);
    for (int r = 3; r < 6; ++r) {
        for (int c = 3; c < 6; ++c) {
            if (r != 4 || c != 4)
                grid.SetValue(r, c, V("1234567"));  // 8 and 9 fit nowhere else in the box
        }
    }
    for (int r = 0; r < kGridSize; ++r) {
        if (r != 4)
            grid.SetValue(r, 4, V("1245679"));  // 3 fits nowhere else in the column
    }
    for (int c = 0; c < kGridSize; ++c) {
        if (c != 4)
            grid.SetValue(4, c, V("2345679"));  // 1 fits nowhere else in the row
    }
    // The box's 8 wins over the column's 3 and the row's 1 (column cells in the box lack 8 too).
    EXPECT_EQ(ResolveCell(grid, 4, 4), V("8"));

    // Without box singles the column single wins over the lower row single.
    grid.SetValue(3, 3, V("89"));
    EXPECT_EQ(ResolveCell(grid, 4, 4), V("3"));

    // Two box singles: the lower digit.
    for (int r = 3; r < 6; ++r) {
        for (int c = 3; c < 6; ++c) {
            if (r != 4 || c != 4)
                grid.SetValue(r, c, V("1245789"));
        }
    }
    EXPECT_EQ(ResolveCell(grid, 4, 4), V("3"));

    // An empty cell could hold anything: it blocks every hidden single of its units.
    grid.SetValue(3, 3, kEmptyCell);
    grid.SetValue(0, 4, kEmptyCell);
    grid.SetValue(4, 0, kEmptyCell);
    EXPECT_EQ(ResolveCell(grid, 4, 4), kAllDigits);
}

TEST(Candidates, SweepWritesOnlyEmptyCellsOrShorterTexts) {
    Grid grid;
    // (0,0) keeps 2 and 7 by elimination; no other cell of its box can take 7.
    SetRows(grid, ".13456.89");
    grid.SetText(0, 0, "27");
    for (int r = 1; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            grid.SetText(r, c, "23");
    }
    EXPECT_EQ(ResolveCell(grid, 0, 0), V("7"));
    UpdateCandidates(grid);
    EXPECT_EQ(grid.Text(0, 0), "7");  // shorter than "27"
    EXPECT_EQ(grid.Text(0, 6), "2");  // and the row's last digit follows in the same sweep

    // A resolution of the same length with other digits is not written.
    Grid same;
    SetRows(same,
            "12367.8.."
            ".....9...");
    same.SetText(0, 5, "49");
    same.SetText(0, 7, "459");
    same.SetText(0, 8, "459");
    ASSERT_EQ(ResolveCell(same, 0, 5), V("45"));
    UpdateCandidates(same);
    EXPECT_EQ(same.Text(0, 5), "49");
}

TEST(Candidates, EmptiedCandidateStringCountsOnce) {
    // Row 0 and column 4 take (0,4)'s last two digits at the same index, so nothing is left.
    const std::string_view rows =
        "1234.6789"
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        "....5....";
    Grid held, empty;
    SetRows(held, rows);
    SetRows(empty, rows);
    held.SetText(0, 4, "35");
    EXPECT_EQ(ResolveCell(held, 0, 4), kEmptyCell);
    // Everything before (0,4) is placed, so the two boards differ only in that one write.
    EXPECT_EQ(UpdateCandidates(held), UpdateCandidates(empty) + 1);
    EXPECT_EQ(held.Text(0, 4), "");
    EXPECT_EQ(CellTexts(held), CellTexts(empty));
    int sweeps = 0;
    while (UpdateCandidates(held) != 0)
        ASSERT_LT(++sweeps, 100);
    EXPECT_EQ(held.Text(0, 4), "");
}

TEST(Candidates, RowAndColumnScanStopsAtOneDigit) {
    Grid grid;
    // By index 4 the row and column leave only 5 for (0,0), though (0,8) holds a 5 already:
    // the scan answers "5" instead of nothing, and the rule check catches the duplicate.
    SetRows(grid,
            ".1234...5"
            "6........"
            "7........"
            "8........"
            "9........");
    EXPECT_EQ(GetCandidates(grid, 0, 0), V("5"));
    EXPECT_GT(UpdateCandidates(grid), 0);
    EXPECT_EQ(grid.Text(0, 0), "5");
    EXPECT_FALSE(RulesOk(grid));
}

// Boards from real puzzles with every kind of cell mixed in, contradictions included: `kind`
// 0 leaves the puzzle, 1 empties cells, 2 writes candidate sets, 3 places digits and other
// characters.
Grid RandomBoard(std::mt19937& rng, std::string_view puzzle, int kind) {
    const CellValue others[] = {V("0"), V("x")};
    Grid a;
    SetRows(a, puzzle);
    for (int i = 0; i < kCellCount; ++i) {
        const auto roll = rng() % 100;
        if (kind == 1 && roll < 30)
            a.SetValueAt(i, kEmptyCell);
        else if (kind == 2 && roll < 25 && !IsPlaced(a.ValueAt(i)))
            a.SetValueAt(i, static_cast<CellValue>(rng() % 511 + 1));
        else if (kind == 3 && roll < 8)
            a.SetValueAt(i, roll < 1 ? others[rng() % 2] : DigitBit(int(rng() % 9) + 1));
    }
    return a;
}

// The sweep must write exactly what the cell-by-cell rules write, sweep after sweep.
TEST(Candidates, SweepMatchesCellByCellRules) {
    std::mt19937 rng(20241207);
    const auto puzzles = test::ReadPuzzleLines(test::PuzzleFile("qqwing-expert.txt"), 60);
    ASSERT_FALSE(puzzles.empty());
    for (std::size_t p = 0; p < puzzles.size() * 8; ++p) {
        const bool cached = p / 4 % 2 == 1;  // every kind of board, with and without the cache
        Grid a = RandomBoard(rng, puzzles[p % puzzles.size()], static_cast<int>(p % 4));
        Grid b = a;
        SweepCache cache;
        for (int sweep = 0; sweep < 100; ++sweep) {
            // The cache must notice changes made between its sweeps, as the pair rule makes.
            if (sweep > 0 && rng() % 2 == 0) {
                const int cell = static_cast<int>(rng() % kCellCount);
                if (!IsPlaced(a.ValueAt(cell))) {
                    const CellValue v = a.ValueAt(cell) & ~DigitBit(int(rng() % 9) + 1);
                    a.SetValueAt(cell, v);
                    b.SetValueAt(cell, v);
                }
            }
            // A trial digit written through the cache, as the search writes it; it may clash.
            if (cached && sweep > 0 && rng() % 3 == 0) {
                const int cell = static_cast<int>(rng() % kCellCount);
                if (!IsPlaced(a.ValueAt(cell))) {
                    const CellValue digit = DigitBit(int(rng() % 9) + 1);
                    cache.Write(a, cell, digit);
                    b.SetValueAt(cell, digit);
                }
            }
            const int fast = cached ? cache.Sweep(a) : UpdateCandidates(a);
            const int reference = ReferenceSweep(b);
            ASSERT_EQ(fast, reference) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(CellTexts(a), CellTexts(b)) << "puzzle " << p << " sweep " << sweep;
            // The search takes the rule check and the open cells from the cache's account.
            const BoardScan scan = cache.Scan(a), full = ScanBoard(b);
            ASSERT_EQ(scan.rulesOk, full.rulesOk) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(scan.openCells, full.openCells) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(full.rulesOk, RulesOk(b));
            if (fast == 0)
                break;
        }
    }
}

// The search's sweeps stop early on a doomed board. Until then they write what the full
// sweeps write; once doomed, the full sweeps must end on a board that breaks the rules or
// keeps an open cell without candidates, so the search loses nothing by stopping.
TEST(Candidates, SearchSweepsStopOnlyOnDoomedBoards) {
    std::mt19937 rng(20261207);
    const auto puzzles = test::ReadPuzzleLines(test::PuzzleFile("qqwing-expert.txt"), 60);
    ASSERT_FALSE(puzzles.empty());
    int doomedBoards = 0, settledBoards = 0;
    for (std::size_t p = 0; p < puzzles.size() * 8; ++p) {
        Grid a = RandomBoard(rng, puzzles[p % puzzles.size()], static_cast<int>(p % 4));
        // A trial digit, as the search places one; often a clash.
        const int cell = static_cast<int>(rng() % kCellCount);
        if (!IsPlaced(a.ValueAt(cell)))
            a.SetValueAt(cell, DigitBit(int(rng() % 9) + 1));
        Grid b = a;
        SweepCache cache;
        bool doomed = false;
        int sweep = 0;
        for (; sweep < 100; ++sweep) {
            const int fast = cache.SweepOwn(a, doomed);
            if (doomed)
                break;
            ASSERT_EQ(fast, ReferenceSweep(b)) << "puzzle " << p << " sweep " << sweep;
            ASSERT_EQ(CellTexts(a), CellTexts(b)) << "puzzle " << p << " sweep " << sweep;
            if (fast == 0)
                break;
        }
        ASSERT_LT(sweep, 100);
        if (!doomed) {
            ++settledBoards;
            continue;
        }
        ++doomedBoards;
        while (ReferenceSweep(b) != 0) {
        }
        bool emptyOpenCell = false;
        for (int i = 0; i < kCellCount; ++i)
            emptyOpenCell = emptyOpenCell || b.ValueAt(i) == kEmptyCell;
        EXPECT_TRUE(!RulesOk(b) || emptyOpenCell) << "puzzle " << p;
    }
    // Both roads were taken often enough to mean something.
    EXPECT_GT(doomedBoards, 50);
    EXPECT_GT(settledBoards, 50);
}

}  // namespace
}  // namespace zw
