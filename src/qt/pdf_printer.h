// A4 PDF files as the printer's documents (QPdfWriter, Qt Gui only): the window's booklet and
// the manual's PDF; zellwerk-cli has its own (platform/plain_pdf_printer.h). The file is written
// beside the target and renamed over it when complete, so a failed write leaves the old file as
// it was; or the document is made in memory, for a caller that puts it where no file can be
// renamed over. Needs a QGuiApplication for its fonts.
#pragma once

#include <QPainter>
#include <memory>

#include "platform/page.h"
#include "qt/painter_canvas.h"

class QBuffer;
class QByteArray;
class QIODevice;
class QPdfWriter;
class QSaveFile;

namespace zw {

class PdfPrinter final : public Printer {
public:
    PdfPrinter();
    ~PdfPrinter() override;
    // There is no printer here.
    bool BeginPrinterJob(std::string_view jobName, std::string& error) override;
    bool BeginPdf(const std::string& path, std::string_view title, std::string& error) override;
    // The document in memory; after End, Bytes() holds it.
    bool BeginPdfInMemory(std::string_view title, std::string& error);
    const QByteArray& Bytes() const;
    Canvas& Page() override { return *canvas_; }
    void NewPage() override;
    bool End(std::string& error) override;

private:
    void Reset();
    bool StartWriter(QIODevice* device, std::string_view title, const std::string& path,
                     std::string& error);

    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QBuffer> memory_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter painter_;
    std::unique_ptr<PainterCanvas> canvas_;
};

}  // namespace zw
