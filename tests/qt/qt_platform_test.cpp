// The Qt implementations of the platform interfaces.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/memory_platform.h"
#include "qt/log_model.h"
#include "qt/qt_clock.h"
#include "qt/qt_event_pump.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_wait_window.h"

namespace zw {
namespace {

// Presses the button with the text `press` in the box that shows next; notes what it showed.
struct BoxReader {
    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    void PressSoon(const QString& press) {
        QTimer::singleShot(0, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle(), text = box->text(), icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == press)
                    b->click();
        });
    }
};

TEST(QtMessageBoxes, CaptionSuDokuGermanButtonsAndTheAnswerClicked) {
    const struct {
        MsgButtons buttons;
        MsgIcon icon;
        const char* press;
        MsgAnswer answer;
        QMessageBox::Icon shownIcon;
    } cases[] = {
        {MsgButtons::YesNo, MsgIcon::Question, "Nein", MsgAnswer::No, QMessageBox::Question},
        {MsgButtons::YesNo, MsgIcon::Question, "Ja", MsgAnswer::Yes, QMessageBox::Question},
        {MsgButtons::Ok, MsgIcon::Information, "OK", MsgAnswer::Ok, QMessageBox::Information},
    };
    QtMessageBoxes boxes;
    for (const auto& c : cases) {
        BoxReader reader;
        reader.PressSoon(QString::fromUtf8(c.press));
        EXPECT_EQ(boxes.Show("Möchten Sie ihre Änderungen speichern?", c.buttons, c.icon), c.answer);
        EXPECT_EQ(reader.title, QStringLiteral("SuDoku"));
        EXPECT_EQ(reader.text, QStringLiteral("Möchten Sie ihre Änderungen speichern?"));
        EXPECT_EQ(reader.icon, c.shownIcon);
        reader.buttons.sort();
        const QStringList expected = c.buttons == MsgButtons::Ok
                                         ? QStringList{QStringLiteral("OK")}
                                         : QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")};
        EXPECT_EQ(reader.buttons, expected);
    }
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
    EXPECT_EQ(boxes.Show("?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::Yes);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(openAfterClose);
}

TEST(QtEventPump, PumpsAtMostOncePerTimeSlice) {
    QtEventPump::TimePoint now{std::chrono::hours(1)};
    QtEventPump pump([&] { return now; });
    int flushes = 0, timers = 0;
    pump.SetBeforePump([&] { ++flushes; });
    const struct {
        int advanceMs, flushes;
    } steps[] = {{0, 1}, {0, 1}, {14, 1}, {1, 2}, {5, 2}, {100, 3}};
    for (const auto& step : steps) {
        now += std::chrono::milliseconds(step.advanceMs);
        QTimer::singleShot(0, [&] { ++timers; });
        pump.DoEvents();
        EXPECT_EQ(flushes, step.flushes) << "after " << step.advanceMs << " ms";
        EXPECT_EQ(timers, step.flushes) << "Qt's events run only when the hook does";
        QCoreApplication::processEvents();  // the pending timer, to count the next one alone
        timers = flushes;
    }
}

TEST(QtClock, GermanTimesDatesAndNumbers) {
    QtClock clock(QLocale(QLocale::German, QLocale::Germany));
    const std::string now = clock.TimeOfDayText();
    ASSERT_EQ(now.size(), 8u) << now;
    EXPECT_EQ(now.substr(2, 1) + now.substr(5, 1), "::");
    EXPECT_EQ(clock.ShortDateText(),
              QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString());
    // Other locales keep their own order and separators, with seconds and the whole year.
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_TRUE(QtClock::TimeFormatWithSeconds(us).contains(QStringLiteral("mm:ss")));
    EXPECT_TRUE(QtClock::DateFormatWithFullYear(us).contains(QStringLiteral("yyyy")));
    EXPECT_EQ(clock.FormatNumber(0.01234, 7), "0,01234");
    EXPECT_EQ(clock.FormatNumber(2.0, 7), "2");
    EXPECT_EQ(clock.FormatNumber(1.0 / 3.0, 7), "0,3333333");
    EXPECT_EQ(QtClock(us).FormatNumber(0.01234, 7), "0.01234");
}

TEST(QtWaitWindow, CancelSetsTheFlagAndHidesAndAReloadStartsAfresh) {
    bool cancel = false;
    QWidget owner;
    QtWaitWindow wait;
    wait.Attach(cancel, &owner);
    wait.Show();
    auto title = [&] { return wait.Window()->findChild<QLabel*>(QStringLiteral("Title"))->text(); };
    EXPECT_EQ(title(), QStringLiteral("SuDoKu wird erstellt ..."));
    wait.SetTitle("Heft: 2 von 3");
    EXPECT_EQ(title(), QStringLiteral("Heft: 2 von 3"));
    wait.Window()->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(wait.Window()->isVisible());

    cancel = false;
    wait.Show();
    QTest::keyClick(wait.Window(), Qt::Key_Escape);
    EXPECT_TRUE(cancel);
    wait.Close();
    wait.Show();
    EXPECT_EQ(title(), QStringLiteral("SuDoKu wird erstellt ..."));
    wait.Close();
}

TEST(LogModel, AnnouncesManyAppendsAsOneInsertionAndFollowsAReplacedList) {
    MemoryPlatform mp;
    frmMain form{mp.platform};
    form.Form_Load();
    LogModel model{form.List1};
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 1000; ++i) {
        form.AddLog("Gesamtes Zahlenfeld löschen.");
        model.NoteAppended();
    }
    EXPECT_EQ(model.rowCount(), 0) << "nothing announced before the flush";
    QCoreApplication::processEvents();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][2].toInt(), 999);
    EXPECT_EQ(model.data(model.index(999), Qt::DisplayRole).toString(),
              QStringLiteral("14:03:27\tGesamtes Zahlenfeld löschen."));
    form.List1.lines.Clear();
    form.List1.lines.Append("12:00:00\tEingabe ok.");
    model.Reset();
    EXPECT_EQ(model.rowCount(), 1);
    form.List1.lines.Clear();  // shrunk without a reset: caught at the next flush
    model.Flush();
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace zw
