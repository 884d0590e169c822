#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mainwindow/about_info.h"
#include "support/test_board.h"

namespace zw {
namespace {

namespace fs = std::filesystem;

struct HelpDir {
    HelpDir() {
        // A blank in the name, as in many real program folders.
        dir = fs::temp_directory_path() /
              ("zw help " +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
    }
    ~HelpDir() { fs::remove_all(dir); }
    fs::path dir;
};

TEST(Help, OpensHelpPdfFromTheProgramDirectoryOnlyWhenItIsThere) {
    HelpDir tmp;
    test::FormFixture f;
    f.mp.platform.program.directory = tmp.dir.string();
    f.form.mHelpHelp_Click();
    EXPECT_TRUE(f.mp.shell.opened.empty());
    std::ofstream(tmp.dir / "Help.pdf") << "%PDF-1.4\n";
    f.form.mHelpHelp_Click();
    ASSERT_EQ(f.mp.shell.opened.size(), 1u);
    EXPECT_EQ(f.mp.shell.opened[0], (tmp.dir / "Help.pdf").string() + "|" + tmp.dir.string());
    // Help writes no log line and changes nothing.
    EXPECT_TRUE(f.form.List1.lines.Empty());
    EXPECT_TRUE(f.form.mySaved);
}

TEST(Help, AFolderNamedHelpPdfIsNoDocument) {
    HelpDir tmp;
    test::FormFixture f;
    f.mp.platform.program.directory = tmp.dir.string();
    fs::create_directory(tmp.dir / "Help.pdf");
    f.form.mHelpHelp_Click();
    EXPECT_TRUE(f.mp.shell.opened.empty());
}

TEST(About, InfoShowsTheDialogAndItsDataFollowTheVersion) {
    test::FormFixture f;
    f.form.mAbout_Click();
    f.form.mAbout_Click();
    EXPECT_EQ(f.mp.dialogs.infoShown, 2);
    const AboutInfo info = MakeAboutInfo(f.mp.platform.program);
    EXPECT_EQ(info.productName, "Zellwerk");
    EXPECT_EQ(info.version, ZW_VERSION_STRING);
    EXPECT_EQ(info.version, "1.2.0");
    ProgramInfo other;
    other.major = 10, other.minor = 2, other.revision = 30;
    EXPECT_EQ(VersionText(other), "10.2.30");  // never padded ("1.02")
    // Three sections, every line ended by CR LF, an empty line between the sections.
    const std::string& c = info.credits;
    EXPECT_EQ(c.rfind("Entwickler:\r\n", 0), 0u);
    EXPECT_NE(c.find("\r\n\r\nReferenzen:\r\n"), std::string::npos);
    EXPECT_NE(c.find("\r\n\r\nBesten Dank:\r\n"), std::string::npos);
    EXPECT_EQ(c.substr(c.size() - 2), "\r\n");
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c[i] == '\n') {
            EXPECT_EQ(c[i - 1], '\r') << "bare LF at " << i;
        }
    }
}

}  // namespace
}  // namespace zw
