#include "qt/pdf_printer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace zw {

namespace {

constexpr int kPdfResolution = 1200;

}  // namespace

PdfPrinter::PdfPrinter() = default;

PdfPrinter::~PdfPrinter() {
    Reset();
}

void PdfPrinter::Reset() {
    if (painter_.isActive())
        painter_.end();
    canvas_.reset();
    pdf_.reset();
    if (file_)
        file_->cancelWriting();
    file_.reset();
    memory_.reset();
}

bool PdfPrinter::BeginPrinterJob(std::string_view, std::string& error) {
    error = "Es ist kein Drucker verfügbar.";
    return false;
}

bool PdfPrinter::BeginPdf(const std::string& path, std::string_view title, std::string& error) {
    Reset();
    file_ = std::make_unique<QSaveFile>(QString::fromStdString(path));
    if (!file_->open(QIODevice::WriteOnly)) {
        error = "Die Datei \"" + path + "\" kann nicht geschrieben werden (" +
                file_->errorString().toStdString() + ").";
        Reset();
        return false;
    }
    return StartWriter(file_.get(), title, path, error);
}

bool PdfPrinter::BeginPdfInMemory(std::string_view title, std::string& error) {
    Reset();
    memory_ = std::make_unique<QBuffer>();
    memory_->open(QIODevice::WriteOnly);
    return StartWriter(memory_.get(), title, "", error);
}

const QByteArray& PdfPrinter::Bytes() const {
    return memory_->data();
}

bool PdfPrinter::StartWriter(QIODevice* device, std::string_view title, const std::string& path,
                             std::string& error) {
    pdf_ = std::make_unique<QPdfWriter>(device);
    pdf_->setResolution(kPdfResolution);
    pdf_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                    QPageLayout::Point));
    pdf_->setTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    pdf_->setCreator(QStringLiteral("Zellwerk"));
    if (!painter_.begin(pdf_.get())) {
        error = "Die Datei \"" + path + "\" kann nicht geschrieben werden.";
        Reset();
        return false;
    }
    canvas_ = std::make_unique<PainterCanvas>(painter_, kPdfResolution);
    return true;
}

void PdfPrinter::NewPage() {
    if (pdf_)
        pdf_->newPage();
}

bool PdfPrinter::End(std::string& error) {
    const bool painted = painter_.end();
    canvas_.reset();
    pdf_.reset();  // writes the rest of the file
    if (memory_)
        return painted;
    const bool ok = painted && file_ && file_->commit();
    if (!ok)
        error = "Die Datei \"" + (file_ ? file_->fileName().toStdString() : std::string()) +
                "\" kann nicht geschrieben werden (" +
                (file_ ? file_->errorString().toStdString() : std::string()) + ").";
    file_.reset();
    return ok;
}

}  // namespace zw
