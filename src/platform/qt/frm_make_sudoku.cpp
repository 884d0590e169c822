// The generator's options dialog `frmMakeSuDoKu`.
#include "platform/qt/qt_dialogs.h"

namespace zw {

// Not built yet: behaves as if the user cancelled.
bool QtDialogs::ShowMakeSuDoKu(MakeSuDoKuOptions&) {
    return false;
}

}  // namespace zw
