// The window's file and clipboard commands over the in-memory platform.
#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

const std::string kBoard5 = "5" + std::string(80, ' ');

std::string Line(std::string board, std::string_view text) {
    board.resize(81, ' ');
    return board + std::string(text) + "\r\n";
}

struct FilesFixture : test::FormFixture {
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

TEST(PuzzleFile, SaveAndOpenSetTheWindowsFieldsAndShowProgress) {
    FilesFixture f;
    f.form.Matrix.SetText(0, 0, "5");
    f.form.AddLog("Eingabe ok.");
    f.form.AddLog("Lösen...");
    f.form.AddLog("c");
    f.SaveAs("a.sudoku");
    EXPECT_EQ(f.File("a.sudoku").substr(0, 103), Line(kBoard5, "14:03:27\tEingabe ok."));
    EXPECT_EQ(f.File("a.sudoku").substr(103 + 90, 10), "L\xF6sen...\r\n");
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "a.sudoku");
    EXPECT_EQ(f.mp.wait.titles, (std::vector<std::string>{
                                    "Speichern (0%) ...", "Speichern (33,3333333333333%) ...",
                                    "Speichern (66,6666666666667%) ...", "Speichern (100%) ..."}));

    f.File("b.sudoku") = Line("", "x") + Line("12", "y") + "short";
    f.mp.wait.titles.clear();
    f.Open("b.sudoku");
    EXPECT_EQ(f.LogMessages(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(f.form.List1.listIndex, 1);
    EXPECT_EQ(f.form.Matrix.Text(1, 0), "2") << "the board of the last line";
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "b.sudoku") << "a game is saved back into its own file";
    EXPECT_EQ(f.mp.wait.titles,
              (std::vector<std::string>{
                  "Laden ...", "Verarbeiten (0%) ...", "Verarbeiten (50%) ...",
                  "Verarbeiten (100%) ..."}));
    EXPECT_FALSE(f.mp.wait.loaded);
}

// Save writes only into the game's own file, the one it was opened from or saved to; a new
// game has none, so Save asks where, and Save As asks before it replaces any other file.
TEST(PuzzleFile, SaveWritesOnlyIntoTheGamesOwnFile) {
    FilesFixture f;
    f.form.Matrix_KeyPress('5');
    f.SaveAs("a");  // typed without an extension
    const std::string a = f.File("a.sudoku");
    f.form.mFileNew_Click();
    f.form.Matrix_KeyPress('9');
    f.mp.fileDialog.answers.push_back(std::nullopt);
    f.form.mFileSave_Click();
    EXPECT_EQ(f.File("a.sudoku"), a) << "the new game is no longer that file's";

    f.mp.messages.answers = {MsgAnswer::No};
    f.Open("a.sudoku");
    f.form.Matrix.SetCurrent(0, 1);
    f.form.Matrix_KeyPress('7');
    f.form.mFileSave_Click();  // no dialog: the game goes back into its file
    EXPECT_EQ(f.File("a.sudoku").substr(a.size(), 10), "5        7");
    f.form.mFileSaveAs_Click();
    const auto& shown = f.mp.fileDialog.shown;
    ASSERT_EQ(shown.size(), 4u);
    // Only the game's own file is replaced without a question.
    EXPECT_TRUE(shown[1].ownFiles.empty());
    EXPECT_EQ(shown[3].ownFiles, std::vector<std::string>{"a.sudoku"});
}

// A .sudoku file must hold a line that starts with a board; anything else is refused before
// anything changes. An empty file is the empty log that Save writes.
TEST(PuzzleFile, AFileWithoutABoardLineIsRefusedAndChangesNothing) {
    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk += static_cast<char>((i * 37 + 11) % 256);
    const std::pair<std::string, bool> cases[] = {
        {junk, false},
        {std::string(81, '.') + "\r\n" + std::string(90, 'x') + "\r\nkurz\r\n", false},
        {junk + "\r\n" + Line("0" + kBoard5, "x"), true},
        {"", true}};
    for (const auto& [content, loads] : cases) {
        FilesFixture f;
        f.form.Matrix_KeyPress('3');
        f.SaveAs("mine.sudoku");
        f.File("g.sudoku") = content;
        f.Open("g.sudoku");
        EXPECT_EQ(f.form.myFileName, loads ? "g.sudoku" : "mine.sudoku");
        EXPECT_TRUE(f.form.mySaved);
        ASSERT_EQ(f.mp.messages.shown.size(), loads ? 0u : 1u);
        if (loads)
            continue;
        EXPECT_EQ(f.mp.messages.shown[0].text,
                  "Die Datei \"g.sudoku\" kann nicht geöffnet werden.\n\nSie enthält kein SuDoKu: "
                  "keine ihrer Zeilen beginnt mit einem Spielfeld aus 81 Ziffern und Leerzeichen.");
        EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Eingabe ok."});
        EXPECT_EQ(f.form.Matrix.Text(0, 0), "3");
    }
}

TEST(PuzzleFile, APuzzleAsTextStartsANewLogThatHasNoFileYet) {
    FilesFixture f;
    f.form.AddLog("alt");
    f.form.myFileName = "alt.sudoku";
    const std::string rows = "7" + std::string(79, '.') + "3";  // rows 0 and 8
    f.File("/tmp/x.txt") = "kein Rätsel";
    f.File("/tmp/p.ss") = "*-----------*\n" + rows + "\n";  // read as another program's file
    f.mp.messages.answers = {MsgAnswer::No};
    f.Open("/tmp/x.txt");  // the save question first, then the file's complaint
    ASSERT_EQ(f.mp.messages.shown.size(), 2u);
    EXPECT_TRUE(f.mp.messages.shown[1].text.starts_with(
        "Die Datei \"/tmp/x.txt\" kann nicht geöffnet werden.\n\nSie enthält kein SuDoKu"));
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"alt"}) << "nothing changed";

    f.mp.messages.answers = {MsgAnswer::No};
    f.Open("/tmp/p.ss");
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Geöffnet: p.ss"});
    EXPECT_EQ(f.form.mySnapshots[0], BoardStringFromRows(rows));
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "7");
    EXPECT_EQ(f.form.Matrix.Text(8, 8), "3");
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "");
    f.form.mFileSave_Click();  // asks where the .sudoku goes; the text file is no own file
    EXPECT_EQ(f.mp.fileDialog.shown.back().title, "SuDoKu speichern unter ...");
    EXPECT_TRUE(f.mp.fileDialog.shown.back().ownFiles.empty());
}

// The save question before New, Open and closing: only a No, or a Yes whose save worked, lets
// the command go on; "Abbrechen", a cancelled Save As or a failed save stops it and loses nothing.
TEST(QuestSave, OnlyANoOrAYesThatSavedLetsNewOpenAndClosingGoOn) {
    enum Command { New, Open, Close, Exit };
    const struct {
        Command command;
        const char* name;  // the puzzle's own file, on a full disk; "" asks where to save
        MsgAnswer answer;
        std::optional<std::string> saveAs;
    } cases[] = {
        {New, "", MsgAnswer::Yes, std::nullopt},       {Open, "", MsgAnswer::Yes, std::nullopt},
        {Close, "", MsgAnswer::Yes, std::nullopt},     {New, "kept", MsgAnswer::Yes, std::nullopt},
        {Close, "kept", MsgAnswer::Yes, std::nullopt}, {Open, "", MsgAnswer::Yes, "saved.sudoku"},
        {Exit, "kept", MsgAnswer::No, std::nullopt},  // the close after Exit asks nothing more
        {New, "kept", MsgAnswer::Cancel, std::nullopt},
        {Open, "", MsgAnswer::Cancel, std::nullopt},
        {Close, "", MsgAnswer::Cancel, std::nullopt},
        {Exit, "kept", MsgAnswer::Cancel, std::nullopt},
    };
    void (frmMain::*const run[])() = {&frmMain::mFileNew_Click, &frmMain::mFileOpen_Click,
                                      &frmMain::Form_Unload, &frmMain::mFileExit_Click};
    for (const auto& c : cases) {
        FilesFixture f;
        f.form.Matrix.SetText(4, 4, "7");
        f.form.AddLog("a");
        f.File("next") = Line(kBoard5, "n");
        f.File("kept") = "old";
        f.form.myFileName = c.name;
        f.mp.files.failWrites = *c.name != '\0';
        f.mp.messages.answers = {c.answer};
        if (c.command == Open)
            f.mp.fileDialog.answers.push_back("next");  // the file is chosen before the question
        f.mp.fileDialog.answers.push_back(c.saveAs);
        (f.form.*run[c.command])();
        if (c.command == Exit && c.answer == MsgAnswer::No)
            f.form.Form_Unload();
        const bool diskFull = f.mp.files.failWrites && c.answer == MsgAnswer::Yes;
        const bool goesOn = c.answer == MsgAnswer::No || c.saveAs;
        const auto& shown = f.mp.messages.shown;
        ASSERT_EQ(shown.size(), diskFull ? 2u : 1u) << c.command;
        EXPECT_EQ(shown[0].text, "Möchten Sie ihre Änderungen speichern?");
        EXPECT_EQ(shown[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(shown.back().text, diskFull ? "Die Datei \"kept\" kann nicht gespeichert "
                                                "werden.\n\nDer Datenträger ist voll."
                                              : shown[0].text);
        EXPECT_EQ(f.mp.app.quits, c.command >= Close && goesOn ? 1 : 0) << c.command;
        EXPECT_EQ(f.LogMessages(), std::vector<std::string>{goesOn && c.command == Open ? "n" : "a"});
        EXPECT_EQ(f.File(c.saveAs.value_or("kept")),
                  c.saveAs ? Line(std::string(40, ' ') + "7", "14:03:27\ta") : "old");
        EXPECT_TRUE(goesOn || (f.form.Matrix.Text(4, 4) == "7" && !f.form.mySaved)) << c.command;
    }
}

// Paste, Cut and Backspace change the board through a log line with the new board, so Save keeps
// what they did and the save question comes for it. Backspace on an empty cell changes nothing.
TEST(Clipboard, PasteCutAndBackspaceAreLoggedWithTheirBoard) {
    FilesFixture f;
    std::string board = BoardStringFromRows(test::kHard);
    f.mp.clipboard.text = board;
    f.form.mEditPaste_Click();
    f.SaveAs("p.sudoku");
    EXPECT_EQ(f.File("p.sudoku"), Line(board, "14:03:27\tEinf\xFCgen."));
    f.form.Matrix.SetText(0, 2, "123");  // candidates are no digit either
    for (int col : {0, 1, 2}) {  // a given, an empty cell, candidates
        f.form.Matrix.SetCurrent(0, col);
        f.form.Matrix_KeyPress(8);
    }
    f.form.mEditCut_Click();
    board[0] = ' ';
    EXPECT_EQ(f.LogMessages(), (std::vector<std::string>{"Einfügen.",
                                                         "Zahl gelöscht in Zeile 1, Spalte 1.",
                                                         "Ausschneiden."}));
    EXPECT_EQ(f.form.mySnapshots[1], board);
    EXPECT_EQ(f.mp.clipboard.text, board);
    EXPECT_EQ(f.form.mySnapshots[2], std::string(81, ' '));
    EXPECT_FALSE(f.form.mySaved);
}

TEST(Clipboard, ARefusedPasteIsLoggedAndKeepsTheBoard) {
    test::FormFixture f;
    f.form.Matrix.SetText(3, 3, "6");
    f.form.mEditPaste_Click();
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Einfügen: Fehler."});
    EXPECT_EQ(f.form.Matrix.Text(3, 3), "6");
}

TEST(Print, OnePageAndPrinterFailuresAreReportedInGermanChangingNothing) {
    test::FormFixture f;
    f.form.Matrix.SetText(1, 1, "7");
    f.form.mPrint_Click();
    ASSERT_EQ(f.mp.printer.documents.size(), 1u);
    EXPECT_EQ(f.mp.printer.documents[0].pages.size(), 1u);
    EXPECT_TRUE(f.mp.printer.documents[0].ended);
    for (bool atBegin : {true, false}) {
        (atBegin ? f.mp.printer.failBegin : f.mp.printer.failEnd) = "Der Drucker fehlt.";
        f.form.mPrint_Click();
        EXPECT_EQ(f.mp.messages.shown.back().text,
                  "Das SuDoKu konnte nicht gedruckt werden. Der Drucker fehlt.");
        f.mp.printer.failBegin.clear();
    }
    EXPECT_EQ(f.mp.messages.shown.size(), 2u);
    EXPECT_EQ(f.form.Matrix.Text(1, 1), "7");
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_TRUE(f.form.mySaved);
}

}  // namespace
}  // namespace zw
