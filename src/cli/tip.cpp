// zellwerk-cli tip and explain: the window's tip for each puzzle, the answer or the whole path.
#include "solver/tip.h"

#include <string_view>

#include "cli/batch.h"
#include "cli/subcommands.h"

namespace zw::cli {

namespace {

// The window's text without its "Tipp: ".
std::string Said(const std::string& text) {
    constexpr std::string_view kPrefix = "Tipp: ";
    return text.rfind(kPrefix, 0) == 0 ? text.substr(kPrefix.size()) : text;
}

bool IsStep(const Tip& tip) {
    return tip.kind == TipKind::NakedSingle || tip.kind == TipKind::HiddenSingle ||
           tip.kind == TipKind::Pair;
}

std::string TipLine(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    return Said(TipAnswerText(FindTip(w.grid.Values()))) + "\n";
}

// The steps until the techniques stop, each as hint and answer, then what the board is then.
// The solutions are counted once: a step found by logic keeps them all.
std::string Explain(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    std::array<CellValue, kCellCount> cells = w.grid.Values();
    std::string out;
    Tip tip = FindTip(cells);
    while (IsStep(tip)) {
        out += Said(TipHintText(tip)) + " " + Said(TipAnswerText(tip)) + "\n";
        cells[tip.cell] = DigitBit(tip.digit);
        tip = FindStep(cells);
    }
    if (tip.kind == TipKind::Guess && tip.solutions == 0)
        tip = FindTip(cells);
    out += Said(TipAnswerText(tip)) + "\n\n";
    return out;
}

}  // namespace

int RunTip(const Arguments& args, Streams& io) {
    return RunPuzzleCommand("tip", args, TipLine, io);
}

int RunExplain(const Arguments& args, Streams& io) {
    return RunPuzzleCommand("explain", args, Explain, io);
}

}  // namespace zw::cli
