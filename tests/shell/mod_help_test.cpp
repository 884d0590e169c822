#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_board.h"

namespace zw {
namespace {

namespace fs = std::filesystem;

// Help opens Help.pdf from the program's folder (a blank in its name, as in many real ones)
// only when it is a file there; when it is missing or no viewer starts, a message names the
// file. It logs nothing.
TEST(Help, OpensHelpPdfFromTheProgramDirectoryOrSaysWhyNot) {
    const fs::path dir = fs::temp_directory_path() / "zw help test";
    const std::string path = (dir / "Help.pdf").string();
    const std::string missing = "Die Hilfe kann nicht geöffnet werden: Die Datei fehlt.\r\n\r\n";
    const std::string noViewer =
        "Die Hilfe kann nicht geöffnet werden: Für PDF-Dateien ist kein Anzeigeprogramm "
        "eingerichtet.\r\n\r\n";
    const struct {
        const char* kind;
        bool viewerFails;
        bool opened;
        std::string message;
    } cases[] = {
        {"none", false, false, missing + path},
        {"folder", false, false, missing + path},
        {"file", false, true, ""},
        {"file", true, true, noViewer + path},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (c.kind == std::string("folder"))
            fs::create_directory(dir / "Help.pdf");
        if (c.kind == std::string("file"))
            std::ofstream(dir / "Help.pdf") << "%PDF-1.4\n";
        test::FormFixture f;
        f.mp.platform.program.directory = dir.string();
        f.mp.shell.failOpen = c.viewerFails;
        f.form.mHelpHelp_Click();
        EXPECT_EQ(f.mp.shell.opened, c.opened ? std::vector<std::string>{path + "|" + dir.string()}
                                              : std::vector<std::string>{})
            << c.kind;
        EXPECT_EQ(f.mp.messages.shown.empty() ? "" : f.mp.messages.shown.front().text, c.message)
            << c.kind;
        EXPECT_EQ(f.form.List1.ListCount(), 0u);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zw
