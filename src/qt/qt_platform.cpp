#include "qt/qt_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include "qt/main_window.h"

namespace zw {

QtPlatform::QtPlatform(ProgramInfo program)
    : platform{messages, fileDialog, clipboard,    events, clock, random,  wait,
               dialogs,  files,      registration, shell,  app,   printer, std::move(program)} {}

void QtPlatform::Attach(MainWindow& window) {
    messages.SetParent(&window);
    fileDialog.SetParent(&window);
    dialogs.SetParent(&window);
    wait.Attach(window.Form().gCancel, &window);
    app.SetMainWindow(&window);
    events.SetBeforePump([&window] { window.FlushLog(); });
}

ProgramInfo ProgramInfoFromApplication(const QCoreApplication& app) {
    ProgramInfo info;
    info.directory = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    info.exeBaseName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    QStringList arguments = app.arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    info.commandLine = arguments.join(QLatin1Char(' ')).toStdString();
    return info;
}

void InstallGermanQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace zw
