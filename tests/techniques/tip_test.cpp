#include "techniques/tip.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "board/board_string.h"
#include "techniques/explain.h"
#include "solver/fast_search.h"
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
// boards with one solution get the ladder's step; the sparse ones have several solutions and
// get the singles, which have no easier step there.
TEST(Tip, EachCaseSaysWhereToLookThenTheAnswer) {
    const std::vector<int> box1{0, 1, 2, 9, 10, 11, 18, 19, 20}, row1{0, 1, 2, 3, 4, 5, 6, 7, 8},
        column1{0, 9, 18, 27, 36, 45, 54, 63, 72};
    const struct {
        std::string rows;
        std::string hint, answer;
        std::vector<int> hintCells, answerCells;
    } cases[] = {
        {SolvedBut(22), "Tipp: Full House: In Zeile 3 ist nur noch eine Zelle frei.",
         "Tipp: Full House: In Zeile 3 fehlt nur noch die 2; sie gehört in Zeile 3, Spalte 5.",
         {18, 19, 20, 21, 22, 23, 24, 25, 26}, {22}},
        {"..............1..........1....................1..................1...............",
         "Tipp: In Block 1 passt eine Zahl nur an eine Stelle.",
         "Tipp: Die 1 gehört in Zeile 1, Spalte 1.", box1, {0}},
        {"2........3........4........5........6........7.....................1...........1.",
         "Tipp: In Spalte 1 passt eine Zahl nur an eine Stelle.",
         "Tipp: Die 1 gehört in Zeile 7, Spalte 1.", column1, {54}},
        {"234567.....................................1...........................1.........",
         "Tipp: In Zeile 1 passt eine Zahl nur an eine Stelle.",
         "Tipp: Die 1 gehört in Zeile 1, Spalte 7.", row1, {6}},
        // A step that only removes: the answer marks the cells it removes from as well.
        {"7.8...4...26.7..83453218679.7.5.63...6.12..9...1..7..66.73529...3..49.6..49..1.35",
         "Tipp: X-Wing mit der 1: Schau auf die Zeilen 2 und 8 und die Spalten 1 und 7.",
         "Tipp: X-Wing: In den Spalten 1 und 7 steht die 1 nur in den Zeilen 2 und 8. Die 1 "
         "fällt in Zeile 8, Spalte 9 weg. Das streicht nur Kandidaten; der nächste Tipp geht von "
         "dort aus weiter.",
         {9, 15, 63, 69}, {9, 15, 63, 69, 71}},
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

// The solution of a puzzle line, row by row.
std::string SolutionOf(std::string_view rows) {
    std::string solution;
    FastCountRows(BoardStringFromRows(rows), 2, &solution);
    return solution;
}

// A step's removals and digit, held against the puzzle's solution.
void ExpectTrue(const Tip& tip, const std::string& solution) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        EXPECT_FALSE(tip.step.removed[static_cast<std::size_t>(cell)] &
                     DigitBit(solution[static_cast<std::size_t>(cell)] - '0'))
            << TipAnswerText(tip);
    }
    if (tip.cell >= 0) {
        EXPECT_EQ(tip.digit, solution[static_cast<std::size_t>(tip.cell)] - '0')
            << TipAnswerText(tip);
    }
}

// Boards met on the way through the puzzle sets, the placed digits alone, whose easiest step
// is beyond the singles: the hint names the technique and marks its pattern, the answer
// marks the pattern too, and what it removes and places holds in the solution.
TEST(Tip, BeyondTheSinglesTheTipNamesItsTechnique) {
    const std::pair<const char*, const char*> cases[] = {
        {"...521.4.1423..586975...321..48.2.1525.1...3.781.35.6.5..214.73.1375..9..27..315.",
         "Nacktes Paar"},
        {".6.5.1.9.12..9..539....7....4.8...7.......5.8.817.5.3.....5.2.7....7.....76..8...",
         "Claiming"},
        {"53..2.9...24.3..5...9..........1.827...7...9.....981.............64....91.2.5.43.",
         "Verstecktes Paar"},
        {"...3..5...5..1..3...7..4..12.....4...6..9......1..6..28..7..2..79..8..5...5..9..7",
         "Schwertfisch"},
        {"..7854639845396217369127458.3.76.9414769125839..43.726.9.64387.684.7139.7.3.89164",
         "XY-Wing"},
        {"..6...7.1..4...53..85....6.6.29.1....1.2.7.95....3.21..2...8.5.8.1.29....69.7....",
         "Skyscraper"},
        {".5861..344693.7.51..1.54.6...74361.51435..6.75.6.71423915.4.376672193548..4765.1.",
         "Unique Rectangle Typ 1"},
        {"8..75.94141982.7...57941.821..437....3.518..757.269.1.7.518423..8..72..424..95.7.",
         "X-Wing"},
        {"...72....12.635.84...48.....94563...31587249676.91453....348169681297345...156827",
         "WXYZ-Wing"},
        {"586....9.371..9.5.429....3.934825761867913524215764389142..8976758.9.243693472815",
         "XYZ-Wing"},
        {"9263785..354916...8715249..792641..5135789..24682531..24.1657..58.49....61.83..5.",
         "Y-Zyklus"},
        {"47.52...3895..3.2432....7.5517....4.289645371634.1..587.2......1.8....32943286517",
         "Erzwingungskette"},
        {"4..6..3...1..2..6...8..7..19..8..5...4..5..1......2..75.....6...3..8..4......9..5",
         "Nishio"},
        {"4...5...9..34..8...851.9........4.......8.29.15.69..7.8.6....4.5.......3..9.4.78.",
         "Zellen-Erzwingungsketten"},
        {".......4...2..4..1.7..5..9...3..7....4..6....69.1..8..32....1..85.9...6.....8...3",
         "Dynamischer Widerspruch"},
    };
    for (const auto& [rows, name] : cases) {
        Grid grid;
        test::SetRows(grid, rows);
        const Tip tip = FindTip(grid.Values());
        ASSERT_EQ(tip.kind, TipKind::Step) << rows;
        EXPECT_EQ(TipHintText(tip).rfind("Tipp: " + std::string(name), 0), 0u) << TipHintText(tip);
        const std::vector<int> hint = TipHintCells(tip), answer = TipAnswerCells(tip);
        EXPECT_FALSE(hint.empty()) << name;
        for (int cell : hint)
            EXPECT_NE(std::find(answer.begin(), answer.end(), cell), answer.end()) << name;
        ExpectTrue(tip, SolutionOf(rows));
    }
}

// A step that only removes candidates: the next tip goes on from the candidates it left,
// step by step, until one places the digit the removals lead to.
TEST(Tip, AfterRemovalsTheNextTipGoesOnFromThere) {
    const std::string rows =
        "4.....8.5.3..........7......2.....6.....8.4...4..1.......6.3.7.5.32.1...1.4......";
    const std::string solution = SolutionOf(rows);
    Grid grid;
    test::SetRows(grid, rows);
    Tip tip = FindTip(grid.Values());
    std::vector<std::string> hints;
    while (tip.kind == TipKind::Step && tip.cell < 0 && hints.size() < 10) {
        hints.push_back(TipHintText(tip));
        ExpectTrue(tip, solution);
        const Tip next = NextTip(tip);
        for (int cell = 0; cell < kCellCount; ++cell) {
            const auto i = static_cast<std::size_t>(cell);
            EXPECT_EQ(next.before.Candidates(cell),
                      tip.before.Candidates(cell) & ~tip.step.removed[i]);
        }
        tip = next;
    }
    EXPECT_EQ(hints, (std::vector<std::string>{
                         "Tipp: Pointing mit der 2: Schau auf Spalte 6 und Block 5.",
                         "Tipp: Pointing mit der 2: Schau auf Zeile 7 und Block 7.",
                         "Tipp: Pointing mit der 4: Schau auf Spalte 5 und Block 8.",
                         "Tipp: Pointing mit der 6: Schau auf Spalte 6 und Block 5."}));
    EXPECT_EQ(TipAnswerText(tip),
              "Tipp: Nackter Einer: In Zeile 1, Spalte 6 passt nur noch die 9.");
    ExpectTrue(tip, solution);
}

// explain takes every puzzle of a hard set to its end by named steps, each with its rating,
// and never falls back on trying a digit.
TEST(Explain, FinishesEveryPuzzleOfTop95) {
    for (const std::string& rows : test::ReadPuzzleLines(test::PuzzleFile("top95.txt"))) {
        Grid grid;
        test::SetRows(grid, rows);
        const std::string text = ExplainText(grid.Values());
        ASSERT_EQ(text.find("probiert"), std::string::npos) << rows;
        ASSERT_TRUE(text.ends_with("\nDas SuDoKu ist gelöst.\n")) << rows;
        // Every line but the last: the rating, as "[4.2] ", and the step.
        for (std::size_t at = 0; at < text.size() - 24; at = text.find('\n', at) + 1) {
            const std::size_t close = text.find("] ", at);
            ASSERT_TRUE(text[at] == '[' && close < at + 6 && text[close - 2] == '.')
                << text.substr(at, 40);
        }
    }
}

}  // namespace
}  // namespace zw
