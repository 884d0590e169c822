// zellwerk-cli tip and explain: the window's tip for each puzzle, its answer or the whole path.
#include "techniques/tip.h"

#include <string_view>

#include "cli/batch.h"
#include "cli/subcommands.h"
#include "techniques/explain.h"

namespace zw::cli {

namespace {

// The window's second text without its "Tipp: ".
std::string TipLine(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    constexpr std::string_view kPrefix = "Tipp: ";
    const std::string text = TipAnswerText(FindTip(w.grid.Values()));
    return (text.rfind(kPrefix, 0) == 0 ? text.substr(kPrefix.size()) : text) + "\n";
}

std::string Explain(SolverWorker& w, const Puzzle& puzzle) {
    w.Load(puzzle);
    std::string text = ExplainText(w.grid.Values());
    text += '\n';
    return text;
}

}  // namespace

int RunTip(const Arguments& args, Streams& io) {
    return RunPuzzleCommand("tip", args, TipLine, io);
}

int RunExplain(const Arguments& args, Streams& io) {
    return RunPuzzleCommand("explain", args, Explain, io);
}

}  // namespace zw::cli
