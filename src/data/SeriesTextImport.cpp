#include "data/SeriesTextImport.h"

#include <QStringDecoder>

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

void appendValue(QStringList& values, const QString& field)
{
    const QString value = chk_and_insert_validation(field);
    if (!value.isEmpty())
        values.append(value);
}

}  // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8), QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0')))
        return {};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return {text, true};
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (!isLineEnd(text.at(i))) {
            ++i;
            continue;
        }
        lines.append(text.mid(start, i - start));
        i = afterLineEnd(text, i);
        start = i;
    }
    lines.append(text.mid(start));
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
    QStringList values;
    for (const QString& line : splitLines(text))
        appendValue(values, line);
    return values;
}

QStringList csvValues(const QString& text)
{
    QStringList values;
    QString field;
    bool quoted = false;
    bool atFieldStart = true;  // a quote opens a quoted field only as its first character
    for (qsizetype i = 0; i < text.size();) {
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
            appendValue(values, field);
            field.clear();
            atFieldStart = true;
        } else if (isLineEnd(c)) {
            appendValue(values, field);
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
    appendValue(values, field);
    return values;
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
    if (extension.compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0) {
        if (!bytes.trimmed().startsWith("{\\rtf"))
            return {};
        return {textValues(rtfToText(bytes)), true};
    }
    const DecodedText decoded = decodeText(bytes);
    if (!decoded.ok)
        return {};
    if (extension.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return {csvValues(decoded.text), true};
    return {textValues(decoded.text), true};
}

}  // namespace SeriesTextImport
