// The solve, count-all and cancel commands.
#include "mainwindow/frm_main.h"
#include "platform/number_format.h"
#include "solver/backtracking.h"
#include "solver/solve.h"

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
    SolverContext ctx{Matrix, gCancel, platform_.events,
                      [this](std::string_view line) { AddLog(line); }, platform_.random};
    SolveSuDoKu(ctx, {.randomOrder = true, .clock = &platform_.clock});
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
    const std::string n =
        std::to_string(myBT(ctx, loesungen, {.use_random = true, .ShowLogs = true}));
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
