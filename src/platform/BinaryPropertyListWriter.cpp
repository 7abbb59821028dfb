#include "platform/BinaryPropertyList.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/PropertyListWalk.h"
#include "platform/Utf8Text.h"

namespace {

enum Marker : uchar {
    kFalse = 0x08,
    kTrue = 0x09,
    kInteger = 0x10,
    kReal = 0x20,
    kDate = 0x30,
    kData = 0x40,
    kAscii = 0x50,
    kUtf16 = 0x60,
    kArray = 0xa0,
    kDictionary = 0xd0,
};

// The bytes an unsigned number takes in an offset or a reference: 1, 2, 3, 4 or 8.
int widthOf(quint64 value)
{
    for (int width = 1; width <= 4; ++width) {
        if (value < quint64(1) << (8 * width))
            return width;
    }
    return 8;
}

void appendBigEndian(QByteArray& out, quint64 value, int width)
{
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xff);
}

// An integer object of 1, 2, 4 or 8 bytes; a negative number takes 8.
void appendInteger(QByteArray& out, quint64 value)
{
    const int width = widthOf(value) == 3 ? 4 : widthOf(value);
    out += char(kInteger | std::countr_zero(unsigned(width)));
    appendBigEndian(out, value, width);
}

// A marker holding a count below 15 in its low half; a larger count follows as an integer.
void appendMarker(QByteArray& out, uchar kind, quint64 count)
{
    out += char(kind | (count < 15 ? count : 0x0f));
    if (count >= 15)
        appendInteger(out, count);
}

void appendDouble(QByteArray& out, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    appendBigEndian(out, bits, 8);
}

// A text as libplist stored the UTF-8 it was handed: as ASCII when it is, else as UTF-16.
QByteArray encodedText(const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    QByteArray bytes;
    if (std::all_of(utf8.cbegin(), utf8.cend(), [](char c) { return uchar(c) < 0x80; })) {
        appendMarker(bytes, kAscii, quint64(utf8.size()));
        return bytes + utf8;
    }
    const QString units = textFromUtf8(utf8);
    appendMarker(bytes, kUtf16, quint64(units.size()));
    bytes.reserve(bytes.size() + 2 * units.size());
    for (const QChar unit : units)
        appendBigEndian(bytes, unit.unicode(), 2);
    return bytes;
}

// The objects of a list in the order the walk meets them; the first is the root.
class BinarySink {
public:
    void boolean(bool on) { shared(m_scalars, QByteArray(1, char(on ? kTrue : kFalse))); }
    void integer(qint64 value)
    {
        QByteArray bytes;
        appendInteger(bytes, quint64(value));
        shared(m_scalars, bytes);
    }
    void real(double value);
    void text(const QString& value) { shared(m_texts, encodedText(value)); }
    void key(const QString& value) { shared(m_keys, encodedText(value)); }
    void data(const QByteArray& value)
    {
        QByteArray marker;
        appendMarker(marker, kData, quint64(value.size()));
        place(Object{marker, value});
    }
    void date(qint32 seconds, qint32 microseconds)
    {
        QByteArray bytes(1, char(kDate | 3));
        appendDouble(bytes, double(seconds) + double(microseconds) / 1000000);
        shared(m_scalars, bytes);
    }
    void beginArray(qsizetype) { open(kArray); }
    void endArray(qsizetype) { m_open.pop_back(); }
    void beginDictionary(qsizetype) { open(kDictionary); }
    void endDictionary(qsizetype) { m_open.pop_back(); }

    QByteArray finish() const;

private:
    struct Object {
        QByteArray bytes;    // a scalar's whole encoding, or the marker of a data object
        QByteArray payload;  // a data object's bytes, shared with the value
        uchar container = 0;
        std::vector<quint64> references;  // a dictionary's keys and values alternate
    };

    // The root is the one object outside every container.
    void refer(quint64 index)
    {
        if (!m_open.empty())
            m_objects[m_open.back()].references.push_back(index);
    }
    quint64 place(Object object)
    {
        const quint64 index = m_objects.size();
        refer(index);
        m_objects.push_back(std::move(object));
        return index;
    }
    // Texts, keys and other scalars equal to one stored before are references to it; data never
    // is, as libplist merges none unless the hashes of their addresses meet.
    void shared(QHash<QByteArray, quint64>& stored, const QByteArray& bytes)
    {
        if (const auto found = stored.constFind(bytes); found != stored.cend())
            refer(*found);
        else
            stored.insert(bytes, place(Object{bytes}));
    }
    void open(uchar kind) { m_open.push_back(place(Object{{}, {}, kind})); }

    std::vector<Object> m_objects;
    std::vector<quint64> m_open;
    QHash<QByteArray, quint64> m_texts;
    QHash<QByteArray, quint64> m_keys;
    QHash<QByteArray, quint64> m_scalars;
};

// Four bytes when a float holds the value exactly (infinities too), else eight.
void BinarySink::real(double value)
{
    const bool single = std::isinf(value)
        || (std::fabs(value) <= std::numeric_limits<float>::max() && double(float(value)) == value);
    QByteArray bytes(1, char(kReal | (single ? 2 : 3)));
    if (single) {
        const float narrow = float(value);
        quint32 bits = 0;
        std::memcpy(&bits, &narrow, sizeof bits);
        appendBigEndian(bytes, bits, 4);
    } else {
        appendDouble(bytes, value);
    }
    shared(m_scalars, bytes);
}

QByteArray BinarySink::finish() const
{
    const quint64 count = m_objects.size();
    const int referenceWidth = widthOf(count);
    qsizetype size = 8 + 32 + qsizetype(count) * 8;
    for (const Object& object : m_objects)
        size += object.bytes.size() + object.payload.size() + 9 + qsizetype(object.references.size()) * referenceWidth;
    QByteArray out("bplist00");
    out.reserve(size);
    std::vector<quint64> offsets;
    offsets.reserve(count);
    for (const Object& object : m_objects) {
        offsets.push_back(quint64(out.size()));
        if (!object.container) {
            out += object.bytes;
            out += object.payload;
            continue;
        }
        // A dictionary lists its keys, then its values.
        const size_t step = object.container == kDictionary ? 2 : 1;
        appendMarker(out, object.container, object.references.size() / step);
        for (size_t first = 0; first < step; ++first) {
            for (size_t i = first; i < object.references.size(); i += step)
                appendBigEndian(out, object.references[i], referenceWidth);
        }
    }
    const quint64 tableAt = quint64(out.size());
    const int offsetWidth = widthOf(tableAt);
    for (const quint64 offset : offsets)
        appendBigEndian(out, offset, offsetWidth);
    out.append(6, '\0');
    out += char(offsetWidth);
    out += char(referenceWidth);
    appendBigEndian(out, count, 8);
    appendBigEndian(out, 0, 8);  // the root
    appendBigEndian(out, tableAt, 8);
    return out;
}

}  // namespace

QByteArray binaryPropertyListData(const QVariant& value, QString* error)
{
    BinarySink sink;
    if (!PropertyListWalk::walk(value, sink, error))
        return {};
    return sink.finish();
}
