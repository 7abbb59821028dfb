#include "platform/EncodedImageCache.h"
#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <limits>

namespace {

QImage sampleImage(int width = 7, int height = 5)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 30, y * 40, (x * y) % 256, 128 + x));
    return image;
}

KeyedArchiver archiverWithEveryType()
{
    KeyedArchiver archiver;
    archiver.encodeBool(QStringLiteral("bool"), true);
    archiver.encodeInt(QStringLiteral("int"), -123456);
    archiver.encodeFloat(QStringLiteral("float"), 0.1f);
    archiver.encodeDouble(QStringLiteral("double"), 0.1);
    archiver.encodeString(QStringLiteral("string"), QStringLiteral("Ünïcode"));
    archiver.encodeRect(QStringLiteral("rect"), QRectF(1.5, 2, 30, 40.25));
    archiver.encodePoint(QStringLiteral("point"), QPointF(-3, 4.5));
    archiver.encodeSize(QStringLiteral("size"), QSizeF(70, 20));
    archiver.encodeColor(QStringLiteral("color"), QColor(12, 34, 56, 78));
    archiver.encodeFont(QStringLiteral("font"), QStringLiteral("DejaVu Sans"), 10.5);
    archiver.encodeImage(QStringLiteral("image"), sampleImage());
    archiver.encodeData(QStringLiteral("data"), QByteArray("\x01\x00\x02", 3));
    return archiver;
}

// A PNG that claims the given size: a real IHDR chunk and nothing else.
QByteArray pngHeaderClaiming(quint32 width, quint32 height)
{
    QByteArray chunk("IHDR");
    char fields[13] = {};
    qToBigEndian(width, fields);
    qToBigEndian(height, fields + 4);
    fields[8] = 8;  // bit depth
    fields[9] = 6;  // RGBA
    chunk.append(fields, sizeof fields);
    char length[4];
    char crc[4];
    qToBigEndian(quint32(13), length);
    qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef*>(chunk.constData()), uInt(chunk.size()))), crc);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(length, 4) + chunk + QByteArray(crc, 4);
}

}  // namespace

TEST(KeyedArchive, RoundTripsEveryType)
{
    const QByteArray bytes = archiverWithEveryType().finish();
    ASSERT_TRUE(bytes.startsWith("bplist00"));
    const auto reader = KeyedUnarchiver::fromData(bytes);
    ASSERT_TRUE(reader);

    EXPECT_TRUE(reader->decodeBool(QStringLiteral("bool")));
    EXPECT_EQ(reader->decodeInt(QStringLiteral("int")), -123456);
    EXPECT_EQ(reader->decodeFloat(QStringLiteral("float")), 0.1f);
    EXPECT_EQ(reader->decodeDouble(QStringLiteral("double")), 0.1);
    EXPECT_EQ(reader->decodeString(QStringLiteral("string")), QStringLiteral("Ünïcode"));
    EXPECT_EQ(reader->decodeRect(QStringLiteral("rect")), QRectF(1.5, 2, 30, 40.25));
    EXPECT_EQ(reader->decodePoint(QStringLiteral("point")), QPointF(-3, 4.5));
    EXPECT_EQ(reader->decodeSize(QStringLiteral("size")), QSizeF(70, 20));
    EXPECT_EQ(reader->decodeColor(QStringLiteral("color")).rgba(), qRgba(12, 34, 56, 78));
    const auto font = reader->decodeFont(QStringLiteral("font"));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->name, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font->pointSize, 10.5);
    EXPECT_EQ(reader->decodeImage(QStringLiteral("image")).convertToFormat(QImage::Format_ARGB32), sampleImage());
    EXPECT_EQ(reader->decodeData(QStringLiteral("data")), QByteArray("\x01\x00\x02", 3));
}

TEST(KeyedArchive, StoredFormsAsOtherProgramsSeeThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.plist"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(archiverWithEveryType().finish());
    file.close();

    const auto result = TestEnvironment::runPython(QStringLiteral(R"(
import plistlib, sys
d = plistlib.load(open(sys.argv[1], 'rb'), fmt=plistlib.FMT_BINARY)
for k in sorted(d):
    v = d[k]
    if isinstance(v, list): v = [type(x).__name__ for x in v]
    elif isinstance(v, dict): v = {n: type(x).__name__ for n, x in v.items()}
    elif isinstance(v, bytes): v = v[:4]
    print(k, type(d[k]).__name__, v)
)"), {path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(result.out), QStringLiteral(
        "bool bool True\n"
        "color list ['float', 'float', 'float', 'float']\n"
        "data bytes b'\\x01\\x00\\x02'\n"
        "double float 0.1\n"
        "float float 0.10000000149011612\n"
        "font dict {'name': 'str', 'size': 'float'}\n"
        "image bytes b'\\x89PNG'\n"
        "int int -123456\n"
        "point list ['float', 'float']\n"
        "rect list ['float', 'float', 'float', 'float']\n"
        "size list ['float', 'float']\n"
        "string str Ünïcode\n"));
}

TEST(KeyedArchive, NothingWrittenForInvalidColourOrNullPicture)
{
    KeyedArchiver archiver;
    archiver.encodeColor(QStringLiteral("color"), QColor());
    archiver.encodeImage(QStringLiteral("image"), QImage());
    EXPECT_TRUE(archiver.values().isEmpty());
}

TEST(KeyedArchive, AbsentKeysGiveZeroValues)
{
    const KeyedUnarchiver reader{QVariantMap{}};
    const QString key = QStringLiteral("missing");
    EXPECT_FALSE(reader.contains(key));
    EXPECT_FALSE(reader.decodeBool(key));
    EXPECT_EQ(reader.decodeInt(key), 0);
    EXPECT_EQ(reader.decodeFloat(key), 0.0f);
    EXPECT_EQ(reader.decodeDouble(key), 0.0);
    EXPECT_TRUE(reader.decodeString(key).isNull());
    EXPECT_EQ(reader.decodeRect(key), QRectF());
    EXPECT_EQ(reader.decodePoint(key), QPointF());
    EXPECT_EQ(reader.decodeSize(key), QSizeF(0, 0));
    EXPECT_FALSE(reader.decodeColor(key).isValid());
    EXPECT_FALSE(reader.decodeFont(key));
    EXPECT_TRUE(reader.decodeImage(key).isNull());
    EXPECT_TRUE(reader.decodeData(key).isEmpty());
}

TEST(KeyedArchive, WrongTypesAndHostileNumbersGiveZeroValues)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const KeyedUnarchiver reader{QVariantMap{
        {QStringLiteral("text"), QStringLiteral("12")},
        {QStringLiteral("true"), true},
        {QStringLiteral("huge"), qint64(1) << 40},
        {QStringLiteral("nan"), nan},
        {QStringLiteral("inf"), inf},
        {QStringLiteral("tooBigForFloat"), 1e300},
        {QStringLiteral("three"), QVariantList{1.0, 2.0, 3.0}},
        {QStringLiteral("fourWithNan"), QVariantList{1.0, nan, 3.0, 4.0}},
        {QStringLiteral("fourWithText"), QVariantList{1.0, QStringLiteral("2"), 3.0, 4.0}},
        {QStringLiteral("fontNoName"), QVariantMap{{QStringLiteral("size"), 12.0}}},
        {QStringLiteral("fontBadSize"), QVariantMap{{QStringLiteral("name"), QStringLiteral("A")},
                                                   {QStringLiteral("size"), inf}}},
        {QStringLiteral("garbagePicture"), QByteArray("\x89PNG not really")},
    }};
    EXPECT_EQ(reader.decodeInt(QStringLiteral("text")), 0);
    EXPECT_EQ(reader.decodeInt(QStringLiteral("true")), 0);
    EXPECT_EQ(reader.decodeInt(QStringLiteral("huge")), 0);
    EXPECT_EQ(reader.decodeInt(QStringLiteral("nan")), 0);
    EXPECT_FALSE(reader.decodeBool(QStringLiteral("text")));
    EXPECT_EQ(reader.decodeDouble(QStringLiteral("inf")), 0.0);
    EXPECT_EQ(reader.decodeDouble(QStringLiteral("nan")), 0.0);
    EXPECT_EQ(reader.decodeFloat(QStringLiteral("tooBigForFloat")), 0.0f);
    EXPECT_TRUE(reader.decodeString(QStringLiteral("huge")).isNull());
    EXPECT_EQ(reader.decodeRect(QStringLiteral("three")), QRectF());
    EXPECT_EQ(reader.decodePoint(QStringLiteral("three")), QPointF());
    EXPECT_EQ(reader.decodeRect(QStringLiteral("fourWithNan")), QRectF());
    EXPECT_FALSE(reader.decodeColor(QStringLiteral("fourWithText")).isValid());
    EXPECT_FALSE(reader.decodeColor(QStringLiteral("text")).isValid());
    EXPECT_FALSE(reader.decodeFont(QStringLiteral("fontNoName")));
    EXPECT_FALSE(reader.decodeFont(QStringLiteral("fontBadSize")));
    EXPECT_TRUE(reader.decodeImage(QStringLiteral("garbagePicture")).isNull());
    EXPECT_TRUE(reader.decodeData(QStringLiteral("text")).isEmpty());
}

TEST(KeyedArchive, NumbersAcrossIntegerAndReal)
{
    const KeyedUnarchiver reader{QVariantMap{
        {QStringLiteral("realForInt"), -7.9},
        {QStringLiteral("intForDouble"), qint64(3)},
        {QStringLiteral("outOfRangeColour"), QVariantList{2.0, -1.0, 0.5, qint64(1)}},
    }};
    EXPECT_EQ(reader.decodeInt(QStringLiteral("realForInt")), -7);
    EXPECT_EQ(reader.decodeDouble(QStringLiteral("intForDouble")), 3.0);
    const QColor colour = reader.decodeColor(QStringLiteral("outOfRangeColour"));
    EXPECT_EQ(colour.rgba(), qRgba(255, 0, 128, 255));
}

TEST(KeyedArchive, OversizedPictureIsRefusedBeforeDecoding)
{
    const KeyedUnarchiver reader{QVariantMap{
        {QStringLiteral("wide"), pngHeaderClaiming(30000, 10)},
        {QStringLiteral("huge"), pngHeaderClaiming(19000, 19000)},  // 1.4 GB of pixels
    }};
    EXPECT_TRUE(reader.decodeImage(QStringLiteral("wide")).isNull());
    EXPECT_TRUE(reader.decodeImage(QStringLiteral("huge")).isNull());
}

TEST(KeyedArchive, ReaderNeedsADictionaryRoot)
{
    EXPECT_FALSE(KeyedUnarchiver::fromData(QByteArray()));
    EXPECT_FALSE(KeyedUnarchiver::fromData("not a property list"));
    EXPECT_FALSE(KeyedUnarchiver::fromData(PropertyList::toData(QVariantList{}, PropertyList::Format::Binary)));
    EXPECT_FALSE(KeyedUnarchiver::fromData(PropertyList::toData(qint64(1), PropertyList::Format::Binary)));
    const auto empty = KeyedUnarchiver::fromData(KeyedArchiver().finish());
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->contains(QStringLiteral("anything")));
}

TEST(EncodedImageCache, SamePictureIsEncodedOnce)
{
    const QImage image = sampleImage(40, 30);
    const QByteArray first = encodedPng(image);
    ASSERT_TRUE(first.startsWith("\x89PNG"));
    const QImage copy = image;  // a shared copy is the same picture
    EXPECT_EQ(encodedPng(copy).constData(), first.constData());

    QImage changed = image;
    changed.setPixel(0, 0, qRgba(1, 2, 3, 4));
    const QByteArray changedPng = encodedPng(changed);
    EXPECT_NE(changedPng, first);
    EXPECT_EQ(QImage::fromData(changedPng).convertToFormat(QImage::Format_ARGB32), changed);
    EXPECT_TRUE(encodedPng(QImage()).isEmpty());
}

TEST(EncodedImageCache, ConcurrentCallersAgree)
{
    QList<QImage> images;
    for (int i = 1; i <= 8; ++i)
        images.append(sampleImage(10 * i, 9));
    QList<QImage> work;
    for (int round = 0; round < 8; ++round)
        work += images;
    const QList<QByteArray> encoded = QtConcurrent::blockingMapped(work, [](const QImage& image) { return encodedPng(image); });
    for (qsizetype i = 0; i < work.size(); ++i)
        EXPECT_EQ(QImage::fromData(encoded[i]).convertToFormat(QImage::Format_ARGB32), work[i]) << i;
}
