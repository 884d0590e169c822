// The log list as a model over frmMain's List1. Appends can come a million times a second, so
// the model only counts them and announces the new rows in one step when it is flushed (from
// DoEvents or a zero timer). A list view lays out all its rows again after every insertion, so
// announcements are spaced out further as the log grows.
#pragma once

#include <QAbstractListModel>
#include <QElapsedTimer>

#include "mainwindow/frm_main.h"

namespace zw {

class LogModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LogModel(const LogList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    // The list view asks for every row's index on each relayout; answer without the checks
    // through rowCount and columnCount that the base class makes.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Lines were appended to the list; they are announced at the next Flush().
    void NoteAppended();
    // The list was emptied or replaced.
    void Reset();
    // Announces the rows appended since the last announcement, or, when that was too recent
    // for a log this long, sets a timer to do it.
    void Flush();
    // The announced row with the longest text (-1 when there is none). A view with uniform
    // item sizes measures this row, not its last one, so no line is cut short.
    int LongestRow() const { return longestRow_; }

private:
    void NoteLengths(int from, int to);

    const LogList& list_;
    int shown_ = 0;  // rows announced to the views
    int longestRow_ = -1;
    std::size_t longestBytes_ = 0;
    bool flushRequested_ = false;
    QElapsedTimer sinceAnnounced_;
};

}  // namespace zw
