#include "generator/generate.h"

#include "board/board_string.h"
#include "generator/level.h"
#include "generator/thinning.h"
#include "platform/number_format.h"
#include "solver/backtracking.h"

namespace zw {

bool GeneratePuzzle(SolverContext& ctx, Clock& clock, int degree, int fields) {
    const double start = clock.Seconds();
    ctx.random.Seed(clock.SeedFromClock());
    ctx.AddLog("Generierung...");
    ctx.AddLog("Generierung... Zahlenfeld leeren ...");
    ClearBoard(ctx.grid);
    ctx.DoEvents();
    if (ctx.gCancel)
        return false;

    ctx.AddLog("Generierung... SuDoKu suchen ...");
    std::string loesungen;
    myBT(ctx, loesungen, {.max = 1, .use_random = true});
    if (ctx.gCancel)
        return false;
    SetSuDoKuString(ctx.grid, std::string_view(loesungen).substr(0, kBoardStringLength));
    ctx.AddLog("Generierung... Überflüssige Zahlen löschen ...");
    if (ctx.gCancel)
        return false;
    RemoveSurplusNumbers(ctx, clock, degree, fields, true);
    ctx.DoEvents();
    if (ctx.gCancel)
        return false;
    ctx.AddLog("Generierung fertig nach " + ElapsedText(clock, start) + " Sekunden.");
    return true;
}

std::vector<SeriesPuzzle> MakePuzzleSeries(SolverContext& ctx, Clock& clock,
                                           const std::vector<techniques::Level>& levels,
                                           long long n, const SeriesHooks& hooks) {
    const auto stopped = [&hooks] { return hooks.stop && hooks.stop(); };
    std::vector<SeriesPuzzle> series;
    for (long long i = 1; i <= n; ++i) {
        if (hooks.title)
            hooks.title("SuDoKu erstellen " + std::to_string(i) + "/" + std::to_string(n) + " ...");
        ctx.DoEvents();
        if (stopped())
            break;
        const techniques::Level level = levels[static_cast<std::size_t>(i - 1) % levels.size()];
        ctx.gCancel = false;
        const LevelPuzzle p = MakeLevelPuzzle(level, clock.SeedFromClock(), [&] {
            ctx.DoEvents();
            return ctx.gCancel || stopped();
        });
        if (!p.rows.empty()) {
            SetSuDoKuString(ctx.grid, BoardStringFromRows(p.rows));
            ctx.AddLog("Heft: Rätsel " + std::to_string(i) + "/" + std::to_string(n) +
                       ", Schwierigkeit: " + techniques::ScoreText(p.score));
            series.push_back({GetSuDoKuString(ctx.grid),
                              std::string(techniques::LevelName(level)), p.score.rating});
        }
        if (stopped())
            break;
    }
    return series;
}

}  // namespace zw
