#include "views/inspector/NumberEntryRule.h"

#include <cmath>

namespace {

// Group separators are refused: "1.500" would be 1500 in a German locale and 1.5 in the C form.
std::optional<double> parsed(const QString& text, QLocale locale)
{
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

std::optional<double> NumberEntryRule::numberOf(const QString& text, const QLocale& locale) const
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    std::optional<double> value = parsed(typed, locale);
    if (!value)
        value = parsed(typed, QLocale::c());
    if (!value)
        return std::nullopt;
    const double scale = std::pow(10.0, decimals);
    const double steps = std::round(*value * scale);
    // A number with more decimals than the field shows would be rounded into another one.
    if (std::abs(*value * scale - steps) > 1e-6 * std::max(1.0, std::abs(steps)))
        return std::nullopt;
    const double number = steps / scale;
    if (number < minimum || number > maximum)
        return std::nullopt;
    return number;
}

QString NumberEntryRule::refusal(const QLocale& locale) const
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString from = plain.toString(minimum, 'f', decimals), to = plain.toString(maximum, 'f', decimals);
    const QString inUnit = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    if (decimals == 0)
        return QStringLiteral("Enter a whole number from %1 to %2%3.").arg(from, to, inUnit);
    return QStringLiteral("Enter a number from %1 to %2%3, with at most %4 decimals.")
        .arg(from, to, inUnit)
        .arg(decimals);
}
