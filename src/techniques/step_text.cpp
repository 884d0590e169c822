#include "techniques/step_text.h"

#include <array>
#include <bit>
#include <cstring>
#include <string_view>
#include <vector>

namespace zw::techniques {
namespace {

using namespace std::string_view_literals;

std::string Digit(int d) {
    return std::string(1, static_cast<char>('0' + d));
}

std::string CellText(int cell) {
    return "Zeile " + Digit(Row(cell) + 1) + ", Spalte " + Digit(Column(cell) + 1);
}

std::string UnitText(int unit) {
    return (unit < 9 ? "Zeile " : unit < 18 ? "Spalte " : "Block ") + Digit(unit % 9 + 1);
}

// A single's line, most of every explanation, gathered in place and handed over in one piece:
// the pieces' lengths are known and a line is short.
class Line {
public:
    Line& operator+=(std::string_view text) {
        std::memcpy(text_.data() + size_, text.data(), text.size());
        size_ += text.size();
        return *this;
    }
    Line& operator+=(char c) {
        text_[size_++] = c;
        return *this;
    }
    void append(const char* text, std::size_t size) { *this += std::string_view(text, size); }
    std::string_view View() const { return {text_.data(), size_}; }

private:
    std::array<char, 256> text_;
    std::size_t size_ = 0;
};

template <class Out>
void AppendCell(Out& out, int cell) {
    char text[] = "Zeile ?, Spalte ?";
    text[6] = static_cast<char>('1' + Row(cell));
    text[16] = static_cast<char>('1' + Column(cell));
    out.append(text, sizeof text - 1);
}

template <class Out>
void AppendUnit(Out& out, int unit) {
    char text[] = "Spalte ?";
    const std::string_view name = unit < 9 ? "Zeile "sv : unit < 18 ? "Spalte "sv : "Block "sv;
    name.copy(text, name.size());
    text[name.size()] = static_cast<char>('1' + unit % 9);
    out.append(text, name.size() + 1);
}

bool IsSingle(Technique t) {
    return t == Technique::FullHouse || t == Technique::HiddenSingleBox ||
           t == Technique::HiddenSingleLine || t == Technique::NakedSingle;
}

// "Full House: In Block 3 ist nur noch eine Zelle frei." and the like, onto `out`.
template <class Out>
void AppendSingleHint(Out& out, const Step& step) {
    const Technique t = step.technique;
    out += Info(t).name;
    out += ": In "sv;
    if (t == Technique::NakedSingle) {
        AppendCell(out, step.placedCell);
        out += " passt nur noch eine Zahl."sv;
        return;
    }
    AppendUnit(out, step.placedUnit);
    out += t == Technique::FullHouse ? " ist nur noch eine Zelle frei."sv
                                     : " passt eine Zahl nur an eine Stelle."sv;
}

// Its answer, with or without the leading "Full House: ".
template <class Out>
void AppendSingleAnswer(Out& out, const Step& step, bool named) {
    const Technique t = step.technique;
    const char digit = static_cast<char>('0' + step.placedDigit);
    if (named) {
        out += Info(t).name;
        out += ": "sv;
    }
    out += "In "sv;
    if (t == Technique::NakedSingle) {
        AppendCell(out, step.placedCell);
        out += " passt nur noch die "sv;
        out += digit;
        out += '.';
        return;
    }
    AppendUnit(out, step.placedUnit);
    out += t == Technique::FullHouse ? " fehlt nur noch die "sv : " passt die "sv;
    out += digit;
    out += t == Technique::FullHouse ? "; sie gehört in "sv : " nur in "sv;
    AppendCell(out, step.placedCell);
    out += '.';
}

std::string SingleHintText(const Step& step) {
    std::string out;
    out.reserve(96);
    AppendSingleHint(out, step);
    return out;
}

std::string SingleAnswerText(const Step& step) {
    std::string out;
    out.reserve(112);
    AppendSingleAnswer(out, step, true);
    return out;
}

// "a", "a und b", "a, b und c" (or "oder").
std::string Join(const std::vector<std::string>& parts, const char* last = " und ") {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i == 0 ? "" : i + 1 == parts.size() ? last : ", ") + parts[i];
    return out;
}

// "Zeile 1, Spalte 2, Zeile 1, Spalte 5 und Zeile 4, Spalte 5", onto `out`.
void AppendCells(std::string& out, CellSet cells, const char* last = " und ") {
    for (bool first = true; !cells.Empty(); first = false) {
        const int cell = cells.PopFirst();
        if (!first)
            out += cells.Empty() ? last : ", ";
        AppendCell(out, cell);
    }
}

std::string CellsText(CellSet cells, const char* last = " und ") {
    std::string out;
    out.reserve(static_cast<std::size_t>(cells.Count()) * 22);
    AppendCells(out, cells, last);
    return out;
}

// The digits "die 1, die 2 und die 3", onto `out`.
void AppendDigits(std::string& out, unsigned digits) {
    for (bool first = true; digits; digits &= digits - 1, first = false) {
        if (!first)
            out += digits & (digits - 1) ? ", "sv : " und "sv;
        out += "die "sv;
        out += static_cast<char>('1' + std::countr_zero(digits));
    }
}

std::string Digits(unsigned digits) {
    std::string out;
    AppendDigits(out, digits);
    return out;
}

// "der 8 und der 9", after "mit".
std::string DativeDigits(unsigned digits) {
    std::vector<std::string> out;
    for (; digits; digits &= digits - 1)
        out.push_back("der " + Digit(std::countr_zero(digits) + 1));
    return Join(out);
}

std::vector<int> Units(const Step& step, int first, int last) {
    std::vector<int> out;
    for (int u = first; u < last; ++u) {
        if (step.units >> u & 1)
            out.push_back(u);
    }
    return out;
}

// The lines of one kind as "in den Zeilen 2 und 7".
std::string Lines(const std::vector<int>& lines) {
    std::vector<std::string> numbers;
    for (int u : lines)
        numbers.push_back(Digit(u % 9 + 1));
    return (lines.front() < 9 ? "den Zeilen " : "den Spalten ") + Join(numbers);
}

bool IsFish(Technique t) {
    return t == Technique::XWing || t == Technique::Swordfish || t == Technique::Jellyfish;
}
bool IsWing(Technique t) {
    return t == Technique::XYWing || t == Technique::XYZWing;
}
bool IsStrongLinks(Technique t) {
    return t == Technique::Skyscraper || t == Technique::TwoStringKite ||
           t == Technique::TurbotFish;
}
bool IsBentSet(Technique t) {
    return t == Technique::WXYZWing || t == Technique::VWXYZWing || t == Technique::UVWXYZWing;
}
bool IsPointing(Technique t) {
    return t == Technique::Pointing || t == Technique::DirectPointing;
}
bool IsIntersection(Technique t) {
    return IsPointing(t) || t == Technique::Claiming || t == Technique::DirectClaiming;
}
bool IsNaked(Technique t) {
    return t == Technique::NakedPair || t == Technique::NakedTriple || t == Technique::NakedQuad;
}

// Unique rectangles and loops: 1-4 for their type, 0 for any other technique.
int UniqueType(Technique t) {
    if (t >= Technique::UniqueRectangle1 && t <= Technique::UniqueRectangle4)
        return static_cast<int>(t) - static_cast<int>(Technique::UniqueRectangle1) + 1;
    if (t >= Technique::UniqueLoop1 && t <= Technique::UniqueLoop4)
        return static_cast<int>(t) - static_cast<int>(Technique::UniqueLoop1) + 1;
    return 0;
}
bool IsRectangle(Technique t) {
    return UniqueType(t) != 0;
}
bool IsBug(Technique t) {
    return t >= Technique::Bug1 && t <= Technique::Bug4;
}

unsigned RemovedDigits(const Step& step) {
    unsigned out = 0;
    for (std::uint16_t r : step.removed)
        out |= r;
    return out;
}

// Why a unique rectangle may not stay as it is, and which cells it leaves to decide.
std::string RectangleText(const CandidateBoard& before, const Step& step) {
    const CellSet corners = step.loop;
    CellSet extras;
    for (CellSet all = corners; !all.Empty();) {
        const int cell = all.PopFirst();
        if (before.Candidates(cell) != step.digits)
            extras.Add(cell);
    }
    std::string out = "Die Zellen " + CellsText(corners) + " könnten alle nur " +
                      Digits(step.digits) +
                      " halten; dann ließen sich die beiden tauschen, und das SuDoKu hätte "
                      "zwei Lösungen.";
    const unsigned removed = RemovedDigits(step);
    switch (UniqueType(step.technique)) {
        case 1:
            return out + " Also ist " + CellText(extras.First()) + " keine der beiden.";
        case 2:
            return out + " Also steht " + Digits(removed) + " in " + CellsText(extras, " oder ") +
                   ".";
        case 3: {
            const int unit = std::countr_zero(step.units);
            return out + " Also hält " + CellsText(extras) + " eine ihrer anderen Zahlen; mit " +
                   CellsText(step.cells.Minus(corners)) + " bilden sie in " + UnitText(unit) +
                   " eine nackte Menge.";
        }
        default: {
            const int unit = std::countr_zero(step.units);
            return out + " In " + UnitText(unit) + " steht " + Digits(step.digits & ~removed) +
                   " nur in " + CellsText(extras) + ", also ist dort " + Digits(removed) +
                   " ausgeschlossen.";
        }
    }
}

// Why the cells beyond the grave must keep one of their extra digits, and what follows.
std::string BugText(const CandidateBoard& before, const Step& step) {
    const CellSet bugCells = step.loop;
    std::string out = "Ohne " + Digits(step.digits) + " in " + CellsText(bugCells) +
                      " hätte jede offene Zelle nur zwei Kandidaten, und jede Zahl passte in "
                      "jede Einheit genau zweimal oder gar nicht; so ein Muster hat nie genau "
                      "eine Lösung.";
    const int unit = std::countr_zero(step.units);
    switch (step.technique) {
        case Technique::Bug2:
            return out + " Also steht " + Digits(step.digits) + " in " +
                   CellsText(bugCells, " oder ") + ".";
        case Technique::Bug3:
            return out + " Also hält eine dieser Zellen " + Digits(step.digits) + " (" +
                   CellsText(bugCells) + " wirken wie eine Zelle mit diesen Zahlen); mit " +
                   CellsText(step.cells.Minus(bugCells)) + " bilden sie in " + UnitText(unit) +
                   " eine nackte Menge.";
        default: {
            std::uint16_t both = kAllDigits;
            for (CellSet c = bugCells; !c.Empty();)
                both &= before.Candidates(c.PopFirst());
            both = static_cast<std::uint16_t>(both & ~step.digits & ~RemovedDigits(step));
            return out + " In " + UnitText(unit) + " steht " + Digits(both) + " nur in " +
                   CellsText(bugCells) +
                   "; die Zelle, die sie nicht hält, hält ihre Zahl außerhalb des Musters. Also "
                   "hält keine der beiden ihre dritte Zahl.";
        }
    }
}

bool IsChain(Technique t) {
    return t == Technique::XChain || t == Technique::ForcingChain;
}
bool IsForcingChains(Technique t) {
    return t == Technique::CellForcingChain || t == Technique::UnitForcingChain;
}

void AppendNode(std::string& out, int node) {
    out += "die ";
    out += static_cast<char>('0' + NodeDigit(node));
    out += NodeOn(node) ? " in " : " nicht in ";
    AppendCell(out, NodeCell(node));
}

std::string NodeText(int node) {
    std::string out;
    out.reserve(32);
    AppendNode(out, node);
    return out;
}

// The chain link by link, each "on" link with what forces it, so a player can follow it on
// paper: "Stünde die 5 in A, dann stünde die 5 nicht in B, also die 5 in C (der andere
// Platz in Zeile 2), ... also die 5 nicht in A."
std::string ChainText(const CandidateBoard& before, const Step& step, int from = 0,
                      int length = -1) {
    if (length < 0)
        length = step.chainLength;
    const int first = step.chain[from];
    std::string out;
    out.reserve(static_cast<std::size_t>(length) * 48 + 64);
    out += "Stünde ";
    AppendNode(out, first);
    out += ", dann stünde ";
    for (int i = from + 1; i < from + length; ++i) {
        const int node = step.chain[i], previous = step.chain[i - 1];
        if (i != from + 1)
            out += ", also ";
        AppendNode(out, node);
        if (!NodeOn(node))
            continue;
        if (NodeCell(node) == NodeCell(previous)) {
            out += " (die andere Zahl der Zelle)";
            continue;
        }
        for (int unit : kUnitTables.units[NodeCell(node)]) {
            const std::uint16_t places = before.Positions(unit, NodeDigit(node));
            bool both = false;
            for (int k = 0; k < 9; ++k)
                both = both || UnitCell(unit, k) == NodeCell(previous);
            if (both && Count9(places) == 2) {
                out += " (der andere Platz in " + UnitText(unit) + ")";
                break;
            }
        }
    }
    return out + (length == step.chainLength ? ". Die Annahme widerlegt sich selbst." : ".");
}

// Each choice of the cell or unit, one branch each, and the result they share.
std::string BranchesText(const CandidateBoard& before, const Step& step) {
    const int result = step.chain[step.branchLengths[0] - 1];
    std::string out = step.technique == Technique::CellForcingChain
                          ? "Welche Zahl auch in " + CellText(NodeCell(step.chain[0])) +
                                " steht, es folgt dasselbe."
                          : "Wo auch immer die " + Digit(NodeDigit(step.chain[0])) + " in " +
                                UnitText(std::countr_zero(step.units)) +
                                " steht, es folgt dasselbe.";
    for (int i = 0, at = 0; i < step.branchCount; at += step.branchLengths[i++]) {
        if (step.branchLengths[i] == 1)
            out += " Stünde die " + Digit(NodeDigit(step.chain[at])) + " in " +
                   CellText(NodeCell(step.chain[at])) + ", wäre das schon das Ergebnis.";
        else
            out += " " + ChainText(before, step, at, step.branchLengths[i]);
    }
    return out + " In jedem Fall steht " + NodeText(result) + ".";
}

int OneDigit(const Step& step) {
    return std::countr_zero(step.digits) + 1;
}

// What the pattern says, before its removals.
// A pattern in words, onto `out`.
void AppendPattern(std::string& out, const Step& step) {
    const Technique t = step.technique;
    const std::uint32_t lines = step.units & ((1u << 18) - 1), boxes = step.units >> 18;
    if (IsIntersection(t)) {
        const int box = 18 + std::countr_zero(boxes), line = std::countr_zero(lines);
        out += "In "sv;
        AppendUnit(out, IsPointing(t) ? box : line);
        out += " steht die "sv;
        out += static_cast<char>('0' + OneDigit(step));
        out += " nur in "sv;
        AppendUnit(out, IsPointing(t) ? line : box);
        out += '.';
        return;
    }
    if (IsBentSet(t)) {
        const auto removed = static_cast<std::uint16_t>(RemovedDigits(step));
        // One removed digit: the one that may stand twice; several: each is bound to the cells.
        out += "Die "sv;
        out += std::to_string(step.cells.Count());
        out += " Zellen "sv;
        AppendCells(out, step.cells);
        out += " halten zusammen nur "sv;
        AppendDigits(out, step.digits);
        if (OneBit(removed)) {
            out += "; jede andere Zahl als "sv;
            AppendDigits(out, removed);
            out += " passt höchstens einmal hinein, so dass "sv;
            AppendDigits(out, removed);
            out += " in einer von ihnen stehen muss."sv;
        } else {
            out += ", und jede passt höchstens einmal hinein, so dass jede genau einmal darin "
                   "steht."sv;
        }
        return;
    }
    if (IsWing(t)) {
        out += "Die Zellen "sv;
        AppendCells(out, step.cells);
        out += " halten zusammen nur "sv;
        AppendDigits(out, step.digits);
        out += ": Wie man sie auch verteilt, eine der Zellen außen bekommt die Zahl, die in "
               "beiden steht."sv;
        return;
    }
    if (IsFish(t)) {
        std::vector<int> rows, columns;
        for (int u : Units(step, 0, 18))
            (u < 9 ? rows : columns).push_back(u);
        // The pattern's cells lie where base and cover lines cross; the removals lie in the
        // cover lines only, so the base lines are the kind that holds none of them.
        bool byRows = true;
        for (int u : rows) {
            for (int cell : kUnitTables.cells[u])
                byRows = byRows && !step.removed[cell];
        }
        out += "In " + Lines(byRows ? rows : columns) + " steht die " + Digit(OneDigit(step)) +
               " nur in " + Lines(byRows ? columns : rows) + ".";
        return;
    }
    if (t == Technique::Bug1) {
        out += "Alle offenen Zellen außer " + CellText(step.cells.First()) +
               " haben nur zwei Kandidaten, und jede Zahl passt in jede Einheit genau zweimal, "
               "nur die " +
               Digit(OneDigit(step)) +
               " dreimal. Ohne sie hätte das SuDoKu keine eindeutige Lösung; also gehört sie "
               "dorthin.";
        return;
    }
    if (IsStrongLinks(t)) {
        const int a = NodeCell(step.chain[0]), b = NodeCell(step.chain[1]);
        const int c = NodeCell(step.chain[2]), d = NodeCell(step.chain[3]);
        const int first = std::countr_zero(step.units), last = 31 - std::countl_zero(step.units);
        const int unitAB = kUnitTables.unitSets[first].Has(a) && kUnitTables.unitSets[first].Has(b)
                               ? first
                               : last;
        const int unitCD = unitAB == first ? last : first;
        out += "In "sv;
        AppendUnit(out, unitAB);
        out += " steht die "sv;
        out += static_cast<char>('0' + OneDigit(step));
        out += " nur in "sv;
        AppendCell(out, a);
        out += " oder "sv;
        AppendCell(out, b);
        out += ", in "sv;
        AppendUnit(out, unitCD);
        out += " nur in "sv;
        AppendCell(out, c);
        out += " oder "sv;
        AppendCell(out, d);
        out += ". "sv;
        AppendCell(out, b);
        out += " und "sv;
        AppendCell(out, c);
        out += " sehen einander und halten sie nicht beide, also steht sie in "sv;
        AppendCell(out, a);
        out += " oder in "sv;
        AppendCell(out, d);
        out += '.';
        return;
    }
    out += "In "sv;
    AppendUnit(out, lines ? std::countr_zero(lines) : 18 + std::countr_zero(boxes));
    if (IsNaked(t)) {
        out += " passen in "sv;
        AppendCells(out, step.cells);
        out += " nur "sv;
        AppendDigits(out, step.digits);
    } else {
        out += " passen "sv;
        AppendDigits(out, step.digits);
        out += " nur in "sv;
        AppendCells(out, step.cells);
    }
    out += '.';
}


// "Die 5 fällt in ... weg.", a sentence per digit.
// The cells a step takes candidates from.
CellSet RemovedCells(const Step& step) {
    CellSet cells;
    for (int cell = 0; cell < kCells; ++cell) {
        if (step.removed[cell])
            cells.Add(cell);
    }
    return cells;
}

void AppendRemovals(std::string& out, const Step& step, CellSet removedCells) {
    std::array<CellSet, 9> cells{};
    for (CellSet rest = removedCells; !rest.Empty();) {
        const int cell = rest.PopFirst();
        for (unsigned r = step.removed[cell]; r; r &= r - 1)
            cells[static_cast<std::size_t>(std::countr_zero(r))].Add(cell);
    }
    for (int d = 1; d <= 9; ++d) {
        const CellSet& from = cells[static_cast<std::size_t>(d - 1)];
        if (from.Empty())
            continue;
        out += " Die "sv;
        out += static_cast<char>('0' + d);
        out += " fällt in "sv;
        AppendCells(out, from);
        out += " weg."sv;
    }
}

// What the removals lead to: a digit with one place left in a unit of a removed cell, or a
// removed cell with one digit left.
void AppendConsequence(std::string& out, const CandidateBoard& before, const Step& step,
                       CellSet removedCells) {
    auto onePlace = [&](int digit, int unit, int cell) {
        out += " Damit bleibt für die "sv;
        out += static_cast<char>('0' + digit);
        out += " in "sv;
        AppendUnit(out, unit);
        out += " nur noch "sv;
        AppendCell(out, cell);
        out += '.';
    };
    if (step.placedCell >= 0)
        return onePlace(step.placedDigit, step.placedUnit, step.placedCell);
    // The first unit, by removed candidate, that the removals leave one place for its digit;
    // then the first cell they leave one digit.
    for (CellSet rest = removedCells; !rest.Empty();) {
        const int cell = rest.PopFirst();
        for (unsigned r = step.removed[cell]; r; r &= r - 1) {
            const int d = std::countr_zero(r) + 1;
            for (int unit : kUnitTables.units[cell]) {
                unsigned places = before.Positions(unit, d);
                for (unsigned m = places; m; m &= m - 1) {
                    const int i = std::countr_zero(m);
                    if (step.removed[UnitCell(unit, i)] & DigitBit(d))
                        places &= ~(1u << i);
                }
                if (OneBit(places))
                    return onePlace(d, unit, UnitCell(unit, std::countr_zero(places)));
            }
        }
    }
    for (CellSet rest = removedCells; !rest.Empty();) {
        const int cell = rest.PopFirst();
        const unsigned left = before.Candidates(cell) & ~step.removed[cell];
        if (OneBit(left)) {
            out += " Damit passt in "sv;
            AppendCell(out, cell);
            out += " nur noch die "sv;
            out += static_cast<char>('1' + std::countr_zero(left));
            out += '.';
            return;
        }
    }
    out += " Das streicht nur Kandidaten; der nächste Tipp geht von dort aus weiter."sv;
}

// A cycle's nodes in order and back to the first: "A, also B, ..., also wieder A".
std::string RingText(const Step& step) {
    std::string out = NodeText(step.chain[0]);
    for (int i = 1; i < step.chainLength; ++i)
        out += ", also " + NodeText(step.chain[i]);
    return out + ", also wieder " + NodeText(step.chain[0]);
}

}  // namespace

std::string StepHintText(const Step& step) {
    if (IsSingle(step.technique))
        return SingleHintText(step);
    const std::string name(Info(step.technique).name);
    const Technique t = step.technique;
    if (IsFish(t)) {
        std::vector<int> rows, columns;
        for (int u : Units(step, 0, 18))
            (u < 9 ? rows : columns).push_back(u);
        // "auf die Zeilen ...": the accusative of Lines.
        auto onto = [](const std::vector<int>& lines) { return "die" + Lines(lines).substr(3); };
        return name + " mit der " + Digit(OneDigit(step)) + ": Schau auf " + onto(rows) + " und " +
               onto(columns) + ".";
    }
    if (t == Technique::DynamicCellForcing ||
        ((t == Technique::DynamicForcingPlus || t == Technique::DynamicForcingNested) &&
         step.units == 0))
        return name + ": Probiere jede Zahl in " + CellText(NodeCell(step.chain[0])) +
               " durch und trage jeweils ein, was folgt.";
    if (t == Technique::DynamicUnitForcing || t == Technique::DynamicForcingPlus ||
        t == Technique::DynamicForcingNested)
        return name + ": Probiere jeden Platz der " + Digit(NodeDigit(step.chain[0])) + " in " +
               UnitText(std::countr_zero(step.units)) +
               " durch und trage jeweils die Einer ein, die folgen.";
    if (t == Technique::DynamicContradiction)
        return name + ": Setze probeweise die " + Digit(NodeDigit(step.chain[0])) + " in " +
               CellText(NodeCell(step.chain[0])) + " und trage die Einer ein, die folgen.";
    if (t == Technique::Nishio)
        return name + ": Setze probeweise die " + Digit(NodeDigit(step.chain[0])) + " in " +
               CellText(NodeCell(step.chain[0])) + " und verfolge nur diese Zahl.";
    if (t == Technique::CellForcingChain)
        return name + ": Probiere jede Zahl in " + CellText(NodeCell(step.chain[0])) + " durch.";
    if (t == Technique::UnitForcingChain)
        return name + ": Probiere jeden Platz der " + Digit(NodeDigit(step.chain[0])) + " in " +
               UnitText(std::countr_zero(step.units)) + " durch.";
    if (IsChain(t)) {
        const int first = step.chain[0];
        return name + ": Nimm an, die " + Digit(NodeDigit(first)) +
               (NodeOn(first) ? " stünde in " : " stünde nicht in ") + CellText(NodeCell(first)) +
               ", und folge den Folgen.";
    }
    if (t == Technique::AlignedPairExclusion)
        return name + ": Schau auf " + CellsText(step.loop) +
               " und die Zellen mit zwei Zahlen, die beide sehen.";
    if (t == Technique::AlignedTripletExclusion)
        return name + ": Schau auf " + CellsText(step.loop) +
               " und die Zellen mit zwei oder drei Zahlen, die alle drei sehen.";
    if (t == Technique::XCycle || IsStrongLinks(t))
        return name + " mit der " + Digit(OneDigit(step)) + ": Schau auf " +
               CellsText(step.cells) + ".";
    if (t == Technique::YCycle)
        return name + ": Schau auf die Zellen mit zwei Zahlen " + CellsText(step.cells) + ".";
    if (IsWing(t) || IsBentSet(t) || IsBug(t)) {
        std::string out = name;
        out += ": Schau auf "sv;
        AppendCells(out, step.cells);
        out += '.';
        return out;
    }
    if (IsRectangle(t))
        return name + " mit " + DativeDigits(step.digits) + ": Schau auf " + CellsText(step.cells) +
               ".";
    std::string out = name;
    if (IsIntersection(t)) {
        out += " mit der "sv;
        out += static_cast<char>('0' + OneDigit(step));
    }
    out += ": Schau auf "sv;
    // The units as Join lists them: "a", "a und b", "a, b und c".
    for (std::uint32_t units = step.units; units; units &= units - 1) {
        if (units != step.units)
            out += OneBit(units) ? " und "sv : ", "sv;
        AppendUnit(out, std::countr_zero(units));
    }
    out += '.';
    return out;
}

namespace {

// A step's answer after its "Name: ", onto `out`.
void AppendAnswerBody(std::string& out, const CandidateBoard& before, const Step& step) {
    const Technique t = step.technique;
    const CellSet removedCells = RemovedCells(step);
    if (t == Technique::DynamicCellForcing || t == Technique::DynamicUnitForcing ||
        t == Technique::DynamicForcingPlus || t == Technique::DynamicForcingNested) {
        out += step.units == 0
                   ? "Welche Zahl auch in " + CellText(NodeCell(step.chain[0])) + " steht"
                   : "Wo auch immer die " + Digit(NodeDigit(step.chain[0])) + " in " +
                         UnitText(std::countr_zero(step.units)) + " steht";
        out += t == Technique::DynamicForcingNested
                   ? ", es folgt dasselbe, wenn man nacheinander die Einer einträgt und, wo "
                     "keiner mehr folgt, mit Schnitten, Paaren und Ketten Kandidaten streicht."
               : t == Technique::DynamicForcingPlus
                   ? ", es folgt dasselbe, wenn man nacheinander die Einer einträgt und, wo "
                     "keiner mehr folgt, mit Schnitten und Paaren Kandidaten streicht."
                   : ", es folgt dasselbe, wenn man die Einer nacheinander einträgt.";
        for (int i = 0, at = 0; i < step.branchCount; at += step.branchLengths[i++]) {
            out += " Steht " + NodeText(step.chain[at]) + ":";
            for (int k = 1; k < step.branchLengths[i]; ++k)
                out += (k == 1 ? " " : ", ") + NodeText(step.chain[at + k]);
            out += step.branchLengths[i] == 1 ? " Dann ist es schon so." : ".";
        }
        out += step.placedCell >= 0
                   ? " In jedem Fall steht die " + Digit(step.placedDigit) + " in " +
                         CellText(step.placedCell) + " (oder der Fall führt zu einem Widerspruch)."
                   : " In jedem Fall ist die " + Digit(std::countr_zero(step.digits) + 1) +
                         " danach aus ihrer Zelle verschwunden (oder der Fall führt zu einem "
                         "Widerspruch).";
        AppendRemovals(out, step, removedCells);
        if (step.placedCell < 0)
            AppendConsequence(out, before, step, removedCells);
        return;
    }
    if (t == Technique::DynamicContradiction || t == Technique::Nishio) {
        out += "Stünde die " + Digit(NodeDigit(step.chain[0])) + " in " +
               CellText(NodeCell(step.chain[0])) + ", dann folgten nacheinander";
        for (int i = 1; i < step.chainLength; ++i)
            out += (i == 1 ? " " : ", ") + NodeText(step.chain[i]);
        out += step.chainLength == 1 ? " nichts weiter" : "";
        out += step.emptyCell >= 0
                   ? "; dann bliebe für " + CellText(step.emptyCell) + " keine Zahl mehr."
                   : "; dann bliebe für die " + Digit(step.emptyDigit) + " in " +
                         UnitText(step.emptyUnit) + " kein Platz mehr.";
        AppendRemovals(out, step, removedCells);
        AppendConsequence(out, before, step, removedCells);
        return;
    }
    if (IsForcingChains(t)) {
        out += BranchesText(before, step);
        AppendRemovals(out, step, removedCells);
        if (step.placedCell < 0)
            AppendConsequence(out, before, step, removedCells);
        return;
    }
    if (t == Technique::AlignedPairExclusion) {
        const CellSet pair = step.loop;
        out += CellsText(pair);
        out += " können kein Zahlenpaar tragen, das eine der Zellen ";
        out += CellsText(step.cells.Minus(pair));
        out += " (je zwei Zahlen, jede sieht beide) leer ließe";
        if (Sees(pair.First(), pair.Minus(CellSet::Of(pair.First())).First()))
            out += ", und nicht zweimal dieselbe Zahl";
        out += "; zu den folgenden Zahlen bleibt kein mögliches Paar.";
    } else if (t == Technique::AlignedTripletExclusion) {
        out += CellsText(step.loop);
        out += " können keine Zahlen tragen, die einer der Zellen ";
        out += CellsText(step.cells.Minus(step.loop));
        out += " (je zwei oder drei Zahlen, jede sieht alle drei) alle Zahlen nähmen, und "
               "keine Zahl zweimal in einer Einheit; zu den folgenden Zahlen bleibt keine "
               "mögliche Wahl.";
    } else if (t == Technique::XCycle) {
        out += "Die ";
        out += Digit(OneDigit(step));
        out += " läuft im Kreis: ";
        out += RingText(step);
        out += ". Ob die erste Zelle sie hält oder nicht: Von je zwei Nachbarn im Kreis hält "
               "sie genau einer.";
    } else if (t == Technique::YCycle) {
        out += "Die Zellen bilden einen Kreis: ";
        out += RingText(step);
        out += ". Andersherum gilt dasselbe: Von je zwei Nachbarn im Kreis hält genau einer die "
               "Zahl, die sie teilen.";
    } else if (t == Technique::Bug2 || t == Technique::Bug3 || t == Technique::Bug4) {
        out += BugText(before, step);
    } else if (IsChain(t) && step.placedCell >= 0) {
        out += ChainText(before, step);
        out += " Also gehört die ";
        out += Digit(step.placedDigit);
        out += " in ";
        AppendCell(out, step.placedCell);
        out += '.';
        return;
    } else if (IsChain(t)) {
        out += ChainText(before, step);
    } else if (IsRectangle(t)) {
        out += RectangleText(before, step);
    } else {
        AppendPattern(out, step);
    }
    AppendRemovals(out, step, removedCells);
    AppendConsequence(out, before, step, removedCells);
}

}  // namespace

std::string StepAnswerText(const CandidateBoard& before, const Step& step) {
    if (IsSingle(step.technique))
        return SingleAnswerText(step);
    std::string out(Info(step.technique).name);
    out += ": ";
    AppendAnswerBody(out, before, step);
    return out;
}

void AppendStepTexts(std::string& out, const CandidateBoard& before, const Step& step) {
    if (IsSingle(step.technique)) {
        Line line;
        AppendSingleHint(line, step);
        line += ' ';
        AppendSingleAnswer(line, step, false);
        out += line.View();
        return;
    }
    out += StepHintText(step);
    out += ' ';
    AppendAnswerBody(out, before, step);
}

}  // namespace zw::techniques
