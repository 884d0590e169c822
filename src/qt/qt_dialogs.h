// The option dialogs of the generator and the booklet, and the about dialog.
#pragma once

#include "platform/platform.h"

class QWidget;

namespace zw {

class QtDialogs final : public Dialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    bool ShowMakeSuDoKu(MakeSuDoKuOptions& options) override;
    bool ShowNewHeft(NewHeftOptions& options) override;
    void ShowInfo() override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace zw
