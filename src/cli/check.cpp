// zellwerk-cli check: for each puzzle file, whether its last board can still be solved, and if
// not, which step went wrong, found as the window's "Fehler suchen" finds it.
#include <algorithm>

#include "cli/command_line.h"
#include "cli/puzzle_input.h"
#include "cli/subcommands.h"
#include "files/puzzle_text.h"
#include "files/sudoku_file.h"
#include "mainwindow/error_search.h"
#include "solver/solver_context.h"

namespace zw::cli {

namespace {

bool IsPuzzleFileName(const std::string& file) {
    return file == "-" || HasExtension(file, ".sudoku");
}

}  // namespace

// Exits as cmp does: 1 when some file has a faulty step or was skipped, 2 when one could not be
// read.
int RunCheck(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain("check", args, {}, cl, io))
        return 2;
    if (cl.files.empty()) {
        io.err << "zellwerk-cli check: name the .sudoku files to check (\"-\": standard input)\n"
               << "Try 'zellwerk-cli --help'.\n";
        return 2;
    }
    int status = 0;
    NoEventPump events;
    const bool cancel = false;
    PuzzleReader reader(cl.files, io.in, io.err);
    // With several files, each answer says whose it is: a skipped file must not shift them.
    const bool named = cl.files.size() > 1;
    for (const std::string& file : cl.files) {
        if (!IsPuzzleFileName(file)) {
            io.err << "zellwerk-cli check: " << file
                   << ": not a puzzle file of the window (*.sudoku) (file skipped)\n";
            status = std::max(status, 1);
            continue;
        }
        std::string bytes;
        if (!reader.ReadGame(file, bytes)) {
            status = std::max(status, reader.Unreadable() ? 2 : 1);
            continue;
        }
        TextList lines, snapshots;
        ReadPuzzleContent(bytes, lines, snapshots, {});
        const ErrorSearchResult r = SearchError(lines, snapshots, cancel, events);
        if (named)
            io.out << (file == "-" ? "<stdin>" : file) << ": ";
        if (r.outcome == ErrorSearchOutcome::Found) {
            const auto faulty = static_cast<std::size_t>(r.faultyLine);
            io.out << faulty + 1 << ' ' << LogMessage(lines[faulty]) << '\n';
        } else if (r.outcome == ErrorSearchOutcome::NoneSolvable) {
            io.out << "no solution from line 1\n";
        } else {
            io.out << "ok\n";
            continue;
        }
        status = std::max(status, 1);
    }
    return status;
}

}  // namespace zw::cli
