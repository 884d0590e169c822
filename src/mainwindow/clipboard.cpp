// Copy, Cut and Paste of the whole board as text.
#include "mainwindow/frm_main.h"

namespace zw {

// Not built yet.
void frmMain::mEditCopy_Click() {}
void frmMain::mEditCut_Click() {}
void frmMain::mEditPaste_Click() {}

}  // namespace zw
