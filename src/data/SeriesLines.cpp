#include "data/SeriesLines.h"

#include <algorithm>

#include "data/SeriesStore.h"

#include "platform/StringHelpers.h"

namespace {

bool isContinuation(char byte) { return (uchar(byte) & 0xC0) == 0x80; }

}  // namespace

qsizetype SeriesLines::wholeSequences(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= std::min<qsizetype>(4, size); ++back) {
        const uchar byte = uchar(bytes[size - back]);
        if (isContinuation(char(byte)))
            continue;
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return back < length ? size - back : size;
    }
    return size;
}

// One for each character, two past U+FFFF.
qint64 SeriesLines::utf16Units(QByteArrayView bytes)
{
    qint64 units = 0;
    for (const char byte : bytes)
        units += (isContinuation(byte) ? 0 : 1) + (uchar(byte) >= 0xF0 ? 1 : 0);
    return units;
}

SeriesLines::SeriesLines(QFile& file) : m_file(file)
{
    if (fill(0) && m_chunk.startsWith("\xEF\xBB\xBF"))
        m_at = 3;
}

bool SeriesLines::fill(qint64 from)
{
    if (m_file.pos() != from && !m_file.seek(from)) {
        m_failed = true;
        return false;
    }
    m_chunk = m_file.read(kChunkBytes);
    m_chunkAt = from;
    m_at = 0;
    m_failed = m_file.error() != QFileDevice::NoError;
    return !m_failed;
}

SeriesLines::Read SeriesLines::decoded(QByteArrayView line, QString& value, QByteArrayView* ascii)
{
    // An empty line, common in series of records, takes no room of its own.
    if (line.isEmpty()) {
        value.truncate(0);
        return Read::Value;
    }
    if (Is_Ascii(line)) {
        if (line.contains('\0'))
            return Read::NotText;
        // ASCII stands for itself, in room of its own size: a short value that took the room of
        // the longest text of its bytes would take a larger block.
        if (ascii)
            *ascii = line;
        else
            value = QString::fromLatin1(line);
        return Read::Value;
    }
    // Decoded into the room the value holds, when it is its own and large enough: lines counted
    // one after the other into the same value take no room of their own either.
    const qsizetype room = m_utf8.requiredSpace(line.size());
    if (value.isDetached() && value.capacity() >= room)
        value.resize(room);
    else
        value = QString(room, Qt::Uninitialized);
    value.truncate(m_utf8.appendToBuffer(value.data(), line) - value.constData());
    return m_utf8.hasError() || value.contains(QChar(u'\0')) ? Read::NotText : Read::Value;
}

SeriesLines::Read SeriesLines::next(qint64 roomUnits, QString& value, QByteArrayView* ascii)
{
    if (ascii)
        *ascii = QByteArrayView();
    if (m_failed)
        return Read::Failed;
    if (m_at >= m_chunk.size()) {
        if (m_chunk.size() < kChunkBytes)
            return Read::End;
        if (!fill(m_chunkAt + m_chunk.size()))
            return Read::Failed;
        if (m_chunk.isEmpty())
            return Read::End;
    }
    qsizetype end = m_chunk.indexOf('\n', m_at);
    // A line running past the chunk: the next chunk starts with it.
    if (end < 0 && m_at > 0 && m_chunk.size() == kChunkBytes) {
        if (!fill(m_chunkAt + m_at))
            return Read::Failed;
        end = m_chunk.indexOf('\n');
    }
    if (end < 0 && m_chunk.size() == kChunkBytes)
        return longLine(roomUnits, value);
    const qsizetype lineEnd = end < 0 ? m_chunk.size() : end;
    const QByteArrayView line = QByteArrayView(m_chunk).sliced(m_at, lineEnd - m_at);
    m_at = end < 0 ? m_chunk.size() : end + 1;
    return decoded(line, value, ascii);
}

// A line longer than a chunk, at the chunk's start: measured to its end, then decoded in pieces
// cut between sequences, into a text of the size measured.
SeriesLines::Read SeriesLines::longLine(qint64 roomUnits, QString& value)
{
    const qint64 lineAt = m_chunkAt;
    qint64 length = 0, units = 0;
    bool ended = false;
    for (;;) {
        const qsizetype end = m_chunk.indexOf('\n');
        const QByteArrayView part = QByteArrayView(m_chunk).first(end < 0 ? m_chunk.size() : end);
        if (part.contains('\0'))
            return Read::NotText;
        length += part.size();
        units += utf16Units(part);
        if (length > SeriesStore::kMaxFileBytes)
            return Read::TooLong;
        if (units > roomUnits)
            return Read::NoRoom;
        ended = end >= 0;
        if (ended || m_chunk.size() < kChunkBytes)
            break;
        if (!fill(m_chunkAt + m_chunk.size()))
            return Read::Failed;
    }
    value.clear();
    value.reserve(units);
    QByteArray carried;
    for (qint64 left = length; left > 0;) {
        if (!fill(lineAt + length - left))
            return Read::Failed;
        const QByteArrayView piece = QByteArrayView(m_chunk).first(std::min<qint64>(left, m_chunk.size()));
        left -= piece.size();
        const QByteArray bytes = carried + piece.toByteArray();
        const qsizetype whole = left > 0 ? wholeSequences(bytes) : bytes.size();
        value += m_utf8.decode(QByteArrayView(bytes).first(whole));
        if (m_utf8.hasError())
            return Read::NotText;
        carried = bytes.sliced(whole);
    }
    return fill(lineAt + length + (ended ? 1 : 0)) ? Read::Value : Read::Failed;
}
