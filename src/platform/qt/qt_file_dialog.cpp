#include "platform/qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace zw {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

QString QtFileDialog::QtFilter(std::string_view filter) {
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialog::ShowOpen(std::string_view title, std::string_view filter) {
    const QString path =
        QFileDialog::getOpenFileName(parent_, FromUtf8(title), lastPath_, QtFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    lastPath_ = path;
    return path.toStdString();
}

std::optional<std::string> QtFileDialog::ShowSave(std::string_view title, std::string_view filter) {
    // No question before overwriting and no added extension: the name is taken as typed.
    const QString path =
        QFileDialog::getSaveFileName(parent_, FromUtf8(title), lastPath_, QtFilter(filter), nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    lastPath_ = path;
    return path.toStdString();
}

}  // namespace zw
