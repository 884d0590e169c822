#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

TEST(AddLog, LineSnapshotSelectionAndUnsaved) {
    FormFixture f;
    EXPECT_TRUE(f.form.mySaved);
    f.form.Matrix.SetText(0, 0, "5");
    const long long pumpsBefore = f.mp.events.calls;
    f.form.AddLog("Eingabe ok.");
    EXPECT_FALSE(f.form.mySaved);
    ASSERT_EQ(f.form.List1.ListCount(), 1u);
    EXPECT_EQ(f.form.List1.lines[0], "14:03:27\tEingabe ok.");
    EXPECT_EQ(f.form.mySnapshots[0], "5" + std::string(80, ' '));
    EXPECT_EQ(f.form.List1.listIndex, 0);
    EXPECT_EQ(f.mp.events.calls, pumpsBefore + 1);
}

TEST(AddLog, WritesTheSnapshotBackClearingNonDigits) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "245");
    f.form.Matrix.SetText(0, 1, "x");
    f.form.Matrix.SetText(0, 2, "0");
    f.form.Matrix.SetText(0, 3, "7");
    f.form.AddLog("Statistik errechnen ...");
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "");
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "");
    EXPECT_EQ(f.form.Matrix.Text(0, 2), "0");
    EXPECT_EQ(f.form.Matrix.Text(0, 3), "7");
}

TEST(Log, SelectingAnOldLineRestoresItsBoardAndNewLinesAppendAtTheEnd) {
    FormFixture f;
    f.form.Matrix.SetCurrent(2, 2);
    f.form.Matrix_KeyPress('4');
    f.form.Matrix.SetCurrent(3, 3);
    f.form.Matrix_KeyPress('6');
    ASSERT_EQ(f.form.List1.ListCount(), 2u);

    f.form.SelectLogLine(0);
    EXPECT_EQ(f.form.Matrix.Text(2, 2), "4");
    EXPECT_EQ(f.form.Matrix.Text(3, 3), "");
    EXPECT_FALSE(f.form.mySaved);
    EXPECT_EQ(f.form.List1.ListCount(), 2u);

    f.form.Matrix.SetCurrent(8, 8);
    f.form.Matrix_KeyPress('1');
    ASSERT_EQ(f.form.List1.ListCount(), 3u);
    EXPECT_EQ(f.form.mySnapshots[2][80], '1');
    EXPECT_EQ(f.form.mySnapshots[2][3 * 9 + 3], ' ') << "appended to the restored board";
    EXPECT_EQ(f.form.List1.listIndex, 2);
}

TEST(Log, SelectingNothingOrAnOutOfStepLineChangesNothing) {
    FormFixture f;
    f.form.Matrix.SetText(1, 1, "3");
    f.form.List1_Click();  // no snapshots, no selection
    EXPECT_EQ(f.form.Matrix.Text(1, 1), "3");
    f.form.AddLog("a");
    f.form.List1.listIndex = 5;
    f.form.Matrix.SetText(1, 1, "8");
    f.form.List1_Click();
    EXPECT_EQ(f.form.Matrix.Text(1, 1), "8");
    f.form.SelectLogLine(7);
    EXPECT_EQ(f.form.Matrix.Text(1, 1), "8");
}

TEST(Log, ClearAllLogsTheBoardBeforeClearingIt) {
    FormFixture f;
    test::SetRows(f.form.Matrix, "123" + std::string(78, '.'));
    f.form.mEditKillAll_Click();
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 81);
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Gesamtes Zahlenfeld löschen."});
    f.form.SelectLogLine(0);
    EXPECT_EQ(f.form.Matrix.Text(0, 2), "3");
}

TEST(Log, ToggleShowsAndHidesTheLog) {
    FormFixture f;
    EXPECT_FALSE(f.form.List1.visible);
    EXPECT_EQ(f.form.Label4Caption(), "Log einblenden");
    EXPECT_EQ(f.form.OuterWidthTwips(), 6825);
    f.form.Label4_Click();
    EXPECT_TRUE(f.form.List1.visible);
    EXPECT_EQ(f.form.Label4Caption(), "Log ausblenden");
    EXPECT_EQ(f.form.OuterWidthTwips(), 12465);
    f.form.Label4_Click();
    EXPECT_EQ(f.form.Label4Caption(), "Log einblenden");
    EXPECT_EQ(f.form.OuterWidthTwips(), 6825);
}

TEST(Log, MoreThan32767LinesKeepTheirSnapshots) {
    FormFixture f;
    for (int i = 0; i < 40000; ++i) {
        f.form.Matrix.SetText(0, 0, i == 39999 ? "9" : "");
        f.form.AddLog("x");
    }
    EXPECT_EQ(f.form.List1.ListCount(), 40000u);
    EXPECT_EQ(f.form.List1.listIndex, 39999);
    f.form.SelectLogLine(39999);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "9");
    f.form.SelectLogLine(39998);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "");
}

}  // namespace
}  // namespace zw
