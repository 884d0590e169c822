#include "qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>

namespace zw {

namespace {
// The old text in any of its forms goes; a reader must not find it beside the new one.
bool IsTextFormat(const QString& format) {
    static const QStringList kX11Text = {QStringLiteral("UTF8_STRING"), QStringLiteral("TEXT"),
                                         QStringLiteral("STRING"), QStringLiteral("COMPOUND_TEXT")};
    return format.startsWith(QLatin1String("text/plain")) || kX11Text.contains(format);
}
}  // namespace

void QtClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(std::string_view text) {
    // QClipboard::setText would drop every other format; Cut must leave them where they are.
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* data = new QMimeData;
    if (const QMimeData* old = clipboard->mimeData()) {
        for (const QString& format : old->formats()) {
            if (!IsTextFormat(format))
                data->setData(format, old->data(format));
        }
    }
    data->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    clipboard->setMimeData(data);
}

std::string QtClipboard::GetText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

}  // namespace zw
