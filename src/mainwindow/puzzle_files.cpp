// Puzzle files: New, Open, Save, Save As and the save question. A file holds the log with its
// snapshots (sudoku_file.h); loading replaces the log only once the file has been read whole,
// and saving replaces the file only once the new content is written whole.
#include <new>
#include <vector>

#include "board/board_string.h"
#include "mainwindow/frm_main.h"
#include "files/puzzle_text.h"
#include "files/sudoku_file.h"

namespace zw {

namespace {

constexpr std::string_view kOpenTitle = "SuDoKu öffnen ...";
constexpr std::string_view kOpenFilter =
    "SuDoKu-Datei|*.sudoku|Rätsel als Text|*.txt;*.sdk;*.ss";
constexpr std::string_view kSaveAsTitle = "SuDoKu speichern unter ...";
constexpr std::string_view kSaveAsFilter = "SuDoKu-Dateien|*.sudoku";
constexpr int kPercentDigits = 15;
constexpr std::string_view kNoPuzzle =
    "Sie enthält kein SuDoKu: weder eine Zeile aus 81 Zeichen (1 bis 9, \".\" oder \"0\" für "
    "ein leeres Feld) noch ein Gitter aus 9 Zeilen zu 9 Feldern.";
constexpr std::string_view kNoGame =
    "Sie enthält kein SuDoKu: keine ihrer Zeilen beginnt mit einem Spielfeld aus 81 Ziffern und "
    "Leerzeichen.";

std::string Percent(Clock& clock, std::size_t part, std::size_t whole) {
    // A content without any line end has one piece and nothing to divide by: it is all done.
    if (whole == 0)
        return "100";
    return clock.FormatNumber(static_cast<double>(part) * 100.0 / static_cast<double>(whole),
                              kPercentDigits);
}

// The name of the file without its folder.
std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FileMessage(std::string_view path, std::string_view what, std::string_view reason) {
    std::string text = "Die Datei \"";
    text += path;
    text += "\" ";
    text += what;
    text += "\n\n";
    text += reason;
    return text;
}

}  // namespace

bool frmMain::QuestSave() {
    if (mySaved)
        return true;
    const MsgAnswer answer = platform_.messages.Show("Möchten Sie ihre Änderungen speichern?",
                                                     MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer != MsgAnswer::Yes)
        return true;
    // The user asked to keep the changes: a save that failed or whose Save As was cancelled
    // stops the caller as "Abbrechen" does.
    return SavePuzzle() == SaveResult::Saved;
}

void frmMain::mFileNew_Click() {
    if (Busy())
        return;
    if (!QuestSave())
        return;
    ReplaceLog(TextList{}, TextList{});
    mySaved = true;
    // A new puzzle has no file yet: Save must not write it over the last one's.
    myFileName.clear();
}

void frmMain::mFileOpen_Click() {
    if (Busy())
        return;
    const std::optional<std::string> path = platform_.fileDialog.ShowOpen(kOpenTitle, kOpenFilter);
    if (!path)
        return;
    LoadPuzzleFile(*path);
}

void frmMain::LoadPuzzleFile(std::string path) {
    if (Busy())
        return;
    // The save question comes first, once the file is chosen; the log is cleared only when the
    // new one stands ready.
    if (!QuestSave())
        return;
    BusyScope busy(*this);
    WaitWindow& wait = platform_.wait;
    wait.Show();
    wait.SetTitle("Laden ...");

    std::string error;
    TextList lines;
    TextList snapshots;
    std::optional<std::string> puzzle;  // the board of a puzzle text file
    const bool text = IsPuzzleTextFile(path);
    bool read = false;
    try {
        std::string content;
        if (platform_.files.ReadAll(path, content, error)) {
            if (text) {
                puzzle = BoardFromPuzzleText(content);
                read = puzzle.has_value();
                if (!read)
                    error = kNoPuzzle;
            } else if (!content.empty() && !HoldsBoardLine(content)) {
                // Junk would fill the grid with odd characters; an empty file is an empty log,
                // as Save writes it.
                error = kNoGame;
            } else {
                ReadPuzzleContent(content, lines, snapshots,
                                  [&](std::size_t i, std::size_t last) {
                                      wait.SetTitle("Verarbeiten (" +
                                                    Percent(platform_.clock, i, last) + "%) ...");
                                  });
                read = true;
            }
        }
    } catch (const std::bad_alloc&) {
        error = "Die Datei ist zu groß.";
    }
    if (!read) {
        wait.Close();
        platform_.messages.Show(FileMessage(path, "kann nicht geöffnet werden.", error),
                                MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (puzzle) {
        // A puzzle from another program starts a log of its own; it has no .sudoku file yet,
        // so Save asks where to put one, and the text file is never taken for it.
        ReplaceLog(TextList{}, TextList{});
        SetSuDoKuString(Matrix, *puzzle);
        AddLog("Geöffnet: " + std::string(FileNameOf(path)));
        mySaved = true;
        myFileName.clear();
        wait.Close();
        return;
    }
    ReplaceLog(std::move(lines), std::move(snapshots));
    mySaved = true;
    // The game's own file: Save writes the game back into it.
    myFileName = std::move(path);
    wait.Close();
}

void frmMain::ReplaceLog(TextList lines, TextList snapshots) {
    List1.lines = std::move(lines);
    mySnapshots = std::move(snapshots);
    ClearBoard(Matrix);
    const std::size_t count = List1.lines.Count();
    List1.listIndex = count == 0 ? -1 : static_cast<std::int32_t>(count - 1);
    if (listener_) {
        listener_->LogReset();
        listener_->LogSelected(List1.listIndex);
    }
    // Selecting the last line shows its board.
    List1_Click();
}

void frmMain::mFileSave_Click() {
    if (Busy())
        return;
    SavePuzzle();
}

void frmMain::mFileSaveAs_Click() {
    if (Busy())
        return;
    SavePuzzleAs();
}

frmMain::SaveResult frmMain::SavePuzzle() {
    if (myFileName.empty())
        return SavePuzzleAs();
    BusyScope busy(*this);
    WaitWindow& wait = platform_.wait;
    wait.Show();
    wait.SetTitle("Speichern (0%) ...");

    std::string error;
    bool written = false;
    try {
        std::string content;
        WritePuzzleContent(List1.lines, mySnapshots, content, [&](std::size_t i, std::size_t n) {
            wait.SetTitle("Speichern (" + Percent(platform_.clock, i + 1, n) + "%) ...");
        });
        written = platform_.files.WriteAll(myFileName, content, error);
    } catch (const std::bad_alloc&) {
        error = "Es ist nicht genug Speicher frei.";
    }
    wait.Close();
    if (!written) {
        // The old file is intact and the puzzle stays unsaved.
        platform_.messages.Show(FileMessage(myFileName, "kann nicht gespeichert werden.", error),
                                MsgButtons::Ok, MsgIcon::Exclamation);
        return SaveResult::Failed;
    }
    mySaved = true;
    return SaveResult::Saved;
}

frmMain::SaveResult frmMain::SavePuzzleAs() {
    // The dialog asks before it replaces another file; the puzzle's own file is no other.
    std::vector<std::string> ownFiles;
    if (!myFileName.empty())
        ownFiles.push_back(myFileName);
    const std::optional<std::string> path =
        platform_.fileDialog.ShowSave(kSaveAsTitle, kSaveAsFilter, ownFiles);
    // An empty answer names no file; taking it would send Save straight back here.
    if (!path || path->empty())
        return SaveResult::Cancelled;
    myFileName = *path;
    return SavePuzzle();
}

}  // namespace zw
