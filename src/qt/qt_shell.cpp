#include "qt/qt_shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace zw {

void QtShell::OpenDocument(const std::string& path, const std::string&, std::uintptr_t) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace zw
