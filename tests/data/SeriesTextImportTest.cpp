// Values from text, CSV, rich text and typed lines; rich text checked against unrtf.
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/SeriesStore.h"
#include "data/SeriesTextImport.h"
#include "support/TestEnvironment.h"

using namespace SeriesTextImport;

namespace {

// The text unrtf makes of a file (its own banner and rule left out), with the txt rule applied.
QStringList unrtfValues(const QByteArray& rtf)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("in.rtf"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    const auto result = TestEnvironment::run("unrtf", {"--nopict", "--text", file.fileName()});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    // unrtf writes the document's own code page (Windows-1252 here), not UTF-8.
    QString text = QStringDecoder("windows-1252").isValid() ? QStringDecoder("windows-1252").decode(result.out)
                                                            : QString::fromLatin1(result.out);
    const qsizetype rule = text.indexOf("-----------------\n");
    text = text.mid(rule + 18);
    return textValues(text);
}

}  // namespace

TEST(SeriesTextImport, TextFilesSplitAtEveryLineEnd)
{
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(textValues("{Alice}\n  Bob  \n\n"), QStringList({"Alice", "Bob"}));
    EXPECT_EQ(textValues("one\ntwo\nthree\n"), QStringList({"one", "two", "three"}));
    EXPECT_EQ(textValues("one\r\ntwo\r\n"), QStringList({"one", "two"}));
    EXPECT_EQ(textValues("one\rtwo\r"), QStringList({"one", "two"}));
    EXPECT_EQ(textValues("one\ntwo"), QStringList({"one", "two"}));
    EXPECT_EQ(chk_and_insert_validation(" a\\b{c} "), "abc");
    // A text file is read to its end: a line naming a font is a value like any other.
    for (const char* extension : {"txt", "csv"})
        EXPECT_EQ(valuesOfFile("a\nNSFont = Helvetica 12.00 pt.\nb\n", extension).values,
                  QStringList({"a", "NSFont = Helvetica 12.00 pt.", "b"})) << extension;
}

// A separator is searched for among the next sixteen characters first, then further on: a line or
// field of exactly sixteen ends at the separator right behind it.
TEST(SeriesTextImport, ALineOrFieldOfSixteenCharactersEndsAtItsSeparator)
{
    const QStringList three = {"0123456789abcdef", "next", "last"};
    const struct {
        const char* extension;
        QByteArray bytes;
    } cases[] = {
        {"txt", "0123456789abcdef\nnext\nlast"},
        {"txt", "0123456789abcdef\r\nnext\rlast"},
        {"csv", "0123456789abcdef,next\nlast"},
        {"csv", "0123456789abcdef\nnext,last"},
        {"csv", "\"0123456789abcdef\",next,last"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(valuesOfFile(c.bytes, c.extension).values, three) << c.bytes.constData();
}

TEST(SeriesTextImport, EncodingByMarkThenStrictUtf8)
{
    const DecodedText utf8 = decodeText("\xEF\xBB\xBFZo\xC3\xAB\n");
    EXPECT_TRUE(utf8.ok);
    EXPECT_EQ(utf8.text, QStringLiteral("Zoë\n"));
    const DecodedText plain = decodeText("Zo\xC3\xAB");
    EXPECT_TRUE(plain.ok);
    EXPECT_EQ(plain.text, QStringLiteral("Zoë"));
    QByteArray utf16("\xFF\xFE");
    const QString wide = QStringLiteral("日本\n");
    utf16.append(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2);
    EXPECT_EQ(decodeText(utf16).text, wide);
    EXPECT_FALSE(decodeText("Zo\xEB").ok);  // Latin-1, no mark
    EXPECT_FALSE(decodeText(QByteArray("a\0b", 3)).ok);
    EXPECT_FALSE(valuesOfFile("Zo\xEB\n", "txt").ok);
    EXPECT_EQ(valuesOfFile("\xEF\xBB\xBF" "a\nb\n", "TXT").values, QStringList({"a", "b"}));
}

TEST(SeriesTextImport, CsvFollowsRfc4180)
{
    EXPECT_EQ(csvValues("a,b\rc\r"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(csvValues("a,b\nc,d\n"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(csvValues("a,b\r\nc,d"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(csvValues("\"Smith, John\",42\n\"say \"\"hi\"\"\",x\n"),
              QStringList({"Smith, John", "42", "say \"hi\"", "x"}));
    EXPECT_EQ(csvValues("\"two\nlines\",b\n"), QStringList({"two lines", "b"}));
    // A quoted "\r\n" is one line end, so one blank.
    EXPECT_EQ(csvValues("\"a\r\nb\",c"), QStringList({"a b", "c"}));
    EXPECT_EQ(csvValues("\"a\r\rb\",c"), QStringList({"a  b", "c"}));
    EXPECT_EQ(csvValues("a,,b,\n,\n"), QStringList({"a", "b"}));
    EXPECT_EQ(csvValues("5\"6,7"), QStringList({"5\"6", "7"}));
    // Text after a closing quote joins the field; what cleaning removes goes from every field.
    EXPECT_EQ(csvValues("\"a\"b,{c},\"d\\e\"\n"), QStringList({"ab", "c", "de"}));
    EXPECT_EQ(valuesOfFile("name\n\"Doe, Jane\"\nRoe\n", "CSV").values, QStringList({"name", "Doe, Jane", "Roe"}));
}

TEST(SeriesTextImport, RichTextKeepsEveryRun)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}{\\f1 Times;}}\n"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        "{\\*\\generator Writer 1.0;}{\\info{\\title Names}{\\author Me}}\n"
        "\\pard\\f0\\fs24 Alice {\\b\\cf1 Ann} Smith\\par\n"
        "{\\i\\cf2 Bob}\\line Caf\\'e9 Cr\\'e8me\\par\n"
        "\\f1 Carol \\{x\\}\\par\n"
        "{\\ul Dan} {\\cf2\\b Dee}\\par}";
    const QStringList values = textValues(rtfToText(rtf));
    EXPECT_EQ(values, QStringList({"Alice Ann Smith", "Bob", QStringLiteral("Café Crème"), "Carol x", "Dan Dee"}));
    EXPECT_EQ(values, unrtfValues(rtf));
    EXPECT_EQ(valuesOfFile(rtf, "RTF").values, values);
    // Pictures are no text; a tab stays inside its line.
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi {\\pict\\pngblip 89504e47}Dan\\tab Dee\\par}"), "Dan\tDee\n");
}

TEST(SeriesTextImport, RichTextUnicodeAndCodePages)
{
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi x\\u8364? y\\uc2\\u26085\\'93\\'fa z\\uc0\\u-10179\\u-8704 w}"),
              QStringLiteral("x€ y日 z😀w"));
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi\\ansicpg1252 \\'80\\'93q\\'94}"), QStringLiteral("€“q”"));
    // Each byte in the code page in force where it stands.
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi caf\\'e9\\ansicpg1251 \\'e9}"), QStringLiteral("caféй"));
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi a\\~b\\emdash c\\bin3 {}}d}"), QStringLiteral("a\u00a0b—cd"));
    // The bytes after "\binN" are never text, whatever they hold.
    EXPECT_EQ(rtfToText("{\\rtf1 a\\bin5 xy zwb}"), "ab");
    // A parameter is its sign and at most twelve characters: the sign is one of them, and a digit
    // past them is text.
    EXPECT_EQ(rtfToText("{\\rtf1\\uc0 \\u-000000300507}"), QStringLiteral("語7"));
    EXPECT_EQ(rtfToText("{\\rtf1\\uc0 \\u0000000354867}"), QStringLiteral("語7"));
    // "\'" takes two hexadecimal digits of either case, and stands for nothing with others; a word
    // is ASCII letters of either case, and one not known is left out.
    EXPECT_EQ(rtfToText("{\\rtf1\\ansi \\'C9\\'e9\\'4g\\'g4\\'zz \\horzvert0 \\Zed x}"), QStringLiteral("Éé x"));
    EXPECT_FALSE(valuesOfFile("plain words", "rtf").ok);
    // Only two hexadecimal digits make a character: read as a number, " a" or "a " would be a
    // line end splitting one value in two, and "-1" the character ÿ. The document may end first.
    for (const char* rtf : {"{\\rtf1\\ansi one\\' atwo\\par}", "{\\rtf1\\ansi one\\'a two\\par}",
                            "{\\rtf1\\ansi one\\'-1two\\par}", "{\\rtf1\\ansi one\\'+ftwo\\par}",
                            "{\\rtf1\\ansi onetwo\\'4", "{\\rtf1\\ansi onetwo\\'"}) {
        SCOPED_TRACE(rtf);
        EXPECT_EQ(rtfToText(rtf).trimmed(), "onetwo");
        EXPECT_EQ(valuesOfFile(rtf, "rtf").values, QStringList{"onetwo"});
    }
}

// Each character of rich text in a code page, its bytes written as "\'hh", is the character
// Python's codec of that page gives: every byte of a page of one byte a character, every pair of a
// first and a second byte of cp950. Where cp950 is read as Windows reads it, the user-defined
// characters are private-use characters, and a pair that is no character is one U+FFFD.
TEST(SeriesTextImport, EveryCharacterOfRichTextInACodePageIsPythonsCharacter)
{
    const QStringList pages = {"437", "850", "852", "866", "874", "1250", "1251", "1252", "1253", "1255", "1258", "10000", "950"};
    const auto python = TestEnvironment::runPython(QStringLiteral(
        "import sys\n"
        "pairs = [bytes([a, b]) for a in range(0x81, 0xff) for b in [*range(0x40, 0x7f), *range(0xa1, 0xff)]]\n"
        "for page in sys.argv[1:]:\n"
        "    codec = 'mac_roman' if page == '10000' else 'cp' + page\n"
        "    for seq in pairs if page == '950' else [bytes([b]) for b in range(1, 256)]:\n"
        "        print(page, seq.hex(), *(ord(c) for c in seq.decode(codec, 'replace')))\n"),
        pages);
    ASSERT_EQ(python.exitCode, 0) << python.err.constData();
    const auto userDefined = [](uint pair) { return (pair >= 0x8140 && pair <= 0xA0FE) || (pair >= 0xC6A1 && pair <= 0xC8FE) || pair >= 0xFA40; };
    int compared = 0;
    for (const QByteArray& line : python.out.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3)
            continue;
        QByteArray escapes;
        for (qsizetype at = 0; at < fields[1].size(); at += 2)
            escapes += "\\'" + fields[1].mid(at, 2);
        QList<uint> theirs;
        for (const QByteArray& character : fields.mid(2))
            theirs.append(character.toUInt());
        const QList<uint> ours = rtfToText("{\\rtf1\\ansi\\ansicpg" + fields[0] + " " + escapes + "}").toUcs4();
        const std::string where = "code page " + fields[0].toStdString() + ", bytes " + fields[1].toStdString();
        ++compared;
        if (fields[1].size() == 4 && userDefined(fields[1].toUInt(nullptr, 16))) {
            EXPECT_TRUE(ours.size() == 1 && ours[0] >= 0xE000 && ours[0] <= 0xF8FF) << where;
            continue;
        }
        const bool none = theirs.count(0xFFFD) == theirs.size();
        EXPECT_EQ(ours, none ? QList<uint>{0xFFFD} : theirs) << where;
    }
    EXPECT_EQ(compared, 255 * (pages.size() - 1) + 126 * 157);
}

TEST(SeriesTextImport, TypedLinesAreKeptAsTyped)
{
    EXPECT_EQ(typedLines("one\n\n two \r\nthree"), QStringList({"one", " two ", "three"}));
}

TEST(SeriesTextImport, WhatTheImportTakesTheStoreWritesAndReadsBackUnchanged)
{
    // A NUL from "\'00" (alone, or among bytes of the code page) or "\u0", a surrogate without its
    // other half, a blank behind a zero-width space: each value comes out as a series file can keep it.
    const FileValues values = valuesOfFile(
        "{\\rtf1\\ansi A\\'00B\\par C\\u0 ?D\\par E\\u-10240 ?F\\par G \\u8203 ?\\par H\\'e9\\'00I}", "rtf");
    ASSERT_TRUE(values.ok);
    EXPECT_EQ(values.values, (QStringList{"AB", "CD", QStringLiteral("E\uFFFDF"), "G", QStringLiteral("H\u00e9I")}));
    EXPECT_EQ(typedLines(QStringLiteral("x") + QChar(0xDC00) + QChar(u'\0') + "y"), QStringList{QStringLiteral("x\uFFFDy")});
    EXPECT_EQ(chk_and_insert_validation(QStringLiteral("A \u200B")), "A");
    EXPECT_EQ(chk_and_insert_validation(QStringLiteral("\u200B A")), "A");
    // A value cleaned holds no more room than its text, as the import counts it.
    const QString cleaned = chk_and_insert_validation(QString(1000, u' ') + "a{}" + QString(1000, u' '));
    EXPECT_EQ(cleaned, "a");
    EXPECT_LE(cleaned.capacity(), 1 + SeriesStore::kSpareUnits);

    QTemporaryDir folder;
    const SeriesStore store(folder.path());
    ASSERT_TRUE(store.save("Imported", values.values));
    EXPECT_EQ(store.read("Imported").values, values.values);
    EXPECT_EQ(store.readRecords("Imported").values, values.values);
}

// UTF-16 and UTF-32 files are refused like bad UTF-8 when their bytes are not whole characters,
// and UTF-8 that names surrogates is bad UTF-8.
TEST(SeriesTextImport, WideTextsThatAreNotWholeCharactersAreRefused)
{
    const struct {
        const char* what;
        const char* hex;
        const char* text;  // none when refused
    } cases[] = {
        {"UTF-16 whole", "fffe41004200", "AB"},
        {"UTF-16 with an odd byte", "fffe4100420043", nullptr},
        {"UTF-16 with half a surrogate pair", "fffe00d84100", nullptr},
        {"UTF-32 whole", "fffe000041000000", "A"},
        {"UTF-32 past U+10FFFF", "fffe00004100000000001100", nullptr},
        {"UTF-32 naming a surrogate", "0000feff0000d800", nullptr},
        {"UTF-32 broken off", "fffe0000410000", nullptr},
        {"UTF-8 naming a surrogate", "41eda080", nullptr},
        {"UTF-8 naming the two halves of a pair", "41eda0bdedb880", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray bytes = QByteArray::fromHex(c.hex);
        const DecodedText decoded = decodeText(bytes);
        EXPECT_EQ(decoded.ok, c.text != nullptr);
        EXPECT_EQ(decoded.text, QString::fromLatin1(c.text));
        EXPECT_EQ(valuesOfFile(bytes, "txt").ok, c.text != nullptr);
    }
}

// An import holds no more values than a series can keep: it stops and says so, and nothing is
// left to save. Rich text nested past any document's depth is no text.
TEST(SeriesTextImport, AnImportPastTheRoomOfASeriesIsRefused)
{
    // 4.2 million values of one character take 4.2 million times 66 bytes, past 256 MB.
    const FileValues read = valuesOfFile(QByteArray("1\n").repeated(4200000), "txt");
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.failure, kTooManyValuesMessage);
    EXPECT_TRUE(read.values.isEmpty());
    // A line or field empty once cleaned counts as a value, once: 4.2 million empty lines are past
    // the room, 4 million empty quoted fields within it.
    EXPECT_EQ(valuesOfFile(QByteArray("\n").repeated(4200000), "txt").failure, kTooManyValuesMessage);
    const FileValues emptyFields = valuesOfFile(QByteArray("\"\",").repeated(4000000), "csv");
    EXPECT_TRUE(emptyFields.ok && emptyFields.values.isEmpty());
    const QByteArray deep = "{\\rtf1 " + QByteArray("{").repeated(kMaxRtfGroupDepth - 1) + "x" + QByteArray("}").repeated(kMaxRtfGroupDepth - 1) + "}";
    EXPECT_EQ(valuesOfFile(deep, "rtf").values, QStringList{"x"});
    const FileValues deeper = valuesOfFile("{\\rtf1 " + QByteArray("{").repeated(50 << 20), "rtf");
    EXPECT_FALSE(deeper.ok);
    EXPECT_TRUE(deeper.failure.isEmpty());
}

// Files are read a megabyte at a time: what stands across the edge of two reads reads as if it
// were read whole, a "\r\n", a UTF-8 sequence, a UTF-16 surrogate pair, a CSV field, quoted or
// not, a U+FEFF that is no byte-order mark, and a line longer than a read.
TEST(SeriesTextImport, WhatStandsAcrossTheEdgeOfTwoReadsReadsAsWritten)
{
    constexpr qsizetype kRead = qsizetype(1) << 20;
    const QByteArray fill(kRead - 1, 'a');
    const QString filled = QString(kRead - 1, u'a');
    QStringEncoder utf16(QStringConverter::Utf16LE);
    const struct {
        const char* what;
        const char* extension;
        QByteArray bytes;
        QStringList values;
    } cases[] = {
        {"a line end", "txt", fill + "\r\nb\n", {filled, "b"}},
        {"a character", "txt", fill + "\xc3\xa9\nb", {filled + u'é', "b"}},
        {"a surrogate pair", "txt", "\xff\xfe" + QByteArray(utf16.encode(QString(kRead / 2 - 2, u'a') + QStringLiteral("😀\nb"))),
         {QString(kRead / 2 - 2, u'a') + QStringLiteral("😀"), "b"}},
        {"a line end in a quoted field", "csv", "\"" + QByteArray(kRead - 2, 'a') + "\r\nb\",c", {QString(kRead - 2, u'a') + " b", "c"}},
        {"a doubled quote", "csv", "\"" + QByteArray(kRead - 2, 'a') + "\"\"b\",c", {QString(kRead - 2, u'a') + "\"b", "c"}},
        {"an unquoted field", "csv", fill + "bc,d", {filled + "bc", "d"}},
        {"a U+FEFF first in a read, inside a line", "txt", "a\n" + QByteArray(kRead - 2, 'c') + "\xef\xbb\xbf" "d",
         {"a", QString(kRead - 2, u'c') + QChar(0xFEFF) + u'd'}},
        // A control word's parameter read ahead to the file's last byte: "\\u-5" is U+FFFB, trimmed.
        {"a look-ahead to the end", "rtf", "{\\rtf1 " + QByteArray(kRead - 10, 'a') + "\\u-5", {QString(kRead - 10, u'a')}},
        {"a NUL byte first in a read", "rtf", "{\\rtf1 " + QByteArray(kRead - 7, 'a') + QByteArray(1, '\0') + "b\\par c}",
         {QString(kRead - 7, u'a') + u'b', "c"}},
        {"a character word across the edge, ending a document without its closing brace", "rtf",
         "{\\rtf1 " + QByteArray(kRead - 9, 'a') + "\\u233", {QString(kRead - 9, u'a') + QStringLiteral("é")}},
        {"a line of three reads", "txt", "  " + QByteArray(3 * kRead, 'v') + "  \nend", {QString(3 * kRead, u'v'), "end"}},
    };
    for (const auto& c : cases) {
        const FileValues read = valuesOfFile(c.bytes, c.extension);
        EXPECT_TRUE(read.ok) << c.what;
        ASSERT_EQ(read.values.size(), c.values.size()) << c.what;
        for (qsizetype i = 0; i < c.values.size(); ++i)
            EXPECT_TRUE(read.values[i] == c.values[i]) << c.what << ": value " << i << " of " << read.values[i].size() << " units";
    }
}
