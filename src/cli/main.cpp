// zellwerk-cli: the program's solver for batch work and scripts, on the same core as the
// window, without one.
#include <array>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/command_line.h"
#include "cli/subcommands.h"

namespace zw::cli {

namespace {

struct Subcommand {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const Arguments&, Streams&);
};

// Further subcommands go into this table.
constexpr std::array kSubcommands{
    Subcommand{"solve", "solve [--ordered] [--logic-only [--cells]] [--threads N] [FILE...]",
               "print each puzzle's solution, or \"no solution\"", RunSolve},
    Subcommand{"rate", "rate [--score] [--threads N] [FILE...]",
               "print normal, hard, multiple or none for each puzzle; with --score its\n"
               "      score on the Sudoku Explainer scale and the hardest technique (4.2 XY-Wing)",
               RunRate},
    Subcommand{"count", "count [--limit N] [--threads N] [FILE...]",
               "print the number of solutions of each puzzle", RunCount},
    Subcommand{"generate",
               "generate [--hard] [--fields N] | [--level L] [--score] [--count K] [--seed S]\n"
               "    [--threads N]",
               "print K new puzzles (Normal, or Schwer with --hard) with up to N empty cells,\n"
               "      or with --level puzzles whose score lies in that level's band",
               RunGenerate},
    Subcommand{"booklet",
               "booklet --count K [--level leicht,mittel,schwer] [--solutions] [--seed S] "
               "--output FILE.pdf",
               "write a booklet of K new puzzles as an A4 PDF file", RunBooklet},
    Subcommand{"tip", "tip [--threads N] [FILE...]",
               "print the next step a person can take on each puzzle: its technique, what it\n"
               "      removes and the digit it leads to",
               RunTip},
    Subcommand{"explain", "explain [--threads N] [FILE...]",
               "print each puzzle's steps by logic to the end, one a line with its rating\n"
               "      ([4.2]), where to look and what follows, then the end and an empty line",
               RunExplain},
    Subcommand{"check", "check FILE.sudoku...",
               "print ok while the last board can be solved, else the line number and text\n"
               "      of the step that went wrong; with several files, each after its name",
               RunCheck},
};

void PrintHelp(std::ostream& out) {
    out << "Usage: zellwerk-cli COMMAND [OPTIONS] [FILE...]\n"
           "\n"
           "Commands:\n";
    for (const Subcommand& s : kSubcommands)
        out << "  " << s.usage << "\n      " << s.summary << "\n";
    out << "\n"
           "Puzzles are read from the FILEs, or from standard input when there is none or the\n"
           "name is \"-\": one puzzle per line, its first 81 characters the board row by row,\n"
           "1-9 for givens, '.' or '0' for blanks; the rest of a line is ignored. Empty lines\n"
           "and lines starting with '#' are skipped; lines end in LF, CR LF or CR. A FILE\n"
           "named *.sudoku gives the board of its last log line, as the window shows it:\n"
           "only a blank is open, any other character there (a '0', a '.') is placed and\n"
           "breaks the rules. Nine lines that are the rows of a 9x9 grid, with or without\n"
           "'|', '-' and '+' between the boxes, are one puzzle; a FILE named *.sdk or *.ss\n"
           "gives the one puzzle it holds. A FILE without a puzzle, or in UTF-16, is named\n"
           "and skipped. Output: one result per puzzle, in input order, each as soon as it\n"
           "and those before it are done. While a long run writes elsewhere, a progress line\n"
           "shows on the terminal.\n"
           "\n"
           "Options:\n"
           "  --ordered     try candidates in ascending order (the first solution is fixed)\n"
           "  --logic-only  only the logical solver; print the board it leaves ('.' open)\n"
           "  --cells       with --logic-only: print the 81 cell texts, a row per line,\n"
           "                TAB-separated, then an empty line\n"
           "  --limit N     stop counting at N solutions (0: no limit)\n"
           "  --hard        generate: Schwer puzzles, emptied while the solution stays unique\n"
           "                (Normal ones: while logic alone solves them). Schwer promises\n"
           "                one solution, not a need for search: most rate normal\n"
           "  --fields N    generate: empty cells wanted, 0 to 81 (default 45)\n"
           "  --level L     generate: leicht (score below 1.5), mittel (1.5-2.4), schwer\n"
           "                (2.5-4.9), sehr-schwer (5.0-6.9) or extrem (7.0 and above);\n"
           "                one solution each\n"
           "  --score       rate: the score on the Sudoku Explainer scale (the rating of\n"
           "                the hardest step) and its technique, \"multiple\" or \"none\";\n"
           "                generate: the same after each puzzle\n"
           "  --count K     generate: how many puzzles (default 1); booklet: 1 to 500\n"
           "  --seed S      generate, booklet: the same S gives the same puzzles\n"
           "  --level L     booklet (also --levels): leicht, mittel, schwer, sehr-schwer,\n"
           "                extrem, comma-separated, taken in turn in that order\n"
           "                (default: mittel)\n"
           "  --solutions   booklet: add the solutions at the end\n"
           "  --output F    booklet: the PDF file to write, replaced once complete; a FIFO\n"
           "                or device is written into; \"-\": standard output\n"
           "  --threads N   worker threads, 1 to 1024 (default: the number of cores); with\n"
           "                fewer from the system, it goes on with those and says so\n"
           "  --engine E    the search where the answer does not depend on it: fast\n"
           "                (default) or exact, the window's own search, for comparison\n"
           "  --help        show this help\n"
           "  --version     show the version\n"
           "\n"
           "Exit status: 0 all went well, 1 some lines or files were skipped (check: or a\n"
           "step went wrong), 2 a file could not be read, the output could not be written or\n"
           "the command line is wrong.\n";
}

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

int Main(const Arguments& args, Streams& io) {
    if (args.empty()) {
        PrintHelp(io.err);
        return 2;
    }
    const std::string& first = args.front();
    if (IsHelp(first)) {
        PrintHelp(io.out);
        return 0;
    }
    if (first == "--version") {
        io.out << "zellwerk-cli " << ZW_VERSION_STRING << "\n";
        return 0;
    }
    for (const Subcommand& s : kSubcommands) {
        if (first != s.name)
            continue;
        const Arguments rest(args.begin() + 1, args.end());
        for (const std::string& arg : rest) {
            if (arg == "--")
                break;
            if (IsHelp(arg)) {
                PrintHelp(io.out);
                return 0;
            }
        }
        return s.run(rest, io);
    }
    io.err << "zellwerk-cli: unknown command '" << first << "'\n"
           << "Try 'zellwerk-cli --help'.\n";
    return 2;
}

}  // namespace zw::cli

namespace {

// Standard output through a buffer of its own that keeps the reason of the first failed write:
// by the time the failure is reported, errno tells of something else.
class OutputBuffer final : public std::streambuf {
public:
    OutputBuffer() {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    // Why output was lost, or empty while all went out.
    const std::string& Failure() const { return failure_; }

protected:
    int_type overflow(int_type ch) override {
        if (!WriteOut())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return WriteOut() ? 0 : -1; }

private:
    bool WriteOut() {
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        if (!failure_.empty())
            return false;
        errno = 0;
        if (std::fwrite(buffer_.data(), 1, size, stdout) == size && std::fflush(stdout) == 0)
            return true;
        failure_ = errno != 0 ? std::generic_category().message(errno) : "write error";
        return false;
    }

    std::array<char, 1 << 16> buffer_;
    std::string failure_;
};

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    OutputBuffer buffer;
    std::ostream out(&buffer);
    zw::cli::Arguments args(argv + 1, argv + argc);
    zw::cli::Streams io{std::cin, out, std::cerr};
    const int status = zw::cli::Main(args, io);
    out.flush();
    if (!buffer.Failure().empty()) {
        std::cerr << "zellwerk-cli: cannot write the output: " << buffer.Failure() << "\n";
        return 2;
    }
    return status;
}
