// The log: every line carries the board as it was when the line was written, so selecting a
// line puts that board back.
#include "board/board_string.h"
#include "mainwindow/error_search.h"
#include "mainwindow/frm_main.h"

namespace zw {

void frmMain::AddLog(std::string_view strLog) {
    mySaved = false;
    std::string line = platform_.clock.TimeOfDayText();
    line += '\t';
    line += strLog;
    char snapshot[kBoardStringLength];
    GetSuDoKuString(Matrix, snapshot);
    mySnapshots.Append({snapshot, kBoardStringLength});
    List1.lines.Append(line);
    if (listener_)
        listener_->LogAppended();
    // Selecting the new line writes its snapshot back, exactly as a user's selection would:
    // cells holding anything but a single digit are emptied here.
    List1.listIndex = static_cast<std::int32_t>(List1.lines.Count() - 1);
    if (listener_)
        listener_->LogSelected(List1.listIndex);
    List1_Click();
    DoEvents();
}

void frmMain::List1_Click() {
    const std::int32_t index = List1.listIndex;
    if (mySnapshots.Empty() || index < 0)
        return;
    // The list and the snapshots run in step; a line without a snapshot restores nothing.
    if (static_cast<std::size_t>(index) >= mySnapshots.Count())
        return;
    SetSuDoKuString(Matrix, mySnapshots[static_cast<std::size_t>(index)]);
}

void frmMain::SelectLogLine(int row) {
    if (Busy() || row < 0 || static_cast<std::size_t>(row) >= List1.lines.Count()) {
        // Keep the view on the core's selection.
        if (listener_)
            listener_->LogSelected(List1.listIndex);
        return;
    }
    ClearMarks();
    List1.listIndex = row;
    List1_Click();
}

void frmMain::mEditUndo_Click() {
    StepThroughLog(-1);
}

void frmMain::mEditRedo_Click() {
    StepThroughLog(+1);
}

void frmMain::StepThroughLog(int step) {
    if (Busy())
        return;
    // A refused digit's board is the one before it: stepping onto it would undo nothing.
    const auto count = static_cast<std::int64_t>(List1.lines.Count());
    std::int64_t row = List1.listIndex;
    do {
        row += step;
    } while (row >= 0 && row < count &&
             LogMessage(List1.lines[static_cast<std::size_t>(row)]) == kRefusedDigit);
    if (row < 0 || row >= count)
        return;
    if (listener_)
        listener_->LogSelected(static_cast<int>(row));
    SelectLogLine(static_cast<int>(row));
}

void frmMain::Label4_Click() {
    List1.visible = !List1.visible;
    if (listener_)
        listener_->LogVisibilityChanged();
}

std::string frmMain::Label4Caption() const {
    return List1.visible ? "Log ausblenden" : "Log einblenden";
}

int frmMain::OuterWidthTwips() const {
    return List1.visible ? kOuterWidthLogShown : kOuterWidthLogHidden;
}

void frmMain::mEditKillAll_Click() {
    if (Busy())
        return;
    AddLog("Gesamtes Zahlenfeld löschen.");
    ClearBoard(Matrix);
}

}  // namespace zw
