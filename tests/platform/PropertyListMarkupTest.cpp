// XML property lists are read as Python's plistlib (expat) reads them: what it refuses as
// malformed markup is refused, and what it reads reads the same, entity references included. (One
// departure, pinned beside the hostile lists: controls below U+0020 in texts are read.)
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/XmlDeclaredEncoding.h"
#include "platform/XmlPropertyList.h"
#include "support/TestEnvironment.h"

namespace {

const QByteArray kWithDtd = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">";
const QByteArray kWithoutDtd = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";

// What a reader made of a document: "refused", or the hex of the UTF-8 of its text (a dictionary's
// keys and texts one after the other).
QString ours(const QByteArray& document)
{
    const std::optional<QVariant> value = readXmlPropertyList(document, 16, nullptr);
    if (!value)
        return QStringLiteral("refused");
    QString text = value->toString();
    const QVariantMap map = value->toMap();
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        text += it.key() + it.value().toString();
    return QString::fromLatin1(text.toUtf8().toHex());
}

}  // namespace

TEST(PropertyListMarkup, MarkupIsReadOrRefusedAsPlistlibReadsOrRefusesIt)
{
    const QList<QByteArray> documents = {
        kWithDtd + "<string>A&amp;B&lt;&gt;&quot;&apos;</string></plist>",
        kWithDtd + "<string>&#65;&#x42;&#x10FFFF;&#x1F600;caf&#233;</string></plist>",
        kWithDtd + "<string>&#X41;</string></plist>",
        kWithDtd + "<string>A & B</string></plist>",
        kWithDtd + "<string>&#65 B</string></plist>",
        kWithDtd + "<string>&#;</string></plist>",
        kWithDtd + "<string>a]]>b</string></plist>",
        kWithDtd + "<string>a]b]>c>d</string></plist>",
        kWithDtd + "<string>&#xFFFE;</string></plist>",
        kWithDtd + "<string>&#0;</string></plist>",
        kWithDtd + "<string>&#xD800;</string></plist>",
        kWithDtd + "<string>A&nbsp;B</string></plist>",
        kWithoutDtd + "<string>A&nbsp;B</string></plist>",
        kWithoutDtd + "<string>A&amp;B</string></plist>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!ENTITY e \"x\">]>\n<plist version=\"1.0\"><string>A&e;B</string></plist>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!ENTITY e \"x\">]>\n<plist version=\"1.0\"><string>AB</string></plist>",
        kWithDtd + "<string><![CDATA[x & y ]] > <&>]]></string></plist>",
        kWithDtd + "<string>a<!-- & ]]> -->b<?pi & ?>c</string></plist>",
        kWithDtd + "<dict><key>K&amp;</key><string>V&#x9;</string></dict></plist>",
        // An entity declared after a "]" in a literal, comment or instruction of the subset.
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!ATTLIST plist v CDATA \"]\"><!ENTITY e \"x\">]>\n<plist><string>A&e;B</string></plist>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!-- ] --><!ENTITY e \"x\">]>\n<plist><string>A&e;B</string></plist>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<?pi ] ?><!ENTITY e \"x\">]>\n<plist><string>AB</string></plist>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!entity e \"x\">]>\n<plist><string>AB</string></plist>",
        kWithDtd + "<string>a<!-- b -- c -->d</string></plist>",
        kWithDtd + "<string>a<?xml version=\"1.0\"?>b</string></plist>",
        QByteArray(kWithDtd).replace("<plist version=\"1.0\">", "<plist version=\"1<0\">") + "<string>AB</string></plist>",
        kWithoutDtd + "<string>AB</string></plist>\n<!DOCTYPE plist>",
        kWithDtd + "<string>Zo\xeb</string></plist>",
        kWithDtd + "<string>Zo\xc3\xab \xf0\x9f\x98\x80</string></plist>",
        // An undeclared entity in an attribute under an external DTD is left out, as in the text.
        kWithDtd + "<string a=\"&x;\">AB</string></plist>",
        QByteArray(kWithDtd).replace("<plist version=\"1.0\">", "<plist version=\"&x;\">") + "<string>AB</string></plist>",
        QByteArray(kWithoutDtd).replace("<plist version=\"1.0\">", "<plist version=\"&x;\">") + "<string>AB</string></plist>",
        // Single-byte encodings as the document declares them (also after a UTF-8 byte-order mark),
        // through Python's codecs; a byte one lacks, multi-byte and unknown ones are refused.
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><plist><string>Zo\xeb</string></plist>",
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><plist><string>AB</string></plist>",
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><plist><string>\x80 Zo\xeb \x9c</string></plist>",
        "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><plist><dict><key>\xa4</key><string>\xbd</string></dict></plist>",
        "<?xml version=\"1.0\" encoding=\"cp1252\"?><plist><string>\x81</string></plist>",
        "<?xml version=\"1.0\" encoding=\"cp856\"?><plist><string>\xee\xfa\x7f\x80</string></plist>",
        "<?xml version=\"1.0\" encoding=\"mac-cyrillic\"?><plist><string>\xff\xee</string></plist>",
        "<?xml version=\"1.0\" encoding=\"latin-1\"?><plist><string>Zo\xeb</string></plist>",
        "<?xml version=\"1.0\" encoding=\"utf8\"?><plist><string>Zo\xc3\xab</string></plist>",
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><plist><string>AB</string></plist>",
        "<?xml version=\"1.0\" encoding=\"x-unknown\"?><plist><string>AB</string></plist>",
        // A control (raw or as a reference) outside a text: between elements, in an attribute, a
        // comment or a tag.
        kWithDtd + "<dict>\x01<key>K</key><string>V</string></dict></plist>",
        QByteArray(kWithDtd).replace("version=\"1.0\">", "version=\"1.0\x0b\">") + "<string>AB</string></plist>",
        QByteArray(kWithDtd).replace("version=\"1.0\">", "version=\"1.0&#x1f;\">") + "<string>AB</string></plist>",
        kWithDtd + "<!-- \x1b --><string>AB</string></plist>",
        kWithDtd + "<string\x02>AB</string></plist>",
    };
    QTemporaryDir folder;
    QStringList paths;
    for (const QByteArray& document : documents) {
        paths << folder.filePath(QStringLiteral("%1.plist").arg(paths.size()));
        QFile file(paths.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
    }
    const auto plistlib = TestEnvironment::runPython(QStringLiteral(
        "import plistlib, sys\n"
        "for path in sys.argv[1:]:\n"
        "    try:\n"
        "        value = plistlib.load(open(path, 'rb'))\n"
        "        if isinstance(value, dict): value = ''.join(k + v for k, v in value.items())\n"
        "        print(value.encode('utf-8', 'surrogatepass').hex())\n"
        "    except Exception:\n"
        "        print('refused')\n"), paths);
    ASSERT_EQ(plistlib.exitCode, 0) << plistlib.err.constData();
    const QStringList theirs = QString::fromUtf8(plistlib.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(theirs.size(), documents.size());
    int refused = 0;
    for (qsizetype i = 0; i < documents.size(); ++i) {
        EXPECT_EQ(ours(documents[i]), theirs[i]) << documents[i].constData();
        refused += theirs[i] == QLatin1String("refused");
    }
    // Both kinds are there: a table that refuses everything tests half.
    EXPECT_GE(refused, 16);
    EXPECT_LE(refused, int(documents.size()) - 12);
}

// Each of the 256 bytes of a single-byte encoding stands for the character Python's codec of that
// name gives it, or for none where the codec has none, also where glibc's table differs.
TEST(PropertyListMarkup, EveryByteOfADeclaredEncodingIsPythonsCharacter)
{
    const QStringList encodings = {"cp856", "CP856", "mac_cyrillic", "macintosh", "windows-1252", "koi8_r", "cp850"};
    const auto python = TestEnvironment::runPython(QStringLiteral(
        "import sys\n"
        "for name in sys.argv[1:]:\n"
        "    print(' '.join(str(-1 if c == '\\ufffd' else ord(c)) for c in bytes(range(256)).decode(name, 'replace')))\n"),
        encodings);
    ASSERT_EQ(python.exitCode, 0) << python.err.constData();
    const QList<QByteArray> theirs = python.out.split('\n');
    ASSERT_GT(theirs.size(), encodings.size());
    for (qsizetype i = 0; i < encodings.size(); ++i) {
        const QList<QByteArray> characters = theirs[i].split(' ');
        ASSERT_EQ(characters.size(), 256);
        const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"" + encodings[i].toLatin1() + "\"?>";
        for (int byte = 0; byte < 256; ++byte) {
            const DeclaredEncoding read = readDeclaredEncoding(declaration + char(byte));
            const QList<uint> decoded = QString::fromUtf8(read.utf8).toUcs4();
            const int ours = read.kind == DeclaredEncoding::Kind::Decoded && decoded.size() == declaration.size() + 1
                                 ? int(decoded.last()) : -1;
            EXPECT_EQ(ours, characters[byte].toInt()) << encodings[i].toStdString() << " byte " << byte;
        }
    }
}
