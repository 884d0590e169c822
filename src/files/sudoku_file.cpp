#include "files/sudoku_file.h"

#include <cstring>
#include <type_traits>

#include "board/board_string.h"
#include "files/cp1252.h"

namespace zw {

namespace {

constexpr std::size_t kSnapshotBytes = kBoardStringLength;  // one byte per character

// Position of the next CR LF at or after `from`, npos when there is none.
std::size_t FindCrLf(std::string_view content, std::size_t from) {
    while (from < content.size()) {
        const void* cr = std::memchr(content.data() + from, '\r', content.size() - from);
        if (cr == nullptr)
            return std::string_view::npos;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - content.data());
        if (at + 1 < content.size() && content[at + 1] == '\n')
            return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

// Calls visit(piece) for every piece of the content in order, until a visit that answers
// false. A content without any CR LF but with LF had its line ends converted: it is split at LF
// instead.
template <typename Visit>
void ForEachPiece(std::string_view content, Visit visit) {
    if (content.empty())
        return;
    auto more = [&](std::string_view piece) {
        if constexpr (std::is_same_v<decltype(visit(piece)), bool>) {
            return visit(piece);
        } else {
            visit(piece);
            return true;
        }
    };
    const bool lf = FindCrLf(content, 0) == std::string_view::npos &&
                    content.find('\n') != std::string_view::npos;
    const std::size_t endSize = lf ? 1 : kCrLf.size();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = lf ? content.find('\n', start) : FindCrLf(content, start);
        if (end == std::string_view::npos) {
            more(content.substr(start));
            return;
        }
        if (!more(content.substr(start, end - start)))
            return;
        start = end + endSize;
    }
}

}  // namespace

std::size_t CountPieces(std::string_view content) {
    std::size_t pieces = 0;
    ForEachPiece(content, [&](std::string_view) { ++pieces; });
    return pieces;
}

bool HoldsBoardLine(std::string_view content) {
    bool found = false;
    ForEachPiece(content, [&](std::string_view piece) {
        found = piece.size() >= kSnapshotBytes &&
                piece.substr(0, kSnapshotBytes).find_first_not_of(" 0123456789") ==
                    std::string_view::npos;
        return !found;
    });
    return found;
}

void ReadPuzzleContent(std::string_view content, TextList& lines, TextList& snapshots,
                       const FileProgress& progress) {
    const std::size_t pieces = CountPieces(content);
    const std::size_t last = pieces == 0 ? 0 : pieces - 1;
    std::size_t index = 0;
    std::string text;
    ForEachPiece(content, [&](std::string_view piece) {
        if (progress)
            progress(index, last);
        ++index;
        if (piece.size() < kSnapshotBytes)
            return;
        text.clear();
        DecodeCp1252(piece.substr(0, kSnapshotBytes), text);
        snapshots.Append(text);
        text.clear();
        DecodeCp1252(piece.substr(kSnapshotBytes), text);
        lines.Append(text);
    });
}

void WritePuzzleContent(const TextList& lines, const TextList& snapshots, std::string& out,
                        const FileProgress& progress) {
    const std::size_t count = lines.Count();
    // Every character takes at most as many bytes in the file as in UTF-8.
    std::size_t bound = out.size();
    for (std::size_t i = 0; i < count; ++i) {
        bound += lines[i].size() + kCrLf.size();
        if (i < snapshots.Count())
            bound += snapshots[i].size();
    }
    out.reserve(bound);
    for (std::size_t i = 0; i < count; ++i) {
        if (progress)
            progress(i, count);
        // The log and its snapshots run in step; a missing snapshot is written as none.
        if (i < snapshots.Count())
            EncodeCp1252(snapshots[i], out);
        EncodeCp1252(lines[i], out);
        out += kCrLf;
    }
}

std::optional<std::string> LastSnapshot(std::string_view content, std::size_t* line) {
    std::optional<std::string_view> last;
    std::size_t number = 0;
    ForEachPiece(content, [&](std::string_view piece) {
        ++number;
        if (piece.size() >= kSnapshotBytes) {
            last = piece.substr(0, kSnapshotBytes);
            if (line != nullptr)
                *line = number;
        }
    });
    if (!last)
        return std::nullopt;
    std::string board;
    DecodeCp1252(*last, board);
    return board;
}

std::string PathFromCommandLine(std::string_view commandLine) {
    if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"')
        commandLine = commandLine.substr(1, commandLine.size() - 2);
    return std::string(commandLine);
}

}  // namespace zw
