// The tip and Fehler suchen in the real window, through the real menu actions.
#include <gtest/gtest.h>

#include "board/board_string.h"
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
    EXPECT_EQ(f.LogMessages().back(), "Tipp: Die 2 gehört in Zeile 3, Spalte 5.");
    EXPECT_EQ(f.form.Matrix.Row(), 2);
    EXPECT_EQ(f.form.Matrix.Col(), 4);
    EXPECT_EQ(f.form.Matrix.Value(2, 4), kEmptyCell);  // the tip places nothing
    EXPECT_EQ(f.form.Matrix.Background(2, 4), kSelectionColour);
    f.Type({Qt::Key_2});
    EXPECT_EQ(f.form.Matrix.Value(2, 4), DigitBit(2));
    EXPECT_EQ(f.form.Matrix.Background(2, 4), kBoxShading);  // its own shading again
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
