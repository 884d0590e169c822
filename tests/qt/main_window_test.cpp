// The main window's own behaviour: keys, clicks and the log list as a user meets them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "board/board_string.h"
#include "qt/twips.h"
#include "support/main_window_fixture.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::MainWindowFixture;

std::string Row0(const MainWindowFixture& f) {
    return f.form.Matrix.Text(0, 0) + "|" + f.form.Matrix.Text(0, 1) + "|" + f.form.Matrix.Text(0, 2);
}

TEST(MainWindow, MenuItemsRunTheirCommands) {
    MainWindowFixture f;
    f.form.Matrix.SetText(0, 0, "5");
    f.Action("mSuDoKu_Statistik")->trigger();
    f.Action("mEditKillAll")->trigger();
    EXPECT_EQ(f.LogMessages(), (std::vector<std::string>{"Statistik errechnen ...",
                                                         "Gesamtes Zahlenfeld löschen."}));
    f.mp.messages.answers = {MsgAnswer::No};
    f.Action("mFileExit")->trigger();
    EXPECT_EQ(f.mp.messages.shown.back().text, "Möchten Sie ihre Änderungen speichern?");
    EXPECT_EQ(f.mp.app.quits, 1);
}

TEST(MainWindow, StartsNarrowWithTheGridFocusedAndTheToggleWidensAndNarrows) {
    MainWindowFixture f;
    const double dpi = f.window->screen()->logicalDotsPerInchX();
    auto* label4 = f.window->findChild<QLabel*>(QStringLiteral("Label4"));
    EXPECT_TRUE(f.Grid().hasFocus());
    EXPECT_FALSE(f.window->windowIcon().isNull());
    for (int round = 0; round < 3; ++round) {
        const bool shown = round == 1;
        EXPECT_EQ(label4->text(), shown ? QStringLiteral("Log ausblenden")
                                        : QStringLiteral("Log einblenden"));
        EXPECT_EQ(f.Log().isVisible(), shown);
        EXPECT_EQ(f.window->frameGeometry().width(), TwipsToPx(shown ? 12465 : 6825, dpi));
        QTest::mouseClick(label4, Qt::LeftButton, {}, QPoint(5, 5));
        f.Settle();
    }
}

TEST(MainWindow, TypedDigitsReachTheCurrentCellAndTheLog) {
    MainWindowFixture f;
    f.ShowLog();
    f.Type({Qt::Key_7, Qt::Key_Right, Qt::Key_7});  // the second one is refused
    EXPECT_EQ(f.form.Matrix.Col(), 1);
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "");
    EXPECT_EQ(f.LogMessages().back(), "Eingabe nicht möglich (Regelbruch).");
    // Keys that type no digit change nothing; Backspace empties without a line.
    f.Type({Qt::Key_Left, Qt::Key_0, Qt::Key_A, Qt::Key_Delete, Qt::Key_F5});
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "7");
    f.Type({Qt::Key_Backspace});
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "");
    EXPECT_EQ(f.Log().model()->rowCount(), 2);
    EXPECT_EQ(f.Log().currentIndex().row(), 1);
}

TEST(MainWindow, OnlyDigitsTypedWithoutAltCtrlOrMetaReachTheCell) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* cell;
    } cases[] = {
        {Qt::Key_6, Qt::AltModifier, "9"},        {Qt::Key_6, Qt::ControlModifier, "9"},
        {Qt::Key_6, Qt::MetaModifier, "9"},       {Qt::Key_6, Qt::AltModifier | Qt::ShiftModifier, "9"},
        {Qt::Key_6, Qt::ShiftModifier, "6"},      {Qt::Key_6, Qt::KeypadModifier, "6"},
        {Qt::Key_Backspace, Qt::AltModifier, "9"}, {Qt::Key_Backspace, {}, ""},
    };
    for (const auto& c : cases) {
        MainWindowFixture f;
        f.form.Matrix.SetText(0, 0, "9");
        QTest::keyClick(&f.Grid(), c.key, c.modifiers);
        f.Settle();
        EXPECT_EQ(f.form.Matrix.Text(0, 0), c.cell) << c.key << " " << c.modifiers;
    }
}

TEST(MainWindow, ClickingALineRestoresItsBoardEvenWhenItIsAlreadySelected) {
    MainWindowFixture f;
    f.ShowLog();
    f.Type({Qt::Key_7, Qt::Key_Right, Qt::Key_7, Qt::Key_Right, Qt::Key_3});
    ASSERT_EQ(f.Log().currentIndex().row(), 2);
    f.ClickLogRow(0);
    EXPECT_EQ(f.form.List1.listIndex, 0);
    EXPECT_EQ(Row0(f), "7||");
    QTest::keyClick(&f.Log(), Qt::Key_Down);  // the arrow keys select too
    f.Settle();
    EXPECT_EQ(Row0(f), "7|7|") << "the refused digit";

    f.Grid().setFocus();
    f.Type({Qt::Key_Down, Qt::Key_9});  // a new line goes to the end and is the one selected
    // The core's own selection of the new line restores nothing: it would write the snapshot
    // back over this candidate string.
    f.form.Matrix.SetText(4, 4, "12");
    f.Settle();
    EXPECT_EQ(f.form.Matrix.Text(4, 4), "12");
    EXPECT_EQ(f.Log().currentIndex().row(), 3);
    ClearBoard(f.form.Matrix);
    f.ClickLogRow(3);
    EXPECT_EQ(f.form.Matrix.Text(1, 2), "9");
    // Enter and Space restore the current line and show it selected.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        ClearBoard(f.form.Matrix);
        f.Log().clearSelection();
        QTest::keyClick(&f.Log(), key);
        EXPECT_EQ(f.form.Matrix.Text(1, 2), "9") << key;
        EXPECT_TRUE(f.Log().selectionModel()->isRowSelected(3)) << key;
    }
}

TEST(MainWindow, EveryLogLineIsShownWholeWhateverTheLastLine) {
    MainWindowFixture f;
    f.ShowLog();
    const std::string longest =
        "Lösen fertig (7185336 Lösungen in 12,87005 Sekunden); weitere Lösungen werden gezählt.";
    for (const std::string& line : {std::string("Eingabe ok."), longest, std::string("Abbruch")})
        f.form.AddLog(line);
    f.Settle();
    const QModelIndex row = f.Log().model()->index(1, 0);
    const QString text = row.data().toString();
    ASSERT_TRUE(text.endsWith(QString::fromStdString(longest)));
    EXPECT_GE(f.Log().visualRect(row).width(), f.Log().fontMetrics().horizontalAdvance(text));
}

TEST(MainWindow, ClicksMoveTheCurrentCellAndCtrlClickMarksTheDigitsPlaces) {
    MainWindowFixture f;
    test::SetRows(f.form.Matrix, "4.........4.............5");  // (0, 0), (1, 1), (2, 6)
    f.Click(1, 1);
    EXPECT_EQ(f.form.Matrix.Row() * 10 + f.form.Matrix.Col(), 11);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 6), kDefaultTextColour) << "a plain click marks nothing";
    f.Click(1, 1, Qt::ControlModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(0, 0), kDefaultTextColour);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 6), kMarkGrey);
    f.Click(8, 8, Qt::ControlModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 6), kDefaultTextColour);
    // Shift with the arrows selects a range; digits still go to the current cell only.
    QTest::keyClick(&f.Grid(), Qt::Key_Up, Qt::ShiftModifier);
    f.Type({Qt::Key_6});
    EXPECT_EQ(f.form.Matrix.Text(8, 8), "6");
    EXPECT_EQ(f.form.Matrix.Text(7, 8), "");
}

TEST(MainWindow, HelpOpensWithTheMainWindowAsOwner) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zw qt help owner";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "Help.pdf") << "%PDF-1.4\n";
    MainWindowFixture f;
    f.mp.platform.program.directory = dir.string();
    f.Action("mHelpHelp")->trigger();
    std::filesystem::remove_all(dir);
    ASSERT_EQ(f.mp.shell.owners.size(), 1u);
    EXPECT_EQ(f.mp.shell.owners[0], static_cast<std::uintptr_t>(f.window->winId()));
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
              "mEditKillAll", "mSuDoKu_Statistik", "mPrint"})
            EXPECT_FALSE(window.findChild<QAction*>(name)->isEnabled()) << name;
        for (const char* name : {"mSuDoKuBeak", "mEditCopy", "mAbout", "mHelpHelp", "mFileExit"})
            EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
        EXPECT_FALSE(window.close());  // cancels the run instead
        EXPECT_TRUE(form.gCancel);
        EXPECT_TRUE(mp.messages.shown.empty());
    }
    // Once the run has unwound, the save question comes and the program ends.
    EXPECT_EQ(mp.messages.shown.size(), 1u);
    EXPECT_EQ(mp.app.quits, 1);
    EXPECT_TRUE(window.findChild<QAction*>("mSuDoKu_Loesen")->isEnabled());
}

}  // namespace
}  // namespace zw
