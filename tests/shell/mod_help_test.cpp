#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_board.h"

namespace zw {
namespace {

namespace fs = std::filesystem;

// Help opens Help.pdf from the program's folder (a blank in its name, as in many real ones)
// only when it is a file there; it logs nothing and changes nothing.
TEST(Help, OpensHelpPdfFromTheProgramDirectoryOnlyWhenItIsAFile) {
    const fs::path dir = fs::temp_directory_path() / "zw help test";
    for (const char* kind : {"none", "folder", "file"}) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (kind == std::string("folder"))
            fs::create_directory(dir / "Help.pdf");
        if (kind == std::string("file"))
            std::ofstream(dir / "Help.pdf") << "%PDF-1.4\n";
        test::FormFixture f;
        f.mp.platform.program.directory = dir.string();
        f.form.mHelpHelp_Click();
        EXPECT_EQ(f.mp.shell.opened, kind == std::string("file")
                                         ? std::vector<std::string>{(dir / "Help.pdf").string() +
                                                                    "|" + dir.string()}
                                         : std::vector<std::string>{})
            << kind;
        EXPECT_EQ(f.form.List1.ListCount(), 0u);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zw
