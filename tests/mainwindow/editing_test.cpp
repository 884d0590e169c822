#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

TEST(KeyEntry, AcceptedDigitIsLogged) {
    FormFixture f;
    f.form.Matrix.SetCurrent(4, 6);
    f.form.Matrix_KeyPress('7');
    EXPECT_EQ(f.form.Matrix.Text(4, 6), "7");
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Eingabe ok."});
    f.form.Matrix_KeyPress('7');  // the same digit again
    EXPECT_EQ(f.LogMessages().back(), "Eingabe ok.");
}

TEST(KeyEntry, RefusedDigitLeavesTheCellEmptyAndItsSnapshotShowsIt) {
    FormFixture f;
    f.form.Matrix.SetText(4, 0, "7");
    f.form.Matrix.SetText(4, 7, "3");
    f.form.Matrix.SetCurrent(4, 7);
    f.form.Matrix_KeyPress('7');
    EXPECT_EQ(f.form.Matrix.Text(4, 7), "") << "emptied, not the former 3";
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Eingabe nicht möglich (Regelbruch)."});
    f.form.SelectLogLine(0);
    EXPECT_EQ(f.form.Matrix.Text(4, 7), "7");
}

TEST(KeyEntry, ABrokenBoardAcceptsEveryDigit) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "2");
    f.form.Matrix.SetText(0, 1, "2");
    f.form.Matrix.SetCurrent(0, 2);
    f.form.Matrix_KeyPress('2');
    EXPECT_EQ(f.form.Matrix.Text(0, 2), "2");
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Eingabe ok."});
}

TEST(KeyEntry, BackspaceAndOtherKeys) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "6");
    for (int key : {int{'0'}, int{'a'}, int{' '}, int{'.'}, 127, 13, 0})
        f.form.Matrix_KeyPress(key);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "6");
    f.form.Matrix_KeyPress(8);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "");
    EXPECT_TRUE(f.form.List1.lines.Empty());
    EXPECT_TRUE(f.form.mySaved);
    f.form.Form_Unload();
    EXPECT_TRUE(f.mp.messages.shown.empty()) << "nothing logged, nothing to ask";
}

TEST(CtrlClick, MarksTheCellsOfOneDigit) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "4");
    f.form.Matrix.SetText(5, 5, "4");
    f.form.Matrix.SetText(1, 1, "45");
    f.form.Matrix.SetText(2, 2, "3");
    f.form.Matrix.SetCurrent(5, 5);

    f.form.Matrix_MouseDown(0);
    f.form.Matrix_MouseDown(2 | 1);
    f.form.Matrix_MouseDown(2 | 4);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 2), kDefaultTextColour);

    f.form.Matrix_MouseDown(2);
    EXPECT_EQ(f.form.Matrix.TextColour(0, 0), kDefaultTextColour);
    EXPECT_EQ(f.form.Matrix.TextColour(5, 5), kDefaultTextColour);
    EXPECT_EQ(f.form.Matrix.TextColour(1, 1), kMarkGrey);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 2), kMarkGrey);
    EXPECT_EQ(f.form.Matrix.TextColour(8, 8), kMarkGrey);
    EXPECT_EQ(f.form.Matrix.Background(0, 3), kBoxShading);
    EXPECT_EQ(f.form.Matrix.Row(), 5);
    EXPECT_EQ(f.form.Matrix.Col(), 5);

    f.form.Matrix.SetCurrent(8, 8);
    f.form.Matrix_MouseDown(2);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 2), kDefaultTextColour);
    EXPECT_EQ(f.form.Matrix.TextColour(1, 1), kDefaultTextColour);
}

TEST(Statistics, LogsThenReportsTheBoardAfterTheWriteBack) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "1");
    f.form.Matrix.SetText(0, 1, "x");  // emptied by the log line's write-back
    f.form.mSuDoKu_Statistik_Click();
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Statistik errechnen ..."});
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].text,
              "Statistik:\r\n\r\n - Es müssen noch 80 Zahlen eingetragen werden.\r\n"
              " - Die Regeln wurden korrekt beachtet.");
    EXPECT_EQ(f.mp.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_FALSE(f.form.mySaved);
}

}  // namespace
}  // namespace zw
