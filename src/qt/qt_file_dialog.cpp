#include "qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace zw {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt's Save dialog with its question before an existing file is replaced, left out for the
// document's own files. (A native dialog asks for those too: one question more, nothing lost.)
class SaveDialog final : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& title, const QString& path, const QString& filter,
               const std::vector<std::string>& ownFiles)
        : QFileDialog(parent, title, path, filter) {
        setAcceptMode(AcceptSave);
        for (const std::string& own : ownFiles)
            own_.emplace_back(QString::fromStdString(own));
    }
    void accept() override {
        const QStringList files = selectedFiles();
        const bool own = !files.isEmpty() && std::any_of(own_.begin(), own_.end(),
                                                         [&](const QFileInfo& file) {
                                                             return file == QFileInfo(files[0]);
                                                         });
        setOption(DontConfirmOverwrite, own);
        QFileDialog::accept();
    }

private:
    std::vector<QFileInfo> own_;
};
}  // namespace

QString QtFileDialog::QtFilter(std::string_view filter) {
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") +
                       QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
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

std::optional<std::string> QtFileDialog::ShowSave(std::string_view title, std::string_view filter,
                                                  const std::vector<std::string>& ownFiles) {
    // No extension is added: the name is taken as typed.
    SaveDialog dialog(parent_, FromUtf8(title), lastPath_, QtFilter(filter), ownFiles);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().front();
    if (path.isEmpty())
        return std::nullopt;
    lastPath_ = path;
    return path.toStdString();
}

}  // namespace zw
