// Any bytes as a puzzle file: opening must not crash; a file without any line that starts with
// 81 digits and blanks (an empty one aside) must be refused with a message, changing nothing;
// any other must keep one log line per line of 81 or more bytes (lines end in CR LF, or in LF in
// a file without any CR LF), and saving must write those lines back byte for byte, with CR LF.
#include <cstddef>
#include <cstdint>
#include <string>

#include "board/board_string.h"
#include "fuzz_helpers.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zw;
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::string expected;
    std::size_t lines = 0;
    bool game = content.empty();
    const bool lfOnly = content.find("\r\n") == std::string::npos;
    for (std::string_view piece : fuzz::SplitAt(content, lfOnly ? "\n" : "\r\n"))
        if (piece.size() >= 81) {
            expected.append(piece).append("\r\n");
            ++lines;
            game = game ||
                   piece.substr(0, 81).find_first_not_of(" 0123456789") == std::string_view::npos;
        }

    // One window for the whole run, as a user opens one file after another.
    static fuzz::Window window;
    MemoryPlatform& mp = window.mp;
    frmMain& form = window.form;
    mp.messages.shown.clear();
    mp.wait.titles.clear();
    mp.fileDialog.shown.clear();
    mp.files.files["in.sudoku"] = content;
    mp.fileDialog.answers.push_back("in.sudoku");
    const std::size_t linesBefore = form.List1.ListCount();
    const std::string nameBefore = form.myFileName;
    form.mFileOpen_Click();
    if (!game) {
        fuzz::Check(mp.messages.shown.size() == 1 && form.List1.ListCount() == linesBefore);
        fuzz::Check(form.mySaved && form.myFileName == nameBefore && !mp.wait.loaded);
        return 0;
    }
    fuzz::Check(mp.messages.shown.empty());
    fuzz::Check(form.List1.ListCount() == lines && form.mySnapshots.Count() == lines);
    fuzz::Check(form.List1.listIndex == static_cast<int>(lines) - 1);
    fuzz::Check(form.mySaved && !mp.wait.loaded);
    (void)GetSuDoKuString(form.Matrix);
    (void)CountOpenCells(form.Matrix);

    mp.fileDialog.answers.push_back("out.sudoku");
    form.mFileSaveAs_Click();
    fuzz::Check(mp.files.files["out.sudoku"] == expected);
    return 0;
}
