#include "qt/qt_shell.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace zw {

namespace {

// False only when the desktop's own tool says that no program is set up for the file's type;
// where the tool is missing or does not answer, the launcher decides.
bool ViewerKnown([[maybe_unused]] const QString& path) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
#else
    return true;
#endif
}

}  // namespace

bool QtShell::OpenDocument(const std::string& path, const std::string&, std::uintptr_t) {
    const QString file = QString::fromStdString(path);
    return ViewerKnown(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace zw
