// The program: the Qt platform, the core main window and its widgets, then the event loop.
#include <QApplication>

#include "mainwindow/frm_main.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Before the first widget, so that standard buttons and dialogs read German.
    zw::InstallGermanQtTranslations(app);

    zw::QtPlatform platform(zw::ProgramInfoFromApplication(app));
    zw::frmMain form(platform.platform);
    zw::MainWindow window(form);
    platform.Attach(window);
    form.Form_Load();
    if (form.Quitting())
        return 0;
    window.show();
    return QApplication::exec();
}
