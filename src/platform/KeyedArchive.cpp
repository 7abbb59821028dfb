#include "platform/KeyedArchive.h"

#include <QCryptographicHash>

#include "platform/EncodedImageCache.h"
#include "platform/PictureReading.h"
#include "platform/PropertyList.h"
#include "platform/PropertyListWalk.h"

#include <algorithm>
#include <cmath>
#include <limits>

// Stored forms: bool -> boolean, int -> integer, float and double -> real, string -> string,
// rect -> [x, y, w, h], point -> [x, y], size -> [w, h] (reals), colour -> [r, g, b, a] (reals
// 0..1), font -> {"name": string, "size": real, "style": string when there is one}, picture -> PNG
// data, data -> data.

namespace {

const QString kFontName = QStringLiteral("name");
const QString kFontSize = QStringLiteral("size");
const QString kFontStyle = QStringLiteral("style");

QVariantList reals(std::initializer_list<double> values)
{
    QVariantList list;
    for (double value : values)
        list.append(value);
    return list;
}

// A finite number stored as real or integer; anything else (booleans included) is no number.
std::optional<double> finiteNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const double number = value.toDouble();
        if (std::isfinite(number))
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// The numbers of an array of exactly `count` finite numbers; empty otherwise.
QList<double> finiteNumbers(const QVariant& value, qsizetype count)
{
    if (value.typeId() != QMetaType::QVariantList)
        return {};
    const QVariantList list = value.toList();
    if (list.size() != count)
        return {};
    QList<double> numbers;
    for (const QVariant& item : list) {
        const auto number = finiteNumber(item);
        if (!number)
            return {};
        numbers.append(*number);
    }
    return numbers;
}

}  // namespace

// ---- KeyedArchiver -----------------------------------------------------------------------------

void KeyedArchiver::encodeBool(const QString& key, bool value)
{
    m_values.insert(key, value);
}

void KeyedArchiver::encodeInt(const QString& key, qint32 value)
{
    m_values.insert(key, value);
}

void KeyedArchiver::encodeFloat(const QString& key, float value)
{
    m_values.insert(key, double(value));
}

void KeyedArchiver::encodeDouble(const QString& key, double value)
{
    m_values.insert(key, value);
}

void KeyedArchiver::encodeString(const QString& key, const QString& value)
{
    m_values.insert(key, value);
}

void KeyedArchiver::encodeRect(const QString& key, const QRectF& value)
{
    m_values.insert(key, reals({value.x(), value.y(), value.width(), value.height()}));
}

void KeyedArchiver::encodePoint(const QString& key, const QPointF& value)
{
    m_values.insert(key, reals({value.x(), value.y()}));
}

void KeyedArchiver::encodeSize(const QString& key, const QSizeF& value)
{
    m_values.insert(key, reals({value.width(), value.height()}));
}

void KeyedArchiver::encodeColor(const QString& key, const QColor& value)
{
    if (!value.isValid())
        return;
    const QColor rgb = value.toRgb();
    m_values.insert(key, reals({rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()}));
}

void KeyedArchiver::encodeFont(const QString& key, const QString& name, double pointSize, const QString& style)
{
    QVariantMap font{{kFontName, name}, {kFontSize, pointSize}};
    if (!style.isEmpty())
        font.insert(kFontStyle, style);
    m_values.insert(key, font);
}

void KeyedArchiver::encodeImage(const QString& key, const QImage& value)
{
    const QByteArray png = encodedPng(value);
    if (!png.isEmpty())
        m_values.insert(key, png);
}

void KeyedArchiver::encodeData(const QString& key, const QByteArray& value)
{
    m_values.insert(key, value);
}

QByteArray KeyedArchiver::finish() const
{
    return PropertyList::toData(m_values, PropertyList::Format::Binary);
}

namespace {

// Hashes the values as a property list holds them (so a null text is an empty one, an int a
// 64-bit integer), each with a tag and texts and data with their length, so that neighbouring
// values cannot trade bytes.
class DigestSink {
public:
    void boolean(bool on) { tag(on ? 'T' : 'F'); }
    void integer(qint64 value) { fixed('i', value); }
    void real(double value) { fixed('r', value); }
    void text(const QString& value) { sized('s', value.constData(), value.size() * qsizetype(sizeof(QChar))); }
    void key(const QString& value) { sized('k', value.constData(), value.size() * qsizetype(sizeof(QChar))); }
    void data(const QByteArray& value) { sized('d', value.constData(), value.size()); }
    void date(qint32 seconds, qint32 microseconds)
    {
        fixed('t', seconds);
        fixed('u', microseconds);
    }
    void beginArray(qsizetype count) { fixed('[', count); }
    void endArray(qsizetype) { tag(']'); }
    void beginDictionary(qsizetype count) { fixed('{', count); }
    void endDictionary(qsizetype) { tag('}'); }

    QByteArray result() const { return m_hash.result(); }

private:
    void tag(char kind) { m_hash.addData(QByteArrayView(&kind, 1)); }
    template <typename T>
    void fixed(char kind, T value)
    {
        tag(kind);
        m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(&value), sizeof value));
    }
    void sized(char kind, const void* bytes, qsizetype size)
    {
        fixed(kind, size);
        m_hash.addData(QByteArrayView(static_cast<const char*>(bytes), size));
    }

    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

}  // namespace

QByteArray KeyedArchiver::digest() const
{
    DigestSink sink;
    // Values no list can hold give no digest, as they give no archive.
    if (!PropertyListWalk::walk(m_values, sink, nullptr))
        return {};
    return sink.result();
}

// ---- KeyedUnarchiver ---------------------------------------------------------------------------

std::optional<KeyedUnarchiver> KeyedUnarchiver::fromData(const QByteArray& bytes)
{
    const auto root = PropertyList::fromData(bytes);
    if (!root || root->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return KeyedUnarchiver(root->toMap());
}

bool KeyedUnarchiver::decodeBool(const QString& key) const
{
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::Bool && value.toBool();
}

qint32 KeyedUnarchiver::decodeInt(const QString& key) const
{
    const auto number = finiteNumber(m_values.value(key));
    if (!number)
        return 0;
    const double whole = std::trunc(*number);
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(whole);
}

float KeyedUnarchiver::decodeFloat(const QString& key) const
{
    const auto number = finiteNumber(m_values.value(key));
    if (!number || std::abs(*number) > std::numeric_limits<float>::max())
        return 0;
    return float(*number);
}

double KeyedUnarchiver::decodeDouble(const QString& key) const
{
    return finiteNumber(m_values.value(key)).value_or(0);
}

QString KeyedUnarchiver::decodeString(const QString& key) const
{
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QRectF KeyedUnarchiver::decodeRect(const QString& key) const
{
    const QList<double> n = finiteNumbers(m_values.value(key), 4);
    return n.isEmpty() ? QRectF() : QRectF(n[0], n[1], n[2], n[3]);
}

QPointF KeyedUnarchiver::decodePoint(const QString& key) const
{
    const QList<double> n = finiteNumbers(m_values.value(key), 2);
    return n.isEmpty() ? QPointF() : QPointF(n[0], n[1]);
}

QSizeF KeyedUnarchiver::decodeSize(const QString& key) const
{
    const QList<double> n = finiteNumbers(m_values.value(key), 2);
    return n.isEmpty() ? QSizeF(0, 0) : QSizeF(n[0], n[1]);
}

QColor KeyedUnarchiver::decodeColor(const QString& key) const
{
    const QList<double> n = finiteNumbers(m_values.value(key), 4);
    if (n.isEmpty())
        return QColor();
    const auto unit = [](double v) { return float(std::clamp(v, 0.0, 1.0)); };
    return QColor::fromRgbF(unit(n[0]), unit(n[1]), unit(n[2]), unit(n[3]));
}

std::optional<KeyedUnarchiver::Font> KeyedUnarchiver::decodeFont(const QString& key) const
{
    const QVariant value = m_values.value(key);
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap font = value.toMap();
    const QVariant name = font.value(kFontName);
    const auto size = finiteNumber(font.value(kFontSize));
    if (name.typeId() != QMetaType::QString || !size || *size <= 0)
        return std::nullopt;
    const QVariant style = font.value(kFontStyle);
    return Font{name.toString(), *size, style.typeId() == QMetaType::QString ? style.toString() : QString()};
}

QImage KeyedUnarchiver::decodeImage(const QString& key) const
{
    const QVariant value = m_values.value(key);
    if (value.typeId() != QMetaType::QByteArray)
        return QImage();
    const QByteArray bytes = value.toByteArray();
    const QImage image = readPictureData(bytes);
    rememberEncodedPng(image, bytes);
    return image;
}

QByteArray KeyedUnarchiver::decodeData(const QString& key) const
{
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}
