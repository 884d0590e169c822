#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "board/board_string.h"
#include "qt/qt_message_boxes.h"
#include "qt/twips.h"
#include "support/main_window_fixture.h"

namespace zw {
namespace {

using test::MainWindowFixture;

struct Item {
    const char* name;
    const char* caption;  // "" for a separator
    const char* shortcut;
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<Item> items;
};

const std::vector<Menu> kExpectedMenus = {
    {"mFile",
     "&Datei",
     {{"mPrint", "&Drucken", "Ctrl+P"},
      {"mFileNew", "&Neu", "Ctrl+N"},
      {"mFileOpen", "&Öffnen...", "Ctrl+O"},
      {"mFileSave", "&Speichern", "Ctrl+S"},
      {"mFileSaveAs", "&Speichern unter...", "F12"},
      {"m1", "", ""},
      {"mFileExit", "B&eenden", ""}}},
    {"mEdit",
     "&Bearbeiten",
     {{"mEditCopy", "&Kopieren", "Ctrl+C"},
      {"mEditCut", "&Ausschneiden", "Ctrl+X"},
      {"mEditPaste", "&Einfügen", "Ctrl+V"},
      {"mEditKillAll", "&Alles löschen", ""}}},
    {"mSuDoKu",
     "&SuDoKu",
     {{"mSuDoKu_Statistik", "&Statistik", "Ctrl+I"},
      {"mSuDoKu_Loesen", "&Lösen", "Ctrl+L"},
      {"mSuDoKuSearchAll", "&Alle Lösungen suchen", "Ctrl+D"},
      {"mSuDoKu_Generate", "&Generieren", "Ctrl+G"},
      {"mSuDoKuNewHeft", "&Heft erstellen", "Ctrl+H"},
      {"mS1", "", ""},
      {"mSuDoKuBeak", "A&bbrechen", ""}}},
    {"mHelp", "&?", {{"mHelpHelp", "Hilfe", "F1"}, {"mAbout", "Info", ""}}},
};

TEST(MainWindow, MenusHaveEveryItemInOrderWithCaptionsShortcutsAndNames) {
    MainWindowFixture f;
    const QList<QAction*> bar = f.window->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(kExpectedMenus.size()));
    for (std::size_t m = 0; m < kExpectedMenus.size(); ++m) {
        const Menu& expected = kExpectedMenus[m];
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName().toStdString(), expected.name);
        EXPECT_EQ(menu->title().toStdString(), expected.caption);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.items.size())) << expected.name;
        for (std::size_t i = 0; i < expected.items.size(); ++i) {
            const Item& item = expected.items[i];
            QAction* action = items[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->objectName().toStdString(), item.name);
            EXPECT_EQ(action->isSeparator(), *item.caption == '\0') << item.name;
            EXPECT_EQ(action->text().toStdString(), item.caption) << item.name;
            EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(item.shortcut)))
                << item.name;
            EXPECT_TRUE(action->isEnabled() && action->isVisible()) << item.name;
        }
    }
}

TEST(MainWindow, MenuItemsRunTheirCommands) {
    MainWindowFixture f;
    f.form.Matrix.SetText(0, 0, "5");
    f.Action("mSuDoKu_Statistik")->trigger();
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Statistik errechnen ..."});

    f.Action("mEditKillAll")->trigger();
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "");
    EXPECT_EQ(f.LogMessages().back(), "Gesamtes Zahlenfeld löschen.");

    // Exit asks to save the changed puzzle, then ends the program.
    f.mp.messages.answers = {MsgAnswer::No};
    f.Action("mFileExit")->trigger();
    EXPECT_EQ(f.mp.messages.shown.back().text, "Möchten Sie ihre Änderungen speichern?");
    EXPECT_EQ(f.mp.app.quits, 1);
}

TEST(MainWindow, StartsNarrowWithTheGridFocusedAndTheToggleWidensAndNarrows) {
    MainWindowFixture f;
    const double dpi = f.window->screen()->logicalDotsPerInchX();
    auto* label3 = f.window->findChild<QLabel*>(QStringLiteral("Label3"));
    auto* label4 = f.window->findChild<QLabel*>(QStringLiteral("Label4"));
    ASSERT_TRUE(label3 && label4);

    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("Zellwerk"));
    EXPECT_FALSE(f.window->windowIcon().isNull()) << "the icon comes from the compiled-in pictures";
    EXPECT_TRUE(f.Grid().hasFocus());
    EXPECT_EQ(label4->text(), QStringLiteral("Log einblenden"));
    EXPECT_FALSE(f.Log().isVisible());
    EXPECT_EQ(f.window->frameGeometry().width(), TwipsToPx(6825, dpi));
    EXPECT_EQ(f.window->minimumSize(), f.window->maximumSize());  // fixed size

    f.ShowLog();
    EXPECT_EQ(label4->text(), QStringLiteral("Log ausblenden"));
    EXPECT_TRUE(f.Log().isVisible() && label3->isVisible());
    EXPECT_EQ(f.window->frameGeometry().width(), TwipsToPx(12465, dpi));

    QTest::mouseClick(label4, Qt::LeftButton, {}, QPoint(5, 5));
    f.Settle();
    EXPECT_EQ(label4->text(), QStringLiteral("Log einblenden"));
    EXPECT_FALSE(f.Log().isVisible() || label3->isVisible());
    EXPECT_EQ(f.window->frameGeometry().width(), TwipsToPx(6825, dpi));
}

TEST(MainWindow, TypedDigitsReachTheCellAndTheLogAndARefusedDigitLeavesItEmpty) {
    MainWindowFixture f;
    f.ShowLog();
    f.Grid().setFocus();
    f.Type({Qt::Key_7});
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "7");
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Eingabe ok."});
    EXPECT_EQ(f.Log().model()->rowCount(), 1);

    // A "7" in the same row is refused; its line's snapshot still shows it.
    f.Type({Qt::Key_Right, Qt::Key_7});
    EXPECT_EQ(f.form.Matrix.Row(), 0);
    EXPECT_EQ(f.form.Matrix.Col(), 1);
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "");
    EXPECT_EQ(f.LogMessages().back(), "Eingabe nicht möglich (Regelbruch).");
    EXPECT_EQ(f.form.mySnapshots[1].substr(9, 1), "7");

    // Keys that type no digit change nothing; Backspace empties without a line.
    f.Type({Qt::Key_Left, Qt::Key_0, Qt::Key_A, Qt::Key_Delete, Qt::Key_F5});
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "7");
    f.Type({Qt::Key_Backspace});
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "");
    EXPECT_EQ(f.LogMessages().size(), 2u);
    EXPECT_EQ(f.Log().model()->rowCount(), 2);
    EXPECT_EQ(f.Log().currentIndex().row(), 1);
}

TEST(MainWindow, SelectingAnOldLineInTheListRestoresItsBoard) {
    MainWindowFixture f;
    f.ShowLog();
    f.Type({Qt::Key_1, Qt::Key_Right, Qt::Key_2, Qt::Key_Right, Qt::Key_3});
    ASSERT_EQ(f.Log().model()->rowCount(), 3);
    ASSERT_EQ(f.Log().currentIndex().row(), 2);

    f.ClickLogRow(0);
    EXPECT_EQ(f.form.List1.listIndex, 0);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "1");
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "");

    // The arrow keys in the list select too.
    QTest::keyClick(&f.Log(), Qt::Key_Down);
    f.Settle();
    EXPECT_EQ(f.form.List1.listIndex, 1);
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "2");
    EXPECT_EQ(f.form.Matrix.Text(0, 2), "");

    // A new line goes to the end and is the one shown selected.
    f.Grid().setFocus();
    f.Type({Qt::Key_Down, Qt::Key_9});
    EXPECT_EQ(f.Log().model()->rowCount(), 4);
    EXPECT_EQ(f.Log().currentIndex().row(), 3);
    EXPECT_EQ(f.form.Matrix.Text(1, 2), "9");
}

TEST(MainWindow, ClickingTheLineThatIsAlreadySelectedRestoresItsBoard) {
    MainWindowFixture f;
    f.ShowLog();
    f.Type({Qt::Key_7, Qt::Key_Right, Qt::Key_7});
    ASSERT_EQ(f.LogMessages().back(), "Eingabe nicht möglich (Regelbruch).");
    ASSERT_EQ(f.Log().currentIndex().row(), 1);
    ASSERT_EQ(f.form.Matrix.Text(0, 1), "");
    f.ClickLogRow(1);
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "7") << "the refused digit";

    f.Action("mEditKillAll")->trigger();
    f.Settle();
    ASSERT_EQ(f.Log().currentIndex().row(), 2);
    ASSERT_EQ(f.form.Matrix.Text(0, 0), "");
    f.ClickLogRow(2);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "7");
    EXPECT_EQ(f.form.Matrix.Text(0, 1), "7");

    // Enter and Space in the list restore the current line too.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        ClearBoard(f.form.Matrix);
        f.Log().clearSelection();
        QTest::keyClick(&f.Log(), key);
        EXPECT_EQ(f.form.Matrix.Text(0, 0), "7") << key;
        EXPECT_TRUE(f.Log().selectionModel()->isRowSelected(2)) << key;
    }
    EXPECT_EQ(f.Log().model()->rowCount(), 3);
}

TEST(MainWindow, OnlyDigitsTypedWithoutAltCtrlOrMetaReachTheCell) {
    const struct {
        Qt::KeyboardModifiers modifiers;
        bool written;
    } cases[] = {
        {Qt::AltModifier, false},  {Qt::ControlModifier, false},
        {Qt::MetaModifier, false}, {Qt::AltModifier | Qt::ShiftModifier, false},
        {Qt::ShiftModifier, true}, {Qt::KeypadModifier, true},
    };
    for (const auto& c : cases) {
        MainWindowFixture f;
        QTest::keyClick(&f.Grid(), Qt::Key_6, c.modifiers);
        f.Settle();
        EXPECT_EQ(f.form.Matrix.Text(0, 0), c.written ? "6" : "") << c.modifiers;
        EXPECT_EQ(f.LogMessages().size(), c.written ? 1u : 0u) << c.modifiers;
    }
    // Backspace with Alt is no Backspace either.
    MainWindowFixture f;
    f.Type({Qt::Key_6});
    QTest::keyClick(&f.Grid(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "6");
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

TEST(MainWindow, EveryLogLineIsShownWholeWhateverTheLastLine) {
    MainWindowFixture f;
    f.ShowLog();
    const std::string longest =
        "Lösen fertig (7185336 Lösungen in 12,87005 Sekunden); weitere Lösungen werden gezählt.";
    f.form.AddLog("Eingabe ok.");
    f.form.AddLog(longest);
    f.form.AddLog("Abbruch");
    f.Settle();
    const QModelIndex row = f.Log().model()->index(1, 0);
    const QString text = row.data().toString();
    ASSERT_TRUE(text.endsWith(QString::fromStdString(longest)));
    EXPECT_GE(f.Log().visualRect(row).width(), f.Log().fontMetrics().horizontalAdvance(text));
}

TEST(MainWindow, TheCoresSelectionOfANewLineDoesNotRestoreTwice) {
    MainWindowFixture f;
    f.ShowLog();
    f.Type({Qt::Key_5});
    // A user selection would write the snapshot back over this candidate string.
    f.form.Matrix.SetText(4, 4, "12");
    f.Settle();
    EXPECT_EQ(f.form.Matrix.Text(4, 4), "12");
}

TEST(MainWindow, ClickMovesTheCurrentCellBeforeCtrlClickMarking) {
    MainWindowFixture f;
    std::string board(81, ' ');
    board[0] = board[10] = '4';  // (0, 0) and (1, 1)
    board[21] = '5';             // (3, 2)
    SetSuDoKuString(f.form.Matrix, board);
    f.Click(1, 1);  // the second "4": row 1, column 1
    EXPECT_EQ(f.form.Matrix.Row(), 1);
    EXPECT_EQ(f.form.Matrix.Col(), 1);
    EXPECT_EQ(f.form.Matrix.TextColour(3, 2), kDefaultTextColour);  // a plain click marks nothing

    f.Click(1, 1, Qt::ControlModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(0, 0), kDefaultTextColour);
    EXPECT_EQ(f.form.Matrix.TextColour(3, 2), kMarkGrey);
    EXPECT_EQ(f.form.Matrix.TextColour(8, 8), kMarkGrey);

    f.Click(8, 8, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(3, 2), kMarkGrey);
    f.Click(8, 8, Qt::ControlModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(3, 2), kDefaultTextColour);
}

TEST(MainWindow, ShiftArrowsAndDraggingSelectARangeWhileTheCurrentCellStays) {
    MainWindowFixture f;
    f.Click(2, 2);
    f.Type({Qt::Key_Right, Qt::Key_Down});
    EXPECT_EQ(f.form.Matrix.Row(), 3);
    EXPECT_EQ(f.form.Matrix.Col(), 3);
    QTest::keyClick(&f.Grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&f.Grid(), Qt::Key_Down, Qt::ShiftModifier);
    const GridSelection s = f.Grid().Selection();
    EXPECT_TRUE(s.Contains(4, 4) && s.Contains(3, 3) && !s.Contains(5, 5));
    EXPECT_EQ(f.form.Matrix.Row(), 3);

    // Digits still go to the current cell only.
    f.Type({Qt::Key_6});
    EXPECT_EQ(f.form.Matrix.Text(3, 3), "6");
    EXPECT_EQ(f.form.Matrix.Text(4, 4), "");

    f.Type({Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up});  // stops at the edge
    EXPECT_EQ(f.form.Matrix.Row(), 0);
    EXPECT_TRUE(f.Grid().Selection().SingleCell());
}

TEST(MainWindow, CloseAsksToSaveAfterChangesAndClosesAtOnceWhenNothingChanged) {
    {
        MainWindowFixture f;
        EXPECT_TRUE(f.window->close());
        EXPECT_TRUE(f.mp.messages.shown.empty());
    }
    MainWindowFixture f;
    f.Type({Qt::Key_3});
    f.mp.messages.answers = {MsgAnswer::No};
    EXPECT_TRUE(f.window->close());
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].buttons, MsgButtons::YesNo);
}

// The save question has no Cancel: Escape or the close box must not answer "Nein" and drop
// the changes.
TEST(QtMessageBoxes, AYesNoQuestionIsAnsweredOnlyByItsButtons) {
    QtMessageBoxes boxes;
    bool openAfterEscape = false, openAfterClose = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::qWait(300);  // a button's keyboard click is animated
        openAfterEscape = box->isVisible();
        box->close();
        openAfterClose = box->isVisible();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Ja"))
                button->click();
    });
    EXPECT_EQ(
        boxes.Show("Möchten Sie ihre Änderungen speichern?", MsgButtons::YesNo, MsgIcon::Question),
        MsgAnswer::Yes);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(openAfterClose);
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
    form.Matrix.SetText(0, 0, "1");
    form.AddLog("Eingabe ok.");
    form.Matrix.SetText(0, 0, "2");
    form.AddLog("Eingabe ok.");
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
        EXPECT_EQ(mp.app.quits, 0);
    }
    // Once the run has unwound, the save question comes and the program ends.
    EXPECT_EQ(mp.messages.shown.size(), 1u);
    EXPECT_EQ(mp.app.quits, 1);
    EXPECT_TRUE(window.findChild<QAction*>("mSuDoKu_Loesen")->isEnabled());
    EXPECT_TRUE(window.close());
}

}  // namespace
}  // namespace zw
