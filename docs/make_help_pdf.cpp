// Builds Help.pdf from the help's Markdown source: make_help_pdf <help.md> <Help.pdf>.
// Qt's own Markdown reader and PDF writer, so the build needs nothing beyond Qt.
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_help_pdf <help.md> <Help.pdf>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_help_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("Zellwerk – Hilfe"));
    writer.setCreator(QStringLiteral("Zellwerk"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));

    QTextDocument document;
    // DejaVu Sans carries every umlaut; Qt falls back to another sans face where it is missing.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown);
    // No ligatures: "ff" in "Öffnen" stays two letters that a search in the viewer finds.
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setFontStyleStrategy(QFont::PreferNoShaping);
    plain.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    plain.setFontLetterSpacing(0.01);
    all.mergeCharFormat(plain);
    // Markdown tables come without borders or padding; give them both for print.
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(QColor(0x80, 0x80, 0x80));
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellPadding(4);
            format.setCellSpacing(0);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
    }

    document.print(&writer);
    QFile check(QString::fromLocal8Bit(argv[2]));
    if (!check.exists() || check.size() == 0) {
        std::fprintf(stderr, "make_help_pdf: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
