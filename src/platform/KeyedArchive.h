#pragma once
// The keyed archive of one object: a binary property-list dictionary with one key per field.
// The writer records typed values; the reader answers zero, NO or empty for an absent key or a
// value of the wrong type, so archives written by older or hostile programs read safely.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantMap>
#include <optional>

class KeyedArchiver {
public:
    void encodeBool(const QString& key, bool value);
    void encodeInt(const QString& key, qint32 value);
    void encodeFloat(const QString& key, float value);  // stored as a 32-bit value's double
    void encodeDouble(const QString& key, double value);
    void encodeString(const QString& key, const QString& value);
    void encodeRect(const QString& key, const QRectF& value);
    void encodePoint(const QString& key, const QPointF& value);
    void encodeSize(const QString& key, const QSizeF& value);
    // A colour is stored as its RGBA components; an invalid colour writes nothing.
    void encodeColor(const QString& key, const QColor& value);
    // A font is stored as its name (its style included) and point size, and the style on its own
    // when there is one.
    void encodeFont(const QString& key, const QString& name, double pointSize, const QString& style = {});
    // A picture is stored as PNG bytes, encoded once per picture and then cached; a null picture
    // writes nothing.
    void encodeImage(const QString& key, const QImage& value);
    void encodeData(const QString& key, const QByteArray& value);

    const QVariantMap& values() const { return m_values; }
    // Binary property-list bytes of the dictionary; equal dictionaries give equal bytes.
    QByteArray finish() const;
    // A digest of the values alone, equal exactly for equal dictionaries: what comparisons of
    // archives use.
    QByteArray digest() const;

private:
    QVariantMap m_values;
};

class KeyedUnarchiver {
public:
    // nullopt when the bytes are not a property list whose root is a dictionary.
    static std::optional<KeyedUnarchiver> fromData(const QByteArray& bytes);
    explicit KeyedUnarchiver(QVariantMap values) : m_values(std::move(values)) {}

    bool contains(const QString& key) const { return m_values.contains(key); }
    bool decodeBool(const QString& key) const;
    qint32 decodeInt(const QString& key) const;     // out-of-range or non-finite numbers give 0
    float decodeFloat(const QString& key) const;
    double decodeDouble(const QString& key) const;
    QString decodeString(const QString& key) const;
    QRectF decodeRect(const QString& key) const;
    QPointF decodePoint(const QString& key) const;
    QSizeF decodeSize(const QString& key) const;
    QColor decodeColor(const QString& key) const;   // invalid QColor when absent
    struct Font {
        QString name;
        double pointSize = 0;
        QString style;  // empty in archives that name the family alone
    };
    std::optional<Font> decodeFont(const QString& key) const;
    QImage decodeImage(const QString& key) const;   // null image when absent or undecodable
    QByteArray decodeData(const QString& key) const;

private:
    QVariantMap m_values;
};
