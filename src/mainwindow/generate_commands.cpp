// The generate and booklet commands.
#include <cmath>
#include <string>
#include <vector>

#include "board/board_string.h"
#include "generator/booklet.h"
#include "generator/thinning.h"
#include "mainwindow/frm_main.h"
#include "platform/number_format.h"
#include "solver/backtracking.h"

namespace zw {

namespace {

constexpr char kGenerating[] = "SuDoKu generieren ...";

std::string SeriesTitle(long long i, long long n) {
    return "SuDoKu erstellen " + std::to_string(i) + "/" + std::to_string(n) + " ...";
}

// The one solution of a booklet puzzle, found on a grid of its own so the board stays as the
// series left it. Empty when the entry is not a puzzle with one solution.
std::string UniqueSolution(const std::string& puzzle, RandomSource& random) {
    Grid grid;
    SetSuDoKuString(grid, puzzle);
    bool cancel = false;
    NoEventPump pump;
    SolverContext ctx{grid, cancel, pump, {}, random};
    std::string loesungen;
    if (myBT(ctx, loesungen, 2, false, false) != 1)
        return {};
    return loesungen.substr(0, kBoardStringLength);
}

}  // namespace

void frmMain::mSuDoKu_Generate_Click() {
    if (Busy())
        return;
    GenerateNewSuDoKu(-1, -1, true);
}

void frmMain::GenerateNewSuDoKu(int Degree, int Fields, bool showBusy) {
    GenerateSuDoKu(Degree, Fields, showBusy);
}

bool frmMain::GenerateSuDoKu(int Degree, int Fields, bool showBusy) {
    gCancel = false;
    bool hard = Degree >= 2;
    if (Degree == -1) {
        MakeSuDoKuOptions options;
        if (!platform_.dialogs.ShowMakeSuDoKu(options))
            return false;
        hard = options.hard;
        Fields = options.fields;
        DoEvents();
    }
    BusyScope busy(*this);
    WaitWindow& wait = platform_.wait;
    // However the run ends, its wait window goes: a window left standing after a cancel from
    // the menu would offer to cancel a run that is over.
    struct CloseWait {
        WaitWindow* wait;
        ~CloseWait() {
            if (wait)
                wait->Close();
        }
    } closeWait{showBusy ? &wait : nullptr};
    if (showBusy) {
        wait.Show();
        wait.SetTitle(kGenerating);
    }

    const double start = platform_.clock.Seconds();
    platform_.random.Seed(platform_.clock.SeedFromClock());
    AddLog("Generierung...");
    AddLog("Generierung... Zahlenfeld leeren ...");
    ClearBoard(Matrix);
    DoEvents();
    if (gCancel)
        return false;

    SolverContext ctx{Matrix, gCancel, platform_.events,
                      [this](std::string_view line) { AddLog(line); }, platform_.random};
    AddLog("Generierung... SuDoKu suchen ...");
    std::string loesungen;
    myBT(ctx, loesungen, 1, true, false);
    if (gCancel)
        return false;
    SetSuDoKuString(Matrix, std::string_view(loesungen).substr(0, kBoardStringLength));
    AddLog("Generierung... Überflüssige Zahlen löschen ...");
    if (gCancel)
        return false;
    RemoveSurplusNumbers(ctx, platform_.clock, hard ? 2 : 1, Fields, true);
    DoEvents();
    if (gCancel)
        return false;
    AddLog("Generierung fertig nach " + ElapsedText(platform_.clock, start) + " Sekunden.");
    return true;
}

void frmMain::mSuDoKuNewHeft_Click() {
    if (Busy())
        return;
    const bool ok = platform_.dialogs.ShowNewHeft(newHeftOptions_);
    const long long n = ReadPuzzleCount(newHeftOptions_.count);
    if (!ok)
        return;  // the dialog keeps what the user left in it
    if (n < kMinBookletPuzzles || n > kMaxBookletPuzzles) {
        // The entries stay, so the user can correct the number.
        platform_.messages.Show("Bitte geben Sie als Anzahl Rätsel eine Zahl von " +
                                    std::to_string(kMinBookletPuzzles) + " bis " +
                                    std::to_string(kMaxBookletPuzzles) + " ein.",
                                MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const NewHeftOptions options = newHeftOptions_;
    newHeftOptions_ = NewHeftOptions{};
    const std::vector<BookletLevel> levels = BookletLevels(options);

    std::vector<std::string> boards;
    std::vector<std::string> levelNames;
    {
        BusyScope busy(*this);
        WaitWindow& wait = platform_.wait;
        wait.Show();
        for (long long i = 1; i <= n; ++i) {
            wait.SetTitle(SeriesTitle(i, n));
            DoEvents();
            // A close sets the cancel flag, which the next run would clear: it must not start.
            if (closeRequested_)
                break;
            const BookletLevel& level = levels[static_cast<std::size_t>(i - 1) % levels.size()];
            // A cancel stops only this run, and its board is no puzzle: empty or barely thinned.
            // The next run clears the flag and the series goes on.
            if (GenerateSuDoKu(level.degree, level.fields, false)) {
                boards.push_back(GetSuDoKuString(Matrix));
                levelNames.push_back(level.name);
            }
            if (closeRequested_)
                break;
        }
        wait.Close();
    }
    if (Quitting())
        return;

    BookletContent booklet;
    booklet.date = platform_.clock.ShortDateText();
    booklet.withSolutions = options.solutions;
    for (std::size_t i = 0; i < boards.size(); ++i) {
        std::string solution = UniqueSolution(boards[i], platform_.random);
        if (solution.empty())
            continue;
        booklet.puzzles.push_back({static_cast<int>(booklet.puzzles.size() + 1), levelNames[i],
                                   boards[i], options.solutions ? solution : std::string()});
    }
    if (booklet.puzzles.empty()) {
        platform_.messages.Show("Es wurde kein SuDoKu fertig; es gibt kein Heft zu speichern.",
                                MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    // After a failed write the dialog comes again, so the puzzles are not lost to a full disk
    // or a folder without write access; only a cancel there drops them.
    for (;;) {
        const std::optional<std::string> path =
            platform_.fileDialog.ShowSave("SuDoKu-Heft speichern unter ...", "PDF-Datei|*.pdf");
        if (!path)
            return;
        std::string error;
        Printer& printer = platform_.printer;
        if (printer.BeginPdf(*path, "SuDoKu-Heft", error)) {
            LayOutBooklet(printer, booklet);
            if (printer.End(error))
                return;
        }
        platform_.messages.Show("Das SuDoKu-Heft konnte nicht gespeichert werden. " + error,
                                MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

}  // namespace zw
