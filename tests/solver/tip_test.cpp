#include "solver/tip.h"

#include <gtest/gtest.h>

#include "support/test_board.h"

namespace zw {
namespace {

// A finished board with one cell open: the open cell has one candidate left.
std::string SolvedBut(int cell) {
    std::string rows(test::kSolved);
    rows[static_cast<std::size_t>(cell)] = '.';
    return rows;
}

// Each case on a board whose answer is known: both texts and the cells each stage marks. The
// single boards have no easier step; the pair's board has no single before its eliminations.
TEST(Tip, EachCaseSaysWhereToLookThenTheAnswer) {
    const std::vector<int> box1{0, 1, 2, 9, 10, 11, 18, 19, 20}, row1{0, 1, 2, 3, 4, 5, 6, 7, 8},
        column1{0, 9, 18, 27, 36, 45, 54, 63, 72};
    const struct {
        std::string rows;
        std::string hint, answer;
        std::vector<int> hintCells, answerCells;
    } cases[] = {
        {SolvedBut(22), "Tipp: In Zeile 3, Spalte 5 passt nur noch eine Zahl.",
         "Tipp: Die 2 gehört in Zeile 3, Spalte 5.", {22}, {22}},
        {"..............1..........1....................1..................1...............",
         "Tipp: In Block 1 passt eine Zahl nur an eine Stelle.",
         "Tipp: Die 1 gehört in Zeile 1, Spalte 1.", box1, {0}},
        {"2........3........4........5........6........7.....................1...........1.",
         "Tipp: In Spalte 1 passt eine Zahl nur an eine Stelle.",
         "Tipp: Die 1 gehört in Zeile 7, Spalte 1.", column1, {54}},
        {"234567.....................................1...........................1.........",
         "Tipp: In Zeile 1 passt eine Zahl nur an eine Stelle.",
         "Tipp: Die 1 gehört in Zeile 1, Spalte 7.", row1, {6}},
        {"...9.28.4.2458...9189634..2462.9...88.3.2649.9..4.86232..84.9...4...928.59826.34.",
         "Tipp: In Block 3 passen in zwei Zellen nur dieselben zwei Zahlen.",
         "Tipp: Zeile 3, Spalte 7 und Zeile 3, Spalte 8 teilen sich die 5 und die 7; damit "
         "gehört die 1 in Zeile 2, Spalte 7.",
         {6, 7, 8, 15, 16, 17, 24, 25, 26}, {24, 25, 15}},
        // Nothing to reveal: both stages say the same.
        // Every cell with the clashing digit is named and marked.
        {"1.1..1" + std::string(75, '.'),
         "Tipp: Regelbruch: Die 1 steht dreimal in Zeile 1 (Spalten 1, 3 und 6).", "", {0, 2, 5},
         {0, 2, 5}},
        {"5.........5" + std::string(70, '.'),
         "Tipp: Regelbruch: Die 5 steht zweimal in Block 1 (Zeile 1, Spalte 1 und Zeile 2, "
         "Spalte 2).", "", {0, 10}, {0, 10}},
        {std::string(test::kNoSolution),
         "Tipp: Das SuDoKu ist nicht mehr lösbar. Fehler suchen (Strg+F) zeigt, wo es falsch "
         "wurde.", "", {}, {}},
        {std::string(81, '.'),
         "Tipp: Die nächste Zahl muss probiert werden. Das SuDoKu hat mehrere Lösungen.", "", {},
         {}},
        {std::string(test::kSolved), "Tipp: Das SuDoKu ist gelöst.", "", {}, {}},
    };
    for (const auto& c : cases) {
        Grid grid;
        test::SetRows(grid, c.rows);
        const Tip tip = FindTip(grid.Values());
        EXPECT_EQ(TipHintText(tip), c.hint) << c.rows;
        EXPECT_EQ(TipAnswerText(tip), c.answer.empty() ? c.hint : c.answer) << c.rows;
        EXPECT_EQ(TipHintCells(tip), c.hintCells) << c.rows;
        EXPECT_EQ(TipAnswerCells(tip), c.answerCells) << c.rows;
    }
}

// Where the techniques stop on a puzzle with one solution, the tip says so and counts one;
// every step on the way placed the solution's digit.
TEST(Tip, StepsFollowTheSolutionUntilOnlyTryingIsLeft) {
    Grid grid;
    test::SetRows(grid, test::kHard);
    std::array<CellValue, kCellCount> cells = grid.Values();
    int steps = 0;
    for (Tip tip = FindTip(cells); tip.kind != TipKind::Guess; tip = FindStep(cells), ++steps) {
        ASSERT_EQ(tip.digit, test::kHardSolution[static_cast<std::size_t>(tip.cell)] - '0');
        cells[static_cast<std::size_t>(tip.cell)] = DigitBit(tip.digit);
    }
    EXPECT_GT(steps, 0);
    EXPECT_EQ(TipAnswerText(FindTip(cells)),
              "Tipp: Die nächste Zahl muss probiert werden. Das SuDoKu hat genau eine Lösung.");
}

}  // namespace
}  // namespace zw
