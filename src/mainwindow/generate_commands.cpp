// The generate and booklet commands.
#include "mainwindow/frm_main.h"

namespace zw {

// Not built yet.
void frmMain::mSuDoKu_Generate_Click() {}
void frmMain::mSuDoKuNewHeft_Click() {}
void frmMain::GenerateNewSuDoKu(int, int, bool) {}

}  // namespace zw
