#include "data/SeriesGenerator.h"

#include <stdlib.h>

#include <limits>

#include "platform/StringHelpers.h"

namespace SeriesGenerator {

namespace {

QString fieldText(qint64 value)
{
    return QString::number(value);
}

// Characters leave both ends while the test holds.
template <typename Test>
QString trimEnds(const QString& text, Test test)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && test(text.at(first)))
        ++first;
    while (last > first && test(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

bool isIllegal(QChar c)
{
    return c.category() == QChar::Other_NotAssigned || c.isNonCharacter();
}

bool isSymbol(QChar c)
{
    switch (c.category()) {
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return true;
    default:
        return false;
    }
}

qint64 countOf(const QString& countText)
{
    return leadingInteger(countText);
}

}  // namespace

qint64 leadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    qint64 magnitude = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        const int digit = text.at(i).unicode() - u'0';
        if (magnitude > (kMax - digit) / 10)
            return negative ? std::numeric_limits<qint64>::min() : kMax;
        magnitude = magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

QString PadZero(const QString& text, int length)
{
    if (text.size() >= length)
        return text;
    const bool signed_ = text.startsWith(u'-') || text.startsWith(u'+');
    const qsizetype at = signed_ ? 1 : 0;
    QString padded = text;
    padded.insert(at, QString(length - text.size(), u'0'));
    return padded;
}

QString sequentialProblem(const SequentialRule& rule)
{
    if (rule.fromText.isEmpty())
        return kFromEmptyMessage;
    if (rule.toText.isEmpty())
        return kToEmptyMessage;
    const qint64 from = leadingInteger(rule.fromText);
    const qint64 to = leadingInteger(rule.toText);
    if (from >= to)
        return kFromNotSmallerMessage;
    // Both bounds are at most ten characters, so the difference cannot overflow.
    if (to - from >= kMaxSequentialCount)
        return kTooManyValuesMessage;
    return {};
}

qint64 sequentialCount(const SequentialRule& rule)
{
    return leadingInteger(rule.toText) - leadingInteger(rule.fromText) + 1;
}

void generateSequential(const SequentialRule& rule, const SeriesValueSink& sink)
{
    const qint64 from = leadingInteger(rule.fromText);
    const qint64 count = sequentialCount(rule);
    const int width = int(std::max(rule.fromText.size(), rule.toText.size()));
    QString value;
    for (qint64 i = 0; i < count; ++i) {
        const QString number = fieldText(from + i);
        value.clear();
        value += rule.prefix;
        value += rule.keepDigits ? PadZero(number, width) : number;
        value += rule.suffix;
        sink(value);
    }
}

QString constantProblem(const ConstantRule& rule)
{
    if (rule.value.isEmpty())
        return kValueEmptyMessage;
    if (rule.countText.isEmpty())
        return kCountEmptyMessage;
    return {};
}

void generateConstant(const ConstantRule& rule, const SeriesValueSink& sink)
{
    const qint64 count = std::min<qint64>(countOf(rule.countText), kMaxCount);
    for (qint64 i = 0; i < count; ++i)
        sink(rule.value);
}

RandomSource systemRandomSource()
{
    return [] { return std::uint32_t(::arc4random()); };
}

std::uint32_t uniformBelow(std::uint32_t range, const RandomSource& source)
{
    if (range < 2)
        return 0;
    // 2^32 mod range: the draws below it are the ones a plain modulo would count once too often.
    const std::uint32_t unfairBelow = std::uint32_t(-range) % range;
    for (;;) {
        const std::uint32_t draw = source();
        if (draw >= unfairBelow)
            return draw % range;
    }
}

RandomRange randomRangeForLength(const QString& lengthText)
{
    if (lengthText.size() != 1 || lengthText.at(0) < u'1' || lengthText.at(0) > u'9')
        return {};
    const int digits = lengthText.at(0).unicode() - u'0';
    std::uint32_t low = 1;
    for (int i = 1; i < digits; ++i)
        low *= 10;
    return {digits == 1 ? 1u : low, low * 10 - 1};
}

QString randomProblem(const RandomRule& rule)
{
    if (rule.countText.isEmpty())
        return kCountEmptyMessage;
    if (rule.lengthText.isEmpty())
        return kLengthEmptyMessage;
    return {};
}

void generateRandom(const RandomRule& rule, const SeriesValueSink& sink, const RandomSource& source)
{
    const RandomRange range = randomRangeForLength(rule.lengthText);
    const qint64 count = std::min<qint64>(countOf(rule.countText), kMaxCount);
    for (qint64 i = 0; i < count; ++i) {
        const std::uint32_t number = range.min + uniformBelow(range.max - range.min + 1, source);
        sink(rule.prefix + QString::number(number) + rule.suffix);
    }
}

QString limitCountText(const QString& text)
{
    QString limited = Trim_Str(text);
    if (limited.isEmpty() || leadingInteger(limited) < 1)
        return QStringLiteral("1");
    if (limited.size() > kMaxCountCharacters)
        limited.truncate(kMaxCountCharacters);
    if (leadingInteger(limited) > kMaxCount)
        return fieldText(kMaxCount);
    return leadingInteger(limited) < 1 ? QStringLiteral("1") : limited;
}

QString limitLengthText(const QString& text)
{
    QString limited = Trim_Str(text);
    if (limited.isEmpty() || leadingInteger(limited) < 1)
        return QStringLiteral("1");
    if (limited.size() > 1)
        limited.truncate(1);
    if (leadingInteger(limited) > kMaxRandomLength)
        return fieldText(kMaxRandomLength);
    return leadingInteger(limited) < 1 ? QStringLiteral("1") : limited;
}

QString limitBoundText(const QString& text)
{
    QString limited = trimEnds(text, [](QChar c) { return c.isLetter(); });
    limited = trimEnds(limited, [](QChar c) { return c.isSpace(); });
    limited = trimEnds(limited, isIllegal);
    limited = trimEnds(limited, isSymbol);
    if (limited.size() > kMaxBoundCharacters)
        limited.truncate(kMaxBoundCharacters);
    return limited;
}

bool isPartialIntegerText(const QString& text)
{
    const QString inner = text.trimmed();
    if (text.isEmpty())
        return true;
    qsizetype i = 0;
    if (i < inner.size() && (inner.at(i) == u'-' || inner.at(i) == u'+'))
        ++i;
    if (i == inner.size())
        return false;
    for (; i < inner.size(); ++i) {
        if (inner.at(i) < u'0' || inner.at(i) > u'9')
            return false;
    }
    return true;
}

}  // namespace SeriesGenerator
