#include "support/main_window_fixture.h"

#include <QCoreApplication>
#include <QTest>

namespace zw::test {

MainWindowFixture::MainWindowFixture() {
    window = std::make_unique<MainWindow>(form);
    form.Form_Load();
    window->show();
    (void)QTest::qWaitForWindowExposed(window.get());
    window->activateWindow();
    Settle();
}

void MainWindowFixture::Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void MainWindowFixture::Type(std::initializer_list<int> keys) {
    for (int key : keys)
        QTest::keyClick(&Grid(), static_cast<Qt::Key>(key));
    Settle();
}

void MainWindowFixture::Click(int row, int col, Qt::KeyboardModifiers modifiers) {
    const double cell = (Grid().width() - 1) / 9.0;
    const QPoint at(static_cast<int>((col + 0.5) * cell), static_cast<int>((row + 0.5) * cell));
    QTest::mouseClick(&Grid(), Qt::LeftButton, modifiers, at);
    Settle();
}

void MainWindowFixture::ShowLog() {
    if (form.List1.visible)
        return;
    auto* toggle = window->findChild<QWidget*>(QStringLiteral("Label4"));
    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(5, 5));
    Settle();
}

void MainWindowFixture::ClickLogRow(int row) {
    Settle();
    const QModelIndex index = Log().model()->index(row, 0);
    Log().scrollTo(index);
    QTest::mouseClick(Log().viewport(), Qt::LeftButton, {}, Log().visualRect(index).center());
    Settle();
}

}  // namespace zw::test
