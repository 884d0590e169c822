// The booklet's options dialog `frmNewHeft`.
#include "platform/qt/qt_dialogs.h"

namespace zw {

// Not built yet: behaves as if the user cancelled.
bool QtDialogs::ShowNewHeft(NewHeftOptions&) {
    return false;
}

}  // namespace zw
