#include "board/statistics.h"

namespace zw {

std::string StatisticsMessage(int openCells, bool rulesOk) {
    std::string report;
    if (openCells == 81) {
        report = " - Das SuDoKu ist leer.";
    } else if (openCells == 0) {
        report = rulesOk ? " - Das SuDoKu ist gelöst." : " - Dies ist kein SuDoKu.";
    } else {
        report = " - Es müssen noch " + std::to_string(openCells) +
                 " Zahlen eingetragen werden.\r\n - Die Regeln wurden " +
                 (rulesOk ? "" : "nicht ") + "korrekt beachtet.";
    }
    return "Statistik:\r\n\r\n" + report;
}

}  // namespace zw
