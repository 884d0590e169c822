// The tip, the difficulty and the search for the step that went wrong. Neither changes a digit; both mark
// cells with the selection colour until the next tip, error search, typed key or chosen line.
// A ladder step's marked cells show their candidates meanwhile, the ones it removes struck.
#include <chrono>
#include <memory>

#include "mainwindow/error_search.h"
#include "mainwindow/frm_main.h"
#include "solver/fast_search.h"
#include "techniques/score.h"
#include "techniques/tip.h"

namespace zw {

namespace {
const PencilMarks kNoPencilMarks;
}  // namespace

const PencilMarks& frmMain::TipPencilMarks() const {
    // A command that changed the board since (New, Paste, Solve ...) leaves the candidates
    // nothing to speak of.
    return tipBoard_ && Matrix.Values() == *tipBoard_ ? pencil_ : kNoPencilMarks;
}

void frmMain::ClearMarks() {
    for (const auto& [cell, background] : marks_)
        Matrix.SetBackground(cell / kGridSize, cell % kGridSize, background);
    marks_.clear();
    pencil_ = PencilMarks{};
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
    // The first tip on a board says where to look, the next one on the same board the answer;
    // after an answer that only removed candidates, the next step on what they left.
    bool answer = tipBoard_ && *tipBoard_ == Matrix.Values();
    tipBoard_.reset();  // a cancelled search leaves no tip to answer
    if (!answer) {
        if (!SearchTip([cells = Matrix.Values()] { return FindTip(cells); }))
            return;
    } else if (tipAnswered_ && tip_.kind == TipKind::Step && tip_.step.placedCell < 0) {
        if (!SearchTip([shown = tip_] { return NextTip(shown); }))
            return;
        answer = false;
    }
    tipBoard_ = Matrix.Values();
    tipAnswered_ = answer;
    AddLog(answer ? TipAnswerText(tip_) : TipHintText(tip_));
    const std::vector<int> cells = answer ? TipAnswerCells(tip_) : TipHintCells(tip_);
    Mark(cells);
    if (tip_.kind == TipKind::Step) {
        for (int cell : cells) {
            const auto i = static_cast<std::size_t>(cell);
            pencil_.shown[i] = tip_.before.Candidates(cell);
            if (answer)
                pencil_.struck[i] = tip_.step.removed[i];
        }
    }
    if (answer && tip_.cell >= 0)
        Matrix.SetCurrent(tip_.cell / kGridSize, tip_.cell % kGridSize);
}

// Most tips take a millisecond, but a forcing chain on the hardest boards takes up to a second:
// the search runs beside the window.
bool frmMain::SearchTip(std::function<Tip()> search) {
    auto found = std::make_shared<Tip>();
    if (!RunBeside([found, search = std::move(search)] { *found = search(); }))
        return false;
    tip_ = std::move(*found);
    return true;
}

bool frmMain::RunBeside(std::function<void()> work) {
    BusyScope busy(*this);
    gCancel = false;
    std::future<void> result = std::async(std::launch::async, std::move(work));
    do {
        DoEvents();
        if (gCancel) {
            // A search cannot stop halfway: it ends unseen, and a later cancelled one waits
            // for it.
            abandoned_ = std::move(result);
            return false;
        }
    } while (result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready);
    return true;
}

bool frmMain::LogDifficulty() {
    auto score = std::make_shared<techniques::Score>();
    if (!RunBeside([score, cells = Matrix.Values()] { *score = techniques::ScorePuzzle(cells); }))
        return false;
    AddLog("Schwierigkeit: " + techniques::ScoreText(*score));
    return true;
}

void frmMain::mSuDoKu_Schwierigkeit_Click() {
    if (Busy())
        return;
    ClearMarks();
    LogDifficulty();
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
