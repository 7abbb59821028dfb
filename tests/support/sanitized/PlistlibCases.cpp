#include "PlistlibCases.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/PropertyList.h"
#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"

using namespace Qt::StringLiterals;

namespace {

// The Python half: canonical() as canonicalValue(), and the cases. Arguments: the kind of cases,
// the folder to write them to, the random seed, the seed files; for encodings the names after "--".
// Each case is written to <folder>/<n>.plist and its expected result printed on a line.
const char* const kScript = R"(import plistlib, random, re, sys
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
    texts = [m.span(2) for m in re.finditer(rb'<(string|key)>([^<]*)<', doc)]
    if rng.random() < 0.5: return rng.randrange(len(doc) + 1)
    start, end = rng.choice(texts)
    return rng.randint(start, end)
def control_case(rng, doc):
    picks = [(place(rng, doc), rng.choice([c for c in range(1, 32) if c not in (9, 10, 13)]), rng.random() < 0.3)
             for _ in range(rng.randint(1, 3))]
    ours = put(doc, [(at, control(c, ref, False)) for at, c, ref in picks])
    # Each alone, with a stand-in: read in a text, a reference taken for plain characters (one to
    # a non-character is not refused), or refused.
    standing = []
    for at, c, ref in picks:
        value = read(put(doc, [(at, control(c, ref, True))]))
        if value is not None and chr(MARK + c) in texts(value): standing.append(True)
        elif ref and read(put(doc, [(at, b'&#xFFFE;')])) is not None: standing.append(False)
        else: return ours, 'refused'
    return ours, result(unmarked(read(put(doc, [(at, control(c, ref, text)) for (at, c, ref), text in zip(picks, standing)]))))
def encoding_cases(rng, seeds, names):
    for doc in seeds:
        for name in names:
            text = doc.decode('utf-8').replace('encoding="UTF-8"', 'encoding="%s"' % name, 1)
            try: written = text.encode(name, 'xmlcharrefreplace')
            except Exception: written = text.encode('utf-8')
            text_at = written.find(b'<string>') + len(b'<string>')
            for case in (written, b'\xef\xbb\xbf' + written, put(written, [(text_at, bytes([rng.randrange(0x80, 0x100)]))])):
                yield case, result(read(case))
kind, folder, rng = sys.argv[1], sys.argv[2], random.Random(int(sys.argv[3]))
if kind == 'values':
    cases = [(None, result(read(open(p, 'rb').read()))) for p in sys.argv[4:]]
else:
    split = sys.argv.index('--') if '--' in sys.argv else len(sys.argv)
    seeds = [open(p, 'rb').read() for p in sys.argv[4:split]]
    cases = encoding_cases(rng, seeds, sys.argv[split + 1:]) if kind == 'encodings' else \
        (control_case(rng, rng.choice(seeds)) for _ in range(int(sys.argv[split + 1])))
for n, (doc, expected) in enumerate(cases):
    if doc is not None: open('%s/%d.plist' % (folder, n), 'wb').write(doc)
    print(expected)
)";

QStringList runScript(const QStringList& arguments)
{
    const auto python = TestEnvironment::runPython(QString::fromLatin1(kScript), arguments);
    EXPECT_EQ(python.exitCode, 0) << python.err.constData();
    return QString::fromUtf8(python.out).split(u'\n', Qt::SkipEmptyParts);
}

QList<PlistlibCase> casesMade(const QString& kind, const QList<QByteArray>& seeds, int seed, const QStringList& rest)
{
    QTemporaryDir folder;
    QStringList arguments{kind, folder.path(), QString::number(seed)};
    for (const QByteArray& bytes : seeds) {
        arguments << folder.filePath(u"seed%1.xml"_s.arg(arguments.size()));
        QFile file(arguments.last());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const QStringList expected = runScript(arguments + QStringList{u"--"_s} + rest);
    QList<PlistlibCase> cases;
    for (const QString& result : expected) {
        QFile file(folder.filePath(u"%1.plist"_s.arg(cases.size())));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        cases.append({file.readAll(), result});
    }
    return cases;
}

}  // namespace

QString canonicalValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QVariantList) {
        QString text = u"["_s;
        for (const QVariant& item : value.toList())
            text += canonicalValue(item) + u',';
        return text + u']';
    }
    if (value.canConvert<QVariantMap>() && value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray) {
        const QVariantMap map = value.toMap();
        QString text = u"{"_s;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            text += QString::fromLatin1(it.key().toUtf8().toHex()) + u':' + canonicalValue(it.value()) + u',';
        return text + u'}';
    }
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(value.toByteArray().toHex());
    return QString::fromLatin1(value.toString().toUtf8().toHex());
}

QStringList plistlibValues(const QStringList& paths)
{
    return runScript(QStringList{u"values"_s, QDir::tempPath(), u"0"_s} + paths);
}

QList<PlistlibCase> controlCases(const QList<QByteArray>& seeds, int count, int seed)
{
    return casesMade(u"controls"_s, seeds, seed, {QString::number(count)});
}

QList<PlistlibCase> encodingCases(const QList<QByteArray>& seeds, const QStringList& encodings, int seed)
{
    return casesMade(u"encodings"_s, seeds, seed, encodings);
}

int expectReadAsExpected(const QString& what, const QList<PlistlibCase>& cases)
{
    QStringList ours;
    readWithinBounds(what, [&] {
        for (const PlistlibCase& c : cases) {
            const std::optional<QVariant> value = PropertyList::fromData(c.bytes);
            ours << (value ? canonicalValue(*value) : u"refused"_s);
        }
    });
    int read = 0;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(ours[i], cases[i].expected) << cases[i].bytes.toStdString();
        read += ours[i] != u"refused"_s;
    }
    return read;
}
