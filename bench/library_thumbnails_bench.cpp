// bench_library_thumbnails [ROUNDS]: the picture library's thumbnails for a category of 300
// pictures (1600 x 1200 JPEG), all 300 read through the browser model off the GUI thread, beside
// `vipsthumbnail` making the same 300 thumbnails (one process per core, as many as our pool has
// threads). Prints the ratio line, and a budget line for the time the model takes before the
// window is back in its event loop (listing and the first thumbnail requests).
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "BenchSupport.h"
#include "views/browser/ImageBrowserModel.h"

namespace {

constexpr int kPictures = 300;
constexpr QSize kPictureSize{1600, 1200};
constexpr QSize kThumbnailBox{200, 200};

void emptyFolder(const QString& path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

// Lists the folder and asks for every thumbnail; the time until this returns is what the window
// spends before it waits for the user again.
std::unique_ptr<ImageBrowserModel> openCategory(const QString& folder)
{
    auto model = std::make_unique<ImageBrowserModel>(kThumbnailBox);
    model->fillFromFolder(folder);
    for (int row = 0; row < model->rowCount(); ++row)
        model->data(model->index(row), Qt::DecorationRole);
    return model;
}

void waitForAllThumbnails(ImageBrowserModel& model)
{
    int arrived = 0;
    QEventLoop loop;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, &loop, [&] {
        if (++arrived == model.rowCount())
            loop.quit();
    });
    loop.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    QTemporaryDir work;
    const QDir dir(work.path());
    const QString category = dir.filePath(QStringLiteral("category"));
    QDir().mkpath(category);
    QStringList pictures;
    for (int i = 0; i < kPictures; ++i) {
        const QImage photo = rampWithFace(kPictureSize.width(), kPictureSize.height(), QColor(200, 170, 140),
                                          QColor(40 + i % 100, 60, 90));
        pictures << QDir(category).filePath(QStringLiteral("picture %1.jpg").arg(i));
        if (!photo.save(pictures.last(), "JPG", 90))
            return 1;
    }
    const QString theirs = dir.filePath(QStringLiteral("theirs"));
    std::printf("%d pictures of %dx%d, thumbnails within %dx%d\n", kPictures, kPictureSize.width(),
                kPictureSize.height(), kThumbnailBox.width(), kThumbnailBox.height());

    std::vector<double> openMs;
    auto runOurs = [&] {
        std::unique_ptr<ImageBrowserModel> model;
        openMs.push_back(timedMs([&] { model = openCategory(category); }));
        waitForAllThumbnails(*model);
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->isBroken(row))
                std::fprintf(stderr, "no thumbnail for %s\n", qPrintable(model->images().at(row).path()));
    };
    // The peer gets the same cores as our thread pool: one vipsthumbnail process per core, each on
    // its share of the files.
    const int processes = QThread::idealThreadCount();
    QList<QStringList> vipsArguments(processes);
    for (int i = 0; i < pictures.size(); ++i)
        vipsArguments[i % processes] << pictures[i];
    for (QStringList& arguments : vipsArguments)
        arguments << QStringLiteral("--size") << QStringLiteral("%1x%2").arg(kThumbnailBox.width()).arg(kThumbnailBox.height())
                  << QStringLiteral("-o") << QDir(theirs).filePath(QStringLiteral("%s.png"));
    auto runPeer = [&] {
        std::vector<std::unique_ptr<QProcess>> running;
        for (const QStringList& arguments : vipsArguments) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->setStandardOutputFile(QProcess::nullDevice());
            running.back()->start(QStringLiteral("vipsthumbnail"), arguments);
        }
        for (const auto& process : running) {
            process->waitForFinished(-1);
            if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0)
                std::fprintf(stderr, "vipsthumbnail failed: %s\n", process->readAllStandardError().constData());
        }
    };

    Rounds rounds;
    rounds.count = countArgument(argc, argv, 5);
    const PairedTimings timings = runPairedRounds(rounds, {runOurs}, {runPeer, [&] { emptyFolder(theirs); }});
    printRatio("library_thumbnails_300", timings, "vipsthumbnail --size 200x200, one process per core, each on its share of the 300 files");
    printBudget("library_open_300", "ms before the event loop", median(openMs), 50, " ms");
    return 0;
}
