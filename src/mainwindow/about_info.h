// What the about dialog `frmInfo` shows, filled in afresh each time it opens.
#pragma once

#include <string>

#include "platform/platform.h"

namespace zw {

struct AboutInfo {
    std::string caption;       // the window's caption
    std::string maker;         // Label1
    std::string productName;   // Label2
    std::string rightsLabel;   // Label9
    std::string rightsHolder;  // Label8: holder and year
    std::string versionLabel;  // Label3
    std::string version;       // Label4: "1.2.0"
    std::string creditsLabel;  // Label7
    std::string credits;       // Text1: three sections, every line ended by CR LF
    std::string okCaption;     // Command1
};

// Major, minor and revision in plain decimal: 1, 2, 0 gives "1.2.0".
std::string VersionText(const ProgramInfo& program);
AboutInfo MakeAboutInfo(const ProgramInfo& program);

}  // namespace zw
