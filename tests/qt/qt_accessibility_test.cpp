// What the mouse does in the window, the keyboard does too; assistive technology reads the grid
// as a table of cells with their row, column and text, and follows the current cell.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "support/main_window_fixture.h"

namespace zw {
namespace {

using test::MainWindowFixture;

TEST(Accessibility, TheGridIsATableAndTheKeyboardReachesEverything) {
    MainWindowFixture f;
    EXPECT_TRUE(f.Grid().hasFocus());
    f.form.Matrix.SetText(0, 0, "3");
    f.form.Matrix.SetText(2, 4, "7");
    f.form.Matrix.SetText(5, 5, "3");
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&f.Grid());
    ASSERT_TRUE(grid && grid->tableInterface());
    QAccessibleTableInterface* table = grid->tableInterface();
    EXPECT_EQ(grid->role(), QAccessible::Table);
    EXPECT_EQ(table->rowCount() * 10 + table->columnCount(), 99);
    QAccessibleInterface* cell = table->cellAt(2, 4);
    ASSERT_TRUE(cell && cell->tableCellInterface());
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("7"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("Zeile 3, Spalte 5, Block 2"));
    EXPECT_EQ(table->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("leer"));

    // The arrow keys move the current cell, and the reader's focus with it.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                        Qt::Key_Right})
        QTest::keyClick(&f.Grid(), key);
    EXPECT_EQ(grid->focusChild(), cell);
    EXPECT_TRUE(cell->state().focused);
    EXPECT_TRUE(cell->tableCellInterface()->isSelected());

    // Ctrl+Space marks like a Ctrl-click: the other digits grey, the 7s not.
    QTest::keyClick(&f.Grid(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(f.form.Matrix.TextColour(0, 0), kMarkGrey);
    EXPECT_EQ(f.form.Matrix.TextColour(2, 4), kDefaultTextColour);

    // Tab reaches the log toggle, Enter and Space follow it; the window widens for the log.
    auto* label4 = f.window->findChild<QLabel*>(QStringLiteral("Label4"));
    const int narrow = f.window->frameGeometry().width();
    QTest::keyClick(&f.Grid(), Qt::Key_Tab);
    EXPECT_TRUE(label4->hasFocus());
    QTest::keyClick(label4, Qt::Key_Space);
    f.Settle();
    EXPECT_TRUE(f.Log().isVisible());
    EXPECT_EQ(label4->text(), QStringLiteral("Log ausblenden"));
    EXPECT_GT(f.window->frameGeometry().width(), narrow);
    QTest::keyClick(label4, Qt::Key_Return);
    f.Settle();
    EXPECT_FALSE(f.Log().isVisible());
}

}  // namespace
}  // namespace zw
