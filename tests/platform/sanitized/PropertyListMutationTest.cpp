// Mutated property lists and keyed archives must be refused or read, never crash or overrun; what
// is read saves and reads back to the same bytes.
#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "support/sanitized/ReaderBounds.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PropertyListMutation, MutatedInputNeverCrashes)
{
    QImage picture(6, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 200));
    KeyedArchiver archiver;
    archiver.encodeBool(u"flag"_s, true);
    archiver.encodeInt(u"count"_s, 77);
    archiver.encodeString(u"text"_s, u"Card"_s);
    archiver.encodeRect(u"bounds"_s, QRectF(1, 2, 3, 4));
    archiver.encodeFont(u"font"_s, u"DejaVu Sans"_s, 11);
    archiver.encodeImage(u"picture"_s, picture);
    const QByteArray forms[] = {archiver.finish(), PropertyList::toData(archiver.values(), PropertyList::Format::Xml)};
    ASSERT_TRUE(PropertyList::fromData(forms[0]) && PropertyList::fromData(forms[1]));

    QTemporaryDir settings;
    QRandomGenerator random(20240229);
    // Reads within the readers' bounds of time and memory, a batch of inputs at a time (a bound
    // per input would cost more than the reads).
    constexpr int kBatch = 100;
    for (int first = 0; first < 40000; first += kBatch) {
        readWithinBounds(QStringLiteral("property lists %1 to %2").arg(first).arg(first + kBatch - 1), [&] {
            for (int round = first; round < first + kBatch; ++round) {
                QByteArray bytes = forms[round % 2];
                for (int edit = 0, edits = 1 + random.bounded(4); edit < edits && !bytes.isEmpty(); ++edit) {
                    const int at = random.bounded(int(bytes.size()));
                    const char byte = char(random.bounded(256));
                    switch (random.bounded(4)) {  // replace, flip a bit, truncate or insert
                    case 0: bytes[at] = byte; break;
                    case 1: bytes[at] = char(bytes[at] ^ (1 << (byte & 7))); break;
                    case 2: bytes.truncate(at); break;
                    default: bytes.insert(at, byte);
                    }
                }
                // Whatever is read writes out, reads back and writes the same bytes again.
                if (const auto value = PropertyList::fromData(bytes)) {
                    for (const auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
                        const QByteArray once = PropertyList::toData(*value, format);
                        QString why;
                        ASSERT_FALSE(PropertyList::toData(*value, format, &why).isEmpty()) << "round " << round << why.toStdString();
                        EXPECT_EQ(PropertyList::toData(PropertyList::fromData(once).value_or(QVariant()), format), once) << "round " << round;
                    }
                }
                // Settings files are read from disk: every tenth input goes through the file reader.
                if (round % 10 == 0) {
                    QFile file(settings.filePath(u"settings.plist"_s));
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
                    file.close();
                    PropertyList::readFile(file.fileName());
                }
                const auto reader = KeyedUnarchiver::fromData(bytes);
                for (const QString& key : reader ? archiver.values().keys() : QStringList()) {
                    reader->decodeBool(key), reader->decodeInt(key), reader->decodeFloat(key), reader->decodeDouble(key);
                    reader->decodeString(key), reader->decodeRect(key), reader->decodePoint(key), reader->decodeSize(key);
                    reader->decodeColor(key), reader->decodeFont(key), reader->decodeImage(key), reader->decodeData(key);
                }
            }
        });
    }
}
