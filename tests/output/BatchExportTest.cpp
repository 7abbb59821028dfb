// The batch export of a bound design: only the records of the range are written, each file at
// 600 dpi (identify) or at the card's size (pdfinfo), each card showing its own record (pdftotext,
// ZXingReader), barcode pictures kept lossless in PDF cards (pdfimages), the joined picture equal
// to ImageMagick's append of the two sides, every file asked about before it replaces another,
// failed files reported and not counted, and a stop that ends the run at once with whole files
// only.
#include <QDir>
#include <QRegularExpression>
#include <QThread>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/SKTImage.h"
#include "output/ExportTestCard.h"
#include "output/OutputPictures.h"
#include "output/SideSnapshot.h"
#include "support/NoisePicture.h"
#include "support/TestEnvironment.h"

using namespace ExportTest;

namespace {

QString identify(const QString& path)
{
    return QString::fromUtf8(TestEnvironment::run("identify", {"-units", "PixelsPerInch", "-format", "%w %h %[fx:round(resolution.x)]", path}).out);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

KeepReplaceAnswers::Prompt answering(int answer, QStringList* asked = nullptr)
{
    return [=](const QString& path, const QString&, const QString&) {
        if (asked)
            asked->append(QFileInfo(path).fileName());
        return answer;
    };
}

class BatchExportTest : public ::testing::Test {
protected:
    static constexpr int kRecords = 10;
    BoundCard card{kRecords};
    QTemporaryDir target;
    std::unique_ptr<RecordRun> run;

    BatchExport::SideSource sides()
    {
        run = std::make_unique<RecordRun>(card.design, card.store, card.table, true);
        return [this](int n, CardSide side) { return run->Set_data_table_value_to_card(n, side); };
    }
    BatchExportSettings settings(const QString& extension, const QString& side, int first, int end)
    {
        BatchExportSettings s;
        s.folder = target.path();
        s.extension = extension;
        s.side = side;
        s.first = first;
        s.end = end;
        s.threads = 3;
        return s;
    }
    QString exported(const QString& name) const { return QDir(target.path()).filePath(kExportFolderName + "/" + name); }
};

}  // namespace

TEST_F(BatchExportTest, RangeThreeToFiveOnBothSidesWritesOnlyThoseCardsAt600Dpi)
{
    BatchExport exporter(settings("png", "BOTH", 2, 5), sides(), answering(ReplaceKeep::Replace));
    const ExportReport report = runExport(exporter);
    EXPECT_EQ(filesIn(exporter.exportFolder()),
              (QStringList{"Card_3_Back.png", "Card_3_Front.png", "Card_4_Back.png", "Card_4_Front.png",
                           "Card_5_Back.png", "Card_5_Front.png"}));
    EXPECT_EQ(report.cardsWritten, 3);
    EXPECT_EQ(report.filesWritten, 6);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(exporter.cardsDone(), 3);
    EXPECT_EQ(exportReportMessage(report), "Card has been exported successfully.\n\n3 cards were written.");
    for (int n = 3; n <= 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(identify(exported(QStringLiteral("Card_%1_Front.png").arg(n))), "2025 1284 600");
        EXPECT_EQ(identify(exported(QStringLiteral("Card_%1_Back.png").arg(n))), "2025 1284 600");
        EXPECT_EQ(OutputTest::zxingText(exported(QStringLiteral("Card_%1_Front.png").arg(n))), recordId(n));
    }
}

TEST_F(BatchExportTest, PdfCardsAreTheCardsSizeAndShowTheirOwnRecords)
{
    BatchExport exporter(settings("PDF", "F", 0, 3), sides(), answering(ReplaceKeep::Replace));
    const ExportReport report = runExport(exporter);
    ASSERT_EQ(report.cardsWritten, 3);
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const QString pdf = exported(QStringLiteral("Card_%1_Front.PDF").arg(n));
        EXPECT_TRUE(TestEnvironment::run("pdfinfo", {pdf}).out.contains("Page size:       243 x 154 pts"));
        const QByteArray text = TestEnvironment::run("pdftotext", {pdf, "-"}).out;
        EXPECT_TRUE(text.contains(recordName(n).toUtf8())) << text.toStdString();
        const QString page = QDir(target.path()).filePath(QStringLiteral("page%1").arg(n));
        TestEnvironment::run("pdftoppm", {"-r", "300", "-png", "-singlefile", pdf, page});
        EXPECT_EQ(OutputTest::zxingText(page + ".png"), recordId(n));
    }
}

TEST_F(BatchExportTest, TheJoinedPictureIsTheTwoSidesAppended)
{
    for (bool sideBySide : {false, true}) {
        SCOPED_TRACE(sideBySide);
        BatchExportSettings s = settings("png", "BOTH", 1, 2);
        s.joined = true;
        s.sideBySide = sideBySide;
        s.folder = QDir(target.path()).filePath(sideBySide ? "across" : "down");
        BatchExport exporter(s, sides(), answering(ReplaceKeep::Replace));
        ASSERT_EQ(runExport(exporter).cardsWritten, 1);
        // The same record's sides at 600 dpi, as the side files are, appended by ImageMagick.
        const QDir folder(exporter.exportFolder());
        EXPECT_EQ(filesIn(folder.path()), QStringList{"Card_2.png"});
        run = std::make_unique<RecordRun>(card.design, card.store, card.table, true);
        const QString back = folder.filePath("back.ppm");
        const QString front = folder.filePath("front.ppm");
        ASSERT_TRUE(run->Set_data_table_value_to_card(1, CardSide::Back).image.toImage(600).save(back));
        ASSERT_TRUE(run->Set_data_table_value_to_card(1, CardSide::Front).image.toImage(600).save(front));
        const QString appended = folder.filePath("appended.png");
        TestEnvironment::run("convert", {front, back, sideBySide ? "+append" : "-append", appended});
        EXPECT_EQ(identify(folder.filePath("Card_2.png")), sideBySide ? "4050 1284 600" : "2025 2568 600");
        const auto compare =
            TestEnvironment::run("compare", {"-metric", "AE", folder.filePath("Card_2.png"), appended, "null:"});
        EXPECT_EQ(compare.err.trimmed(), "0");
    }
}

TEST_F(BatchExportTest, EveryFileAlreadyThereIsAskedAboutTheJoinedPictureToo)
{
    QDir(target.path()).mkpath(kExportFolderName);
    OutputTest::writeFile(exported("Card_1.png"), "old joined");
    OutputTest::writeFile(exported("Card_2_Back.png"), "old back");
    QStringList asked;
    BatchExportSettings joined = settings("png", "BOTH", 0, 1);
    joined.joined = true;
    BatchExport first(joined, sides(), answering(ReplaceKeep::Keep, &asked));
    EXPECT_EQ(runExport(first).cardsWritten, 1);
    BatchExport second(settings("png", "BOTH", 1, 2), sides(), answering(ReplaceKeep::Keep, &asked));
    EXPECT_EQ(runExport(second).cardsWritten, 1);
    EXPECT_EQ(asked, (QStringList{"Card_1.png", "Card_2_Back.png"}));
    EXPECT_EQ(filesIn(first.exportFolder()), (QStringList{"Card_1 (1).png", "Card_1.png", "Card_2_Back (1).png",
                                                          "Card_2_Back.png", "Card_2_Front.png"}));
    QFile old(exported("Card_1.png"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old joined");
}

TEST_F(BatchExportTest, AFileThatCannotBeWrittenIsReportedAndNotCounted)
{
    QDir(target.path()).mkpath(kExportFolderName + "/Card_2_Front.png");
    BatchExport exporter(settings("png", "F", 0, 3), sides(), answering(ReplaceKeep::ReplaceAll));
    const ExportReport report = runExport(exporter);
    EXPECT_EQ(report.cardsWritten, 2);
    EXPECT_EQ(report.filesWritten, 2);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_TRUE(report.failures[0].startsWith("Card_2_Front.png: ")) << report.failures[0].toStdString();
    EXPECT_EQ(exportReportMessage(report), "2 cards were written.\n\n1 file could not be written:");

    // Both sides: the back written and the front not leaves a card with one side, named.
    BatchExport pair(settings("png", "BOTH", 0, 2), sides(), answering(ReplaceKeep::ReplaceAll));
    const ExportReport half = runExport(pair);
    EXPECT_EQ(half.cardsWritten, 1);
    EXPECT_EQ(half.oneSided, QStringList{"Card 2: only the back was written."});
    EXPECT_EQ(exportReportMessage(half), "1 card was written.\n\n1 card has one side only and 1 file could not be written:");

    // Neither side written: no card with one side, both files named.
    QDir(target.path()).mkpath(kExportFolderName + "/Card_4_Back.png");
    QDir(target.path()).mkpath(kExportFolderName + "/Card_4_Front.png");
    BatchExport neither(settings("png", "BOTH", 3, 4), sides(), answering(ReplaceKeep::ReplaceAll));
    const ExportReport lost = runExport(neither);
    EXPECT_EQ(lost.cardsWritten, 0);
    EXPECT_TRUE(lost.oneSided.isEmpty());
    EXPECT_EQ(lost.failures.size(), 2);

    BatchExportSettings nowhere = settings("png", "F", 0, 1);
    OutputTest::writeFile(QDir(target.path()).filePath("plain"), "a file, not a folder");
    nowhere.folder = QDir(target.path()).filePath("plain");
    BatchExport refused(nowhere, sides(), answering(ReplaceKeep::Replace));
    const ExportReport none = runExport(refused);
    EXPECT_FALSE(none.folderMade);
    EXPECT_EQ(exportReportMessage(none), QStringLiteral("Unable to continue saving barcode image.\n\n"
                                                       "Cannot make the folder \"%1\": File exists.").arg(nowhere.folder));
}

TEST_F(BatchExportTest, AStopEndsTheRunAtOnceLeavingWholeFilesOnly)
{
    QList<int> bound;
    BatchExport::SideSource source = sides();
    std::unique_ptr<BatchExport> exporter;
    exporter = std::make_unique<BatchExport>(settings("png", "BOTH", 0, kRecords),
                                             [&](int n, CardSide side) {
                                                 bound.append(n);
                                                 if (n == 4 && side == CardSide::Front)
                                                     exporter->stop();
                                                 return source(n, side);
                                             },
                                             answering(ReplaceKeep::Replace));
    const ExportReport report = runExport(*exporter);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(bound, (QList<int>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4}));
    const QStringList files = filesIn(exporter->exportFolder());
    EXPECT_EQ(report.filesWritten, files.size());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(name.startsWith(".")) << "a temporary file was left";
        EXPECT_FALSE(name.startsWith("Card_5")) << "written after the stop";
        EXPECT_EQ(identify(exported(name)), "2025 1284 600");
    }

    BatchExport cancelled(settings("png", "F", 0, kRecords), sides(), answering(ReplaceKeep::CancelAll));
    QDir(target.path()).mkpath(kExportFolderName);
    OutputTest::writeFile(exported("Card_2_Front.png"), "old");
    const ExportReport stopped = runExport(cancelled);
    EXPECT_TRUE(stopped.stopped);
    for (const QString& name : filesIn(cancelled.exportFolder()))
        EXPECT_FALSE(name.startsWith("Card_3") || name.startsWith("Card_10")) << name.toStdString();
}

TEST_F(BatchExportTest, APauseHoldsEveryFileUntilTheRunGoesOnOrStops)
{
    // Paused while record 3 is bound, as the stop question pauses it: nothing more is bound or
    // written until it goes on (or stops), then the run ends.
    BatchExport::SideSource source = sides();
    std::unique_ptr<BatchExport> exporter;
    std::atomic<int> boundLast{-1};
    QFuture<ExportReport> worker;
    auto startPausingAtRecord3 = [&](const QString& folder) {
        BatchExportSettings s = settings("png", "F", 0, kRecords);
        s.folder = folder;
        boundLast = -1;
        exporter = std::make_unique<BatchExport>(s,
                                                 [&](int n, CardSide side) {
                                                     if (n == 3)
                                                         exporter->pause();
                                                     boundLast = n;
                                                     return source(n, side);
                                                 },
                                                 answering(ReplaceKeep::Replace));
        worker = QtConcurrent::run([&] { return exporter->Export_Batch_File(); });
        while (boundLast < 3)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    auto finish = [&] {
        while (!worker.isFinished())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return worker.result();
    };

    startPausingAtRecord3(target.path());
    // Served until the pause holds both the binding of the next record and the files of the
    // record bound last, or until that record's card is written anyway: never by a clock.
    const QString fourth = QDir(exporter->exportFolder()).filePath("Card_4_Front.png");
    while (!(exporter->holdsRecords() && exporter->heldAtPause() == 2) && !QFile::exists(fourth) && boundLast == 3)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(boundLast, 3);
    EXPECT_TRUE(exporter->holdsRecords());
    EXPECT_FALSE(QFile::exists(fourth)) << "written while the run was paused";
    EXPECT_LE(filesIn(exporter->exportFolder()).filter(QRegularExpression("^Card_\\d+_Front\\.png$")).size(), 3);
    exporter->resume();
    EXPECT_EQ(finish().cardsWritten, kRecords);

    // A stop while paused ends the run without another file.
    startPausingAtRecord3(QDir(target.path()).filePath("stopped"));
    exporter->stop();
    EXPECT_TRUE(finish().stopped);
    EXPECT_EQ(boundLast, 3);
    EXPECT_FALSE(QFile::exists(QDir(exporter->exportFolder()).filePath("Card_4_Front.png")));
}

// A stop ends the run at the first record it keeps from the disk: every record before it is
// written, left out and named, or has one side named; every record from it on is counted as not
// reached, a refused one too; and no card is left with one side.
TEST_F(BatchExportTest, AStoppedRunCountsTheRecordsItDidNotReachAndLeavesNoCardWithOneSide)
{
    constexpr int kRefused = 2;
    BatchExport::SideSource source = sides();
    std::unique_ptr<BatchExport> exporter;
    // Stops when record `stopAt` is bound, once `doneFirst` records are done.
    auto stopAt = [&](int stopRecord, int doneFirst) {
        exporter = std::make_unique<BatchExport>(settings("png", "BOTH", 0, kRecords),
                                                 [&, stopRecord, doneFirst](int n, CardSide side) {
                                                     if (n == stopRecord && side == CardSide::Back) {
                                                         while (exporter->cardsDone() < doneFirst)
                                                             QThread::yieldCurrentThread();
                                                         exporter->stop();
                                                     }
                                                     if (n == kRefused || n == stopRecord + 1)
                                                         return SideSnapshot{CardImage(), QStringLiteral("refused")};
                                                     return source(n, side);
                                                 },
                                                 answering(ReplaceKeep::ReplaceAll));
        return runExport(*exporter);
    };

    // Every record before the stop done: the ones after it were not reached.
    const ExportReport settled = stopAt(6, 6);
    EXPECT_EQ(exportReportMessage(settled), QStringLiteral("5 cards were written. The export was stopped. 4 records "
                                                          "were not reached (cards 7\u201310).\n\n1 card was left out:"));
    EXPECT_EQ(settled.reachedEnd, 6);

    // Records still on their way when the stop comes: whatever the workers had written, the
    // report and the disk agree.
    QDir(exporter->exportFolder()).removeRecursively();
    const ExportReport early = stopAt(4, 0);
    const QStringList files = filesIn(exporter->exportFolder());
    int firstMissing = kRecords;
    for (int n = 1; n <= kRecords; ++n) {
        SCOPED_TRACE(n);
        const bool back = files.contains(QStringLiteral("Card_%1_Back.png").arg(n));
        EXPECT_EQ(files.contains(QStringLiteral("Card_%1_Front.png").arg(n)), back) << "a card with one side";
        if (!back && n - 1 != kRefused)
            firstMissing = std::min(firstMissing, n - 1);
    }
    EXPECT_EQ(early.reachedEnd, firstMissing);
    EXPECT_EQ(early.cardsRefused, firstMissing > kRefused ? 1 : 0);
    EXPECT_TRUE(early.oneSided.isEmpty());
    EXPECT_EQ(early.cardsWritten, files.size() / 2);
    EXPECT_EQ(early.cardsWritten + early.cardsRefused + early.notReached, kRecords);
}

// The cards a stop leaves are the first ones of the run, whatever order the workers finish in:
// card 2, slow to encode, is written before card 3, however fast that one was made, so a run
// taken up again at the first card not reached misses none.
TEST_F(BatchExportTest, AStopLeavesTheFirstCardsOfTheRunAndNamesTheRestByNumber)
{
    // A card of noise: card 2 is many times slower to encode than the others.
    const QImage noise = noisePicture(QSize(2025, 1284));
    const QString noisePath = QDir(target.path()).filePath("noise.png");
    ASSERT_TRUE(noise.save(noisePath));
    GraphicPtr picture = placed(SKTGraphic::create(GraphicKind::Image), QRectF(0, 0, 243, 154));
    static_cast<SKTImage&>(*picture).setFilePath(noisePath, false);
    OutputPictures pictures;
    const SideSnapshot slow = snapshotForOutput({picture}, CardSide::Front, pictures);
    ASSERT_TRUE(slow.isWhole());

    BatchExport::SideSource source = sides();
    std::unique_ptr<BatchExport> exporter;
    BatchExportSettings s = settings("png", "F", 0, kRecords);
    s.folder = QDir(target.path()).filePath("stopped");
    const QString third = QDir(s.folder).filePath(kExportFolderName + "/Card_3_Front.png");
    exporter = std::make_unique<BatchExport>(s,
                                             [&](int n, CardSide side) {
                                                 if (n == 1)
                                                     return slow;
                                                 if (n == 5) {
                                                     while (!QFile::exists(third))
                                                         QThread::msleep(1);
                                                     exporter->stop();
                                                 }
                                                 return source(n, side);
                                             },
                                             answering(ReplaceKeep::Replace));
    const ExportReport report = runExport(*exporter);
    QStringList first;
    for (int n = 1; n <= report.cardsWritten; ++n)
        first << QStringLiteral("Card_%1_Front.png").arg(n);
    EXPECT_EQ(filesIn(exporter->exportFolder()), first);
    EXPECT_GE(report.cardsWritten, 3);
    EXPECT_EQ(report.reachedEnd, report.cardsWritten);
    EXPECT_EQ(exportReportMessage(report),
              QStringLiteral("%1 cards were written. The export was stopped. %2 records were not reached (cards %3\u201310).")
                  .arg(report.cardsWritten)
                  .arg(kRecords - report.cardsWritten)
                  .arg(report.cardsWritten + 1));
}

TEST_F(BatchExportTest, PdfCardsKeepEveryBarcodePictureLosslessAndReadable)
{
    if (const QString tool = OutputTest::missingBarcodePageTool(); !tool.isEmpty())
        GTEST_SKIP() << tool.toStdString() << " is not installed";
    card.design.replaceGraphicsOnSide(SKTDocument::FrontSide, barcodeFront(QStringLiteral("S-128")));
    BatchExport exporter(settings("pdf", "F", 0, 2), sides(), answering(ReplaceKeep::Replace));
    ASSERT_EQ(runExport(exporter).cardsWritten, 2);
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        const QString stem = QDir(target.path()).filePath(QStringLiteral("card%1").arg(n));
        expectBarcodeFrontPage(exported(QStringLiteral("Card_%1_Front.pdf").arg(n)), stem, recordId(n), "S-128");
        if (n == 1) {
            QDir().mkpath(ZOVA_OUTPUT_ARTIFACT_DIR);
            for (const auto& [from, to] : {std::pair(exported("Card_1_Front.pdf"), "barcode-card.pdf"),
                                           std::pair(stem + ".png", "barcode-card-pdf-300dpi.png")}) {
                QFile::remove(ZOVA_OUTPUT_ARTIFACT_DIR "/" + QString::fromLatin1(to));
                QFile::copy(from, ZOVA_OUTPUT_ARTIFACT_DIR "/" + QString::fromLatin1(to));
            }
        }
    }
}
