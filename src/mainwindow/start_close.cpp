// Start-up and closing of the main window.
#include "mainwindow/frm_main.h"
#include "files/sudoku_file.h"

namespace zw {

void frmMain::Form_Load() {
    mySaved = true;
    platform_.registration.RegisterFileType(platform_.program);
    SetUpGrid(Matrix);
    if (!platform_.program.commandLine.empty())
        LoadPuzzleFile(PathFromCommandLine(platform_.program.commandLine));
}

void frmMain::Form_Unload() {
    if (quitting_)
        return;
    if (Busy()) {
        // Cancel the run; the save question and the end come once it has unwound.
        gCancel = true;
        closeRequested_ = true;
        return;
    }
    // "Abbrechen", or a save that failed or was cancelled, keeps the window open: ending then
    // would lose the changes the user just asked to keep.
    if (QuestSave())
        EndProgram();
}

void frmMain::mFileExit_Click() {
    Form_Unload();
}

}  // namespace zw
