#pragma once
// What a checked number field takes of the text typed into it: the whole text as one number, in
// the user's locale or in the C form, within the field's range and with no more decimals than
// the field shows. Anything else is refused with a message that states the range; the text never
// turns into another number.
#include <QLocale>
#include <QString>
#include <optional>

struct NumberEntryRule {
    double minimum = 0;
    double maximum = 0;
    int decimals = 0;
    QString unit;  // "pt", "mm" ...; empty for none

    // The number the text stands for, or none when the text is refused.
    std::optional<double> numberOf(const QString& text, const QLocale& locale) const;
    // "Enter a whole number from 0 to 72 pt.", "Enter a number from 1.00 to 5080.00 mm, with at
    // most 2 decimals."
    QString refusal(const QLocale& locale) const;
};
