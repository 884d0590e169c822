#include "platform/qt/grid_painter.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <array>

namespace zw {

namespace {

constexpr double kCellFontTwips = 27.75 * 20;  // 27.75 pt in twips
constexpr double kDesignRowTwips = kDefaultRowHeight;

QColor ToQColor(Colour c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QColor TextColour(Colour c) {
    return c == kDefaultTextColour ? QColor(Qt::black) : ToQColor(c);
}

// Cell edges in device units: kGridSize + 1 positions along one axis.
struct Edges {
    std::array<double, kGridSize + 1> x{};
    std::array<double, kGridSize + 1> y{};
};

Edges EdgesOf(const Grid& grid, const QRectF& rect) {
    double width = 0, height = 0;
    for (int i = 0; i < kGridSize; ++i) {
        width += grid.ColWidth(i);
        height += grid.RowHeight(i);
    }
    Edges e;
    e.x[0] = rect.left();
    e.y[0] = rect.top();
    double sx = 0, sy = 0;
    for (int i = 0; i < kGridSize; ++i) {
        sx += grid.ColWidth(i);
        sy += grid.RowHeight(i);
        e.x[i + 1] = rect.left() + rect.width() * sx / std::max(width, 1.0);
        e.y[i + 1] = rect.top() + rect.height() * sy / std::max(height, 1.0);
    }
    return e;
}

QFont ScaledFont(const QFont& base, double pixels) {
    QFont font = base;
    font.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
    return font;
}

// Two or more digits are the solver's candidates: a 3 x 3 block, digit d at its keypad place.
void PaintCandidates(QPainter& painter, CellValue v, const QRectF& cell, const QFont& small) {
    painter.setFont(small);
    const double w = cell.width() / 3, h = cell.height() / 3;
    for (int d = 1; d <= 9; ++d) {
        if (!(v & DigitBit(d)))
            continue;
        const QRectF place(cell.left() + (d - 1) % 3 * w, cell.top() + (d - 1) / 3 * h, w, h);
        painter.drawText(place, Qt::AlignCenter, QString(QChar('0' + d)));
    }
}

void PaintText(QPainter& painter, const Grid& grid, int r, int c, const QRectF& cell,
               const QFont& big, const QFont& small) {
    const CellValue v = grid.Value(r, c);
    if (v == kEmptyCell)
        return;
    painter.setPen(TextColour(grid.TextColour(r, c)));
    if (TextLength(v) >= 2) {
        PaintCandidates(painter, v, cell, small);
        return;
    }
    const QString text = QString::fromStdString(TextOfValue(v));
    Qt::Alignment align = Qt::AlignTop | Qt::AlignHCenter;
    if (grid.CellAlignment(r, c) == Alignment::GeneralTop)
        align = Qt::AlignTop | (PlacedDigit(v) ? Qt::AlignRight : Qt::AlignLeft);
    painter.setFont(big);
    painter.drawText(cell, align | Qt::TextDontClip, text);
}

}  // namespace

bool GridSelection::Contains(int row, int col) const {
    return row >= std::min(row1, row2) && row <= std::max(row1, row2) &&
           col >= std::min(col1, col2) && col <= std::max(col1, col2);
}

QFont CellFont() {
    QFont font(QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                  : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    return font;
}

void PaintGrid(QPainter& painter, const Grid& grid, const QRectF& rect,
               const GridPaintOptions& options) {
    const QFont& base = options.font;
    const Edges e = EdgesOf(grid, rect);
    const double rowHeight = (e.y[kGridSize] - e.y[0]) / kGridSize;
    const QFont big = ScaledFont(base, rowHeight * kCellFontTwips / kDesignRowTwips);
    const QFont small = ScaledFont(base, rowHeight * 0.26);
    const bool shadeSelection = options.showSelection && !options.selection.SingleCell();

    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            const QRectF cell(QPointF(e.x[c], e.y[r]), QPointF(e.x[c + 1], e.y[r + 1]));
            const bool selected = shadeSelection && options.selection.Contains(r, c) &&
                                  !(r == grid.Row() && c == grid.Col());
            painter.fillRect(cell, ToQColor(selected ? kSelectionColour : grid.Background(r, c)));
            PaintText(painter, grid, r, c, cell, big, small);
        }
    }
    painter.setPen(QPen(ToQColor(kGridLineColour), 0));
    for (int i = 0; i <= kGridSize; ++i) {
        painter.drawLine(QPointF(e.x[i], e.y[0]), QPointF(e.x[i], e.y[kGridSize]));
        painter.drawLine(QPointF(e.x[0], e.y[i]), QPointF(e.x[kGridSize], e.y[i]));
    }
    if (options.showCurrent) {
        const int r = grid.Row(), c = grid.Col();
        const QRectF cell(QPointF(e.x[c], e.y[r]), QPointF(e.x[c + 1], e.y[r + 1]));
        QPen pen(Qt::black, std::max(1.0, rowHeight / 24));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const double inset = pen.widthF();
        painter.drawRect(cell.adjusted(inset, inset, -inset, -inset));
    }
    painter.restore();
}

bool CellAt(const Grid& grid, const QRectF& rect, QPointF point, int& row, int& col) {
    if (!rect.contains(point))
        return false;
    const Edges e = EdgesOf(grid, rect);
    row = col = kGridSize - 1;
    for (int i = 0; i < kGridSize; ++i) {
        if (point.x() < e.x[i + 1]) {
            col = i;
            break;
        }
    }
    for (int i = 0; i < kGridSize; ++i) {
        if (point.y() < e.y[i + 1]) {
            row = i;
            break;
        }
    }
    return true;
}

}  // namespace zw
