// The .sudoku file: one line per log line, the line's 81-character snapshot immediately
// followed by the log line's text, CR LF after every line, Windows-1252 bytes. No header, no
// escaping: a log text never holds CR LF. Lines shorter than 81 characters are skipped on
// reading, so a file loads whatever its lines hold. A file that holds no CR LF but LF (its line
// ends converted on the way) is read as lines ending in LF.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/text_list.h"

namespace zw {

constexpr std::string_view kCrLf = "\r\n";

// The pieces of a content split at every CR LF (at every LF when it holds LF but no CR LF):
// none for an empty content, otherwise one more than it has line ends.
std::size_t CountPieces(std::string_view content);

// Told before piece `index` of pieces 0 ... `last` is read, or line `index` (0-based) of `count`
// is written.
using FileProgress = std::function<void(std::size_t index, std::size_t lastOrCount)>;

// Whether some line of the content starts with a board: 81 characters of digits and blanks, as
// Save writes every snapshot. A content without one is no game, whatever else it holds.
bool HoldsBoardLine(std::string_view content);

// Appends the lines of a file's content and their snapshots, decoded to UTF-8.
void ReadPuzzleContent(std::string_view content, TextList& lines, TextList& snapshots,
                       const FileProgress& progress);

// Appends the file form of the log: snapshot i, line i, CR LF, for every line.
void WritePuzzleContent(const TextList& lines, const TextList& snapshots, std::string& out,
                        const FileProgress& progress);

// The snapshot of the last line a file's content holds (UTF-8), nullopt when it has none: the
// board that loading the file would show. `line` gets that line's number, from 1.
std::optional<std::string> LastSnapshot(std::string_view content, std::size_t* line = nullptr);

// The path named by the command line: one pair of double quotes around the whole text is
// dropped, since a quoted path names the same file.
std::string PathFromCommandLine(std::string_view commandLine);

}  // namespace zw
