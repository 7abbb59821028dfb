#include "data/SeriesFileBuffer.h"

#include "platform/AtomicFile.h"

void SeriesFileBuffer::append(const QString& value)
{
    _bytes += value.toUtf8();
    _bytes += '\n';
    ++_count;
}

bool SeriesFileBuffer::commit(const QString& path, QString* error) const
{
    return writeFileAtomically(path, _bytes, error);
}

SeriesFileBuffer SeriesFileBuffer::withBytes(const QByteArray& bytes)
{
    SeriesFileBuffer buffer;
    buffer._bytes = bytes;
    buffer._count = bytes.count('\n');
    return buffer;
}
