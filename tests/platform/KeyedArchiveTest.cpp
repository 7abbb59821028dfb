#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <limits>

using namespace Qt::StringLiterals;

// A PNG that claims the given size: a real IHDR chunk (8-bit RGBA) and nothing else.
static QByteArray pngHeaderClaiming(quint32 width, quint32 height)
{
    const auto be32 = [](quint32 value) { return QByteArray::fromHex(QByteArray::number(value, 16).rightJustified(8, '0')); };
    const QByteArray chunk = "IHDR" + be32(width) + be32(height) + QByteArray("\x08\x06\0\0\0", 5);
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.constData()), uInt(chunk.size()));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be32(13) + chunk + be32(quint32(crc));
}

TEST(KeyedArchive, RoundTripsEveryType)
{
    // Six pixels, each with its own colour and partial alpha.
    alignas(4) static const uchar pixels[] = "ABCDEFGHIJKLMNOPQRSTUVWX";
    const QImage image(pixels, 3, 2, QImage::Format_ARGB32);
    KeyedArchiver archiver;
    archiver.encodeBool(u"bool"_s, true);
    archiver.encodeInt(u"int"_s, -123456);
    archiver.encodeFloat(u"float"_s, 0.1f);
    archiver.encodeDouble(u"double"_s, 0.1);
    archiver.encodeString(u"string"_s, u"Ünïcode"_s);
    archiver.encodeRect(u"rect"_s, QRectF(1.5, 2, 30, 40.25));
    archiver.encodePoint(u"point"_s, QPointF(-3, 4.5));
    archiver.encodeSize(u"size"_s, QSizeF(70, 20));
    archiver.encodeColor(u"color"_s, QColor(12, 34, 56, 78));
    archiver.encodeFont(u"font"_s, u"DejaVu Sans"_s, 10.5);
    archiver.encodeImage(u"image"_s, image);
    archiver.encodeData(u"data"_s, QByteArray("\x01\x00\x02", 3));
    const auto reader = KeyedUnarchiver::fromData(archiver.finish());
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->decodeBool(u"bool"_s));
    EXPECT_EQ(reader->decodeInt(u"int"_s), -123456);
    EXPECT_EQ(reader->decodeFloat(u"float"_s), 0.1f);
    EXPECT_EQ(reader->decodeDouble(u"double"_s), 0.1);
    EXPECT_EQ(reader->decodeString(u"string"_s), u"Ünïcode"_s);
    EXPECT_EQ(reader->decodeRect(u"rect"_s), QRectF(1.5, 2, 30, 40.25));
    EXPECT_EQ(reader->decodePoint(u"point"_s), QPointF(-3, 4.5));
    EXPECT_EQ(reader->decodeSize(u"size"_s), QSizeF(70, 20));
    EXPECT_EQ(reader->decodeColor(u"color"_s).rgba(), qRgba(12, 34, 56, 78));
    const auto font = reader->decodeFont(u"font"_s);
    EXPECT_TRUE(font && font->name == u"DejaVu Sans"_s && font->pointSize == 10.5);
    EXPECT_EQ(reader->decodeImage(u"image"_s).convertToFormat(QImage::Format_ARGB32), image);
    EXPECT_EQ(reader->decodeData(u"data"_s), QByteArray("\x01\x00\x02", 3));
}

TEST(KeyedArchive, AbsentWrongTypedAndHostileValuesGiveZeroValues)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct { QVariant value; QStringList nonZero; } cases[] = {
        {QVariant(), {}}, {u"12"_s, {"string"}}, {true, {"bool"}}, {nan, {}}, {inf, {}},
        {qint64(1) << 40, {"float", "double"}}, {1e300, {"double"}}, {-7.9, {"int", "float", "double"}},
        {QVariantList{1.0, 2.0, 3.0}, {}}, {QVariantList{1.0, nan, 3.0, 4.0}, {}},
        {QVariantList{1.0, u"2"_s, 3.0, 4.0}, {}}, {QVariantMap{{u"size"_s, 12.0}}, {}},
        {QVariantMap{{u"name"_s, u"A"_s}, {u"size"_s, inf}}, {}}, {QByteArray("\x89PNG not really"), {"data"}},
        {pngHeaderClaiming(30000, 10), {"data"}}, {pngHeaderClaiming(19000, 19000), {"data"}},  // 1.4 GB of pixels
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const QString k = u"k"_s;
        const KeyedUnarchiver r{cases[i].value.isValid() ? QVariantMap{{k, cases[i].value}} : QVariantMap{}};
        const std::pair<const char*, bool> decoded[] = {
            {"bool", r.decodeBool(k)}, {"int", r.decodeInt(k) != 0}, {"float", r.decodeFloat(k) != 0.0f},
            {"double", r.decodeDouble(k) != 0.0}, {"string", !r.decodeString(k).isNull()},
            {"rect", r.decodeRect(k) != QRectF()}, {"point", r.decodePoint(k) != QPointF()},
            {"size", r.decodeSize(k) != QSizeF(0, 0)}, {"color", r.decodeColor(k).isValid()},
            {"font", r.decodeFont(k).has_value()}, {"image", !r.decodeImage(k).isNull()},
            {"data", !r.decodeData(k).isEmpty()},
        };
        QStringList nonZero;
        for (const auto& [name, given] : decoded)
            if (given)
                nonZero << QLatin1String(name);
        EXPECT_EQ(nonZero, cases[i].nonZero) << "case " << i;
    }
    const KeyedUnarchiver r{QVariantMap{{u"real"_s, -7.9}, {u"int"_s, qint64(3)},
                                        {u"color"_s, QVariantList{2.0, -1.0, 0.5, qint64(1)}}}};
    EXPECT_EQ(r.decodeInt(u"real"_s), -7);
    EXPECT_EQ(r.decodeDouble(u"int"_s), 3.0);
    EXPECT_EQ(r.decodeColor(u"color"_s).rgba(), qRgba(255, 0, 128, 255));  // components clamped

    for (const QVariant& root : {QVariant(QVariantList{}), QVariant(qint64(1))})  // roots other than a dictionary
        EXPECT_FALSE(KeyedUnarchiver::fromData(PropertyList::toData(root, PropertyList::Format::Binary)));
    EXPECT_FALSE(KeyedUnarchiver::fromData("not a property list"));
}
