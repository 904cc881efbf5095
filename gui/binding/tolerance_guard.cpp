#include "gui/binding/tolerance_guard.h"

#include <QComboBox>
#include <QLineEdit>

#include "numbers/tolerance.h"

namespace sanxing {

namespace {

void ShowToleranceState(QComboBox* box, const QString& text) {
    const bool bad = !IsTypedToleranceRange(text.toStdString());
    if (box->property("badRange").toBool() == bad && box->property("badRange").isValid()) return;
    box->setProperty("badRange", bad);
    box->lineEdit()->setStyleSheet(bad ? QStringLiteral("color: #d00000;") : QString());
    // The tooltip the box had before is kept to come back with a good range.
    if (bad) {
        box->setProperty("goodToolTip", box->toolTip());
        box->setToolTip(QString::fromUtf8(kBadToleranceTip));
    } else if (box->property("goodToolTip").isValid()) {
        box->setToolTip(box->property("goodToolTip").toString());
    }
}

}  // namespace

void GuardToleranceBox(QComboBox* box) {
    if (box->lineEdit() == nullptr) return;
    QObject::connect(box, &QComboBox::editTextChanged, box,
                     [box](const QString& text) { ShowToleranceState(box, text); });
    ShowToleranceState(box, box->currentText());
}

}  // namespace sanxing
