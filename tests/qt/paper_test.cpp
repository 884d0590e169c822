// The generator's dialog, the booklet through the real dialogs into a PDF, and printing through
// the real "&Drucken" action.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "board/board_string.h"
#include "qt/main_window.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_printer.h"
#include "qt/qt_wait_window.h"
#include "support/test_board.h"

namespace zw {
namespace {

// Runs `act` on the modal dialog once it is showing.
void WhenModal(std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

template <typename T>
T& Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << name;
    return *child;
}

TEST(MakeSuDoKuDialog, OpensWithNormalAt45AndOkTakesTheChoiceEverythingElseCancels) {
    QtDialogs dialogs;
    MakeSuDoKuOptions options;
    WhenModal([](QWidget& d) {
        EXPECT_EQ(d.windowTitle(), "SuDoKu erstellen");
        EXPECT_TRUE(Child<QRadioButton>(d, "Option1").isChecked());
        auto& slider = Child<QSlider>(d, "Slider1");
        EXPECT_EQ(Child<QLabel>(d, "SliderValue").text(), "45");
        QTest::keyClick(&slider, Qt::Key_End);
        EXPECT_EQ(Child<QLabel>(d, "SliderValue").text(), "70");
        QTest::mouseClick(&Child<QRadioButton>(d, "Option2"), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_TRUE(dialogs.ShowMakeSuDoKu(options));
    EXPECT_TRUE(options.hard);
    EXPECT_EQ(options.fields, 70);

    const std::function<void(QWidget&)> ways[] = {
        [](QWidget& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](QWidget& d) { QTest::mouseClick(&Child<QPushButton>(d, "Command2"), Qt::LeftButton); },
    };
    for (const auto& way : ways) {
        WhenModal(way);
        EXPECT_FALSE(dialogs.ShowMakeSuDoKu(options));
    }
}

// The core's main window over the in-memory platform, with the real dialogs, wait window and
// printer put in.
struct RealPartsFixture {
    RealPartsFixture() {
        wait.Attach(form.gCancel, &owner);
        form.Form_Load();
    }
    test::FormFixture f;
    QWidget owner;
    QtDialogs dialogs;
    QtWaitWindow wait;
    QtPrinter printer;
    Platform platform =
        f.mp.With({.wait = &wait, .dialogs = &dialogs, .printer = &printer});
    frmMain form{platform};
};

// Runs a tool to its end and gives its standard output.
QString Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfText(const QString& path) {
    return Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

// The booklet's dialog choices reach the A4 pages the Qt PDF writer makes.
TEST(Booklet, WritesAnA4PdfWithTitlePuzzlesAndSolutions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("heft.pdf"));
    RealPartsFixture r;
    WhenModal([](QWidget& d) {
        auto& text = Child<QLineEdit>(d, "Text1");
        text.selectAll();
        QTest::keyClicks(&text, "5");
        for (const char* name : {"Check1", "Check2", "Check3", "Check4"})
            QTest::keyClick(&Child<QCheckBox>(d, name), Qt::Key_Space);
        QTest::keyClick(&text, Qt::Key_Return);
    });
    r.f.mp.fileDialog.answers.push_back(path.toStdString());
    r.form.mSuDoKuNewHeft_Click();
    ASSERT_TRUE(r.f.mp.messages.shown.empty()) << r.f.mp.messages.shown[0].text;
    const QString info = Output(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +5\\b"))) &&
                info.contains(QStringLiteral("(A4)")))
        << info.toStdString();
    const QString text = PdfText(path);
    for (const char* part : {"erstellt am 05.12.2026", "5 Rätsel mit Lösungen", "Rätsel 1 – Leicht",
                             "Rätsel 2 – Mittel", "Rätsel 3 – Schwer", "Rätsel 4 – Leicht"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
}

// Renders the first page at 150 dpi and looks where the layout puts things, measured from the
// grid's top-left corner (the printable area's origin differs from printer to printer): the
// digit in cell (4, 4) is inked, the empty cell (0, 0) is not, and the footer line is.
void ExpectPrintedLayout(const QString& pdf) {
    QTemporaryDir dir;
    Output(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("150"),
                                        QStringLiteral("-gray"), QStringLiteral("-png"),
                                        QStringLiteral("-singlefile"), pdf,
                                        dir.filePath(QStringLiteral("page"))});
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 100; };
    int left = page.width(), top = page.height();
    for (int y = 0; y < page.height() / 2; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (dark(x, y))
                left = std::min(left, x), top = std::min(top, y);
    ASSERT_LT(left, page.width());
    auto inked = [&](int x1, int y1, int x2, int y2) {  // in twips from the grid's corner
        const double px = 150.0 / 1440;
        for (int y = top + static_cast<int>(y1 * px); y < top + static_cast<int>(y2 * px); ++y)
            for (int x = left + static_cast<int>(x1 * px); x < left + static_cast<int>(x2 * px); ++x)
                if (dark(x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(4 * 720 + 150, 4 * 720 + 60, 5 * 720 - 150, 5 * 720 - 60)) << "the 8";
    EXPECT_FALSE(inked(150, 150, 570, 570)) << "an empty cell";
    EXPECT_TRUE(inked(0, 15000, 3000, 15300)) << "the footer";
    EXPECT_FALSE(inked(0, 14000, 6000, 14900)) << "nothing between grid and footer";
}

// Prints the board through the real "&Drucken" action and gives the PDF that came out: into
// a file in place of the default printer, or on the CUPS PDF queue that
// scripts/cups-print-test.sh sets up as the default (it names the folder its files land in).
QString PrintThroughTheAction(const QString& cupsFolder, const QString& file) {
    const QStringList before =
        QDir(cupsFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    if (cupsFolder.isEmpty())
        qputenv("ZW_PRINT_TO_FILE", file.toLocal8Bit());
    RealPartsFixture r;
    MainWindow window(r.form);
    test::SetRows(r.form.Matrix, ".3..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
    r.form.Matrix.SetText(0, 2, "124");
    r.form.Matrix.SetText(4, 4, "8");
    window.findChild<QAction*>(QStringLiteral("mPrint"))->trigger();
    qunsetenv("ZW_PRINT_TO_FILE");
    EXPECT_TRUE(r.f.mp.messages.shown.empty());
    if (cupsFolder.isEmpty())
        return file;
    for (int tries = 0; tries < 300; ++tries) {
        QTest::qWait(100);
        for (const QString& name : QDir(cupsFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (!before.contains(name)) {
                QTest::qWait(500);  // the backend may still be writing
                return QDir(cupsFolder).filePath(name);
            }
        }
    }
    return {};
}

TEST(Print, TheDruckenActionPrintsTheBoardAndTheFooter) {
    QTemporaryDir dir;
    const QString pdf = PrintThroughTheAction({}, dir.filePath(QStringLiteral("page.pdf")));
    // pdftotext makes one blank of the two after "SuDoKu".
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QRegularExpression(
        QStringLiteral("SuDoKu +vom 05\\.12\\.2026 by Zellwerk \\(www\\.brunfeld\\.de\\)"))))
        << text.toStdString();
    ExpectPrintedLayout(pdf);
}

TEST(Print, TheDruckenActionPrintsOnTheDefaultCupsPrinter) {
    const QString folder = qEnvironmentVariable("ZW_CUPS_PDF_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "no CUPS PDF queue set up: scripts/cups-print-test.sh runs this test";
    const QString made = PrintThroughTheAction(folder, {});
    ASSERT_FALSE(made.isEmpty()) << "no new PDF in " << folder.toStdString();
    // The queue's PDF carries its text in Type 3 glyphs that pdftotext cannot read back, so
    // the page is checked by its picture.
    ExpectPrintedLayout(made);
    std::printf("printed page: %s\n", made.toLocal8Bit().constData());
}

}  // namespace
}  // namespace zw
