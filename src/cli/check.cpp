// zellwerk-cli check: for each puzzle file, whether its last board can still be solved, and if
// not, which step went wrong, found as the window's "Fehler suchen" finds it.
#include "cli/command_line.h"
#include "cli/puzzle_input.h"
#include "cli/subcommands.h"
#include "files/sudoku_file.h"
#include "mainwindow/error_search.h"
#include "solver/solver_context.h"

namespace zw::cli {

int RunCheck(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain("check", args, {}, cl, io))
        return 2;
    if (cl.files.empty()) {
        io.err << "zellwerk-cli check: name the .sudoku files to check\n"
               << "Try 'zellwerk-cli --help'.\n";
        return 2;
    }
    int status = 0;
    NoEventPump events;
    const bool cancel = false;
    PuzzleReader reader(cl.files, io.in, io.err);
    for (const std::string& file : cl.files) {
        std::string bytes;
        if (!reader.ReadWhole(file, bytes)) {
            status = 2;
            continue;
        }
        TextList lines, snapshots;
        ReadPuzzleContent(bytes, lines, snapshots, {});
        const ErrorSearchResult r = SearchError(lines, snapshots, cancel, events);
        if (r.outcome == ErrorSearchOutcome::Found) {
            const auto faulty = static_cast<std::size_t>(r.faultyLine);
            io.out << faulty + 1 << ' ' << LogMessage(lines[faulty]) << '\n';
        } else if (r.outcome == ErrorSearchOutcome::NoneSolvable) {
            io.out << "no solution from line 1\n";
        } else {
            io.out << "ok\n";
        }
    }
    return status;
}

}  // namespace zw::cli
