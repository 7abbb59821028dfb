// The shared card file writer: each extension gets its own format (checked with file, identify,
// pdfinfo and Ghostscript), card pictures opaque to their last pixel, numbered names keep both
// files, the keep/replace answers hold as the user gave them, and a file is replaced whole or not
// at all.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/WindowlessCardHost.h"
#include "output/CardFileNames.h"
#include "output/CardFileWriter.h"
#include "output/ExportTestCard.h"
#include "render/SKTRenderingView.h"
#include "support/TestEnvironment.h"

using namespace ExportTest;

namespace {

QString fileKind(const QString& path)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("file"), {QStringLiteral("-b"), path}).out);
}

QString sizeAndDensity(const QString& path)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("identify"),
                                                  {QStringLiteral("-units"), QStringLiteral("PixelsPerInch"),
                                                   QStringLiteral("-format"), QStringLiteral("%w %h %x"), path})
                                 .out);
}

void touch(const QString& path, const QByteArray& bytes = "old")
{
    OutputTest::writeFile(path, bytes);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(CardFileWriterTest, EachExtensionGetsItsOwnFormatAtTheCardsSizeAnd600Dpi)
{
    BoundCard card(1);
    const CardImage side = SKTRenderingView::image_From_Card_Graphics(card.design.graphics(), CardSide::Front);
    ASSERT_FALSE(side.isNull());
    const QDir out(card.folder.path());
    const QList<std::pair<QString, QString>> kinds = {
        {"Card.TIFF", "TIFF image data"}, {"Card.jpg", "JPEG image data"}, {"Card.jpeg", "JPEG image data"},
        {"Card.bmp", "PC bitmap"},        {"Card.png", "PNG image data"},  {"Card.xyz", "PNG image data"},
        {"Card.EPS", "PostScript"},       {"Card.pdf", "PDF document"}};
    for (const auto& [name, kind] : kinds) {
        SCOPED_TRACE(name.toStdString());
        CardFile file{out.filePath(name), side};
        QString error;
        const QByteArray bytes = cardFileBytes(file, &error);
        ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
        ASSERT_TRUE(writeFileWhole(file.path, bytes, &error)) << error.toStdString();
        EXPECT_TRUE(fileKind(file.path).startsWith(kind)) << fileKind(file.path).toStdString();
        if (!name.endsWith("EPS") && !name.endsWith("pdf") && !name.endsWith("bmp"))
            EXPECT_EQ(sizeAndDensity(file.path), "2025 1284 600");
    }
    const QByteArray pdfInfo = TestEnvironment::run("pdfinfo", {out.filePath("Card.pdf")}).out;
    EXPECT_TRUE(pdfInfo.contains("Page size:       243 x 154 pts")) << pdfInfo.toStdString();
    // Ghostscript finds the card's marks filling the box the EPS declares (to its rounding).
    const auto box =
        TestEnvironment::run("gs", {"-q", "-dNOPAUSE", "-dBATCH", "-dEPSCrop", "-sDEVICE=bbox", out.filePath("Card.EPS")});
    EXPECT_EQ(box.exitCode, 0);
    EXPECT_TRUE(box.err.contains("%%HiResBoundingBox: 0.000000 0.000000 242.99")) << box.err.toStdString();
    EXPECT_TRUE(contents(out.filePath("Card.EPS")).contains("\n%%BoundingBox: 0 0 243 154\n"));
    // The EPS shows the card: a PDF made of it by Ghostscript holds a page the card's size.
    const QString converted = out.filePath("FromEps.pdf");
    TestEnvironment::run("ps2pdf", {"-dEPSCrop", out.filePath("Card.EPS"), converted});
    EXPECT_TRUE(TestEnvironment::run("pdfinfo", {converted}).out.contains("243 x 154 pts"));
}

TEST(CardFileWriterTest, CardPicturesAreOpaqueRgbWithTheCardInTheirLastColumnAndRow)
{
    if (const QString tool = OutputTest::missingTool({OutputTest::kIdentify}); !tool.isEmpty())
        GTEST_SKIP() << tool.toStdString() << " is not installed";
    // A CR80 card as the card wizard makes it, 85.6 x 54 mm: 2022.05 x 1275.59 pixels at 600 dpi,
    // the joined picture's too; the back is pale blue.
    BoundCard card(1);
    for (Card_Property* side : {&card.host.front, &card.host.back})
        side->setCard_Size(QSizeF(85.6, 54.0) * 72 / 25.4);
    const CardImage front = SKTRenderingView::image_From_Card_Graphics(card.design.graphics(), CardSide::Front);
    const CardImage back = SKTRenderingView::image_From_Card_Graphics(card.design.graphics_back(), CardSide::Back);
    card.host.outline = 1;
    const CardImage rounded = SKTRenderingView::image_From_Card_Graphics(card.design.graphics_back(), CardSide::Back);
    const QDir out(card.folder.path());
    const auto described = [&](const CardFile& file, const QString& format) {
        QString error;
        const QByteArray bytes = cardFileBytes(file, &error);
        EXPECT_TRUE(writeFileWhole(file.path, bytes, &error)) << error.toStdString();
        return QString::fromLatin1(TestEnvironment::run(OutputTest::kIdentify, {"-format", format, file.path}).out);
    };
    const QString corners = QStringLiteral("%[channels] %w %h %[pixel:p{0,0}] %[pixel:p{2022,1275}]");
    const QString pale = QStringLiteral("srgb(220,235,255)");
    for (const QString name : {"Back.png", "Back.tif", "Back.bmp"})
        EXPECT_EQ(described({out.filePath(name), back}, corners), "srgb 2023 1276 " + pale + " " + pale) << name.toStdString();
    EXPECT_EQ(described({out.filePath("Mirrored.png"), back.mirrored(false)}, corners), "srgb 2023 1276 " + pale + " " + pale);
    // Outside a rounded card is no card: its corners stay transparent.
    EXPECT_EQ(described({out.filePath("Rounded.png"), rounded}, corners), "srgba 2023 1276 srgba(0,0,0,0) srgba(0,0,0,0)");
    const CardFile joined{out.filePath("Joined.png"), front, back, true, true};
    EXPECT_EQ(described(joined, "%[channels] %w %h %[pixel:p{2022,1275}] %[pixel:p{4045,1275}]"),
              "srgb 4046 1276 srgb(255,255,255) " + pale);
    // As PDF the joined picture is kept whole: no JPEG, and no mask now that it is opaque.
    const CardFile joinedPdf{out.filePath("Joined.pdf"), front, back, true, true};
    QString error;
    ASSERT_TRUE(writeFileWhole(joinedPdf.path, cardFileBytes(joinedPdf, &error), &error)) << error.toStdString();
    if (OutputTest::missingTool({OutputTest::kPdfImages}).isEmpty()) {
        const QList<OutputTest::PdfPicture> pictures = OutputTest::pdfPictures(joinedPdf.path);
        ASSERT_EQ(pictures.size(), 1);
        EXPECT_EQ(std::tuple(pictures[0].type, pictures[0].pixels, pictures[0].encoding),
                  std::tuple(QString("image"), QSize(4046, 1276), QString("image")));
    }
    QDir().mkpath(ZOVA_OUTPUT_ARTIFACT_DIR);
    QFile::remove(ZOVA_OUTPUT_ARTIFACT_DIR "/cr80-back.png");
    QFile::copy(out.filePath("Back.png"), ZOVA_OUTPUT_ARTIFACT_DIR "/cr80-back.png");
}

TEST(CardFileWriterTest, NumberedNamesKeepBothFiles)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    EXPECT_EQ(Create_Front_Card_Path(dir.filePath("Card_1.TIFF")), dir.filePath("Card_1_Front.TIFF"));
    EXPECT_EQ(Create_Back_Card_Path(dir.filePath("Card_1.png")), dir.filePath("Card_1_Back.png"));
    EXPECT_EQ(Create_Front_Card_Path(dir.filePath("Card_1")), dir.filePath("Card_1_Front."));

    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("Free.png")), dir.filePath("Free.png"));
    touch(dir.filePath("Card_1_Front.TIFF"));
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("Card_1_Front.TIFF")), dir.filePath("Card_1_Front (1).tiff"));
    touch(dir.filePath("X (3).png"));
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("X (3).png")), dir.filePath("X (4).png"));
    touch(dir.filePath("X (4).png"));
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("X (3).png")), dir.filePath("X (5).png"));
    touch(dir.filePath("a (2) b.png"));
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("a (2) b.png")), dir.filePath("a (2) b (1).png"));
    touch(dir.filePath("50%1 off.png"));
    EXPECT_EQ(Check_Exist_Path_and_Create_New(dir.filePath("50%1 off.png")), dir.filePath("50%1 off (1).png"));
}

TEST(CardFileWriterTest, KeepReplaceAnswersHoldAsGiven)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char* name : {"A.png", "B.png", "C.png"})
        touch(dir.filePath(name));
    QStringList asked;
    QList<int> answers = {ReplaceKeep::Cancel, ReplaceKeep::KeepAll};
    KeepReplaceAnswers keep([&](const QString& path, const QString& title, const QString& text) {
        asked.append(QFileInfo(path).fileName());
        EXPECT_EQ(title, "File already exists :");
        EXPECT_TRUE(text.startsWith(QFileInfo(path).fileName() + "\n\nFile already exists in this location."));
        return answers.takeFirst();
    });
    EXPECT_EQ(keep.pathToWrite(dir.filePath("New.png")), dir.filePath("New.png"));
    EXPECT_EQ(keep.pathToWrite(dir.filePath("A.png")), "");  // this file skipped
    EXPECT_EQ(keep.pathToWrite(dir.filePath("B.png")), dir.filePath("B (1).png"));
    EXPECT_EQ(keep.pathToWrite(dir.filePath("C.png")), dir.filePath("C (1).png"));  // kept for all: not asked
    // " (0)" counts nothing: the copy's number comes behind it.
    touch(dir.filePath("X (0).png"));
    EXPECT_EQ(keep.pathToWrite(dir.filePath("X (0).png")), dir.filePath("X (0) (1).png"));
    EXPECT_EQ(asked, (QStringList{"A.png", "B.png"}));

    KeepReplaceAnswers cancel([](const QString&, const QString&, const QString&) { return ReplaceKeep::CancelAll; });
    EXPECT_EQ(cancel.pathToWrite(dir.filePath("A.png")), "");
    EXPECT_TRUE(cancel.cancelledAll());
    EXPECT_EQ(cancel.pathToWrite(dir.filePath("Free.png")), "");
}

TEST(CardFileWriterTest, AFileIsReplacedWholeOrNotAtAll)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    touch(dir.filePath("Card.png"));
    QString error;
    ASSERT_TRUE(writeFileWhole(dir.filePath("Card.png"), "new bytes", &error));
    EXPECT_EQ(contents(dir.filePath("Card.png")), "new bytes");
    EXPECT_EQ(QFile(dir.filePath("Card.png")).permissions() & QFile::ReadOther, QFile::ReadOther);
    // A folder where the file should go: refused with the reason, nothing left behind.
    ASSERT_TRUE(dir.mkdir("Taken.png"));
    EXPECT_FALSE(writeFileWhole(dir.filePath("Taken.png"), "bytes", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeFileWhole(dir.filePath("missing/Card.png"), "bytes", &error));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Card.png"});
    EXPECT_TRUE(syncFolder(folder.path(), &error)) << error.toStdString();
}
