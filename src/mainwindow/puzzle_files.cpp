// Puzzle files: New, Open, Save, Save As and the save question.
#include "mainwindow/frm_main.h"

namespace zw {

void frmMain::QuestSave() {
    if (mySaved)
        return;
    const MsgAnswer answer = platform_.messages.Show("Möchten Sie ihre Änderungen speichern?",
                                                     MsgButtons::YesNo, MsgIcon::Question);
    if (answer == MsgAnswer::Yes)
        mFileSave_Click();
}

// Not built yet: the file commands load and save nothing.
void frmMain::mFileNew_Click() {}
void frmMain::mFileOpen_Click() {}
void frmMain::mFileSave_Click() {}
void frmMain::mFileSaveAs_Click() {}
void frmMain::LoadPuzzleFile(std::string) {}

}  // namespace zw
