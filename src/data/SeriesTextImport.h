#pragma once
// Values for a series from outside text: plain text files, CSV, rich text and typed lines. No
// widgets; every function returns the values in the order they stand.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>

namespace SeriesTextImport {

inline const QString kUnreadableTextMessage =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
inline const QString kTooManyValuesMessage = QStringLiteral("The file holds more values than a series can keep.");

// Text of a file's bytes: a byte-order mark (UTF-8, UTF-16 or UTF-32) decides the encoding;
// without one the bytes must be valid UTF-8. ok false when neither holds, when the bytes are not
// whole characters of their encoding (an odd byte of UTF-16, half a surrogate pair, a code past
// U+10FFFF), or when there is a NUL.
struct DecodedText {
    QString text;
    bool ok = false;
};
DecodedText decodeText(const QByteArray& bytes);

// The text's lines, split at "\r\n", "\r" or "\n".
QStringList splitLines(const QString& text);

// A value as it goes into a series: "\", "{" and "}" removed, then Trim_Str.
QString chk_and_insert_validation(const QString& text);

// One value per line of a text file; lines that are empty once cleaned are left out. This and
// csvValues stop before the first value past the room of a series (SeriesStore::kMaxValuesMemory),
// where every line or field counts, left out or not, as the series store counts a file's lines.
QStringList textValues(const QString& text);

// One value per field of every CSV record (RFC 4180): fields are separated by commas, a field in
// double quotes may hold commas, line ends and doubled quotes; records end at "\r\n", "\r" or "\n"
// outside quotes. A line end inside a field becomes a blank, since a series value is one line.
// Fields that are empty once cleaned are left out.
QStringList csvValues(const QString& text);

// The plain text of a rich-text (RTF) document: the text of every run, "\par" and "\line" as
// line ends, "\'hh" in the document's code page, "\uN" as Unicode; fonts, colours, styles,
// pictures and other destinations left out. Groups nested deeper than kMaxRtfGroupDepth give no
// text, *ok false.
inline constexpr int kMaxRtfGroupDepth = 1000;
QString rtfToText(const QByteArray& rtf, bool* ok = nullptr);

// Text handed on a piece at a time, in order; the reading stops when it answers false.
using TextPieces = std::function<bool(QStringView)>;
// The same text read from a device a chunk at a time and handed on as it is read: neither the
// document nor its text is held whole. False when groups nest too deeply (what was handed on
// then stands for nothing).
bool rtfTextPieces(QIODevice& rtf, const TextPieces& take);

// The lines typed into the window that are not empty, as typed (not trimmed line by line).
QStringList typedLines(const QString& text);

// A file's values by its extension: "csv" as CSV, "rtf" as rich text, anything else as plain text.
// ok false when the bytes are no text in a known encoding (kUnreadableTextMessage, failure empty)
// or hold more values than a series can keep (failure kTooManyValuesMessage, no values).
struct FileValues {
    QStringList values;
    bool ok = false;
    QString failure;
};
FileValues valuesOfFile(const QByteArray& bytes, const QString& extension);
// The same read from a device that can go back to its start: read a chunk at a time and counted
// first, then read again up to its last value to keep the values, so a file past the room of a
// series is refused having held none of its text or values, and a file within it holds only its
// values.
FileValues valuesOfFile(QIODevice& file, const QString& extension);

}  // namespace SeriesTextImport
