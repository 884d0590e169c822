// The log list `List1` on screen: a QListView over LogModel. The user's selection (mouse,
// arrow keys) restores that line's board through frmMain, and so does a click on the line
// already selected, or Enter or Space on it; the core's own selection of a new line is shown
// without running the restore a second time.
#pragma once

#include <QListView>

#include "qt/log_model.h"

namespace zw {

class LogView final : public QListView {
    Q_OBJECT
public:
    explicit LogView(frmMain& form, QWidget* parent = nullptr);

    void NoteAppended();
    void NoteReset();
    void NoteSelected(int row);  // the core selected `row` (-1: none)
    // Announces pending rows and shows the core's selection.
    void Flush();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplySelection();
    void UserChangedCurrent(const QModelIndex& current);
    void UserChose(int row);

    frmMain& form_;
    LogModel model_;
    int selectedRow_ = -1;
    bool selectionPending_ = false;
    bool applying_ = false;
};

}  // namespace zw
