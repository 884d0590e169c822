#include "qt/qt_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

namespace zw {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt's Save dialog with its question before an existing file is replaced, left out for the
// document's own files. (A native dialog asks for those too: one question more, nothing lost.)
// The default suffix is added to a name typed without one before that question is asked.
class SaveDialog final : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& title, const QString& path, const QString& filter,
               const std::vector<std::string>& ownFiles)
        : QFileDialog(parent, title, path, filter) {
        setAcceptMode(AcceptSave);
        for (const std::string& own : ownFiles)
            own_.emplace_back(QString::fromStdString(own));
    }
    bool IsOwn(const QString& path) const {
        return std::any_of(own_.begin(), own_.end(),
                           [&](const QFileInfo& file) { return file == QFileInfo(path); });
    }
    void accept() override {
        const QStringList files = selectedFiles();
        setOption(DontConfirmOverwrite, !files.isEmpty() && IsOwn(files[0]));
        // Qt's own dialog asks about the name with its suffix; a native one asked about the name
        // as typed, before the suffix was added.
        native_ = findChild<QLineEdit*>() == nullptr;
        QFileDialog::accept();
    }
    bool Native() const { return native_; }

private:
    std::vector<QFileInfo> own_;
    bool native_ = false;
};

// The question a native dialog left out: the suffix Qt added names a file that exists.
bool MayReplace(QWidget* parent, const QString& path) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("SuDoku"),
                    QStringLiteral("Die Datei \"%1\" gibt es schon. Möchten Sie sie ersetzen?")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::NoButton, parent);
    box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    QPushButton* no = box.addButton(QMessageBox::No);
    no->setText(QStringLiteral("Nein"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() != no;
}
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
                                                  const std::vector<std::string>& ownFiles,
                                                  std::string_view startName) {
    QString start = lastPath_;
    if (!startName.empty()) {
        const QString folder = lastPath_.isEmpty() ? QString() : QFileInfo(lastPath_).path();
        start = QDir(folder).filePath(FromUtf8(startName));
    }
    for (;;) {
        SaveDialog dialog(parent_, FromUtf8(title), start, QtFilter(filter), ownFiles);
        dialog.setDefaultSuffix(FromUtf8(FilterExtension(filter)));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().front();
        if (path.isEmpty())
            return std::nullopt;
        if (dialog.Native() && QFileInfo::exists(path) && !dialog.IsOwn(path) &&
            !MayReplace(parent_, path)) {
            start = path;
            continue;
        }
        if (startName.empty())
            lastPath_ = path;
        return path.toStdString();
    }
}

}  // namespace zw
