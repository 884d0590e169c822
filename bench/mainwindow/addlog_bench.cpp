// The log at scale: a million AddLog calls with their snapshots, and selecting lines in a
// 200,000-line log, on the in-memory platform.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <memory>

#include "board/board_string.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"

namespace zw {
namespace {

constexpr int kMillion = 1'000'000;
constexpr int kSelectLines = 200'000;

double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

struct Form {
    Form() { form.Form_Load(); }
    MemoryPlatform mp;
    frmMain form{mp.platform};
};

// Logs `lines` entries on a board that changes with every line, as a solver run does.
void FillLog(frmMain& form, int lines) {
    for (int i = 0; i < lines; ++i) {
        form.Matrix.SetValue(i % 9, (i / 9) % 9, DigitBit(i % 9 + 1));
        form.AddLog("Eingabe ok.");
    }
}

bool LogIsSound(frmMain& form, int lines) {
    if (form.List1.ListCount() != static_cast<std::size_t>(lines) ||
        form.mySnapshots.Count() != static_cast<std::size_t>(lines))
        return false;
    const std::size_t last = form.mySnapshots.Count() - 1;
    return form.mySnapshots[last] == GetSuDoKuString(form.Matrix) &&
           form.List1.lines[last] == "14:03:27\tEingabe ok.";
}

void BM_AddLogMillion(benchmark::State& state) {
    {
        Form check;
        FillLog(check.form, 1000);
        if (!LogIsSound(check.form, 1000)) {
            state.SkipWithError("the log does not hold what was written");
            return;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Form>();
        state.ResumeTiming();
        FillLog(f->form, kMillion);
        benchmark::DoNotOptimize(f->form.List1.ListCount());
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakResidentMb();
    std::printf("peak resident set after %d AddLog calls: %.1f MB\n", kMillion, PeakResidentMb());
}
BENCHMARK(BM_AddLogMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SelectLineIn200kLog(benchmark::State& state) {
    Form f;
    FillLog(f.form, kSelectLines);
    f.form.SelectLogLine(12345);
    if (f.form.mySnapshots[12345] != GetSuDoKuString(f.form.Matrix)) {
        state.SkipWithError("selecting a line did not restore its board");
        return;
    }
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % kSelectLines;  // jump about, as a user scrolling would
        f.form.SelectLogLine(row);
        benchmark::DoNotOptimize(f.form.Matrix.ValueAt(0));
    }
}
BENCHMARK(BM_SelectLineIn200kLog);

}  // namespace
}  // namespace zw

BENCHMARK_MAIN();
