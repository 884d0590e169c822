// The generate and booklet commands.
#include <string>
#include <vector>

#include "generator/booklet.h"
#include "generator/generate.h"
#include "mainwindow/frm_main.h"

namespace zw {

namespace {

constexpr char kGenerating[] = "SuDoKu generieren ...";

}  // namespace

void frmMain::mSuDoKu_Generate_Click() {
    if (Busy())
        return;
    // The new puzzle's score follows its run, as players choose puzzles by it.
    if (GenerateSuDoKu(-1, -1, true) && !Quitting())
        LogDifficulty();
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

    SolverContext ctx{Matrix, gCancel, platform_.events,
                      [this](std::string_view line) { AddLog(line); }, platform_.random};
    return GeneratePuzzle(ctx, platform_.clock, hard ? 2 : 1, Fields);
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
    const std::vector<techniques::Level> levels = BookletLevels(options);

    std::vector<SeriesPuzzle> series;
    {
        BusyScope busy(*this);
        WaitWindow& wait = platform_.wait;
        wait.Show();
        SolverContext ctx{Matrix, gCancel, platform_.events,
                          [this](std::string_view line) { AddLog(line); }, platform_.random};
        series = MakePuzzleSeries(ctx, platform_.clock, levels, n,
                                  {.title = [&wait](std::string_view t) { wait.SetTitle(t); },
                                   .stop = [this] { return closeRequested_; }});
        wait.Close();
    }
    if (Quitting())
        return;

    const BookletContent booklet =
        BookletOf(series, platform_.clock.ShortDateText(), options.solutions);
    if (booklet.puzzles.empty()) {
        platform_.messages.Show(kNoBookletPuzzle, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    // After a failed write the dialog comes again, so the puzzles are not lost to a full disk
    // or a folder without write access; only a cancel there drops them.
    for (;;) {
        // A booklet is no puzzle file: its dialog offers a name of its own, not the puzzle's.
        const std::optional<std::string> path = platform_.fileDialog.ShowSave(
            "SuDoKu-Heft speichern unter ...", "PDF-Datei|*.pdf", {}, "Heft.pdf");
        if (!path)
            return;
        std::string error;
        Printer& printer = platform_.printer;
        if (printer.BeginPdf(*path, "SuDoKu-Heft", error)) {
            LayOutBooklet(printer, booklet);
            if (printer.End(error))
                return;
        }
        platform_.messages.Show(std::string(kBookletNotSaved) + error,
                                MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

}  // namespace zw
