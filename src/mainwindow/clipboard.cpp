// Copy, Cut and Paste of the whole board as text: the board string goes out, the board string
// or a 9 x 9 block of TAB-separated cells comes in (paste.h). Cut and Paste write a log line with
// the new board, so the change is saved like any other.
#include "board/board_string.h"
#include "mainwindow/frm_main.h"
#include "files/paste.h"

namespace zw {

void frmMain::mEditCopy_Click() {
    // Reads the board only, so it stays live during a long command.
    platform_.clipboard.Clear();
    platform_.clipboard.SetText(GetSuDoKuString(Matrix));
}

void frmMain::mEditCut_Click() {
    if (Busy())
        return;
    // Not emptied first: other formats on the clipboard stay beside the text.
    platform_.clipboard.SetText(GetSuDoKuString(Matrix));
    ClearBoard(Matrix);
    AddLog("Ausschneiden.");
}

void frmMain::mEditPaste_Click() {
    if (Busy())
        return;
    const std::optional<std::string> board = BoardFromPaste(platform_.clipboard.GetText());
    if (board)
        SetSuDoKuString(Matrix, *board);
    AddLog(board ? "Einfügen." : "Einfügen: Fehler.");
}

}  // namespace zw
