#include "platform/PropertyList.h"

#include "support/TestEnvironment.h"

#include <QColor>
#include <QDateTime>
#include <QFile>
#include <QPointF>
#include <QRectF>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <limits>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;
using Format = PropertyList::Format;

namespace {

QByteArray everyByte()
{
    QByteArray bytes(256, 0);
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}

const QVariantMap kSample{
    {u"flag"_s, true}, {u"off"_s, false}, {u"int"_s, qint64(42)}, {u"beyondDouble"_s, qint64(-9007199254740993LL)},
    {u"big"_s, qint64(1) << 40}, {u"real"_s, 0.1}, {u"tiny"_s, 1.5e-300}, {u"text"_s, u"Zoë ✓ <&> Grüße\nline"_s},
    {u"data"_s, everyByte()}, {u"date"_s, QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15), QTimeZone::utc())},
    {u"before2001"_s, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), QTimeZone::utc())},
    {u"list"_s, QVariantList{qint64(1), u"two"_s, QVariantList{}, QVariantMap{}, QVariantMap{{u"k"_s, qint64(3)}}}},
    {u"nested"_s, QVariantMap{{u"inner"_s, QVariantList{2.5, false}}}},
};

QByteArray bigEndian(quint64 value, int width = 4)
{
    return QByteArray::fromHex(QByteArray::number(value, 16).rightJustified(2 * width, '0'));
}

// A binary list of raw objects, with 4-byte offsets and object references.
QByteArray binaryList(const QList<QByteArray>& objects, quint64 root = 0)
{
    QByteArray bytes("bplist00"), offsets;
    for (const QByteArray& object : objects) {
        offsets += bigEndian(bytes.size());
        bytes += object;
    }
    return bytes + offsets + QByteArray(6, 0) + "\x04\x04" + bigEndian(objects.size(), 8) + bigEndian(root, 8)
        + bigEndian(bytes.size(), 8);
}

// `depth` arrays, each holding `fanOut` (at most 14) references to the next one.
QByteArray binaryNesting(int depth, int fanOut = 1)
{
    QList<QByteArray> objects;
    for (int i = 0; i + 1 < depth; ++i)
        objects.append(char(0xa0 | fanOut) + bigEndian(i + 1).repeated(fanOut));
    return binaryList(objects << "\xa0");
}

QByteArray xmlNesting(int depth)
{
    return "<plist>" + QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth) + "</plist>";
}

}  // namespace

TEST(PropertyList, RoundTripsAndInteroperatesWithPlistlib)
{
    QTemporaryDir dir;
    const QString ours = dir.filePath(u"ours.plist"_s), theirs = dir.filePath(u"theirs.plist"_s);
    for (Format format : {Format::Xml, Format::Binary}) {
        SCOPED_TRACE(format == Format::Xml ? "xml" : "binary");
        QString error;
        ASSERT_TRUE(PropertyList::writeFile(ours, kSample, format, &error)) << error.toStdString();
        const auto back = PropertyList::readFile(ours, &error);
        EXPECT_EQ(back, QVariant(kSample)) << error.toStdString();
        EXPECT_EQ(back.value_or(QVariant()).toMap().value(u"int"_s).typeId(), QMetaType::LongLong);

        // Python reads ours, prints it and writes it back in its own way; we read that.
        const auto result = TestEnvironment::runPython(uR"(
import plistlib, sys
d = plistlib.load(open(sys.argv[1], 'rb'))
print(d['flag'], d['off'], d['int'], d['beyondDouble'], d['big'], repr(d['real']), repr(d['tiny']))
print(d['text'])
print(d['data'] == bytes(range(256)), d['date'].isoformat(), d['before2001'].isoformat(), d['list'], d['nested'])
plistlib.dump(d, open(sys.argv[2], 'wb'), fmt=getattr(plistlib, sys.argv[3]))
)"_s, {ours, theirs, format == Format::Xml ? u"FMT_BINARY"_s : u"FMT_XML"_s});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out.toStdString(), "True False 42 -9007199254740993 1099511627776 0.1 1.5e-300\n"
                  "Zoë ✓ <&> Grüße\nline\nTrue 2024-02-29T13:14:15 1999-12-31T23:59:59 [1, 'two', [], {}, {'k': 3}] "
                  "{'inner': [2.5, False]}\n");
        EXPECT_EQ(PropertyList::readFile(theirs, &error), QVariant(kSample)) << error.toStdString();
    }
}

// One value, one file. Equal data (a picture an element keeps twice) was stored once or twice as
// the addresses of libplist's nodes happened to hash, so a value written twice could give two
// files. Each data object is stored whole; equal texts, keys and numbers once, keys apart from
// texts; the objects in the order they are met, a dictionary's keys before its values.
TEST(PropertyList, AValueWritesTheSameBinaryBytesWhateverTheHeapHolds)
{
    const QVariantMap small{{u"s"_s, QVariantList{u"s"_s, "x"_ba, "x"_ba, qint64(1), qint64(1), u"s"_s}}};
    EXPECT_EQ(PropertyList::toData(small, Format::Binary).toHex(' '),
              "62 70 6c 69 73 74 30 30 d1 01 02 51 73 a6 03 04 05 06 06 03 51 73 41 78 41 78 10 01 "  // objects
              "08 0b 0d 14 16 18 1a "                                                                // offsets
              "00 00 00 00 00 00 01 01 00 00 00 00 00 00 00 07 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 1c");

    // Five hundred equal pictures: libplist merged a few of them in nearly every write, a
    // different few each time. Blocks taken between the writes move the next write's nodes.
    const QVariantList pictures(500, QVariant("\x89PNG photo"_ba));
    const QByteArray first = PropertyList::toData(pictures, Format::Binary);
    std::vector<QByteArray> blocks;
    for (int write = 0; write < 3; ++write) {
        for (int i = 0; i < 300; ++i)
            blocks.emplace_back(24 + (i * 37 + write) % 200, 'x');
        EXPECT_EQ(PropertyList::toData(pictures, Format::Binary), first) << "write " << write;
    }
    // The array (500 two-byte references) and 500 data objects of 11 bytes, two-byte offsets.
    EXPECT_EQ(first.size(), 8 + 4 + 500 * 2 + 500 * 11 + 501 * 2 + 32);
    EXPECT_EQ(first.right(24).left(8), bigEndian(501, 8)) << "objects";
    EXPECT_EQ(PropertyList::fromData(first), QVariant(pictures));
}

// Binary lists keep the bytes earlier versions wrote (through libplist 2.2) for every kind of
// value and width; plistlib reads them as written, and they read and write back to themselves.
TEST(PropertyList, BinaryListsKeepTheBytesOfEarlierFilesAndPlistlibReadsThem)
{
    const QString bom = QChar(0xfeff) + u"BOM"_s;
    const struct {
        QVariant value;
        const char* hex;
        const char* plistlib;
    } cases[] = {
        {QVariantList{qint64(0), qint64(255), qint64(256), qint64(65536), qint64(16777216), qint64(1) << 32, qint64(-1)},
         "62706c6973743030a701020304050607100010ff1101001200010000120100000013000000010000000013ffffffffffffffff08101214171c"
         "212a0000000000000101000000000000000800000000000000000000000000000033",
         "[0, 255, 256, 65536, 16777216, 4294967296, -1]"},
        {QVariantList{0.5, 0.1, -0.0, qInf(), qQNaN(), 1e39},
         "62706c6973743030a6010203040506223f000000233fb999999999999a2280000000227f800000237ff80000000000002348078287f49c4a1d"
         "080f141d2227300000000000000101000000000000000700000000000000000000000000000039",
         "[0.5, 0.1, -0.0, inf, nan, 1e+39]"},
        {QVariantList{double(std::numeric_limits<float>::max())},
         "62706c6973743030a101227f7fffff080a"
         "000000000000010100000000000000020000000000000000000000000000000f",
         "[3.4028234663852886e+38]"},
        {QVariantList{QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 250), QTimeZone::utc()),
                      QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), QTimeZone::utc())},
         "62706c6973743030a201023341c5c85d53a0000033c17e285010000000080b1400000000000001010000000000000003000000000000000000"
         "0000000000001d",
         "['2024-02-29T13:14:15.250000', '1999-12-31T23:59:59']"},
        {QVariantList{u"Zoë 😀"_s, bom, u"fifteen chars!!"_s, QString()},
         "62706c6973743030a40102030466005a006f00eb0020d83dde0064feff0042004f004d5f100f6669667465656e206368617273212150080d"
         "1a23350000000000000101000000000000000500000000000000000000000000000036",
         "['Zoë 😀', '\\ufeffBOM', 'fifteen chars!!', '']"},
        {QVariantList(15, QVariant(true)),
         "62706c6973743030af100f01010101010101010101010101010109081a00000000000001010000000000000002000000000000000000000000"
         "0000001b",
         "[True, True, True, True, True, True, True, True, True, True, True, True, True, True, True]"},
        {QVariantMap{{u"d"_s, QByteArray(15, 'z')}, {u"e"_s, QByteArray()}},
         "62706c6973743030d20103020451644f100f7a7a7a7a7a7a7a7a7a7a7a7a7a7a7a516540080d0f212300000000000001010000000000000005"
         "00000000000000000000000000000024",
         "{'d': b'zzzzzzzzzzzzzzz', 'e': b''}"},
    };
    QTemporaryDir dir;
    QStringList files, expected;
    for (const auto& c : cases) {
        const QByteArray bytes = PropertyList::toData(c.value, Format::Binary);
        EXPECT_EQ(bytes.toHex(), c.hex) << c.plistlib;
        EXPECT_EQ(PropertyList::toData(PropertyList::fromData(bytes).value_or(QVariant()), Format::Binary), bytes) << c.plistlib;
        files << dir.filePath(u"%1.plist"_s.arg(files.size()));
        QFile file(files.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        expected << QString::fromUtf8(c.plistlib);
    }
    const auto python = TestEnvironment::runPython(uR"(
import datetime, plistlib, sys
def shown(v): return v.isoformat() if isinstance(v, datetime.datetime) else v
for path in sys.argv[1:]:
    v = plistlib.load(open(path, 'rb'))
    print(repr([shown(i) for i in v] if isinstance(v, list) else v))
)"_s, files);
    ASSERT_EQ(python.exitCode, 0) << python.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(python.out).split(u'\n', Qt::SkipEmptyParts), expected);
}

// What other writers put in XML lists: comments, CDATA, entities, texts of spaces or line ends.
TEST(PropertyList, ReadsXmlTextsAsWritten)
{
    const QByteArray xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE plist>\n<plist version=\"1.0\"><!-- note --><array>\n"
                           "<string> </string><string>a\r\nb&#13;</string><string>&lt;&amp;&gt;&#xe9;</string>"
                           "<string><![CDATA[<raw>]]> tail</string><string/><integer> -7 </integer>"
                           "<real>2.5e3</real><dict><key>k</key><!-- between --><true/></dict></array></plist>";
    const auto back = PropertyList::fromData(xml);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->toList(), (QVariantList{u" "_s, u"a\r\nb\r"_s, u"<&>é"_s, u"<raw> tail"_s, QString(), qint64(-7),
                                            2500.0, QVariantMap{{u"k"_s, true}}}));
}

// Tables read as maps of texts when asked: a row of thousands keeps no QVariant a cell. Any other
// dictionary, and any dictionary of a binary list, reads as before.
TEST(PropertyList, ReadsDictionariesOfTextsAsTextMapsWhenAsked)
{
    using TextMap = QMap<QString, QString>;
    const auto textMap = PropertyList::TextDictionaries::AsTextMaps;
    const QByteArray xml = "<plist><array><dict><key>b</key><string>Zo&#xeb;</string><key>a</key>"
                           "<string><![CDATA[<x>]]> y</string><key>c</key><string/></dict>"
                           "<dict><key>s</key><string>1</string><key>n</key><integer>2</integer>"
                           "<key>d</key><dict><key>k</key><string>v</string></dict></dict><dict/></array></plist>";
    const auto maps = PropertyList::fromData(xml, nullptr, textMap);
    const auto variants = PropertyList::fromData(xml);
    ASSERT_TRUE(maps && variants);
    const QVariantList items = maps->toList();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].metaType(), QMetaType::fromType<TextMap>());
    EXPECT_EQ(items[0].value<TextMap>(), (TextMap{{u"a"_s, u"<x> y"_s}, {u"b"_s, u"Zoë"_s}, {u"c"_s, QString()}}));
    EXPECT_EQ(items[1].typeId(), QMetaType::QVariantMap);
    EXPECT_EQ(items[1].toMap().value(u"s"_s), QVariant(u"1"_s));
    EXPECT_EQ(items[1].toMap().value(u"n"_s), QVariant(qint64(2)));
    EXPECT_EQ(items[1].toMap().value(u"d"_s).value<TextMap>(), (TextMap{{u"k"_s, u"v"_s}}));
    EXPECT_EQ(items[2], QVariant(QVariantMap()));
    EXPECT_EQ(variants->toList(),
              (QVariantList{QVariantMap{{u"a"_s, u"<x> y"_s}, {u"b"_s, u"Zoë"_s}, {u"c"_s, QString()}},
                            QVariantMap{{u"s"_s, u"1"_s}, {u"n"_s, qint64(2)}, {u"d"_s, QVariantMap{{u"k"_s, u"v"_s}}}},
                            QVariantMap()}));

    // A long table is read in parts on several threads; each part keeps to the form asked for.
    QVariantList rows;
    for (int i = 0; i < 5000; ++i)
        rows.append(QVariantMap{{u"Id"_s, QString::number(i)}, {u"Name"_s, u"Ann"_s}});
    for (Format format : {Format::Xml, Format::Binary}) {
        const auto table = PropertyList::fromData(PropertyList::toData(rows, format), nullptr, textMap);
        ASSERT_TRUE(table);
        const QVariantList back = table->toList();
        ASSERT_EQ(back.size(), rows.size());
        const QVariant& last = back.last();
        if (format == Format::Xml)
            EXPECT_EQ(last.value<TextMap>(), (TextMap{{u"Id"_s, u"4999"_s}, {u"Name"_s, u"Ann"_s}}));
        else
            EXPECT_EQ(last, rows.last());
    }
}

// libplist 2.2 finds an item of a parsed binary array by walking from the array's start, so
// reading items by index took quadratic time: seconds for a list this long, minutes for longer.
TEST(PropertyList, ReadsALongBinaryArrayInOnePass)
{
    QVariantList items;
    for (int i = 0; i < 100000; ++i)
        items.append(QVariant(QString::number(i)));
    const QByteArray data = PropertyList::toData(items, Format::Binary);
    const auto back = PropertyList::fromData(data);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->toList(), items);
}

TEST(PropertyList, RefusesGarbageTruncatedHostileAndUnwritableValues)
{
    const int limit = PropertyList::kMaxDepth;
    const QByteArray dict = "\xd1" + bigEndian(1) + bigEndian(2);  // one key (object 1) and its value (object 2)
    struct Case { const char* name; QByteArray bytes; const char* reason; };
    QList<Case> cases{
        {"text", "hello, world", ""}, {"binary header and junk", QByteArray("bplist00") + QByteArray(64, '\xff'), ""},
        {"NUL bytes", QByteArray(4096, '\0'), ""}, {"XML too deep", xmlNesting(limit + 1), "nested too deeply"},
        {"binary too deep", binaryNesting(limit + 1), "nested too deeply"},
        // Deep enough to overflow the stack of an unguarded recursive parser.
        {"XML stack breaker", xmlNesting(300000), ""}, {"binary stack breaker", binaryNesting(300000), ""},
        {"array holding itself", binaryList({"\xa1" + bigEndian(0)}), ""},
        {"root past the objects", binaryList({"\xa0"}, 5), ""},
        {"reference past the objects", binaryList({"\xa1" + bigEndian(7)}), ""},
        // Shared references: 60 small objects that would expand into 2^60 nodes.
        {"exponential sharing", binaryNesting(60, 2), "too large"},
        // libplist aborts when it hands out a key holding NUL, so these must never reach it.
        {"NUL in XML key", "<plist><dict><key>a&#0;b</key><true/></dict></plist>", ""},
        {"NUL in ASCII key", binaryList({dict, QByteArray("\x53" "a\0b", 4), "\x09"}), ""},
        {"NUL in UTF-16 key", binaryList({dict, QByteArray("\x62\x00\xe9\x00\x00", 5), "\x09"}), ""},
        {"keyed-archiver UID", binaryList({dict, "\x54$top", "\x80\x01"}), "UID"},
    };
    // Writing refuses what it cannot store or read back.
    const QVariant deepest = PropertyList::fromData(xmlNesting(limit)).value_or(QVariant());
    const QString withNul = QString::fromUtf16(u"a\0b", 3);
    const QList<QVariant> unwritable{QVariant(), QColor(Qt::red), QVariantMap{{u"ok"_s, 1}, {u"bad"_s, QPointF(1, 2)}},
                                     QVariantList{withNul}, QVariantMap{{withNul, 1}}, quint64(1) << 63, QDateTime(),
                                     QVariantList{deepest}};
    for (Format format : {Format::Xml, Format::Binary}) {
        // Every truncation; an XML document without its final line break is still whole.
        const QByteArray whole = PropertyList::toData(kSample, format).chopped(format == Format::Xml ? 1 : 0);
        for (qsizetype length = 0; length < whole.size(); ++length)
            cases.append({"truncated", whole.left(length), ""});
        EXPECT_FALSE(PropertyList::toData(deepest, format).isEmpty());
        for (const QVariant& value : unwritable) {
            QString error;
            EXPECT_TRUE(PropertyList::toData(value, format, &error).isEmpty()) << value.typeName();
            EXPECT_FALSE(error.isEmpty());
        }
    }
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(PropertyList::fromData(c.bytes, &error)) << c.name << " " << c.bytes.size();
        EXPECT_TRUE(!error.isEmpty() && error.contains(QLatin1String(c.reason))) << c.name << ": " << error.toStdString();
    }
    // The deepest allowed nesting, and moderate sharing as writers that reuse equal values produce, are fine.
    EXPECT_TRUE(PropertyList::fromData(binaryNesting(limit)) && PropertyList::fromData(binaryNesting(12, 2)));
}
