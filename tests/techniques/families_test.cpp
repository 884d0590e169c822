#include "techniques/families.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <string>
#include <vector>

#include "board/board_string.h"
#include "support/test_board.h"
#include "techniques/ladder.h"
#include "techniques/step_text.h"

namespace zw::techniques {
namespace {

std::string CellCode(int cell) {
    return "r" + std::to_string(Row(cell) + 1) + "c" + std::to_string(Column(cell) + 1);
}

// "r4c1-6 r4c2-6": the step's removals cell by cell, digits rising.
std::string Removals(const Step& step) {
    std::string out;
    for (int cell = 0; cell < kCells; ++cell) {
        for (int d = 1; d <= 9; ++d) {
            if (step.removed[cell] & DigitBit(d))
                out += (out.empty() ? "" : " ") + CellCode(cell) + "-" + std::to_string(d);
        }
    }
    return out;
}

std::string Placement(const Step& step) {
    return step.placedCell < 0 ? ""
                               : CellCode(step.placedCell) + "=" + std::to_string(step.placedDigit);
}

// Each family where the ladder first takes it on a real puzzle (the line, after the ladder's
// own earlier steps): the exact removals and placement. Then the near miss: the same board with
// one candidate a player could still have written ("r1c1+4") that breaks the pattern, where
// the ladder must not take that step again. Uniqueness techniques take part only in their own
// cases, so the others keep the boards they were found on.
TEST(Families, TextbookBoardAndNearMiss) {
    const struct {
        const char* rows;
        int stepsBefore;
        Technique technique;
        const char* removals;
        const char* placement;
        const char* breaker;
        bool oneSolution;  // uniqueness techniques allowed
    } cases[] = {
        {"8.26....9....58.....6...4.1.9.4.6..5.2.....4.6..2.3.9.2.5...9.....97....1....28.4", 13,
         Technique::DirectPointing, "r3c2-7", "r2c3=7", "r8c3+7", false},
        {"....3.....23..97.81.7..4....6..9281....3.69..2...7...6.3...7.....2.....9.8.....3.", 13,
         Technique::DirectHiddenPair, "r3c4-5 r3c4-6 r3c5-5 r3c5-6", "r3c8=6", "r3c7+2", false},
        {"2.8....9...784....65...1..4.1..5.4..58.6...79....1...64..7...5............9.....7", 17,
         Technique::DirectHiddenTriple, "r8c4-2 r8c4-4 r8c4-9 r9c4-2 r9c4-4", "r6c4=4", "r4c4+3",
         false},
        {".68....3......31.23..9...6..9.5.1....86.9.5..1.....3.4...6..8.........49....52...", 12,
         Technique::Pointing, "r2c4-4", "", "r1c1+4", false},
        {"7......6.......8.9..8.491.............15.89..3..4....1..7.9..3....63.....1..5...4", 16,
         Technique::Claiming, "r4c1-6 r4c2-6 r5c1-6 r5c2-6 r6c2-6", "", "r2c3+6", false},
        {"1...5.6..27...8.....62.9.5..............46.1.....8..49.4812..6.759..4.......9...4", 13,
         Technique::NakedPair, "r4c4-3 r4c4-7 r4c6-3 r4c6-7 r5c4-3 r5c4-7 r6c6-3 r6c6-7", "",
         "r4c5+1", false},
        {"...1.64.88.....3...7......1......1..1..87...4.87...6..2.6.1...3...4.37...4..69..2", 33,
         Technique::XWing, "r3c8-2", "", "r2c2+2", false},
        {"4.1.3...7..7.6....59....6....4..5.73.........65..2...4...34.71.......4..2....9...", 11,
         Technique::HiddenPair, "r8c1-3 r8c2-3", "", "r8c4+1", false},
        {"....5......6....82.4..7..3.......7..2.8..61..5.17.2.........26..6.8.5..3...1.3...", 25,
         Technique::NakedTriple, "r3c3-9 r3c7-9", "", "r3c9+5", false},
        {"..3..7....7.4.1.285.........8..2.76....7....43.........2.1.857......64.....2...81", 26,
         Technique::Swordfish, "r4c6-3", "", "r5c5+3", false},
        {"...2...39...6.......29.4....4.....96.....574....8..3..2.9....58..5..7....8....4.7", 32,
         Technique::HiddenTriple, "r1c1-1", "", "r2c1+7", false},
        {".6..5..3....3.6.....7...4...3.....6..14.2.79.7.......1.........9..147..5.516.987.", 30,
         Technique::XYWing, "r4c1-5", "", "r2c1+2", false},
        {"..76.42...3...7.5.8...3...661......7..2...3..7......253...1...2.6.4...7...13.98..", 28,
         Technique::XYZWing, "r6c4-9", "", "r3c4+1", false},
        {"12......9.5..9.2.3........4.3.........18.........246......67.5...2.41.7.9........", 10,
         Technique::NakedQuad, "r4c7-4 r4c9-2 r5c9-2", "", "r4c8+1", false},
        {"..45..7...2.8...6..6..714..........6..64172..3..........713..9..8...6.5...3..41..", 25,
         Technique::Jellyfish, "r2c9-9 r4c4-9 r8c1-9", "", "r1c1+2", false},
        {".58..21.......6..94..15...731....4....5.4.3....6....811...64..55..7.......75..94.", 24,
         Technique::UniqueRectangle1, "r4c4-2 r4c4-6", "", "r4c4+1", true},
        {"..31..5...2.6...4.9.5..47.1..9....15....9....41....2..2.83..6.4.3...2.7...4..61..", 14,
         Technique::UniqueRectangle2, "r2c5-3 r2c6-3 r3c8-3", "", "r2c7+1", true},
        {"..3.5.9..8.9...5.62.......33..1.4..9.6.....4.....8....9...3...5.845.136....8.7...", 26,
         Technique::UniqueRectangle3, "r3c3-1", "", "r3c5+2", true},
        {"3..694..54..5.7..9.7.....4..34...52..1.....7.....1......73.98..95.....37....6....", 28,
         Technique::UniqueRectangle4, "r1c3-8 r2c3-8", "", "r1c3+3", true},
        {".9.........391...6..1.5623...5.3..2..195.476..2..7.9...4726.8..1...953.........5.", 32,
         Technique::Bug1, "r8c9-2 r8c9-7", "", "r8c9+1", true},
        {".3.....8....791.....5...7....4.8.5....12.43..2..3.5..8..25.86...........5.3.1.8.9", 31,
         Technique::UniqueLoop1, "r4c9-6 r4c9-7", "", "r4c8+7", true},
        {"3.......9...95.7...2...8.....84.6.2..7.....6..4.7.13.....2...7...7.93...1.......3", 27,
         Technique::UniqueLoop2, "r2c1-4 r7c3-4", "", "r1c2+1", true},
        {"3.........4.5.9.2.26..139..7..8......249.158......4..9..316..92.1.3.2.4.........1", 25,
         Technique::UniqueLoop3, "r6c8-1", "", "r4c7+3", true},
        {"......8.54..1...2.69...5....5..1...8.8.5.4.3.1...9..7....7...16.3...1..42.6......", 24,
         Technique::UniqueLoop4, "r7c5-8 r9c5-8", "", "r7c1+1", true},
        // Longer loops, which the search reaches only past cuts for units left without a
        // second cell: twelve cells, and ten with two cells beyond the pair.
        {".42.....1.8...47..3....8....23.6.1.....2.7.....7.1.95....3....9..59...3.2.....67.", 36,
         Technique::UniqueLoop1, "r5c8-4 r5c8-8", "", "", true},
        {"6..3...5...1.....63.58.21.9....9538...........1948....1.85.69.32.....6...3...1..8", 25,
         Technique::UniqueLoop2, "r1c2-2 r1c7-2", "", "", true},
        {"..85.42...95...84.2.......78...7...374.3.8.95..9...7.....861............95.....82", 35,
         Technique::Bug2, "r4c2-1 r4c3-1 r5c7-1", "", "r4c8+3", true},
        {"9.82576.4...9.6....63.1.25..3..9..6...9.6.4....53487...7.....8...4...3...........", 31,
         Technique::Bug3, "r9c7-1 r9c9-7", "", "r8c9+5", true},
        {"79.8...528......4.......3...5......94179..8.......2.7.94.5..7..57.2.8........9.6.", 57,
         Technique::Bug4, "r4c4-1 r4c5-7", "", "r4c6+6", true},
        {"....9.....71.4.82.5..6.8..4..4...7....5...6...2..8..1.7.6...2.3.5.1.2.9.....3....", 25,
         Technique::YCycle, "r2c9-6 r5c6-7", "", "r1c6+2", true},
        {"1..3.7..2.8.1.5.3...78..6..76....583.........853....94..8..14...2.6.4.7.4..2.3..8", 16,
         Technique::XChain, "r5c8-1", "", "r3c8+2", true},
        {"6.....1.8.3..21.9.1.9.6.7...1.2.8....83...94....9.3.1...1.8.2.5.2.13..8.4.8.....1", 23,
         Technique::ForcingChain, "r9c2-5", "", "r1c5+1", true},
        {"6.2.5.........3.4..........43...8....1....2........7..5..27...........81...6.....", 20,
         Technique::DynamicContradiction, "r8c2-6", "", "r3c2+5", true},
        {"7.8...3.....2.1...5.........4.....263...8.......1...9..9.6....4....7.5...........", 23,
         Technique::DynamicUnitForcing, "r2c7-9", "", "", true},
        {"7.8...3.....2.1...5.........4.....263...8.......1...9..9.6....4....7.5...........", 27,
         Technique::DynamicForcingPlus, "r3c3-3", "", "r3c4+3", true},
        {"2...37...8..1...4..19..2...3...5.1....72413....2.7...5...9..71..7...3..9...72...4", 24,
         Technique::Nishio, "r7c9-8", "", "r3c5+1", true},
        {"....5....74...9.....3..4..2.......9182....4.7..4..2.3..8..9.1...97.81..45.2......", 35,
         Technique::CellForcingChain, "r3c4-7", "", "r3c8+6", true},
        {"....5....74...9.....3..4..2.......9182....4.7..4..2.3..8..9.1...97.81..45.2......", 41,
         Technique::UnitForcingChain, "r9c4-3", "", "r3c4+7", true},
        {"1..93...8.4...217..38.1.9...8......43.7...2.94......8...3.9.41..154...9.9...61..7", 15,
         Technique::XCycle, "r1c2-6 r3c1-6 r3c4-6", "", "r1c3+1", true},
        {".1..8.....4...63..7...93...6......47.21...56.48......2...94...8..82...1.....6..7.", 20,
         Technique::AlignedPairExclusion, "r8c1-5", "", "r7c1+3", true},
        {".97..3...6.8.......2.95...6....2...8.42.3.76.3...9....2...45.9.......6.4...8..13.", 26,
         Technique::WXYZWing, "r6c2-1", "", "r4c2+2", true},
        {".6.....9....1....2....89.61...8.3.5.81.254.79.4.9.1...98.34....5....8....7.....1.", 18,
         Technique::VWXYZWing, "r1c3-4 r2c3-4", "", "r2c1+1", true},
        {".6.....9....1....2....89.61...8.3.5.81.254.79.4.9.1...98.34....5....8....7.....1.", 19,
         Technique::UVWXYZWing, "r1c9-8 r9c7-3 r9c7-5", "", "r1c7+1", true},
        {".4........861...34..15..26....3.584.....4.....589.2....95..83..16...945........1.", 31,
         Technique::Skyscraper, "r1c3-2", "", "r2c1+1", true},
        {".24...65.1.......7..8.1.9...........26..9..83.8.5.1.7.6..9.3..8..28547......7....", 21,
         Technique::TwoStringKite, "r9c3-5", "", "r4c9+1", true},
        {"..1...398...5.........9.45......8..3..84712..4..2......42.8.........6...186...7..", 22,
         Technique::TurbotFish, "r8c5-5", "", "r4c5+1", true},
        {"...1.5...1...8...2...249...5.......7..26.89....95.46...3.....5.8.......627.....91", 16,
         Technique::AlignedTripletExclusion, "r5c1-4", "", "r5c1+1", true},
        {"..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..", 6,
         Technique::DynamicForcingNested, "r1c7-4", "", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Info(c.technique).name) + " " + c.rows);
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(c.rows));
        Step step;
        for (int i = 0; i < c.stepsBefore; ++i) {
            ASSERT_TRUE(FindEasiestStep(board, c.oneSolution, step));
            ApplyStep(board, step);
        }
        ASSERT_TRUE(FindEasiestStep(board, c.oneSolution, step));
        EXPECT_EQ(step.technique, c.technique);
        EXPECT_EQ(Removals(step), c.removals);
        EXPECT_EQ(Placement(step), c.placement);

        const std::string breaker = c.breaker;
        if (breaker.empty())
            continue;  // no candidate a player could still write breaks it
        const int cell = (breaker[1] - '1') * 9 + breaker[3] - '1', digit = breaker[5] - '0';
        ASSERT_FALSE(board.Candidates(cell) & DigitBit(digit));
        board.SetCandidates(cell, board.Candidates(cell) | DigitBit(digit));
        Step other;
        ASSERT_TRUE(FindEasiestStep(board, c.oneSolution, other));
        EXPECT_FALSE(other.technique == c.technique && Removals(other) == c.removals &&
                     Placement(other) == c.placement);
    }
}

// Two forms the puzzle sets never need as their easiest step, on pencil marks made for them
// from an empty board: direct claiming (row 1 keeps its 1 in box 1, which leaves row 2 one
// place outside the box) and a hidden quad (row 1 keeps 1-4 in its first four cells).
TEST(Families, FormsTheSetsNeverReach) {
    auto mark = [](CandidateBoard& board, const char* cells, std::uint16_t digits, bool keep) {
        for (const char* p = cells; *p; p += 5) {
            const int cell = (p[1] - '1') * 9 + p[3] - '1';
            board.SetCandidates(
                cell, keep ? board.Candidates(cell) | digits : board.Candidates(cell) & ~digits);
        }
    };
    CandidateBoard board;
    ASSERT_TRUE(board.SetRows(std::string(81, '.')));
    mark(board, "r1c3 r1c4 r1c5 r1c6 r1c7 r1c8 r1c9 r2c4 r2c6 r2c7 r2c8 r2c9 ", DigitBit(1), false);
    Step step;
    ASSERT_TRUE(FindIntersection(board, false, true, step));
    EXPECT_EQ(step.technique, Technique::DirectClaiming);
    EXPECT_EQ(Removals(step), "r2c1-1 r2c2-1 r2c3-1 r3c1-1 r3c2-1 r3c3-1");
    EXPECT_EQ(Placement(step), "r2c5=1");
    mark(board, "r2c6 ", DigitBit(1), true);
    EXPECT_FALSE(FindIntersection(board, false, true, step));
    EXPECT_TRUE(FindIntersection(board, false, false, step));  // the plain form still holds

    ASSERT_TRUE(board.SetRows(std::string(81, '.')));
    mark(board, "r1c5 r1c6 r1c7 r1c8 r1c9 ", 0xf, false);
    ASSERT_TRUE(FindHiddenSubset(board, 4, false, step));
    EXPECT_EQ(step.technique, Technique::HiddenQuad);
    EXPECT_EQ(Removals(step).substr(0, 41), "r1c1-5 r1c1-6 r1c1-7 r1c1-8 r1c1-9 r1c2-5");
    mark(board, "r1c9 ", DigitBit(1), true);
    EXPECT_FALSE(FindHiddenSubset(board, 4, false, step));
}

// A board string runs column by column, a puzzle line row by row: both give the same
// candidates. Givens that clash are refused.
TEST(Families, BoardStringsAndPuzzleLinesAgree) {
    const std::string rows =
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
    CandidateBoard a, b;
    ASSERT_TRUE(a.SetRows(rows));
    ASSERT_TRUE(b.SetBoardString(BoardStringFromRows(rows)));
    for (int cell = 0; cell < kCells; ++cell) {
        EXPECT_EQ(a.Value(cell), b.Value(cell)) << cell;
        EXPECT_EQ(a.Candidates(cell), b.Candidates(cell)) << cell;
    }
    EXPECT_EQ(a.Candidates(1),  // row 1: 4 8 5; column 2: 3 2
              0x1ff & ~(DigitBit(4) | DigitBit(8) | DigitBit(5) | DigitBit(3) | DigitBit(2)));
    std::string clash = rows;
    clash[2] = '4';  // a second 4 in row 1
    EXPECT_FALSE(a.SetRows(clash));
}

// Each pattern the ladder names holds on its board: a naked set's cells hold only its digits,
// a hidden set's digits sit only in its cells, a fish's base lines hold the digit only in its
// cover lines, a unique rectangle's four cells span two rows, two columns and two boxes and
// all hold its two digits.
TEST(Families, PatternsHoldOnTheirBoards) {
    std::vector<std::string> puzzles;
    for (const char* set : {"qqwing-expert.txt", "top95.txt"}) {
        for (const std::string& rows : test::ReadPuzzleLines(test::PuzzleFile(set)))
            puzzles.push_back(rows);
    }
    auto unitCells = [](std::uint32_t units) {
        CellSet cells;
        for (int u = 0; u < kUnits; ++u) {
            if (units >> u & 1)
                cells |= kUnitTables.unitSets[u];
        }
        return cells;
    };
    for (const std::string& rows : puzzles) {
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(rows));
        Step step;
        while (!board.Solved() && FindEasiestStep(board, true, step)) {
            const Technique t = step.technique;
            SCOPED_TRACE(std::string(Info(t).name) + " " + rows);
            const int n = std::popcount(step.digits);
            if (t == Technique::NakedPair || t == Technique::NakedTriple ||
                t == Technique::NakedQuad) {
                EXPECT_EQ(step.cells.Count(), n);
                for (CellSet c = step.cells; !c.Empty();)
                    EXPECT_FALSE(board.Candidates(c.PopFirst()) & ~step.digits);
            }
            if (t == Technique::HiddenPair || t == Technique::HiddenTriple ||
                t == Technique::HiddenQuad) {
                EXPECT_EQ(step.cells.Count(), n);
                const CellSet unit = unitCells(step.units);
                for (unsigned m = step.digits; m; m &= m - 1) {
                    const CellSet places = board.Plane(std::countr_zero(m) + 1) & unit;
                    EXPECT_TRUE(places.Within(step.cells));
                }
            }
            if (t == Technique::XWing || t == Technique::Swordfish || t == Technique::Jellyfish) {
                const CellSet plane = board.Plane(std::countr_zero(step.digits) + 1);
                const CellSet rows9 = unitCells(step.units & 0x1ff);
                const CellSet columns = unitCells(step.units & (0x1ff << 9));
                // The base lines hold the digit only where they cross the cover lines.
                EXPECT_TRUE((plane & rows9) == step.cells || (plane & columns) == step.cells);
                EXPECT_TRUE(step.cells.Within(rows9) && step.cells.Within(columns));
            }
            if (t >= Technique::UniqueRectangle1 && t <= Technique::UniqueRectangle4) {
                ASSERT_EQ(step.loop.Count(), 4);
                std::set<int> rowsSeen, columnsSeen, boxes;
                for (CellSet c = step.loop; !c.Empty();) {
                    const int cell = c.PopFirst();
                    rowsSeen.insert(Row(cell));
                    columnsSeen.insert(Column(cell));
                    boxes.insert(Box(cell));
                    EXPECT_EQ(board.Candidates(cell) & step.digits, step.digits);
                }
                EXPECT_EQ(rowsSeen.size() + columnsSeen.size() + boxes.size(), 6u);
            }
            if (t >= Technique::UniqueLoop1 && t <= Technique::UniqueLoop4) {
                // Six cells or more, every unit they touch holding two of them.
                EXPECT_GE(step.loop.Count(), 6);
                for (int u = 0; u < kUnits; ++u) {
                    const int inUnit = (step.loop & kUnitTables.unitSets[u]).Count();
                    EXPECT_TRUE(inUnit == 0 || inUnit == 2) << u;
                }
                for (CellSet c = step.loop; !c.Empty();)
                    EXPECT_EQ(board.Candidates(c.PopFirst()) & step.digits, step.digits);
            }
            if (t == Technique::YCycle) {
                // Cells with two digits, each "on" node's digit off in a cell that sees it.
                for (int i = 0; i < step.chainLength; i += 2) {
                    const int on = step.chain[i], off = step.chain[i + 1];
                    EXPECT_EQ(Count9(board.Candidates(NodeCell(on))), 2);
                    EXPECT_TRUE(NodeOn(on) && !NodeOn(off) && NodeDigit(on) == NodeDigit(off));
                    EXPECT_TRUE(Sees(NodeCell(on), NodeCell(off)));
                    EXPECT_EQ(NodeCell(off), NodeCell(step.chain[(i + 2) % step.chainLength]));
                }
            }
            ApplyStep(board, step);
        }
    }
}

// The ladder tries techniques in table order, so their ratings must never fall; a chain adds a
// tenth each time its length (nodes less two) passes 4, 6, 8, 12, 16, 24, ...
TEST(Families, RatingsRiseAlongTheLadderAndWithChainLength) {
    std::set<std::string_view> names;
    for (int t = 1; t < kTechniqueCount; ++t) {
        EXPECT_LE(Info(static_cast<Technique>(t - 1)).rating,
                  Info(static_cast<Technique>(t)).rating);
        EXPECT_TRUE(names.insert(Info(static_cast<Technique>(t)).name).second);
    }
    const std::pair<int, int> lengths[] = {{4, 0},  {6, 0},  {7, 1},  {8, 1},  {9, 2},
                                           {10, 2}, {11, 3}, {14, 3}, {15, 4}, {19, 5}};
    for (const auto& [nodes, extra] : lengths)
        EXPECT_EQ(ChainLengthExtra(nodes), extra) << nodes;
}

}  // namespace
}  // namespace zw::techniques
