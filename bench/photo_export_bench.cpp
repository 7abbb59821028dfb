// bench_photo_export: a batch export where every record has a photo of its own (512 x 512 PNGs,
// every 40th record naming a file that is not there), through the export road of the export
// command: the GUI thread binds and snapshots each record, a pool draws at 600 dpi (or makes a PDF
// page), encodes and writes. Beside it, the plain Qt road on a pool of the same size: each photo
// read whole with QImage, the card's texts and photo painted with QPainter at 600 dpi (no
// barcodes), written with QImageWriter or QPdfWriter. PNG first, then PDF, interleaved round by
// round; then the cards per second and the memory held, against what the machine's cores ask.
//   bench_photo_export [--records N] [--rounds R] [--threads K] [--format png|pdf|both]
//   bench_photo_export --ours-only ...                  no peer, for a profiler
//   ZOVA_BENCH_PHOTO_RECORDS=10000 bench_photo_export     memory over a long run
#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrent>
#include <cstdio>

#include "BenchSupport.h"
#include "BoundCardElements.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTDocument.h"
#include "model/WindowlessCardHost.h"
#include "output/BatchExport.h"
#include "output/RecordRun.h"
#include "platform/GuiThread.h"

namespace {

constexpr int kPhotoSide = 512;
constexpr int kMissingEvery = 40;
constexpr int kDistinctPhotos = 1000;  // more records reuse their bytes under names of their own
constexpr double kDpi = 600;
// Cards per second per core the export should reach (100 PNG and 200 PDF on 8 cores).
constexpr double kPngPerCore = 12.5;
constexpr double kPdfPerCore = 25;
const QRectF kPhotoBox(165, 8, 66, 82);
const QSizeF kCard(243, 154);

bool isMissing(int n) { return n % kMissingEvery == kMissingEvery - 1; }

// A camera-like photo: the ramp and face of the other benchmarks in colours of its own, with
// sensor noise so it compresses like a photo rather than like a drawing.
QImage distinctPhoto(int n)
{
    QRandomGenerator noise(quint32(n + 1));
    QImage photo = rampWithFace(kPhotoSide, kPhotoSide, QColor(150 + n % 100, 120 + n % 80, 100 + n % 60),
                                QColor(n % 90, 40 + n % 70, 60 + n % 110))
                       .convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int d = int(noise.bounded(17)) - 8;
            row[x] = qRgb(qBound(0, qRed(row[x]) + d, 255), qBound(0, qGreen(row[x]) + d, 255),
                          qBound(0, qBlue(row[x]) + d, 255));
        }
    }
    return photo;
}

struct Record {
    QString name, department, id, photo;
};

// The records and their photo files in folder; the missing ones name a file never written.
QList<Record> writeRecords(const QDir& folder, int count)
{
    QList<Record> records;
    for (int n = 0; n < count; ++n) {
        records.append({QStringLiteral("Person %1").arg(n + 1), QStringLiteral("Department %1").arg(n % 17),
                        QStringLiteral("ID%1").arg(n + 1, 7, 10, QChar('0')),
                        folder.filePath(QStringLiteral("photo-%1.png").arg(n, 5, 10, QChar('0')))});
    }
    QList<int> distinct;
    for (int n = 0; n < std::min(count, kDistinctPhotos); ++n)
        distinct.append(n);
    QtConcurrent::blockingMap(distinct, [&](int n) { distinctPhoto(n).save(records[n].photo, "png"); });
    for (int n = kDistinctPhotos; n < count; ++n)
        QFile::copy(records[n % kDistinctPhotos].photo, records[n].photo);
    for (int n = 0; n < count; ++n) {
        if (isMissing(n))
            QFile::remove(records[n].photo);
    }
    return records;
}

// The resident memory now, in megabytes.
double residentMemoryMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / (1024 * 1024);
}

struct OurRun {
    ExportReport report;
    double residentAfterFirstThousand = 0;
    double residentAtEnd = 0;
    double bindingSeconds = 0;  // the export's thread waiting on binding and snapshotting
};

OurRun exportOurs(const SKTDocument& design, const Data_From_Excel& table, const SeriesStore& store,
                  const QString& format, const QString& out, int threads)
{
    BatchExportSettings settings;
    settings.folder = out;
    settings.extension = format;
    settings.side = QStringLiteral("F");
    settings.first = 0;
    settings.end = table.rowCount();
    settings.threads = threads;
    OurRun result;
    RecordRun run(design, store, table, false);
    BatchExport exporter(settings,
                         [&](int n, CardSide side) {
                             if (n == std::min(table.rowCount(), kDistinctPhotos) - 1)
                                 result.residentAfterFirstThousand = residentMemoryMb();
                             SideSnapshot snapshot;
                             result.bindingSeconds +=
                                 timedMs([&] { snapshot = run.Set_data_table_value_to_card(n, side); }) / 1000;
                             return snapshot;
                         },
                         [](const QString&, const QString&, const QString&) { return ReplaceKeep::ReplaceAll; });
    // Waiting as the export command's progress window does.
    QFuture<ExportReport> worker = QtConcurrent::run([&] { return exporter.Export_Batch_File(); });
    GuiThread::serveUntilFinished(QFuture<void>(worker), 20);
    result.report = worker.result();
    result.residentAtEnd = residentMemoryMb();
    return result;
}

void paintPeerCard(QPainter& painter, const Record& record, const QImage& photo)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(QPointF(), kCard), QColor(235, 242, 250));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    painter.drawText(QRectF(10, 10, 150, 22), Qt::AlignLeft | Qt::AlignVCenter, record.name);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    painter.drawText(QRectF(10, 36, 150, 18), Qt::AlignLeft | Qt::AlignVCenter, record.department);
    painter.drawImage(kPhotoBox, photo);
}

// One card of the plain Qt road; false for a record whose photo cannot be read.
bool exportPeerCard(const Record& record, bool pdf, const QDir& out)
{
    const QImage photo(record.photo);
    if (photo.isNull())
        return false;
    const QString path = out.filePath(record.id + (pdf ? QStringLiteral(".pdf") : QStringLiteral(".png")));
    if (pdf) {
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&bytes);
            writer.setPageSize(QPageSize(kCard, QPageSize::Point, QString(), QPageSize::ExactMatch));
            writer.setPageMargins(QMarginsF());
            writer.setResolution(72);
            QPainter painter(&writer);
            paintPeerCard(painter, record, photo);
        }
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes.data()) == bytes.data().size();
    }
    QImage card(qCeil(kCard.width() * kDpi / 72), qCeil(kCard.height() * kDpi / 72), QImage::Format_RGB32);
    card.setDotsPerMeterX(qRound(kDpi / 0.0254));
    card.setDotsPerMeterY(qRound(kDpi / 0.0254));
    {
        QPainter painter(&card);
        painter.scale(kDpi / 72, kDpi / 72);
        paintPeerCard(painter, record, photo);
    }
    return QImageWriter(path, "png").write(card);
}

int exportPeer(const QList<Record>& records, bool pdf, const QString& out, int threads)
{
    QDir().mkpath(out);
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    std::atomic<int> written{0};
    for (const Record& record : records) {
        pool.start([&, record] {
            if (exportPeerCard(record, pdf, QDir(out)))
                ++written;
        });
    }
    pool.waitForDone();
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    const QString fromEnvironment = qEnvironmentVariable("ZOVA_BENCH_PHOTO_RECORDS");
    options.addOption({QStringLiteral("records"), QStringLiteral("records to export"), QStringLiteral("N"),
                       fromEnvironment.isEmpty() ? QStringLiteral("1000") : fromEnvironment});
    options.addOption({QStringLiteral("rounds"), QStringLiteral("paired rounds per format"), QStringLiteral("R"),
                       QStringLiteral("1")});
    options.addOption({QStringLiteral("threads"), QStringLiteral("workers"), QStringLiteral("K"),
                       QString::number(QThread::idealThreadCount())});
    options.addOption({QStringLiteral("format"), QStringLiteral("png, pdf or both"), QStringLiteral("FORMAT"),
                       QStringLiteral("both")});
    options.addOption({QStringLiteral("ours-only"), QStringLiteral("no peer side, for a profiler")});
    options.process(app);
    const bool oursOnly = options.isSet(QStringLiteral("ours-only"));
    const int count = std::max(1, options.value(QStringLiteral("records")).toInt());
    const int rounds = std::max(1, options.value(QStringLiteral("rounds")).toInt());
    const int threads = std::max(1, options.value(QStringLiteral("threads")).toInt());
    const QString only = options.value(QStringLiteral("format")).toLower();

    QTemporaryDir scratch;
    const QDir folder(scratch.path());
    const QList<Record> records = writeRecords(folder, count);
    int missing = 0;
    for (int n = 0; n < count; ++n)
        missing += isMissing(n) ? 1 : 0;

    WindowlessCardHost host;
    makeLightCr80Front(host);
    setCardHost(&host);
    // Columns 1 to 4 of the table are "name", "dept", "id" and "photo".
    Data_From_Excel table;
    table.ListData.clear();
    for (const Record& record : records)
        table.Create_List_By_Array({record.name, record.department, record.id, record.photo}, 4);
    const QString sample = folder.filePath(QStringLiteral("sample.png"));
    distinctPhoto(-1).save(sample, "png");
    SeriesStore store(scratch.path());
    SKTDocument design;
    design.replaceGraphicsOnSide(SKTDocument::FrontSide,
                                 {boundText(1, QRectF(10, 10, 150, 22), 14), boundText(2, QRectF(10, 36, 150, 18), 10),
                                  boundPhoto(4, kPhotoBox, sample),
                                  boundBarcode(3, QStringLiteral("Code 128"), QRectF(8, 100, 170, 46)),
                                  boundBarcode(3, QStringLiteral("QR Code"), QRectF(188, 98, 50, 50))});

    std::printf("%d records, a %d x %d PNG photo each (%d missing), %d workers\n", count, kPhotoSide, kPhotoSide,
                missing, threads);
    bool whole = true;
    for (const QString& format : {QStringLiteral("png"), QStringLiteral("pdf")}) {
        if (only != QLatin1String("both") && only != format)
            continue;
        const bool pdf = format == QLatin1String("pdf");
        const QString ourOut = folder.filePath(QStringLiteral("ours-") + format);
        const QString peerOut = folder.filePath(QStringLiteral("peer-") + format);
        OurRun ours;
        int peerWritten = 0;
        const PairedTimings timings = runPairedRounds(
            Rounds{rounds, 0, 1}, BenchSide{[&] { ours = exportOurs(design, table, store, format, ourOut, threads); }},
            BenchSide{[&] { peerWritten = oursOnly ? count - missing : exportPeer(records, pdf, peerOut, threads); }});
        const ExportReport& report = ours.report;
        if (report.cardsWritten != count - missing || report.cardsRefused != missing || peerWritten != count - missing) {
            std::fprintf(stderr, "%s: %d cards written and %d refused (peer %d written), %d photos missing\n%s\n",
                         qPrintable(format), report.cardsWritten, report.cardsRefused, peerWritten, missing,
                         qPrintable(exportReportMessage(report)));
            whole = false;
        }
        const QByteArray name = "photo_export_" + format.toLatin1();
        const QByteArray peerName = "plain Qt, photo read whole, QPainter at 600 dpi, " +
                                    QByteArray(pdf ? "QPdfWriter" : "QImageWriter PNG") + ", no barcodes";
        if (!oursOnly)
            printRatio(name.constData(), timings, peerName.constData());
        const double cardsPerSecond = report.cardsWritten / timings.ours.median();
        const QByteArray peerFigure =
            oursOnly ? QByteArray() : " (peer " + QByteArray::number(peerWritten / timings.peer.median(), 'f', 1) + ")";
        std::printf("%s: cards/s %.1f%s  resident memory %.0f MB after %d records, %.0f MB at the end\n",
                    name.constData(), cardsPerSecond, peerFigure.constData(), ours.residentAfterFirstThousand,
                    std::min(count, kDistinctPhotos), ours.residentAtEnd);
        std::printf("  binding and snapshotting on the GUI thread: %.2f ms per record, %.0f %% of the last run\n",
                    ours.bindingSeconds * 1000 / count, 100 * ours.bindingSeconds / timings.ours.seconds.back());
        const double target = std::min(threads, 8) * (pdf ? kPdfPerCore : kPngPerCore);
        printBudget(name.constData(), "ms per card", 1000 / cardsPerSecond, 1000 / target, " ms");
    }
    std::printf("peak memory %.0f MB\n", peakMemoryMb());
    setCardHost(nullptr);
    return whole ? 0 : 1;
}
