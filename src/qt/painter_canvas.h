// The drawing interface on a QPainter: twips become device pixels at the device's resolution.
// The screen's grid view, the printer and the booklet PDF all paint through it.
#pragma once

#include <QPointF>

#include "platform/page.h"

class QPainter;

namespace zw {

class PainterCanvas final : public Canvas {
public:
    // `dpi`: device pixels per inch; `origin`: where twip (0, 0) lies, in device pixels.
    PainterCanvas(QPainter& painter, double dpi, QPointF origin = {});

    double PixelTwips() const override { return 1440.0 / dpi_; }
    void FillRect(int x, int y, int width, int height, Colour colour) override;
    void DrawLine(int x1, int y1, int x2, int y2, double width, Colour colour) override;
    void DrawFocusRect(int x, int y, int width, int height, double lineWidth,
                       Colour colour) override;
    void DrawText(int x, int y, int width, std::string_view text, const Font& font, Colour colour,
                  TextAlign align) override;

private:
    double X(double twips) const { return origin_.x() + twips * scale_; }
    double Y(double twips) const { return origin_.y() + twips * scale_; }

    QPainter& painter_;
    double dpi_;
    double scale_;  // device pixels per twip
    QPointF origin_;
};

}  // namespace zw
