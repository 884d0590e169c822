// The generator's options dialog `frmMakeSuDoKu`: difficulty and the largest number of empty
// cells. Created for one use; the close box and Esc count as "A&bbrechen".
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "qt/dialog_buttons.h"
#include "qt/qt_dialogs.h"

namespace zw {

bool QtDialogs::ShowMakeSuDoKu(MakeSuDoKuOptions& options) {
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("frmMakeSuDoKu"));
    dialog.setWindowTitle(QStringLiteral("SuDoKu erstellen"));

    auto* label = new QLabel(
        QStringLiteral("Hier können Sie bestimmen wie schwierig ihr SuDoKu werden soll."));
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);

    auto* frame1 = new QGroupBox(QStringLiteral("Schwierigkeitsgrad"));
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* normal = new QRadioButton(QStringLiteral("&Normal"));
    normal->setObjectName(QStringLiteral("Option1"));
    auto* hard = new QRadioButton(QStringLiteral("&Schwer"));
    hard->setObjectName(QStringLiteral("Option2"));
    (options.hard ? hard : normal)->setChecked(true);
    auto* frame1Layout = new QHBoxLayout(frame1);
    frame1Layout->addWidget(normal);
    frame1Layout->addWidget(hard);

    auto* frame2 = new QGroupBox(QStringLiteral("Maximale Anzahl fehlende Zahlen"));
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("Slider1"));
    slider->setRange(10, 70);
    slider->setValue(options.fields);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(5);
    slider->setPageStep(5);
    auto* value = new QLabel(QString::number(slider->value()));
    value->setObjectName(QStringLiteral("SliderValue"));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(slider, &QSlider::valueChanged, value, [value](int v) { value->setNum(v); });
    auto* frame2Layout = new QHBoxLayout(frame2);
    frame2Layout->addWidget(slider, 1);
    frame2Layout->addWidget(value);

    QHBoxLayout* buttons = MakeOkCancelRow(dialog);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(frame1);
    layout->addWidget(frame2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Esc and the close box reject, like "A&bbrechen".
    const bool accepted = dialog.exec() == QDialog::Accepted;
    options.hard = hard->isChecked();
    options.fields = slider->value();
    return accepted;
}

}  // namespace zw
