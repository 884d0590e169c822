// Puzzle files on the real disk: the atomic write and the reasons given for failures. Tests run
// as root, where permissions stop nothing, so failures come from paths that cannot work.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "platform/system_platform.h"
#include "support/test_board.h"

namespace zw {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    TempDir() {
        std::random_device rd;
        path = fs::temp_directory_path() / ("zw-files-" + std::to_string(rd()));
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), {}));
    }
    fs::path path;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A main window whose files are on disk.
struct DiskForm {
    MemoryPlatform mp;
    DiskFileStore disk;
    Platform platform = mp.With({.files = &disk});
    frmMain form{platform};
    DiskForm() { form.Form_Load(); }
};

TEST(DiskFiles, SaveAndLoadRoundTripAndLeaveNoTemporaryFile) {
    TempDir dir;
    DiskForm f;
    f.form.Matrix.SetText(0, 0, "5");
    f.form.AddLog("Lösen...");
    f.mp.fileDialog.answers.push_back(dir / "a.sudoku");
    f.form.mFileSaveAs_Click();
    const std::string saved = ReadFile(dir / "a.sudoku");
    EXPECT_EQ(saved, "5" + std::string(80, ' ') + "14:03:27\tL\xF6sen...\r\n");
    EXPECT_EQ(dir.Entries(), 1u);

    f.form.mFileNew_Click();
    f.mp.fileDialog.answers.push_back(dir / "a.sudoku");
    f.form.mFileOpen_Click();
    EXPECT_EQ(f.form.List1.lines[0], "14:03:27\tLösen...");
    WriteFile(dir / "a.sudoku", "stale and longer than the new content");
    f.form.mFileSave_Click();  // replaces the whole file
    EXPECT_EQ(ReadFile(dir / "a.sudoku"), saved);
    EXPECT_TRUE(f.mp.messages.shown.empty());
}

TEST(DiskFiles, WritesThatCannotWorkAreRefusedWithAReason) {
    TempDir dir;
    WriteFile(dir / "plain", "x");
    fs::create_directory(dir.path / "folder");
    DiskFileStore disk;
    std::string error;
    EXPECT_FALSE(disk.WriteAll(dir / "plain/a.sudoku", "y", error));
    EXPECT_EQ(error, "Ein Teil des Pfades ist kein Ordner.");
    EXPECT_FALSE(disk.WriteAll(dir / "folder", "y", error));
    EXPECT_EQ(error, "Der Pfad ist ein Ordner.");
    EXPECT_FALSE(disk.WriteAll(dir / "nowhere/a.sudoku", "y", error));
    EXPECT_EQ(error, "Der Ordner wurde nicht gefunden.");
    EXPECT_EQ(ReadFile(dir / "plain"), "x");
    EXPECT_EQ(dir.Entries(), 2u) << "no temporary file is left behind";

    DiskForm f;
    f.form.AddLog("a");
    f.mp.fileDialog.answers.push_back(dir / "folder");
    f.form.mFileSaveAs_Click();
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].text, "Die Datei \"" + (dir / "folder") +
                                               "\" kann nicht gespeichert werden.\n\nDer Pfad "
                                               "ist ein Ordner.");
    EXPECT_FALSE(f.form.mySaved);
}

TEST(DiskFiles, ReadsThatCannotWorkAreRefusedWithAReason) {
    TempDir dir;
    WriteFile(dir / "plain", "x");
    DiskFileStore disk;
    std::string bytes = "kept", error;
    EXPECT_FALSE(disk.ReadAll(dir / "missing.sudoku", bytes, error));
    EXPECT_EQ(error, "Die Datei wurde nicht gefunden.");
    EXPECT_FALSE(disk.ReadAll(dir.path.string(), bytes, error));
    EXPECT_EQ(error, "Der Pfad ist ein Ordner.");
    EXPECT_FALSE(disk.ReadAll(dir / "plain/a.sudoku", bytes, error));
    EXPECT_EQ(error, "Ein Teil des Pfades ist kein Ordner.");
    EXPECT_EQ(bytes, "kept");
}

TEST(DiskFiles, SavingThroughALinkKeepsTheLink) {
    TempDir dir;
    WriteFile(dir / "real.sudoku", "old");
    fs::create_symlink(dir.path / "real.sudoku", dir.path / "link.sudoku");
    DiskFileStore disk;
    std::string error;
    ASSERT_TRUE(disk.WriteAll(dir / "link.sudoku", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.sudoku"));
    EXPECT_EQ(ReadFile(dir / "real.sudoku"), "new");
}

}  // namespace
}  // namespace zw
