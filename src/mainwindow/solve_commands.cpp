// The solve, count-all and cancel commands.
#include "mainwindow/frm_main.h"

namespace zw {

// Not built yet.
void frmMain::mSuDoKu_Loesen_Click() {}
void frmMain::mSuDoKuSearchAll_Click() {}
void frmMain::mSuDoKuBeak_Click() {}

}  // namespace zw
