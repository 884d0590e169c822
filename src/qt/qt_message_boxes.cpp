#include "qt/qt_message_boxes.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace zw {

namespace {
QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Qt lets Escape and the close box answer "Nein" to a Yes/No question, which would take a
// choice the user did not make; only its two buttons answer it.
class OnlyButtonsAnswer final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel);
    }
};
}  // namespace

MsgAnswer QtMessageBoxes::Show(std::string_view text, MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(ToQt(icon), QStringLiteral("SuDoku"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::NoButton, parent_);
    box.setObjectName(QStringLiteral("SuDokuMessageBox"));
    if (buttons == MsgButtons::Ok) {
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.exec();
        return MsgAnswer::Ok;
    }
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    yes->setText(QStringLiteral("Ja"));
    QPushButton* no = box.addButton(QMessageBox::No);
    no->setText(QStringLiteral("Nein"));
    box.setDefaultButton(yes);
    OnlyButtonsAnswer filter;
    if (buttons == MsgButtons::YesNoCancel) {
        // Escape and the close box call the command off, as the button does.
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        cancel->setText(QStringLiteral("Abbrechen"));
        box.setEscapeButton(cancel);
    } else {
        box.installEventFilter(&filter);
    }
    box.exec();
    if (box.clickedButton() == yes)
        return MsgAnswer::Yes;
    return box.clickedButton() == no ? MsgAnswer::No : MsgAnswer::Cancel;
}

}  // namespace zw
