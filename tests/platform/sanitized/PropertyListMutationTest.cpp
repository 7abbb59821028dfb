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

// A value as text both sides write alike: texts as the hex of their UTF-8, data as its hex, lists
// in brackets, dictionaries by their keys in order.
QString canonical(const QVariant& value)
{
    if (value.typeId() == QMetaType::QVariantList) {
        QString text = u"["_s;
        for (const QVariant& item : value.toList())
            text += canonical(item) + u',';
        return text + u']';
    }
    if (value.canConvert<QVariantMap>() && value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray) {
        const QVariantMap map = value.toMap();
        QString text = u"{"_s;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            text += QString::fromLatin1(it.key().toUtf8().toHex()) + u':' + canonical(it.value()) + u',';
        return text + u'}';
    }
    const QByteArray bytes = value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
    return QString::fromLatin1(bytes.toHex());
}

// What our reader makes of each list: canonical() of the value, or "refused".
QStringList ours(const QString& what, const QList<QByteArray>& lists)
{
    QStringList read;
    readWithinBounds(what, [&] {
        for (const QByteArray& list : lists) {
            const std::optional<QVariant> value = PropertyList::fromData(list);
            read << (value ? canonical(*value) : u"refused"_s);
        }
    });
    return read;
}

// Python's half. "values FILE...": what plistlib reads from each file, canonical() as above, or
// "refused". "controls FOLDER RANDOMSEED COUNT SEEDFILE": lists with controls put in the seed,
// written to FOLDER/<n>.plist, and what the reader is to make of each (see below).
const char* const kPlistlib = R"(import plistlib, random, re, sys
def canonical(v):
    if isinstance(v, list): return '[' + ''.join(canonical(i) + ',' for i in v) + ']'
    if isinstance(v, dict): return '{' + ''.join(k.encode('utf-8', 'surrogatepass').hex() + ':' + canonical(v[k]) + ',' for k in sorted(v)) + '}'
    if isinstance(v, bool): return str(v).lower().encode().hex()
    if isinstance(v, bytes): return v.hex()
    return str(v).encode('utf-8', 'surrogatepass').hex()
def read(doc):
    try: return plistlib.loads(doc)
    except Exception: return None
def result(v): return 'refused' if v is None else canonical(v)
def texts(v):
    if isinstance(v, list): return ''.join(texts(i) for i in v)
    if isinstance(v, dict): return ''.join(k + texts(i) for k, i in v.items())
    return v if isinstance(v, str) else ''
MARK = 0xE000
def unmarked(v):
    if isinstance(v, list): return [unmarked(i) for i in v]
    if isinstance(v, dict): return {unmarked(k): unmarked(i) for k, i in v.items()}
    return ''.join(chr(ord(c) - MARK) if MARK <= ord(c) < MARK + 32 else c for c in v) if isinstance(v, str) else v
def put(doc, pieces):
    for at, piece in sorted(pieces, key=lambda p: p[0], reverse=True): doc = doc[:at] + piece + doc[at:]
    return doc
def control(c, reference, marked):
    text = ('&#x%X;' % (MARK + c) if marked else '&#%d;' % c) if reference else chr(MARK + c if marked else c)
    return text.encode()
def place(rng, doc):
    if rng.random() < 0.5: return rng.randrange(len(doc) + 1)
    return rng.randint(*rng.choice([m.span(2) for m in re.finditer(rb'<(string|key)>([^<]*)<', doc)]))
def control_case(rng, doc):
    picks = [(place(rng, doc), rng.choice([c for c in range(1, 32) if c not in (9, 10, 13)]), rng.random() < 0.3)
             for _ in range(rng.randint(1, 3))]
    ours = put(doc, [(at, control(c, ref, False)) for at, c, ref in picks])
    # Each alone, with a private-use stand-in: read in a text, a reference taken for plain
    # characters (one to a non-character is not refused), or refused.
    in_text = []
    for at, c, ref in picks:
        value = read(put(doc, [(at, control(c, ref, True))]))
        if value is not None and chr(MARK + c) in texts(value): in_text.append(True)
        elif ref and read(put(doc, [(at, b'&#xFFFE;')])) is not None: in_text.append(False)
        else: return ours, 'refused'
    return ours, result(unmarked(read(put(doc, [(at, control(c, ref, t)) for (at, c, ref), t in zip(picks, in_text)]))))
if sys.argv[1] == 'values':
    for path in sys.argv[2:]: print(result(read(open(path, 'rb').read())))
else:
    rng, seed = random.Random(int(sys.argv[3])), open(sys.argv[5], 'rb').read()
    for n in range(int(sys.argv[4])):
        doc, expected = control_case(rng, seed)
        open('%s/%d.plist' % (sys.argv[2], n), 'wb').write(doc)
        print(expected)
)";

QStringList plistlib(const QStringList& arguments)
{
    const auto python = TestEnvironment::runPython(QString::fromLatin1(kPlistlib), arguments);
    EXPECT_EQ(python.exitCode, 0) << python.err.constData();
    return QString::fromUtf8(python.out).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

// Markup that plistlib (expat) refuses is never read: lists of texts with the pieces XML rules on
// put in anywhere (declarations, comments, instructions, DOCTYPEs, entities, bytes that are not
// of the declared encoding) are read only when plistlib reads them, and then to the same values;
// the seeds, in UTF-8 and in single-byte encodings they declare, read as plistlib reads them.
// (Controls in texts are the one departure, pinned below.)
TEST(PropertyListMutation, MarkupIsReadOnlyWhenPlistlibReadsItAndAsItReadsIt)
{
    const QByteArray dtd = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";
    const QByteArray body = "<plist version=\"1.0\"><dict><key>Name</key><string>Ada</string><key>Note</key>"
                            "<array><string>x</string><string>y z</string></array></dict></plist>";
    const QList<QByteArray> seeds = {dtd + body, "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [\n]>\n" + body, body};
    // A list declared windows-1252 or ISO-8859-15 was refused as of an unknown encoding.
    const QByteArray beyondAscii = QByteArray(body).replace("Ada", "Zo\xeb \x80\xa4\xbd");
    const QList<QByteArray> encoded = {QByteArray(dtd).replace("UTF-8", "windows-1252") + beyondAscii,
                                       "\xef\xbb\xbf" + QByteArray(dtd).replace("UTF-8", "ISO-8859-15") + beyondAscii};
    const QList<QByteArray> pieces = {"<!ENTITY e \"x\">", "<!entity e \"x\">", "<!DOCTYPE plist [", "]>", "]", "\"",
                                      "'", "<!-- ", " -->", "--", "<?xml version=\"1.0\"?>", "<?pi ] ?>", "&e;", "&x;",
                                      "&amp;", "&#0;", "<", ">", "\xeb", "\xc3\xab", "<![CDATA[", "]]>",
                                      " a=\"&x;\"", "<!DOCTYPE plist>", "<!ATTLIST plist v CDATA \"]\">"};
    QRandomGenerator random(20250601);
    QTemporaryDir folder;
    QList<QByteArray> documents = encoded;
    for (int round = 0; round < 1000; ++round) {
        QByteArray document = round < 800 ? seeds[round % seeds.size()] : encoded[round % encoded.size()];
        for (int edit = 0, edits = 1 + random.bounded(2); edit < edits; ++edit)
            document.insert(random.bounded(int(document.size()) + 1), pieces[random.bounded(int(pieces.size()))]);
        documents << document;
    }
    QStringList paths;
    for (const QByteArray& document : documents) {
        paths << folder.filePath(u"%1.plist"_s.arg(paths.size()));
        QFile file(paths.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
    }
    const QStringList theirs = plistlib(QStringList{u"values"_s} + paths);
    ASSERT_EQ(theirs.size(), documents.size());
    const QStringList read = ours(u"markup of property lists"_s, documents);
    for (qsizetype i = 0; i < documents.size(); ++i) {
        if (i < encoded.size() || read[i] != u"refused"_s)
            EXPECT_EQ(read[i], theirs[i]) << documents[i].constData();
    }
    // Both roads are taken: some markup survives its pieces (text beside the value is refused
    // where plistlib passes it by).
    EXPECT_GE(read.size() - read.count(u"refused"_s), 30);
}

// A raw control between elements, in an attribute or a comment was read where plistlib refuses it.
// A control (raw or as a reference) is read only in the text of a string or a key, which the writer
// writes as it is; anywhere else it is refused, as plistlib refuses it. Expected of each list:
// refused when a control stands outside a text; otherwise the value plistlib reads with a
// private-use character standing for each control in a text.
TEST(PropertyListMutation, ControlsAreReadInTextsAndRefusedElsewhereAsPlistlibRefusesThem)
{
    const QByteArray everyKind = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                 "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n<!-- Zo\xc3\xab -->\n"
                                 "<dict>\n\t<key>Gr\xc3\xb6\xc3\x9f" "e</key>\n\t<string>Zo\xc3\xab \xe2\x82\xac" "5 <![CDATA[a&b]]> &amp; "
                                 "\xd0\x96</string>\n\t<key>Rows</key>\n\t<array><integer>3</integer><true/><?pi x?>"
                                 "<data>AQJhYmM=</data></array>\n</dict>\n</plist>\n";
    QTemporaryDir folder;
    QFile seed(folder.filePath(u"seed.xml"_s));
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly) && seed.write(everyKind) == everyKind.size());
    seed.close();
    const QStringList expected = plistlib({u"controls"_s, folder.path(), u"20250712"_s, u"1500"_s, seed.fileName()});
    ASSERT_EQ(expected.size(), 1500);
    QList<QByteArray> lists;
    for (qsizetype n = 0; n < expected.size(); ++n) {
        QFile file(folder.filePath(u"%1.plist"_s.arg(n)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        lists << file.readAll();
    }
    const QStringList read = ours(u"property lists holding controls"_s, lists);
    for (qsizetype n = 0; n < lists.size(); ++n)
        EXPECT_EQ(read[n], expected[n]) << lists[n].toStdString();
    // Both roads are taken.
    EXPECT_GE(read.size() - read.count(u"refused"_s), 100);
    EXPECT_GE(read.count(u"refused"_s), 300);
}
