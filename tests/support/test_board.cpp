#include "support/test_board.h"

#include <fstream>
#include <stdexcept>

namespace zw::test {

std::string CellTexts(const Grid& grid) {
    std::string out;
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            out += grid.Text(r, c);
            out += c == 8 ? "\n" : "|";
        }
    }
    return out;
}

std::vector<std::string> ReadPuzzleLines(const std::string& path, std::size_t max) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read the puzzle set " + path);
    std::string line;
    while (std::getline(in, line) && (max == 0 || lines.size() < max)) {
        if (line.size() >= 81)
            lines.push_back(line.substr(0, 81));
    }
    if (lines.empty())
        throw std::runtime_error("no puzzle in " + path);
    return lines;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> LogMessages(const frmMain& form) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < form.List1.lines.Count(); ++i) {
        const std::string_view line = form.List1.lines[i];
        const auto tab = line.find('\t');
        out.emplace_back(tab == std::string_view::npos ? line : line.substr(tab + 1));
    }
    return out;
}

}  // namespace zw::test
