// The "&OK" / "A&bbrechen" row the option dialogs share.
#pragma once

class QDialog;
class QHBoxLayout;

namespace zw {

// "&OK" (the default button, named Command1) accepts, "A&bbrechen" (Command2) rejects; both
// right-aligned. Esc and the close box reject like "A&bbrechen".
QHBoxLayout* MakeOkCancelRow(QDialog& dialog);

}  // namespace zw
