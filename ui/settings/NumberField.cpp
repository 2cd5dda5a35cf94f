#include "NumberField.h"

#include <algorithm>

namespace quorvane {

NumberField::NumberField(QWidget* parent, int minimum, int maximum) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setCorrectionMode(CorrectToNearestValue);
}

QValidator::State NumberField::validate(QString& text, int&) const
{
    const QString typed = text.trimmed();
    if (typed.isEmpty() || typed == QLatin1String("-") || typed == QLatin1String("+"))
        return QValidator::Intermediate;
    bool isNumber = false;
    const int value = locale().toInt(typed, &isNumber);
    if (!isNumber)
        return QValidator::Invalid;
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void NumberField::fixup(QString& text) const
{
    bool isNumber = false;
    const int value = locale().toInt(text.trimmed(), &isNumber);
    if (isNumber)
        text = locale().toString(std::clamp(value, minimum(), maximum()));
}

}  // namespace quorvane
