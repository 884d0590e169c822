// Ends the program: leaves the event loop and closes the main window without asking again.
#pragma once

#include "platform/platform.h"

class QWidget;

namespace zw {

class QtApplication final : public Application {
public:
    void SetMainWindow(QWidget* window) { window_ = window; }
    void Quit() override;

private:
    QWidget* window_ = nullptr;
};

}  // namespace zw
