#pragma once

#include <QSpinBox>

#include <initializer_list>

namespace platform {
class Prompt;
enum class PromptIcon;
} // namespace platform

namespace ui {

// An edit field for a whole number with spin buttons. The buttons and the
// arrow keys step within low..high; a typed number outside that range stays
// as typed (a plain spin box would quietly put the last good value back when
// the field loses the focus or Return is pressed), so the dialog's OK can
// refuse it with its message and leave the text for the user to correct.
// Only digits can be typed, and no more than the field can hold; an empty
// field is out of range too. The range starts at 0 or above.
class NumberField : public QSpinBox {
public:
    NumberField(int low, int high, int value, QWidget *parent = nullptr);

    int low() const { return m_low; }
    int high() const { return m_high; }
    bool inRange() const { return value() >= m_low && value() <= m_high; }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    QString textFromValue(int value) const override;

private:
    // The value of an empty field.
    static constexpr int kEmpty = -1;
    QString numberText(const QString &text) const;

    int m_low;
    int m_high;
};

// The check of a dialog's OK: the first field whose number lies outside its
// range shows "%1 から %2 までの整数を入力してください。" with its range, takes
// the focus with its text selected, and false is returned.
bool numbersInRange(std::initializer_list<NumberField *> fields, platform::Prompt &prompt,
                    platform::PromptIcon icon);

} // namespace ui
