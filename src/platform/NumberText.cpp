#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

QString numberText(double value, int decimals)
{
    // to_chars rounds exactly as printf does in the C locale (QString::number rounds ties away
    // from zero: 0.125 -> "0.13" where printf writes "0.12") and never looks at any locale.
    decimals = std::clamp(decimals, 0, 100);
    char buffer[std::numeric_limits<double>::max_exponent10 + 110];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, end - buffer);
}

namespace {
bool isDigit(QStringView text, qsizetype i)
{
    return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

qsizetype skipDigits(QStringView text, qsizetype i)
{
    while (isDigit(text, i))
        ++i;
    return i;
}
}  // namespace

double leadingDouble(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype intStart = i;
    i = skipDigits(text, i);
    bool hasDigits = i > intStart;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fracStart = i + 1;
        const qsizetype fracEnd = skipDigits(text, fracStart);
        hasDigits = hasDigits || fracEnd > fracStart;
        i = fracEnd;
    }
    if (!hasDigits)
        return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype e = i + 1;
        if (e < text.size() && (text[e] == u'+' || text[e] == u'-'))
            ++e;
        if (isDigit(text, e))
            i = skipDigits(text, e);
    }

    // Only ASCII is left in the span; from_chars reads it without looking at any locale.
    std::string span = text.mid(start, i - start).toLatin1().toStdString();
    if (!span.empty() && span.front() == '+')
        span.erase(0, 1);
    double value = 0;
    const auto [end, ec] = std::from_chars(span.data(), span.data() + span.size(), value);
    if (ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

qint32 leadingInt(QStringView text)
{
    const double value = std::trunc(leadingDouble(text));
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    if (value <= lowest)
        return std::numeric_limits<qint32>::min();
    if (value >= highest)
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(value);
}
