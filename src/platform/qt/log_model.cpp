#include "platform/qt/log_model.h"

#include <QTimer>

namespace zw {

LogModel::LogModel(const LogList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), shown_(static_cast<int>(list.ListCount())) {}

int LogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant LogModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shown_)
        return {};
    const std::string_view line = list_.lines[static_cast<std::size_t>(index.row())];
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

void LogModel::NoteAppended() {
    if (flushRequested_)
        return;
    flushRequested_ = true;
    QTimer::singleShot(0, this, &LogModel::Flush);
}

void LogModel::Reset() {
    beginResetModel();
    shown_ = static_cast<int>(list_.ListCount());
    flushRequested_ = false;
    endResetModel();
}

void LogModel::Flush() {
    flushRequested_ = false;
    const int count = static_cast<int>(list_.ListCount());
    if (count < shown_) {
        // Lines only ever leave the list through a reset; be safe if that was missed.
        Reset();
        return;
    }
    if (count == shown_)
        return;
    beginInsertRows({}, shown_, count - 1);
    shown_ = count;
    endInsertRows();
}

}  // namespace zw
