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
    f.form.myFileName.clear();
    f.Open("b.sudoku");
    EXPECT_EQ(f.LogMessages(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(f.form.List1.listIndex, 1);
    EXPECT_EQ(f.form.Matrix.Text(1, 0), "2") << "the board of the last line";
    EXPECT_TRUE(f.form.mySaved);
    EXPECT_EQ(f.form.myFileName, "") << "Open names no file for Save";
    EXPECT_EQ(f.mp.wait.titles,
              (std::vector<std::string>{
                  "Laden ...", "Verarbeiten (0%) ...", "Verarbeiten (50%) ...",
                  "Verarbeiten (100%) ..."}));
    EXPECT_FALSE(f.mp.wait.loaded);
}

TEST(PuzzleFile, DialogsNameTheirFilesAndSaveAsAsksBeforeReplacingOthers) {
    FilesFixture f;
    f.File("old") = Line(kBoard5, "x");
    f.Open("old");
    f.form.mFileSave_Click();  // Open set no name: Save asks for one
    f.SaveAs("mine");
    f.form.AddLog("y");
    f.mp.messages.answers.push_back(MsgAnswer::No);
    f.form.mFileNew_Click();  // keeps the name
    f.form.mFileSave_Click();
    EXPECT_EQ(f.File("mine"), "") << "the new puzzle, written without a dialog";
    f.Open("old");
    f.form.mFileSaveAs_Click();
    const auto& shown = f.mp.fileDialog.shown;
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].title, "SuDoKu öffnen ...");
    EXPECT_EQ(shown[0].filter, "SuDoKu-Datei|*.sudoku|Rätsel als Text|*.txt;*.sdk;*.ss");
    EXPECT_EQ(shown[1].title, "SuDoKu speichern unter ...");
    EXPECT_EQ(shown[1].filter, "SuDoKu-Dateien|*.sudoku");
    // The puzzle's own files are replaced without a question.
    EXPECT_EQ(shown[1].ownFiles, std::vector<std::string>{"old"});
    EXPECT_EQ(shown[4].ownFiles, (std::vector<std::string>{"mine", "old"}));
}

TEST(PuzzleFile, APuzzleAsTextStartsANewLogThatHasNoFileYet) {
    FilesFixture f;
    f.form.AddLog("alt");
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
// the command go on; a cancelled Save As or a failed save stops it and loses nothing.
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
        {Close, "kept", MsgAnswer::Yes, std::nullopt}, {Open, "", MsgAnswer::Yes, "saved"},
        {Exit, "kept", MsgAnswer::No, std::nullopt},  // the close after Exit asks nothing more
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
        if (c.command == Exit)
            f.form.Form_Unload();
        const bool diskFull = f.mp.files.failWrites && c.answer == MsgAnswer::Yes;
        const bool goesOn = c.answer == MsgAnswer::No || c.saveAs;
        const auto& shown = f.mp.messages.shown;
        ASSERT_EQ(shown.size(), diskFull ? 2u : 1u) << c.command;
        EXPECT_EQ(shown[0].text, "Möchten Sie ihre Änderungen speichern?");
        EXPECT_EQ(shown[0].buttons, MsgButtons::YesNo);
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
