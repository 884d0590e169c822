#include "qt/log_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>

namespace zw {

namespace {
// With uniform item sizes the view measures one row for all (its last); this delegate answers
// with the longest line's size, so a short last line does not cut the others off.
class LongestLineDelegate final : public QStyledItemDelegate {
public:
    LongestLineDelegate(const LogModel& model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QModelIndex longest = model_.index(model_.LongestRow());
        QSize hint = QStyledItemDelegate::sizeHint(option, longest.isValid() ? longest : index);
        // The longest line by bytes may not be the widest by a few letters.
        hint.rwidth() += hint.width() / 10;
        return hint;
    }

private:
    const LogModel& model_;
};
}  // namespace

LogView::LogView(frmMain& form, QWidget* parent)
    : QListView(parent), form_(form), model_(form.List1) {
    setObjectName(QStringLiteral("List1"));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setModel(&model_);
    setItemDelegate(new LongestLineDelegate(model_, this));
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { UserChangedCurrent(current); });
    // The core's selection of a line not yet announced is shown once its row arrives.
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &LogView::ApplySelection);
}

void LogView::NoteAppended() {
    model_.NoteAppended();
}

void LogView::NoteReset() {
    applying_ = true;
    model_.Reset();
    applying_ = false;
    NoteSelected(form_.List1.listIndex);
}

void LogView::NoteSelected(int row) {
    selectedRow_ = row;
    if (selectionPending_)
        return;
    selectionPending_ = true;
    QTimer::singleShot(0, this, &LogView::Flush);
}

void LogView::Flush() {
    applying_ = true;
    model_.Flush();
    applying_ = false;
    ApplySelection();
}

void LogView::ApplySelection() {
    if (!selectionPending_)
        return;
    if (selectedRow_ >= model_.rowCount() &&
        static_cast<std::size_t>(selectedRow_) < form_.List1.ListCount())
        return;  // its row is still to be announced
    selectionPending_ = false;
    applying_ = true;
    if (selectedRow_ >= 0 && selectedRow_ < model_.rowCount()) {
        setCurrentIndex(model_.index(selectedRow_));
    } else {
        selectionModel()->clear();
    }
    applying_ = false;
}

void LogView::UserChangedCurrent(const QModelIndex& current) {
    if (applying_ || !current.isValid())
        return;
    UserChose(current.row());
}

void LogView::UserChose(int row) {
    // The user's choice wins over a selection of the core's still waiting to be shown; a busy
    // core answers with its own selection again.
    selectedRow_ = row;
    selectionPending_ = false;
    form_.SelectLogLine(row);
}

// A press on the current line changes no selection, so no signal says that it was chosen;
// the board may have changed since (a refused digit, "Alles löschen"), so restore it here.
void LogView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex before = currentIndex();
    QListView::mousePressEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid() && at == before)
        UserChose(at.row());
}

void LogView::keyPressEvent(QKeyEvent* event) {
    const bool choose = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                        event->key() == Qt::Key_Space;
    if (choose && currentIndex().isValid() && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // A click beside the lines may have left the current line unselected; show it chosen.
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        UserChose(currentIndex().row());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

}  // namespace zw
