#include "platform/PropertyList.h"

#include "CommaLocale.h"
#include "support/TestEnvironment.h"

#include <QColor>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using Format = PropertyList::Format;

QVariantMap sampleTree()
{
    return QVariantMap{
        {QStringLiteral("flag"), true},
        {QStringLiteral("off"), false},
        {QStringLiteral("int"), qint64(42)},
        {QStringLiteral("negative"), qint64(-7)},
        {QStringLiteral("big"), qint64(1) << 40},
        {QStringLiteral("real"), 0.1},
        {QStringLiteral("text"), QStringLiteral("Zoë ✓ <&>")},
        {QStringLiteral("data"), QByteArray("\x00\x01\xff", 3)},
        {QStringLiteral("date"), QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15), QTimeZone::utc())},
        {QStringLiteral("list"), QVariantList{qint64(1), QStringLiteral("two"), QVariantList{}, QVariantMap{}}},
        {QStringLiteral("nested"), QVariantMap{{QStringLiteral("inner"), QVariantList{2.5, false}}}},
    };
}

QString formatName(Format format)
{
    return format == Format::Xml ? QStringLiteral("xml") : QStringLiteral("binary");
}

// A binary list whose objects are all arrays: objects[i] lists the indexes object i refers to.
QByteArray binaryArrays(const QList<QList<quint32>>& objects, quint32 root = 0)
{
    QByteArray bytes("bplist00");
    QList<quint32> offsets;
    for (const QList<quint32>& refs : objects) {
        offsets.append(quint32(bytes.size()));
        if (refs.size() < 15) {
            bytes.append(char(0xa0 | refs.size()));
        } else {
            bytes.append(char(0xaf));
            bytes.append(char(0x12));  // the count follows as a 4-byte integer
            const quint32 count = qToBigEndian(quint32(refs.size()));
            bytes.append(reinterpret_cast<const char*>(&count), 4);
        }
        for (quint32 ref : refs) {
            const quint32 big = qToBigEndian(ref);
            bytes.append(reinterpret_cast<const char*>(&big), 4);
        }
    }
    const quint64 tableAt = quint64(bytes.size());
    for (quint32 offset : offsets) {
        const quint32 big = qToBigEndian(offset);
        bytes.append(reinterpret_cast<const char*>(&big), 4);
    }
    QByteArray trailer(32, 0);
    trailer[6] = 4;
    trailer[7] = 4;
    qToBigEndian(quint64(objects.size()), trailer.data() + 8);
    qToBigEndian(quint64(root), trailer.data() + 16);
    qToBigEndian(tableAt, trailer.data() + 24);
    return bytes + trailer;
}

// `depth` arrays, each holding `fanOut` references to the next one.
QByteArray binaryNesting(int depth, int fanOut = 1)
{
    QList<QList<quint32>> objects;
    for (int i = 0; i < depth; ++i)
        objects.append(i + 1 < depth ? QList<quint32>(fanOut, quint32(i + 1)) : QList<quint32>{});
    return binaryArrays(objects);
}

QByteArray xmlNesting(int depth)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">"
        + QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth) + "</plist>";
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

}  // namespace

class PropertyListFormats : public ::testing::TestWithParam<Format> {};

TEST_P(PropertyListFormats, RoundTripsEveryType)
{
    QString error;
    const QByteArray bytes = PropertyList::toData(sampleTree(), GetParam(), &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    EXPECT_EQ(bytes.startsWith("bplist00"), GetParam() == Format::Binary);

    const auto back = PropertyList::fromData(bytes, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(*back, QVariant(sampleTree()));
    EXPECT_EQ(back->toMap().value(QStringLiteral("int")).typeId(), QMetaType::LongLong);
}

TEST_P(PropertyListFormats, PythonReadsWhatWeWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ours.plist"));
    QString error;
    ASSERT_TRUE(PropertyList::writeFile(path, sampleTree(), GetParam(), &error)) << error.toStdString();

    const auto result = TestEnvironment::runPython(QStringLiteral(R"(
import plistlib, sys
d = plistlib.load(open(sys.argv[1], 'rb'))
print(d['flag'], d['off'], d['int'], d['negative'], d['big'], repr(d['real']))
print(d['text'])
print(d['data'].hex(), d['date'].isoformat(), d['list'], d['nested'])
)"), {path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(result.out),
              QStringLiteral("True False 42 -7 1099511627776 0.1\n"
                             "Zoë ✓ <&>\n"
                             "0001ff 2024-02-29T13:14:15 [1, 'two', [], {}] {'inner': [2.5, False]}\n"));
}

TEST_P(PropertyListFormats, ReadsWhatPythonWrites)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("python.plist"));
    const QString format = GetParam() == Format::Xml ? QStringLiteral("FMT_XML") : QStringLiteral("FMT_BINARY");
    const auto result = TestEnvironment::runPython(QStringLiteral(R"(
import plistlib, sys, datetime
d = {'flag': True, 'int': -9007199254740993, 'real': 1.5e-300, 'text': 'Grüße\nline',
     'data': bytes(range(256)), 'date': datetime.datetime(1999, 12, 31, 23, 59, 59),
     'list': [1, 'x', [], {'k': 3}]}
plistlib.dump(d, open(sys.argv[1], 'wb'), fmt=getattr(plistlib, sys.argv[2]))
)"), {path, format});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    QString error;
    const auto value = PropertyList::readFile(path, &error);
    ASSERT_TRUE(value) << error.toStdString();
    const QVariantMap map = value->toMap();
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes.append(char(i));
    EXPECT_EQ(map.value(QStringLiteral("flag")), QVariant(true));
    EXPECT_EQ(map.value(QStringLiteral("int")).toLongLong(), -9007199254740993LL);
    EXPECT_EQ(map.value(QStringLiteral("real")).toDouble(), 1.5e-300);
    EXPECT_EQ(map.value(QStringLiteral("text")).toString(), QStringLiteral("Grüße\nline"));
    EXPECT_EQ(map.value(QStringLiteral("data")).toByteArray(), allBytes);
    EXPECT_EQ(map.value(QStringLiteral("date")).toDateTime(),
              QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), QTimeZone::utc()));
    EXPECT_EQ(map.value(QStringLiteral("list")),
              QVariant(QVariantList{qint64(1), QStringLiteral("x"), QVariantList{},
                                    QVariantMap{{QStringLiteral("k"), qint64(3)}}}));
}

TEST_P(PropertyListFormats, EveryTruncationIsRejectedWithoutCrash)
{
    QByteArray bytes = PropertyList::toData(sampleTree(), GetParam());
    ASSERT_FALSE(bytes.isEmpty());
    if (GetParam() == Format::Xml)
        bytes = bytes.trimmed();  // a document without its final line break is still whole
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        QString error;
        EXPECT_FALSE(PropertyList::fromData(bytes.left(length), &error)) << "length " << length;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST_P(PropertyListFormats, NestingLimitHoldsBothWays)
{
    const int limit = PropertyList::kMaxDepth;
    const auto nesting = [](int depth) { return GetParam() == Format::Xml ? xmlNesting(depth) : binaryNesting(depth); };
    EXPECT_TRUE(PropertyList::fromData(nesting(limit)));
    QString error;
    EXPECT_FALSE(PropertyList::fromData(nesting(limit + 1), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("nested too deeply"))) << error.toStdString();
    // Deep enough to overflow the stack of an unguarded recursive parser.
    EXPECT_FALSE(PropertyList::fromData(nesting(300000)));

    QVariant deep = QVariantList{};
    for (int i = 1; i < limit; ++i)
        deep = QVariantList{deep};
    EXPECT_FALSE(PropertyList::toData(deep, GetParam()).isEmpty());
    deep = QVariantList{deep};
    EXPECT_TRUE(PropertyList::toData(deep, GetParam(), &error).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(PropertyList, PropertyListFormats, ::testing::Values(Format::Xml, Format::Binary),
                         [](const auto& info) { return formatName(info.param).toStdString(); });

TEST(PropertyList, RejectsGarbageAndEmptyInput)
{
    const QList<QByteArray> inputs{
        QByteArray(),
        QByteArray("hello, world"),
        QByteArray("bplist00"),
        QByteArray("bplist00") + QByteArray(64, '\xff'),
        QByteArray("<?xml version=\"1.0\"?><plist><dict><key>a</key></plist>"),
        QByteArray("<plist><integer>12</integer>"),
        QByteArray(4096, '\0'),
    };
    for (const QByteArray& input : inputs) {
        QString error;
        EXPECT_FALSE(PropertyList::fromData(input, &error)) << input.left(40).toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(PropertyList, RejectsHostileBinaryGraphs)
{
    QString error;
    // A container that holds itself.
    EXPECT_FALSE(PropertyList::fromData(binaryArrays({{0}}), &error));
    // Root or reference past the object table.
    EXPECT_FALSE(PropertyList::fromData(binaryArrays({{}}, 5)));
    EXPECT_FALSE(PropertyList::fromData(binaryArrays({{7}})));
    // Shared references: 60 small objects that would expand into 2^60 nodes.
    EXPECT_FALSE(PropertyList::fromData(binaryNesting(60, 2), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("too large"))) << error.toStdString();
    // Moderate sharing, as writers that reuse equal values produce, is fine.
    const auto shared = PropertyList::fromData(binaryArrays({QList<quint32>(1000, 1), {}}));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->toList().size(), 1000);
}

TEST(PropertyList, RefusesNulInDictionaryKeys)
{
    // libplist aborts when it hands out such a key, so these never reach it.
    QTemporaryDir dir;
    const QString ascii = dir.filePath(QStringLiteral("ascii.plist"));
    const QString utf16 = dir.filePath(QStringLiteral("utf16.plist"));
    const auto result = TestEnvironment::runPython(
        QStringLiteral("import plistlib, sys\n"
                       "plistlib.dump({'a\\x00b': 1}, open(sys.argv[1], 'wb'), fmt=plistlib.FMT_BINARY)\n"
                       "plistlib.dump({'\\u00e9\\x00': 1}, open(sys.argv[2], 'wb'), fmt=plistlib.FMT_BINARY)\n"),
        {ascii, utf16});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_FALSE(PropertyList::readFile(ascii));
    EXPECT_FALSE(PropertyList::readFile(utf16));
    EXPECT_FALSE(PropertyList::fromData("<plist><dict><key>a&#0;b</key><true/></dict></plist>"));
    EXPECT_FALSE(PropertyList::fromData("<plist><dict><key>a&#x0;b</key><true/></dict></plist>"));
}

TEST(PropertyList, RefusesKeyedArchiverUids)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("uid.plist"));
    const auto result = TestEnvironment::runPython(
        QStringLiteral("import plistlib, sys\n"
                       "plistlib.dump({'$top': plistlib.UID(1)}, open(sys.argv[1], 'wb'), fmt=plistlib.FMT_BINARY)\n"),
        {path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QString error;
    EXPECT_FALSE(PropertyList::readFile(path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("UID"))) << error.toStdString();
}

TEST(PropertyList, WritingRejectsValuesItCannotStore)
{
    const QList<QVariant> values{
        QVariant(),
        QVariant(QColor(Qt::red)),
        QVariantMap{{QStringLiteral("ok"), 1}, {QStringLiteral("bad"), QVariant(QPointF(1, 2))}},
        QVariantList{QString::fromUtf16(u"a\0b", 3)},
        QVariant(quint64(1) << 63),
        QVariant(QDateTime()),
    };
    for (const QVariant& value : values) {
        for (Format format : {Format::Xml, Format::Binary}) {
            QString error;
            EXPECT_TRUE(PropertyList::toData(value, format, &error).isEmpty()) << value.typeName();
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(PropertyList, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("keep.plist"), "old");
    ASSERT_FALSE(path.isEmpty());
    QString error;
    EXPECT_FALSE(PropertyList::writeFile(path, QVariant(QColor(Qt::red)), Format::Xml, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));

    EXPECT_FALSE(PropertyList::readFile(dir.filePath(QStringLiteral("missing.plist")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.plist")));
}

TEST(PropertyList, XmlRealsIgnoreCommaDecimalLocale)
{
    ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    const auto value = PropertyList::fromData("<plist version=\"1.0\"><array><real>2.25</real>"
                                              "<real>-1.5e3</real></array></plist>");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, QVariant(QVariantList{2.25, -1500.0}));

    const QByteArray xml = PropertyList::toData(QVariantList{0.5, 1234.125}, Format::Xml);
    EXPECT_TRUE(xml.contains("<real>0.5") && xml.contains("<real>1234.125")) << xml.toStdString();
    EXPECT_EQ(PropertyList::fromData(xml), QVariant(QVariantList{0.5, 1234.125}));
}
