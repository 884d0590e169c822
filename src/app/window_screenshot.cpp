// Renders the main window offscreen into a PNG, for the README: a generated puzzle, a few
// digits typed on the tip's answers, and a first tip with its unit marked, the log shown.
//
//     QT_QPA_PLATFORM=offscreen window_screenshot OUT.png [WIDTH HEIGHT]
//
// WIDTH and HEIGHT (pixels) size the window beyond its smallest; scripts/screenshot.sh runs it.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"
#include "techniques/tip.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: window_screenshot OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    zw::InstallGermanQtTranslations(app);
    zw::MemoryPlatform mp;
    mp.dialogs.makeSuDoKu = [](zw::MakeSuDoKuOptions& options) {
        options.fields = 50;
        return true;
    };
    zw::frmMain form(mp.platform);
    zw::MainWindow window(form);
    form.Form_Load();
    form.Label4_Click();
    window.show();
    if (argc == 4)
        window.resize(std::stoi(argv[2]), std::stoi(argv[3]));

    mp.clock.timeOfDay = "14:02:11";
    mp.clock.step = 0.0125;  // seconds per clock reading, so the run does not take 0 seconds
    form.mSuDoKu_Generate_Click();
    // Play three steps as a player would: ask twice, type the answer.
    const char* times[] = {"14:03:40", "14:04:05", "14:05:32"};
    for (const char* time : times) {
        mp.clock.timeOfDay = time;
        form.mSuDoKu_Tipp_Click();
        form.mSuDoKu_Tipp_Click();
        const zw::Tip tip = zw::FindTip(form.Matrix.Values());
        if (tip.cell < 0)
            break;
        form.Matrix.SetCurrent(tip.cell / zw::kGridSize, tip.cell % zw::kGridSize);
        form.Matrix_KeyPress('0' + tip.digit);
    }
    mp.clock.timeOfDay = "14:06:18";
    form.mSuDoKu_Tipp_Click();
    // Lets the log view, the status line and the grid catch up before the picture is taken.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "window_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
