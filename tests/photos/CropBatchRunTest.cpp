// The run over the cropping tool's file list: names and series lines in list order from a pool of
// workers, stops, series written in place only at the end, direct runs. (The new table column is
// pinned with Crop All's.)
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

#include "data/SeriesStore.h"
#include "photos/CropBatchRun.h"
#include "photos/FaceDetector.h"

namespace {

const QList<QColor> kColours{Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta, Qt::gray, Qt::black,
                             Qt::white, Qt::darkRed};

// Finds a face in the middle of every picture but the flat grey ones.
class MiddleFaceDetector : public FaceDetector {
public:
    std::optional<QRectF> firstFace(const QImage& picture) override
    {
        if (QColor(picture.pixel(0, 0)) == QColor(Qt::gray))
            return std::nullopt;
        return QRectF(picture.width() / 4.0, picture.height() / 4.0, picture.width() / 2.0, picture.height() / 2.0);
    }
};

std::string text(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}

class CropBatchRunTest : public ::testing::Test {
protected:
    // count flat pictures "photo<i>.<extension>" of 40 x 32, each its own colour.
    QStringList pictures(int count, const QString& extension = QStringLiteral("png"))
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            QImage picture(40, 32, QImage::Format_RGB32);
            picture.fill(kColours.at(i % kColours.size()));
            paths << work.filePath(QStringLiteral("photo%1.%2").arg(i).arg(extension));
            EXPECT_TRUE(picture.save(paths.last()));
        }
        return paths;
    }
    CropBatchPlan standardPlan(const QStringList& list)
    {
        CropBatchPlan plan;
        plan.pictures = list;
        plan.outputFolder = out();
        plan.customName = QStringLiteral("Badge");
        plan.formatIndex = 2;
        plan.threads = 3;
        // The whole picture: shown at its size in a large view, selected all over.
        plan.view.drawingRect = QRectF(0, 0, 500, 500);
        plan.crop.selectionInView = QRectF(0, 0, 40, 32);
        return plan;
    }
    QString out()
    {
        QDir(work.path()).mkpath(QStringLiteral("out"));
        return work.filePath(QStringLiteral("out"));
    }
    QString outFile(const QString& name) { return QDir(out()).filePath(name); }

    QTemporaryDir work;
};

}  // namespace

TEST_F(CropBatchRunTest, PicturesAreNamedAndRecordedInListOrder)
{
    const QStringList list = pictures(6);
    CropBatchRun run(standardPlan(list), nullptr, nullptr);
    ASSERT_TRUE(run.run());
    EXPECT_EQ(run.done(), 6);
    EXPECT_EQ(run.filesWritten(), 6);
    const QStringList names{"Badge.png", "Badge_1.png", "Badge_2.png", "Badge_3.png", "Badge_4.png", "Badge_5.png"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(run.entries().value(i), outFile(names[i]));
        const QImage written(outFile(names[i]));
        EXPECT_EQ(written.size(), QSize(40, 32)) << i;
        EXPECT_EQ(QColor(written.pixel(5, 5)), kColours[i]) << "picture " << i << " under its own name";
    }
    EXPECT_EQ(run.nextCounter(), 6);
}

TEST_F(CropBatchRunTest, OneSelectionIsTakenThroughEachPicturesShownSize)
{
    // In a 200 x 200 view a 400 x 300 picture shows at 200 x 150 and a 300 x 400 one at 150 x 200:
    // the selection's lower-left 100 x 100 is 200 x 200 of each.
    QStringList list;
    for (const QSize size : {QSize(400, 300), QSize(300, 400)}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = size.height() - 200; y < size.height(); ++y)
            for (int x = 0; x < 200; ++x)
                picture.setPixel(x, y, qRgb(0, 0, 255));
        list << work.filePath(QStringLiteral("p%1.png").arg(size.width()));
        ASSERT_TRUE(picture.save(list.last()));
    }
    CropBatchPlan plan = standardPlan(list);
    plan.view.drawingRect = QRectF(0, 0, 200, 200);
    plan.crop.selectionInView = QRectF(0, 0, 100, 100);
    CropBatchRun run(plan, nullptr, nullptr);
    ASSERT_TRUE(run.run());
    for (const QString& name : {QStringLiteral("Badge.png"), QStringLiteral("Badge_1.png")}) {
        const QImage written(outFile(name));
        EXPECT_EQ(written.size(), QSize(200, 200)) << name.toStdString();
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32).pixel(0, 0), qRgb(0, 0, 255)) << name.toStdString();
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32).pixel(199, 199), qRgb(0, 0, 255)) << name.toStdString();
    }
}

TEST_F(CropBatchRunTest, AStopAfterKPicturesLeavesKFilesAndKSeriesLines)
{
    const QStringList list = pictures(10);
    // Badge_2.png is there already: the question comes at the third picture, and the stop with it.
    QFile::copy(list[0], outFile(QStringLiteral("Badge_2.png")));
    CropBatchPlan plan = standardPlan(list);
    plan.seriesPath = work.filePath(QStringLiteral("Staff.txt"));
    CropBatchRun* running = nullptr;
    CropBatchRun run(plan, nullptr, [&](const QString&, const QString&, const QString&) {
        running->stop();
        return ReplaceKeep::Replace;
    });
    running = &run;
    ASSERT_TRUE(run.run());
    EXPECT_EQ(run.done(), 3);
    EXPECT_EQ(text(plan.seriesPath),
              (outFile("Badge.png") + "\n" + outFile("Badge_1.png") + "\n" + outFile("Badge_2.png") + "\n").toStdString());
    EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Badge.png", "Badge_1.png", "Badge_2.png"}));
    EXPECT_EQ(QColor(QImage(outFile("Badge_2.png")).pixel(1, 1)), kColours[2]) << "replaced by the third picture";

    // Cancel with apply-to-all ends the run too, the picture asked about unwritten and its line
    // the picture as it was.
    CropBatchPlan again = standardPlan(list);
    again.seriesPath = work.filePath(QStringLiteral("Again.txt"));
    CropBatchRun cancelled(again, nullptr, [](const QString&, const QString&, const QString&) {
        return ReplaceKeep::CancelAll;
    });
    ASSERT_TRUE(cancelled.run());
    EXPECT_EQ(cancelled.done(), 1);
    EXPECT_EQ(text(again.seriesPath), (list[0] + "\n").toStdString());
}

TEST_F(CropBatchRunTest, AReplacedSeriesChangesOnlyAtTheEndAndANewOneTakesAFreeName)
{
    SeriesStore store(work.path());
    ASSERT_TRUE(store.save(QStringLiteral("Staff"), {QStringLiteral("old")}));
    EXPECT_EQ(croppedSeriesPath(store, QStringLiteral("Staff"), false), work.filePath(QStringLiteral("Staff (1).txt")));
    EXPECT_EQ(croppedSeriesPath(store, QStringLiteral("Staff"), true), work.filePath(QStringLiteral("Staff.txt")));
    EXPECT_EQ(croppedSeriesPath(store, QStringLiteral(".."), false), QString());

    const QStringList list = pictures(4);
    QFile::copy(list[0], outFile(QStringLiteral("Badge_2.png")));
    CropBatchPlan plan = standardPlan(list);
    plan.seriesPath = croppedSeriesPath(store, QStringLiteral("Staff"), true);
    std::string seenDuringTheRun;
    CropBatchRun run(plan, nullptr, [&](const QString&, const QString&, const QString&) {
        seenDuringTheRun = text(plan.seriesPath);
        return ReplaceKeep::Keep;
    });
    ASSERT_TRUE(run.run());
    EXPECT_EQ(seenDuringTheRun, "old\n") << "two pictures in, the series is still the old one";
    // Keep both wrote "Badge_2 (1).png": the series records the file actually written.
    EXPECT_EQ(text(plan.seriesPath), (outFile("Badge.png") + "\n" + outFile("Badge_1.png") + "\n" +
                                      outFile("Badge_2 (1).png") + "\n" + outFile("Badge_3.png") + "\n")
                                         .toStdString());
    EXPECT_EQ(QDir(work.path()).entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Staff.txt")});

    // A series that cannot be opened stops the run before anything is written.
    plan.seriesPath = work.filePath(QStringLiteral("no folder/Staff.txt"));
    CropBatchRun refused(plan, nullptr, nullptr);
    EXPECT_FALSE(refused.run());
    EXPECT_EQ(refused.done(), 0);
}

TEST_F(CropBatchRunTest, ADirectRunKeepsNamesAndMissingPicturesAndAFaceMissWritesNothing)
{
    QStringList list = pictures(3, QStringLiteral("JPG"));
    list.insert(1, work.filePath(QStringLiteral("gone.png")));
    list.insert(2, QStringLiteral(".."));
    QFile::copy(list[0], outFile(QStringLiteral("photo0.jpg")));
    CropBatchPlan plan = standardPlan(list);
    plan.direct = true;
    plan.extensions = {QStringLiteral("jpg"), QStringLiteral("png")};
    plan.crop.method = CropRequest::Face;
    CropBatchRun run(plan, [] { return std::make_unique<MiddleFaceDetector>(); }, nullptr);
    ASSERT_TRUE(run.run());
    // A line naming no picture stays as it was, so a card bound to it is still refused, and is listed.
    EXPECT_EQ(run.entries(), (QStringList{outFile("photo0 (1).jpg"), list[1], "..", outFile("photo1.jpg"), outFile("photo2.jpg")}));
    EXPECT_EQ(run.leftOut(), (QStringList{"gone.png: the picture could not be read.", "..: the picture could not be read."}));
    EXPECT_EQ(QImage(outFile("photo1.jpg")).size(), QSize(20, 16)) << "the face box, cut from the picture";

    // Standard run, face method: the grey picture has no face; it gets no file and no name, and its
    // entry is the picture as it was.
    const QStringList faces = pictures(8).mid(5);  // magenta, grey, black
    CropBatchPlan standard = standardPlan(faces);
    standard.crop.method = CropRequest::Face;
    standard.outputFolder = work.filePath(QStringLiteral("faces"));
    QDir().mkpath(standard.outputFolder);
    CropBatchRun faceRun(standard, [] { return std::make_unique<MiddleFaceDetector>(); }, nullptr);
    ASSERT_TRUE(faceRun.run());
    EXPECT_EQ(faceRun.entries(), (QStringList{standard.outputFolder + "/Badge.png", faces[1], standard.outputFolder + "/Badge_1.png"}));
    EXPECT_TRUE(faceRun.failures().isEmpty());
}

TEST_F(CropBatchRunTest, EveryPictureLeftOutIsListedWithItsReason)
{
    // photo0 red, photo1 green, photo2 blue, photo3 yellow, photo4 cyan, photo5 magenta, photo6 grey.
    QStringList list = pictures(7);
    QFile junk(list[1]);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("no picture here");
    junk.close();
    ASSERT_TRUE(QDir().mkpath(outFile(QStringLiteral("Badge_2.png"))));  // a folder where a crop would go
    QFile::copy(list[0], outFile(QStringLiteral("Badge_3.png")));
    CropBatchPlan plan = standardPlan(list);
    plan.crop.method = CropRequest::Face;
    plan.seriesPath = work.filePath(QStringLiteral("Staff.txt"));
    // Replace the folder (which cannot be), keep the file.
    std::deque<int> answers{ReplaceKeep::Replace, ReplaceKeep::Cancel};
    CropBatchRun run(plan, [] { return std::make_unique<MiddleFaceDetector>(); },
                     [&](const QString&, const QString&, const QString&) {
                         const int answer = answers.front();
                         answers.pop_front();
                         return answer;
                     });
    ASSERT_TRUE(run.run());
    EXPECT_FALSE(run.stopped());
    EXPECT_EQ(run.filesWritten(), 3);
    ASSERT_EQ(run.leftOut().size(), 4);
    EXPECT_EQ(run.leftOut()[0], "photo1.png: the picture could not be read.");
    EXPECT_TRUE(run.leftOut()[1].startsWith("photo3.png: \"Badge_2.png\" could not be written: "))
        << run.leftOut()[1].toStdString();
    EXPECT_EQ(run.leftOut()[2], "photo4.png: \"Badge_3.png\" is there already and was kept.");
    EXPECT_EQ(run.leftOut()[3], "photo6.png: no face was found.");
    EXPECT_TRUE(run.failures().isEmpty());
    EXPECT_EQ(text(plan.seriesPath),
              QStringList({outFile("Badge.png"), list[1], outFile("Badge_1.png"), list[3], list[4], outFile("Badge_4.png"),
                           list[6], ""})
                  .join(u'\n')
                  .toStdString());

    // A selection off a smaller picture and a direct run's empty and missing lines.
    CropBatchPlan direct = standardPlan({list[0], QString(), work.filePath(QStringLiteral("gone.png"))});
    direct.direct = true;
    direct.extensions = {QStringLiteral("png")};
    direct.outputFolder = work.filePath(QStringLiteral("direct"));
    direct.crop.selectionInView = QRectF(100, 100, 40, 32);
    CropBatchRun offPicture(direct, nullptr, nullptr);
    ASSERT_TRUE(offPicture.run());
    EXPECT_EQ(offPicture.leftOut(), (QStringList{"photo0.png: no part of it lies in the selection.",
                                                 "gone.png: the picture could not be read."}));
    EXPECT_EQ(offPicture.entries(), (QStringList{list[0], "", direct.pictures[2]}));

    // A direct run stopped after its first picture: the lines it did not reach stay as listed,
    // in its series too.
    direct.seriesPath = work.filePath(QStringLiteral("Stopped.txt"));
    CropBatchRun stopped(direct, nullptr, nullptr);
    stopped.stopWhen([&stopped] { return stopped.done() == 1; });
    ASSERT_TRUE(stopped.run());
    EXPECT_TRUE(stopped.stopped());
    EXPECT_EQ(stopped.entries(), direct.pictures);
    EXPECT_EQ(text(direct.seriesPath), (direct.pictures.join(u'\n') + u'\n').toStdString());
}
