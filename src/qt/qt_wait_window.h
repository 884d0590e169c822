// The wait window `frmWait`: no caption, the bold label `Title` and the button "A&bbrechen"
// (also Esc), which sets the main window's cancel flag and hides the window.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "platform/platform.h"

class QLabel;

namespace zw {

class frmWait final : public QDialog {
    Q_OBJECT
public:
    frmWait(bool& cancelFlag, QWidget* parent);
    void SetTitle(const QString& text);

protected:
    void reject() override;  // Esc

private:
    void Cancel();

    bool& gCancel_;
    QLabel* title_;
    QElapsedTimer sinceRepaint_;
};

class QtWaitWindow final : public WaitWindow {
public:
    // The window is created on first use, owned by `parent`, and sets `cancelFlag`.
    void Attach(bool& cancelFlag, QWidget* parent);
    void Show() override;
    void SetTitle(std::string_view text) override;
    void Close() override;
    frmWait* Window() { return window_; }

private:
    frmWait& Loaded();

    bool* cancelFlag_ = nullptr;
    QWidget* parent_ = nullptr;
    frmWait* window_ = nullptr;
};

}  // namespace zw
