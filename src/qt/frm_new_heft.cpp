// The booklet's options dialog `frmNewHeft`. The core keeps its one instance of the entries and
// hands them in; whatever the user leaves in the controls goes back, OK or not.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qt/dialog_buttons.h"
#include "qt/qt_dialogs.h"

namespace zw {

namespace {

QCheckBox* CheckBox(const char* name, const QString& text, bool checked) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

}  // namespace

bool QtDialogs::ShowNewHeft(NewHeftOptions& options) {
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("frmNewHeft"));
    dialog.setWindowTitle(QStringLiteral("SuDoKu-Heft erstellen ..."));

    auto* frame2 = new QGroupBox(QStringLiteral("Umfang des Heftes"));
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* label = new QLabel(QStringLiteral("Anzahl Rätsel:"));
    label->setObjectName(QStringLiteral("Label1"));
    auto* count = new QLineEdit(QString::fromStdString(options.count));
    count->setObjectName(QStringLiteral("Text1"));
    label->setBuddy(count);
    auto* solutions =
        CheckBox("Check4", QStringLiteral("Lösungen auch drucken."), options.solutions);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(label);
    countRow->addWidget(count, 1);
    auto* frame2Layout = new QVBoxLayout(frame2);
    frame2Layout->addLayout(countRow);
    frame2Layout->addWidget(solutions);

    auto* frame1 = new QGroupBox(QStringLiteral("Schwierigkeitsgrad"));
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* leicht = CheckBox("Check1", QStringLiteral("Leicht"), options.leicht);
    auto* mittel = CheckBox("Check2", QStringLiteral("Mittel"), options.mittel);
    auto* schwer = CheckBox("Check3", QStringLiteral("Schwer"), options.schwer);
    auto* frame1Layout = new QVBoxLayout(frame1);
    frame1Layout->addWidget(leicht);
    frame1Layout->addWidget(mittel);
    frame1Layout->addWidget(schwer);

    QHBoxLayout* buttons = MakeOkCancelRow(dialog);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(frame2);
    layout->addWidget(frame1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    count->setFocus();
    count->selectAll();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    options.count = count->text().toStdString();
    options.leicht = leicht->isChecked();
    options.mittel = mittel->isChecked();
    options.schwer = schwer->isChecked();
    options.solutions = solutions->isChecked();
    return accepted;
}

}  // namespace zw
