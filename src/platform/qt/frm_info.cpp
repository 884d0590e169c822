// The about dialog `frmInfo`.
#include "platform/qt/qt_dialogs.h"

namespace zw {

// Not built yet.
void QtDialogs::ShowInfo() {}

}  // namespace zw
