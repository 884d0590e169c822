// Builds Help.pdf from the help's Markdown source:
//     make_help_pdf <help.md> <help_examples.txt> <Help.pdf>
// Qt's own Markdown reader and PDF writer, so the build needs nothing beyond Qt and the core.
// Before the Markdown is read, the builder fills in what must not drift from the program:
//     {{Leiter}}                 the whole ladder as a table: place, technique, rating, level
//     {{Platz XWing Swordfish}}  those techniques' places on the ladder and their ratings
//     {{Beispiel XWing}}         a board showing the first X-Wing step the ladder takes on that
//                                technique's example puzzle, drawn by the program's grid
//                                painter, with the step's own tip texts below it
// Technique names are the ladder's identifiers; the example puzzles are in help_examples.txt.
#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "board/grid.h"
#include "board/grid_painter.h"
#include "qt/painter_canvas.h"
#include "solver/fast_search.h"
#include "techniques/candidate_board.h"
#include "techniques/ladder.h"
#include "techniques/score.h"
#include "techniques/step_text.h"
#include "techniques/technique.h"
#include "techniques/tip.h"

namespace {

using zw::techniques::Technique;

// The ladder's identifiers in its order, so the help names a technique as the code does.
// clang-format off
constexpr std::array<const char*, zw::techniques::kTechniqueCount> kIds{{
    "FullHouse", "HiddenSingleBox", "HiddenSingleLine", "DirectPointing", "DirectClaiming",
    "DirectHiddenPair", "NakedSingle", "DirectHiddenTriple", "Pointing", "Claiming", "NakedPair",
    "XWing", "HiddenPair", "NakedTriple", "Swordfish", "HiddenTriple", "Skyscraper",
    "TwoStringKite", "TurbotFish", "XYWing", "XYZWing",
    "UniqueRectangle1", "UniqueRectangle2", "UniqueRectangle3", "UniqueRectangle4",
    "UniqueLoop1", "UniqueLoop2", "UniqueLoop3", "UniqueLoop4", "NakedQuad", "Jellyfish",
    "HiddenQuad", "WXYZWing", "Bug1", "Bug2", "Bug3", "Bug4", "VWXYZWing", "AlignedPairExclusion",
    "XCycle", "YCycle", "UVWXYZWing", "XChain", "ForcingChain", "AlignedTripletExclusion",
    "Nishio", "CellForcingChain", "UnitForcingChain", "DynamicContradiction", "DynamicCellForcing",
    "DynamicUnitForcing", "DynamicForcingPlus", "DynamicForcingNested"}};
// clang-format on
static_assert(kIds.back() != nullptr, "a technique of the ladder without its identifier here");

[[noreturn]] void Fail(const QString& message) {
    std::fprintf(stderr, "make_help_pdf: %s\n", message.toUtf8().constData());
    std::exit(1);
}

Technique TechniqueOf(const QString& id) {
    for (std::size_t i = 0; i < kIds.size(); ++i) {
        if (id == QLatin1String(kIds[i]))
            return static_cast<Technique>(i);
    }
    Fail(QStringLiteral("unknown technique %1").arg(id));
}

QString Name(Technique t) {
    const std::string_view name = zw::techniques::Info(t).name;
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The level a rating falls in, as the window and zellwerk-cli name it.
QString LevelText(int tenths) {
    const std::string_view name = zw::techniques::LevelName(zw::techniques::LevelOf(tenths));
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Tenths as the help writes numbers: "4,2".
QString Rating(int tenths) {
    return QStringLiteral("%1,%2").arg(tenths / 10).arg(tenths % 10);
}

// A chain's or loop's rating grows with its length, a type 3 rectangle's with its set: the
// table holds the least.
bool Grows(Technique t) {
    using T = Technique;
    if (t == T::UVWXYZWing || t == T::AlignedTripletExclusion)
        return false;
    return t == T::UniqueRectangle3 || (t >= T::UniqueLoop1 && t <= T::UniqueLoop4) ||
           t == T::Bug3 || t == T::WXYZWing || t == T::VWXYZWing || t >= T::XCycle;
}

QString RatingText(Technique t) {
    const int rating = zw::techniques::Info(t).rating;
    return (Grows(t) ? QStringLiteral("ab ") : QString()) + Rating(rating);
}

QString LadderTable() {
    QString out = QStringLiteral("| Platz | Technik | Bewertung | Stufe |\n|---|---|---|---|\n");
    for (int i = 0; i < zw::techniques::kTechniqueCount; ++i) {
        const auto t = static_cast<Technique>(i);
        out += QStringLiteral("| %1 | %2 | %3 | %4 |\n")
                   .arg(i + 1)
                   .arg(Name(t), RatingText(t), LevelText(zw::techniques::Info(t).rating));
    }
    return out;
}

QString Places(const QStringList& ids) {
    QStringList parts;
    for (const QString& id : ids) {
        const Technique t = TechniqueOf(id);
        parts << QStringLiteral("%1 – Platz %2, Bewertung %3")
                     .arg(Name(t))
                     .arg(static_cast<int>(t) + 1)
                     .arg(RatingText(t));
    }
    return QStringLiteral("**Auf der Leiter** (von %1 Stufen): %2.")
        .arg(zw::techniques::kTechniqueCount)
        .arg(parts.join(QStringLiteral("; ")));
}

QString Escaped(const std::string& text) {
    QString out;
    for (const QChar c : QString::fromStdString(text)) {
        if (QStringLiteral("\\*_[]`<>#").contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

// The example boards: per technique a puzzle line on which the ladder, run from the start,
// takes a step of that technique.
std::map<QString, std::string> ReadExamples(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("cannot read %1").arg(path));
    std::map<QString, std::string> examples;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() != 2 || fields[1].size() != 81)
            Fail(QStringLiteral("%1:%2: want a technique and an 81-character puzzle line")
                     .arg(path)
                     .arg(number));
        TechniqueOf(fields[0]);
        examples[fields[0]] = fields[1].toStdString();
    }
    return examples;
}

struct Example {
    zw::techniques::CandidateBoard before;
    zw::techniques::Step step;
};

// The first step of the technique on the ladder's way through the puzzle, which must have one
// solution: the uniqueness techniques take part.
Example FindExample(const QString& id, const std::string& puzzle) {
    Example example;
    std::array<zw::CellValue, zw::kCellCount> cells{};
    for (int cell = 0; cell < zw::kCellCount; ++cell) {
        const char c = puzzle[static_cast<std::size_t>(cell)];
        if (c >= '1' && c <= '9')
            cells[static_cast<std::size_t>(cell)] = zw::DigitBit(c - '0');
    }
    if (!example.before.SetRows(puzzle) || zw::FastCount(cells, 2) != 1)
        Fail(QStringLiteral("the example for %1 has not exactly one solution").arg(id));
    const Technique wanted = TechniqueOf(id);
    while (zw::techniques::FindEasiestStep(example.before, true, example.step)) {
        if (example.step.technique == wanted)
            return example;
        zw::techniques::ApplyStep(example.before, example.step);
    }
    Fail(QStringLiteral("the ladder takes no %1 step on its example puzzle").arg(id));
}

// The digit the step leads to is blue, as the booklet's solutions; the grid is drawn at three
// quarters of its size on the screen.
constexpr zw::Colour kPlaced = zw::Rgb(0, 0, 160);
constexpr double kScale = 0.75;
constexpr double kImageDpi = 300;

// The board as the tip's answer shows it in the window: the pattern marked, its cells and the
// cells that lose candidates with their candidates in small digits (the lost ones red), and the
// digit the step leads to in blue. A black frame and box lines as on paper.
QImage Picture(const Example& example) {
    zw::Grid grid;
    zw::SetUpGrid(grid);
    zw::PencilMarks pencil;
    for (int cell = 0; cell < zw::kCellCount; ++cell) {
        if (const int digit = example.before.Value(cell))
            grid.SetValueAt(cell, zw::DigitBit(digit));
    }
    zw::Tip tip;
    tip.kind = zw::TipKind::Step;
    tip.step = example.step;
    tip.before = example.before;
    std::vector<int> shown = zw::TipAnswerCells(tip);
    for (int cell : zw::TipHintCells(tip)) {
        grid.SetBackground(cell / zw::kGridSize, cell % zw::kGridSize, zw::kSelectionColour);
        shown.push_back(cell);
    }
    // A contradiction's cell left without a digit, with the candidates the chain takes from it.
    if (example.step.emptyCell >= 0)
        shown.push_back(example.step.emptyCell);
    for (int cell : shown) {
        const auto i = static_cast<std::size_t>(cell);
        pencil.shown[i] = example.before.Candidates(cell);
        pencil.struck[i] = example.step.removed[i];
    }
    if (example.step.placedCell >= 0) {
        const int cell = example.step.placedCell;
        grid.SetValueAt(cell, zw::DigitBit(example.step.placedDigit));
        grid.SetTextColour(cell / zw::kGridSize, cell % zw::kGridSize, kPlaced);
    }

    const int size = static_cast<int>(std::lround(zw::GridPictureWidth(grid) * kScale));
    const int pixels = static_cast<int>(std::lround(size * kImageDpi / 1440));
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(std::lround(kImageDpi / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    zw::PainterCanvas canvas(painter, kImageDpi);
    zw::GridStyle style;
    style.scale = kScale;
    style.pencil = &pencil;
    zw::PaintGrid(canvas, grid, 0, 0, style);
    // The screen leaves the boxes to the shading; paper needs their lines, as in the booklet.
    const double box = 3 * grid.ColWidth(0) * kScale;
    const double width = 45 * kScale;
    for (int k = 0; k <= 3; ++k) {
        const int offset = k == 3 ? size - static_cast<int>(width / 2)
                                  : static_cast<int>(std::lround(k * box + width / 2));
        canvas.DrawLine(offset, 0, offset, size, width, 0);
        canvas.DrawLine(0, offset, size, offset, width, 0);
    }
    return image;
}

// Fills in the placeholders; the example pictures go to `pictures` by their names.
QString Expand(const QString& markdown, const std::map<QString, std::string>& examples,
               std::map<QString, QImage>& pictures) {
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{(\\w+)([^}]*)\\}\\}"));
    QString out;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(markdown); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += markdown.mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
        const QString kind = match.captured(1);
        const QStringList args = match.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (kind == QLatin1String("Leiter") && args.isEmpty()) {
            out += LadderTable();
        } else if (kind == QLatin1String("Platz") && !args.isEmpty()) {
            out += Places(args);
        } else if (kind == QLatin1String("Beispiel") && args.size() == 1) {
            const auto found = examples.find(args[0]);
            if (found == examples.end())
                Fail(QStringLiteral("no example puzzle for %1").arg(args[0]));
            const Example example = FindExample(args[0], found->second);
            const QString name = QStringLiteral("beispiel-%1.png").arg(args[0]);
            pictures[name] = Picture(example);
            out += QStringLiteral("![Beispiel: %1](%2)\n\n*Erster Tipp:* %3\n\n*Zweiter Tipp:* %4")
                       .arg(Name(example.step.technique), name,
                            Escaped(zw::techniques::StepHintText(example.step)),
                            Escaped(zw::techniques::StepAnswerText(example.before, example.step)));
        } else {
            Fail(QStringLiteral("unknown placeholder %1").arg(match.captured(0)));
        }
    }
    return out + markdown.mid(from);
}

// The pictures at their printed size: Qt reads an image's size in pixels at 96 dpi.
void SizeImages(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            const QVariant image =
                document.resource(QTextDocument::ImageResource, QUrl(format.name()));
            if (!image.isValid())
                Fail(QStringLiteral("no picture %1").arg(format.name()));
            const double side = image.value<QImage>().width() * 96.0 / kImageDpi;
            format.setWidth(side);
            format.setHeight(side);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// Each family of "Die Lösungstechniken" on a page of its own, with its picture.
void BreakPages(QTextDocument& document) {
    bool inChapter = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0 || level > 3)
            continue;
        const bool chapterStart =
            level == 2 && block.text() == QStringLiteral("Die Lösungstechniken");
        if (level == 3 ? inChapter : inChapter || chapterStart) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        if (level == 2)
            inChapter = chapterStart;
    }
}

// Draws the pictures without loss: the PDF writer would store them as JPEG, which blurs the
// small candidates and takes more room than the few flat colours need.
class LosslessPictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const QTextImageFormat image = format.toImageFormat();
        QSizeF size(image.width(), image.height());
        // The layout's units are the device's pixels; the format's sizes are pixels at 96 dpi.
        if (const QPaintDevice* device = document->documentLayout()->paintDevice())
            size *= device->logicalDpiY() / 96.0;
        return size;
    }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override {
        const QImage image =
            document->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                .value<QImage>();
        painter->save();
        painter->setRenderHint(QPainter::LosslessImageRendering);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(rect, image);
        painter->restore();
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_help_pdf <help.md> <help_examples.txt> <Help.pdf>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_help_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    std::map<QString, QImage> pictures;
    const QString markdown = Expand(QString::fromUtf8(source.readAll()),
                                    ReadExamples(QString::fromLocal8Bit(argv[2])), pictures);

    QPdfWriter writer(QString::fromLocal8Bit(argv[3]));
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
    // After the Markdown: reading it clears the document's resources.
    for (const auto& [name, picture] : pictures)
        document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    SizeImages(document);
    LosslessPictures lossless;
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, &lossless);
    BreakPages(document);
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
    QFile check(QString::fromLocal8Bit(argv[3]));
    if (!check.exists() || check.size() == 0) {
        std::fprintf(stderr, "make_help_pdf: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

#include "make_help_pdf.moc"
