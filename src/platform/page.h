// Drawing on paper and on screen, and the printer that hands out the pages.
//
// All lengths are twips (1/1440 inch) from the top-left corner of the page (of the printable
// area on a printer) or of the view. Colours are 0x00BBGGRR values, as the grid stores them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zw {

using Colour = std::uint32_t;

struct Font {
    std::string face;  // empty: the device's default face
    double points = 12.0;
    bool bold = false;
};

enum class TextAlign { Left, Center };

class Canvas {
public:
    virtual ~Canvas() = default;
    // Twips per device pixel: 15 on a 96-dpi screen, 2.4 on a 600-dpi printer. Line widths
    // that are meant in device pixels are converted with it.
    virtual double PixelTwips() const = 0;
    virtual void FillRect(int x, int y, int width, int height, Colour colour) = 0;
    // A straight line `width` twips wide, centred on the line between the two points.
    virtual void DrawLine(int x1, int y1, int x2, int y2, double width, Colour colour) = 0;
    // A dotted outline, the focus mark of the current cell.
    virtual void DrawFocusRect(int x, int y, int width, int height, double lineWidth,
                               Colour colour) = 0;
    // One line of UTF-8 text with its top at y. Left: it starts at x. Center: it is centred
    // on x + width / 2. The text is not clipped.
    virtual void DrawText(int x, int y, int width, std::string_view text, const Font& font,
                          Colour colour, TextAlign align) = 0;
};

// A document of pages: a job on the system's default printer, or an A4 PDF file whose page
// is the whole sheet (no margins). Page() is valid between a successful Begin and End.
class Printer {
public:
    virtual ~Printer() = default;
    // false, with the reason in German, when there is no default printer or it cannot start.
    virtual bool BeginPrinterJob(std::string_view jobName, std::string& error) = 0;
    // false, with the reason in German, when the file cannot be written.
    virtual bool BeginPdf(const std::string& path, std::string_view title, std::string& error) = 0;
    virtual Canvas& Page() = 0;
    virtual void NewPage() = 0;
    // Sends the job or finishes the file. false, with the reason in German, when the printer or
    // the file reported an error; a PDF file is then left as it was before.
    virtual bool End(std::string& error) = 0;
};

// A4 in twips.
constexpr int kA4Width = 11906;
constexpr int kA4Height = 16838;

}  // namespace zw
