#include "qt/qt_printer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace zw {

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() {
    Reset();
}

void QtPrinter::Reset() {
    if (painter_.isActive())
        painter_.end();
    canvas_.reset();
    printer_.reset();
}

bool QtPrinter::BeginPrinterJob(std::string_view jobName, std::string& error) {
    Reset();
    const QByteArray toFile = qgetenv("ZW_PRINT_TO_FILE");
    if (toFile.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            error = "Es ist kein Standarddrucker eingerichtet.";
            return false;
        }
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(QString::fromLocal8Bit(toFile));
    }
    printer_->setDocName(QString::fromUtf8(jobName.data(), static_cast<qsizetype>(jobName.size())));
    printer_->setCreator(QStringLiteral("Zellwerk"));
    if (!painter_.begin(printer_.get())) {
        error = "Der Drucker \"" + printer_->printerName().toStdString() +
                "\" lässt sich nicht ansprechen.";
        Reset();
        return false;
    }
    // The painter's origin is the top-left corner of the printable area.
    canvas_ = std::make_unique<PainterCanvas>(painter_, printer_->resolution());
    return true;
}

bool QtPrinter::BeginPdf(const std::string& path, std::string_view title, std::string& error) {
    Reset();
    return pdf_.BeginPdf(path, title, error);
}

Canvas& QtPrinter::Page() {
    return canvas_ ? static_cast<Canvas&>(*canvas_) : pdf_.Page();
}

void QtPrinter::NewPage() {
    if (printer_)
        printer_->newPage();
    else
        pdf_.NewPage();
}

bool QtPrinter::End(std::string& error) {
    if (!printer_)
        return pdf_.End(error);
    bool ok = painter_.end();
    if (printer_->printerState() == QPrinter::Error)
        ok = false;
    if (!ok)
        error = "Der Drucker meldet einen Fehler.";
    canvas_.reset();
    printer_.reset();
    return ok;
}

}  // namespace zw
