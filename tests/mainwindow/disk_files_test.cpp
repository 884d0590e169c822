// Puzzle files on the real disk: the atomic write and the reasons given for failures. Tests run
// as root, where permissions stop nothing, so failures come from paths that cannot work.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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

TEST(DiskFiles, OnlyRegularFilesOfAtMostTheLimitAreRead) {
    TempDir dir;
    std::vector<std::pair<std::string, std::string>> refused;  // path, reason
    const fs::path big = dir.path / "big.sudoku";
    std::ofstream(big).close();
    fs::resize_file(big, DiskFileStore::kMaxReadBytes + 1);  // sparse: takes no room
    refused.emplace_back(big.string(), "Die Datei ist größer als 1 GB.");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    refused.emplace_back(dir / "fifo", "Das ist keine Datei, sondern eine Pipe.");
    if (fs::exists("/dev/zero"))
        refused.emplace_back("/dev/zero", "Das ist keine Datei, sondern ein Gerät.");
#endif
    for (const auto& [path, reason] : refused) {
        DiskForm f;
        f.form.AddLog("a");
        f.mp.messages.answers.push_back(MsgAnswer::No);
        f.mp.fileDialog.answers.push_back(path);
        f.form.mFileOpen_Click();  // a read would wait for ever or fill the memory
        ASSERT_EQ(f.mp.messages.shown.size(), 2u) << path;
        EXPECT_EQ(f.mp.messages.shown[1].text,
                  "Die Datei \"" + path + "\" kann nicht geöffnet werden.\n\n" + reason);
        EXPECT_EQ(f.form.List1.ListCount(), 1u);
        EXPECT_FALSE(f.form.mySaved);
    }
}

// A file that must stay the same file, or whose folder takes no new file, is written in place.
TEST(DiskFiles, WritesInPlaceWhereReplacingTheFileWouldNotDo) {
    TempDir dir;
    DiskFileStore disk;
    std::string error;
    WriteFile(dir / "a.sudoku", "old");
    fs::create_hard_link(dir.path / "a.sudoku", dir.path / "b.sudoku");
    ASSERT_TRUE(disk.WriteAll(dir / "a.sudoku", "new", error)) << error;
    EXPECT_EQ(ReadFile(dir / "b.sudoku"), "new") << "the other name sees the new content";

    // The temporary name beside this one is too long for the file system, as a folder that takes
    // no new file refuses it.
    const std::string longName = dir / std::string(240, 'x');
    WriteFile(longName, "old");
    ASSERT_TRUE(disk.WriteAll(longName, "new", error)) << error;
    EXPECT_EQ(ReadFile(longName), "new");
    EXPECT_EQ(dir.Entries(), 3u) << "no temporary file is left behind";

#ifndef _WIN32
    if (::chown((dir / "a.sudoku").c_str(), 4321, 4321) == 0) {  // only root can give it away
        ASSERT_TRUE(disk.WriteAll(dir / "a.sudoku", "newer", error)) << error;
        struct stat st {};
        ASSERT_EQ(::stat((dir / "a.sudoku").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 4321u) << "the file keeps its owner";
    }
#endif
}

#ifndef _WIN32
TEST(DiskFiles, SavesAFileWhoseFolderIsReadOnly) {
    TempDir dir;
    WriteFile(dir / "a.sudoku", "old");
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    const bool folderRefuses = !std::ofstream(dir / "probe").is_open();
    std::error_code ignored;
    fs::remove(dir.path / "probe", ignored);
    DiskFileStore disk;
    std::string error;
    const bool saved = disk.WriteAll(dir / "a.sudoku", "new", error);
    fs::permissions(dir.path, fs::perms::owner_all);
    if (!folderRefuses)
        GTEST_SKIP() << "permissions stop nothing for this user (root)";
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(ReadFile(dir / "a.sudoku"), "new");
}
#endif

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
