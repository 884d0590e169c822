#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

TEST(FormLoad, FreshStart) {
    MemoryPlatform mp;
    frmMain form(mp.platform);
    form.Matrix.SetCurrent(3, 3);
    form.Form_Load();
    EXPECT_TRUE(form.mySaved);
    EXPECT_EQ(mp.registration.calls, 1);
    EXPECT_EQ(form.Matrix.Row(), 0);
    EXPECT_EQ(form.Matrix.Background(0, 3), kBoxShading);
    EXPECT_EQ(CountOpenCells(form.Matrix), 81);
    EXPECT_FALSE(form.List1.visible);
    form.Form_Unload();
    EXPECT_TRUE(mp.messages.shown.empty());
    EXPECT_EQ(mp.app.quits, 1);
}

TEST(FormUnload, AsksToSaveAfterAnyLogLine) {
    test::FormFixture f;
    f.form.mSuDoKu_Statistik_Click();
    f.mp.messages.shown.clear();
    f.form.mFileExit_Click();
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].text, "Möchten Sie ihre Änderungen speichern?");
    EXPECT_EQ(f.mp.messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(f.mp.messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(f.mp.app.quits, 1);
    EXPECT_TRUE(f.form.Quitting());
    f.form.Form_Unload();  // the window's own close after Exit asks nothing more
    EXPECT_EQ(f.mp.messages.shown.size(), 1u);
}

TEST(FormUnload, AFailedOrCancelledSaveKeepsTheWindowOpen) {
    test::FormFixture f;
    f.form.myFileName = "/puzzles/a.sudoku";
    f.form.Matrix_KeyPress('5');
    f.mp.files.failWrites = true;
    f.mp.messages.answers = {MsgAnswer::Yes};
    f.form.Form_Unload();
    EXPECT_EQ(f.mp.app.quits, 0) << "quitting now would lose the puzzle";
    EXPECT_FALSE(f.form.mySaved);
    EXPECT_EQ(f.mp.messages.shown.size(), 2u) << "the question and the failure";

    f.form.myFileName.clear();
    f.mp.messages.answers = {MsgAnswer::Yes};
    f.form.Form_Unload();  // Save As comes up and is cancelled
    EXPECT_EQ(f.mp.fileDialog.shown.size(), 1u);
    EXPECT_EQ(f.mp.app.quits, 0) << "a cancelled save keeps the window open too";

    f.mp.messages.answers = {MsgAnswer::No};
    f.form.Form_Unload();
    EXPECT_EQ(f.mp.app.quits, 1) << "the user chose to drop the changes";
}

}  // namespace
}  // namespace zw
