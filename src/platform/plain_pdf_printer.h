// A4 PDF files written by the program itself, in standard C++: zellwerk-cli's booklet, which
// must not pay for loading Qt on every run. Text uses the PDF standard fonts Helvetica and
// Helvetica-Bold in WinAnsiEncoding, whatever face is asked for, so the file embeds no font
// and needs no compression. The file is written beside the target and renamed over it when
// complete, so a failed write leaves the old file as it was; or the document is made in memory,
// for a caller that puts it where no file can be renamed over.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/page.h"

namespace zw {

class PlainPdfPrinter final : public Printer {
public:
    PlainPdfPrinter();
    ~PlainPdfPrinter() override;
    // There is no printer here.
    bool BeginPrinterJob(std::string_view jobName, std::string& error) override;
    bool BeginPdf(const std::string& path, std::string_view title, std::string& error) override;
    // The document in memory; after End, Bytes() holds it.
    bool BeginPdfInMemory(std::string_view title, std::string& error);
    const std::string& Bytes() const { return bytes_; }
    Canvas& Page() override;
    void NewPage() override;
    bool End(std::string& error) override;

    // The width of UTF-8 text in twips as this printer sets it; for tests and for layouts that
    // fit text.
    static double TextWidth(std::string_view text, const Font& font);

private:
    class PageCanvas;

    void Reset();
    void Start(std::string_view title);
    bool Fail(std::string& error, const std::string& reason);
    std::string Document() const;

    std::string title_;
    std::vector<std::string> pages_;  // each page's content stream
    std::unique_ptr<PageCanvas> canvas_;
    std::string bytes_;
    // Writing a file: the name it was given, the file it names (a link's target) and the file
    // beside that which becomes it at End.
    std::string path_;
    std::filesystem::path target_;
    std::filesystem::path tempPath_;
    std::ofstream file_;
    bool started_ = false;
};

}  // namespace zw
