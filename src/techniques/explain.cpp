#include "techniques/explain.h"

#include <string_view>

#include "techniques/tip.h"
#include "techniques/ladder.h"
#include "techniques/step_text.h"

namespace zw {

namespace {

// The window's text without its "Tipp: ".
std::string Said(const std::string& text) {
    constexpr std::string_view kPrefix = "Tipp: ";
    return text.rfind(kPrefix, 0) == 0 ? text.substr(kPrefix.size()) : text;
}

std::string RatingText(const techniques::Step& step) {
    const int rating = step.Rating();
    return "[" + std::to_string(rating / 10) + "." + std::to_string(rating % 10) + "] ";
}

// Both stages of a step; the answer's leading technique name is already the hint's.
std::string StepLine(const techniques::CandidateBoard& before, const techniques::Step& step) {
    const std::string name = std::string(techniques::Info(step.technique).name) + ": ";
    std::string answer = techniques::StepAnswerText(before, step);
    if (answer.rfind(name, 0) == 0)
        answer.erase(0, name.size());
    return RatingText(step) + techniques::StepHintText(step) + " " + answer + "\n";
}

bool IsSingleOrPair(const Tip& tip) {
    return tip.kind == TipKind::NakedSingle || tip.kind == TipKind::HiddenSingle ||
           tip.kind == TipKind::Pair;
}

}  // namespace

std::string ExplainText(const std::array<CellValue, kCellCount>& cells) {
    Tip tip = FindTip(cells);
    std::string out;
    if (tip.kind == TipKind::Step) {
        techniques::CandidateBoard board = tip.before;
        techniques::Step step = tip.step;
        do {
            out += StepLine(board, step);
            techniques::ApplyStep(board, step);
        } while (!board.Solved() && techniques::FindEasiestStep(board, true, step));
        if (board.Solved())
            return out + "Das SuDoKu ist gelöst.\n";
        return out + Said(TipAnswerText(FindLadderTip(board, tip.solution))) + "\n";
    }
    // A board with several solutions: the singles and pairs, which hold whatever the solution.
    std::array<CellValue, kCellCount> board = cells;
    while (IsSingleOrPair(tip)) {
        out += Said(TipHintText(tip)) + " " + Said(TipAnswerText(tip)) + "\n";
        board[static_cast<std::size_t>(tip.cell)] = DigitBit(tip.digit);
        tip = FindStep(board);
    }
    // The solutions are counted once: a step found by logic keeps them all.
    if (tip.kind == TipKind::Guess && tip.solutions == 0)
        tip = FindTip(board);
    return out + Said(TipAnswerText(tip)) + "\n";
}

}  // namespace zw
