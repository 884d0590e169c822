// The system clipboard and the Qt file dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "qt/qt_clipboard.h"
#include "qt/qt_file_dialog.h"

namespace zw {
namespace {

// Setting the text keeps the clipboard's other formats and drops its old text; Copy clears first.
TEST(QtClipboard, SetTextKeepsOtherFormatsAndReplacesTheText) {
    QtClipboard clipboard;
    QClipboard* system = QGuiApplication::clipboard();
    const QString other = QStringLiteral("application/x-zellwerk-test");
    auto* data = new QMimeData;
    data->setData(other, "kept");
    data->setData(QStringLiteral("text/plain;charset=utf-8"), "old text");
    system->setMimeData(data);
    clipboard.SetText("5 7");
    EXPECT_EQ(clipboard.GetText(), "5 7");
    EXPECT_EQ(system->mimeData()->data(other), QByteArray("kept"));
    EXPECT_FALSE(system->mimeData()->hasFormat(QStringLiteral("text/plain;charset=utf-8")));
    clipboard.Clear();
    EXPECT_FALSE(system->mimeData() && system->mimeData()->hasFormat(other));
}

// Accepts `name` in the next file dialog (cancels when empty), answers Yes to the question
// before a file is replaced, and notes where the dialog started and whether it asked.
struct DialogAnswer {
    QString started;
    bool asked = false;
    void Next(const QString& name) {
        asked = false;
        QTimer::singleShot(0, [this, name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            started = dialog->selectedFiles().value(0);
            if (name.isEmpty())
                return dialog->reject();
            dialog->selectFile(name);
            QTimer::singleShot(0, [this] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    asked = true, box->button(QMessageBox::Yes)->click();
            });
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }
};

TEST(QtFileDialog, OpenAndSaveShareTheLastPathAddTheExtensionAndAskBeforeReplacing) {
    EXPECT_EQ(QtFileDialog::QtFilter("SuDoKu-Datei|*.sudoku|Rätsel als Text|*.txt;*.sdk"),
              QStringLiteral("SuDoKu-Datei (*.sudoku);;Rätsel als Text (*.txt *.sdk)"));
    QTemporaryDir temp;
    const QString first = temp.filePath(QStringLiteral("first.sudoku"));
    QFile(first).open(QIODevice::WriteOnly);  // Open wants it
    QtFileDialog files;
    DialogAnswer answer;
    answer.Next(first);
    EXPECT_EQ(files.ShowOpen("SuDoKu öffnen ...", "SuDoKu-Datei|*.sudoku"), first.toStdString());
    answer.Next(temp.filePath(QStringLiteral("second")));  // typed without an extension
    EXPECT_EQ(files.ShowSave("t", "SuDoKu-Dateien|*.sudoku"),
              temp.filePath("second.sudoku").toStdString());
    EXPECT_EQ(answer.started, first) << "starts at the opened file";
    EXPECT_FALSE(answer.asked);
    answer.Next(temp.filePath(QStringLiteral("first")));  // the name with it is another file
    EXPECT_EQ(files.ShowSave("t", "SuDoKu-Dateien|*.sudoku"), first.toStdString());
    EXPECT_TRUE(answer.asked);
    // The booklet's dialog offers its own name in the same folder and leaves the last path.
    answer.Next(temp.filePath(QStringLiteral("heft")));
    EXPECT_EQ(files.ShowSave("t", "PDF-Datei|*.pdf", {}, "Heft.pdf"),
              temp.filePath("heft.pdf").toStdString());
    EXPECT_EQ(answer.started, temp.filePath(QStringLiteral("Heft.pdf")));
    for (bool own : {false, true}) {  // the puzzle's own file is replaced without a question
        answer.Next(first);
        EXPECT_EQ(files.ShowSave("t", "x|*.sudoku", own ? std::vector{first.toStdString()}
                                                        : std::vector<std::string>{}),
                  first.toStdString());
        EXPECT_EQ(answer.asked, !own);
    }
    answer.Next(QString());
    EXPECT_EQ(files.ShowOpen("t", "x|*.sudoku"), std::nullopt);
}

}  // namespace
}  // namespace zw
