// The tip and the search for the step that went wrong. Neither changes a digit; both mark
// cells with the selection colour until the next tip, error search, typed key or chosen line.
#include "board/board_string.h"
#include "mainwindow/error_search.h"
#include "mainwindow/frm_main.h"
#include "solver/fast_search.h"
#include "solver/tip.h"

namespace zw {

void frmMain::ClearMarks() {
    for (const auto& [cell, background] : marks_)
        Matrix.SetBackground(cell / kGridSize, cell % kGridSize, background);
    marks_.clear();
}

void frmMain::Mark(const std::vector<int>& cells) {
    for (int cell : cells) {
        const int row = cell / kGridSize, col = cell % kGridSize;
        marks_.emplace_back(cell, Matrix.Background(row, col));
        Matrix.SetBackground(row, col, kSelectionColour);
    }
}

void frmMain::mSuDoKu_Tipp_Click() {
    if (Busy())
        return;
    ClearMarks();
    const std::string board = GetSuDoKuString(Matrix);
    const Tip tip = FindTip(Matrix.Values());
    // The first tip on a board says where to look, the next one on the same board the answer.
    const bool answer = board == tipBoard_;
    tipBoard_ = board;
    AddLog(answer ? TipAnswerText(tip) : TipHintText(tip));
    Mark(answer ? TipAnswerCells(tip) : TipHintCells(tip));
    if (answer && tip.cell >= 0)
        Matrix.SetCurrent(tip.cell / kGridSize, tip.cell % kGridSize);
}

void frmMain::mSuDoKu_FehlerSuchen_Click() {
    if (Busy())
        return;
    ClearMarks();
    if (FastCount(Matrix.Values(), 1) == 1) {
        AddLog("Fehler suchen... Kein Fehler: Das SuDoKu ist noch lösbar.");
        return;
    }
    BusyScope busy(*this);
    gCancel = false;
    // Its snapshot is the board as it is now, so the search starts from what the user sees.
    AddLog("Fehler suchen...");
    const ErrorSearchResult r = SearchError(List1.lines, mySnapshots, gCancel, platform_.events);
    if (r.outcome == ErrorSearchOutcome::NoneSolvable) {
        AddLog("Fehler suchen: Das SuDoKu war schon ab dem ersten Logeintrag nicht lösbar.");
        return;
    }
    if (r.outcome != ErrorSearchOutcome::Found)
        return;  // cancelled: "Abbruch" is in the log
    const auto faulty = static_cast<std::size_t>(r.faultyLine);
    const std::vector<int> changed =
        FaultyCells(mySnapshots[static_cast<std::size_t>(r.goodLine)], mySnapshots[faulty]);
    AddLog(FaultyStepText(List1.lines[faulty], mySnapshots[faulty], changed));
    // Last, so the board shows the latest line that can still be finished, and the cells the
    // faulty step wrote are marked on it.
    List1.listIndex = static_cast<std::int32_t>(r.goodLine);
    if (listener_)
        listener_->LogSelected(List1.listIndex);
    List1_Click();
    Mark(changed);
    if (!changed.empty())
        Matrix.SetCurrent(changed.front() / kGridSize, changed.front() % kGridSize);
}

}  // namespace zw
