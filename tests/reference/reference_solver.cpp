#include "reference/reference_solver.h"

#include <algorithm>
#include <cmath>

namespace zw::reference {
namespace {

using Unit = std::array<int, 9>;  // cell numbers, row by row

enum Kind { Row, Col, Box };
Unit UnitOf(Kind kind, int cell) {
    Unit u;
    for (int k = 0; k < 9; ++k)
        u[k] = kind == Row ? cell / 9 * 9 + k
               : kind == Col ? k * 9 + cell % 9
                             : cell / 27 * 27 + cell % 9 / 3 * 3 + k / 3 * 9 + k % 3;
    return u;
}

bool Placed(const std::string& text) {
    return text.size() == 1;
}

bool CouldHold(const std::string& text, char d) {
    return text.empty() || text.find(d) != std::string::npos;
}

std::string Candidates(const Board& b, int cell) {
    if (Placed(b[cell]))
        return b[cell];
    std::string s = "123456789";
    const Unit row = UnitOf(Row, cell), col = UnitOf(Col, cell);
    for (int k = 0; k < 9; ++k) {  // row and column side by side, done once one digit is left
        for (int other : {row[k], col[k]})
            if (other != cell && Placed(b[other]))
                std::erase(s, b[other][0]);
        if (s.size() == 1)
            return s;
    }
    for (int other : UnitOf(Box, cell))
        if (other != cell && Placed(b[other]))
            std::erase(s, b[other][0]);
    return s;
}

// The naked single, else the first candidate no other cell of the box, then of the column,
// then of the row could hold.
std::string Resolve(const Board& b, int cell) {
    const std::string s = Candidates(b, cell);
    if (s.size() == 1)
        return s;
    for (const Unit& unit : {UnitOf(Box, cell), UnitOf(Col, cell), UnitOf(Row, cell)}) {
        for (char d : s) {
            bool elsewhere = false;
            for (int other : unit)
                elsewhere = elsewhere || (other != cell && CouldHold(b[other], d));
            if (!elsewhere)
                return std::string(1, d);
        }
    }
    return s;
}

int UpdateCandidates(Board& b) {
    int count = 0;
    for (int cell = 0; cell < 81; ++cell) {
        if (Placed(b[cell]))
            continue;
        const std::string s = Resolve(b, cell);
        if (s != b[cell] && (b[cell].empty() || s.size() < b[cell].size())) {
            b[cell] = s;
            ++count;
        }
    }
    return count;
}

// A cell whose two candidates another cell of a unit has too: the unit's other cells with two
// or more candidates lose both digits, and the partner's units are cleared too (one level).
int EliminatePair(Board& b, int cell, bool nested) {
    const std::string x = b[cell];
    if (x.size() != 2)
        return 0;
    int count = 0;
    for (const Unit& unit : {UnitOf(Row, cell), UnitOf(Col, cell), UnitOf(Box, cell)}) {
        for (int partner : unit) {
            if (partner == cell || b[partner] != x)
                continue;
            if (!nested)
                count += EliminatePair(b, partner, true);
            for (int other : unit) {
                if (b[other] == x || b[other].size() < 2)
                    continue;
                for (char d : x)
                    count += static_cast<int>(std::erase(b[other], d));
            }
        }
    }
    return count;
}

int ApplyPairs(Board& b) {
    int total = 0;
    for (int cell = 0; cell < 81; ++cell)
        total += EliminatePair(b, cell, false);
    return total;
}

// Every unit's placed texts are distinct digits.
bool RulesOk(const Board& b) {
    for (int k = 0; k < 9; ++k) {
        for (const Unit& unit :
             {UnitOf(Row, k * 9), UnitOf(Col, k), UnitOf(Box, k / 3 * 27 + k % 3 * 3)}) {
            std::string placed;
            for (int cell : unit) {
                if (!Placed(b[cell]))
                    continue;
                if (b[cell][0] < '1' || b[cell][0] > '9' || placed.find(b[cell]) != std::string::npos)
                    return false;
                placed += b[cell];
            }
        }
    }
    return true;
}

int CountOpen(const Board& b) {
    return static_cast<int>(std::count_if(b.begin(), b.end(), [](auto& t) { return !Placed(t); }));
}

std::string BoardString(const Board& b) {  // column by column
    std::string s;
    for (int k = 0; k < 81; ++k) {
        const std::string& t = b[k % 9 * 9 + k / 9];
        s += Placed(t) && t[0] >= '0' && t[0] <= '9' ? t[0] : ' ';
    }
    return s;
}

void BackTrack(Board& b, std::string& loes, long long& num, long long max,
               const std::function<double()>& random) {
    auto limit = [&] { return max > 0 && num >= max; };
    if (limit())
        return;
    const Board saved = b;
    [&] {
        while (UpdateCandidates(b) != 0) {
        }
        if (!RulesOk(b))
            return;
        const std::string s = BoardString(b);
        if (s.find(' ') == std::string::npos) {
            if (loes.find(s) == std::string::npos) {
                loes += s + "\r\n";
                ++num;
            }
            return;
        }
        if (limit())
            return;
        int best = -1;
        for (int cell = 0; cell < 81; ++cell)
            if (b[cell].size() > 1 && (best < 0 || b[cell].size() < b[best].size()))
                best = cell;
        if (best < 0)
            return;
        std::string cand = b[best];
        while (!cand.empty() && !limit()) {
            const auto k = random ? static_cast<std::size_t>(std::nearbyint(
                                        random() * static_cast<double>(cand.size() - 1)))
                                  : 0;
            b[best] = std::string(1, cand[k]);
            BackTrack(b, loes, num, max, random);
            cand.erase(k, 1);
        }
    }();
    b = saved;
}

}  // namespace

Board FromRows(const std::string& rows) {
    Board b;
    for (std::size_t i = 0; i < 81 && i < rows.size(); ++i)
        if (rows[i] >= '1' && rows[i] <= '9')
            b[i] = std::string(1, rows[i]);
    return b;
}

bool SolveLogical(Board& b) {
    auto solved = [&] { return CountOpen(b) == 0 && RulesOk(b); };
    while (!solved()) {
        int singles = 0;
        for (int found = UpdateCandidates(b); found != 0; found = UpdateCandidates(b))
            singles += found;
        if (CountOpen(b) == 0)
            break;
        while (ApplyPairs(b) != 0) {
        }
        if (singles == 0)
            return false;
    }
    return solved();
}

long long myBT(Board& b, std::string& loesungen, long long max,
               const std::function<double()>& random) {
    long long num = 0;
    BackTrack(b, loesungen, num, max, random);
    return num;
}

}  // namespace zw::reference
