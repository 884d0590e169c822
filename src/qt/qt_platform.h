// The Qt program's implementations of every platform interface, wired into one Platform.
// Attach() connects the ones that need the main window once it exists.
#pragma once

#include "platform/memory_platform.h"
#include "qt/freedesktop_registration.h"
#include "qt/qt_application.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_clock.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_event_pump.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_printer.h"
#include "qt/qt_shell.h"
#include "qt/qt_wait_window.h"
#include "platform/random.h"
#include "platform/system_platform.h"
#ifdef _WIN32
#include "platform/win32/win32_shell.h"
#endif

class QCoreApplication;

namespace zw {

class MainWindow;

// Windows opens documents through its shell with the short path; elsewhere Qt asks the
// desktop.
#ifdef _WIN32
using DesktopShell = Win32Shell;
#else
using DesktopShell = QtShell;
#endif

class QtPlatform {
public:
    explicit QtPlatform(ProgramInfo program);
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void Attach(MainWindow& window);

    QtMessageBoxes messages;
    QtFileDialog fileDialog;
    QtClipboard clipboard;
    QtEventPump events;
    QtClock clock;
    MersenneRandom random;
    QtWaitWindow wait;
    QtDialogs dialogs;
    DiskFileStore files;
    DesktopRegistration registration;
    DesktopShell shell;
    QtApplication app;
    QtPrinter printer;
    Platform platform;
};

// Facts about the running program from the application object: its folder, its base name and
// the arguments after its name joined by one blank.
ProgramInfo ProgramInfoFromApplication(const QCoreApplication& app);

// Loads Qt's German translations so that standard dialogs read German on any system.
void InstallGermanQtTranslations(QCoreApplication& app);

}  // namespace zw
