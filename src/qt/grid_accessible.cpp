#include "qt/grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <array>

#include "board/grid.h"
#include "mainwindow/frm_main.h"
#include "qt/grid_geometry.h"
#include "qt/grid_view.h"
#include "qt/twips.h"

namespace zw {

namespace {

int BoxOf(int row, int col) {
    return row / 3 * 3 + col / 3;
}

class GridAccessible;

// One cell; it lives as long as the grid's interface, which registers and deletes it.
class CellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(GridView* view, int row, int col) : view_(view), row_(row), col_(col) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    // The name is what the cell shows, as a reader speaks it; where it is, the description.
    QString text(QAccessible::Text t) const override {
        if (!view_)
            return {};
        const QString shown = QString::fromStdString(view_->Form().Matrix.Text(row_, col_));
        switch (t) {
            case QAccessible::Name:
                return shown.isEmpty() ? QStringLiteral("leer") : shown;
            case QAccessible::Value:
                return shown;
            case QAccessible::Description:
                return QStringLiteral("Zeile %1, Spalte %2, Block %3")
                    .arg(row_ + 1)
                    .arg(col_ + 1)
                    .arg(BoxOf(row_, col_) + 1);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_)
            return {};
        const Grid& grid = view_->Form().Matrix;
        const double pixelsPerTwip = GridViewDpi(grid, view_->width()) / kTwipsPerInch;
        double left = 0, top = 0;
        for (int c = 0; c < col_; ++c)
            left += grid.ColWidth(c);
        for (int r = 0; r < row_; ++r)
            top += grid.RowHeight(r);
        const QRectF local(left * pixelsPerTwip, top * pixelsPerTwip,
                           grid.ColWidth(col_) * pixelsPerTwip,
                           grid.RowHeight(row_) * pixelsPerTwip);
        return QRect(view_->mapToGlobal(local.topLeft().toPoint()), local.size().toSize());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        if (!view_)
            return s;
        const Grid& grid = view_->Form().Matrix;
        s.focused = view_->hasFocus() && grid.Row() == row_ && grid.Col() == col_;
        s.selected = isSelected();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override {
        if (!view_)
            return false;
        const CellRange range = view_->Selection();
        return std::min(range.row1, range.row2) <= row_ &&
               row_ <= std::max(range.row1, range.row2) &&
               std::min(range.col1, range.col2) <= col_ && col_ <= std::max(range.col1, range.col2);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<GridView> view_;
    int row_, col_;
};

class GridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(GridView* view)
        : QAccessibleWidget(view, QAccessible::Table, QStringLiteral("Spielfeld")), view_(view) {
        ids_.fill(0);
    }
    ~GridAccessible() override {
        for (QAccessible::Id id : ids_) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    int childCount() const override { return kCellCount; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < kCellCount ? cellAt(index / kGridSize, index % kGridSize)
                                                : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell ? cell->rowIndex() * kGridSize + cell->columnIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int row = 0, col = 0;
        const QPointF local = view_->mapFromGlobal(QPoint(x, y));
        return CellAt(view_->Form().Matrix, view_->size(), local, row, col) ? cellAt(row, col)
                                                                            : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const Grid& grid = view_->Form().Matrix;
        return view_->hasFocus() ? cellAt(grid.Row(), grid.Col()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int col) const override {
        if (row < 0 || row >= kGridSize || col < 0 || col >= kGridSize)
            return nullptr;
        QAccessible::Id& id = ids_[static_cast<std::size_t>(row * kGridSize + col)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new CellAccessible(view_, row, col));
        return QAccessible::accessibleInterface(id);
    }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int i = 0; i < kCellCount; ++i) {
            QAccessibleInterface* cell = child(i);
            if (cell->tableCellInterface()->isSelected())
                cells << cell;
        }
        return cells;
    }
    QString columnDescription(int col) const override {
        return QStringLiteral("Spalte %1").arg(col + 1);
    }
    QString rowDescription(int row) const override {
        return QStringLiteral("Zeile %1").arg(row + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kGridSize; }
    int rowCount() const override { return kGridSize; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    GridView* view_;
    mutable std::array<QAccessible::Id, kCellCount> ids_;
};

}  // namespace

QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("zw::GridView") && object && object->isWidgetType())
        return new GridAccessible(static_cast<GridView*>(object));
    return nullptr;
}

void AnnounceCurrentCell(GridView* view) {
    if (!QAccessible::isActive() || !view->hasFocus())
        return;
    const Grid& grid = view->Form().Matrix;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(grid.Row() * kGridSize + grid.Col());
    QAccessible::updateAccessibility(&event);
}

void AnnounceCellText(GridView* view, int row, int col) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(view, QAccessible::NameChanged);
    event.setChild(row * kGridSize + col);
    QAccessible::updateAccessibility(&event);
}

}  // namespace zw
