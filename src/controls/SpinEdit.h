#pragma once
// A whole-number field with up and down arrows. The text is limited to a
// number of characters; a text that is no whole number reads as the
// minimum, and leaving the field corrects a value outside the limits to the
// nearest limit. textChanged reports every change of the text.

#include <QSpinBox>

namespace controls {

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget *parent = nullptr);

    void setMaxLength(int characters);
    using QSpinBox::lineEdit;   // tests type into it
    // The value the text stands for, before any correction.
    int textValue() const;

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void fixup(QString &input) const override;
    void focusOutEvent(QFocusEvent *event) override;
};

} // namespace controls
