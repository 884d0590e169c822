// The board grid on screen: draws the core's Grid, moves the current cell with the arrow keys
// and the mouse, keeps the selected range, and forwards typed characters and mouse presses to
// frmMain's handlers.
#pragma once

#include <QWidget>

#include "board/grid.h"
#include "board/grid_painter.h"

namespace zw {

class frmMain;

class GridView final : public QWidget, private GridListener {
    Q_OBJECT
public:
    explicit GridView(frmMain& form, QWidget* parent = nullptr);
    ~GridView() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void GridChanged() override { update(); }
    void MoveCurrent(int row, int col, bool extend);

    frmMain& form_;
    CellRange selection_;  // row1/col1 is the current cell
};

}  // namespace zw
