// Editing in the grid: typed digits (refused when they break the rules), Backspace, the
// Ctrl-click marking of one digit, and the statistics. Every change to a digit writes a log line,
// so Save, the save question and "Fehler suchen" see it.
#include <string>

#include "board/board_string.h"
#include "board/rules.h"
#include "board/statistics.h"
#include "mainwindow/frm_main.h"

namespace zw {

namespace {
constexpr int kBackspace = 8;
constexpr int kCtrlOnly = 2;
}  // namespace

void frmMain::Matrix_KeyPress(int keyAscii) {
    if (Busy())
        return;
    ClearMarks();
    const int row = Matrix.Row();
    const int col = Matrix.Col();
    if (keyAscii >= '1' && keyAscii <= '9') {
        const bool before = RulesOk(Matrix);
        const bool wasOpen = !IsPlaced(Matrix.Value(row, col));
        Matrix.SetValue(row, col, DigitBit(keyAscii - '0'));
        const bool after = RulesOk(Matrix);
        if (before && !after) {
            // The snapshot shows the refused digit; the cell is left empty, not restored.
            AddLog("Eingabe nicht möglich (Regelbruch).");
            Matrix.SetValue(row, col, kEmptyCell);
            return;
        }
        AddLog("Eingabe ok.");
        if (wasOpen && after && CountOpenCells(Matrix) == 0)
            AddLog("SuDoKu gelöst!");
    } else if (keyAscii == kBackspace) {
        // A candidate string is no digit: emptying it changes no board the log keeps.
        const bool placed = IsPlaced(Matrix.Value(row, col));
        Matrix.SetValue(row, col, kEmptyCell);
        if (placed)
            AddLog("Zahl gelöscht in Zeile " + std::to_string(row + 1) + ", Spalte " +
                   std::to_string(col + 1) + ".");
    }
}

void frmMain::Matrix_MouseDown(int shift) {
    if (shift != kCtrlOnly)
        return;
    Matrix.SetRedraw(false);
    const int row = Matrix.Row();
    const int col = Matrix.Col();
    const CellValue t = Matrix.Value(row, col);
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            const bool normal = t == kEmptyCell || Matrix.Value(r, c) == t;
            Matrix.SetTextColour(r, c, normal ? kDefaultTextColour : kMarkGrey);
        }
    }
    Matrix.SetCurrent(row, col);
    Matrix.SetRedraw(true);
}

void frmMain::mSuDoKu_Statistik_Click() {
    if (Busy())
        return;
    AddLog("Statistik errechnen ...");
    const int open = CountOpenCells(Matrix);
    const bool ok = RulesOk(Matrix);
    platform_.messages.Show(StatisticsMessage(open, ok), MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace zw
