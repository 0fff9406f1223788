#include "numberfield.h"

#include <platform/prompt.h>
#include <platform/sharedtexts.h>

#include <algorithm>
#include <limits>

namespace ui {

NumberField::NumberField(int low, int high, int value, QWidget *parent)
    : QSpinBox(parent), m_low(low), m_high(high)
{
    // The box itself takes any number of digits that fits, so nothing typed
    // is ever replaced; the range applies to the buttons and to OK.
    setRange(kEmpty, std::numeric_limits<int>::max());
    setValue(value);
}

void NumberField::stepBy(int steps)
{
    const long long next = std::clamp<long long>(value() + (long long)steps, m_low, m_high);
    setValue(int(next));
    selectAll();
}

QString NumberField::numberText(const QString &text) const
{
    QStringView number(text);
    if (number.startsWith(prefix()))
        number = number.mid(prefix().size());
    if (number.endsWith(suffix()))
        number.chop(suffix().size());
    return number.trimmed().toString();
}

QValidator::State NumberField::validate(QString &input, int &) const
{
    const QString number = numberText(input);
    if (number.isEmpty())
        return QValidator::Acceptable;
    if (!std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return QValidator::Invalid;
    bool fits = false;
    number.toInt(&fits);
    return fits ? QValidator::Acceptable : QValidator::Invalid;
}

int NumberField::valueFromText(const QString &text) const
{
    const QString number = numberText(text);
    return number.isEmpty() ? kEmpty : number.toInt();
}

QString NumberField::textFromValue(int value) const
{
    return value == kEmpty ? QString() : QString::number(value);
}

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (isReadOnly())
        return enabled;
    if (value() < m_high)
        enabled |= StepUpEnabled;
    if (value() > m_low)
        enabled |= StepDownEnabled;
    return enabled;
}

bool numbersInRange(std::initializer_list<NumberField *> fields, platform::Prompt &prompt,
                    platform::PromptIcon icon)
{
    for (NumberField *field : fields) {
        if (field->inRange())
            continue;
        prompt.message(platform::NumberRangeFormat.arg(field->low()).arg(field->high()),
                       icon);
        field->setFocus();
        field->selectAll();
        return false;
    }
    return true;
}

} // namespace ui
