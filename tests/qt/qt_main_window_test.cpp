// The main window's own part: keys, clicks, the log list and the grid's picture as a user meets
// them. What the commands do is the core's, tested over the in-memory platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "board/board_string.h"
#include "qt/qt_shell.h"
#include "support/main_window_fixture.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::MainWindowFixture;

std::string Row0(const MainWindowFixture& f) {
    return f.form.Matrix.Text(0, 0) + "|" + f.form.Matrix.Text(0, 1) + "|" + f.form.Matrix.Text(0, 2);
}

// Only a key press that types a digit is key entry; Alt, Ctrl and Meta make it a command.
TEST(MainWindow, OnlyKeysThatTypeADigitReachTheCell) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* cell;
    } cases[] = {
        {Qt::Key_6, Qt::AltModifier, "9"},        {Qt::Key_6, Qt::ControlModifier, "9"},
        {Qt::Key_6, Qt::MetaModifier, "9"},       {Qt::Key_6, Qt::AltModifier | Qt::ShiftModifier, "9"},
        {Qt::Key_6, Qt::ShiftModifier, "6"},      {Qt::Key_6, Qt::KeypadModifier, "6"},
        {Qt::Key_0, {}, "9"},                     {Qt::Key_A, {}, "9"},
        {Qt::Key_Delete, {}, "9"},                {Qt::Key_Backspace, Qt::AltModifier, "9"},
        {Qt::Key_Backspace, {}, ""},
    };
    for (const auto& c : cases) {
        MainWindowFixture f;
        f.form.Matrix.SetText(0, 0, "9");
        QTest::keyClick(&f.Grid(), c.key, c.modifiers);
        f.Settle();
        EXPECT_EQ(f.form.Matrix.Text(0, 0), c.cell) << c.key << " " << c.modifiers;
        // A typed digit and a deleted one are logged.
        EXPECT_EQ(f.form.List1.ListCount(), c.cell == std::string("9") ? 0u : 1u) << c.key;
    }
}

// Help opens owned by the main window (on Windows, the viewer's parent window).
TEST(MainWindow, HelpIsOwnedByTheMainWindow) {
    MainWindowFixture f;
    QTemporaryDir dir;  // removed with the test
    std::ofstream(dir.filePath(QStringLiteral("Help.pdf")).toStdString()) << "%PDF-1.4\n";
    f.mp.platform.program.directory = dir.path().toStdString();
    f.Action("mHelpHelp")->trigger();
    ASSERT_NE(static_cast<std::uintptr_t>(f.window->winId()), 0u);
    EXPECT_EQ(f.mp.shell.owners, std::vector<std::uintptr_t>{static_cast<std::uintptr_t>(f.window->winId())});
}

// Where the desktop knows no viewer for PDF files, the shell says so instead of starting a
// launcher that fails out of sight.
TEST(QtShell, RefusesADocumentWithoutAViewer) {
    QTemporaryDir dir;
    const QString tool = dir.filePath(QStringLiteral("xdg-mime"));
    std::ofstream(tool.toStdString()) << "#!/bin/sh\nexit 0\n";  // no default application
    std::filesystem::permissions(tool.toStdString(), std::filesystem::perms::owner_all);
    const QString pdf = dir.filePath(QStringLiteral("Help.pdf"));
    std::ofstream(pdf.toStdString()) << "%PDF-1.4\n";
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit() + ":" + path);
    const bool opened = QtShell().OpenDocument(pdf.toStdString(), "", 0);
    qputenv("PATH", path);
    EXPECT_FALSE(opened);
}

// A click on a line restores its board, the line already selected included: the refused digit
// of "Eingabe nicht möglich", the board before "Alles löschen".
TEST(MainWindow, ClickingALineRestoresItsBoardEvenWhenItIsAlreadySelected) {
    MainWindowFixture f;
    f.ShowLog();
    f.Type({Qt::Key_7, Qt::Key_Right, Qt::Key_7});
    EXPECT_EQ(f.LogMessages().back(), "Eingabe nicht möglich (Regelbruch).");
    f.Action("mEditKillAll")->trigger();
    f.ClickLogRow(2);
    EXPECT_EQ(Row0(f), "7||");
    f.ClickLogRow(1);
    ClearBoard(f.form.Matrix);
    f.ClickLogRow(1);
    EXPECT_EQ(Row0(f), "7|7|");
    QTest::keyClick(&f.Log(), Qt::Key_Down);  // the arrow keys select too
    f.Settle();
    EXPECT_EQ(Row0(f), "7||");

    f.Grid().setFocus();
    f.Type({Qt::Key_Down, Qt::Key_9});  // a new line goes to the end and is the one selected
    // The core's own selection of the new line restores nothing: it would write the snapshot
    // back over this candidate string.
    f.form.Matrix.SetText(4, 4, "12");
    f.Settle();
    EXPECT_EQ(f.form.Matrix.Text(4, 4), "12");
    EXPECT_EQ(f.Log().currentIndex().row(), 3);
    // Enter and Space restore the current line and show it selected.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        ClearBoard(f.form.Matrix);
        f.Log().clearSelection();
        QTest::keyClick(&f.Log(), key);
        EXPECT_EQ(f.form.Matrix.Text(1, 1), "9") << key;
        EXPECT_TRUE(f.Log().selectionModel()->isRowSelected(3)) << key;
    }
}

// Undo and Redo reach the core from the grid by their keys, and the log shows the line chosen.
TEST(MainWindow, UndoAndRedoKeysStepThroughTheLog) {
    MainWindowFixture f;
    f.Type({Qt::Key_7, Qt::Key_Right, Qt::Key_8});
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const char* cell) {
        QTest::keyClick(&f.Grid(), key, modifiers);
        EXPECT_EQ(f.form.Matrix.Text(0, 1), cell) << key << " " << modifiers;
    };
    press(Qt::Key_Z, Qt::ControlModifier, "");
    press(Qt::Key_Y, Qt::ControlModifier, "8");
    press(Qt::Key_Z, Qt::ControlModifier, "");
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "8");
    f.Settle();
    EXPECT_EQ(f.Log().currentIndex().row(), 1);
}

// Clicks pick the cell, Ctrl marks the digit's places, and the grid paints the shaded boxes.
TEST(MainWindow, ClicksReachTheCoreAndTheGridPaintsItsColours) {
    MainWindowFixture f;
    test::SetRows(f.form.Matrix, "4.........4.............5");  // (0, 0), (1, 1), (2, 6)
    f.Click(1, 1);
    EXPECT_EQ(f.form.Matrix.Row() * 10 + f.form.Matrix.Col(), 11);
    f.Click(1, 1, Qt::ControlModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 6), kMarkGrey);
    const double cell = (f.Grid().width() - 1) / 9.0;  // an edge box is shaded
    EXPECT_EQ(f.Grid().grab().toImage().pixelColor(static_cast<int>(3.3 * cell), 10),
              QColor(224, 224, 255));
    // Shift with the arrows selects a range; digits still go to the current cell only.
    f.Click(8, 8);
    QTest::keyClick(&f.Grid(), Qt::Key_Up, Qt::ShiftModifier);
    f.Type({Qt::Key_6});
    EXPECT_EQ(f.form.Matrix.Text(8, 8), "6");
    EXPECT_EQ(f.form.Matrix.Text(7, 8), "");
}

// With the log hidden, the line under the grid shows what the last command said.
TEST(MainWindow, TheStatusLineShowsTheNewestLogLine) {
    MainWindowFixture f;
    auto* status = f.window->findChild<QLabel*>(QStringLiteral("StatusLine"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QString());
    f.Type({Qt::Key_7, Qt::Key_Right, Qt::Key_7});
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text().toStdString(),
              f.mp.clock.timeOfDay + " Eingabe nicht möglich (Regelbruch).");
    EXPECT_GE(status->y(), f.Grid().geometry().bottom());
}

// The design size is the smallest; a larger window gets a larger grid, which stays square and
// keeps the status line under it, and the log shown beside it takes the rest of the width.
TEST(MainWindow, TheGridGrowsWithTheWindowAndTheLogTakesTheRest) {
    MainWindowFixture f;
    const QSize smallest = f.window->size();
    const int side = f.Grid().width();
    EXPECT_EQ(f.window->minimumSize(), smallest);
    EXPECT_EQ(side, f.window->Px(kGridOuterSize));
    f.window->resize(smallest + QSize(400, 200));
    f.Settle();
    EXPECT_EQ(f.Grid().width(), side + 200);
    EXPECT_EQ(f.Grid().height(), side + 200);
    auto* status = f.window->findChild<QLabel*>(QStringLiteral("StatusLine"));
    EXPECT_GT(status->y(), f.Grid().geometry().bottom());
    EXPECT_LE(status->geometry().bottom(), f.window->centralWidget()->height());
    f.ShowLog();
    EXPECT_EQ(f.Grid().width(), side + 200);  // the window grew by the log
    const int logRight = f.Log().geometry().right();
    f.window->resize(f.window->size() + QSize(300, 0));
    f.Settle();
    EXPECT_EQ(f.Grid().width(), side + 200);
    EXPECT_EQ(f.Log().geometry().right(), logRight + 300);
    EXPECT_GE(f.window->minimumWidth(), f.window->Px(kOuterWidthLogShown) - 20);
    f.window->resize(100, 100);
    f.Settle();
    EXPECT_EQ(f.Grid().width(), side);
}

// A main window whose test can mark a long command as running.
class RunningForm : public frmMain {
public:
    using frmMain::BusyScope;
    using frmMain::frmMain;
};

TEST(MainWindow, ALongCommandDisablesTheOtherLongCommandsAndDefersAClose) {
    MemoryPlatform mp;
    RunningForm form(mp.platform);
    MainWindow window(form);
    form.Form_Load();
    window.show();
    for (const char* digit : {"1", "2"}) {
        form.Matrix.SetText(0, 0, digit);
        form.AddLog("Eingabe ok.");
    }
    form.Label4_Click();
    MainWindowFixture::Settle();
    LogView& log = window.Log();
    auto action = [&](const char* name) { return window.findChild<QAction*>(name); };
    {
        RunningForm::BusyScope run(form);
        // The user's selection of an old line is ignored and the list goes back to the core's.
        log.setCurrentIndex(log.model()->index(0, 0));
        MainWindowFixture::Settle();
        EXPECT_EQ(form.Matrix.Text(0, 0), "2");
        EXPECT_EQ(log.currentIndex().row(), 1);
        for (const char* name :
             {"mSuDoKu_Loesen", "mSuDoKuSearchAll", "mSuDoKu_Generate", "mSuDoKuNewHeft",
              "mFileOpen", "mFileNew", "mFileSave", "mFileSaveAs", "mEditPaste", "mEditCut",
              "mEditKillAll", "mSuDoKu_Statistik", "mPrint", "mEditUndo", "mEditRedo",
              "mSuDoKu_Schwierigkeit"})
            EXPECT_FALSE(action(name)->isEnabled()) << name;
        for (const char* name : {"mSuDoKuBeak", "mEditCopy", "mAbout", "mHelpHelp", "mFileExit"})
            EXPECT_TRUE(action(name)->isEnabled()) << name;
        action("mSuDoKuBeak")->trigger();
        EXPECT_TRUE(form.gCancel);
        form.gCancel = false;
        EXPECT_FALSE(window.close());  // cancels the run instead
        EXPECT_TRUE(form.gCancel);
        EXPECT_TRUE(mp.messages.shown.empty());
    }
    // Once the run has unwound, the save question comes and the program ends.
    EXPECT_EQ(mp.messages.shown.size(), 1u);
    EXPECT_EQ(mp.app.quits, 1);
    EXPECT_TRUE(action("mSuDoKu_Loesen")->isEnabled());
}

}  // namespace
}  // namespace zw
