#pragma once
// A number field of the inspector's control kit that takes a number or refuses the text, never a
// different number. The user types freely; on Enter, a step or leaving the field, the whole text
// is taken as a number within the field's range (see NumberEntryRule), or refused: the old value
// comes back and a balloon at the field says what it takes. Only a commit changes the value, so
// valueChanged comes once per commit; values set by code behave as in the spin box.
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <cmath>
#include <type_traits>

#include "model/NumberBounds.h"
#include "views/inspector/FieldBalloon.h"
#include "views/inspector/NumberEntryRule.h"

template <class SpinBox>
class CheckedNumberField : public SpinBox {
public:
    explicit CheckedNumberField(QWidget* parent = nullptr) : SpinBox(parent) { this->setKeyboardTracking(false); }

    // The unit the refusal names after the range ("pt", "mm"...).
    void setUnit(const QString& unit) { m_unit = unit; }
    QString unit() const { return m_unit; }
    // What the field says when it refuses a text.
    QString refusalMessage() const { return rule().refusal(this->locale()); }

    QValidator::State validate(QString& text, int&) const override
    {
        return typedNumber(text) ? QValidator::Acceptable : QValidator::Intermediate;
    }
    void stepBy(int steps) override
    {
        if (!refuseTypedText(false))
            SpinBox::stepBy(steps);
    }

protected:
    using Value = std::remove_cvref_t<decltype(std::declval<const SpinBox&>().value())>;

    Value valueFromText(const QString& text) const override
    {
        const std::optional<double> number = typedNumber(text);
        if (!number)
            return this->value();
        if constexpr (std::is_integral_v<Value>)
            return Value(std::lround(*number));
        else
            return *number;
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            refuseTypedText(false);
        SpinBox::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        // The balloon waits for the focus to settle: a focus change hides balloons.
        refuseTypedText(true);
        SpinBox::focusOutEvent(event);
    }

private:
    NumberEntryRule rule() const
    {
        int decimals = 0;
        if constexpr (!std::is_integral_v<Value>)
            decimals = this->decimals();
        return NumberEntryRule{double(this->minimum()), double(this->maximum()), decimals, m_unit};
    }
    // The text without the field's prefix and suffix, as a number the field takes.
    std::optional<double> typedNumber(QString text) const
    {
        if (!this->prefix().isEmpty() && text.startsWith(this->prefix()))
            text.remove(0, this->prefix().size());
        if (!this->suffix().isEmpty() && text.endsWith(this->suffix()))
            text.chop(this->suffix().size());
        return rule().numberOf(text, this->locale());
    }
    // Typed text the field cannot take: the value is shown again and the reason given. True when
    // the text was refused.
    bool refuseTypedText(bool deferMessage)
    {
        const QString typed = this->lineEdit()->displayText();
        if (typed == this->prefix() + this->textFromValue(this->value()) + this->suffix() || typedNumber(typed))
            return false;
        this->setValue(this->value());
        const QString message = refusalMessage();
        const auto show = [this, message] { showFieldBalloon(*this, message); };
        if (deferMessage)
            QTimer::singleShot(0, this, show);
        else
            show();
        return true;
    }

    QString m_unit;
};

// Whole numbers.
class CheckedSpinBox : public CheckedNumberField<QSpinBox> {
    Q_OBJECT
public:
    using CheckedNumberField::CheckedNumberField;
};

// Decimals, as many as the field's decimals.
class CheckedDoubleSpinBox : public CheckedNumberField<QDoubleSpinBox> {
    Q_OBJECT
public:
    using CheckedNumberField::CheckedNumberField;
};

// A field's range from the number's bounds, and the unit its refusals name.
inline void boundNumberField(CheckedSpinBox& field, NumberBounds::Range range, const QString& unit)
{
    field.setRange(int(range.low), int(range.high));
    field.setUnit(unit);
}
inline void boundNumberField(CheckedDoubleSpinBox& field, NumberBounds::Range range, int decimals, const QString& unit)
{
    field.setDecimals(decimals);
    field.setRange(range.low, range.high);
    field.setUnit(unit);
}
