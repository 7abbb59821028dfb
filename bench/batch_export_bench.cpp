// bench_batch_export: exports N records of a fixed two-texts-photo-and-barcodes CR80 card the way
// the export command does (the GUI thread binds and snapshots each record, a pool of workers
// draws at 600 dpi, encodes and writes), then encodes the same rasters alone as the baseline.
//   bench_batch_export --records N --format png|pdf --threads K --out DIR
// The last line: cards per second, peak memory, and the encode-only baseline beside them.
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrent>
#include <cstdio>

#include "BenchSupport.h"
#include "BoundCardElements.h"
#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphicKinds.h"
#include "model/WindowlessCardHost.h"
#include "output/BatchExport.h"
#include "output/CardFileWriter.h"
#include "output/CardPictureEncoding.h"
#include "output/RecordRun.h"
#include "platform/GuiThread.h"

namespace {

constexpr int kBaselineCards = 16;

// A photo of a photo's grain: the ramp and face of the other benchmarks with sensor noise, so it
// compresses like a camera's picture rather than like a drawing.
QString writePhoto(const QDir& folder)
{
    QImage photo = rampWithFace(1000, 1000).convertToFormat(QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < photo.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int d = int(noise.bounded(25)) - 12;
            row[x] = qRgb(qBound(0, qRed(row[x]) + d, 255), qBound(0, qGreen(row[x]) + d, 255),
                          qBound(0, qBlue(row[x]) + d, 255));
        }
    }
    const QString path = folder.filePath(QStringLiteral("photo.jpg"));
    photo.save(path, "jpg", 92);
    return path;
}

// Encodes already drawn cards on `threads` workers: what the run would cost with binding,
// snapshotting and drawing free.
double encodeOnlyCardsPerSecond(const QList<CardImage>& sides, bool pdf, int threads)
{
    QList<QImage> rasters;
    if (!pdf) {
        for (const CardImage& side : sides)
            rasters.append(side.toImage(kExportDpi));
    }
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    const int count = int(sides.size());
    const double ms = timedMs([&] {
        for (int i = 0; i < count; ++i) {
            pool.start([&, i] {
                QString error;
                if (pdf)
                    sides[i].toPdf();
                else
                    encodePng(rasters[i], &error);
            });
        }
        pool.waitForDone();
    });
    return count * 1000.0 / ms;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({QStringLiteral("records"), QStringLiteral("records to export"), QStringLiteral("N"), QStringLiteral("500")});
    options.addOption({QStringLiteral("format"), QStringLiteral("png or pdf"), QStringLiteral("FORMAT"), QStringLiteral("png")});
    options.addOption({QStringLiteral("threads"), QStringLiteral("encoding workers"), QStringLiteral("K"),
                       QString::number(QThread::idealThreadCount())});
    options.addOption({QStringLiteral("out"), QStringLiteral("folder the cards go to"), QStringLiteral("DIR")});
    options.process(app);
    const int records = std::max(1, options.value(QStringLiteral("records")).toInt());
    const int threads = std::max(1, options.value(QStringLiteral("threads")).toInt());
    const QString format = options.value(QStringLiteral("format")).toLower();
    if (format != QLatin1String("png") && format != QLatin1String("pdf")) {
        std::fprintf(stderr, "--format takes png or pdf\n");
        return 64;
    }
    QTemporaryDir scratch;
    const QString out = options.isSet(QStringLiteral("out")) ? options.value(QStringLiteral("out")) : scratch.filePath("out");

    WindowlessCardHost host;
    makeLightCr80Front(host);
    setCardHost(&host);

    // Columns 1, 2 and 3 of the table are "name", "dept" and "id".
    Data_From_Excel table;
    table.ListData.clear();
    for (int n = 1; n <= records; ++n) {
        table.Create_List_By_Array({QStringLiteral("Person %1").arg(n), QStringLiteral("Department %1").arg(n % 17),
                                    QStringLiteral("ID%1").arg(n, 7, 10, QChar('0'))},
                                   3);
    }
    SeriesStore store(scratch.path());
    SKTDocument design;
    const GraphicPtr photo = placed(SKTImage::initWithPath(QPointF(165, 8), writePhoto(QDir(scratch.path()))),
                                    QRectF(165, 8, 66, 82));
    design.replaceGraphicsOnSide(SKTDocument::FrontSide,
                                 {boundText(1, QRectF(10, 10, 150, 22), 14), boundText(2, QRectF(10, 36, 150, 18), 10),
                                  photo, boundBarcode(3, QStringLiteral("Code 128"), QRectF(8, 100, 170, 46)),
                                  boundBarcode(3, QStringLiteral("QR Code"), QRectF(188, 98, 50, 50))});

    BatchExportSettings settings;
    settings.folder = out;
    settings.extension = format;
    settings.side = QStringLiteral("F");
    settings.first = 0;
    settings.end = records;
    settings.threads = threads;
    RecordRun run(design, store, table, false);
    QList<CardImage> baselineSides;
    BatchExport exporter(settings,
                         [&](int n, CardSide side) {
                             SideSnapshot snapshot = run.Set_data_table_value_to_card(n, side);
                             if (baselineSides.size() < kBaselineCards)
                                 baselineSides.append(snapshot.image);
                             return snapshot;
                         },
                         [](const QString&, const QString&, const QString&) { return ReplaceKeep::ReplaceAll; });
    ExportReport report;
    const double ms = timedMs([&] {
        QFuture<ExportReport> worker = QtConcurrent::run([&] { return exporter.Export_Batch_File(); });
        GuiThread::serveUntilFinished(QFuture<void>(worker), 20);
        report = worker.result();
    });
    const double peak = peakMemoryMb();
    if (!report.failures.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(exportReportMessage(report)));
    const double cardsPerSecond = report.cardsWritten * 1000.0 / ms;
    const double baseline = encodeOnlyCardsPerSecond(baselineSides, format == QLatin1String("pdf"), threads);
    setCardHost(nullptr);
    std::printf("%d cards to %s in %.2f s on %d threads, into %s\n", report.cardsWritten, qPrintable(format), ms / 1000,
                threads, qPrintable(exporter.exportFolder()));
    std::printf("cards/s %.1f  peak memory %.0f MB  (encode alone: %.1f cards/s)\n", cardsPerSecond, peak, baseline);
    return report.cardsWritten == records ? 0 : 1;
}
