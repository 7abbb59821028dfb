// Hostile design files: what opening, saving and drawing them costs in time and memory.
//   shared objects  binary lists that name one object from many places (a 140-byte file of six
//                   nested arrays of fourteen references, one 100 KB text named 10,700 times, table
//                   rows named thousands of times in files of up to a megabyte, a 70 KB PNG of
//                   4000 x 4000 pixels named by 200 barcode entries)
//   texts in pieces one text of 1.3 million pieces cut by comments or CDATA sections (10 MB)
//   a wide row      one table row of 262,144 to 1,048,576 cells, saved and opened
//   a long text     a text element of one long word (10 KB to 1 MB) or 50 MB of words, drawn
// Time: ours in-process against Python's plistlib in a worker started once (as design_file_bench);
// drawing has no peer. Memory: each file is opened by a child process of its own (this program with
// --open, or Python) that reports its peak resident size; a file under a megabyte must stay under
// 256 MB.
//   bench_hostile_files_bench [WORD...]   only the measures whose names hold one of the words
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "barcodes/BarcodeFactory.h"
#include "designfile/DesignFile.h"
#include "render/CardImage.h"
#include "BenchSupport.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kRounds = 5;
constexpr double kPeakTargetMB = 256;
constexpr qint64 kSmallFile = 1 << 20;
// Items of a design file: the front's watermark text and the table rows.
constexpr int kWatermarkItem = 33, kRowsItem = 73;

// --open FILE: opens the design file and reports "<peak MB> <opened|refused: reason>".
int openInChild(const QString& path)
{
    DesignFileError error;
    const bool opened = readDesignFile(path, &error).has_value();
    std::printf("%.1f %s\n", peakMemorySinceExecMb(), opened ? "opened" : qPrintable(u"refused: "_s + error.reason));
    return 0;
}

// A design whose front holds one text element in a 165 x 22 box.
DesignState designWithText(const QString& text)
{
    DesignState design;
    GraphicPtr element = SKTGraphic::create(GraphicKind::Text);
    element->_bounds = QRectF(70, 8, 165, 22);
    element->Text_Value = text;
    element->print_object = 0;
    design.frontElements.append(element);
    return design;
}

// A design whose front holds one barcode with its stored picture (the element entry after the
// front count).
DesignState designWithBarcode()
{
    DesignState design;
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcodeFactory().Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(barcodeFactory().Get_Image_From_Val(QStringLiteral("0123"), QString(), QString()));
    design.frontElements.append(barcode);
    return design;
}

// --draw word|words LENGTH: opens a design with a text element of one long word or of words and
// draws its front, and reports "<peak MB> <milliseconds to draw> <milliseconds to open>".
int drawInChild(const QString& kind, qsizetype length)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.did"));
    {
        const QString text = kind == QLatin1String("word") ? QString(length, u'W') : QStringLiteral("Wide words ").repeated(length / 11);
        if (!writeDesignFile(path, designWithText(text)))
            return 1;
    }
    std::optional<DesignState> design;
    const double openMs = timedMs([&] { design = readDesignFile(path, nullptr); });
    const CardScene scene{design->frontElements, design->front, 0, QRectF(0, 0, 243, 154)};
    const double drawMs = timedMs([&] { rasterAt(scene.card.size(), 72, [&](QPainter& painter) { drawCardScene(painter, scene); }); });
    std::printf("%.1f %.1f %.1f\n", peakMemorySinceExecMb(), drawMs, openMs);
    return 0;
}

// Makes every file; the sample of plain design files is ours.
const char* const kMakeFiles = R"(
import functools, plistlib, struct, sys, zlib
folder, sample = sys.argv[1], plistlib.load(open(sys.argv[2], 'rb'))
def write(name, items, fmt=plistlib.FMT_BINARY):
    open(folder + '/' + name, 'wb').write(plistlib.dumps(items, fmt=fmt))
def design(rows=None, watermark=None):
    d = list(sample)
    if rows is not None: d[%1] = rows
    if watermark is not None: d[%2] = watermark
    return d
def png(side):
    rows = (b'\0' + b'\xff' * side * 4) * side
    chunk = lambda kind, data: struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))
barcode = list(sample[87])
barcode[25] = png(4000)
write('shared_picture.did', sample[:86] + ['200'] + [barcode] * 200 + ['0'])
write('shared_nest.did', functools.reduce(lambda a, _: [a] * 14, range(6), 'Watermark'))
write('shared_text.did', ['x' * 100000] * 10700)
row = {f'Column{i}': 'x' for i in range(100)}
for n in (1000, 2000, 3000, 3400, 3600, 8000):
    write(f'shared_rows_{n}.did', design([row] * n, 'p' * 900000))
pieces = plistlib.dumps(design(watermark='in-pieces'), fmt=plistlib.FMT_XML)
open(folder + '/pieces_comments.did', 'wb').write(pieces.replace(b'in-pieces', b'W<!---->' * 1300000))
open(folder + '/pieces_cdata.did', 'wb').write(pieces.replace(b'in-pieces', b'<![CDATA[W]]>' * 800000))
for n in (262144, 524288, 1048576):
    write(f'wide_row_{n}.did', design([{f'Column{i:07d}': str(i) for i in range(n)}]), plistlib.FMT_XML)
)";

// Loads or dumps on request: "load PATH", "dump PATH TARGET" (as XML, synced as our save).
const char* const kPlistlibWorker = R"(
import os, plistlib, sys
print('ready', flush=True)
for line in sys.stdin:
    words = line.split()
    if not words:
        break
    value = plistlib.load(open(words[1], 'rb'))
    if words[0] == 'dump':
        with open(words[2], 'wb') as f:
            plistlib.dump(value, f, fmt=plistlib.FMT_XML)
            f.flush()
            os.fdatasync(f.fileno())
    print('ok', flush=True)
)";

// What the peak memory of a child process came to, from its first word.
double childPeak(const QString& program, const QStringList& arguments, QByteArray* rest)
{
    QByteArray out;
    runProcess(program, arguments, &out);
    const qsizetype space = out.indexOf(' ');
    *rest = out.mid(space + 1).trimmed();
    return out.left(space).toDouble();
}

void printMemory(const QString& self, const QString& path)
{
    const QString name = QFileInfo(path).completeBaseName();
    QByteArray ours, peer;
    const double ourPeak = childPeak(self, {QStringLiteral("--open"), path}, &ours);
    const double peerPeak = childPeak(QStringLiteral("/usr/bin/python3"),
                                      {QStringLiteral("-c"),
                                       QStringLiteral("import plistlib, sys\nplistlib.load(open(sys.argv[1], 'rb'))\n"
                                                      "peak = [l for l in open('/proc/self/status') if l.startswith('VmHWM:')][0]\n"
                                                      "print(int(peak.split()[1]) / 1024, 'loaded')"),
                                       path},
                                      &peer);
    std::printf("memory %s (%.0f KB): ours %.1f MB (%s), plistlib %.1f MB\n", qPrintable(name),
                QFileInfo(path).size() / 1024.0, ourPeak, ours.left(90).constData(), peerPeak);
    if (QFileInfo(path).size() < kSmallFile)
        printBudget(qPrintable(u"hostile_open_peak_"_s + name), "MB", ourPeak, kPeakTargetMB);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--open") == 0)
        return openInChild(QString::fromLocal8Bit(argv[2]));
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--draw") == 0)
        return drawInChild(QString::fromLatin1(argv[2]), QByteArray(argv[3]).toLongLong());

    QTemporaryDir dir;
    const QString self = QCoreApplication::applicationFilePath();
    const QString sample = dir.filePath(QStringLiteral("sample.did"));
    if (!writeDesignFile(sample, designWithBarcode())
        || !runProcess(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral("-c"), QString::fromLatin1(kMakeFiles).arg(kRowsItem).arg(kWatermarkItem), dir.path(), sample})) {
        std::fprintf(stderr, "the hostile files could not be made\n");
        return 1;
    }
    const auto file = [&dir](const QString& name) { return dir.filePath(name + QStringLiteral(".did")); };
    const QStringList words = app.arguments().mid(1);
    const auto chosen = [&words](const QByteArray& measure) {
        return words.isEmpty() || std::any_of(words.cbegin(), words.cend(), [&](const QString& word) {
                   return measure.contains(word.toUtf8());
               });
    };
    PeerWorker plistlib(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(kPlistlibWorker)});
    if (!plistlib.isReady())
        return 1;

    // Opening: a refusal, or the design.
    bool allDone = true;
    for (const char* name : {"shared_nest", "shared_text", "shared_picture", "shared_rows_3400", "pieces_comments", "pieces_cdata",
                             "wide_row_262144", "wide_row_524288", "wide_row_1048576"}) {
        const QString path = file(QString::fromLatin1(name));
        if (!chosen(QByteArray("hostile_open_") + name))
            continue;
        const PairedTimings open = runPairedRounds(
            Rounds{kRounds, 1, 1}, BenchSide{[&] { (void)readDesignFile(path, nullptr); }},
            BenchSide{[&] { allDone &= plistlib.request("load " + path.toUtf8()); }});
        printRatio(qPrintable(u"hostile_open_"_s + QLatin1String(name)), open, "plistlib.load of the same file");
    }
    // Saving a row of many cells: the open design against plistlib's dump of the same file.
    for (const char* name : {"wide_row_262144", "wide_row_524288", "wide_row_1048576"}) {
        const QString path = file(QString::fromLatin1(name));
        if (!chosen(QByteArray("hostile_save_") + name))
            continue;
        const std::optional<DesignState> design = readDesignFile(path, nullptr);
        const QString ours = dir.filePath(QStringLiteral("ours.did")), theirs = dir.filePath(QStringLiteral("theirs.did"));
        allDone &= design.has_value();
        const PairedTimings save = runPairedRounds(
            Rounds{kRounds, 1, 1}, BenchSide{[&] { allDone &= writeDesignFile(ours, *design); }},
            BenchSide{[&] { allDone &= plistlib.request("dump " + path.toUtf8() + ' ' + theirs.toUtf8()); }});
        printRatio(qPrintable(u"hostile_save_"_s + QLatin1String(name)), save,
                   "plistlib.load and dump of the same file, written as durably");
    }

    for (const char* name : {"shared_nest", "shared_text", "shared_picture", "shared_rows_1000", "shared_rows_2000",
                             "shared_rows_3000", "shared_rows_3400", "shared_rows_3600", "shared_rows_8000", "pieces_comments"})
        if (chosen(QByteArray("hostile_open_peak_") + name))
            printMemory(self, file(QString::fromLatin1(name)));

    // Drawing a long text: the time to open and draw, and the peak, each in a child of its own.
    for (const auto& [kind, length] : {std::pair{"word", 10000}, {"word", 100000}, {"word", 1000000}, {"words", 50000000}}) {
        const QByteArray name = QByteArray("hostile_draw_") + kind + '_' + QByteArray::number(length);
        if (!chosen(name))
            continue;
        QByteArray out;
        const double peak = childPeak(self, {QStringLiteral("--draw"), QLatin1String(kind), QString::number(length)}, &out);
        const QList<QByteArray> ms = out.split(' ');
        std::printf("draw %s: %s ms to draw (%s ms to open), peak %.1f MB\n", name.constData(), ms.value(0).constData(),
                    ms.value(1).constData(), peak);
        printBudget(name.constData(), "seconds to draw", ms.value(0).toDouble() / 1000, 1.0, " s");
    }
    if (!allDone) {
        std::fprintf(stderr, "a load, dump or save failed\n");
        return 1;
    }
    return 0;
}
