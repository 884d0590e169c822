#include "generator/booklet.h"

#include <charconv>
#include <cmath>

#include "board/board_string.h"
#include "board/grid_painter.h"
#include "generator/generate.h"
#include "solver/solve.h"

namespace zw {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(const std::string& s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

// --- page layout, in twips on A4 ---
constexpr int kMargin = 1134;  // 2 cm
constexpr int kPuzzleSlot = (kA4Height - 2 * kMargin) / 2;
constexpr int kHeadingGap = 500;
constexpr double kSolutionScale = 0.42;
constexpr int kSolutionColumns = 3;
constexpr int kSolutionRows = 4;
constexpr int kSolutionsTop = kMargin + 700;
constexpr int kSolutionLabelGap = 280;
constexpr int kSolutionRowHeight = 3428;
constexpr int kPageNumberTop = kA4Height - 700;
constexpr Colour kBlack = 0;
constexpr Colour kFilledIn = Rgb(0, 0, 160);  // solution digits that were not given

void CentredText(Canvas& page, int y, std::string_view text, double points, bool bold) {
    page.DrawText(0, y, kA4Width, text, Font{"Arial", points, bold}, kBlack, TextAlign::Center);
}

void PageNumber(Canvas& page, int number) {
    CentredText(page, kPageNumberTop, "Seite " + std::to_string(number), 9, false);
}

// "Rätsel 3 – Schwer (4,2)": the level and the score, not the technique, which would give away
// where to start.
std::string Label(const BookletPuzzle& p) {
    std::string label = "Rätsel " + std::to_string(p.number) + " – " + p.level;
    if (p.rating > 0)
        label += " (" + techniques::RatingText(p.rating, ',') + ")";
    return label;
}

// The board grid with the look of the screen, plus a black frame and box lines, which the
// screen leaves to the shading but paper needs.
void PaintBookletGrid(Canvas& page, const Grid& grid, int left, int top, double scale) {
    GridStyle style;
    style.scale = scale;
    PaintGrid(page, grid, left, top, style);
    const double box = 3 * grid.ColWidth(0) * scale;
    const int size = static_cast<int>(std::lround(GridPictureWidth(grid) * scale));
    const double width = 45 * scale;
    for (int k = 0; k <= 3; ++k) {
        const int offset = k == 3 ? size - static_cast<int>(width / 2)
                                  : static_cast<int>(std::lround(k * box + width / 2));
        page.DrawLine(left + offset, top, left + offset, top + size, width, kBlack);
        page.DrawLine(left, top + offset, left + size, top + offset, width, kBlack);
    }
}

Grid GridOf(std::string_view board) {
    Grid grid;
    SetUpGrid(grid);
    SetSuDoKuString(grid, board);
    return grid;
}

void TitlePage(Canvas& page, const BookletContent& booklet) {
    CentredText(page, 4200, "SuDoKu-Heft", 36, true);
    CentredText(page, 5600, "erstellt am " + booklet.date, 16, false);
    const std::size_t n = booklet.puzzles.size();
    std::string count = std::to_string(n) + " Rätsel";
    if (booklet.withSolutions)
        count += " mit Lösungen";
    CentredText(page, 6300, count, 16, false);
    std::string levels;
    for (const BookletPuzzle& p : booklet.puzzles) {
        if (levels.find(p.level) == std::string::npos)
            levels += (levels.empty() ? "" : ", ") + p.level;
    }
    if (!levels.empty())
        CentredText(page, 7000, "Schwierigkeitsgrad: " + levels, 12, false);
    CentredText(page, kA4Height - 1400, "Zellwerk", 10, false);
}

void PuzzlePages(Printer& printer, const BookletContent& booklet, int& pageNumber) {
    const int left = (kA4Width - kGridOuterSize) / 2;
    for (std::size_t i = 0; i < booklet.puzzles.size(); ++i) {
        if (i % 2 == 0) {
            printer.NewPage();
            PageNumber(printer.Page(), ++pageNumber);
        }
        const BookletPuzzle& p = booklet.puzzles[i];
        const int top = kMargin + static_cast<int>(i % 2) * kPuzzleSlot;
        printer.Page().DrawText(left, top, 0, Label(p), Font{"Arial", 14, true}, kBlack,
                                TextAlign::Left);
        PaintBookletGrid(printer.Page(), GridOf(p.puzzle), left, top + kHeadingGap, 1.0);
    }
}

void SolutionPages(Printer& printer, const BookletContent& booklet, int& pageNumber) {
    const int size = static_cast<int>(std::lround(kGridOuterSize * kSolutionScale));
    const int gap = (kA4Width - 2 * kMargin - kSolutionColumns * size) / (kSolutionColumns - 1);
    const std::size_t perPage = kSolutionColumns * kSolutionRows;
    for (std::size_t i = 0; i < booklet.puzzles.size(); ++i) {
        const std::size_t place = i % perPage;
        if (place == 0) {
            printer.NewPage();
            CentredText(printer.Page(), kMargin, "Lösungen", 16, true);
            PageNumber(printer.Page(), ++pageNumber);
        }
        const BookletPuzzle& p = booklet.puzzles[i];
        const int left = kMargin + static_cast<int>(place % kSolutionColumns) * (size + gap);
        const int top =
            kSolutionsTop + static_cast<int>(place / kSolutionColumns) * kSolutionRowHeight;
        printer.Page().DrawText(left, top, 0, Label(p), Font{"Arial", 9, false}, kBlack,
                                TextAlign::Left);
        Grid grid = GridOf(p.solution);
        for (int k = 0; k < kBoardStringLength && k < static_cast<int>(p.puzzle.size()); ++k) {
            if (p.puzzle[static_cast<std::size_t>(k)] == ' ')
                grid.SetTextColour(k % kGridSize, k / kGridSize, kFilledIn);
        }
        PaintBookletGrid(printer.Page(), grid, left, top + kSolutionLabelGap, kSolutionScale);
    }
}

}  // namespace

long long ReadPuzzleCount(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;
    }
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    i = SkipDigits(s, i);
    bool digits = i > intStart;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = i + 1;
        const std::size_t fracEnd = SkipDigits(s, fracStart);
        if (fracEnd > fracStart || digits)
            i = fracEnd;
        digits = digits || fracEnd > fracStart;
    }
    if (!digits)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t expEnd = SkipDigits(s, j);
        if (expEnd > j) {
            s[i] = 'e';
            i = expEnd;
        }
    }
    std::string number = s.substr(s[0] == '+' ? 1 : 0, i - (s[0] == '+' ? 1 : 0));
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = number[0] == '-' ? -1e18 : 1e18;
    value = std::floor(value);
    if (value > 1e18)
        return static_cast<long long>(1e18);
    if (value < -1e18)
        return static_cast<long long>(-1e18);
    return static_cast<long long>(value);
}

std::vector<techniques::Level> BookletLevels(const NewHeftOptions& options) {
    using techniques::Level;
    std::vector<Level> levels;
    if (options.leicht)
        levels.push_back(Level::Leicht);
    if (options.mittel)
        levels.push_back(Level::Mittel);
    if (options.schwer)
        levels.push_back(Level::Schwer);
    if (levels.empty())
        levels.push_back(Level::Mittel);
    return levels;
}

BookletContent BookletOf(const std::vector<SeriesPuzzle>& series, std::string date,
                         bool withSolutions) {
    BookletContent booklet;
    booklet.date = std::move(date);
    booklet.withSolutions = withSolutions;
    StandaloneSolver solver;
    for (const SeriesPuzzle& entry : series) {
        SetSuDoKuString(solver.grid, entry.board);
        std::string solution;
        if (SolutionsUpToTwo(solver.ctx, &solution) != 1)
            continue;
        booklet.puzzles.push_back({static_cast<int>(booklet.puzzles.size() + 1), entry.level,
                                   entry.rating, entry.board,
                                   withSolutions ? solution : std::string()});
    }
    return booklet;
}

void LayOutBooklet(Printer& printer, const BookletContent& booklet) {
    TitlePage(printer.Page(), booklet);
    int pageNumber = 1;
    PuzzlePages(printer, booklet, pageNumber);
    if (booklet.withSolutions)
        SolutionPages(printer, booklet, pageNumber);
}

}  // namespace zw
