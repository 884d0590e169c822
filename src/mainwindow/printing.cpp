// Printing the board on the default printer: one page, one job per command, laid out in twips
// from the top-left corner of the printable area.
#include <string>

#include "board/grid_painter.h"
#include "mainwindow/frm_main.h"

namespace zw {

namespace {

constexpr char kWebAddress[] = "www.brunfeld.de";
constexpr int kPictureLeft = 500;
constexpr int kPictureTop = 500;
constexpr int kBorderEnd = 6970;
constexpr int kBorderPixels = 7;  // printer pixels, whatever the printer's resolution
constexpr int kFooterLeft = 500;
constexpr int kFooterTop = 15500;

void LayOutBoardPage(Canvas& page, const Grid& grid, const std::string& date) {
    // The grid at the size it has on the screen; it draws no lines along its top and left
    // edges, so the page adds them, thick.
    PaintGrid(page, grid, kPictureLeft, kPictureTop);
    const double width = kBorderPixels * page.PixelTwips();
    page.DrawLine(kPictureLeft, kPictureTop, kPictureLeft, kBorderEnd, width, 0);
    page.DrawLine(kPictureLeft, kPictureTop, kBorderEnd, kPictureTop, width, 0);
    const std::string footer =
        "SuDoKu  vom " + date + " by Zellwerk (" + std::string(kWebAddress) + ")";
    page.DrawText(kFooterLeft, kFooterTop, 0, footer, Font{"", 12.0, false}, 0, TextAlign::Left);
}

}  // namespace

void frmMain::mPrint_Click() {
    Printer& printer = platform_.printer;
    std::string error;
    if (!printer.BeginPrinterJob("SuDoKu", error)) {
        platform_.messages.Show("Das SuDoKu konnte nicht gedruckt werden. " + error, MsgButtons::Ok,
                                MsgIcon::Exclamation);
        return;
    }
    LayOutBoardPage(printer.Page(), Matrix, platform_.clock.ShortDateText());
    if (!printer.End(error))
        platform_.messages.Show("Das SuDoKu konnte nicht gedruckt werden. " + error, MsgButtons::Ok,
                                MsgIcon::Exclamation);
}

}  // namespace zw
