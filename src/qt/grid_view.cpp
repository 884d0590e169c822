#include "qt/grid_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "board/grid_painter.h"
#include "mainwindow/frm_main.h"
#include "qt/grid_accessible.h"
#include "qt/grid_geometry.h"
#include "qt/painter_canvas.h"

namespace zw {

namespace {
constexpr int kBackspace = 8;
constexpr int kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;

int ModifierBits(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? kShiftBit : 0) | (m & Qt::ControlModifier ? kCtrlBit : 0) |
           (m & Qt::AltModifier ? kAltBit : 0);
}
}  // namespace

GridView::GridView(frmMain& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("Matrix"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    form_.Matrix.SetListener(this);
    selection_ = {form_.Matrix.Row(), form_.Matrix.Col(), form_.Matrix.Row(), form_.Matrix.Col()};
    static const bool factoryInstalled = (QAccessible::installFactory(GridAccessibleFactory), true);
    (void)factoryInstalled;
    for (int i = 0; i < kCellCount; ++i)
        announced_[static_cast<std::size_t>(i)] = form_.Matrix.ValueAt(i);
}

void GridView::GridChanged() {
    update();
    // Once per burst of changes, after it: a solver run is not spoken cell by cell.
    if (QAccessible::isActive() && !announcing_) {
        announcing_ = true;
        QMetaObject::invokeMethod(this, &GridView::AnnounceChanges, Qt::QueuedConnection);
    }
}

void GridView::AnnounceChanges() {
    announcing_ = false;
    for (int i = 0; i < kCellCount; ++i) {
        CellValue& told = announced_[static_cast<std::size_t>(i)];
        if (told != form_.Matrix.ValueAt(i)) {
            told = form_.Matrix.ValueAt(i);
            AnnounceCellText(this, i / kGridSize, i % kGridSize);
        }
    }
}

void GridView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    AnnounceCurrentCell(this);
}

GridView::~GridView() {
    form_.Matrix.SetListener(nullptr);
}

void GridView::paintEvent(QPaintEvent*) {
    form_.Matrix.TakeChanges();
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // The range starts at the current cell; a move of the current cell by the core collapses it.
    const int row = form_.Matrix.Row(), col = form_.Matrix.Col();
    if (selection_.row1 != row || selection_.col1 != col)
        selection_ = {row, col, row, col};
    // The core's painter, the one that also draws the printed page and the booklet; the
    // resolution is chosen so that the grid's picture fills the view.
    const Grid& grid = form_.Matrix;
    PainterCanvas canvas(painter, GridViewDpi(grid, width()));
    GridStyle style;
    style.selection = selection_;
    style.showSelection = true;
    style.showCurrent = true;
    style.pencil = &form_.TipPencilMarks();
    PaintGrid(canvas, grid, 0, 0, style);
}

// The current cell is the anchor of the range; extending moves only the range's far corner.
void GridView::MoveCurrent(int row, int col, bool extend) {
    row = std::clamp(row, 0, kGridSize - 1);
    col = std::clamp(col, 0, kGridSize - 1);
    if (extend) {
        selection_.row2 = row;
        selection_.col2 = col;
    } else {
        selection_ = {row, col, row, col};
        form_.Matrix.SetCurrent(row, col);
        AnnounceCurrentCell(this);
    }
    update();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    // Alt, Ctrl and Meta make a key a command, not typing, even where the event carries a
    // character (Alt+6 does on X11); Shift and the keypad type digits on some layouts.
    const bool command =
        event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int row = extend ? selection_.row2 : form_.Matrix.Row();
    const int col = extend ? selection_.col2 : form_.Matrix.Col();
    switch (event->key()) {
        case Qt::Key_Left:
            MoveCurrent(row, col - 1, extend);
            return;
        case Qt::Key_Right:
            MoveCurrent(row, col + 1, extend);
            return;
        case Qt::Key_Up:
            MoveCurrent(row - 1, col, extend);
            return;
        case Qt::Key_Down:
            MoveCurrent(row + 1, col, extend);
            return;
        case Qt::Key_Space:
            // The keyboard's Ctrl-click: marks the digit of the current cell.
            if (event->modifiers() & Qt::ControlModifier) {
                form_.Matrix_MouseDown(ModifierBits(event->modifiers()));
                return;
            }
            break;
        case Qt::Key_Backspace:
            if (command)
                break;
            form_.Matrix_KeyPress(kBackspace);
            return;
        default:
            break;
    }
    // Only keys that type a character reach the handler, as their 16-bit character code.
    const QString text = event->text();
    if (text.isEmpty() || command) {
        QWidget::keyPressEvent(event);
        return;
    }
    form_.Matrix_KeyPress(text.at(0).unicode());
}

void GridView::mousePressEvent(QMouseEvent* event) {
    int row = 0, col = 0;
    if (CellAt(form_.Matrix, size(), event->position(), row, col))
        MoveCurrent(row, col, event->modifiers() & Qt::ShiftModifier);
    // The handler works on the current cell, so the clicked cell becomes current first.
    form_.Matrix_MouseDown(ModifierBits(event->modifiers()));
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    int row = 0, col = 0;
    if (CellAt(form_.Matrix, size(), event->position(), row, col) &&
        (row != selection_.row2 || col != selection_.col2))
        MoveCurrent(row, col, true);
}

}  // namespace zw
