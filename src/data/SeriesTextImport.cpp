#include "data/SeriesTextImport.h"

#include <QStringDecoder>
#include <QtEndian>

#include "data/SeriesStore.h"

#include "platform/StringHelpers.h"

namespace SeriesTextImport {

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Moves past one line end at i ("\r\n" counts as one).
qsizetype afterLineEnd(const QString& text, qsizetype i)
{
    if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
        return i + 2;
    return i + 1;
}

// Hands each line of the text to take, in order, until it answers false.
template <typename Take>
void forEachLine(const QString& text, Take take)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (!isLineEnd(text.at(i))) {
            ++i;
            continue;
        }
        if (!take(text.sliced(start, i - start)))
            return;
        i = afterLineEnd(text, i);
        start = i;
    }
    take(text.sliced(start));
}

// The values of a file as a series will keep them, counted as the series store counts them: an
// import stops at the first value past the room of a series.
class SeriesValues {
public:
    // False once the values pass the room; the value past it is not kept.
    bool add(const QString& field)
    {
        const QString value = chk_and_insert_validation(field);
        if (value.isEmpty())
            return true;
        m_memory += SeriesStore::valueMemory(value);
        if (m_memory > SeriesStore::kMaxValuesMemory) {
            m_full = true;
            return false;
        }
        m_values.append(value);
        return true;
    }
    bool full() const { return m_full; }
    const QStringList& values() const { return m_values; }

private:
    QStringList m_values;
    qint64 m_memory = 0;
    bool m_full = false;
};

// Whether UTF-16 or UTF-32 bytes come in whole code units, each standing for a character; a file
// that breaks off in the middle of one, or names a character past U+10FFFF, is as broken as bad
// UTF-8. UTF-16's surrogates are checked on the decoded text.
bool wholeCodeUnits(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    switch (encoding) {
    case QStringConverter::Utf16:
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf16BE: return bytes.size() % 2 == 0;
    case QStringConverter::Utf32:
    case QStringConverter::Utf32LE:
    case QStringConverter::Utf32BE: {
        if (bytes.size() % 4 != 0)
            return false;
        const bool big = encoding == QStringConverter::Utf32BE;
        for (qsizetype at = 0; at < bytes.size(); at += 4) {
            const quint32 code = big ? qFromBigEndian<quint32>(bytes.data() + at) : qFromLittleEndian<quint32>(bytes.data() + at);
            if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
        }
        return true;
    }
    default: return true;
    }
}

void textValuesInto(const QString& text, SeriesValues& values)
{
    forEachLine(text, [&values](const QString& line) { return values.add(line); });
}

void csvValuesInto(const QString& text, SeriesValues& values)
{
    QString field;
    bool quoted = false;
    bool atFieldStart = true;  // a quote opens a quoted field only as its first character
    for (qsizetype i = 0; i < text.size() && !values.full();) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                i += 2;
            } else if (c == u'"') {
                quoted = false;
                ++i;
            } else if (isLineEnd(c)) {
                field += u' ';
                i = afterLineEnd(text, i);
            } else {
                field += c;
                ++i;
            }
            continue;
        }
        if (c == u'"' && atFieldStart) {
            quoted = true;
            atFieldStart = false;
        } else if (c == u',') {
            values.add(field);
            field.clear();
            atFieldStart = true;
        } else if (isLineEnd(c)) {
            values.add(field);
            field.clear();
            atFieldStart = true;
            i = afterLineEnd(text, i);
            continue;
        } else {
            field += c;
            atFieldStart = false;
        }
        ++i;
    }
    if (!values.full())
        values.add(field);
}

}  // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    const QStringConverter::Encoding encoding = marked.value_or(QStringConverter::Utf8);
    if (!wholeCodeUnits(bytes, encoding))
        return {};
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0')) || !QStringView(text).isValidUtf16())
        return {};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return {text, true};
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    forEachLine(text, [&lines](const QString& line) {
        lines.append(line);
        return true;
    });
    return lines;
}

QString chk_and_insert_validation(const QString& text)
{
    QString cleaned = Well_Formed_Text(text);
    cleaned.remove(u'\\');
    cleaned.remove(u'{');
    cleaned.remove(u'}');
    return Trim_Str(cleaned);
}

QStringList textValues(const QString& text)
{
    SeriesValues values;
    textValuesInto(text, values);
    return values.values();
}

QStringList csvValues(const QString& text)
{
    SeriesValues values;
    csvValuesInto(text, values);
    return values.values();
}

QStringList typedLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : splitLines(Well_Formed_Text(text))) {
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines;
}

FileValues valuesOfFile(const QByteArray& bytes, const QString& extension)
{
    const bool rtf = extension.compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0;
    const bool csv = extension.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    bool readable = false;
    QString text;
    if (rtf && bytes.trimmed().startsWith("{\\rtf")) {
        text = rtfToText(bytes, &readable);
    } else if (!rtf) {
        DecodedText decoded = decodeText(bytes);
        readable = decoded.ok;
        text = std::move(decoded.text);
    }
    if (!readable)
        return {};
    SeriesValues values;
    if (csv)
        csvValuesInto(text, values);
    else
        textValuesInto(text, values);
    if (values.full())
        return {{}, false, kTooManyValuesMessage};
    return {values.values(), true};
}

}  // namespace SeriesTextImport
