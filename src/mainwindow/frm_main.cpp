#include "mainwindow/frm_main.h"

namespace zw {

frmMain::frmMain(Platform& platform) : platform_(platform) {}

frmMain::BusyScope::BusyScope(frmMain& form) : form_(form) {
    if (form_.busyDepth_++ == 0 && form_.listener_)
        form_.listener_->BusyChanged();
}

frmMain::BusyScope::~BusyScope() {
    if (--form_.busyDepth_ != 0)
        return;
    if (form_.listener_)
        form_.listener_->BusyChanged();
    // A close during the run was deferred until the run had unwound.
    if (form_.closeRequested_) {
        form_.closeRequested_ = false;
        if (form_.QuestSave())
            form_.EndProgram();
    }
}

void frmMain::EndProgram() {
    quitting_ = true;
    platform_.app.Quit();
}

}  // namespace zw
