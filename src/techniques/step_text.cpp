#include "techniques/step_text.h"

#include <array>
#include <bit>
#include <cstring>
#include <string_view>

namespace zw::techniques {
namespace {

using namespace std::string_view_literals;

// Text gathered in a buffer on the stack and handed to its string when the buffer is full or
// the writer goes: an explanation has thousands of pieces, mostly short ones of known length,
// and a string's own append for each, let alone a temporary string, costs more than the
// writing. A single's line, most of every explanation, is known to fit (`kFits`), so its
// writer does not even check for room.
template <bool kFits>
class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    ~Writer() { Flush(); }

    Writer& operator+=(std::string_view text) {
        if (!kFits && size_ + text.size() > kRoom) [[unlikely]] {
            Flush();
            out_ += text;
            return *this;
        }
        std::memcpy(buffer_.data() + size_, text.data(), text.size());
        size_ += text.size();
        return *this;
    }
    Writer& operator+=(char c) {
        if (!kFits && size_ == kRoom) [[unlikely]]
            Flush();
        buffer_[size_++] = c;
        return *this;
    }
    void append(const char* text, std::size_t size) { *this += std::string_view(text, size); }
    // The first `size` characters of `text`, by a copy of the whole: quicker than one of
    // varying length.
    template <std::size_t N>
    void AppendFirst(const std::array<char, N>& text, std::size_t size) {
        if (!kFits && size_ + N > kRoom) [[unlikely]]
            Flush();
        std::memcpy(buffer_.data() + size_, text.data(), N);
        size_ += size;
    }

private:
    void Flush() {
        out_.append(buffer_.data(), size_);
        size_ = 0;
    }

    // A single's line is far shorter; a step's other texts seldom longer.
    static constexpr std::size_t kRoom = kFits ? 256 : 2048;
    std::string& out_;
    std::array<char, kRoom> buffer_;
    std::size_t size_ = 0;
};
using Line = Writer<true>;
using Text = Writer<false>;

template <class Out>
void AppendCell(Out& out, int cell) {
    char text[] = "Zeile ?, Spalte ?";
    text[6] = static_cast<char>('1' + Row(cell));
    text[16] = static_cast<char>('1' + Column(cell));
    out.append(text, sizeof text - 1);
}

// "Zeile 4", "Spalte 4" and "Block 4" for units 3, 12 and 21, looked up, as which kind a unit
// is follows no pattern a branch could learn, and copied as a whole word.
struct UnitName {
    std::array<char, 8> text;
    std::size_t size;
};
constexpr std::array<UnitName, kUnits> kUnitNames = [] {
    std::array<UnitName, kUnits> names{};
    for (int unit = 0; unit < kUnits; ++unit) {
        const std::string_view kind = unit < 9 ? "Zeile "sv : unit < 18 ? "Spalte "sv : "Block "sv;
        UnitName& name = names[static_cast<std::size_t>(unit)];
        for (std::size_t i = 0; i < kind.size(); ++i)
            name.text[i] = kind[i];
        name.text[kind.size()] = static_cast<char>('1' + unit % 9);
        name.size = kind.size() + 1;
    }
    return names;
}();

template <class Out>
void AppendUnit(Out& out, int unit) {
    const UnitName& name = kUnitNames[static_cast<std::size_t>(unit)];
    out.AppendFirst(name.text, name.size);
}

void AppendDigit(Text& out, int digit) {
    out += static_cast<char>('0' + digit);
}

// "a", "a und b", "a, b und c" (or "oder"): the members of a bit set in order, each written
// by `item` from its bit's number.
template <class Item>
void AppendList(Text& out, std::uint32_t bits, Item item, std::string_view last = " und "sv) {
    for (std::uint32_t rest = bits; rest; rest &= rest - 1) {
        if (rest != bits)
            out += OneBit(rest) ? last : ", "sv;
        item(std::countr_zero(rest));
    }
}

// "Zeile 1, Spalte 2, Zeile 1, Spalte 5 und Zeile 4, Spalte 5".
void AppendCells(Text& out, CellSet cells, std::string_view last = " und "sv) {
    for (bool first = true; !cells.Empty(); first = false) {
        const int cell = cells.PopFirst();
        if (!first)
            out += cells.Empty() ? last : ", "sv;
        AppendCell(out, cell);
    }
}

// The digits "die 1, die 2 und die 3", or after "mit" "der 8 und der 9".
void AppendDigits(Text& out, unsigned digits, std::string_view article = "die "sv) {
    AppendList(out, digits, [&](int bit) {
        out += article;
        AppendDigit(out, bit + 1);
    });
}

// Lines of one kind, bit u for unit u, as "den Zeilen 2 und 7" (or "die Zeilen ...").
void AppendLines(Text& out, std::uint32_t lines, std::string_view article) {
    out += article;
    out += lines & 0x1ff ? "Zeilen "sv : "Spalten "sv;
    AppendList(out, lines, [&](int unit) { AppendDigit(out, unit % 9 + 1); });
}

void AppendNode(Text& out, int node) {
    out += "die "sv;
    AppendDigit(out, NodeDigit(node));
    out += NodeOn(node) ? " in "sv : " nicht in "sv;
    AppendCell(out, NodeCell(node));
}

// "[1.2] ", and "[10.5] " without a branch: a rating under ten has its hundreds digit
// overwritten.
template <class Out>
void AppendRating(Out& out, int rating) {
    const int wide = rating >= 100;
    std::array<char, 8> text;
    text[0] = '[';
    text[1] = static_cast<char>('0' + rating / 100);
    text[1 + wide] = static_cast<char>('0' + rating / 10 % 10);
    text[2 + wide] = '.';
    text[3 + wide] = static_cast<char>('0' + rating % 10);
    text[4 + wide] = ']';
    text[5 + wide] = ' ';
    out.AppendFirst(text, static_cast<std::size_t>(6 + wide));
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
    // Each piece whole, of a length known here: a choice between two lengths costs a copy of
    // varying length.
    if (t == Technique::FullHouse)
        out += " ist nur noch eine Zelle frei."sv;
    else
        out += " passt eine Zahl nur an eine Stelle."sv;
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
    if (t == Technique::FullHouse) {
        out += " fehlt nur noch die "sv;
        out += digit;
        out += "; sie gehört in "sv;
    } else {
        out += " passt die "sv;
        out += digit;
        out += " nur in "sv;
    }
    AppendCell(out, step.placedCell);
    out += '.';
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
bool IsChain(Technique t) {
    return t == Technique::XChain || t == Technique::ForcingChain;
}
bool IsDynamicForcing(Technique t) {
    return t == Technique::DynamicCellForcing || t == Technique::DynamicUnitForcing ||
           t == Technique::DynamicForcingPlus || t == Technique::DynamicForcingNested;
}
bool IsForcingChains(Technique t) {
    return t == Technique::CellForcingChain || t == Technique::UnitForcingChain;
}

int OneDigit(const Step& step) {
    return std::countr_zero(step.digits) + 1;
}

// A step's removals, cell by cell and digit by digit.
struct Removals {
    CellSet cells;                     // the cells that lose candidates
    std::array<CellSet, 9> byDigit{};  // those that lose each digit, by digit index
    unsigned digits = 0;               // the digits lost anywhere
};

Removals FindRemovals(const Step& step) {
    Removals out;
    out.cells = step.RemovedCells();
    for (CellSet rest = out.cells; !rest.Empty();) {
        const int cell = rest.PopFirst();
        out.digits |= step.removed[cell];
        for (unsigned r = step.removed[cell]; r; r &= r - 1)
            out.byDigit[static_cast<std::size_t>(std::countr_zero(r))].Add(cell);
    }
    return out;
}

// Why a unique rectangle may not stay as it is, and which cells it leaves to decide.
void AppendRectangle(Text& out, const CandidateBoard& before, const Step& step, unsigned removed) {
    const CellSet corners = step.loop;
    CellSet extras;
    for (CellSet all = corners; !all.Empty();) {
        const int cell = all.PopFirst();
        if (before.Candidates(cell) != step.digits)
            extras.Add(cell);
    }
    out += "Die Zellen "sv;
    AppendCells(out, corners);
    out += " könnten alle nur "sv;
    AppendDigits(out, step.digits);
    out += " halten; dann ließen sich die beiden tauschen, und das SuDoKu hätte zwei Lösungen."sv;
    const int unit = std::countr_zero(step.units);
    switch (UniqueType(step.technique)) {
        case 1:
            out += " Also ist "sv;
            AppendCell(out, extras.First());
            out += " keine der beiden."sv;
            return;
        case 2:
            out += " Also steht "sv;
            AppendDigits(out, removed);
            out += " in "sv;
            AppendCells(out, extras, " oder "sv);
            out += '.';
            return;
        case 3:
            out += " Also hält "sv;
            AppendCells(out, extras);
            out += " eine ihrer anderen Zahlen; mit "sv;
            AppendCells(out, step.cells.Minus(corners));
            out += " bilden sie in "sv;
            AppendUnit(out, unit);
            out += " eine nackte Menge."sv;
            return;
        default:
            out += " In "sv;
            AppendUnit(out, unit);
            out += " steht "sv;
            AppendDigits(out, step.digits & ~removed);
            out += " nur in "sv;
            AppendCells(out, extras);
            out += ", also ist dort "sv;
            AppendDigits(out, removed);
            out += " ausgeschlossen."sv;
    }
}

// Why the cells beyond the grave must keep one of their extra digits, and what follows.
void AppendBug(Text& out, const CandidateBoard& before, const Step& step, unsigned removed) {
    const CellSet bugCells = step.loop;
    out += "Ohne "sv;
    AppendDigits(out, step.digits);
    out += " in "sv;
    AppendCells(out, bugCells);
    out += " hätte jede offene Zelle nur zwei Kandidaten, und jede Zahl passte in jede Einheit "
           "genau zweimal oder gar nicht; so ein Muster hat nie genau eine Lösung."sv;
    const int unit = std::countr_zero(step.units);
    switch (step.technique) {
        case Technique::Bug2:
            out += " Also steht "sv;
            AppendDigits(out, step.digits);
            out += " in "sv;
            AppendCells(out, bugCells, " oder "sv);
            out += '.';
            return;
        case Technique::Bug3:
            out += " Also hält eine dieser Zellen "sv;
            AppendDigits(out, step.digits);
            out += " ("sv;
            AppendCells(out, bugCells);
            out += " wirken wie eine Zelle mit diesen Zahlen); mit "sv;
            AppendCells(out, step.cells.Minus(bugCells));
            out += " bilden sie in "sv;
            AppendUnit(out, unit);
            out += " eine nackte Menge."sv;
            return;
        default: {
            unsigned both = kAllDigits;
            for (CellSet c = bugCells; !c.Empty();)
                both &= before.Candidates(c.PopFirst());
            out += " In "sv;
            AppendUnit(out, unit);
            out += " steht "sv;
            AppendDigits(out, both & ~step.digits & ~removed);
            out += " nur in "sv;
            AppendCells(out, bugCells);
            out += "; die Zelle, die sie nicht hält, hält ihre Zahl außerhalb des Musters. Also "
                   "hält keine der beiden ihre dritte Zahl."sv;
        }
    }
}

// The chain link by link, each "on" link with what forces it, so a player can follow it on
// paper: "Stünde die 5 in A, dann stünde die 5 nicht in B, also die 5 in C (der andere
// Platz in Zeile 2), ... also die 5 nicht in A."
void AppendChain(Text& out, const CandidateBoard& before, const Step& step, int from, int length) {
    out += "Stünde "sv;
    AppendNode(out, step.chain[from]);
    out += ", dann stünde "sv;
    for (int i = from + 1; i < from + length; ++i) {
        const int node = step.chain[i], previous = step.chain[i - 1];
        if (i != from + 1)
            out += ", also "sv;
        AppendNode(out, node);
        if (!NodeOn(node))
            continue;
        if (NodeCell(node) == NodeCell(previous)) {
            out += " (die andere Zahl der Zelle)"sv;
            continue;
        }
        for (int unit : kUnitTables.units[NodeCell(node)]) {
            if (kUnitTables.unitSets[unit].Has(NodeCell(previous)) &&
                Count9(before.Positions(unit, NodeDigit(node))) == 2) {
                out += " (der andere Platz in "sv;
                AppendUnit(out, unit);
                out += ')';
                break;
            }
        }
    }
    out += length == step.chainLength ? ". Die Annahme widerlegt sich selbst."sv : "."sv;
}

// The cell or the unit whose every choice a forcing chain or a dynamic step tries, in the
// words of `cellLead` or `unitLead`, then `tail`: "Welche Zahl auch in A steht", "Wo auch
// immer die 5 in Zeile 2 steht".
void AppendSource(Text& out, const Step& step, bool inCell, std::string_view cellLead,
                  std::string_view unitLead, std::string_view tail) {
    if (inCell) {
        out += cellLead;
        AppendCell(out, NodeCell(step.chain[0]));
    } else {
        out += unitLead;
        AppendDigit(out, NodeDigit(step.chain[0]));
        out += " in "sv;
        AppendUnit(out, std::countr_zero(step.units));
    }
    out += tail;
}
void AppendChoices(Text& out, const Step& step, bool inCell) {
    AppendSource(out, step, inCell, "Welche Zahl auch in "sv, "Wo auch immer die "sv, " steht"sv);
}

// Each choice of the cell or unit, one branch each, and the result they share.
void AppendBranches(Text& out, const CandidateBoard& before, const Step& step) {
    AppendChoices(out, step, step.technique == Technique::CellForcingChain);
    out += ", es folgt dasselbe."sv;
    for (int i = 0, at = 0; i < step.branchCount; at += step.branchLengths[i++]) {
        out += ' ';
        if (step.branchLengths[i] == 1) {
            out += "Stünde die "sv;
            AppendDigit(out, NodeDigit(step.chain[at]));
            out += " in "sv;
            AppendCell(out, NodeCell(step.chain[at]));
            out += ", wäre das schon das Ergebnis."sv;
        } else {
            AppendChain(out, before, step, at, step.branchLengths[i]);
        }
    }
    out += " In jedem Fall steht "sv;
    AppendNode(out, step.chain[step.branchLengths[0] - 1]);
    out += '.';
}

// Nodes of a chain from `from` on, "A, B, ...": what follows from a step's assumption.
void AppendFollowing(Text& out, const Step& step, int from, int to) {
    for (int i = from; i < to; ++i) {
        out += i == from ? " "sv : ", "sv;
        AppendNode(out, step.chain[i]);
    }
}

// A cycle's nodes in order and back to the first: "A, also B, ..., also wieder A".
void AppendRing(Text& out, const Step& step) {
    AppendNode(out, step.chain[0]);
    for (int i = 1; i < step.chainLength; ++i) {
        out += ", also "sv;
        AppendNode(out, step.chain[i]);
    }
    out += ", also wieder "sv;
    AppendNode(out, step.chain[0]);
}

// What the pattern says, before its removals.
void AppendPattern(Text& out, const Step& step, const Removals& removals) {
    const Technique t = step.technique;
    const std::uint32_t lines = step.units & ((1u << 18) - 1), boxes = step.units >> 18;
    if (IsIntersection(t)) {
        const int box = 18 + std::countr_zero(boxes), line = std::countr_zero(lines);
        out += "In "sv;
        AppendUnit(out, IsPointing(t) ? box : line);
        out += " steht die "sv;
        AppendDigit(out, OneDigit(step));
        out += " nur in "sv;
        AppendUnit(out, IsPointing(t) ? line : box);
        out += '.';
        return;
    }
    if (IsBentSet(t)) {
        const unsigned removed = removals.digits;
        // One removed digit: the one that may stand twice; several: each is bound to the cells.
        out += "Die "sv;
        AppendDigit(out, step.cells.Count());  // four to six
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
        const std::uint32_t rows = step.units & 0x1ff, columns = step.units & 0x1ff << 9;
        // The pattern's cells lie where base and cover lines cross; the removals lie in the
        // cover lines only, so the base lines are the kind that holds none of them.
        CellSet inRows;
        for (std::uint32_t rest = rows; rest; rest &= rest - 1)
            inRows |= kUnitTables.unitSets[std::countr_zero(rest)];
        const bool byRows = (removals.cells & inRows).Empty();
        out += "In "sv;
        AppendLines(out, byRows ? rows : columns, "den "sv);
        out += " steht die "sv;
        AppendDigit(out, OneDigit(step));
        out += " nur in "sv;
        AppendLines(out, byRows ? columns : rows, "den "sv);
        out += '.';
        return;
    }
    if (t == Technique::Bug1) {
        out += "Alle offenen Zellen außer "sv;
        AppendCell(out, step.cells.First());
        out += " haben nur zwei Kandidaten, und jede Zahl passt in jede Einheit genau zweimal, "
               "nur die "sv;
        AppendDigit(out, OneDigit(step));
        out += " dreimal. Ohne sie hätte das SuDoKu keine eindeutige Lösung; also gehört sie "
               "dorthin."sv;
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
        AppendDigit(out, OneDigit(step));
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
void AppendRemovals(Text& out, const Removals& removals) {
    for (unsigned digits = removals.digits; digits; digits &= digits - 1) {
        const int d = std::countr_zero(digits);
        out += " Die "sv;
        AppendDigit(out, d + 1);
        out += " fällt in "sv;
        AppendCells(out, removals.byDigit[static_cast<std::size_t>(d)]);
        out += " weg."sv;
    }
}

// What the removals lead to: a digit with one place left in a unit of a removed cell, or a
// removed cell with one digit left.
void AppendConsequence(Text& out, const CandidateBoard& before, const Step& step,
                       const Removals& removals) {
    auto onePlace = [&](int digit, int unit, int cell) {
        out += " Damit bleibt für die "sv;
        AppendDigit(out, digit);
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
    for (CellSet rest = removals.cells; !rest.Empty();) {
        const int cell = rest.PopFirst();
        for (unsigned r = step.removed[cell]; r; r &= r - 1) {
            const int d = std::countr_zero(r);
            const CellSet left =
                before.Plane(d + 1).Minus(removals.byDigit[static_cast<std::size_t>(d)]);
            for (int unit : kUnitTables.units[cell]) {
                const CellSet places = left & kUnitTables.unitSets[unit];
                if (places.Single())
                    return onePlace(d + 1, unit, places.First());
            }
        }
    }
    for (CellSet rest = removals.cells; !rest.Empty();) {
        const int cell = rest.PopFirst();
        const unsigned left = before.Candidates(cell) & ~step.removed[cell];
        if (OneBit(left)) {
            out += " Damit passt in "sv;
            AppendCell(out, cell);
            out += " nur noch die "sv;
            AppendDigit(out, std::countr_zero(left) + 1);
            out += '.';
            return;
        }
    }
    out += " Das streicht nur Kandidaten; der nächste Tipp geht von dort aus weiter."sv;
}

// ": Probiere jede Zahl in A durch" or ": Probiere jeden Platz der 5 in Zeile 2 durch".
void AppendTryEach(Text& out, const Step& step, bool inCell) {
    AppendSource(out, step, inCell, ": Probiere jede Zahl in "sv, ": Probiere jeden Platz der "sv,
                 " durch"sv);
}

// The first stage: the technique and where to look.
void AppendHint(Text& out, const Step& step) {
    const Technique t = step.technique;
    if (IsSingle(t))
        return AppendSingleHint(out, step);
    out += Info(t).name;
    const int firstCell = NodeCell(step.chain[0]), firstDigit = NodeDigit(step.chain[0]);
    if (IsFish(t)) {
        out += " mit der "sv;
        AppendDigit(out, OneDigit(step));
        out += ": Schau auf "sv;
        AppendLines(out, step.units & 0x1ff, "die "sv);
        out += " und "sv;
        AppendLines(out, step.units & 0x1ff << 9, "die "sv);
        out += '.';
    } else if (IsDynamicForcing(t)) {
        // Plus and nested try a cell's digits or a digit's places.
        const bool inCell = t == Technique::DynamicCellForcing ||
                            (t != Technique::DynamicUnitForcing && step.units == 0);
        AppendTryEach(out, step, inCell);
        out += inCell ? " und trage jeweils ein, was folgt."sv
                      : " und trage jeweils die Einer ein, die folgen."sv;
    } else if (t == Technique::DynamicContradiction || t == Technique::Nishio) {
        out += ": Setze probeweise die "sv;
        AppendDigit(out, firstDigit);
        out += " in "sv;
        AppendCell(out, firstCell);
        out += t == Technique::Nishio ? " und verfolge nur diese Zahl."sv
                                      : " und trage die Einer ein, die folgen."sv;
    } else if (IsForcingChains(t)) {
        AppendTryEach(out, step, t == Technique::CellForcingChain);
        out += '.';
    } else if (IsChain(t)) {
        out += ": Nimm an, die "sv;
        AppendDigit(out, firstDigit);
        out += NodeOn(step.chain[0]) ? " stünde in "sv : " stünde nicht in "sv;
        AppendCell(out, firstCell);
        out += ", und folge den Folgen."sv;
    } else if (t == Technique::AlignedPairExclusion || t == Technique::AlignedTripletExclusion) {
        out += ": Schau auf "sv;
        AppendCells(out, step.loop);
        out += t == Technique::AlignedPairExclusion
                   ? " und die Zellen mit zwei Zahlen, die beide sehen."sv
                   : " und die Zellen mit zwei oder drei Zahlen, die alle drei sehen."sv;
    } else if (t == Technique::XCycle || IsStrongLinks(t)) {
        out += " mit der "sv;
        AppendDigit(out, OneDigit(step));
        out += ": Schau auf "sv;
        AppendCells(out, step.cells);
        out += '.';
    } else if (t == Technique::YCycle) {
        out += ": Schau auf die Zellen mit zwei Zahlen "sv;
        AppendCells(out, step.cells);
        out += '.';
    } else if (IsWing(t) || IsBentSet(t) || IsBug(t)) {
        out += ": Schau auf "sv;
        AppendCells(out, step.cells);
        out += '.';
    } else if (IsRectangle(t)) {
        out += " mit "sv;
        AppendDigits(out, step.digits, "der "sv);
        out += ": Schau auf "sv;
        AppendCells(out, step.cells);
        out += '.';
    } else {
        if (IsIntersection(t)) {
            out += " mit der "sv;
            AppendDigit(out, OneDigit(step));
        }
        out += ": Schau auf "sv;
        AppendList(out, step.units, [&](int u) { AppendUnit(out, u); });
        out += '.';
    }
}

// A step's answer after its "Name: ".
void AppendAnswerBody(Text& out, const CandidateBoard& before, const Step& step) {
    const Technique t = step.technique;
    const Removals removals = FindRemovals(step);
    if (IsDynamicForcing(t)) {
        AppendChoices(out, step, step.units == 0);
        out += t == Technique::DynamicForcingNested
                   ? ", es folgt dasselbe, wenn man nacheinander die Einer einträgt und, wo "
                     "keiner mehr folgt, mit Schnitten, Paaren und Ketten Kandidaten streicht."sv
               : t == Technique::DynamicForcingPlus
                   ? ", es folgt dasselbe, wenn man nacheinander die Einer einträgt und, wo "
                     "keiner mehr folgt, mit Schnitten und Paaren Kandidaten streicht."sv
                   : ", es folgt dasselbe, wenn man die Einer nacheinander einträgt."sv;
        for (int i = 0, at = 0; i < step.branchCount; at += step.branchLengths[i++]) {
            out += " Steht "sv;
            AppendNode(out, step.chain[at]);
            out += ':';
            AppendFollowing(out, step, at + 1, at + step.branchLengths[i]);
            out += step.branchLengths[i] == 1 ? " Dann ist es schon so."sv : "."sv;
        }
        if (step.placedCell >= 0) {
            out += " In jedem Fall steht die "sv;
            AppendDigit(out, step.placedDigit);
            out += " in "sv;
            AppendCell(out, step.placedCell);
        } else {
            out += " In jedem Fall ist die "sv;
            AppendDigit(out, OneDigit(step));
            out += " danach aus ihrer Zelle verschwunden"sv;
        }
        out += " (oder der Fall führt zu einem Widerspruch)."sv;
        AppendRemovals(out, removals);
        if (step.placedCell < 0)
            AppendConsequence(out, before, step, removals);
        return;
    }
    if (t == Technique::DynamicContradiction || t == Technique::Nishio) {
        out += "Stünde die "sv;
        AppendDigit(out, NodeDigit(step.chain[0]));
        out += " in "sv;
        AppendCell(out, NodeCell(step.chain[0]));
        out += ", dann folgten nacheinander"sv;
        AppendFollowing(out, step, 1, step.chainLength);
        if (step.chainLength == 1)
            out += " nichts weiter"sv;
        if (step.emptyCell >= 0) {
            out += "; dann bliebe für "sv;
            AppendCell(out, step.emptyCell);
            out += " keine Zahl mehr."sv;
        } else {
            out += "; dann bliebe für die "sv;
            AppendDigit(out, step.emptyDigit);
            out += " in "sv;
            AppendUnit(out, step.emptyUnit);
            out += " kein Platz mehr."sv;
        }
        AppendRemovals(out, removals);
        AppendConsequence(out, before, step, removals);
        return;
    }
    if (IsForcingChains(t)) {
        AppendBranches(out, before, step);
        AppendRemovals(out, removals);
        if (step.placedCell < 0)
            AppendConsequence(out, before, step, removals);
        return;
    }
    if (t == Technique::AlignedPairExclusion) {
        const CellSet pair = step.loop;
        AppendCells(out, pair);
        out += " können kein Zahlenpaar tragen, das eine der Zellen "sv;
        AppendCells(out, step.cells.Minus(pair));
        out += " (je zwei Zahlen, jede sieht beide) leer ließe"sv;
        if (Sees(pair.First(), pair.Minus(CellSet::Of(pair.First())).First()))
            out += ", und nicht zweimal dieselbe Zahl"sv;
        out += "; zu den folgenden Zahlen bleibt kein mögliches Paar."sv;
    } else if (t == Technique::AlignedTripletExclusion) {
        AppendCells(out, step.loop);
        out += " können keine Zahlen tragen, die einer der Zellen "sv;
        AppendCells(out, step.cells.Minus(step.loop));
        out += " (je zwei oder drei Zahlen, jede sieht alle drei) alle Zahlen nähmen, und "
               "keine Zahl zweimal in einer Einheit; zu den folgenden Zahlen bleibt keine "
               "mögliche Wahl."sv;
    } else if (t == Technique::XCycle) {
        out += "Die "sv;
        AppendDigit(out, OneDigit(step));
        out += " läuft im Kreis: "sv;
        AppendRing(out, step);
        out += ". Ob die erste Zelle sie hält oder nicht: Von je zwei Nachbarn im Kreis hält "
               "sie genau einer."sv;
    } else if (t == Technique::YCycle) {
        out += "Die Zellen bilden einen Kreis: "sv;
        AppendRing(out, step);
        out += ". Andersherum gilt dasselbe: Von je zwei Nachbarn im Kreis hält genau einer die "
               "Zahl, die sie teilen."sv;
    } else if (t == Technique::Bug2 || t == Technique::Bug3 || t == Technique::Bug4) {
        AppendBug(out, before, step, removals.digits);
    } else if (IsChain(t)) {
        AppendChain(out, before, step, 0, step.chainLength);
        if (step.placedCell >= 0) {
            out += " Also gehört die "sv;
            AppendDigit(out, step.placedDigit);
            out += " in "sv;
            AppendCell(out, step.placedCell);
            out += '.';
            return;
        }
    } else if (IsRectangle(t)) {
        AppendRectangle(out, before, step, removals.digits);
    } else {
        AppendPattern(out, step, removals);
    }
    AppendRemovals(out, removals);
    AppendConsequence(out, before, step, removals);
}

}  // namespace

std::string StepHintText(const Step& step) {
    std::string out;
    {
        Text writer(out);
        AppendHint(writer, step);
    }
    return out;
}

std::string StepAnswerText(const CandidateBoard& before, const Step& step) {
    std::string out;
    {
        Text writer(out);
        if (IsSingle(step.technique)) {
            AppendSingleAnswer(writer, step, true);
        } else {
            writer += Info(step.technique).name;
            writer += ": "sv;
            AppendAnswerBody(writer, before, step);
        }
    }
    return out;
}

void AppendStepLine(std::string& out, const CandidateBoard& before, const Step& step) {
    if (IsSingle(step.technique)) {
        Line line(out);
        AppendRating(line, step.Rating());
        AppendSingleHint(line, step);
        line += ' ';
        AppendSingleAnswer(line, step, false);
        line += '\n';
        return;
    }
    Text text(out);
    AppendRating(text, step.Rating());
    AppendHint(text, step);
    text += ' ';
    AppendAnswerBody(text, before, step);
    text += '\n';
}

}  // namespace zw::techniques
