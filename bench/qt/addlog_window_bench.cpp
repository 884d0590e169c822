// The log in the real window: 200,000 AddLog calls with the log shown (budget 5 s), then line
// selections as the user makes them, each timed until the grid and the list have repainted
// (budget one frame, 16 ms). Run under Xvfb or with QT_QPA_PLATFORM=offscreen.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <algorithm>
#include <cstdio>

#include "board/board_string.h"
#include "qt/grid_view.h"
#include "qt/log_view.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"

namespace {
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 200'000;

    zw::QtPlatform platform(zw::ProgramInfo{});
    zw::frmMain form(platform.platform);
    zw::MainWindow window(form);
    platform.Attach(window);
    form.Form_Load();
    window.show();
    form.Label4_Click();
    QApplication::processEvents();

    QElapsedTimer timer;
    const double cpuStart = CpuSeconds();
    timer.start();
    for (int i = 0; i < lines; ++i) {
        form.Matrix.SetValue(i % 9, (i / 9) % 9, zw::DigitBit(i % 9 + 1));
        form.AddLog("Eingabe ok.");
    }
    // Until the last line is shown selected in the list.
    zw::LogView& log = window.Log();
    while (log.currentIndex().row() != lines - 1 && timer.elapsed() < 60'000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double addSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const double addCpu = CpuSeconds() - cpuStart;

    if (log.model()->rowCount() != lines || log.currentIndex().row() != lines - 1) {
        std::fprintf(stderr, "the view does not show the log: %d rows, current %d\n",
                     log.model()->rowCount(), log.currentIndex().row());
        return 1;
    }

    // A user's selection: the current index moves, frmMain restores the board, and the next pass
    // of the event loop repaints grid and list.
    double worstMs = 0, totalMs = 0;
    constexpr int kSelections = 200;
    int row = 0;
    for (int i = 0; i < kSelections; ++i) {
        row = (row + 7919) % lines;
        timer.restart();
        log.selectionModel()->setCurrentIndex(log.model()->index(row, 0),
                                              QItemSelectionModel::ClearAndSelect);
        // One pass of the event loop delivers the coalesced repaints of grid and list.
        QApplication::processEvents();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        worstMs = std::max(worstMs, ms);
        totalMs += ms;
        if (form.List1.listIndex != row ||
            form.mySnapshots[static_cast<std::size_t>(row)] != zw::GetSuDoKuString(form.Matrix)) {
            std::fprintf(stderr, "selecting line %d did not restore its board\n", row);
            return 1;
        }
    }

    std::printf(
        "platform %s, %d AddLog calls in the window (log shown): %.3f s (%.3f s CPU; "
        "budget 5 s)\n",
        qPrintable(QApplication::platformName()), lines, addSeconds, addCpu);
    std::printf(
        "line selection answered and repainted: mean %.2f ms, worst %.2f ms of %d "
        "(budget 16 ms)\n",
        totalMs / kSelections, worstMs, kSelections);
    const bool ok = addSeconds < 5.0 && worstMs < 16.0;
    std::printf("%s\n", ok ? "within budget" : "OVER BUDGET");
    return ok ? 0 : 2;
}
