#include "SpinEdit.h"

#include <QLineEdit>
#include <algorithm>

namespace controls {

SpinEdit::SpinEdit(QWidget *parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(true);
}

void SpinEdit::setMaxLength(int characters)
{
    lineEdit()->setMaxLength(characters);
}

int SpinEdit::textValue() const
{
    bool ok = false;
    const int n = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? n : minimum();
}

QValidator::State SpinEdit::validate(QString &input, int &) const
{
    // Anything short enough may be typed; the value is settled on leaving.
    return input.size() <= lineEdit()->maxLength() ? QValidator::Acceptable : QValidator::Invalid;
}

int SpinEdit::valueFromText(const QString &text) const
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::clamp(n, minimum(), maximum()) : minimum();
}

void SpinEdit::fixup(QString &input) const
{
    input = QString::number(valueFromText(input));
}

void SpinEdit::focusOutEvent(QFocusEvent *event)
{
    const QString corrected = QString::number(valueFromText(lineEdit()->text()));
    if (lineEdit()->text() != corrected)
        lineEdit()->setText(corrected);
    QSpinBox::focusOutEvent(event);
}

} // namespace controls
