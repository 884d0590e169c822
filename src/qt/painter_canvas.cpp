#include "qt/painter_canvas.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace zw {

namespace {

QColor ToQColor(Colour c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// The face asked for where it is installed, else a bold-capable sans that every system with
// Qt has; an empty face is the device's default.
QFont FontOf(const Font& font, double scale) {
    QFont qfont;
    if (!font.face.empty()) {
        // A family list, not a hasFamily() test: that asks fontconfig anew on every call,
        // some 0.2 ms, and a grid of candidates draws hundreds of texts per repaint.
        qfont.setFamilies({QString::fromStdString(font.face), QStringLiteral("DejaVu Sans")});
        qfont.setStyleHint(QFont::SansSerif);
    }
    qfont.setBold(font.bold);
    // Points to device pixels: 20 twips to the point.
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * 20 * scale))));
    return qfont;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, double dpi, QPointF origin)
    : painter_(painter), dpi_(dpi), scale_(dpi / 1440.0), origin_(origin) {}

void PainterCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
    painter_.fillRect(QRectF(X(x), Y(y), width * scale_, height * scale_), ToQColor(colour));
}

void PainterCanvas::DrawLine(int x1, int y1, int x2, int y2, double width, Colour colour) {
    QPen pen(ToQColor(colour), std::max(1.0, width * scale_));
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(X(x1), Y(y1)), QPointF(X(x2), Y(y2)));
}

void PainterCanvas::DrawFocusRect(int x, int y, int width, int height, double lineWidth,
                                  Colour colour) {
    QPen pen(ToQColor(colour), std::max(1.0, lineWidth * scale_));
    pen.setStyle(Qt::DotLine);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(X(x), Y(y), width * scale_, height * scale_));
}

void PainterCanvas::DrawText(int x, int y, int width, std::string_view text, const Font& font,
                             Colour colour, TextAlign align) {
    painter_.setFont(FontOf(font, scale_));
    painter_.setPen(ToQColor(colour));
    const Qt::Alignment horizontal = align == TextAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    painter_.drawText(QRectF(X(x), Y(y), width * scale_, 0),
                      horizontal | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace zw
