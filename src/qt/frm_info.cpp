// The about dialog `frmInfo`: laid out in twips at the screen's DPI, created afresh for every
// showing, so its labels are filled in anew each time.
#include <QDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "mainwindow/about_info.h"
#include "qt/qt_dialogs.h"
#include "qt/twips.h"

static void InitAboutResources() {
    Q_INIT_RESOURCE(zellwerk);
}

namespace zw {

namespace {

// The first family of `wanted` that this system has; the last one is the safe fallback.
QString FirstInstalled(const QStringList& wanted) {
    for (const QString& family : wanted) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return wanted.last();
}

// Century Gothic where it exists, else a geometric sans of the same build, else any sans.
QFont TitleFont() {
    QFont font(FirstInstalled({QStringLiteral("Century Gothic"), QStringLiteral("URW Gothic"),
                               QStringLiteral("TeX Gyre Adventor"), QStringLiteral("Futura"),
                               QStringLiteral("DejaVu Sans")}));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(18);
    font.setBold(true);
    return font;
}

// Arial where it exists, else a metric-compatible face, else any sans.
QFont TextFont() {
    QFont font(FirstInstalled({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                               QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                               QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")}));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    return font;
}

}  // namespace

void QtDialogs::ShowInfo() {
    InitAboutResources();
    // The version information is the build's project version (ProgramInfo's defaults).
    const AboutInfo info = MakeAboutInfo(ProgramInfo{});

    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("frmInfo"));
    dialog.setWindowTitle(QString::fromStdString(info.caption));
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QScreen* screen =
        parent_ && parent_->screen() ? parent_->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    const auto px = [dpi](int twips) { return TwipsToPx(twips, dpi); };
    const auto place = [&px](QWidget* widget, const char* name, int left, int top, int width,
                             int height) {
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(px(left), px(top), px(width), px(height));
    };
    dialog.setFixedSize(px(6255), px(4410));

    auto* image = new QLabel(&dialog);
    place(image, "Image1", 0, 0, 2310, 4410);
    image->setPixmap(QPixmap(QStringLiteral(":/zellwerk/about.png")));
    image->setScaledContents(true);

    const QFont title = TitleFont();
    const QFont text = TextFont();
    const auto label = [&](const char* name, const std::string& caption, const QFont& font,
                           int left, int top, int width, int height) {
        auto* widget = new QLabel(QString::fromStdString(caption), &dialog);
        widget->setFont(font);
        widget->setTextFormat(Qt::PlainText);
        place(widget, name, left, top, width, height);
        // A stand-in font may run a little taller or wider than the one the layout was made
        // for: the label grows rather than cutting its text.
        widget->resize(std::max(widget->width(), widget->sizeHint().width()),
                       std::max(widget->height(), widget->fontMetrics().height()));
        return widget;
    };
    label("Label1", info.maker, title, 2520, 120, 3615, 495);
    label("Label2", info.productName, title, 2520, 600, 3615, 495);

    // The line runs on to the right edge of the window.
    auto* line = new QFrame(&dialog);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(px(2310), px(1080), px(6960 - 2310), 1);

    label("Label9", info.rightsLabel, text, 2520, 1200, 1455, 255);
    label("Label8", info.rightsHolder, text, 3840, 1200, 1455, 255);
    label("Label3", info.versionLabel, text, 2520, 1800, 1215, 255);
    label("Label4", info.version, text, 3840, 1800, 1215, 255);
    label("Label7", info.creditsLabel, text, 2520, 2160, 1095, 255);

    auto* credits = new QPlainTextEdit(&dialog);
    place(credits, "Text1", 2400, 2400, 3735, 1455);
    credits->setFont(text);
    credits->setPlainText(
        QString::fromStdString(info.credits).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    credits->setReadOnly(true);

    auto* ok = new QPushButton(QString::fromStdString(info.okCaption), &dialog);
    place(ok, "Command1", 4920, 3960, 1215, 315);
    ok->setDefault(true);
    ok->setFocus();
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);

    dialog.exec();
}

}  // namespace zw
