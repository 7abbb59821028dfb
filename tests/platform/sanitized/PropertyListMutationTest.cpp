// Mutated property lists and keyed archives must be refused or read, never crash or overrun; what
// is read saves and reads back to the same bytes.
#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "support/TestEnvironment.h"

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

namespace {

// A value as text both sides write alike: texts as the hex of their UTF-8, lists in brackets,
// dictionaries by their keys in order.
QString canonical(const QVariant& value)
{
    if (value.typeId() == QMetaType::QVariantList) {
        QString text = u"["_s;
        for (const QVariant& item : value.toList())
            text += canonical(item) + u',';
        return text + u']';
    }
    if (value.canConvert<QVariantMap>() && value.typeId() != QMetaType::QString) {
        const QVariantMap map = value.toMap();
        QString text = u"{"_s;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            text += QString::fromLatin1(it.key().toUtf8().toHex()) + u':' + canonical(it.value()) + u',';
        return text + u'}';
    }
    return QString::fromLatin1(value.toString().toUtf8().toHex());
}

}  // namespace

// Markup that plistlib (expat) refuses is never read: lists of texts with the pieces XML rules on
// put in anywhere (declarations, comments, instructions, DOCTYPEs, entities, bytes that are not
// UTF-8) are read only when plistlib reads them, and then to the same values. (Controls are the
// one departure, pinned beside the hostile lists.)
TEST(PropertyListMutation, MarkupIsReadOnlyWhenPlistlibReadsItAndAsItReadsIt)
{
    const QByteArray dtd = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";
    const QByteArray body = "<plist version=\"1.0\"><dict><key>Name</key><string>Ada</string><key>Note</key>"
                            "<array><string>x</string><string>y z</string></array></dict></plist>";
    const QList<QByteArray> seeds = {dtd + body, "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [\n]>\n" + body, body};
    const QList<QByteArray> pieces = {"<!ENTITY e \"x\">", "<!entity e \"x\">", "<!DOCTYPE plist [", "]>", "]", "\"",
                                      "'", "<!-- ", " -->", "--", "<?xml version=\"1.0\"?>", "<?pi ] ?>", "&e;", "&x;",
                                      "&amp;", "&#0;", "<", ">", "\xeb", "\xc3\xab", "<![CDATA[", "]]>",
                                      " a=\"&x;\"", "<!DOCTYPE plist>", "<!ATTLIST plist v CDATA \"]\">"};
    QRandomGenerator random(20250601);
    QTemporaryDir folder;
    QList<QByteArray> documents;
    QStringList paths;
    for (int round = 0; round < 800; ++round) {
        QByteArray document = seeds[round % seeds.size()];
        for (int edit = 0, edits = 1 + random.bounded(2); edit < edits; ++edit)
            document.insert(random.bounded(int(document.size()) + 1), pieces[random.bounded(int(pieces.size()))]);
        paths << folder.filePath(u"%1.plist"_s.arg(round));
        QFile file(paths.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
        documents << document;
    }
    const auto plistlib = TestEnvironment::runPython(
        u"import plistlib, sys, datetime\n"
        "def canonical(v):\n"
        "    if isinstance(v, list): return '[' + ''.join(canonical(i) + ',' for i in v) + ']'\n"
        "    if isinstance(v, dict): return '{' + ''.join(k.encode('utf-8', 'surrogatepass').hex() + ':' + canonical(v[k]) + ',' for k in sorted(v)) + '}'\n"
        "    return str(v).encode('utf-8', 'surrogatepass').hex()\n"
        "for path in sys.argv[1:]:\n"
        "    try: print(canonical(plistlib.load(open(path, 'rb'))))\n"
        "    except Exception: print('refused')\n"_s,
        paths);
    ASSERT_EQ(plistlib.exitCode, 0) << plistlib.err.constData();
    const QStringList theirs = QString::fromUtf8(plistlib.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(theirs.size(), documents.size());
    QStringList ours;
    readWithinBounds(u"markup of property lists"_s, [&] {
        for (const QByteArray& document : documents) {
            const std::optional<QVariant> value = PropertyList::fromData(document);
            ours << (value ? canonical(*value) : u"refused"_s);
        }
    });
    int read = 0;
    for (qsizetype i = 0; i < documents.size(); ++i) {
        if (ours[i] != u"refused"_s)
            EXPECT_EQ(ours[i], theirs[i]) << documents[i].constData();
        read += ours[i] != u"refused"_s;
    }
    // Both roads are taken: some markup survives its pieces (text beside the value is refused
    // where plistlib passes it by).
    EXPECT_GE(read, 30);
}
