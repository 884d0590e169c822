// Message boxes captioned "SuDoku" with German button texts whatever the system language.
#pragma once

#include "platform/platform.h"

class QWidget;

namespace zw {

class QtMessageBoxes final : public MessageBoxes {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    MsgAnswer Show(std::string_view text, MsgButtons buttons, MsgIcon icon) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace zw
