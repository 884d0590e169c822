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

#include "platform/number_format.h"
#include "platform/system_platform.h"
#include "support/test_board.h"

namespace zw {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    TempDir() { fs::create_directories(path); }
    ~TempDir() {
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, ignored);
        fs::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), {}));
    }
    fs::path path = fs::temp_directory_path() / ("zw-files-" + std::to_string(std::random_device()()));
};

using test::ReadFile;

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

TEST(DiskFiles, SaveReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    DiskForm f;
    f.form.Matrix.SetText(0, 0, "5");
    f.form.AddLog("Lösen...");
    f.mp.fileDialog.answers.push_back(dir / "a.sudoku");
    f.form.mFileSaveAs_Click();
    const std::string saved = "5" + std::string(80, ' ') + "14:03:27\tL\xF6sen...\r\n";
    EXPECT_EQ(ReadFile(dir / "a.sudoku"), saved);

    f.form.mFileNew_Click();
    f.mp.fileDialog.answers.push_back(dir / "a.sudoku");
    f.form.mFileOpen_Click();
    EXPECT_EQ(f.form.List1.lines[0], "14:03:27\tLösen...");
    WriteFile(dir / "a.sudoku", "stale and longer than the new content");
    f.form.mFileSave_Click();
    EXPECT_EQ(ReadFile(dir / "a.sudoku"), saved);
    EXPECT_EQ(dir.Entries(), 1u);
    EXPECT_TRUE(f.mp.messages.shown.empty());
}

TEST(DiskFiles, WhatCannotBeReadOrWrittenIsRefusedWithAReasonAndChangesNothing) {
    TempDir dir;
    WriteFile(dir / "plain", "x");
    fs::create_directory(dir.path / "folder");
    fs::create_directory(dir.path / "folder.sudoku");
    WriteFile(dir / "big.sudoku", "");
    fs::resize_file(dir / "big.sudoku", DiskFileStore::kMaxReadBytes + 1);  // sparse: takes no room
    const struct {
        bool write;
        std::string path, reason;
    } cases[] = {
        {true, dir / "plain/a.sudoku", "Ein Teil des Pfades ist kein Ordner."},
        {true, dir / "folder.sudoku", "Der Pfad ist ein Ordner."},
        {true, dir / "nowhere/a.sudoku", "Der Ordner wurde nicht gefunden."},
        {false, dir / "missing.sudoku", "Die Datei wurde nicht gefunden."},
        {false, dir / "folder", "Der Pfad ist ein Ordner."},
        {false, dir / "plain/a.sudoku", "Ein Teil des Pfades ist kein Ordner."},
        // A read would fill the memory or wait for ever.
        {false, dir / "big.sudoku", "Die Datei ist größer als 1 GB."},
#ifndef _WIN32
        {false, dir / "fifo", "Das ist keine Datei, sondern eine Pipe."},
        {false, "/dev/zero", "Das ist keine Datei, sondern ein Gerät."},
#endif
    };
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
#endif
    for (const auto& c : cases) {
        DiskForm f;
        f.form.AddLog("a");
        f.mp.messages.answers.push_back(MsgAnswer::No);  // the save question before Open
        f.mp.fileDialog.answers.push_back(c.path);
        c.write ? f.form.mFileSaveAs_Click() : f.form.mFileOpen_Click();
        ASSERT_FALSE(f.mp.messages.shown.empty()) << c.path;
        EXPECT_EQ(f.mp.messages.shown.back().text,
                  "Die Datei \"" + c.path + "\" kann nicht " +
                      (c.write ? "gespeichert" : "geöffnet") + " werden.\n\n" + c.reason);
        EXPECT_EQ(f.form.List1.ListCount(), 1u);
        EXPECT_FALSE(f.form.mySaved);
    }
    EXPECT_EQ(ReadFile(dir / "plain"), "x");
    EXPECT_EQ(dir.Entries(), 5u) << "no temporary file is left behind";
}

// A file that must stay the same file (a hard link, another owner), or whose folder takes no
// new file (here: a temporary name too long for it), is written in place.
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

// Elapsed times and percents are written out in full, never with an exponent.
TEST(NumberFormat, SignificantDigitsWithoutAnExponent) {
    EXPECT_EQ(FormatSignificant(5.8717e-05, 7, ','), "0,000058717");
    EXPECT_EQ(FormatSignificant(12345678, 7, ','), "12345680");
    EXPECT_EQ(FormatSignificant(100.0 / 3, 15, ','), "33,3333333333333");
}

}  // namespace
}  // namespace zw
