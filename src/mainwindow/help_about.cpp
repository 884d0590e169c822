// The help document and the about dialog.
#include "mainwindow/frm_main.h"

namespace zw {

// Not built yet.
void frmMain::mHelpHelp_Click() {}
void frmMain::mAbout_Click() {}

}  // namespace zw
