#pragma once
// The bytes of a series file gathered in memory and written whole, so an old series stays as it
// was until its replacement is complete.
#include <QByteArray>
#include <QString>

class SeriesFileBuffer {
public:
    // A buffer that starts with a series file's bytes, to append to it.
    static SeriesFileBuffer withBytes(const QByteArray& bytes);

    // The value and its line feed, in UTF-8 (the series file format).
    void append(const QString& value);
    qsizetype valueCount() const { return _count; }
    const QByteArray& bytes() const { return _bytes; }
    // Replaces the file at path with the values atomically; false, with why in *error, when the
    // old file had to stay.
    bool commit(const QString& path, QString* error = nullptr) const;

private:
    QByteArray _bytes;
    qsizetype _count = 0;
};
