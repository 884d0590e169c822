// Puzzle files through the main window on the in-memory platform, and the Windows-1252 codec.
#include <gtest/gtest.h>

#include "board/board_string.h"
#include "files/cp1252.h"
#include "files/sudoku_file.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

const std::string kBoard5 = "5" + std::string(80, ' ');

std::string Line(std::string board, std::string_view text) {
    board.resize(81, ' ');
    return board + std::string(text) + "\r\n";
}

struct FilesFixture : FormFixture {
    // Saves the form to `path` through Save As.
    void SaveAs(const std::string& path) {
        mp.fileDialog.answers.push_back(path);
        form.mFileSaveAs_Click();
    }
    void Open(const std::string& path) {
        mp.fileDialog.answers.push_back(path);
        form.mFileOpen_Click();
    }
    std::string& File(const std::string& path) { return mp.files.files[path]; }
};

TEST(Cp1252, EveryByteDecodesAndEncodesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string utf8, back;
    DecodeCp1252(all, utf8);
    EncodeCp1252(utf8, back);
    EXPECT_EQ(back, all);
    EXPECT_EQ(Cp1252ToCodePoint(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToCodePoint(0x9F), U'\u0178');
    EXPECT_EQ(Cp1252ToCodePoint(0xF6), U'ö');
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(Cp1252ToCodePoint(static_cast<unsigned char>(undefined)),
                  static_cast<char32_t>(undefined));
    std::string outside;
    EncodeCp1252("a\u4E2Db\xFF", outside);  // a CJK character, then a stray byte
    EXPECT_EQ(outside, "a?b?");
}

TEST(PuzzleFile, SavedLineHasTheDocumentedBytes) {
    FilesFixture f;
    f.form.Matrix.SetText(0, 0, "5");
    f.form.AddLog("Eingabe ok.");
    f.form.AddLog("Lösen...");
    f.SaveAs("a.sudoku");
    const std::string& file = f.File("a.sudoku");
    ASSERT_EQ(file.size(), 103u + 81 + 8 + 1 + 8 + 2);
    EXPECT_EQ(file.substr(0, 103), kBoard5 + "14:03:27\tEingabe ok.\r\n");
    EXPECT_EQ(file.substr(103 + 81 + 9), "L\xF6sen...\r\n") << "one byte for the umlaut";
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "a.sudoku");
}

TEST(PuzzleFile, LoadsAndSavesBackByteForByte) {
    FilesFixture f;
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    const std::string content = Line(kBoard5, "10:00:00\tA " + high) +
                                Line("\xE4" + std::string(79, ' ') + "9", "") +
                                Line("123", "11:00:00\t\xF6\t\x81");
    f.File("in.sudoku") = content;
    f.form.AddLog("unsaved");
    f.mp.messages.answers.push_back(MsgAnswer::No);
    f.Open("in.sudoku");
    ASSERT_EQ(f.form.List1.ListCount(), 3u);
    EXPECT_EQ(f.form.List1.lines[1], "") << "a line of exactly 81 characters";
    EXPECT_EQ(f.form.List1.lines[2], "11:00:00\tö\t\u0081");
    EXPECT_EQ(f.form.mySnapshots[1].substr(0, 2), "ä");
    EXPECT_EQ(f.form.List1.listIndex, 2);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "1") << "the board of the last line";
    EXPECT_EQ(f.form.Matrix.Text(1, 0), "2");
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "") << "Open names no file for Save";

    f.SaveAs("out.sudoku");
    EXPECT_EQ(f.File("out.sudoku"), content);
}

TEST(PuzzleFile, ShortLinesMissingLastLineEndAndBareLf) {
    FilesFixture f;
    const std::string board9 = std::string(80, ' ') + "9";
    f.File("x") = "short\r\n" + Line(kBoard5, "a") + "\r\n" + board9 + "b\nc\r\n" + board9 + "end";
    f.Open("x");
    EXPECT_EQ(f.LogMessages(), (std::vector<std::string>{"a", "b\nc", "end"}));
    EXPECT_EQ(f.form.Matrix.Text(8, 8), "9");
    f.SaveAs("y");
    EXPECT_EQ(f.File("y"), Line(kBoard5, "a") + board9 + "b\nc\r\n" + board9 + "end\r\n");

    f.File("empty") = "";
    f.Open("empty");
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_EQ(f.form.List1.listIndex, -1);
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 81);
    f.SaveAs("empty2");
    EXPECT_EQ(f.File("empty2"), "");
}

TEST(PuzzleFile, AFileWithLfLineEndsSplitsAtLf) {
    FilesFixture f;
    const std::string board9 = std::string(80, ' ') + "9";
    f.File("lf") = kBoard5 + "10:00:00\ta\nshort\n" + board9 + "b\n";  // no CR LF
    f.Open("lf");
    EXPECT_EQ(f.LogMessages(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(f.form.Matrix.Text(8, 8), "9");
    EXPECT_EQ(f.mp.wait.titles,
              (std::vector<std::string>{
                  "Laden ...", "Verarbeiten (0%) ...", "Verarbeiten (33,3333333333333%) ...",
                  "Verarbeiten (66,6666666666667%) ...", "Verarbeiten (100%) ..."}));
    EXPECT_EQ(LastSnapshot("x\n" + board9 + "\n"), board9) << "the command-line tool's board";
}

TEST(PuzzleFile, ProgressValues) {
    FilesFixture f;
    f.form.AddLog("a");
    f.form.AddLog("b");
    f.form.AddLog("c");
    f.SaveAs("p");
    EXPECT_EQ(f.mp.wait.titles, (std::vector<std::string>{
                                    "Speichern (0%) ...", "Speichern (33,3333333333333%) ...",
                                    "Speichern (66,6666666666667%) ...", "Speichern (100%) ..."}));
    EXPECT_FALSE(f.mp.wait.loaded);

    f.mp.wait.titles.clear();
    f.Open("p");  // three lines and the empty piece after the last line end
    EXPECT_EQ(f.mp.wait.titles,
              (std::vector<std::string>{
                  "Laden ...", "Verarbeiten (0%) ...", "Verarbeiten (33,3333333333333%) ...",
                  "Verarbeiten (66,6666666666667%) ...", "Verarbeiten (100%) ..."}));
    EXPECT_FALSE(f.mp.wait.loaded);

    f.mp.wait.titles.clear();
    f.File("one") = kBoard5;
    f.Open("one");
    EXPECT_EQ(f.mp.wait.titles, (std::vector<std::string>{"Laden ...", "Verarbeiten (100%) ..."}));
}

TEST(PuzzleFile, FileFieldsFollowTheirTable) {
    FilesFixture f;
    f.File("old") = Line(kBoard5, "x");
    f.Open("old");
    f.form.mFileSave_Click();  // Open set no name: Save asks for one
    ASSERT_EQ(f.mp.fileDialog.shown.size(), 2u);
    EXPECT_TRUE(f.mp.fileDialog.shown[1].save);
    EXPECT_EQ(f.mp.fileDialog.shown[0].title, "SuDoKu öffnen ...");
    EXPECT_EQ(f.mp.fileDialog.shown[0].filter, "SuDoKu-Datei|*.sudoku");
    EXPECT_EQ(f.mp.fileDialog.shown[1].title, "SuDoKu speichern unter ...");
    EXPECT_EQ(f.mp.fileDialog.shown[1].filter, "SuDoKu-Dateien|*.sudoku");
    EXPECT_EQ(f.form.myFileName, "");

    f.SaveAs("mine");
    f.form.AddLog("y");
    f.mp.messages.answers.push_back(MsgAnswer::No);
    f.form.mFileNew_Click();  // keeps the name
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "mine");
    f.form.mFileSave_Click();
    EXPECT_EQ(f.File("mine"), "") << "the new puzzle, written without a dialog";
    EXPECT_EQ(f.mp.fileDialog.shown.size(), 3u);

    // Save As asks before it replaces any file but the puzzle's own.
    f.form.mFileSaveAs_Click();
    f.Open("old");
    f.form.mFileSaveAs_Click();
    ASSERT_EQ(f.mp.fileDialog.shown.size(), 6u);
    EXPECT_EQ(f.mp.fileDialog.shown[1].ownFiles, std::vector<std::string>{"old"});
    EXPECT_EQ(f.mp.fileDialog.shown[3].ownFiles, std::vector<std::string>{"mine"});
    EXPECT_EQ(f.mp.fileDialog.shown[5].ownFiles, (std::vector<std::string>{"mine", "old"}));
}

TEST(QuestSave, YesThenACancelledSaveAsStopsNewAndOpen) {
    FilesFixture f;
    f.form.AddLog("a");
    f.File("next") = Line(kBoard5, "n");
    f.mp.messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    f.form.mFileNew_Click();
    f.mp.fileDialog.answers = {"next", std::nullopt};
    f.form.mFileOpen_Click();
    ASSERT_EQ(f.mp.fileDialog.shown.size(), 3u) << "Save As, then Open and Save As";
    EXPECT_TRUE(f.mp.fileDialog.shown[0].save);
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"a"}) << "nothing is lost";
    EXPECT_FALSE(f.form.mySaved);

    f.mp.messages.answers = {MsgAnswer::Yes};
    f.mp.fileDialog.answers = {"next", "saved"};
    f.form.mFileOpen_Click();  // the question comes after the file is chosen, then the load
    EXPECT_EQ(f.File("saved"), Line("", "14:03:27\ta"));
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"n"});
}

TEST(QuestSave, AFailedSaveStopsNewAndOpenAndKeepsThePuzzle) {
    FilesFixture f;
    f.SaveAs("kept");
    f.form.Matrix.SetText(4, 4, "7");
    f.form.AddLog("a");
    f.File("kept") = "old";
    f.File("other") = Line(kBoard5, "o");
    f.mp.files.failWrites = true;
    f.mp.messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    f.Open("other");
    f.form.mFileNew_Click();
    ASSERT_EQ(f.mp.messages.shown.size(), 4u);
    EXPECT_EQ(f.mp.messages.shown[1].text,
              "Die Datei \"kept\" kann nicht gespeichert werden.\n\nDer Datenträger ist voll.");
    EXPECT_EQ(f.mp.messages.shown[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(f.File("kept"), "old");
    EXPECT_FALSE(f.form.mySaved);
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"a"});
    EXPECT_EQ(f.form.Matrix.Text(4, 4), "7");
    EXPECT_FALSE(f.mp.wait.loaded);
}

TEST(PuzzleFile, AnUnreadableFileIsReportedAndChangesNothing) {
    FilesFixture f;
    f.form.Matrix.SetText(2, 3, "4");
    f.form.AddLog("a");
    f.mp.messages.answers.push_back(MsgAnswer::No);
    f.Open("missing");
    ASSERT_EQ(f.mp.messages.shown.size(), 2u);
    EXPECT_EQ(f.mp.messages.shown[1].text,
              "Die Datei \"missing\" kann nicht geöffnet werden.\n\nDie Datei wurde nicht "
              "gefunden.");
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"a"});
    EXPECT_EQ(f.form.Matrix.Text(2, 3), "4");
    EXPECT_FALSE(f.form.mySaved);
    EXPECT_FALSE(f.mp.wait.loaded);
    EXPECT_FALSE(f.form.Busy());
}

TEST(FormLoad, OpensTheCommandLineWithoutItsQuotes) {
    MemoryPlatform mp;
    mp.files.files["/p/a b.sudoku"] = Line(kBoard5, "z");
    mp.platform.program.commandLine = "\"/p/a b.sudoku\"";
    frmMain form(mp.platform);
    form.Form_Load();
    EXPECT_EQ(form.List1.ListCount(), 1u);
    EXPECT_EQ(form.Matrix.Text(0, 0), "5");
    EXPECT_EQ(PathFromCommandLine("\"x"), "\"x");
    EXPECT_EQ(PathFromCommandLine("\"\""), "");
}

TEST(PuzzleFile, LastSnapshotIsTheBoardALoadShows) {
    std::size_t line = 0;
    EXPECT_EQ(LastSnapshot("x\r\n" + Line(kBoard5, "a") + "short\r\n", &line), kBoard5);
    EXPECT_EQ(line, 2u);
    EXPECT_EQ(LastSnapshot("\xE4" + std::string(80, '1')), "ä" + std::string(80, '1'));
    EXPECT_EQ(LastSnapshot("short"), std::nullopt);
}

}  // namespace
}  // namespace zw
