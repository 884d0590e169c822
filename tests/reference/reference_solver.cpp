#include "reference/reference_solver.h"

#include <cmath>

namespace zw::reference {

namespace {

void DeleteAll(std::string& s, char ch) {
    std::string out;
    for (char x : s) {
        if (x != ch)
            out += x;
    }
    s = out;
}

bool CouldHold(const std::string& text, char d) {
    return text.empty() || text.find(d) != std::string::npos;
}

// Apply the elimination of one partner over one unit's cells.
int EliminateOver(Board& b, const std::string& x, const std::array<std::pair<int, int>, 9>& unit) {
    int count = 0;
    for (auto [r, c] : unit) {
        std::string& y = b.At(r, c);
        if (y != x && y.size() >= 2) {
            for (char d : x) {
                const std::string before = y;
                DeleteAll(y, d);
                if (y != before)
                    ++count;
            }
        }
    }
    return count;
}

std::array<std::pair<int, int>, 9> RowCells(int row) {
    std::array<std::pair<int, int>, 9> u;
    for (int k = 0; k < 9; ++k)
        u[static_cast<std::size_t>(k)] = {row, k};
    return u;
}
std::array<std::pair<int, int>, 9> ColCells(int col) {
    std::array<std::pair<int, int>, 9> u;
    for (int k = 0; k < 9; ++k)
        u[static_cast<std::size_t>(k)] = {k, col};
    return u;
}
std::array<std::pair<int, int>, 9> BoxCells(int row, int col) {
    std::array<std::pair<int, int>, 9> u;
    const int r0 = 3 * (row / 3), c0 = 3 * (col / 3);
    std::size_t i = 0;
    for (int r = r0; r < r0 + 3; ++r) {
        for (int c = c0; c < c0 + 3; ++c)
            u[i++] = {r, c};
    }
    return u;
}

}  // namespace

Board FromRows(const std::string& rows) {
    Board b;
    for (int i = 0; i < 81 && i < static_cast<int>(rows.size()); ++i) {
        const char ch = rows[static_cast<std::size_t>(i)];
        if (ch >= '1' && ch <= '9')
            b.At(i / 9, i % 9) = std::string(1, ch);
    }
    return b;
}

std::string BoardString(const Board& b) {
    std::string s;
    for (int k = 0; k < 81; ++k) {
        const std::string& t = b.At(k % 9, k / 9);
        s += t.size() == 1 && t[0] >= '0' && t[0] <= '9' ? t[0] : ' ';
    }
    return s;
}

std::string GetCandidates(const Board& b, int row, int col) {
    if (b.At(row, col).size() == 1)
        return b.At(row, col);
    std::string s = "123456789";
    for (int i = 0; i < 9; ++i) {
        if (i != col && b.At(row, i).size() == 1)
            DeleteAll(s, b.At(row, i)[0]);
        if (i != row && b.At(i, col).size() == 1)
            DeleteAll(s, b.At(i, col)[0]);
        if (s.size() == 1)
            return s;
    }
    for (auto [r, c] : BoxCells(row, col)) {
        if ((r != row || c != col) && b.At(r, c).size() == 1)
            DeleteAll(s, b.At(r, c)[0]);
    }
    return s;
}

std::string ResolveCell(const Board& b, int row, int col) {
    if (b.At(row, col).size() == 1)
        return b.At(row, col);
    const std::string s = GetCandidates(b, row, col);
    if (s.size() == 1)
        return s;
    for (char d : s) {
        bool other = false;
        for (auto [r, c] : BoxCells(row, col)) {
            if ((r != row || c != col) && CouldHold(b.At(r, c), d))
                other = true;
        }
        if (!other)
            return std::string(1, d);
    }
    for (char d : s) {
        bool other = false;
        for (int i = 0; i < 9; ++i) {
            if (i != row && CouldHold(b.At(i, col), d))
                other = true;
        }
        if (!other)
            return std::string(1, d);
    }
    for (char d : s) {
        bool other = false;
        for (int j = 0; j < 9; ++j) {
            if (j != col && CouldHold(b.At(row, j), d))
                other = true;
        }
        if (!other)
            return std::string(1, d);
    }
    return s;
}

int UpdateCandidates(Board& b) {
    int count = 0;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            if (b.At(r, c).size() == 1)
                continue;
            const std::string s = ResolveCell(b, r, c);
            const std::string t = b.At(r, c);
            if (s != t && (t.empty() || s.size() < t.size())) {
                b.At(r, c) = s;
                ++count;
            }
        }
    }
    return count;
}

int EliminatePair(Board& b, int row, int col, bool nested) {
    int count = 0;
    const std::string x = b.At(row, col);
    if (x.size() != 2)
        return 0;
    for (int j = 0; j < 9; ++j) {
        if (j != col && b.At(row, j) == x) {
            if (!nested)
                count += EliminatePair(b, row, j, true);
            count += EliminateOver(b, x, RowCells(row));
        }
    }
    for (int i = 0; i < 9; ++i) {
        if (i != row && b.At(i, col) == x) {
            if (!nested)
                count += EliminatePair(b, i, col, true);
            count += EliminateOver(b, x, ColCells(col));
        }
    }
    for (auto [r, c] : BoxCells(row, col)) {
        if ((r != row || c != col) && b.At(r, c) == x) {
            if (!nested)
                count += EliminatePair(b, r, c, true);
            count += EliminateOver(b, x, BoxCells(row, col));
        }
    }
    return count;
}

int ApplyPairs(Board& b) {
    int total = 0;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c)
            total += EliminatePair(b, r, c, false);
    }
    return total;
}

bool RulesOk(const Board& b) {
    std::array<std::string, 9> R, C, B;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const std::string& t = b.At(r, c);
            if (t.size() != 1)
                continue;
            R[static_cast<std::size_t>(r)] += t;
            C[static_cast<std::size_t>(c)] += t;
            B[static_cast<std::size_t>(r / 3 + 3 * (c / 3))] += t;
        }
    }
    bool ok = true;
    for (std::size_t k = 0; k < 9; ++k) {
        for (char d = '1'; d <= '9'; ++d) {
            for (std::string* s : {&R[k], &C[k], &B[k]}) {
                const auto pos = s->find(d);
                if (pos != std::string::npos)
                    s->erase(pos, 1);
            }
        }
        if (!R[k].empty() || !C[k].empty() || !B[k].empty())
            ok = false;
    }
    return ok;
}

int CountOpenCells(const Board& b) {
    int n = 0;
    for (const std::string& t : b.cells) {
        if (t.size() != 1)
            ++n;
    }
    return n;
}

bool SolveLogical(Board& b, const Hooks& h) {
    auto cancelled = [&] { return h.cancel && *h.cancel; };
    auto solved = [&] { return CountOpenCells(b) == 0 && RulesOk(b); };
    if (cancelled())
        return false;
    for (;;) {
        if (solved())
            break;
        if (cancelled())
            return false;
        int a = UpdateCandidates(b);
        int last = a;
        while (last != 0) {
            last = UpdateCandidates(b);
            a += last;
            h.doEvents();
            if (cancelled())
                return false;
        }
        if (CountOpenCells(b) == 0)
            break;
        int c = ApplyPairs(b);
        while (c != 0) {
            c = ApplyPairs(b);
            h.doEvents();
            if (cancelled())
                return false;
        }
        if (a == 0)
            return false;
    }
    return solved();
}

namespace {

void BackTrack(Board& b, std::string& loes, long long& num, long long max, bool useRandom,
               const Hooks& h) {
    auto cancelled = [&] { return h.cancel && *h.cancel; };
    auto limit = [&] { return max > 0 && num >= max; };
    if (cancelled())
        return;
    if (limit())
        return;
    const Board saved = b;
    [&] {
        if (cancelled())
            return;
        while (UpdateCandidates(b) != 0) {
            if (cancelled())
                return;
        }
        h.doEvents();
        if (!RulesOk(b))
            return;
        if (cancelled())
            return;
        const std::string s = BoardString(b);
        if (s.find(' ') == std::string::npos) {
            if (RulesOk(b) && loes.find(s) == std::string::npos) {
                loes += s + "\r\n";
                ++num;
            }
            return;
        }
        if (cancelled() || limit())
            return;
        int br = -1, bc = -1;
        std::size_t best = 10;
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < 9; ++c) {
                const std::size_t len = b.At(r, c).size();
                if (len > 1 && len < best) {
                    br = r, bc = c, best = len;
                }
            }
        }
        if (br < 0 || cancelled())
            return;
        std::string cand = b.At(br, bc);
        const std::string keep = cand;
        while (!cand.empty()) {
            std::size_t k = 0;
            if (useRandom) {
                const double x = h.random() * static_cast<double>(cand.size() - 1);
                k = static_cast<std::size_t>(std::nearbyint(x));
            }
            if (limit())
                return;
            b.At(br, bc) = std::string(1, cand[k]);
            BackTrack(b, loes, num, max, useRandom, h);
            cand.erase(k, 1);
        }
        b.At(br, bc) = keep;
    }();
    b = saved;
}

}  // namespace

long long myBT(Board& b, std::string& loesungen, long long max, bool useRandom, const Hooks& h) {
    long long num = 0;
    BackTrack(b, loesungen, num, max, useRandom, h);
    return num;
}

}  // namespace zw::reference
