// bench_crop_batch: Crop All over 100 photographs of 12 MP (4000 x 3000 JPEGs with sensor grain
// and a face), end to end as the cropping tool runs it: a scaled read for the face search, the full
// read, the cut round the face and a PNG, on 8 and on 2 workers. The peer is ImageMagick's
// `convert in.jpg -crop WxH+X+Y +repage out.png` of the same area, as many at once, each
// single-threaded (MAGICK_THREAD_LIMIT=1) so both sides use the same number of cores.
//   bench_crop_batch [rounds]
// Prints the two ratio lines and the peak memory of our side (the pictures are made by a child).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrent>
#include <cstdio>

#include "BenchSupport.h"
#include "photos/CropBatchRun.h"
#include "photos/FaceDetector.h"

namespace {

constexpr int kPictures = 100;
const QSize kPhotoSize(4000, 3000);
const QString kAstronaut = QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/astronaut.png");

QString photoPath(const QDir& folder, int i) { return folder.filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QChar('0'))); }

// The astronaut, enlarged, on a grainy ramp: detail everywhere, as a camera's picture has.
bool writePhoto(const QImage& astronaut, const QString& path, quint32 seed)
{
    QImage photo = rampWithFace(kPhotoSize.width(), kPhotoSize.height()).convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&photo);
        painter.drawImage(QRect(800, 300, 2400, 2400), astronaut);
    }
    quint32 state = seed;
    for (int y = 0; y < photo.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int d = int(state >> 27) - 16;
            row[x] = qRgb(qBound(0, qRed(row[x]) + d, 255), qBound(0, qGreen(row[x]) + d, 255),
                          qBound(0, qBlue(row[x]) + d, 255));
        }
    }
    return photo.save(path, "JPEG", 90);
}

int generate(const QString& folder)
{
    const QImage astronaut(kAstronaut);
    if (astronaut.isNull()) {
        std::fprintf(stderr, "python3-skimage's astronaut.png is missing\n");
        return 1;
    }
    const QDir dir(folder);
    QList<int> indexes;
    for (int i = 0; i < kPictures; ++i)
        indexes << i;
    std::atomic<int> failed{0};
    QtConcurrent::blockingMap(indexes, [&](int i) {
        if (!writePhoto(astronaut, photoPath(dir, i), quint32(i * 7919 + 1)))
            ++failed;
    });
    return failed == 0 ? 0 : 1;
}

CropBatchPlan planFor(const QStringList& pictures, const QString& out, int threads)
{
    CropBatchPlan plan;
    plan.pictures = pictures;
    plan.outputFolder = out;
    plan.customName = QStringLiteral("crop");
    plan.formatIndex = 2;
    plan.threads = threads;
    plan.crop.method = CropRequest::Face;
    plan.crop.faceExtensionPercent = 50;
    return plan;
}

void emptyFolder(const QString& path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    if (argc == 3 && QByteArray(argv[1]) == "--generate") {
        QGuiApplication app(argc, argv);
        return generate(QString::fromLocal8Bit(argv[2]));
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir work;
    const QDir dir(work.path());
    if (!runProcess(QCoreApplication::applicationFilePath(), {QStringLiteral("--generate"), work.path()}))
        return 1;
    QStringList pictures;
    for (int i = 0; i < kPictures; ++i)
        pictures << photoPath(dir, i);
    CascadeFaceDetector probe;
    if (!probe.unavailableReason().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(probe.unavailableReason()));
        return 1;
    }
    // The area our run cuts, which the peer is given: every photo has its face in the same place.
    QByteArray encoded;
    CropRequest request = planFor({}, {}, 1).crop;
    request.source = pictures.first();
    request.target = QStringLiteral("probe.png");
    const CropResult probed = encodePictureCrop(request, probe, &encoded);
    if (encoded.isEmpty()) {
        std::fprintf(stderr, "no face found on the generated photo\n");
        return 1;
    }
    const QRect area = probed.pixels;
    const QString geometry =
        QStringLiteral("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y());
    std::printf("cropping %d photos of %dx%d to %s\n", kPictures, kPhotoSize.width(), kPhotoSize.height(),
                qPrintable(geometry));

    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString theirs = dir.filePath(QStringLiteral("theirs"));
    Rounds rounds;
    rounds.count = countArgument(argc, argv, 3);
    for (const int threads : {8, 2}) {
        auto runOurs = [&] {
            CropBatchRun run(planFor(pictures, ours, threads), [] { return std::make_unique<CascadeFaceDetector>(); },
                             nullptr);
            run.run();
            if (run.filesWritten() != kPictures)
                std::fprintf(stderr, "only %d of %d written\n", run.filesWritten(), kPictures);
        };
        QThreadPool peerPool;
        peerPool.setMaxThreadCount(threads);
        auto runPeer = [&] {
            QList<int> indexes;
            for (int i = 0; i < kPictures; ++i)
                indexes << i;
            QtConcurrent::blockingMap(&peerPool, indexes, [&](int i) {
                QProcess convert;
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QStringLiteral("MAGICK_THREAD_LIMIT"), QStringLiteral("1"));
                convert.setProcessEnvironment(environment);
                convert.start(QStringLiteral("convert"),
                              {pictures[i], QStringLiteral("-crop"), geometry, QStringLiteral("+repage"),
                               QDir(theirs).filePath(QStringLiteral("crop%1.png").arg(i))});
                convert.waitForFinished(-1);
            });
        };
        const PairedTimings timings = runPairedRounds(rounds, {runOurs, [&] { emptyFolder(ours); }},
                                                      {runPeer, [&] { emptyFolder(theirs); }});
        const QByteArray name = "crop_batch_" + QByteArray::number(threads);
        printRatio(name.constData(), timings, "ImageMagick convert -crop to PNG, one process per photo, as many at once");
    }
    std::printf("peak RSS of our runs = %.0f MB (%d photos of 12 MP, 8 and 2 workers)\n", peakMemoryMb(), kPictures);
    return 0;
}
