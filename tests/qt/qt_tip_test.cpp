// The tip and Fehler suchen in the real window, through the real menu actions.
#include <gtest/gtest.h>

#include <QImage>

#include "board/board_string.h"
#include "techniques/score.h"
#include "support/main_window_fixture.h"
#include "support/test_board.h"

namespace zw {
namespace {

// Two tips on the same board: where to look (its cell marked), then the answer, whose cell
// becomes current; typing the digit clears the mark.
TEST(TipWidget, TheSecondTipAnswersAndMarksItsCell) {
    test::MainWindowFixture f;
    std::string rows(test::kSolved);
    rows[22] = '.';
    test::SetRows(f.form.Matrix, rows);
    f.form.Matrix.SetCurrent(8, 8);
    f.Action("mSuDoKu_Tipp")->trigger();
    f.Action("mSuDoKu_Tipp")->trigger();
    f.Settle();
    EXPECT_EQ(
        f.LogMessages().back(),
        "Tipp: Full House: In Zeile 3 fehlt nur noch die 2; sie gehört in Zeile 3, Spalte 5.");
    EXPECT_EQ(f.form.Matrix.Row(), 2);
    EXPECT_EQ(f.form.Matrix.Col(), 4);
    EXPECT_EQ(f.form.Matrix.Value(2, 4), kEmptyCell);  // the tip places nothing
    EXPECT_EQ(f.form.Matrix.Background(2, 4), kSelectionColour);
    f.Type({Qt::Key_2});
    EXPECT_EQ(f.form.Matrix.Value(2, 4), DigitBit(2));
    EXPECT_EQ(f.form.Matrix.Background(2, 4), kBoxShading);  // its own shading again
}

// The pixels of a cell in the grid's picture near a colour (text is smoothed at its edges).
int CellPixels(GridView& grid, int row, int col, QColor colour) {
    const QImage image = grid.grab().toImage();
    const double cell = (grid.width() - 1) / 9.0;
    int n = 0;
    for (int y = static_cast<int>(row * cell) + 3; y < static_cast<int>((row + 1) * cell) - 3;
         ++y) {
        for (int x = static_cast<int>(col * cell) + 3; x < static_cast<int>((col + 1) * cell) - 3;
             ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = std::abs(c.red() - colour.red()) +
                                 std::abs(c.green() - colour.green()) +
                                 std::abs(c.blue() - colour.blue());
            n += distance < 90;
        }
    }
    return n;
}

// A pointing step only removes candidates. Its hint shows the candidates of the cells it marks,
// its answer strikes the removed ones in their own colour, and the third tip goes on from
// there; a typed key takes the candidates off the grid again, which never held them.
TEST(TipWidget, MarkedCellsShowTheirCandidatesUntilTheNextKey) {
    test::MainWindowFixture f;
    test::SetRows(
        f.form.Matrix,
        "4.....8.5.3..........7......2.....6.....8.4...4..1.......6.3.7.5.32.1...1.4......");
    f.form.Matrix.SetCurrent(8, 8);
    const std::string board = GetSuDoKuString(f.form.Matrix);
    QAction* tip = f.Action("mSuDoKu_Tipp");
    const QColor black(Qt::black), struck(224, 0, 0);
    tip->trigger();
    f.Settle();
    EXPECT_EQ(f.LogMessages().back(), "Tipp: Pointing mit der 2: Schau auf Spalte 6 und Block 5.");
    // Row 1, column 6 is open and outside the pattern: nothing drawn there yet.
    EXPECT_EQ(CellPixels(f.Grid(), 0, 5, black), 0);
    EXPECT_GT(CellPixels(f.Grid(), 4, 5, black), 0);  // row 5, column 6: in the pattern
    EXPECT_EQ(CellPixels(f.Grid(), 4, 5, struck), 0);
    tip->trigger();
    f.Settle();
    EXPECT_EQ(f.LogMessages().back(),
              "Tipp: Pointing: In Block 5 steht die 2 nur in Spalte 6. Die 2 fällt in Zeile 1, "
              "Spalte 6, Zeile 2, Spalte 6 und Zeile 3, Spalte 6 weg. Das streicht nur "
              "Kandidaten; der nächste Tipp geht von dort aus weiter.");
    EXPECT_GT(CellPixels(f.Grid(), 0, 5, black), 0);
    EXPECT_GT(CellPixels(f.Grid(), 0, 5, struck), 0);
    EXPECT_EQ(CellPixels(f.Grid(), 4, 5, struck), 0);
    tip->trigger();
    f.Settle();
    EXPECT_EQ(f.LogMessages().back(), "Tipp: Pointing mit der 2: Schau auf Zeile 7 und Block 7.");
    EXPECT_EQ(CellPixels(f.Grid(), 0, 5, black), 0);
    EXPECT_GT(CellPixels(f.Grid(), 6, 0, black), 0);
    f.Type({Qt::Key_Backspace});  // on row 9, column 9, still current
    EXPECT_EQ(CellPixels(f.Grid(), 6, 0, black), 0);
    EXPECT_EQ(GetSuDoKuString(f.form.Matrix), board);
    EXPECT_EQ(f.form.mySnapshots[1], board);  // the answer's line: no struck candidate in it
}

// "A&bbrechen" while the tip searches: no tip is said or marked, and the next one starts over
// with the hint.
TEST(TipWidget, ACancelledTipSaysNothing) {
    test::MainWindowFixture f;
    test::SetRows(f.form.Matrix, test::kHard);
    f.mp.events.actAt = f.mp.events.calls + 1;
    f.mp.events.action = [&] { f.form.mSuDoKuBeak_Click(); };
    f.Action("mSuDoKu_Tipp")->trigger();
    f.Settle();
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Abbruch"});
    EXPECT_NE(f.form.Matrix.Background(5, 1), kSelectionColour);
    f.Action("mSuDoKu_Tipp")->trigger();
    EXPECT_EQ(f.LogMessages().back(),
              "Tipp: Versteckter Einer im Block: In Block 4 passt eine Zahl nur an eine Stelle.");
}

// Ctrl+R logs the board's score as the command line rates it, and a generated puzzle gets its
// score logged after its run.
TEST(DifficultyWidget, CtrlRLogsTheScoreAndGenerierenAddsIt) {
    test::MainWindowFixture f;
    const std::string rows =
        ".8.2..4..57....1....23.....82..9...5...715...7...2..41.....67....3....18..7..9.5.";
    test::SetRows(f.form.Matrix, rows);
    QAction* rate = f.Action("mSuDoKu_Schwierigkeit");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    rate->trigger();
    EXPECT_EQ(f.LogMessages().back(), "Schwierigkeit: 3,4 (Verstecktes Paar) – Schwer");
    EXPECT_EQ(f.LogMessages().back(),
              "Schwierigkeit: " + techniques::ScoreText(techniques::ScoreRows(rows)));

    f.mp.dialogs.makeSuDoKu = [](MakeSuDoKuOptions& options) {
        options.hard = true;
        options.fields = 50;
        return true;
    };
    f.Action("mSuDoKu_Generate")->trigger();
    f.Settle();
    const std::vector<std::string> log = f.LogMessages();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2].rfind("Generierung fertig", 0), 0u) << log[log.size() - 2];
    EXPECT_EQ(log.back(),
              "Schwierigkeit: " + techniques::ScoreText(techniques::ScorePuzzle(f.form.Matrix.Values())));
}

// A game with a wrong digit between refused ones: Fehler suchen names the step, shows the
// board before it with its cell marked, and selects that line in the log view too.
TEST(TipWidget, FehlerSuchenGoesBackToTheLastBoardThatCanBeFinished) {
    test::MainWindowFixture f;
    f.ShowLog();
    test::SetRows(f.form.Matrix, test::kHard);  // row 0: 4 . . . . . 8 . 5
    f.form.AddLog("Geöffnet");
    QAction* search = f.Action("mSuDoKu_FehlerSuchen");
    f.Click(0, 1);
    f.Type({Qt::Key_1});  // right: the solution has 1 there
    f.Click(0, 5);
    f.Type({Qt::Key_4});  // refused
    search->trigger();
    EXPECT_EQ(f.LogMessages().back(), "Fehler suchen... Kein Fehler: Das SuDoKu ist noch lösbar.");
    const std::string lastGood(f.form.mySnapshots[3]);
    f.Click(0, 2);
    f.Type({Qt::Key_9});  // wrong (the solution has 7), but it keeps the rules
    f.Click(0, 5);
    f.Type({Qt::Key_4});  // refused
    f.Click(0, 3);
    f.Type({Qt::Key_3});
    search->trigger();
    f.Settle();
    const std::vector<std::string> log = f.LogMessages();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "Fehler suchen...");
    EXPECT_EQ(log.back(), "Fehler suchen: Falsch war die 9 in Zeile 1, Spalte 3 (Logeintrag „" +
                              f.mp.clock.timeOfDay + " Eingabe ok.“).");
    EXPECT_EQ(f.form.List1.listIndex, 3);
    EXPECT_EQ(f.Log().currentIndex().row(), 3);
    EXPECT_EQ(GetSuDoKuString(f.form.Matrix), lastGood);
    EXPECT_EQ(f.form.Matrix.Background(0, 2), kSelectionColour);
}

}  // namespace
}  // namespace zw
