// The solve, count-all and cancel commands.
#include "board/board_string.h"
#include "board/rules.h"
#include "mainwindow/frm_main.h"
#include "platform/number_format.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"

namespace zw {

namespace {

void SetTextColours(Grid& grid, Colour colour, bool placedOnly) {
    grid.SetRedraw(false);
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            if (placedOnly && !IsPlaced(grid.Value(r, c)))
                continue;
            grid.SetCurrent(r, c);
            grid.SetTextColour(r, c, colour);
        }
    }
    grid.SetRedraw(true);
}

}  // namespace

void frmMain::mSuDoKu_Loesen_Click() {
    if (Busy())
        return;
    BusyScope busy(*this);
    gCancel = false;
    Clock& clock = platform_.clock;
    const double start = clock.Seconds();
    AddLog("Lösen...");
    const std::string puzzle = GetSuDoKuString(Matrix);
    // AddLog lets messages run, so a cancel can already be in.
    if (gCancel)
        return;
    if (!RulesOk(Matrix)) {
        AddLog("Lösen... Fehler: Die vorhandenen Zahlen brechen die SuDoKu regeln.");
        return;
    }
    if (gCancel)
        return;
    if (CountOpenCells(Matrix) == 0) {
        AddLog("Lösen... Fehler: SuDoKu bereits gelöst.");
        return;
    }
    if (gCancel)
        return;
    SolverContext ctx{Matrix, gCancel, platform_.events,
                      [this](std::string_view line) { AddLog(line); }, platform_.random};
    if (SolveLogical(ctx)) {
        AddLog("Lösen fertig nach " + ElapsedText(clock, start) + "s gefunden.");
        return;
    }
    AddLog("Lösen... Lösung nicht eindeutig.");
    AddLog("Lösen... Starte Backtracking nach " + ElapsedText(clock, start) + "s.");
    // The search starts from the puzzle as given, without the logic's candidate strings.
    SetSuDoKuString(Matrix, puzzle);
    std::string loesungen;
    if (myBT(ctx, loesungen, 1, true, true) > 0) {
        AddLog("Lösen fertig nach " + ElapsedText(clock, start) + "s gefunden.");
        SetSuDoKuString(Matrix, std::string_view(loesungen).substr(0, kBoardStringLength));
    } else {
        AddLog("Lösen... Fehler: SuDoKu kann nicht gelöst werden.");
        SetSuDoKuString(Matrix, puzzle);
    }
}

void frmMain::mSuDoKuSearchAll_Click() {
    if (Busy())
        return;
    BusyScope busy(*this);
    SetTextColours(Matrix, kGivenRed, true);
    AddLog("Lösen...");
    gCancel = false;
    Clock& clock = platform_.clock;
    const double start = clock.Seconds();
    SolverContext ctx{Matrix, gCancel, platform_.events,
                      [this](std::string_view line) { AddLog(line); }, platform_.random};
    // Only the count is wanted; a bounded list keeps a long count from filling memory.
    ctx.keepSolutions = kLoggedSolutionsPerSearch;
    std::string loesungen;
    const std::string n = std::to_string(myBT(ctx, loesungen, 0, true, true));
    const std::string t = ElapsedText(clock, start);
    AddLog("Lösen fertig (" + n + " Lösungen in " + t + " Sekunden).");
    platform_.messages.Show(
        "Für dieses SuDoKu wurden in " + t + " Sekunden " + n + " Lösungen gefunden.",
        MsgButtons::Ok, MsgIcon::None);
    SetTextColours(Matrix, kDefaultTextColour, false);
}

void frmMain::mSuDoKuBeak_Click() {
    AddLog("Abbruch");
    gCancel = true;
}

}  // namespace zw
