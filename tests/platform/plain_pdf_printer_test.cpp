// The core's own PDF files, read back by the system's PDF tools: their structure, their text and
// where it lands, and files that cannot be written. Tests run as root, where permissions stop
// nothing, so failures come from paths that cannot work.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/plain_pdf_printer.h"
#include "support/test_board.h"

namespace zw {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

struct TempDir {
    TempDir() { fs::create_directories(path); }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), {}));
    }
    fs::path path = fs::temp_directory_path() / ("zw-pdf-" + std::to_string(std::random_device()()));
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string OutputOf(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, got);
        pclose(pipe);
    }
    return out;
}

const Font kText{"Arial", 12, false};
const Font kBold{"Arial", 16, true};

// Two pages as the booklet draws them: text, lines, a filled cell and a focus mark.
std::string TwoPages(const std::string& title) {
    PlainPdfPrinter pdf;
    std::string error;
    EXPECT_TRUE(pdf.BeginPdfInMemory(title, error));
    pdf.Page().FillRect(1000, 1000, 600, 600, 0xFFE0E0);
    pdf.Page().DrawLine(1000, 1000, 5000, 1000, 45, 0);
    pdf.Page().DrawFocusRect(1100, 1100, 400, 400, 25, 0);
    pdf.Page().DrawText(0, 2000, kA4Width, "Lösungen", kBold, 0, TextAlign::Center);
    pdf.NewPage();
    pdf.Page().DrawText(1134, 1134, 0, "Rätsel 3 – Groß (4,2) → (x)", kText, 0xA00000,
                        TextAlign::Left);
    EXPECT_TRUE(pdf.End(error)) << error;
    return pdf.Bytes();
}

// Every object the cross-reference table lists starts where it says, and the table is where
// startxref says.
TEST(PlainPdf, TheCrossReferenceTableFindsEveryObject) {
    const std::string pdf = TwoPages("SuDoKu-Heft");
    ASSERT_EQ(pdf.substr(0, 8), "%PDF-1.4");
    const std::size_t start = pdf.rfind("startxref\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(start + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    std::istringstream table(pdf.substr(xref + 5));
    std::size_t first = 1, count = 0;
    table >> first >> count;
    EXPECT_EQ(first, 0u);
    EXPECT_NE(pdf.find("/Size " + std::to_string(count) + " "), std::string::npos);
    for (std::size_t n = 0; n < count; ++n) {
        std::string offset, generation, kind;
        table >> offset >> generation >> kind;
        ASSERT_EQ(offset.size(), 10u);
        if (n == 0) {
            EXPECT_EQ(kind, "f");
            continue;
        }
        EXPECT_EQ(kind, "n");
        const std::string head = std::to_string(n) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(std::stoul(offset), head.size(), head), 0) << "object " << n;
    }
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

// The system's tools read the document: an A4 page size, the title and producer, the texts with
// their umlauts and dash, a '?' for what the standard fonts lack, and a centred heading centred.
TEST(PlainPdf, PdfToolsReadPagesTitleAndTextBack) {
    TempDir dir;
    const std::string path = dir / "heft.pdf";
    WriteFile(path, TwoPages("Heft für Grüße"));
    const std::string info = OutputOf("pdfinfo '" + path + "'");
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Heft für Grüße"), std::string::npos) << info;
    EXPECT_NE(info.find("Producer:        Zellwerk"), std::string::npos) << info;
    EXPECT_EQ(info.find("Error"), std::string::npos) << info;
    const std::string text = OutputOf("pdftotext '" + path + "' - 2>&1");
    EXPECT_NE(text.find("Lösungen"), std::string::npos) << text;
    EXPECT_NE(text.find("Rätsel 3 – Groß (4,2) ? (x)"), std::string::npos) << text;

    // The word's box as the reader measures it with its own metrics of the font.
    const std::string box = OutputOf("pdftotext -bbox -f 1 -l 1 '" + path + "' -");
    const std::size_t word = box.find("<word xMin=\"");
    ASSERT_NE(word, std::string::npos) << box;
    double xMin = 0, yMin = 0, xMax = 0;
    ASSERT_EQ(std::sscanf(box.c_str() + word, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\"",
                          &xMin, &yMin, &xMax),
              3)
        << box;
    EXPECT_NEAR((xMin + xMax) / 2, kA4Width / 40.0, 0.1);
    EXPECT_NEAR(xMax - xMin, PlainPdfPrinter::TextWidth("Lösungen", kBold) / 20, 0.1);
}

// A file is replaced whole and keeps its links and rights; one that cannot be written is left as
// it was, with the reason in German; a device is written into, not replaced.
TEST(PlainPdf, WritesReplaceWholeFilesOrLeaveThemAsTheyWere) {
    TempDir dir;
    std::string error;
    const std::string old = dir / "heft.pdf";
    WriteFile(old, "old");
    fs::permissions(old, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(old, dir / "link.pdf");
    {
        PlainPdfPrinter pdf;
        ASSERT_TRUE(pdf.BeginPdf(dir / "link.pdf", "Heft", error)) << error;
        pdf.Page().DrawText(0, 0, 0, "neu", kText, 0, TextAlign::Left);
        EXPECT_EQ(ReadFile(old), "old");
        ASSERT_TRUE(pdf.End(error)) << error;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "link.pdf"));
    EXPECT_EQ(ReadFile(old).substr(0, 5), "%PDF-");
    EXPECT_EQ(fs::status(old).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.Entries(), 2u);

    // A name so long that no file can be made beside it, and a folder that is not there.
    const std::string longName = dir / (std::string(240, 'x') + ".pdf");
    WriteFile(longName, "old");
    PlainPdfPrinter pdf;
    EXPECT_FALSE(pdf.BeginPdf(longName, "Heft", error));
    EXPECT_EQ(error, "Die Datei \"" + longName + "\" kann nicht geschrieben werden (" +
                         std::make_error_code(std::errc::filename_too_long).message() + ").");
    EXPECT_EQ(ReadFile(longName), "old");
    EXPECT_FALSE(pdf.BeginPdf(dir / "fehlt/heft.pdf", "Heft", error));
    EXPECT_EQ(error, "Die Datei \"" + (dir / "fehlt/heft.pdf") +
                         "\" kann nicht geschrieben werden (No such file or directory).");
    EXPECT_FALSE(pdf.BeginPrinterJob("Heft", error));
    EXPECT_EQ(error, "Es ist kein Drucker verfügbar.");
    EXPECT_EQ(dir.Entries(), 3u);

    if (fs::exists("/dev/full")) {
        ASSERT_TRUE(pdf.BeginPdf("/dev/full", "Heft", error)) << error;
        EXPECT_FALSE(pdf.End(error));
        EXPECT_EQ(error,
                  "Die Datei \"/dev/full\" kann nicht geschrieben werden (No space left on device).");
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

}  // namespace
}  // namespace zw
