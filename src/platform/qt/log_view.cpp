#include "platform/qt/log_view.h"

#include <QTimer>

namespace zw {

LogView::LogView(frmMain& form, QWidget* parent)
    : QListView(parent), form_(form), model_(form.List1) {
    setObjectName(QStringLiteral("List1"));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setModel(&model_);
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
    form_.SelectLogLine(current.row());
}

}  // namespace zw
