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

bool IsSingleOrPair(const Tip& tip) {
    return tip.kind == TipKind::NakedSingle || tip.kind == TipKind::HiddenSingle ||
           tip.kind == TipKind::Pair;
}

}  // namespace

std::string ExplainText(const std::array<CellValue, kCellCount>& cells) {
    Tip tip = FindTip(cells);
    std::string out;
    out.reserve(8192);  // a hard puzzle's explanation, without growing on the way
    if (tip.kind == TipKind::Step) {
        // The ladder's run from the tip's first step on, which remembers what each rung found
        // nothing in; each step's text on the board it was found on.
        techniques::CandidateBoard board = tip.before;
        techniques::AppendStepLine(out, board, tip.step);
        techniques::ApplyStep(board, tip.step);
        techniques::RunLadder(board, true,
                              [&out](const techniques::CandidateBoard& before,
                                     const techniques::Step& step) {
                                  techniques::AppendStepLine(out, before, step);
                              });
        out += board.Solved() ? "Das SuDoKu ist gelöst."
                              : Said(TipAnswerText(FindLadderTip(board, tip.solution)));
        out += '\n';
        return out;
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
