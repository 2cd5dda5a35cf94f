#pragma once

#include <QSpinBox>

namespace quorvane {

// A whole-number field of the settings dialog. It takes any whole number
// typed, also one beyond its limits, and brings that to the nearest limit
// when the field is left, rather than silently going back to the number it
// held before.
class NumberField : public QSpinBox {
public:
    NumberField(QWidget* parent, int minimum, int maximum);

protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
};

}  // namespace quorvane
