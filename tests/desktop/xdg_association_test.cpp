// Stands in for the program in the file-association test (xdg_association_test.sh): with
// ZW_TEST_MODE=register it registers the file type as a start does; with ZW_TEST_MODE=start
// it starts up exactly as the program does (command line, Form_Load, the file loaded) and
// writes the board string and the number of log lines to $ZW_TEST_RESULT.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "board/board_string.h"
#include "mainwindow/frm_main.h"
#include "qt/freedesktop_registration.h"
#include "qt/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QByteArray mode = qgetenv("ZW_TEST_MODE");
    if (mode == "register") {
        zw::FreedesktopRegistration registration;
        registration.waitForTools = true;
        registration.RegisterFileType(zw::ProgramInfoFromApplication(app));
        return 0;
    }
    if (mode != "start") {
        std::fprintf(stderr, "set ZW_TEST_MODE to register or start\n");
        return 2;
    }
    zw::QtPlatform platform(zw::ProgramInfoFromApplication(app));
    zw::frmMain form(platform.platform);
    form.Form_Load();
    char board[zw::kBoardStringLength];
    zw::GetSuDoKuString(form.Matrix, board);
    QFile result(QString::fromLocal8Bit(qgetenv("ZW_TEST_RESULT")));
    if (!result.open(QIODevice::WriteOnly))
        return 1;
    result.write(QByteArray(board, zw::kBoardStringLength) + "\n" +
                 QByteArray::number(static_cast<qulonglong>(form.List1.ListCount())) + "\n" +
                 QByteArray::fromStdString(platform.platform.program.commandLine) + "\n");
    return 0;
}
