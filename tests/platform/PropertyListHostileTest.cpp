// Property lists made to hurt the reader: shared objects that expand, texts in many pieces,
// character references that are no characters, byte-order marks inside texts, and documents that
// are not one property list. Each is made here by Python's plistlib or by hand.
#include "platform/PropertyList.h"

#include "support/TestEnvironment.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <future>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Format = PropertyList::Format;

namespace {

// The bytes a Python expression writes to standard output (`plistlib` and `sys` imported).
QByteArray python(const QString& expression)
{
    const auto result = TestEnvironment::runPython(u"import plistlib, sys\nsys.stdout.buffer.write("_s + expression + u")"_s);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return result.out;
}

// plistlib's file of a Python value, XML or binary.
QByteArray plistlib(const QString& value, Format format)
{
    return python(u"plistlib.dumps(%1, fmt=plistlib.%2)"_s.arg(value, format == Format::Xml ? u"FMT_XML"_s : u"FMT_BINARY"_s));
}

QString refusal(const QByteArray& bytes)
{
    QString error;
    return PropertyList::fromData(bytes, &error) ? u"(read)"_s : error;
}

}  // namespace

// plistlib writes an object once and refers to it from every place it stands. Read, each reference
// becomes a copy of its own: the budget counts each one at its full size and refuses the file
// before anything is copied.
TEST(PropertyListHostile, SharedObjectsCountAtFullSizeForEveryReference)
{
    const QByteArray nested = python(u"plistlib.dumps(__import__('functools').reduce(lambda a, _: [a] * 14, range(6), "
                                     "'Watermark'), fmt=plistlib.FMT_BINARY)"_s);
    const QByteArray longText = plistlib(u"['x' * 100000] * 10700"_s, Format::Binary);
    const QByteArray wideText = plistlib(u"['\\u00e9' * 50000] * 2000"_s, Format::Binary);
    ASSERT_LT(nested.size(), 200);
    ASSERT_LT(longText.size(), 120000);
    for (const QByteArray& bytes : {nested, longText, wideText})
        EXPECT_TRUE(refusal(bytes).contains(u"too large"_s)) << refusal(bytes).toStdString();

    // Sharing as plistlib writes a table (every row names the same keys and many cells hold the
    // same text) and a text repeated within reason read as written.
    const QByteArray table = plistlib(u"[{'Name': 'Ann', 'Id': str(i % 7)} for i in range(20000)]"_s, Format::Binary);
    const auto rows = PropertyList::fromData(table);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->toList().size(), 20000);
    EXPECT_EQ(rows->toList()[19999], QVariant(QVariantMap{{u"Name"_s, u"Ann"_s}, {u"Id"_s, u"0"_s}}));
    const auto repeated = PropertyList::fromData(plistlib(u"['x' * 100000] * 200"_s, Format::Binary));
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->toList(), QVariantList(200, QString(100000, u'x')));
}

// Comments and CDATA sections cut a text into as many pieces as a writer likes; joining them took
// quadratic time, and pieces of white space between them were dropped.
TEST(PropertyListHostile, TextInManyPiecesReadsAsOneText)
{
    const QByteArray pieces = "<plist><array><string>" + QByteArray("W<!---->").repeated(100000)
        + QByteArray("<![CDATA[<W>]]>&amp;").repeated(100000) + "</string><string>end</string></array></plist>";
    const auto back = PropertyList::fromData(pieces);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->toList(), (QVariantList{QString(100000, u'W') + u"<W>&"_s.repeated(100000), u"end"_s}));
    // Pieces of white space are part of the text too.
    EXPECT_EQ(PropertyList::fromData("<plist><string>a<!-- --> <!-- -->\r\n<![CDATA[ ]]>b</string></plist>"),
              QVariant(u"a \r\n b"_s));
    // So are those between processing instructions after the declaration, and those of a document
    // whose only comment comes last; a '!' or '?' in a text is no markup.
    EXPECT_EQ(PropertyList::fromData("<?xml version=\"1.0\"?><plist><string>a?!<?pi x?> <?pi?>b</string></plist>"),
              QVariant(u"a?! b"_s));
    EXPECT_EQ(PropertyList::fromData("<plist><array><string>a<![CDATA[b]]> </string></array></plist>"),
              QVariant(QVariantList{u"ab "_s}));
    EXPECT_EQ(PropertyList::fromData("<plist><string>!?</string></plist><!---->"), QVariant(u"!?"_s));
}

// A reference past U+10FFFF wrapped round to NUL in the parser and cut the text there, and one to a
// surrogate or past U+10FFFF became replacement characters: all are refused as a NUL is, in binary
// lists too.
TEST(PropertyListHostile, CharacterReferencesThatAreNoCharactersAreRefused)
{
    const auto inString = [](const char* reference) {
        return "<plist><array><string>Water" + QByteArray(reference) + "mark</string></array></plist>";
    };
    for (const char* reference : {"&#x100000000;", "&#4294967296;", "&#x110000;", "&#1114112;", "&#xD800;", "&#57343;",
                                  "&#0;", "&#x0000;", "&#x10000000000000041;"}) {
        EXPECT_TRUE(refusal(inString(reference)).contains(u"NUL character"_s)) << reference;
    }
    // In a key it silently replaced another cell of the same row.
    EXPECT_TRUE(refusal("<plist><dict><key>a&#x100000000;zzz</key><string>1</string><key>a</key><string>2</string>"
                        "</dict></plist>")
                    .contains(u"NUL character"_s));
    // A NUL came through binary lists: an ASCII text was cut short at it, and a UTF-16 one kept it
    // and could not be written back.
    for (const char* text : {"'a\\x00b'", "'\\u00e9\\x00'"})
        EXPECT_TRUE(refusal(plistlib(u"[%1]"_s.arg(QLatin1String(text)), Format::Binary)).contains(u"NUL character"_s)) << text;
    const auto read = [&](const char* reference) {
        return PropertyList::fromData(inString(reference)).value_or(QVariant()).toList().value(0).toString();
    };
    EXPECT_EQ(read("&#x10FFFF;"), u"Water\U0010FFFFmark"_s);
    EXPECT_EQ(read("&#x0001F600;"), u"Water😀mark"_s);
    EXPECT_EQ(read("&#1;"), u"Water\u0001mark"_s);
    // The writer keeps a text's controls as they are (a vertical tab from a pasted text): they read back.
    EXPECT_EQ(read("\x0b"), u"Water\u000bmark"_s);
    const QVariantList pasted{u"line\u000bbreak\u001b"_s};
    EXPECT_EQ(PropertyList::fromData(PropertyList::toData(pasted, Format::Xml)), QVariant(pasted));
    // Beside them, "&#1;" where XML takes it for plain characters (a CDATA section, a comment) is no
    // control; one in an attribute is.
    EXPECT_EQ(PropertyList::fromData("<plist><array><![CDATA[&#1;]]><!-- &#2; --><string>\x0b</string></array></plist>"),
              QVariant(QVariantList{u"\u000b"_s}));
    EXPECT_TRUE(refusal("<plist><array a=\"&#1;\"><string>\x0b</string></array></plist>").contains(u"control character outside a text"_s));
    // No reference at all: refused as XML parsers refuse it (pugixml kept it as text).
    EXPECT_TRUE(refusal(inString("&#xZZ;")).startsWith(u"Malformed XML property list"_s)) << refusal(inString("&#xZZ;")).toStdString();
}

// QString::fromUtf8 takes a leading U+FEFF for a byte-order mark and drops it, so every reading
// took one off: "\ufeff\ufeffWatermark" became "\ufeffWatermark", then "Watermark".
TEST(PropertyListHostile, LeadingByteOrderMarksSurviveEveryReadingAndWriting)
{
    const QVariantMap value{{u"text"_s, u"\ufeff\ufeffWatermark"_s}, {u"\ufeffkey"_s, u"\ufeff"_s},
                            {u"inside"_s, u"a\ufeffb"_s}};
    for (Format format : {Format::Xml, Format::Binary}) {
        SCOPED_TRACE(format == Format::Xml ? "xml" : "binary");
        const QByteArray theirs = plistlib(u"{'text': '\\ufeff\\ufeffWatermark', '\\ufeffkey': '\\ufeff', "
                                           "'inside': 'a\\ufeffb'}"_s, format);
        EXPECT_EQ(PropertyList::fromData(theirs), QVariant(value));
        const QByteArray ours = PropertyList::toData(value, format);
        EXPECT_EQ(PropertyList::fromData(ours), QVariant(value));
        EXPECT_EQ(PropertyList::toData(PropertyList::fromData(ours).value_or(QVariant()), format), ours);
    }
}

TEST(PropertyListHostile, AnythingButOnePropertyListIsRefusedAndUtf16IsRead)
{
    for (const QByteArray& bytes : {QByteArray("<plist><array/></plist><plist><array/></plist>"),
                                    QByteArray("<plist><array/><array/></plist>"), QByteArray("<array/><dict/>"),
                                    QByteArray("<plist><array/></plist>trailing text")})
        EXPECT_TRUE(refusal(bytes).startsWith(u"Malformed XML property list"_s)) << bytes.constData() << ": "
                                                                                  << refusal(bytes).toStdString();

    // Other writers save UTF-16, with a byte-order mark or without.
    for (const QString& codec : {u"utf-16"_s, u"utf-16-be"_s, u"utf-16-le"_s, u"utf-32"_s}) {
        const QByteArray bytes = python(u"plistlib.dumps(['Zo\\u00eb \\U0001F600'], fmt=plistlib.FMT_XML).decode()"
                                        ".replace('UTF-8', '%1').encode('%1')"_s.arg(codec));
        QString error;
        EXPECT_EQ(PropertyList::fromData(bytes, &error), QVariant(QVariantList{u"Zoë 😀"_s}))
            << codec.toStdString() << ": " << error.toStdString();
    }
    EXPECT_TRUE(refusal("\xff\xfe<\0p\0l\0\0\0"_ba).contains(u"NUL character"_s)) << refusal("\xff\xfe<\0p\0l\0\0\0"_ba).toStdString();
}

// Writing took time in the square of a dictionary's keys (libplist looks each new key up among
// those before it); the file itself is as before.
TEST(PropertyListHostile, ALargeDictionaryIsWrittenAsRead)
{
    QVariantMap row;
    for (int i = 0; i < 100000; ++i)
        row.insert(u"Column%1"_s.arg(i, 6, 10, QChar(u'0')), QString::number(i));
    const QByteArray xml = PropertyList::toData(QVariantList{row}, Format::Xml);
    EXPECT_EQ(PropertyList::fromData(xml), QVariant(QVariantList{row}));
    EXPECT_EQ(xml, plistlib(u"[{'Column%06d' % i: str(i) for i in range(100000)}]"_s, Format::Xml));
}

// A FIFO would block the program until someone wrote into it, a device never ends: only regular
// files are read, without waiting on what stands at the path. mkfifo makes the FIFO.
TEST(PropertyListHostile, OnlyARegularFileIsReadAndNothingElseIsWaitedFor)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath(u"Default.zvp"_s);
    ASSERT_EQ(TestEnvironment::run(u"mkfifo"_s, {fifo}).exitCode, 0);
    const QString zeros = folder.filePath(u"zeros.plist"_s);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zeros));
    const QString good = folder.filePath(u"good.plist"_s);
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(plistlib(u"['Office', 'A4']"_s, Format::Xml));
    file.close();

    std::future<QStringList> reads = std::async(std::launch::async, [&] {
        QStringList reasons;
        for (const QString& path : {fifo, zeros, folder.path(), folder.filePath(u"gone.plist"_s)}) {
            QString error;
            reasons.append(PropertyList::readFile(path, &error) ? u"(read)"_s : error);
        }
        return reasons;
    });
    const bool returned = reads.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!returned) {
        // Lets the blocked reader go before failing.
        QFile writer(fifo);
        writer.open(QIODevice::WriteOnly);
    }
    ASSERT_TRUE(returned) << "a FIFO or a device was waited on";
    EXPECT_EQ(reads.get(), (QStringList{u"\"%1\" is not a file."_s.arg(fifo), u"\"%1\" is not a file."_s.arg(zeros),
                                           u"\"%1\" is not a file."_s.arg(folder.path()),
                                           u"Cannot open \"%1\": No such file or directory"_s.arg(folder.filePath(u"gone.plist"_s))}));
    EXPECT_EQ(PropertyList::readFile(good)->toStringList(), (QStringList{u"Office"_s, u"A4"_s}));
}
