#include "platform/DateValues.h"

#include <QTime>
#include <algorithm>

namespace {

// The text of one run of a pattern letter. Qt's own am/pm text follows the locale and its "h"
// is a 24-hour field without it, so those two are made here.
QString fieldText(QChar letter, qsizetype count, const QDateTime& moment, const QLocale& locale)
{
    const int hour = moment.time().hour();
    switch (letter.unicode()) {
    case u'y':
        return locale.toString(moment, count == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"));
    case u'M':
    case u'd':
    case u'H':
    case u'm':
    case u's':
        return locale.toString(moment, QString(std::min<qsizetype>(count, letter == u'M' ? 4 : 2), letter));
    case u'h': {
        const int clock = hour % 12 == 0 ? 12 : hour % 12;
        return count >= 2 ? QStringLiteral("%1").arg(clock, 2, 10, QLatin1Char('0')) : QString::number(clock);
    }
    case u'a':
        return hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    default:
        return QString(count, letter);
    }
}

// The text of the quoted section starting at index start ('' inside stands for a quote) and the
// section's length, the quotes included.
std::pair<QString, qsizetype> quotedText(const QString& pattern, qsizetype start)
{
    QString text;
    qsizetype i = start + 1;
    while (i < pattern.size()) {
        if (pattern.at(i) == u'\'') {
            if (i + 1 < pattern.size() && pattern.at(i + 1) == u'\'') {
                text += u'\'';
                i += 2;
                continue;
            }
            return {text, i + 1 - start};
        }
        text += pattern.at(i++);
    }
    return {text, i - start};
}

bool isPatternLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

QString Format_Date_Value(const QString& pattern, const QDateTime& moment, const QLocale& locale)
{
    QString result;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            // A lone pair of quotes outside a section is one quote.
            if (i + 1 < pattern.size() && pattern.at(i + 1) == u'\'') {
                result += u'\'';
                i += 2;
                continue;
            }
            const auto [text, length] = quotedText(pattern, i);
            result += text;
            i += length;
            continue;
        }
        qsizetype count = 1;
        while (i + count < pattern.size() && pattern.at(i + count) == c)
            ++count;
        result += isPatternLetter(c) ? fieldText(c, count, moment, locale) : QString(count, c);
        i += count;
    }
    return result;
}

QString Get_date_Value(const QString& pattern, const QDateTime& moment)
{
    return Format_Date_Value(pattern, moment, QLocale::c());
}

QString Get_time_Value(const QString& pattern, const QDateTime& moment)
{
    return Get_date_Value(pattern, moment);
}
