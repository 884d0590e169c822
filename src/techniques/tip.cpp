#include "techniques/tip.h"

#include <algorithm>
#include <bit>

#include "solver/candidates.h"
#include "solver/fast_search.h"
#include "techniques/ladder.h"
#include "techniques/step_text.h"

namespace zw {

namespace {

using Candidates = std::array<CellValue, kCellCount>;  // 0 for a placed cell

int UnitCell(const UnitRef& unit, int k) {
    switch (unit.kind) {
        case UnitKind::Row:
            return CellIndex(unit.index, k);
        case UnitKind::Column:
            return CellIndex(k, unit.index);
        default:
            return CellIndex(unit.index / 3 * 3 + k / 3, unit.index % 3 * 3 + k % 3);
    }
}

std::vector<int> UnitCells(const UnitRef& unit) {
    std::vector<int> cells;
    for (int k = 0; k < kGridSize; ++k)
        cells.push_back(UnitCell(unit, k));
    return cells;
}

// Candidates by elimination over the whole row, column and box: a person's candidates, not
// the sweep's, which stop early.
Candidates CandidatesOf(const std::array<CellValue, kCellCount>& cells) {
    std::array<CellValue, kGridSize> rows{}, cols{}, boxes{};
    for (int i = 0; i < kCellCount; ++i) {
        const int d = PlacedDigit(cells[i]);
        if (d == 0)
            continue;
        rows[i / 9] |= DigitBit(d);
        cols[i % 9] |= DigitBit(d);
        boxes[i / 27 * 3 + i % 9 / 3] |= DigitBit(d);
    }
    Candidates cand{};
    for (int i = 0; i < kCellCount; ++i) {
        if (!IsPlaced(cells[i]))
            cand[i] = kAllDigits & ~(rows[i / 9] | cols[i % 9] | boxes[i / 27 * 3 + i % 9 / 3]);
    }
    return cand;
}

// The hidden-single tests in the sweep's order: boxes, then columns, then rows.
constexpr UnitKind kHiddenOrder[] = {UnitKind::Box, UnitKind::Column, UnitKind::Row};

bool FindNakedSingle(const Candidates& cand, Tip& tip) {
    for (int i = 0; i < kCellCount; ++i) {
        if (CountDigits(cand[i]) == 1) {
            tip.kind = TipKind::NakedSingle;
            tip.cell = i;
            tip.digit = PlacedDigit(cand[i]);
            return true;
        }
    }
    return false;
}

bool FindHiddenSingle(const Candidates& cand, Tip& tip) {
    for (UnitKind kind : kHiddenOrder) {
        for (int u = 0; u < kGridSize; ++u) {
            const UnitRef unit{kind, u};
            for (int d = 1; d <= kGridSize; ++d) {
                int place = -1, places = 0;
                for (int k = 0; k < kGridSize; ++k) {
                    const int i = UnitCell(unit, k);
                    if (cand[i] & DigitBit(d)) {
                        place = i;
                        ++places;
                    }
                }
                if (places == 1) {
                    tip.kind = TipKind::HiddenSingle;
                    tip.cell = place;
                    tip.digit = d;
                    tip.unit = unit;
                    return true;
                }
            }
        }
    }
    return false;
}

// A naked pair's eliminations in its unit, then the singles they leave. Pairs in the pair
// rule's order: rows, columns, boxes.
bool FindPair(const Candidates& cand, Tip& tip) {
    for (UnitKind kind : {UnitKind::Row, UnitKind::Column, UnitKind::Box}) {
        for (int u = 0; u < kGridSize; ++u) {
            const UnitRef unit{kind, u};
            for (int a = 0; a < kGridSize; ++a) {
                const int first = UnitCell(unit, a);
                const CellValue pair = cand[first];
                if (CountDigits(pair) != 2)
                    continue;
                for (int b = a + 1; b < kGridSize; ++b) {
                    const int second = UnitCell(unit, b);
                    if (cand[second] != pair)
                        continue;
                    Candidates reduced = cand;
                    bool removed = false;
                    for (int k = 0; k < kGridSize; ++k) {
                        const int i = UnitCell(unit, k);
                        if (i != first && i != second && (reduced[i] & pair)) {
                            reduced[i] &= ~pair;
                            removed = true;
                        }
                    }
                    Tip single;
                    if (!removed)
                        continue;
                    if (!FindNakedSingle(reduced, single) && !FindHiddenSingle(reduced, single))
                        continue;
                    tip = single;
                    tip.kind = TipKind::Pair;
                    tip.unit = unit;
                    tip.pairCells = {first, second};
                    tip.pairDigits = pair;
                    return true;
                }
            }
        }
    }
    return false;
}

// The first clash, in the order rows, columns, boxes: every character that is no digit, or
// every cell of the first unit that holds a digit more than once.
bool FindClash(const std::array<CellValue, kCellCount>& cells, Tip& tip) {
    for (int i = 0; i < kCellCount; ++i) {
        if (IsPlaced(cells[i]) && PlacedDigit(cells[i]) == 0)
            tip.clash.push_back(i);
    }
    if (!tip.clash.empty()) {
        tip.kind = TipKind::RuleBreak;
        return true;
    }
    for (UnitKind kind : {UnitKind::Row, UnitKind::Column, UnitKind::Box}) {
        for (int u = 0; u < kGridSize; ++u) {
            const UnitRef unit{kind, u};
            std::array<int, kGridSize + 1> count{};
            for (int k = 0; k < kGridSize; ++k)
                ++count[static_cast<std::size_t>(PlacedDigit(cells[UnitCell(unit, k)]))];
            for (int d = 1; d <= kGridSize; ++d) {
                if (count[static_cast<std::size_t>(d)] < 2)
                    continue;
                tip.kind = TipKind::RuleBreak;
                tip.digit = d;
                tip.unit = unit;
                for (int k = 0; k < kGridSize; ++k) {
                    if (PlacedDigit(cells[UnitCell(unit, k)]) == d)
                        tip.clash.push_back(UnitCell(unit, k));
                }
                return true;
            }
        }
    }
    return false;
}

// "a, b und c"; `separator` between the others, for names that hold a comma themselves.
std::string Enumeration(const std::vector<std::string>& names, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += i + 1 == names.size() ? " und " : separator;
        out += names[i];
    }
    return out;
}

// Where in its unit each clashing cell is: the columns of a row, the rows of a column, the
// whole names in a box.
std::string ClashPlaces(const Tip& tip) {
    std::vector<std::string> names;
    for (int cell : tip.clash) {
        names.push_back(tip.unit.kind == UnitKind::Row      ? std::to_string(cell % 9 + 1)
                        : tip.unit.kind == UnitKind::Column ? std::to_string(cell / 9 + 1)
                                                            : CellName(cell));
    }
    switch (tip.unit.kind) {
        case UnitKind::Row:
            return "Spalten " + Enumeration(names, ", ");
        case UnitKind::Column:
            return "Zeilen " + Enumeration(names, ", ");
        default:
            return Enumeration(names, "; ");
    }
}

std::string TimesText(std::size_t n) {
    static constexpr const char* kTimes[] = {"zweimal",  "dreimal",   "viermal", "fünfmal",
                                             "sechsmal", "siebenmal", "achtmal", "neunmal"};
    return kTimes[std::min<std::size_t>(n, kGridSize) - 2];
}

std::string DigitText(int d) {
    return std::string(1, static_cast<char>('0' + d));
}

// A board string (column by column) row by row.
std::string RowsOf(const std::string& board) {
    std::string rows(kCellCount, '.');
    for (int i = 0; i < kCellCount; ++i)
        rows[static_cast<std::size_t>(i)] = board[static_cast<std::size_t>(i % 9 * 9 + i / 9)];
    return rows;
}

std::string SingleText(const Tip& tip) {
    return "Die " + DigitText(tip.digit) + " gehört in " + CellName(tip.cell) + ".";
}

std::vector<int> PatternCells(const techniques::Step& step) {
    std::vector<int> cells;
    for (techniques::CellSet set = step.cells | step.loop; !set.Empty();)
        cells.push_back(set.PopFirst());
    return cells;
}

// The cells to look at: a single's unit, which the hint names without its cell, or the
// pattern.
std::vector<int> StepHintCells(const techniques::Step& step) {
    using techniques::Technique;
    if (step.technique == Technique::FullHouse || step.technique == Technique::HiddenSingleBox ||
        step.technique == Technique::HiddenSingleLine) {
        const auto& unit = techniques::kUnitTables.cells[static_cast<std::size_t>(step.placedUnit)];
        return {unit.begin(), unit.end()};
    }
    return PatternCells(step);
}

}  // namespace

std::string CellName(int cell) {
    return "Zeile " + DigitText(cell / 9 + 1) + ", Spalte " + DigitText(cell % 9 + 1);
}

std::string UnitName(const UnitRef& unit) {
    const char* word = unit.kind == UnitKind::Row      ? "Zeile "
                       : unit.kind == UnitKind::Column ? "Spalte "
                                                       : "Block ";
    return word + DigitText(unit.index + 1);
}

Tip FindStep(const std::array<CellValue, kCellCount>& cells) {
    const Candidates cand = CandidatesOf(cells);
    Tip tip;
    if (FindNakedSingle(cand, tip) || FindHiddenSingle(cand, tip) || FindPair(cand, tip))
        return tip;
    return Tip{};
}

Tip FindTip(const std::array<CellValue, kCellCount>& cells) {
    Tip tip;
    if (FindClash(cells, tip))
        return tip;
    bool open = false;
    for (CellValue v : cells)
        open = open || !IsPlaced(v);
    if (!open) {
        tip.kind = TipKind::Solved;
        return tip;
    }
    // A board without a solution first: a single found there would lead further astray.
    std::string solution;
    const std::int64_t solutions = FastCount(cells, 2, &solution);
    if (solutions == 0) {
        tip.kind = TipKind::NoSolution;
        return tip;
    }
    if (solutions == 1) {
        std::string line(kCellCount, '.');
        for (int i = 0; i < kCellCount; ++i) {
            if (IsPlaced(cells[i]))
                line[i] = static_cast<char>('0' + PlacedDigit(cells[i]));
        }
        techniques::CandidateBoard candidates;
        candidates.SetRows(line);
        return FindLadderTip(candidates, RowsOf(solution));
    }
    tip = FindStep(cells);
    if (tip.kind == TipKind::Guess)
        tip.solutions = solutions;
    return tip;
}

Tip FindLadderTip(const techniques::CandidateBoard& candidates, std::string solution) {
    Tip tip;
    tip.solution = std::move(solution);
    tip.before = candidates;
    // Uniqueness techniques may take part: the caller has counted one solution.
    if (techniques::FindEasiestStep(candidates, true, tip.step)) {
        tip.kind = TipKind::Step;
        tip.cell = tip.step.placedCell;
        tip.digit = tip.step.placedDigit;
        return tip;
    }
    // Not met on any puzzle the ladder was tried on; the player still gets a digit.
    tip.kind = TipKind::Solution;
    for (int i = 0; i < kCellCount; ++i) {
        if (candidates.Value(i) == 0) {
            tip.cell = i;
            tip.digit = tip.solution[static_cast<std::size_t>(i)] - '0';
            break;
        }
    }
    return tip;
}

Tip NextTip(const Tip& shown) {
    techniques::CandidateBoard candidates = shown.before;
    techniques::ApplyStep(candidates, shown.step);
    return FindLadderTip(candidates, shown.solution);
}

std::string TipHintText(const Tip& tip) {
    switch (tip.kind) {
        case TipKind::NakedSingle:
            return "Tipp: In " + CellName(tip.cell) + " passt nur noch eine Zahl.";
        case TipKind::HiddenSingle:
            return "Tipp: In " + UnitName(tip.unit) + " passt eine Zahl nur an eine Stelle.";
        case TipKind::Pair:
            return "Tipp: In " + UnitName(tip.unit) +
                   " passen in zwei Zellen nur dieselben zwei Zahlen.";
        case TipKind::Step:
            return "Tipp: " + techniques::StepHintText(tip.step);
        default:
            return TipAnswerText(tip);
    }
}

std::string TipAnswerText(const Tip& tip) {
    switch (tip.kind) {
        case TipKind::Solved:
            return "Tipp: Das SuDoKu ist gelöst.";
        case TipKind::RuleBreak: {
            if (tip.digit == 0) {
                std::vector<std::string> names;
                for (int cell : tip.clash)
                    names.push_back(CellName(cell));
                return "Tipp: Regelbruch: In " + Enumeration(names, "; ") +
                       " steht keine Zahl von 1 bis 9.";
            }
            return "Tipp: Regelbruch: Die " + DigitText(tip.digit) + " steht " +
                   TimesText(tip.clash.size()) + " in " + UnitName(tip.unit) + " (" +
                   ClashPlaces(tip) + ").";
        }
        case TipKind::NoSolution:
            return "Tipp: Das SuDoKu ist nicht mehr lösbar. Fehler suchen (Strg+F) zeigt, wo "
                   "es falsch wurde.";
        case TipKind::NakedSingle:
        case TipKind::HiddenSingle:
            return "Tipp: " + SingleText(tip);
        case TipKind::Pair: {
            const int low = std::countr_zero(tip.pairDigits) + 1;
            const int high = kGridSize - std::countl_zero(tip.pairDigits << 23);
            return "Tipp: " + CellName(tip.pairCells[0]) + " und " + CellName(tip.pairCells[1]) +
                   " teilen sich die " + DigitText(low) + " und die " + DigitText(high) +
                   "; damit gehört die " + DigitText(tip.digit) + " in " + CellName(tip.cell) + ".";
        }
        case TipKind::Guess:
            return std::string("Tipp: Die nächste Zahl muss probiert werden. Das SuDoKu hat ") +
                   (tip.solutions == 1 ? "genau eine Lösung." : "mehrere Lösungen.");
        case TipKind::Step:
            return "Tipp: " + techniques::StepAnswerText(tip.before, tip.step);
        case TipKind::Solution:
            return "Tipp: Hier hilft keine der Techniken weiter; die Lösung hat die " +
                   DigitText(tip.digit) + " in " + CellName(tip.cell) + ".";
    }
    return {};
}

std::vector<int> TipHintCells(const Tip& tip) {
    switch (tip.kind) {
        case TipKind::NakedSingle:
            return {tip.cell};
        case TipKind::HiddenSingle:
        case TipKind::Pair:
            return UnitCells(tip.unit);
        case TipKind::Step:
            return StepHintCells(tip.step);
        default:
            return TipAnswerCells(tip);
    }
}

std::vector<int> TipAnswerCells(const Tip& tip) {
    switch (tip.kind) {
        case TipKind::RuleBreak:
            return tip.clash;
        case TipKind::NakedSingle:
        case TipKind::HiddenSingle:
            return {tip.cell};
        case TipKind::Pair:
            return {tip.pairCells[0], tip.pairCells[1], tip.cell};
        case TipKind::Solution:
            return {tip.cell};
        case TipKind::Step: {
            // The pattern, the cells losing candidates (whose pencil marks show what goes), and
            // the cell the digit goes into.
            std::vector<int> cells = PatternCells(tip.step);
            for (int i = 0; i < kCellCount; ++i) {
                if ((tip.step.removed[i] || i == tip.step.placedCell) &&
                    std::find(cells.begin(), cells.end(), i) == cells.end())
                    cells.push_back(i);
            }
            return cells;
        }
        default:
            return {};
    }
}

}  // namespace zw
