#include "techniques/step_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_board.h"
#include "techniques/ladder.h"

namespace zw::techniques {
namespace {

std::string CellWords(int cell) {
    return "Zeile " + std::to_string(Row(cell) + 1) + ", Spalte " +
           std::to_string(Column(cell) + 1);
}

// Both stages name the technique; the second names every removed candidate (its digit and
// cell) and the placed digit with its cell, so a player can check the step on paper.
TEST(StepText, EveryStepNamesItsRemovalsAndPlacement) {
    std::vector<std::string> puzzles = test::ReadPuzzleLines(test::PuzzleFile("top95.txt"));
    for (const std::string& rows :
         test::ReadPuzzleLines(test::PuzzleFile("qqwing-expert.txt"), 100))
        puzzles.push_back(rows);
    for (const std::string& rows : puzzles) {
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(rows));
        Step step;
        while (!board.Solved() && FindEasiestStep(board, true, step)) {
            const std::string name(Info(step.technique).name);
            const std::string hint = StepHintText(step), answer = StepAnswerText(board, step);
            SCOPED_TRACE(rows + "\n" + answer);
            EXPECT_EQ(hint.rfind(name, 0), 0u) << hint;
            EXPECT_EQ(answer.rfind(name, 0), 0u);
            for (int cell = 0; cell < kCells; ++cell) {
                for (int d = 1; d <= 9; ++d) {
                    if (!(step.removed[cell] & DigitBit(d)))
                        continue;
                    const std::size_t at = answer.find("Die " + std::to_string(d) + " fällt in ");
                    ASSERT_NE(at, std::string::npos);
                    EXPECT_NE(answer.find(CellWords(cell), at), std::string::npos);
                }
            }
            // A fish names its base lines first: those it removes nothing from.
            if (step.technique == Technique::XWing || step.technique == Technique::Swordfish ||
                step.technique == Technique::Jellyfish) {
                const bool baseRows = answer.find(": In den Zeilen") != std::string::npos;
                for (int cell = 0; cell < kCells; ++cell) {
                    const int line = baseRows ? Row(cell) : 9 + Column(cell);
                    if (step.removed[cell]) {
                        EXPECT_FALSE(step.units >> line & 1) << cell;
                    }
                }
            }
            if (step.placedCell >= 0) {
                EXPECT_NE(answer.find("die " + std::to_string(step.placedDigit)),
                          std::string::npos);
                EXPECT_NE(answer.find(CellWords(step.placedCell)), std::string::npos);
            }
            // An explanation's line: the rating, then both stages, the technique named once.
            const int tenths = step.Rating();
            std::string line = "\n";
            AppendStepLine(line, board, step);
            EXPECT_EQ(line, "\n[" + std::to_string(tenths / 10) + "." +
                                std::to_string(tenths % 10) + "] " + hint + " " +
                                answer.substr(name.size() + 2) + "\n");
            ApplyStep(board, step);
        }
    }
}

// The exact words of a few steps, as the tip will show them.
TEST(StepText, TwoStagesInWords) {
    const struct {
        const char* rows;
        int stepsBefore;
        const char* hint;
        const char* answer;
    } cases[] = {
        {"123456789456789123789123456231674895875912364694538217317265948542897631968341.72", 0,
         "Full House: In Zeile 9 ist nur noch eine Zelle frei.",
         "Full House: In Zeile 9 fehlt nur noch die 5; sie gehört in Zeile 9, Spalte 7."},
        {"7......6.......8.9..8.491.............15.89..3..4....1..7.9..3....63.....1..5...4", 16,
         "Claiming mit der 6: Schau auf Spalte 3 und Block 4.",
         "Claiming: In Spalte 3 steht die 6 nur in Block 4. Die 6 fällt in Zeile 4, Spalte 1, "
         "Zeile 4, Spalte 2, Zeile 5, Spalte 1, Zeile 5, Spalte 2 und Zeile 6, Spalte 2 weg. "
         "Damit bleibt für die 6 in Zeile 5 nur noch Zeile 5, Spalte 5."},
        {".97..3...6.8.......2.95...6....2...8.42.3.76.3...9....2...45.9.......6.4...8..13.", 26,
         "WXYZ-Wing: Schau auf Zeile 4, Spalte 2, Zeile 6, Spalte 3, Zeile 6, Spalte 7 und Zeile "
         "6, Spalte 9.",
         "WXYZ-Wing: Die 4 Zellen Zeile 4, Spalte 2, Zeile 6, Spalte 3, Zeile 6, Spalte 7 und "
         "Zeile 6, Spalte 9 halten zusammen nur die 1, die 2, die 5 und die 6; jede andere Zahl "
         "als die 1 passt höchstens einmal hinein, so dass die 1 in einer von ihnen stehen muss. "
         "Die 1 fällt in Zeile 6, Spalte 2 weg. Das streicht nur Kandidaten; der nächste Tipp "
         "geht von dort aus weiter."},
        {"1..3.7..2.8.1.5.3...78..6..76....583.........853....94..8..14...2.6.4.7.4..2.3..8", 16,
         "X-Kette: Nimm an, die 1 stünde in Zeile 5, Spalte 8, und folge den Folgen.",
         "X-Kette: Stünde die 1 in Zeile 5, Spalte 8, dann stünde die 1 nicht in Zeile 3, "
         "Spalte 8, also die 1 in Zeile 3, Spalte 9 (der andere Platz in Zeile 3), also die 1 "
         "nicht in Zeile 8, Spalte 9, also die 1 in Zeile 8, Spalte 3 (der andere Platz in Zeile "
         "8), also die 1 nicht in Zeile 9, Spalte 2, also die 1 in Zeile 5, Spalte 2 (der andere "
         "Platz in Spalte 2), also die 1 nicht in Zeile 5, Spalte 8. Die Annahme widerlegt sich "
         "selbst. Die 1 fällt in Zeile 5, Spalte 8 weg. Damit passt in Zeile 5, Spalte 8 nur "
         "noch die 6."},
    };
    for (const auto& c : cases) {
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(c.rows));
        Step step;
        for (int i = 0; i < c.stepsBefore; ++i) {
            ASSERT_TRUE(FindEasiestStep(board, true, step));
            ApplyStep(board, step);
        }
        ASSERT_TRUE(FindEasiestStep(board, true, step));
        EXPECT_EQ(StepHintText(step), c.hint);
        EXPECT_EQ(StepAnswerText(board, step), c.answer);
    }
}

// A chain whose words run to several thousand characters comes out whole, in the explanation
// as in the two stages: every link once, in order.
TEST(StepText, LongChainComesOutWhole) {
    CandidateBoard board;
    ASSERT_TRUE(board.SetRows(std::string(kCells, '.')));
    Step step;
    step.technique = Technique::XChain;
    step.digits = DigitBit(1);
    step.chainLength = kChainRoom;
    for (int i = 0; i < kChainRoom; ++i)
        step.chain[static_cast<std::size_t>(i)] = ChainNode(i % kCells, 1, i % 2 == 0);
    step.removed[0] = DigitBit(1);
    const std::string hint = StepHintText(step), answer = StepAnswerText(board, step);
    ASSERT_GT(answer.size(), 4096u);
    std::size_t at = answer.find("dann stünde ");
    for (int i = 1; i < kChainRoom; ++i) {
        const std::string link =
            (i % 2 == 0 ? "die 1 in " : "die 1 nicht in ") + CellWords(i % kCells);
        at = answer.find(link, at);
        ASSERT_NE(at, std::string::npos) << i;
        at += link.size();
    }
    EXPECT_EQ(answer.substr(at, 38), ". Die Annahme widerlegt sich selbst. D");
    std::string line;
    AppendStepLine(line, board, step);
    EXPECT_EQ(line.substr(line.find("] ") + 2),
              hint + " " + answer.substr(answer.find(": ") + 2) + "\n");
}

}  // namespace
}  // namespace zw::techniques
