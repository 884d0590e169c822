// The board grid on screen: draws the core's Grid, moves the current cell with the arrow keys
// and the mouse, keeps the selected range, and forwards typed characters and mouse presses to
// frmMain's handlers. Ctrl+Space does what a Ctrl-click does; assistive technology sees the
// grid as a table (grid_accessible.h).
#pragma once

#include <QWidget>
#include <array>

#include "board/grid.h"
#include "board/grid_painter.h"

namespace zw {

class frmMain;

class GridView final : public QWidget, private GridListener {
    Q_OBJECT
public:
    explicit GridView(frmMain& form, QWidget* parent = nullptr);
    ~GridView() override;

    frmMain& Form() const { return form_; }
    CellRange Selection() const { return selection_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void GridChanged() override;
    void MoveCurrent(int row, int col, bool extend);
    // Tells assistive technology which cells changed their text since it was last told.
    void AnnounceChanges();

    frmMain& form_;
    CellRange selection_;  // row1/col1 is the current cell
    std::array<CellValue, kCellCount> announced_{};
    bool announcing_ = false;  // an announcement is queued
};

}  // namespace zw
