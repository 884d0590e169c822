#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt/qt_clock.h"
#include "qt/qt_event_pump.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_wait_window.h"

namespace zw {
namespace {

// Reads the box that is showing, then presses the button with `press` as its text.
struct BoxReader {
    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

    void PressSoon(const QString& press) {
        QTimer::singleShot(0, [this, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons()) {
                buttons << b->text();
                if (b->text() == press)
                    b->click();
            }
        });
    }
};

TEST(QtMessageBoxes, CaptionSuDokuGermanButtonsAndTheAnswerClicked) {
    QtMessageBoxes boxes;
    BoxReader reader;
    reader.PressSoon(QStringLiteral("Nein"));
    EXPECT_EQ(
        boxes.Show("Möchten Sie ihre Änderungen speichern?", MsgButtons::YesNo, MsgIcon::Question),
        MsgAnswer::No);
    EXPECT_EQ(reader.title, QStringLiteral("SuDoku"));
    EXPECT_EQ(reader.text, QStringLiteral("Möchten Sie ihre Änderungen speichern?"));
    EXPECT_EQ(reader.icon, QMessageBox::Question);
    reader.buttons.sort();
    EXPECT_EQ(reader.buttons, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));

    BoxReader yes;
    yes.PressSoon(QStringLiteral("Ja"));
    EXPECT_EQ(boxes.Show("?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::Yes);

    BoxReader ok;
    ok.PressSoon(QStringLiteral("OK"));
    EXPECT_EQ(boxes.Show("Statistik:", MsgButtons::Ok, MsgIcon::Information), MsgAnswer::Ok);
    EXPECT_EQ(ok.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(ok.icon, QMessageBox::Information);
}

TEST(QtMessageBoxes, StandardButtonsReadGermanThroughQtsTranslations) {
    QMessageBox box;
    EXPECT_EQ(box.addButton(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
}

TEST(QtEventPump, PumpsAtMostOncePerTimeSlice) {
    QtEventPump pump;
    int flushes = 0, timers = 0;
    pump.SetBeforePump([&] { ++flushes; });
    QTimer::singleShot(0, [&] { ++timers; });
    pump.DoEvents();
    EXPECT_EQ(flushes, 1);
    EXPECT_EQ(timers, 1);
    // A second call right away returns without pumping: a run logging a line per call must
    // not relayout the window each time.
    QTimer::singleShot(0, [&] { ++timers; });
    for (int i = 0; i < 1000; ++i)
        pump.DoEvents();
    EXPECT_EQ(flushes, 1);
    EXPECT_EQ(timers, 1);
    QTest::qWait(20);
    pump.DoEvents();
    EXPECT_EQ(flushes, 2);
    EXPECT_EQ(timers, 2);
}

TEST(QtClock, TimeOfDayKeepsTheSecondsAndDatesTheWholeYear) {
    const QString german =
        QtClock::TimeFormatWithSeconds(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german, QStringLiteral("HH:mm:ss"));
    const QString us =
        QtClock::TimeFormatWithSeconds(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(us.contains(QStringLiteral("mm:ss"))) << us.toStdString();
    EXPECT_TRUE(us.contains(QStringLiteral("AP"), Qt::CaseInsensitive)) << us.toStdString();

    QtClock clock(QLocale(QLocale::German, QLocale::Germany));
    const std::string now = clock.TimeOfDayText();
    ASSERT_EQ(now.size(), 8u) << now;
    EXPECT_EQ(now[2], ':');
    EXPECT_EQ(now[5], ':');

    // Dates keep the locale's order and separators but always show the whole year.
    EXPECT_EQ(QtClock::DateFormatWithFullYear(QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("dd.MM.yyyy"));
    const std::string today = clock.ShortDateText();
    EXPECT_EQ(today, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString());
}

TEST(QtClock, NumbersUseTheLocalesDecimalSeparator) {
    QtClock german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.FormatNumber(0.01234, 7), "0,01234");
    EXPECT_EQ(german.FormatNumber(2.0, 7), "2");
    EXPECT_EQ(german.FormatNumber(1.0 / 3.0, 7), "0,3333333");
    QtClock english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.FormatNumber(0.01234, 7), "0.01234");

    const double a = german.Seconds();
    EXPECT_GE(german.Seconds(), a);
    EXPECT_NE(german.SeedFromClock(), german.SeedFromClock());
}

TEST(QtFileDialog, TurnsTheFilterIntoQtsForm) {
    EXPECT_EQ(QtFileDialog::QtFilter("SuDoKu-Datei|*.sudoku"),
              QStringLiteral("SuDoKu-Datei (*.sudoku)"));
    EXPECT_EQ(QtFileDialog::QtFilter("A|*.a|B|*.b"), QStringLiteral("A (*.a);;B (*.b)"));
    EXPECT_EQ(QtFileDialog::QtFilter(""), QString());
}

TEST(QtWaitWindow, CancelSetsTheFlagAndHidesAndAReloadStartsAfresh) {
    bool cancel = false;
    QWidget owner;
    QtWaitWindow wait;
    wait.Attach(cancel, &owner);
    wait.Show();
    ASSERT_NE(wait.Window(), nullptr);
    auto* title = wait.Window()->findChild<QLabel*>(QStringLiteral("Title"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("SuDoKu wird erstellt ..."));
    EXPECT_TRUE(title->font().bold());
    EXPECT_TRUE(wait.Window()->windowFlags() & Qt::FramelessWindowHint);
    wait.SetTitle("Heft: 2 von 3");
    EXPECT_EQ(title->text(), QStringLiteral("Heft: 2 von 3"));

    auto* button = wait.Window()->findChild<QAbstractButton*>(QStringLiteral("Command1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("A&bbrechen"));
    button->click();
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(wait.Window()->isVisible());
    EXPECT_EQ(wait.Window()->parentWidget(), &owner);

    cancel = false;
    wait.Show();
    QTest::keyClick(wait.Window(), Qt::Key_Escape);
    EXPECT_TRUE(cancel);

    wait.Close();
    wait.Show();
    EXPECT_EQ(wait.Window()->findChild<QLabel*>(QStringLiteral("Title"))->text(),
              QStringLiteral("SuDoKu wird erstellt ..."));
    wait.Close();
}

}  // namespace
}  // namespace zw
