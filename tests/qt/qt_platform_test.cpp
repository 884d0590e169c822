// The Qt implementations of the platform interfaces.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "qt/qt_event_pump.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_wait_window.h"

namespace zw {
namespace {

// Caption "SuDoku", the icon asked for, German buttons; a Yes/No question has no Cancel, so Escape
// and the close box must not answer "Nein" and drop the changes.
TEST(QtMessageBoxes, OnlyAButtonAnswersAYesNoQuestion) {
    QtMessageBoxes boxes;
    QString title;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle(), icon = box->icon();
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::qWait(300);  // a button's keyboard click is animated
        stayedOpen = box->isVisible();
        box->close();
        stayedOpen = stayedOpen && box->isVisible();
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(boxes.Show("Speichern?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::Yes);
    EXPECT_EQ(title, QStringLiteral("SuDoku"));
    EXPECT_EQ(icon, QMessageBox::Question);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
    EXPECT_TRUE(stayedOpen);
}

// The save question's third answer: "Abbrechen", which Escape and the close box give too.
TEST(QtMessageBoxes, EscapeAndTheCloseBoxCancelAQuestionThatHasCancel) {
    QtMessageBoxes boxes;
    QStringList buttons;
    for (bool escape : {true, false}) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            buttons.clear();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            escape ? QTest::keyClick(box, Qt::Key_Escape) : (void)box->close();
        });
        EXPECT_EQ(boxes.Show("?", MsgButtons::YesNoCancel, MsgIcon::Question), MsgAnswer::Cancel);
    }
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Ja"),
                                    QStringLiteral("Nein")}));
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

TEST(QtWaitWindow, CancelOrEscapeSetsTheFlagAndHidesAndAReloadStartsAfresh) {
    bool cancel = false;
    QWidget owner;
    QtWaitWindow wait;
    wait.Attach(cancel, &owner);
    auto title = [&] { return wait.Window()->findChild<QLabel*>(QStringLiteral("Title"))->text(); };
    for (bool escape : {false, true}) {
        cancel = false;
        wait.Show();
        EXPECT_EQ(title(), QStringLiteral("SuDoKu wird erstellt ..."));
        wait.SetTitle("Heft: 2 von 3");
        if (escape)
            QTest::keyClick(wait.Window(), Qt::Key_Escape);
        else
            wait.Window()->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
        EXPECT_TRUE(cancel);
        EXPECT_FALSE(wait.Window()->isVisible());
        wait.Close();
    }
}

}  // namespace
}  // namespace zw
