#pragma once
// The lines of a series file, read a chunk at a time. A line inside a chunk is decoded from it; a
// longer one is first measured, then decoded piece by piece into a text of its exact size, so
// neither the file nor a line is ever held whole as bytes, and a line longer than the room left
// for it is refused before any of it is decoded. Lines are UTF-8, split at "\n"; the byte-order
// mark at the file's start is no part of the first line, a U+FEFF anywhere else is kept.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

class SeriesLines {
public:
    explicit SeriesLines(QFile& file);

    enum class Read {
        Value,    // the next line is in the value
        End,      // no line is left
        NotText,  // the line is not UTF-8 or holds a NUL
        NoRoom,   // the line would take more than the room given
        TooLong,  // the line is longer than a series file may be
        Failed,   // the file could not be read (the file's errorString())
    };
    // The next line into value; roomUnits is how many UTF-16 units it may take. A line that fits
    // the room value holds is decoded there. When ascii is given, a line of ASCII that a chunk
    // holds is not decoded, as counting lines needs no text of them: *ascii views its bytes until
    // the next read, and value is left as it was; *ascii is null for a line decoded into value.
    Read next(qint64 roomUnits, QString& value, QByteArrayView* ascii = nullptr);

    static constexpr qint64 kChunkBytes = qint64(1) << 20;
    // The UTF-16 units valid UTF-8 bytes decode to.
    static qint64 utf16Units(QByteArrayView bytes);
    // How many of the UTF-8 bytes make whole sequences: a sequence cut at the end waits for the
    // next piece of the text.
    static qsizetype wholeSequences(QByteArrayView bytes);

private:
    bool fill(qint64 from);
    Read decoded(QByteArrayView line, QString& value, QByteArrayView* ascii);
    Read longLine(qint64 roomUnits, QString& value);

    QFile& m_file;
    QByteArray m_chunk;
    qint64 m_chunkAt = 0;  // where the chunk stands in the file
    qsizetype m_at = 0;    // where the next line starts in the chunk
    bool m_failed = false;
    // Each line alone: a broken sequence at a line's end must not join the next line.
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
};
