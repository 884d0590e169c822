// The real main window over the in-memory platform: message boxes, file dialogs and the other
// dialogs are scripted through `mp` (see platform/memory_platform.h), the widgets are real.
// DoEvents only counts its calls here; Settle() lets Qt's pending events run.
#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QModelIndex>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"
#include "qt/grid_view.h"
#include "qt/log_view.h"
#include "qt/main_window.h"
#include "support/test_board.h"

namespace zw::test {

struct MainWindowFixture {
    // Builds the window, runs Form_Load and shows it, as the program does. The window goes
    // first and without closing through the core: nothing asks to save.
    MainWindowFixture() {
        window = std::make_unique<MainWindow>(form);
        form.Form_Load();
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
        window->activateWindow();
        Settle();
    }

    MemoryPlatform mp;
    frmMain form{mp.platform};
    std::unique_ptr<MainWindow> window;

    GridView& Grid() { return window->Grid(); }
    LogView& Log() { return window->Log(); }
    QAction* Action(const char* name) const {  // by objectName; nullptr when missing
        return window->findChild<QAction*>(QString::fromUtf8(name));
    }
    // Lets pending Qt events run: the log view announces new rows, widgets repaint.
    static void Settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    std::vector<std::string> LogMessages() const { return test::LogMessages(form); }
    // Types `keys` (Qt::Key values) into the grid as real key events.
    void Type(std::initializer_list<int> keys) {
        for (int key : keys)
            QTest::keyClick(&Grid(), static_cast<Qt::Key>(key));
        Settle();
    }
    // Makes (row, col) current with a real mouse click, modifiers as given.
    void Click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const double cell = (Grid().width() - 1) / 9.0;
        const QPoint at(static_cast<int>((col + 0.5) * cell), static_cast<int>((row + 0.5) * cell));
        QTest::mouseClick(&Grid(), Qt::LeftButton, modifiers, at);
        Settle();
    }
    // Shows the log with a real click on the toggle, if it is hidden.
    void ShowLog() {
        if (form.List1.visible)
            return;
        auto* toggle = window->findChild<QWidget*>(QStringLiteral("Label4"));
        QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(5, 5));
        Settle();
    }
    // Selects a log row with a real mouse click.
    void ClickLogRow(int row) {
        Settle();
        const QModelIndex index = Log().model()->index(row, 0);
        Log().scrollTo(index);
        QTest::mouseClick(Log().viewport(), Qt::LeftButton, {}, Log().visualRect(index).center());
        Settle();
    }
};

}  // namespace zw::test
