// The log and its snapshots, typing and marking in the grid, start-up and closing.
#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

TEST(AddLog, TakesTheSnapshotBeforeWritingItBackWithoutNonDigits) {
    FormFixture f;
    EXPECT_TRUE(f.form.mySaved);
    f.form.Matrix.SetText(0, 0, "5");
    f.form.Matrix.SetText(0, 1, "245");
    f.form.Matrix.SetText(0, 2, "x");
    f.form.Matrix.SetText(0, 3, "0");
    const long long pumpsBefore = f.mp.events.calls;
    f.form.AddLog("Eingabe ok.");
    ASSERT_EQ(f.form.List1.ListCount(), 1u);
    EXPECT_EQ(f.form.List1.lines[0], "14:03:27\tEingabe ok.");
    EXPECT_EQ(f.form.mySnapshots[0], "5" + std::string(26, ' ') + "0" + std::string(53, ' '));
    EXPECT_EQ(test::CellTexts(f.form.Matrix).substr(0, 8), "5|||0|||");
    EXPECT_EQ(f.form.List1.listIndex, 0);
    EXPECT_EQ(f.mp.events.calls, pumpsBefore + 1);
    EXPECT_FALSE(f.form.mySaved);
}

TEST(KeyEntry, DigitsAreCheckedLoggedAndARefusedOneStaysInItsSnapshotOnly) {
    const struct {
        std::string rows;  // the board before a 7 is typed into (0, 1)
        std::string cell, message;
    } cases[] = {
        {"", "7", "Eingabe ok."},
        {".4", "7", "Eingabe ok."},
        {"7", "", "Eingabe nicht möglich (Regelbruch)."},
        {"7........5........5", "7", "Eingabe ok."},  // a broken board accepts every digit
    };
    for (const auto& c : cases) {
        FormFixture f;
        test::SetRows(f.form.Matrix, c.rows);
        f.form.Matrix.SetCurrent(0, 1);
        f.form.Matrix_KeyPress('7');
        EXPECT_EQ(f.form.Matrix.Text(0, 1), c.cell) << c.rows;
        EXPECT_EQ(f.LogMessages(), std::vector<std::string>{c.message}) << c.rows;
        EXPECT_EQ(f.form.mySnapshots[0][9], '7') << c.rows;
    }
}

TEST(Log, SelectingALineRestoresItsBoardAndNewLinesAppendAtTheEnd) {
    FormFixture f;
    f.form.Matrix.SetCurrent(2, 2);
    f.form.Matrix_KeyPress('4');
    f.form.Matrix.SetCurrent(3, 3);
    f.form.Matrix_KeyPress('6');
    f.form.SelectLogLine(0);
    EXPECT_EQ(f.form.Matrix.Text(2, 2), "4");
    EXPECT_EQ(f.form.Matrix.Text(3, 3), "");
    f.form.Matrix.SetCurrent(8, 8);
    f.form.Matrix_KeyPress('1');
    ASSERT_EQ(f.form.List1.ListCount(), 3u);
    EXPECT_EQ(f.form.mySnapshots[2][80], '1');
    EXPECT_EQ(f.form.mySnapshots[2][3 * 9 + 3], ' ') << "appended to the restored board";
    EXPECT_EQ(f.form.List1.listIndex, 2);

    // Nothing selected, or a selection out of step with the snapshots, changes nothing.
    f.form.Matrix.SetText(1, 1, "8");
    f.form.List1.listIndex = 5;
    f.form.List1_Click();
    f.form.SelectLogLine(7);
    EXPECT_EQ(f.form.Matrix.Text(1, 1), "8");
}

// Undo and Redo select the line before / after the selected one as a click does, passing over
// refused digits, and stop at either end.
TEST(Log, UndoAndRedoStepThroughTheLogPassingOverRefusedDigits) {
    FormFixture f;
    f.form.mEditUndo_Click();  // an empty log: nothing to do
    for (int col : {0, 1, 2}) {
        f.form.Matrix.SetCurrent(0, col);
        f.form.Matrix_KeyPress(col == 2 ? '5' : '4');  // the second 4 is refused
    }
    using Step = std::pair<void (frmMain::*)(), int>;  // a command and the line it selects
    for (auto [command, line] : {Step{&frmMain::mEditUndo_Click, 0}, {&frmMain::mEditUndo_Click, 0},
                                 {&frmMain::mEditRedo_Click, 2}, {&frmMain::mEditRedo_Click, 2}}) {
        (f.form.*command)();
        EXPECT_EQ(f.form.List1.listIndex, line);
        EXPECT_EQ(f.form.Matrix.Text(0, 2), line == 2 ? "5" : "");
    }
    EXPECT_EQ(f.form.List1.ListCount(), 3u) << "nothing is logged";
}

// The digit that fills the last open cell of a board that keeps the rules is noted once more.
TEST(KeyEntry, TheDigitThatSolvesThePuzzleSaysSo) {
    const std::string lastOpen = "." + std::string(test::kSolved.substr(1));
    const std::pair<std::string, char> cases[] = {
        {lastOpen, '1'}, {lastOpen, '9'}, {std::string(test::kSolved), '1'},  // none was open
        {".." + std::string(test::kSolved.substr(2)), '1'}};
    for (const auto& [rows, key] : cases) {
        FormFixture f;
        test::SetRows(f.form.Matrix, rows);
        f.form.Matrix_KeyPress(key);  // into (0, 0)
        const bool solved = rows == lastOpen && key == '1';
        ASSERT_EQ(f.LogMessages().size(), solved ? 2u : 1u) << rows << key;
        EXPECT_TRUE(!solved || (f.LogMessages()[1] == "SuDoKu gelöst!" &&
                                f.form.mySnapshots[1] == f.form.mySnapshots[0]));
    }
}

TEST(CtrlClick, MarksTheCellsThatCouldHoldTheCurrentDigit) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "4");
    f.form.Matrix.SetText(5, 5, "4");
    f.form.Matrix.SetText(1, 1, "45");
    f.form.Matrix.SetText(2, 2, "3");
    f.form.Matrix.SetCurrent(5, 5);
    f.form.Matrix_MouseDown(2 | 1);  // Ctrl with Shift marks nothing
    EXPECT_EQ(f.form.Matrix.TextColour(2, 2), kDefaultTextColour);

    f.form.Matrix_MouseDown(2);
    for (auto [r, c, grey] : {std::tuple{0, 0, false}, {5, 5, false}, {1, 1, true},
                              {2, 2, true}, {8, 8, true}})
        EXPECT_EQ(f.form.Matrix.TextColour(r, c) == kMarkGrey, grey) << r << c;
    f.form.Matrix.SetCurrent(8, 8);  // an empty cell clears the marks
    f.form.Matrix_MouseDown(2);
    EXPECT_EQ(f.form.Matrix.TextColour(1, 1), kDefaultTextColour);
}

TEST(FormLoad, FreshStartAndTheCommandLinesFile) {
    MemoryPlatform mp;
    mp.files.files["/p/a b.sudoku"] = "5" + std::string(80, ' ') + "z\r\n";
    mp.platform.program.commandLine = "\"/p/a b.sudoku\"";
    frmMain form(mp.platform);
    form.Form_Load();
    EXPECT_EQ(mp.registration.calls, 1);
    EXPECT_EQ(form.List1.ListCount(), 1u);
    EXPECT_EQ(form.Matrix.Text(0, 0), "5");
    EXPECT_TRUE(form.mySaved);
    form.Form_Unload();
    EXPECT_TRUE(mp.messages.shown.empty());
    EXPECT_EQ(mp.app.quits, 1);
}

}  // namespace
}  // namespace zw
