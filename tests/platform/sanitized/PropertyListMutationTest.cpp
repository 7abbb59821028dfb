// Mutated property lists and keyed archives must be refused or read, never crash or overrun.
#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QByteArray sampleArchive()
{
    QImage picture(6, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 200));
    KeyedArchiver archiver;
    archiver.encodeBool(QStringLiteral("flag"), true);
    archiver.encodeInt(QStringLiteral("count"), 77);
    archiver.encodeDouble(QStringLiteral("width"), 12.5);
    archiver.encodeString(QStringLiteral("text"), QStringLiteral("Card"));
    archiver.encodeRect(QStringLiteral("bounds"), QRectF(1, 2, 3, 4));
    archiver.encodeColor(QStringLiteral("fill"), QColor(1, 2, 3));
    archiver.encodeFont(QStringLiteral("font"), QStringLiteral("DejaVu Sans"), 11);
    archiver.encodeImage(QStringLiteral("picture"), picture);
    return archiver.finish();
}

QByteArray mutated(QByteArray bytes, QRandomGenerator& random)
{
    const int edits = 1 + int(random.bounded(4));
    for (int i = 0; i < edits && !bytes.isEmpty(); ++i) {
        const qsizetype at = random.bounded(int(bytes.size()));
        switch (random.bounded(4)) {
        case 0:
            bytes[at] = char(random.bounded(256));
            break;
        case 1:
            bytes[at] = char(bytes[at] ^ (1 << random.bounded(8)));
            break;
        case 2:
            bytes.truncate(at);
            break;
        default:
            bytes.insert(at, char(random.bounded(256)));
            break;
        }
    }
    return bytes;
}

void readEverything(const QByteArray& bytes)
{
    const auto reader = KeyedUnarchiver::fromData(bytes);
    if (!reader)
        return;
    for (const QString& key : {QStringLiteral("flag"), QStringLiteral("count"), QStringLiteral("width"),
                               QStringLiteral("text"), QStringLiteral("bounds"), QStringLiteral("fill"),
                               QStringLiteral("font"), QStringLiteral("picture")}) {
        reader->decodeBool(key);
        reader->decodeInt(key);
        reader->decodeFloat(key);
        reader->decodeString(key);
        reader->decodeRect(key);
        reader->decodeColor(key);
        reader->decodeFont(key);
        reader->decodeImage(key);
    }
}

}  // namespace

TEST(PropertyListMutation, MutatedInputNeverCrashes)
{
    const QByteArray binary = sampleArchive();
    const auto tree = PropertyList::fromData(binary);
    ASSERT_TRUE(tree);
    const QByteArray xml = PropertyList::toData(*tree, PropertyList::Format::Xml);
    ASSERT_FALSE(xml.isEmpty());

    QRandomGenerator random(20240229);
    for (int round = 0; round < 20000; ++round) {
        readEverything(mutated(binary, random));
        readEverything(mutated(xml, random));
    }
}
