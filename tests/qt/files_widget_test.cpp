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

#include "board/board_string.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_file_dialog.h"

namespace zw {
namespace {

TEST(QtClipboard, CopyCutAndPasteRoundTripThroughTheSystemClipboard) {
    MemoryPlatform mp;
    QtClipboard clipboard;
    Platform platform = mp.With({.clipboard = &clipboard});
    frmMain form(platform);
    form.Form_Load();
    QClipboard* system = QGuiApplication::clipboard();
    const QString other = QStringLiteral("application/x-zellwerk-test");
    auto* data = new QMimeData;
    data->setData(other, "kept");
    data->setData(QStringLiteral("text/plain;charset=utf-8"), "old text");
    system->setMimeData(data);

    form.Matrix.SetText(1, 0, "7");
    const std::string board = GetSuDoKuString(form.Matrix);
    form.mEditCut_Click();
    EXPECT_EQ(system->text().toStdString(), board);
    ASSERT_NE(system->mimeData(), nullptr);
    EXPECT_EQ(system->mimeData()->data(other), QByteArray("kept")) << "Cut keeps other formats";
    EXPECT_FALSE(system->mimeData()->hasFormat(QStringLiteral("text/plain;charset=utf-8")));
    EXPECT_EQ(CountOpenCells(form.Matrix), 81);

    form.mEditPaste_Click();
    EXPECT_EQ(form.Matrix.Text(1, 0), "7");
    form.mEditCopy_Click();
    EXPECT_FALSE(system->mimeData()->hasFormat(other)) << "Copy empties the clipboard first";
    EXPECT_EQ(system->text().toStdString(), board);
}

// Answers the next file dialog: notes what it shows, then accepts `name` or cancels; answers
// Yes to the question before replacing a file.
struct DialogAnswer {
    QString title, nameFilter, selected;
    bool asked = false;
    void Next(const QString& name) {
        asked = false;
        QTimer::singleShot(0, [this, name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            nameFilter = dialog->selectedNameFilter();
            const QStringList files = dialog->selectedFiles();
            selected = files.isEmpty() ? QString() : files.front();
            if (name.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(name);
            QTimer::singleShot(0, [this] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked = true;
                    box->button(QMessageBox::Yes)->click();
                }
            });
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }
};

TEST(QtFileDialog, OpenAndSaveShareTheLastPathTakeTheNameAsTypedAndAskBeforeReplacing) {
    QTemporaryDir temp;
    const QString dir = temp.path();
    QFile(dir + QStringLiteral("/first.sudoku")).open(QIODevice::WriteOnly);  // Open wants it
    QtFileDialog files;
    DialogAnswer answer;
    answer.Next(dir + QStringLiteral("/first.sudoku"));
    EXPECT_EQ(files.ShowOpen("SuDoKu öffnen ...", "SuDoKu-Datei|*.sudoku"),
              (dir + QStringLiteral("/first.sudoku")).toStdString());
    EXPECT_EQ(answer.title, QStringLiteral("SuDoKu öffnen ..."));
    EXPECT_EQ(answer.nameFilter, QStringLiteral("SuDoKu-Datei (*.sudoku)"));

    answer.Next(dir + QStringLiteral("/second"));  // no extension is added
    EXPECT_EQ(files.ShowSave("SuDoKu speichern unter ...", "SuDoKu-Dateien|*.sudoku"),
              (dir + QStringLiteral("/second")).toStdString());
    EXPECT_EQ(answer.selected, dir + QStringLiteral("/first.sudoku"))
        << "starts at the opened file";
    EXPECT_FALSE(answer.asked);

    const std::string first = (dir + QStringLiteral("/first.sudoku")).toStdString();
    for (bool own : {false, true}) {
        answer.Next(dir + QStringLiteral("/first.sudoku"));
        EXPECT_EQ(files.ShowSave("SuDoKu speichern unter ...", "SuDoKu-Dateien|*.sudoku",
                                 own ? std::vector<std::string>{first} : std::vector<std::string>{}),
                  first);
        EXPECT_EQ(answer.asked, !own) << "the puzzle's own file is replaced without a question";
    }

    answer.Next(QString());
    EXPECT_EQ(files.ShowOpen("SuDoKu öffnen ...", "SuDoKu-Datei|*.sudoku"), std::nullopt);
    EXPECT_EQ(answer.selected, dir + QStringLiteral("/first.sudoku"));
}

}  // namespace
}  // namespace zw
