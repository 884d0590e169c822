// The printer of the window: a job on the system's default printer (QPrinter on the default
// QPrinterInfo), or an A4 PDF file (PdfPrinter).
//
// For tests, ZW_PRINT_TO_FILE names a PDF file that takes the printer job instead of the
// default printer; everything else runs the same way.
#pragma once

#include <QPainter>
#include <memory>

#include "platform/page.h"
#include "qt/painter_canvas.h"
#include "qt/pdf_printer.h"

class QPrinter;

namespace zw {

class QtPrinter final : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    bool BeginPrinterJob(std::string_view jobName, std::string& error) override;
    bool BeginPdf(const std::string& path, std::string_view title, std::string& error) override;
    Canvas& Page() override;
    void NewPage() override;
    bool End(std::string& error) override;

private:
    void Reset();

    PdfPrinter pdf_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::unique_ptr<PainterCanvas> canvas_;
};

}  // namespace zw
