// "Info" on the real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "qt/qt_dialogs.h"

namespace zw {
namespace {

TEST(FrmInfo, ShowsNameAndVersionFreshEachTimeAndOkCloses) {
    QWidget owner;
    QtDialogs dialogs;
    dialogs.SetParent(&owner);
    for (int round = 0; round < 2; ++round) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            auto label = [&](const char* name) { return dialog->findChild<QLabel*>(name); };
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Info"));
            EXPECT_EQ(label("Label2")->text(), QStringLiteral("Zellwerk"));
            EXPECT_EQ(label("Label4")->text(), QStringLiteral(ZW_VERSION_STRING));
            label("Label4")->setText(QStringLiteral("x"));  // the next showing must not see it
            dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        });
        dialogs.ShowInfo();  // returns only once the button closed the dialog
        EXPECT_TRUE(seen);
    }
}

}  // namespace
}  // namespace zw
