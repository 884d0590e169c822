#include "qt/qt_application.h"

#include <QApplication>
#include <QWidget>

namespace zw {

void QtApplication::Quit() {
    // The core has marked itself as quitting, so the window's close event accepts at once.
    if (window_)
        window_->close();
    QCoreApplication::quit();
}

}  // namespace zw
