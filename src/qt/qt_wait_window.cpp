#include "qt/qt_wait_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zw {

namespace {
const char* const kInitialTitle = "SuDoKu wird erstellt ...";
constexpr int kFrameMs = 16;
}  // namespace

frmWait::frmWait(bool& cancelFlag, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), gCancel_(cancelFlag) {
    setObjectName(QStringLiteral("frmWait"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(QString::fromUtf8(kInitialTitle), this);
    title_->setObjectName(QStringLiteral("Title"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setMinimumWidth(260);
    auto* cancel = new QPushButton(QStringLiteral("A&bbrechen"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setAutoDefault(false);
    layout->addWidget(title_);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &frmWait::Cancel);
    sinceRepaint_.start();
}

void frmWait::SetTitle(const QString& text) {
    title_->setText(text);
    // Progress texts can change thousands of times a second; show them at display rate.
    if (isVisible() && sinceRepaint_.elapsed() >= kFrameMs) {
        // A file loads or saves without pumping events; let the window be exposed and painted,
        // but run no user input meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        title_->repaint();
        sinceRepaint_.restart();
    }
}

void frmWait::reject() {
    Cancel();
}

void frmWait::Cancel() {
    gCancel_ = true;
    hide();
}

void QtWaitWindow::Attach(bool& cancelFlag, QWidget* parent) {
    cancelFlag_ = &cancelFlag;
    parent_ = parent;
}

frmWait& QtWaitWindow::Loaded() {
    if (!window_)
        window_ = new frmWait(*cancelFlag_, parent_);
    return *window_;
}

void QtWaitWindow::Show() {
    frmWait& window = Loaded();
    window.show();
    window.raise();
}

void QtWaitWindow::SetTitle(std::string_view text) {
    Loaded().SetTitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtWaitWindow::Close() {
    // Unloading discards the window; the next use starts with the initial text again.
    if (!window_)
        return;
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
}

}  // namespace zw
