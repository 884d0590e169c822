// "Info" and "Hilfe" on the real widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "qt/qt_dialogs.h"
#include "qt/twips.h"
#include "support/main_window_fixture.h"

namespace zw {
namespace {

// Runs `look` on the modal dialog as soon as it shows.
void WhenShown(std::function<void(QDialog&)> look) {
    QTimer::singleShot(0, [look] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        look(*dialog);
    });
}

QString LabelText(QDialog& dialog, const char* name) {
    auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

TEST(FrmInfo, ShowsNameAndVersionFreshEachTimeAndOkCloses) {
    QWidget owner;
    QtDialogs dialogs;
    dialogs.SetParent(&owner);
    for (int round = 0; round < 2; ++round) {
        bool seen = false;
        WhenShown([&](QDialog& dialog) {
            seen = true;
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Info"));
            EXPECT_EQ(LabelText(dialog, "Label1"), QStringLiteral("Brunfeld"));
            EXPECT_EQ(LabelText(dialog, "Label2"), QStringLiteral("Zellwerk"));
            EXPECT_EQ(LabelText(dialog, "Label4"), QStringLiteral("1.2.0"));
            EXPECT_TRUE(dialog.isModal());
            const QString credits =
                dialog.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
            EXPECT_TRUE(credits.startsWith(QStringLiteral("Entwickler:\n")));
            EXPECT_TRUE(credits.contains(QStringLiteral("\n\nReferenzen:\n")));
            EXPECT_TRUE(credits.contains(QStringLiteral("\n\nBesten Dank:\n")));
            EXPECT_FALSE(credits.contains(u'\r'));
            // Spoil this showing; the next one must not see it.
            dialog.findChild<QLabel*>(QStringLiteral("Label4"))->setText(QStringLiteral("x"));
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
            ok->click();
        });
        dialogs.ShowInfo();  // returns only once "&OK" closed the dialog
        EXPECT_TRUE(seen);
    }
}

TEST(FrmInfo, LayoutInTwipsPictureAndTextsThatFit) {
    QtDialogs dialogs;
    WhenShown([](QDialog& dialog) {
        const double dpi = dialog.screen()->logicalDotsPerInchX();
        EXPECT_EQ(dialog.size(), QSize(TwipsToPx(6255, dpi), TwipsToPx(4410, dpi)));
        auto* image = dialog.findChild<QLabel*>(QStringLiteral("Image1"));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->geometry(), QRect(0, 0, TwipsToPx(2310, dpi), TwipsToPx(4410, dpi)));
        const QImage picture = image->pixmap().toImage();
        EXPECT_EQ(picture.size(), QSize(154, 294));
        EXPECT_FALSE(picture.hasAlphaChannel());
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
        EXPECT_EQ(ok->geometry().topLeft(), QPoint(TwipsToPx(4920, dpi), TwipsToPx(3960, dpi)));
        // Whatever font stood in for Century Gothic or Arial, it is installed and the texts
        // are not cut off.
        for (const char* name :
             {"Label1", "Label2", "Label9", "Label8", "Label3", "Label4", "Label7"}) {
            auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            ASSERT_NE(label, nullptr) << name;
            EXPECT_TRUE(QFontDatabase::hasFamily(label->font().family())) << name;
            EXPECT_LE(label->sizeHint().width(), label->width()) << name;
            EXPECT_LE(label->fontMetrics().height(), label->height()) << name;
        }
        if (const QByteArray dir = qgetenv("ZW_SCREENSHOT_DIR"); !dir.isEmpty())
            dialog.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("frmInfo.png"));
        dialog.reject();
    });
    dialogs.ShowInfo();
}

TEST(MainWindowHelp, InfoAndHilfeFromTheMenu) {
    test::MainWindowFixture f;
    QAction* info = f.Action("mAbout");
    QAction* help = f.Action("mHelpHelp");
    ASSERT_NE(info, nullptr);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    info->trigger();
    EXPECT_EQ(f.mp.dialogs.infoShown, 1);

    QTemporaryDir programDir;
    f.mp.platform.program.directory = QDir::toNativeSeparators(programDir.path()).toStdString();
    help->trigger();
    EXPECT_TRUE(f.mp.shell.opened.empty());  // no Help.pdf: nothing happens
    QFile pdf(programDir.filePath(QStringLiteral("Help.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    help->trigger();
    ASSERT_EQ(f.mp.shell.opened.size(), 1u);
    EXPECT_EQ(f.mp.shell.opened[0],
              f.mp.platform.program.directory + "/Help.pdf|" + f.mp.platform.program.directory);
    EXPECT_TRUE(f.LogMessages().empty());
}

}  // namespace
}  // namespace zw
