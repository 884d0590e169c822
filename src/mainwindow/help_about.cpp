// The help document and the about dialog.
#include "mainwindow/about_info.h"
#include "mainwindow/frm_main.h"
#include "shell/mod_help.h"

namespace zw {

void frmMain::mHelpHelp_Click() {
    std::string error;
    if (!modHelp::OpenHelp(platform_.shell, platform_.program,
                           listener_ ? listener_->WindowHandle() : 0, error))
        platform_.messages.Show(error, MsgButtons::Ok, MsgIcon::Exclamation);
}

void frmMain::mAbout_Click() {
    platform_.dialogs.ShowInfo();
}

std::string VersionText(const ProgramInfo& program) {
    return std::to_string(program.major) + "." + std::to_string(program.minor) + "." +
           std::to_string(program.revision);
}

AboutInfo MakeAboutInfo(const ProgramInfo& program) {
    AboutInfo info;
    info.caption = "Info";
    info.maker = "Brunfeld";
    info.productName = program.productName;
    info.rightsLabel = "Copyright:";
    info.rightsHolder = "Brunfeld 2026";
    info.versionLabel = "Version:";
    info.version = VersionText(program);
    info.creditsLabel = "Credits:";
    info.credits =
        "Entwickler:\r\n"
        "Jonas Kellermann\r\n"
        "Lea Brandstätter\r\n"
        "\r\n"
        "Referenzen:\r\n"
        "zellwerk@example.org\r\n"
        "\r\n"
        "Besten Dank:\r\n"
        "www.example.org/sudoku-regeln\r\n"
        "www.example.net/raetselecke\r\n";
    info.okCaption = "&OK";
    return info;
}

}  // namespace zw
