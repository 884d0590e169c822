#include "qt/log_model.h"

#include <QTimer>
#include <algorithm>

namespace zw {

namespace {
// A line from a file can be any length; the list shows no more than fits a wide screen.
constexpr std::size_t kShownBytes = 2000;
// Minimum time between two announcements per row already shown: a relayout costs some tens of
// nanoseconds a row, so it stays a small share of a long run's time.
constexpr qint64 kSpacingNsPerRow = 200;
}  // namespace

LogModel::LogModel(const LogList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), shown_(static_cast<int>(list.ListCount())) {
    NoteLengths(0, shown_);
}

int LogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QModelIndex LogModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || row >= shown_ || column != 0 || parent.isValid())
        return {};
    return createIndex(row, 0);
}

QVariant LogModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shown_)
        return {};
    std::string_view line = list_.lines[static_cast<std::size_t>(index.row())];
    if (line.size() > kShownBytes)
        line = line.substr(0, kShownBytes);
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
    longestRow_ = -1;
    longestBytes_ = 0;
    NoteLengths(0, shown_);
    endResetModel();
}

// Bytes stand in for the width: measuring every line's text would cost far more than the
// append itself.
void LogModel::NoteLengths(int from, int to) {
    for (int row = from; row < to; ++row) {
        const std::size_t bytes =
            std::min(list_.lines[static_cast<std::size_t>(row)].size(), kShownBytes);
        if (bytes > longestBytes_) {
            longestBytes_ = bytes;
            longestRow_ = row;
        }
    }
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
    const qint64 spacing = shown_ * kSpacingNsPerRow;
    if (sinceAnnounced_.isValid() && sinceAnnounced_.nsecsElapsed() < spacing) {
        flushRequested_ = true;
        const qint64 waitMs = (spacing - sinceAnnounced_.nsecsElapsed()) / 1'000'000 + 1;
        QTimer::singleShot(static_cast<int>(waitMs), this, &LogModel::Flush);
        return;
    }
    NoteLengths(shown_, count);
    beginInsertRows({}, shown_, count - 1);
    shown_ = count;
    endInsertRows();
    sinceAnnounced_.start();
}

}  // namespace zw
