#include "solver/solve.h"

#include "board/board_string.h"
#include "board/rules.h"
#include "platform/number_format.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"

namespace zw {

SolveOutcome SolveSuDoKu(SolverContext& ctx, const SolveOptions& options) {
    Grid& grid = ctx.grid;
    // Only a context that logs reads the clock.
    const double start = ctx.Logs() ? options.clock->Seconds() : 0;
    const auto logTimed = [&](std::string_view before, std::string_view after) {
        if (ctx.Logs())
            ctx.AddLog(std::string(before) + ElapsedText(*options.clock, start) +
                       std::string(after));
    };
    ctx.AddLog("Lösen...");
    const std::string puzzle = GetSuDoKuString(grid);
    // Logging lets messages run, so a cancel can already be in.
    if (ctx.gCancel)
        return SolveOutcome::Cancelled;
    if (!RulesOk(grid)) {
        ctx.AddLog("Lösen... Fehler: Die vorhandenen Zahlen brechen die SuDoKu regeln.");
        return SolveOutcome::BrokenRules;
    }
    if (ctx.gCancel)
        return SolveOutcome::Cancelled;
    if (CountOpenCells(grid) == 0) {
        ctx.AddLog("Lösen... Fehler: SuDoKu bereits gelöst.");
        return SolveOutcome::AlreadySolved;
    }
    if (ctx.gCancel)
        return SolveOutcome::Cancelled;
    if (SolveLogical(ctx)) {
        logTimed("Lösen fertig nach ", "s gefunden.");
        return SolveOutcome::ByLogic;
    }
    ctx.AddLog("Lösen... Lösung nicht eindeutig.");
    logTimed("Lösen... Starte Backtracking nach ", "s.");
    // The search starts from the puzzle as given, without the logic's candidate strings.
    SetSuDoKuString(grid, puzzle);
    std::string loesungen;
    if (myBT(ctx, loesungen, {.max = 1, .use_random = options.randomOrder, .ShowLogs = true}) >
        0) {
        logTimed("Lösen fertig nach ", "s gefunden.");
        SetSuDoKuString(grid, std::string_view(loesungen).substr(0, kBoardStringLength));
        return SolveOutcome::BySearch;
    }
    ctx.AddLog("Lösen... Fehler: SuDoKu kann nicht gelöst werden.");
    SetSuDoKuString(grid, puzzle);
    return SolveOutcome::NoSolution;
}

Rating RatePuzzle(SolverContext& ctx) {
    const auto given = ctx.grid.Values();
    if (SolveLogical(ctx))
        return Rating::Normal;
    ctx.grid.SetValues(given);
    switch (SolutionsUpToTwo(ctx)) {
        case 0:
            return Rating::None;
        case 1:
            return Rating::Hard;
        default:
            return Rating::Multiple;
    }
}

std::int64_t SolutionsUpToTwo(SolverContext& ctx, std::string* first) {
    std::string loesungen;
    const std::int64_t n = myBT(ctx, loesungen, {.max = 2, .ShowLogs = true});
    if (first && n > 0)
        *first = loesungen.substr(0, kBoardStringLength);
    return n;
}

}  // namespace zw
