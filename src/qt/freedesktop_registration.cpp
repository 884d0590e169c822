#include "qt/freedesktop_registration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

static void InitZellwerkResources() {
    Q_INIT_RESOURCE(zellwerk);
}

namespace zw {

namespace {

// Replaces the file's content; a write to a temporary file renamed over it, so a reader never
// sees half a file.
void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return;
    existing.close();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.commit();
    }
}

void RunTool(const QString& tool, const QString& directory, bool wait) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return;
    if (wait) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(path, {directory});
        process.waitForFinished(30000);
    } else {
        QProcess::startDetached(path, {directory});
    }
}

}  // namespace

QString DesktopExecLine(const QString& program) {
    // Inside the quotes, ", `, $ and \ take a backslash; the key file format then doubles every
    // backslash once more, and a literal % is written %%.
    QString quoted;
    for (const QChar ch : program) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            quoted += u'\\';
        quoted += ch;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + QStringLiteral("\" %f");
}

QString DesktopEntry(const QString& program) {
    // Line breaks or control characters in the path cannot be written into a key file line.
    QString exec = DesktopExecLine(program);
    exec.replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Zellwerk\n"
               "GenericName=SuDoKu\n"
               "Comment=SuDoKu lösen, prüfen und erstellen\n"
               "Exec=%1\n"
               "Icon=zellwerk\n"
               "Terminal=false\n"
               "MimeType=%2;\n"
               "Categories=Game;LogicGame;\n"
               "Keywords=Sudoku;SuDoKu;Rätsel;\n")
        .arg(exec, QString::fromLatin1(kPuzzleMimeType));
}

QString MimePackage() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>SuDoKu-Datei</comment>\n"
               "    <comment xml:lang=\"de\">SuDoKu-Datei</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <icon name=\"zellwerk\"/>\n"
               "    <glob pattern=\"*.sudoku\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QString::fromLatin1(kPuzzleMimeType));
}

QString WithDefaultApplication(const QString& list, const QString& mimeType,
                               const QString& desktopFile) {
    // Other types' defaults and other sections stay as they were; our type's old lines go and
    // the new one comes first in the first [Default Applications] section.
    const QString entry = mimeType + u'=' + desktopFile + u';';
    const QString header = QStringLiteral("[Default Applications]");
    QStringList out;
    bool inDefaults = false;
    bool placed = false;
    for (const QString& line : list.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            inDefaults = trimmed == header;
            out.append(line);
            if (inDefaults && !placed) {
                out.append(entry);
                placed = true;
            }
            continue;
        }
        if (inDefaults && trimmed.section(u'=', 0, 0).trimmed() == mimeType)
            continue;
        out.append(line);
    }
    while (!out.isEmpty() && out.last().trimmed().isEmpty())
        out.removeLast();
    if (!placed) {
        if (!out.isEmpty())
            out.append(QString());
        out.append(header);
        out.append(entry);
    }
    return out.join(u'\n') + u'\n';
}

void FreedesktopRegistration::RegisterFileType(const ProgramInfo&) {
    InitZellwerkResources();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return;
    const QString program = QCoreApplication::applicationFilePath();

    WriteFile(data + QStringLiteral("/mime/packages/zellwerk.xml"), MimePackage().toUtf8());
    const QString applications = data + QStringLiteral("/applications");
    WriteFile(applications + u'/' + QLatin1String(kDesktopFileName),
              DesktopEntry(program).toUtf8());
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QFile icon(QStringLiteral(":/zellwerk/icons/zellwerk-%1.png").arg(size));
        if (icon.open(QIODevice::ReadOnly))
            WriteFile(data + QStringLiteral("/icons/hicolor/%1x%1/apps/zellwerk.png").arg(size),
                      icon.readAll());
    }
    QFile svg(QStringLiteral(":/zellwerk/zellwerk.svg"));
    if (svg.open(QIODevice::ReadOnly))
        WriteFile(data + QStringLiteral("/icons/hicolor/scalable/apps/zellwerk.svg"),
                  svg.readAll());

    const QString listPath = applications + QStringLiteral("/mimeapps.list");
    QFile list(listPath);
    // A list that exists but cannot be read is left alone rather than replaced by ours alone.
    if (!list.exists() || list.open(QIODevice::ReadOnly)) {
        const QString oldList = list.isOpen() ? QString::fromUtf8(list.readAll()) : QString();
        list.close();
        WriteFile(listPath, WithDefaultApplication(oldList, QString::fromLatin1(kPuzzleMimeType),
                                                   QLatin1String(kDesktopFileName))
                                .toUtf8());
    }

    RunTool(QStringLiteral("update-mime-database"), data + QStringLiteral("/mime"), waitForTools);
    RunTool(QStringLiteral("update-desktop-database"), applications, waitForTools);
}

}  // namespace zw
