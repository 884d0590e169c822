// zellwerk-cli: the program's solver for batch work and scripts, on the same core as the
// window, without one.
#include <array>
#include <iostream>
#include <string_view>

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
    Subcommand{"rate", "rate [--threads N] [FILE...]",
               "print normal, hard, multiple or none for each puzzle", RunRate},
    Subcommand{"count", "count [--limit N] [--threads N] [FILE...]",
               "print the number of solutions of each puzzle", RunCount},
    Subcommand{"generate", "generate [--hard] [--fields N] [--count K] [--seed S] [--threads N]",
               "print K new puzzles (Normal, or Schwer with --hard) with up to N empty cells",
               RunGenerate},
    Subcommand{"booklet",
               "booklet --count K [--levels leicht,mittel,schwer] [--solutions] --output FILE.pdf",
               "write a booklet of K new puzzles as an A4 PDF file", RunBooklet},
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
           "and lines starting with '#' are skipped. Output: one result per puzzle, in input\n"
           "order.\n"
           "\n"
           "Options:\n"
           "  --ordered     try candidates in ascending order (the first solution is fixed)\n"
           "  --logic-only  only the logical solver; print the board it leaves ('.' open)\n"
           "  --cells       with --logic-only: print the 81 cell texts, a row per line,\n"
           "                TAB-separated, then an empty line\n"
           "  --limit N     stop counting at N solutions (0: no limit)\n"
           "  --hard        generate: Schwer puzzles (one solution), not Normal ones\n"
           "  --fields N    generate: empty cells wanted, 0 to 81 (default 45)\n"
           "  --count K     generate: how many puzzles (default 1); booklet: 1 to 500\n"
           "  --seed S      generate: the same S gives the same puzzles\n"
           "  --levels L    booklet: leicht, mittel, schwer, comma-separated, in turn\n"
           "                (default: mittel)\n"
           "  --solutions   booklet: add the solutions at the end\n"
           "  --output F    booklet: the PDF file to write\n"
           "  --threads N   worker threads (default: the number of cores)\n"
           "  --help        show this help\n"
           "  --version     show the version\n"
           "\n"
           "Exit status: 0 all went well, 1 some lines were skipped, 2 a file could not be read\n"
           "or the command line is wrong.\n";
}

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

bool ParseOrComplain(const char* subcommand, const Arguments& args,
                     const std::vector<OptionKind>& kinds, CommandLine& out, Streams& io) {
    std::string error;
    if (ParseCommandLine(args, kinds, out, error))
        return true;
    io.err << "zellwerk-cli " << subcommand << ": " << error << "\n"
           << "Try 'zellwerk-cli --help'.\n";
    return false;
}

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

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    zw::cli::Arguments args(argv + 1, argv + argc);
    zw::cli::Streams io{std::cin, std::cout, std::cerr};
    return zw::cli::Main(args, io);
}
