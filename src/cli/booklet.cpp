// zellwerk-cli booklet: the window's booklet series and page layout, written as a PDF file by
// the core's own PDF printer, so the tool loads no Qt.
#include "generator/booklet.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>
#include <cctype>
#include <ostream>

#include "cli/batch.h"
#include "cli/command_line.h"
#include "cli/output_file.h"
#include "cli/subcommands.h"
#include "generator/generate.h"
#include "platform/plain_pdf_printer.h"
#include "platform/system_platform.h"

namespace zw::cli {

namespace {

// "leicht,mittel" into the levels, in the order of the scale as the window's check boxes give
// them, so the same seed makes the same booklet; false for an unknown name.
bool ReadLevels(const std::string& list, std::vector<techniques::Level>& levels,
                std::string& bad) {
    std::array<bool, techniques::kLevelCount> chosen{};
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string name = list.substr(start, comma - start);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const std::optional<techniques::Level> level = techniques::LevelOfWord(name);
        if (!level) {
            bad = name;
            return false;
        }
        chosen[static_cast<std::size_t>(*level)] = true;
        start = comma + 1;
    }
    levels.clear();
    for (int k = 0; k < techniques::kLevelCount; ++k) {
        if (chosen[static_cast<std::size_t>(k)])
            levels.push_back(static_cast<techniques::Level>(k));
    }
    return true;
}

}  // namespace

int RunBooklet(const Arguments& args, Streams& io) {
    CommandLine cl;
    if (!ParseOrComplain("booklet", args,
                         {{"--count", true},
                          {"--levels", true},
                          {"--level", true},
                          {"--solutions", false},
                          {"--output", true},
                          {"--seed", true}},
                         cl, io))
        return 2;
    if (!cl.files.empty()) {
        io.err << "zellwerk-cli booklet: reads no files, but was given '" << cl.files.front()
               << "'\n";
        return 2;
    }
    std::int64_t count = 0;
    if (!cl.Has("--count")) {
        io.err << "zellwerk-cli booklet: --count K is missing, a whole number from "
               << kMinBookletPuzzles << " to " << kMaxBookletPuzzles << "\n";
        return 2;
    }
    if (!ParseCount(cl.options.at("--count"), kMinBookletPuzzles, kMaxBookletPuzzles, count)) {
        io.err << "zellwerk-cli booklet: --count needs a whole number from " << kMinBookletPuzzles
               << " to " << kMaxBookletPuzzles << ", not '" << cl.options.at("--count") << "'\n";
        return 2;
    }
    if (!cl.Has("--output") || cl.options.at("--output").empty()) {
        io.err << "zellwerk-cli booklet: --output FILE.pdf is missing\n";
        return 2;
    }
    NewHeftOptions options;
    options.solutions = cl.Has("--solutions");
    std::string bad;
    std::vector<techniques::Level> levels = BookletLevels(options);
    for (const char* option : {"--levels", "--level"}) {
        if (cl.Has(option) && !ReadLevels(cl.options.at(option), levels, bad)) {
            io.err << "zellwerk-cli booklet: unknown level '" << bad
                   << "' (leicht, mittel, schwer, sehr-schwer or extrem, separated by commas)\n";
            return 2;
        }
    }
    std::uint64_t seed = 0;
    if (!ReadSeed("booklet", cl, io.err, seed))
        return 2;
    SystemClock time;
    const std::string date = time.ShortDateText();
    // The series runs on one board with one clock, as in the window: its seeds count up from the
    // first puzzle's seed of `generate --seed`.
    RepeatableClock clock(time, PuzzleSeed(seed, 0));
    StandaloneSolver solver;
    solver.ctx.engine = EngineOf(cl);
    const std::vector<SeriesPuzzle> series =
        MakePuzzleSeries(solver.ctx, clock, levels, count);
    const BookletContent booklet = BookletOf(series, date, options.solutions);
    if (booklet.puzzles.empty()) {
        io.err << "zellwerk-cli booklet: no puzzle of the series came out whole; no booklet "
                  "written\n";
        return 2;
    }
    // Made in memory, so that where it goes is decided here: a pipe or a device is written
    // into, never replaced by a file.
    PlainPdfPrinter pdf;
    std::string error;
    if (!pdf.BeginPdfInMemory("SuDoKu-Heft", error)) {
        io.err << "zellwerk-cli booklet: the PDF could not be made\n";
        return 2;
    }
    LayOutBooklet(pdf, booklet);
    if (!pdf.End(error)) {
        io.err << "zellwerk-cli booklet: the PDF could not be made\n";
        return 2;
    }
    const std::string& output = cl.options.at("--output");
    if (!WriteOutputFile(output, pdf.Bytes(), io.out, error)) {
        io.err << "zellwerk-cli booklet: cannot write '" << output << "': " << error << "\n";
        return 2;
    }
    return 0;
}

}  // namespace zw::cli
