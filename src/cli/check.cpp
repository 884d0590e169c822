// zellwerk-cli check: for each puzzle file, whether its last board can still be solved, and if
// not, which step went wrong, found as the window's "Fehler suchen" finds it.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "files/sudoku_file.h"
#include "mainwindow/error_search.h"
#include "solver/solver_context.h"

namespace zw::cli {

namespace {

bool ReadWhole(const std::string& file, std::string& bytes, std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        err << "zellwerk-cli: " << file << ": cannot read the file: "
            << (ec ? ec.message() : "it is not a regular file") << "\n";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        err << "zellwerk-cli: " << file << ": cannot read the file\n";
        return false;
    }
    return true;
}

}  // namespace

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
    for (const std::string& file : cl.files) {
        std::string bytes;
        if (!ReadWhole(file, bytes, io.err)) {
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
