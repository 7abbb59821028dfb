// Mutated property lists and keyed archives must be refused or read, never crash or overrun; what
// is read saves and reads back to the same bytes.
#include "platform/KeyedArchive.h"
#include "platform/PropertyList.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>


#include "support/sanitized/PlistlibCases.h"
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

// Markup that plistlib (expat) refuses is never read: lists of texts with the pieces XML rules on
// put in anywhere (declarations, comments, instructions, DOCTYPEs, entities, bytes that are not
// UTF-8) are read only when plistlib reads them, and then to the same values. (Controls in texts
// are the one departure, pinned below.)
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
    const QStringList theirs = plistlibValues(paths);
    ASSERT_EQ(theirs.size(), documents.size());
    QStringList ours;
    readWithinBounds(u"markup of property lists"_s, [&] {
        for (const QByteArray& document : documents) {
            const std::optional<QVariant> value = PropertyList::fromData(document);
            ours << (value ? canonicalValue(*value) : u"refused"_s);
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

namespace {

// A list with every kind of value and markup a control may land in, and texts beyond ASCII.
const QByteArray kEveryKind = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                              "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n<!-- Zo\xc3\xab -->\n"
                              "<dict>\n\t<key>Gr\xc3\xb6\xc3\x9f" "e</key>\n\t<string>Zo\xc3\xab \xe2\x82\xac" "5 <![CDATA[a&b]]> &amp; "
                              "\xd0\x96</string>\n\t<key>Rows</key>\n\t<array><integer>3</integer><true/><?pi x?>"
                              "<data>AQJhYmM=</data></array>\n</dict>\n</plist>\n";

}  // namespace

// A raw control between elements, in an attribute or a comment was read where plistlib refuses it:
// a control (raw or as a reference) is read only in the text of a string or a key, which the writer
// writes as it is, and anywhere else refused, as plistlib refuses it.
TEST(PropertyListMutation, ControlsAreReadInTextsAndRefusedElsewhereAsPlistlibRefusesThem)
{
    const QList<PlistlibCase> cases = controlCases({kEveryKind}, 1500, 20250712);
    ASSERT_EQ(cases.size(), 1500);
    const int read = expectReadAsExpected(u"property lists holding controls"_s, cases);
    // Both roads are taken.
    EXPECT_GE(read, 100);
    EXPECT_LE(read, 1200);
}

// A list declared windows-1252 or ISO-8859-15 was refused as of an unknown encoding: a single-byte
// encoding is read as plistlib reads it (through Python's codec of the name), and one it refuses
// (multi-byte, unknown, not keeping ASCII, a byte the encoding lacks) is refused.
TEST(PropertyListMutation, DeclaredEncodingsAreReadAsPlistlibReadsThem)
{
    const QStringList encodings = {u"windows-1252"_s, u"ISO-8859-15"_s, u"iso-8859-1"_s, u"US-ASCII"_s, u"utf8"_s,
                                   u"windows-1250"_s, u"windows-1251"_s, u"windows-1255"_s, u"windows-1258"_s,
                                   u"ISO-8859-5"_s, u"iso_8859_7"_s, u"latin-1"_s, u"KOI8-R"_s, u"IBM850"_s, u"cp437"_s,
                                   u"Shift_JIS"_s, u"UTF-16"_s, u"cp037"_s, u"x-unknown"_s};
    const QList<PlistlibCase> cases = encodingCases({kEveryKind}, encodings, 20250713);
    ASSERT_EQ(cases.size(), 3 * encodings.size());
    const int read = expectReadAsExpected(u"property lists in declared encodings"_s, cases);
    EXPECT_GE(read, 25);
}
