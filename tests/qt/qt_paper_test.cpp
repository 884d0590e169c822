// Printing through the real "&Drucken" action, into a PDF file or on a CUPS queue.
#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "qt/main_window.h"
#include "qt/qt_printer.h"
#include "support/test_board.h"

namespace zw {
namespace {

// Runs a tool to its end and gives its standard output.
QString Output(const QString& program, const QString& args, const QStringList& files) {
    QProcess p;
    p.start(program, args.split(QLatin1Char(' ')) + files);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Renders the first page at 150 dpi and looks where the layout puts things, measured from the
// grid's top-left corner (the printable area's origin differs from printer to printer): the
// digit in cell (4, 4) is inked, the empty cell (0, 0) is not, and the footer line is.
void ExpectPrintedLayout(const QString& pdf) {
    QTemporaryDir dir;
    Output(QStringLiteral("pdftoppm"), QStringLiteral("-r 150 -gray -png -singlefile"),
           {pdf, dir.filePath(QStringLiteral("page"))});
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

// Prints the board through the real "&Drucken" action: into `file` in place of the default
// printer, or on the default printer when `file` is empty. False, with the message the action
// showed, when it did not print.
bool PrintThroughTheAction(const QString& file, std::string& message) {
    if (!file.isEmpty())
        qputenv("ZW_PRINT_TO_FILE", file.toLocal8Bit());
    MemoryPlatform mp;  // the core's window over the in-memory platform, the real printer put in
    QtPrinter printer;
    Platform platform = mp.With({.printer = &printer});
    frmMain form(platform);
    form.Form_Load();
    MainWindow window(form);
    test::SetRows(form.Matrix, ".3..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
    form.Matrix.SetText(0, 2, "124");
    form.Matrix.SetText(4, 4, "8");
    window.findChild<QAction*>(QStringLiteral("mPrint"))->trigger();
    qunsetenv("ZW_PRINT_TO_FILE");
    if (!mp.messages.shown.empty())
        message = mp.messages.shown.front().text;
    return mp.messages.shown.empty();
}

// The id of the queue's first job that the scheduler calls completed; 0 while there is none.
int CompletedJob(const QString& queue) {
    // "ZellwerkTestPDF-1  root  2048  Wed 09 Dec ...": the job's name ends in its id.
    const QString first =
        Output(QStringLiteral("lpstat"), QStringLiteral("-W completed -o"), {queue})
            .section(QLatin1Char(' '), 0, 0);
    return first.section(QLatin1Char('-'), -1).toInt();
}

TEST(Print, TheDruckenActionPrintsTheBoardAndTheFooter) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    std::string message;
    ASSERT_TRUE(PrintThroughTheAction(pdf, message)) << message;
    // pdftotext makes one blank of the two after "SuDoKu".
    const QString text = Output(QStringLiteral("pdftotext"), QStringLiteral("-layout"), {pdf, "-"});
    EXPECT_TRUE(text.contains(QRegularExpression(
        QStringLiteral("SuDoKu +vom 05\\.12\\.2026 by Zellwerk \\(www\\.brunfeld\\.de\\)"))))
        << text.toStdString();
    ExpectPrintedLayout(pdf);
}

// On the CUPS PDF queue that scripts/cups-print-test.sh sets up as the default (it names the
// queue and the folder its pages land in). Nothing here waits for a time: the queue must be
// Qt's default before the action, and the page is read once the scheduler has ended the job.
TEST(Print, TheDruckenActionPrintsOnTheDefaultCupsPrinter) {
    const QString folder = qEnvironmentVariable("ZW_CUPS_PDF_DIR");
    const QString queue = qEnvironmentVariable("LPDEST");
    if (folder.isEmpty() || queue.isEmpty())
        GTEST_SKIP() << "no CUPS PDF queue set up: scripts/cups-print-test.sh runs this test";
    ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), queue);
    std::string message;
    ASSERT_TRUE(PrintThroughTheAction({}, message)) << message;
    // The backend renames its PDF into place before it exits, so the file of a completed job
    // is whole. The minute only bounds a job that never ends.
    int job = 0;
    for (QDeadlineTimer deadline(60000);
         (job = CompletedJob(queue)) == 0 && !deadline.hasExpired();)
        QTest::qWait(50);
    ASSERT_GT(job, 0) << "the job did not end within a minute";
    const QString made = QDir(folder).filePath(QStringLiteral("job-%1.pdf").arg(job));
    ASSERT_TRUE(QFileInfo::exists(made)) << "job " << job << " ended without a page";
    // The queue's PDF carries its text in Type 3 glyphs that pdftotext cannot read back, so
    // the page is checked by its picture.
    ExpectPrintedLayout(made);
    std::printf("printed page: %s\n", made.toLocal8Bit().constData());
}

}  // namespace
}  // namespace zw
