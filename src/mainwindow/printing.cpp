// Printing the board on the default printer.
#include "mainwindow/frm_main.h"

namespace zw {

// Not built yet.
void frmMain::mPrint_Click() {}

}  // namespace zw
