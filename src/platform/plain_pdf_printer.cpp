#include "platform/plain_pdf_printer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "files/cp1252.h"
#include "platform/system_platform.h"

namespace zw {

namespace fs = std::filesystem;

namespace {

// The resolution the Qt PDF printer draws at, so that lines of "one device pixel" come out as
// wide in both booklets.
constexpr double kPdfResolution = 1200;
constexpr double kTwipsPerPoint = 20;
// A4 in points, from its millimetres.
constexpr double kPageWidth = 210 / 25.4 * 72;
constexpr double kPageHeight = 297 / 25.4 * 72;

// Advance widths in 1/1000 em of WinAnsiEncoding's characters 32 to 255, from the published
// font metrics of Helvetica and Helvetica-Bold. 0: no character there.
constexpr int kFirstChar = 32;
constexpr std::array<short, 224> kHelvetica = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,   // 32
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,   // 48
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // 64
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,   // 80
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,   // 96
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584, 0,     // 112
    556, 0, 222, 556, 333, 1000, 556, 556, 333, 1000, 667, 333, 1000, 0, 611, 0,      // 128
    0, 222, 222, 333, 333, 350, 556, 1000, 333, 1000, 500, 333, 944, 0, 500, 667,     // 144
    278, 333, 556, 556, 556, 556, 260, 556, 333, 737, 370, 556, 584, 333, 737, 333,   // 160
    400, 584, 333, 333, 333, 556, 537, 278, 333, 333, 365, 556, 834, 834, 834, 611,   // 176
    667, 667, 667, 667, 667, 667, 1000, 722, 667, 667, 667, 667, 278, 278, 278, 278,  // 192
    722, 722, 778, 778, 778, 778, 778, 584, 778, 722, 722, 722, 722, 667, 667, 611,   // 208
    556, 556, 556, 556, 556, 556, 889, 500, 556, 556, 556, 556, 278, 278, 278, 278,   // 224
    556, 556, 556, 556, 556, 556, 556, 584, 611, 556, 556, 556, 556, 500, 556, 500,   // 240
};
constexpr std::array<short, 224> kHelveticaBold = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,   // 32
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,   // 48
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,   // 64
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,   // 80
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,   // 96
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584, 0,     // 112
    556, 0, 278, 556, 500, 1000, 556, 556, 333, 1000, 667, 333, 1000, 0, 611, 0,      // 128
    0, 278, 278, 500, 500, 350, 556, 1000, 333, 1000, 556, 333, 944, 0, 500, 667,     // 144
    278, 333, 556, 556, 556, 556, 280, 556, 333, 737, 370, 556, 584, 333, 737, 333,   // 160
    400, 584, 333, 333, 333, 611, 556, 278, 333, 333, 365, 556, 834, 834, 834, 611,   // 176
    722, 722, 722, 722, 722, 722, 1000, 722, 667, 667, 667, 667, 278, 278, 278, 278,  // 192
    722, 722, 778, 778, 778, 778, 778, 584, 778, 722, 722, 722, 722, 667, 667, 611,   // 208
    556, 556, 556, 556, 556, 556, 889, 556, 556, 556, 556, 556, 278, 278, 278, 278,   // 224
    611, 611, 611, 611, 611, 611, 611, 584, 611, 611, 611, 611, 611, 556, 611, 556,   // 240
};

// The top of a line above its baseline, in em: the line ascent of the sans faces that share
// Helvetica's metrics, so a text's top lies where the Qt painter puts it.
constexpr double kAscent = 0.905;

int AdvanceOf(unsigned char byte, bool bold) {
    if (byte < kFirstChar)
        return 0;
    return (bold ? kHelveticaBold : kHelvetica)[static_cast<std::size_t>(byte - kFirstChar)];
}

// UTF-8 text as the bytes of the standard fonts' WinAnsiEncoding; what it lacks becomes '?'.
std::string WinAnsiOf(std::string_view utf8) {
    std::string bytes;
    EncodeCp1252(utf8, bytes);
    for (char& c : bytes) {
        if (AdvanceOf(static_cast<unsigned char>(c), false) == 0)
            c = '?';
    }
    return bytes;
}

double WidthOf(const std::string& winAnsi, bool bold) {
    int sum = 0;
    for (const char c : winAnsi)
        sum += AdvanceOf(static_cast<unsigned char>(c), bold);
    return sum / 1000.0;
}

// A number as PDF writes it: fixed, no exponent, no trailing zeros, "." whatever the locale.
void Append(std::string& out, double value) {
    char buffer[32];
    if (!std::isfinite(value) || std::abs(value) < 0.0005)
        value = 0;
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    std::string_view text(buffer, ec == std::errc() ? static_cast<std::size_t>(end - buffer) : 0);
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0')
            text.remove_suffix(1);
        if (text.back() == '.')
            text.remove_suffix(1);
    }
    out += text.empty() ? "0" : text;
    out += ' ';
}

void AppendColour(std::string& out, Colour colour, std::string_view op) {
    for (int shift : {0, 8, 16})
        Append(out, ((colour >> shift) & 0xFF) / 255.0);
    out += op;
    out += '\n';
}

// A string of bytes as a PDF literal; bytes outside printable ASCII as octal escapes, so the
// file stays plain text.
void AppendLiteral(std::string& out, std::string_view bytes) {
    out += '(';
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 32 || b > 126) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            out += octal;
        } else {
            out += c;
        }
    }
    out += ')';
}

// UTF-8 as a PDF text string: UTF-16BE with its byte order mark, in hex. Malformed bytes
// become U+FFFD.
std::string TextString(std::string_view utf8) {
    std::string out = "<FEFF";
    auto unit = [&out](unsigned value) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "%04X", value & 0xFFFF);
        out += hex;
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4
                                   : lead >= 0xE0                ? 3
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                                                 : 0;
        char32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F
                                       : length == 3   ? lead & 0x0F
                                                       : lead & 0x07;
        for (int k = 1; k < length; ++k) {
            const std::size_t at = i + static_cast<std::size_t>(k);
            const auto next = at < utf8.size() ? static_cast<unsigned char>(utf8[at]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (length == 0 || overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
            unit(0xFFFD);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
        i += static_cast<std::size_t>(length);
    }
    return out + ">";
}

std::string SystemReason(int code) {
    return std::error_code(code != 0 ? code : EIO, std::generic_category()).message();
}

}  // namespace

// One page's drawing as PDF operators, in points from the bottom-left corner.
class PlainPdfPrinter::PageCanvas final : public Canvas {
public:
    explicit PageCanvas(std::string& content) : content_(&content) {}
    void Retarget(std::string& content) { content_ = &content; }

    double PixelTwips() const override { return 1440.0 / kPdfResolution; }

    void FillRect(int x, int y, int width, int height, Colour colour) override {
        std::string& out = *content_;
        AppendColour(out, colour, "rg");
        Append(out, X(x));
        Append(out, Y(y + height));
        Append(out, width / kTwipsPerPoint);
        Append(out, height / kTwipsPerPoint);
        out += "re f\n";
    }

    void DrawLine(int x1, int y1, int x2, int y2, double width, Colour colour) override {
        std::string& out = *content_;
        AppendColour(out, colour, "RG");
        Append(out, std::max(width, PixelTwips()) / kTwipsPerPoint);
        out += "w 2 J [] 0 d\n";
        Append(out, X(x1));
        Append(out, Y(y1));
        out += "m ";
        Append(out, X(x2));
        Append(out, Y(y2));
        out += "l S\n";
    }

    void DrawFocusRect(int x, int y, int width, int height, double lineWidth,
                       Colour colour) override {
        std::string& out = *content_;
        const double w = std::max(lineWidth, PixelTwips()) / kTwipsPerPoint;
        AppendColour(out, colour, "RG");
        Append(out, w);
        // Dots one line width long, two apart.
        out += "w 0 J [";
        Append(out, w);
        Append(out, 2 * w);
        out += "] 0 d\n";
        Append(out, X(x));
        Append(out, Y(y + height));
        Append(out, width / kTwipsPerPoint);
        Append(out, height / kTwipsPerPoint);
        out += "re S\n";
    }

    void DrawText(int x, int y, int width, std::string_view text, const Font& font,
                  Colour colour, TextAlign align) override {
        const std::string bytes = WinAnsiOf(text);
        if (bytes.empty())
            return;
        const double size = std::max(font.points, 0.0);
        double left = X(x);
        if (align == TextAlign::Center)
            left += (width / kTwipsPerPoint - WidthOf(bytes, font.bold) * size) / 2;
        std::string& out = *content_;
        out += "BT\n";
        AppendColour(out, colour, "rg");
        out += font.bold ? "/F2 " : "/F1 ";
        Append(out, size);
        out += "Tf\n";
        Append(out, left);
        Append(out, Y(y) - kAscent * size);
        out += "Td\n";
        AppendLiteral(out, bytes);
        out += " Tj\nET\n";
    }

private:
    static double X(double twips) { return twips / kTwipsPerPoint; }
    static double Y(double twips) { return kPageHeight - twips / kTwipsPerPoint; }

    std::string* content_;
};

PlainPdfPrinter::PlainPdfPrinter() = default;

PlainPdfPrinter::~PlainPdfPrinter() {
    Reset();
}

double PlainPdfPrinter::TextWidth(std::string_view text, const Font& font) {
    return WidthOf(WinAnsiOf(text), font.bold) * font.points * kTwipsPerPoint;
}

void PlainPdfPrinter::Reset() {
    if (file_.is_open())
        file_.close();
    if (!tempPath_.empty()) {
        std::error_code ignored;
        fs::remove(tempPath_, ignored);
    }
    tempPath_.clear();
    path_.clear();
    target_.clear();
    pages_.clear();
    canvas_.reset();
    started_ = false;
}

void PlainPdfPrinter::Start(std::string_view title) {
    title_ = title;
    pages_.assign(1, std::string());
    canvas_ = std::make_unique<PageCanvas>(pages_.back());
    started_ = true;
}

bool PlainPdfPrinter::BeginPrinterJob(std::string_view, std::string& error) {
    error = "Es ist kein Drucker verfügbar.";
    return false;
}

bool PlainPdfPrinter::Fail(std::string& error, const std::string& reason) {
    error = "Die Datei \"" + path_ + "\" kann nicht geschrieben werden (" + reason + ").";
    Reset();
    return false;
}

bool PlainPdfPrinter::BeginPdf(const std::string& path, std::string_view title,
                               std::string& error) {
    Reset();
    bytes_.clear();
    path_ = path;
    std::error_code ec;
    const fs::path target = SaveTarget(path);
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return Fail(error, SystemReason(EISDIR));
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        // A device or a pipe is written into, never replaced by a file.
        errno = 0;
        file_.open(target, std::ios::binary);
        if (!file_)
            return Fail(error, SystemReason(errno ? errno : EACCES));
        Start(title);
        return true;
    }
    if (fs::exists(status)) {
        // A write-protected file keeps its protection, although a rename would replace it.
        errno = 0;
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe)
            return Fail(error, SystemReason(errno ? errno : EACCES));
    }
    const fs::path temp = TempPathBeside(target);
    errno = 0;
    file_.open(temp, std::ios::binary | std::ios::trunc);
    if (!file_)
        return Fail(error, SystemReason(errno ? errno : EACCES));
    tempPath_ = temp;
    target_ = target;
    if (fs::exists(status))
        fs::permissions(temp, status.permissions(), ec);
    Start(title);
    return true;
}

bool PlainPdfPrinter::BeginPdfInMemory(std::string_view title, std::string& error) {
    Reset();
    bytes_.clear();
    error.clear();
    Start(title);
    return true;
}

Canvas& PlainPdfPrinter::Page() {
    return *canvas_;
}

void PlainPdfPrinter::NewPage() {
    if (!started_)
        return;
    pages_.emplace_back();
    canvas_->Retarget(pages_.back());
}

std::string PlainPdfPrinter::Document() const {
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    auto object = [&](const std::string& body) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    // 1 catalog, 2 page tree, 3 and 4 the fonts, 5 the document's information, then each page
    // and its content.
    const std::size_t firstPage = 6;
    std::string kids;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        kids += (i ? " " : "") + std::to_string(firstPage + 2 * i) + " 0 R";
    object("<< /Type /Catalog /Pages 2 0 R >>");
    std::string box;
    for (double v : {0.0, 0.0, kPageWidth, kPageHeight})
        Append(box, v);
    box.pop_back();
    object("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) +
           " /MediaBox [" + box + "] >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    object(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
    object("<< /Title " + TextString(title_) + " /Creator (Zellwerk) /Producer (Zellwerk) >>");
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const std::string content = std::to_string(firstPage + 2 * i + 1) + " 0 R";
        object("<< /Type /Page /Parent 2 0 R /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> "
               "/Contents " +
               content + " >>");
        object("<< /Length " + std::to_string(pages_[i].size()) + " >>\nstream\n" + pages_[i] +
               "endstream");
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        const std::string digits = std::to_string(offset);
        pdf += std::string(10 - std::min<std::size_t>(digits.size(), 10), '0') + digits +
               " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

bool PlainPdfPrinter::End(std::string& error) {
    if (!started_)
        return false;
    bytes_ = Document();
    if (!file_.is_open()) {
        Reset();
        return true;
    }
    errno = 0;
    file_.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    file_.flush();
    file_.close();
    const int code = errno;
    if (!file_)
        return Fail(error, SystemReason(code));
    if (!tempPath_.empty()) {
        std::error_code ec;
        fs::rename(tempPath_, target_, ec);
        if (ec)
            return Fail(error, ec.message());
        tempPath_.clear();
    }
    Reset();
    bytes_.clear();
    return true;
}

}  // namespace zw
