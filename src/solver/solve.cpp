#include "solver/solve.h"

#include "board/board_string.h"
#include "board/rules.h"
#include "platform/number_format.h"
#include "solver/backtracking.h"
#include "solver/fast_search.h"
#include "solver/logical_solver.h"

namespace zw {

namespace {

// The fast engine answers when the context asks for it, no one reads the search's log lines, no
// cancel is pending (the ordered search would stop at once) and no cell holds a candidate
// string (the ordered search would keep to it).
bool FastEngineAnswers(const SolverContext& ctx) {
    if (ctx.engine != SearchEngine::Fast || ctx.Logs() || ctx.gCancel)
        return false;
    for (const CellValue v : ctx.grid.Values()) {
        if (TextLength(v) > 1)
            return false;
    }
    return true;
}

}  // namespace

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
    // Without a second solution every road ends on the same board.
    if (FastEngineAnswers(ctx)) {
        std::string solution;
        const std::int64_t n = FastCount(grid.Values(), 2, &solution);
        if (n == 0)
            return SolveOutcome::NoSolution;
        if (n == 1) {
            SetSuDoKuString(grid, solution);
            return SolveOutcome::BySearch;
        }
    }
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
    if (FastEngineAnswers(ctx)) {
        std::string solution;
        const std::int64_t n = FastCount(ctx.grid.Values(), 2, &solution);
        // Of two solutions, which one the ordered search finds first depends on the search.
        if (n < 2 || first == nullptr) {
            if (first && n == 1)
                *first = std::move(solution);
            return n;
        }
    }
    std::string loesungen;
    const std::int64_t n = myBT(ctx, loesungen, {.max = 2, .ShowLogs = true});
    if (first && n > 0)
        *first = loesungen.substr(0, kBoardStringLength);
    return n;
}

std::int64_t CountSolutions(SolverContext& ctx, std::int64_t limit) {
    if (FastEngineAnswers(ctx))
        return FastCount(ctx.grid.Values(), limit);
    const std::int64_t kept = ctx.keepSolutions;
    ctx.keepSolutions = 0;
    std::string loesungen;
    const std::int64_t n = myBT(ctx, loesungen, {.max = limit});
    ctx.keepSolutions = kept;
    return n;
}

}  // namespace zw
