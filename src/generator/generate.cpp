#include "generator/generate.h"

#include "board/board_string.h"
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
                                           const std::vector<BookletLevel>& levels, long long n,
                                           const SeriesHooks& hooks) {
    const auto stopped = [&hooks] { return hooks.stop && hooks.stop(); };
    std::vector<SeriesPuzzle> series;
    for (long long i = 1; i <= n; ++i) {
        if (hooks.title)
            hooks.title("SuDoKu erstellen " + std::to_string(i) + "/" + std::to_string(n) + " ...");
        ctx.DoEvents();
        if (stopped())
            break;
        const BookletLevel& level = levels[static_cast<std::size_t>(i - 1) % levels.size()];
        ctx.gCancel = false;
        // A cancelled run's board is no puzzle: empty or barely thinned.
        if (GeneratePuzzle(ctx, clock, level.degree, level.fields))
            series.push_back({GetSuDoKuString(ctx.grid), level.name});
        if (stopped())
            break;
    }
    return series;
}

}  // namespace zw
