#include "data/SeriesTextImport.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "data/SeriesLines.h"
#include "data/SeriesStore.h"

#include "platform/StringHelpers.h"

namespace SeriesTextImport {

namespace {

constexpr qint64 kChunkBytes = qint64(1) << 20;

inline bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Cleans a text as chk_and_insert_validation does, in its own memory when no copy shares it.
void clean(QString& text)
{
    text = Well_Formed_Text(std::move(text));
    text.remove(u'\\');
    text.remove(u'{');
    text.remove(u'}');
    text = Trim_Str(std::move(text));
}

// A value cleaned, holding no more room than its text.
QString cleanedValue(QString&& text)
{
    clean(text);
    SeriesStore::keepOnlyItsRoom(text);
    return std::move(text);
}

// A value that holds nothing to clean within, trimmed, holding no more room than its text.
QString trimmedValue(QString&& text)
{
    text = Trim_Str(std::move(text));
    SeriesStore::keepOnlyItsRoom(text);
    return std::move(text);
}

// Whether a text holds nothing that chk_and_insert_validation removes or replaces, inside it; a
// text known to be well formed holds no NUL and no half of a surrogate pair.
bool needsNoCleaningWithin(QStringView text, bool wellFormed = false)
{
    return !text.contains(u'\\') && !text.contains(u'{') && !text.contains(u'}')
           && (wellFormed || (!text.contains(QChar(u'\0')) && text.isValidUtf16()));
}

// The values of a file as a series will keep them, counted as the series store counts them: an
// import stops at the first value past the room of a series. A file is read twice: counted, its
// values kept only while they are short, then kept up to the last value counted, each long value
// given the room the counting measured for it at once.
class SeriesValues {
public:
    enum class Pass { Count, Keep };
    // Keeping, the values that counting found, when it is given.
    explicit SeriesValues(Pass pass, const SeriesValues* counted = nullptr) : m_keep(pass == Pass::Keep)
    {
        if (counted) {
            m_longLengths = counted->m_longLengths;
            m_values.reserve(counted->m_count);
            m_counted = counted->m_count;
        }
    }

    bool keeps() const { return m_keep; }
    qsizetype count() const { return m_count; }

    // The piece of text the next values are cut from: what holds for all of it is known for each.
    // The pieces of one text are all well formed or none is known to be.
    void startPiece(QStringView piece, bool wellFormed)
    {
        m_wellFormed = wellFormed;
        m_pieceNeedsNoCleaning = needsNoCleaningWithin(piece, wellFormed);
    }
    bool pieceNeedsNoCleaning() const { return m_pieceNeedsNoCleaning; }

    // Each adds a value unless it is empty once cleaned; false once the values pass the room (the
    // value past it is not kept), or once the last value counted is kept: the rest holds none. A
    // field is of the piece, unless told whether it needs cleaning within.
    bool add(QStringView field) { return add(field, m_pieceNeedsNoCleaning); }
    bool add(QStringView field, bool cleanWithin)
    {
        // Most fields are their values as they stand or trimmed: counting them costs no copy, and
        // keeping one copies only its value. The others are cleaned in room kept from one to the
        // next: most are short, and many clean to nothing.
        if (cleanWithin || m_wellFormed || needsNoCleaningWithin(field)) {
            const QStringView value = cleanWithin ? Trimmed_Part(field) : cleanedWellFormed(field);
            return addValue(value.size(), [value] { return value.toString(); });
        }
        m_cleaning.resize(0);
        m_cleaning.append(field);
        clean(m_cleaning);
        return addValue(m_cleaning.size(), [this] { return QString(m_cleaning.constData(), m_cleaning.size()); });
    }
    bool add(QString&& field, bool cleanWithin)
    {
        // A field that needs no cleaning within, long as it may be, is only trimmed.
        QString value = standsAsItsValue(field, cleanWithin) ? std::move(field)
                        : cleanWithin                         ? trimmedValue(std::move(field))
                                                              : cleanedValue(std::move(field));
        return addValue(value.size(), [&value] { return std::move(value); });
    }
    // A value counted by its length alone, as it came: cleaning could only shorten it.
    bool addLong(qint64 units)
    {
        m_longLengths.append(units);
        return addValue(units, [] { return QString(); });
    }
    // The length counting measured for the next long value.
    qint64 nextLongLength() { return m_longLengths.isEmpty() ? 0 : m_longLengths.takeFirst(); }

    // False, and full, when a value still being read has grown past the room left: it cannot fit
    // whatever the rest of it.
    bool roomFor(qint64 units) { return m_memory + SeriesStore::valueMemory(units) <= SeriesStore::kMaxValuesMemory || stop(); }
    bool full() const { return m_full; }
    const QStringList& values() const { return m_values; }

private:
    // A line or field empty once cleaned is left out, but counted as a value, as the series store
    // counts the lines of a file: a file of line ends or commas is read no longer than one of values.
    template <typename Make>
    bool addValue(qint64 units, Make make)
    {
        m_memory += SeriesStore::valueMemory(units);
        if (m_memory > SeriesStore::kMaxValuesMemory)
            return stop();
        if (units == 0)
            return true;
        ++m_count;
        if (m_keep)
            m_values.append(make());
        return m_count != m_counted;
    }

    bool stop()
    {
        m_full = true;
        return false;
    }

    // A well-formed field as clean() leaves it, in one pass: the field itself when it holds nothing
    // to remove, else made in m_cleaning. A file of millions of lines of braces is read no slower
    // than one of values.
    QStringView cleanedWellFormed(QStringView field)
    {
        const auto removed = [](QChar c) { return c == u'\\' || c == u'{' || c == u'}'; };
        const auto first = std::find_if(field.begin(), field.end(), removed);
        if (first == field.end())
            return Trimmed_Part(field);
        if (m_cleaning.size() < field.size())
            m_cleaning.resize(field.size());
        QChar* const start = m_cleaning.data();
        QChar* kept = std::copy(field.begin(), first, start);
        for (auto c = first; c != field.end(); ++c) {
            *kept = *c;
            kept += !removed(*c);
        }
        return kept == start ? QStringView() : Trimmed_Part(QStringView(start, kept - start));
    }

    // Whether chk_and_insert_validation would give the field as it is: visible ASCII at both
    // ends, and nothing it removes or replaces within, unless that is known.
    static bool standsAsItsValue(QStringView field, bool cleanWithin)
    {
        const auto visibleAscii = [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7F; };
        return !field.isEmpty() && visibleAscii(field.front()) && visibleAscii(field.back())
               && (cleanWithin || needsNoCleaningWithin(field));
    }

    bool m_keep = false;
    bool m_wellFormed = false;
    bool m_pieceNeedsNoCleaning = false;
    QStringList m_values;
    QString m_cleaning;
    QList<qint64> m_longLengths;
    qint64 m_memory = 0;
    qsizetype m_count = 0;
    qsizetype m_counted = -1;  // kept, the values counting found
    bool m_full = false;
};

// A value gathered from pieces of the text. While it is counted it is kept only as long as it is
// short; kept, a long value has its whole room at once, so it is never held twice while it grows.
class PendingValue {
public:
    explicit PendingValue(SeriesValues& values) : m_values(values) {}

    bool isEmpty() const { return m_units == 0; }
    // False, and the values full, when the value grew past the room left. A part is of the piece
    // being split, unless told whether it needs cleaning within.
    bool append(QStringView part) { return append(part, m_values.pieceNeedsNoCleaning()); }
    bool append(QStringView part, bool cleanWithin)
    {
        // What follows the last line end of a piece may be nothing: no line has begun, and none
        // may ever come.
        if (part.isEmpty())
            return true;
        const bool wasShort = m_units <= kLongUnits;
        m_cleanWithin = m_cleanWithin && cleanWithin;
        m_units += part.size();
        if (!m_values.roomFor(m_units))
            return false;
        if (m_units <= kLongUnits || m_values.keeps()) {
            if (wasShort && m_units > kLongUnits)
                m_text.reserve(std::max(m_units, m_values.nextLongLength()));
            m_text += part;
        } else if (wasShort) {
            m_text = QString();
        }
        return true;
    }
    // Adds the value and starts the next; false once the values need no more (see SeriesValues::add).
    bool finish()
    {
        if (isEmpty())
            return m_values.add(QStringView(), true);
        const bool added = m_units <= kLongUnits ? m_values.add(QStringView(m_text), m_cleanWithin)
                           : m_values.keeps()    ? m_values.add(std::exchange(m_text, QString()), m_cleanWithin)
                                                 : m_values.addLong(m_units);
        // A short value's room is kept for the next.
        m_text.resize(0);
        m_units = 0;
        m_cleanWithin = true;
        return added;
    }

private:
    static constexpr qint64 kLongUnits = qint64(1) << 20;
    SeriesValues& m_values;
    QString m_text;
    qint64 m_units = 0;
    bool m_cleanWithin = true;
};

// Where the next line end, comma or quote stands in a piece of text: each is found by Qt's search
// and searched for again only once the reading has passed it.
class NextInPiece {
public:
    // Lines and fields are mostly short: the next few characters are looked at before calling on
    // a search.
    static constexpr qsizetype kNearUnits = 16;

    explicit NextInPiece(QStringView piece) : m_piece(piece) {}

    // Where the next of them stands at or after `from`; the piece's size when there is none.
    qsizetype lineEnd(qsizetype from) { return std::min(next(0, u'\r', from), next(1, u'\n', from)); }
    qsizetype comma(qsizetype from) { return next(2, u',', from); }
    qsizetype quote(qsizetype from) { return next(3, u'"', from); }

private:
    qsizetype next(int slot, QChar c, qsizetype from)
    {
        qsizetype& found = m_found[slot];
        if (found < from) {
            const qsizetype near = std::min(m_piece.size(), from + kNearUnits);
            found = std::find(m_piece.begin() + from, m_piece.begin() + near, c) - m_piece.begin();
            if (found == near && near < m_piece.size()) {
                found = m_piece.indexOf(c, near);
                found = found < 0 ? m_piece.size() : found;
            }
        }
        return found;
    }

    QStringView m_piece;
    qsizetype m_found[4] = {-1, -1, -1, -1};
};

// Hands each part of the piece between line ends ("\r\n", "\r" or "\n") to take(part, ended),
// until it answers false; ended is false for the part after the last line end, which the next
// piece goes on with. afterReturn carries a "\r" ending one piece, so that a "\n" opening the
// next is no second line end.
template <typename Take>
bool forEachLinePart(QStringView piece, bool& afterReturn, Take take)
{
    NextInPiece next(piece);
    qsizetype at = std::exchange(afterReturn, false) && piece.startsWith(u'\n') ? 1 : 0;
    for (;;) {
        const qsizetype end = next.lineEnd(at);
        if (end == piece.size())
            return take(piece.sliced(at), false);
        if (!take(piece.sliced(at, end - at), true))
            return false;
        at = end + 1;
        if (piece[end] == u'\r' && at == piece.size())
            afterReturn = true;
        else if (piece[end] == u'\r' && piece[at] == u'\n')
            ++at;
    }
}

// Splits text handed on in pieces into its values: a pending value and what the last piece left
// open carry over to the next piece.
class ValueSplitter {
public:
    explicit ValueSplitter(SeriesValues& values) : m_values(values), m_pending(values) {}
    virtual ~ValueSplitter() = default;
    // False once the values need no more. A piece is well formed when it is known to hold no NUL
    // and no half of a surrogate pair.
    bool take(QStringView piece, bool wellFormed = false)
    {
        m_values.startPiece(piece, wellFormed);
        return split(piece);
    }
    // The text ended: its last value, if it has one.
    void finish()
    {
        if (!m_pending.isEmpty())
            m_pending.finish();
    }

protected:
    virtual bool split(QStringView piece) = 0;

    SeriesValues& m_values;
    PendingValue m_pending;
};

// One value a line, split at "\r\n", "\r" or "\n".
class LineValues : public ValueSplitter {
public:
    using ValueSplitter::ValueSplitter;

protected:
    bool split(QStringView piece) override
    {
        return forEachLinePart(piece, m_afterReturn, [this](QStringView part, bool ended) {
            // A line within the piece is taken from it; one begun before or running on is gathered.
            const bool gathered = !m_pending.isEmpty() || !ended;
            if (gathered && !m_pending.append(part))
                return false;
            return !ended || (gathered ? m_pending.finish() : m_values.add(part));
        });
    }

private:
    bool m_afterReturn = false;
};

// One value a field of every CSV record (RFC 4180).
class CsvValues : public ValueSplitter {
public:
    using ValueSplitter::ValueSplitter;

protected:
    bool split(QStringView piece) override
    {
        NextInPiece next(piece);
        for (qsizetype at = 0; at < piece.size();) {
            if (const std::optional<WholeField> field = wholeField(piece, next, at)) {
                if (!m_values.add(field->value))
                    return false;
                // Its comma or line end is passed with it: the next field starts behind.
                m_afterReturn = piece[field->end] == u'\r';
                at = field->end + 1;
                continue;
            }
            if (inQuotedText()) {
                const qsizetype end = gatherQuoted(piece, next, at);
                if (end > at) {
                    if (!m_pending.append(m_gathered))
                        return false;
                    at = end;
                    continue;
                }
            }
            const qsizetype run = plainRun(next, at);
            if (!(run > 0 ? m_pending.append(piece.sliced(at, run)) : step(piece[at])))
                return false;
            at += std::max<qsizetype>(run, 1);
        }
        return true;
    }

private:
    struct WholeField {
        QStringView value;
        qsizetype end;  // where the comma or line end after it stands
    };
    // The field starting at `at` when it ends within the piece as it stands there: unquoted, or
    // quoted with no doubled quote or line end in it, and followed by its comma or line end.
    std::optional<WholeField> wholeField(QStringView piece, NextInPiece& next, qsizetype at) const
    {
        if (!m_atFieldStart || m_quoted || m_afterReturn || !m_pending.isEmpty())
            return std::nullopt;
        if (piece[at] != u'"') {
            const qsizetype end = std::min(next.lineEnd(at), next.comma(at));
            return end > at && end < piece.size() ? std::optional<WholeField>({piece.sliced(at, end - at), end}) : std::nullopt;
        }
        const qsizetype close = next.quote(at + 1);
        const bool ended = close + 1 < piece.size() && (piece[close + 1] == u',' || isLineEnd(piece[close + 1]));
        return ended && next.lineEnd(at + 1) > close ? std::optional<WholeField>({piece.sliced(at + 1, close - at - 1), close + 1})
                                                     : std::nullopt;
    }

    bool inQuotedText() const { return m_quoted && !m_quoteInQuoted && !m_afterReturn; }

    // The text of a quoted field from `at` on into m_gathered, each doubled quote made one and
    // each line end a blank, up to its closing quote or the end of the piece; where it stopped. A
    // field of a hundred million doubled quotes or line ends is gathered a piece at a time, not a
    // character at a time. A quote or "\r" that only the next piece can decide is left to step().
    qsizetype gatherQuoted(QStringView piece, NextInPiece& next, qsizetype at)
    {
        const auto special = [](QChar c) { return c == u'"' || isLineEnd(c); };
        m_gathered.resize(piece.size() - at);
        QChar* const start = m_gathered.data();
        QChar* out = start;
        const QChar* const end = piece.data() + piece.size();
        const QChar* in = piece.data() + at;
        while (in < end) {
            // Runs between quotes and line ends are mostly short: looked at one by one, and
            // searched for only past the first few characters.
            const QChar* const near = std::min(end, in + NextInPiece::kNearUnits);
            const QChar* run = in;
            while (run < near && !special(*run))
                ++run;
            if (run == near && run < end) {
                const qsizetype from = run - piece.data();
                run = piece.data() + std::min(next.lineEnd(from), next.quote(from));
            }
            out = std::copy(in, run, out);
            in = run;
            if (end - in < 2 || (in[0] == u'"' && in[1] != u'"'))
                break;
            *out++ = in[0] == u'"' ? u'"' : u' ';
            in += in[0] == u'"' || (in[0] == u'\r' && in[1] == u'\n') ? 2 : 1;
        }
        m_gathered.resize(out - start);
        return in - piece.data();
    }

    // How many characters from `at` go into the field as they are; none where the next one
    // decides what follows.
    qsizetype plainRun(NextInPiece& next, qsizetype at) const
    {
        if (m_afterReturn || m_quoteInQuoted || (!m_quoted && m_atFieldStart))
            return 0;
        return std::min(next.lineEnd(at), m_quoted ? next.quote(at) : next.comma(at)) - at;
    }

    // False once the values need no more.
    bool step(QChar c)
    {
        if (std::exchange(m_afterReturn, false) && c == u'\n')
            return true;
        // A quote in a quoted field is a doubled quote or the field's closing one.
        if (std::exchange(m_quoteInQuoted, false)) {
            if (c == u'"')
                return m_pending.append(QStringView(&c, 1));
            m_quoted = false;
        }
        if (m_quoted) {
            if (c == u'"') {
                m_quoteInQuoted = true;
                return true;
            }
            m_afterReturn = c == u'\r';
            return m_pending.append(isLineEnd(c) ? u" " : QStringView(&c, 1));
        }
        if (c == u'"' && m_atFieldStart) {
            m_quoted = true;
            m_atFieldStart = false;
            return true;
        }
        if (c == u',' || isLineEnd(c)) {
            m_afterReturn = c == u'\r';
            m_atFieldStart = true;
            return m_pending.finish();
        }
        m_atFieldStart = false;
        return m_pending.append(QStringView(&c, 1));
    }

    QString m_gathered;
    bool m_quoted = false;
    bool m_quoteInQuoted = false;
    bool m_atFieldStart = true;  // a quote opens a quoted field only as its first character
    bool m_afterReturn = false;
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

// The text of a device's bytes, decoded a chunk at a time and handed on: a byte-order mark
// decides the encoding, else UTF-8. False when the bytes are no text in it (see decodeText).
// Chunks are cut between characters: a UTF-8 sequence cut at a chunk's end, and the first half of
// a surrogate pair, wait for the next.
bool decodedPieces(QIODevice& device, const TextPieces& take)
{
    const QStringConverter::Encoding encoding = QStringConverter::encodingForData(device.peek(4)).value_or(QStringConverter::Utf8);
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    // Both are used again for every chunk: the bytes begin with what the last chunk left of a cut
    // sequence, the text with the first half of a surrogate pair it ended with.
    QByteArray bytes;
    QString piece;
    bool first = true;
    for (;;) {
        const qsizetype carried = bytes.size();
        bytes.resize(carried + kChunkBytes);
        const qint64 read = device.read(bytes.data() + carried, kChunkBytes);
        const bool last = read < kChunkBytes;
        if (read < 0 || (last && !device.atEnd()))
            return false;
        bytes.resize(carried + read);
        const qsizetype whole = encoding == QStringConverter::Utf8 && !last ? SeriesLines::wholeSequences(bytes) : bytes.size();
        const QByteArrayView text = QByteArrayView(bytes).first(whole);
        if (!wholeCodeUnits(text, encoding))
            return false;
        const qsizetype held = piece.size();
        piece.resize(held + decoder.requiredSpace(whole));
        piece.resize(decoder.appendToBuffer(piece.data() + held, text) - piece.constData());
        std::memmove(bytes.data(), bytes.constData() + whole, size_t(bytes.size() - whole));
        bytes.resize(bytes.size() - whole);
        const bool cutPair = !last && !piece.isEmpty() && piece.back().isHighSurrogate();
        const QStringView ready = QStringView(piece).chopped(cutPair ? 1 : 0);
        // UTF-8 gives no half of a surrogate pair: the three bytes of one are an error.
        if (decoder.hasError() || ready.contains(QChar(u'\0')) || (encoding != QStringConverter::Utf8 && !ready.isValidUtf16()))
            return false;
        // The byte-order mark is no part of the text.
        const qsizetype mark = first && ready.startsWith(QChar(0xFEFF)) ? 1 : 0;
        first = first && ready.isEmpty();
        if (!take(ready.sliced(mark)) || last)
            return true;
        const QChar half = cutPair ? piece.back() : QChar();
        piece.resize(0);
        if (cutPair)
            piece.append(half);
    }
}

enum class FileKind { Text, Csv, Rtf };

// Whether the device holds a rich-text document: "{\rtf" after any blanks, which are passed.
bool startsRichText(QIODevice& device)
{
    for (;;) {
        const QByteArray head = device.peek(kChunkBytes);
        const auto text = std::find_if_not(head.cbegin(), head.cend(), [](char c) { return std::isspace(uchar(c)); });
        device.skip(text - head.cbegin());
        if (text != head.cend() || head.isEmpty())
            return device.peek(5) == "{\\rtf";
    }
}

// The values of the device's text, from where it stands, into values; false when it is no text
// of its kind.
bool readValues(QIODevice& device, FileKind kind, SeriesValues& values)
{
    std::unique_ptr<ValueSplitter> splitter;
    if (kind == FileKind::Csv)
        splitter = std::make_unique<CsvValues>(values);
    else
        splitter = std::make_unique<LineValues>(values);
    // Decoded text is checked whole as it is decoded; rich text is not.
    const bool wellFormed = kind != FileKind::Rtf;
    const TextPieces take = [&splitter, wellFormed](QStringView piece) { return splitter->take(piece, wellFormed); };
    const bool readable = kind == FileKind::Rtf ? startsRichText(device) && rtfTextPieces(device, take)
                                                : decodedPieces(device, take);
    if (readable && !values.full())
        splitter->finish();
    return readable;
}

// The whole text a reader of pieces makes of the bytes; none when it refuses them.
std::optional<QString> wholeText(const QByteArray& bytes, bool (*read)(QIODevice&, const TextPieces&))
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QString text;
    const bool readable = read(buffer, [&text](QStringView piece) {
        text += piece;
        return true;
    });
    return readable ? std::optional<QString>(text) : std::nullopt;
}

}  // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    const std::optional<QString> text = wholeText(bytes, decodedPieces);
    return text ? DecodedText{*text, true} : DecodedText{};
}

QString rtfToText(const QByteArray& rtf, bool* ok)
{
    const std::optional<QString> text = wholeText(rtf, rtfTextPieces);
    if (ok)
        *ok = text.has_value();
    return text.value_or(QString());
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    bool afterReturn = false;
    forEachLinePart(text, afterReturn, [&lines](QStringView part, bool) {
        lines.append(part.toString());
        return true;
    });
    return lines;
}

QString chk_and_insert_validation(const QString& text)
{
    return cleanedValue(QString(text));
}

QStringList textValues(const QString& text)
{
    SeriesValues values(SeriesValues::Pass::Keep);
    LineValues lines(values);
    if (lines.take(text))
        lines.finish();
    return values.values();
}

QStringList csvValues(const QString& text)
{
    SeriesValues values(SeriesValues::Pass::Keep);
    CsvValues fields(values);
    if (fields.take(text))
        fields.finish();
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
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return valuesOfFile(buffer, extension);
}

FileValues valuesOfFile(QIODevice& file, const QString& extension)
{
    const FileKind kind = extension.compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0   ? FileKind::Rtf
                          : extension.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? FileKind::Csv
                                                                                               : FileKind::Text;
    SeriesValues counted(SeriesValues::Pass::Count);
    if (!readValues(file, kind, counted))
        return {};
    if (counted.full())
        return {{}, false, kTooManyValuesMessage};
    if (counted.count() == 0)
        return {{}, true};
    // The file read again gives the same values, unless it changed in between.
    SeriesValues kept(SeriesValues::Pass::Keep, &counted);
    if (!file.seek(0) || !readValues(file, kind, kept))
        return {};
    if (kept.full())
        return {{}, false, kTooManyValuesMessage};
    return {kept.values(), true};
}

}  // namespace SeriesTextImport
