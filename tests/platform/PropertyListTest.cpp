#include "platform/PropertyList.h"

#include "CommaLocale.h"
#include "support/TestEnvironment.h"

#include <QColor>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Format = PropertyList::Format;

namespace {

QByteArray everyByte()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
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

QByteArray array(const QList<quint32>& refs)
{
    QByteArray bytes = refs.size() < 15 ? QByteArray(1, char(0xa0 | refs.size())) : "\xaf\x12" + bigEndian(refs.size());
    for (quint32 ref : refs)
        bytes += bigEndian(ref);
    return bytes;
}

// `depth` arrays, each holding `fanOut` references to the next one.
QByteArray binaryNesting(int depth, int fanOut = 1)
{
    QList<QByteArray> objects;
    for (int i = 0; i < depth; ++i)
        objects.append(array(i + 1 < depth ? QList<quint32>(fanOut, quint32(i + 1)) : QList<quint32>{}));
    return binaryList(objects);
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
        const QByteArray bytes = PropertyList::toData(kSample, format, &error);
        EXPECT_EQ(bytes.startsWith("bplist00"), format == Format::Binary);
        const auto back = PropertyList::fromData(bytes, &error);
        ASSERT_TRUE(back) << error.toStdString();
        EXPECT_EQ(*back, QVariant(kSample));
        EXPECT_EQ(back->toMap().value(u"int"_s).typeId(), QMetaType::LongLong);

        // Python reads ours, prints it and writes it back in its own way; we read that.
        ASSERT_TRUE(PropertyList::writeFile(ours, kSample, format, &error)) << error.toStdString();
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

TEST(PropertyList, RefusesGarbageTruncatedAndHostileInput)
{
    const int limit = PropertyList::kMaxDepth;
    const QByteArray dict = "\xd1" + bigEndian(1) + bigEndian(2);  // one key (object 1) and its value (object 2)
    const struct { const char* name; QByteArray bytes; const char* reason; } cases[] = {
        {"empty", QByteArray(), ""}, {"text", "hello, world", ""}, {"bare binary header", "bplist00", ""},
        {"binary header and junk", QByteArray("bplist00") + QByteArray(64, '\xff'), ""},
        {"unclosed XML dictionary", "<?xml version=\"1.0\"?><plist><dict><key>a</key></plist>", ""},
        {"unclosed XML plist", "<plist><integer>12</integer>", ""}, {"NUL bytes", QByteArray(4096, '\0'), ""},
        {"XML too deep", xmlNesting(limit + 1), "nested too deeply"},
        {"binary too deep", binaryNesting(limit + 1), "nested too deeply"},
        // Deep enough to overflow the stack of an unguarded recursive parser.
        {"XML stack breaker", xmlNesting(300000), ""},
        {"binary stack breaker", binaryNesting(300000), ""},
        {"array holding itself", binaryList({array({0})}), ""}, {"root past the objects", binaryList({array({})}, 5), ""},
        {"reference past the objects", binaryList({array({7})}), ""},
        // Shared references: 60 small objects that would expand into 2^60 nodes.
        {"exponential sharing", binaryNesting(60, 2), "too large"},
        // libplist aborts when it hands out a key holding NUL, so these must never reach it.
        {"NUL in XML key", "<plist><dict><key>a&#0;b</key><true/></dict></plist>", ""},
        {"NUL in hex XML key", "<plist><dict><key>a&#x0;b</key><true/></dict></plist>", ""},
        {"NUL in ASCII key", binaryList({dict, QByteArray("\x53" "a\0b", 4), "\x09"}), ""},
        {"NUL in UTF-16 key", binaryList({dict, QByteArray("\x62\x00\xe9\x00\x00", 5), "\x09"}), ""},
        {"keyed-archiver UID", binaryList({dict, "\x54$top", "\x80\x01"}), "UID"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(PropertyList::fromData(c.bytes, &error)) << c.name;
        EXPECT_TRUE(!error.isEmpty() && error.contains(QLatin1String(c.reason))) << c.name << ": " << error.toStdString();
    }
    for (Format format : {Format::Xml, Format::Binary}) {
        QByteArray whole = PropertyList::toData(kSample, format);
        if (format == Format::Xml)
            whole = whole.trimmed();  // a document without its final line break is still whole
        for (qsizetype length = 0; length < whole.size(); ++length) {
            QString error;
            EXPECT_FALSE(PropertyList::fromData(whole.left(length), &error)) << "length " << length;
            EXPECT_FALSE(error.isEmpty());
        }
    }
    EXPECT_TRUE(PropertyList::fromData(xmlNesting(limit)));
    EXPECT_TRUE(PropertyList::fromData(binaryNesting(limit)));
    // Moderate sharing, as writers that reuse equal values produce, is fine.
    const auto shared = PropertyList::fromData(binaryList({array(QList<quint32>(1000, 1)), array({})}));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->toList().size(), 1000);
}

TEST(PropertyList, WritingRefusesWhatItCannotStoreAndKeepsTheOldFile)
{
    QVariant deepest = QVariantList{};
    for (int i = 1; i < PropertyList::kMaxDepth; ++i)
        deepest = QVariantList{deepest};
    const QString withNul = QString::fromUtf16(u"a\0b", 3);
    const QList<QVariant> values{QVariant(), QColor(Qt::red), QVariantMap{{u"ok"_s, 1}, {u"bad"_s, QPointF(1, 2)}},
                                 QVariantList{withNul}, QVariantMap{{withNul, 1}}, quint64(1) << 63, QDateTime(),
                                 QVariantList{deepest}};
    for (Format format : {Format::Xml, Format::Binary}) {
        EXPECT_FALSE(PropertyList::toData(deepest, format).isEmpty());
        for (const QVariant& value : values) {
            QString error;
            EXPECT_TRUE(PropertyList::toData(value, format, &error).isEmpty()) << value.typeName();
            EXPECT_FALSE(error.isEmpty());
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"keep.plist"_s);
    ASSERT_TRUE(PropertyList::writeFile(path, u"old"_s, Format::Xml));
    QString error;
    EXPECT_FALSE(PropertyList::writeFile(path, QColor(Qt::red), Format::Xml, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(PropertyList::readFile(path), QVariant(u"old"_s));
    EXPECT_FALSE(PropertyList::readFile(dir.filePath(u"missing.plist"_s), &error));
    EXPECT_TRUE(error.contains(u"missing.plist"_s));
}

TEST(PropertyList, XmlRealsIgnoreCommaDecimalLocale)
{
    ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    EXPECT_EQ(PropertyList::fromData("<plist><array><real>2.25</real><real>-1.5e3</real></array></plist>"),
              QVariant(QVariantList{2.25, -1500.0}));
    const QByteArray xml = PropertyList::toData(QVariantList{0.5, 1234.125}, Format::Xml);
    EXPECT_TRUE(xml.contains("<real>0.5") && xml.contains("<real>1234.125")) << xml.toStdString();
    EXPECT_EQ(PropertyList::fromData(xml), QVariant(QVariantList{0.5, 1234.125}));
}
