// Print jobs written to PDF files through the printer road and read back with poppler and
// ImageMagick: pages, which record lands in which cell, previews and their limit, the checks, and
// barcode pictures printed losslessly and readable (pdfimages, ZXingReader).
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "output/ExportTestCard.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/output/OutputRangeBlock.h"
#include "views/print/PrintJob.h"
#include "views/print/PrintTestSheet.h"

using namespace PrintTest;

namespace {

const QString kPreviewLimited = QStringLiteral(
    "\nFor Qualitative and Performance reason, previewer shows print previews of only first 50 sheets. "
    "However, printing has no such restriction.");

// A data run over records 0 .. records-1, each side in its record's colour.
PrintRecords colouredRecords(int records, QList<int>* bound = nullptr)
{
    PrintRecords run;
    run.dataRun = true;
    run.Total_Batch_Excel_Card = records;
    run.recordSide = [bound](int record, CardSide side) {
        if (bound)
            bound->append(record);
        return SideSnapshot{colouredCard(side == CardSide::Front ? frontColour(record) : backColour(record)), {}};
    };
    return run;
}

class PrintJobTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messagesInstalled{messages};
    ScriptedDialogPresenter dialogs;

    QString pdf(const QString& name) const { return folder.filePath(name); }
};

}  // namespace

TEST_F(PrintJobTest, SevenRecordsOnTwoByTwoFillTwoPagesAndLeaveTheFourthCellBlank)
{
    const PrintSheetSettings sheet = letterSheet(2, 2);
    ASSERT_EQ(sheet.Print_Row * sheet.Print_Col, 4);
    PrintJob job(sheet, colouredRecords(7));
    QPrinter printer;
    printToPdf(printer, sheet, pdf("seven.pdf"));
    ASSERT_TRUE(job.Execute_Printing(false, printer, {0, 7, true}));
    EXPECT_EQ(pdfPages(pdf("seven.pdf")), 2);

    // Top-left alignment: the block's top-left corner at the margins, cards 243 x 154 with 10-point gaps.
    EXPECT_EQ(trimmedBox(pdf("seven.pdf"), 1, folder.path()), "496x318+18+18");
    const QImage page2 = pdfPageImage(pdf("seven.pdf"), 2, folder.path());
    QDir().mkpath(ZOVA_PRINT_ARTIFACT_DIR);
    page2.save(QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR "/seven-records-2x2-page2.png"));
    const SheetGeometry cells(sheet);
    EXPECT_TRUE(near(colourAt(page2, cells.cell(1, 1)), frontColour(4)));
    EXPECT_TRUE(near(colourAt(page2, cells.cell(1, 2)), frontColour(5)));
    EXPECT_TRUE(near(colourAt(page2, cells.cell(2, 1)), frontColour(6)));
    EXPECT_EQ(colourAt(page2, cells.cell(2, 2)), QColor(Qt::white));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(PrintJobTest, PrintedBarcodePicturesAreLosslessAndReadable)
{
    if (const QString tool = OutputTest::missingBarcodePageTool(); !tool.isEmpty())
        GTEST_SKIP() << tool.toStdString() << " is not installed";
    ExportTest::BoundCard card(2);
    card.design.replaceGraphicsOnSide(SKTDocument::FrontSide, ExportTest::barcodeFront(QStringLiteral("S-128")));
    RecordRun run(card.design, card.store, card.table, true);
    PrintRecords records;
    records.dataRun = true;
    records.Total_Batch_Excel_Card = 2;
    records.recordSide = [&](int record, CardSide side) { return run.Set_data_table_value_to_card(record, side); };
    records.refused = &run.refused();
    const PrintSheetSettings sheet = letterSheet(1, 1);
    PrintJob job(sheet, records);
    QPrinter printer;
    printToPdf(printer, sheet, pdf("barcodes.pdf"));
    ASSERT_TRUE(job.Execute_Printing(false, printer, {1, 1, true}));
    ASSERT_EQ(pdfPages(pdf("barcodes.pdf")), 1);
    ExportTest::expectBarcodeFrontPage(pdf("barcodes.pdf"), pdf("sheet"), ExportTest::recordId(2), "S-128");
    QDir().mkpath(ZOVA_PRINT_ARTIFACT_DIR);
    QFile::remove(ZOVA_PRINT_ARTIFACT_DIR "/barcode-sheet-300dpi.png");
    QFile::copy(pdf("sheet.png"), ZOVA_PRINT_ARTIFACT_DIR "/barcode-sheet-300dpi.png");
}

TEST_F(PrintJobTest, ADuplexRunAlternatesEachRecordsFrontAndBackPageByPage)
{
    const PrintSheetSettings sheet = letterSheet(1, 1, "BOTH", "DU");
    PrintJob job(sheet, colouredRecords(3));
    QPrinter printer;
    printToPdf(printer, sheet, pdf("duplex.pdf"));
    ASSERT_TRUE(job.Execute_Printing(false, printer, {0, 3, true}));
    EXPECT_EQ(job.Total_Label(), 6);
    ASSERT_EQ(pdfPages(pdf("duplex.pdf")), 6);
    const QRectF cell = SheetGeometry(sheet).cell(1, 1);
    for (int page = 1; page <= 6; ++page) {
        const int record = (page - 1) / 2;
        const QColor expected = page % 2 ? frontColour(record) : backColour(record);
        EXPECT_TRUE(near(colourAt(pdfPageImage(pdf("duplex.pdf"), page, folder.path()), cell), expected)) << page;
    }
    EXPECT_EQ(trimmedBox(pdf("duplex.pdf"), 2, folder.path()), "243x154+18+18");
}

TEST_F(PrintJobTest, ALongPreviewShowsFiftySheetsAndSaysSoOnceWhilePrintingPrintsThemAll)
{
    const PrintSheetSettings sheet = letterSheet(1, 1);
    PrintJob job(sheet, {});
    int previewPages = 0;
    dialogs.queueHook([&](QDialog& dialog) {
        auto* pages = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        pages->updatePreview();
        pages->updatePreview();  // asked again, as after a page set-up change
        previewPages = pages->pageCount();
    });
    QPrinter printer;
    printToPdf(printer, sheet, pdf("many.pdf"));
    ASSERT_TRUE(job.Execute_Printing(true, printer, {0, 120, true}));
    EXPECT_EQ(previewPages, 50);
    EXPECT_EQ(messages.texts(), QStringList{kPreviewLimited});
    EXPECT_EQ(messages.records().first().thread, QThread::currentThread());

    ASSERT_TRUE(job.Execute_Printing(false, printer, {0, 120, true}));
    EXPECT_EQ(pdfPages(pdf("many.pdf")), 120);
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(PrintJobTest, APreviewAskedForItsPagesAgainShowsTheSameRecords)
{
    const PrintSheetSettings sheet = letterSheet(2, 1);
    PrintJob job(sheet, colouredRecords(6));
    QStringList written;
    dialogs.queueHook([&](QDialog& dialog) {
        for (const QString name : {"first.pdf", "again.pdf"}) {
            QPrinter target;
            printToPdf(target, sheet, pdf(name));
            Q_EMIT static_cast<QPrintPreviewDialog&>(dialog).paintRequested(&target);
            written.append(pdf(name));
        }
    });
    QPrinter printer;
    ASSERT_TRUE(job.Execute_Printing(true, printer, {1, 4, true}));
    ASSERT_EQ(written.size(), 2);
    const QRectF lower = SheetGeometry(sheet).cell(2, 1);
    for (const QString& file : written) {
        ASSERT_EQ(pdfPages(file), 2) << file.toStdString();
        EXPECT_TRUE(near(colourAt(pdfPageImage(file, 2, folder.path()), lower), frontColour(4))) << file.toStdString();
    }
}

TEST_F(PrintJobTest, TheRangeBlockGivesTheFirstRecordAndTheCountAndAReversedRangeStops)
{
    OutputRangeBlock block;
    block.preparePrint(true, false, [](bool, bool) { return 12; });
    block.Sel_print_rd->click();
    block.from_Text->setValue(3);
    block.To_Text->setValue(7);
    PrintSheetSettings sheet = letterSheet(1, 1);
    QList<int> bound;
    PrintJob job(sheet, colouredRecords(12, &bound));
    QPrinter printer;
    printToPdf(printer, sheet, pdf("range.pdf"));
    ASSERT_TRUE(job.Execute_Printing(false, printer, printRangeFrom(block)));
    EXPECT_EQ(job.Print_Start(), 2);
    EXPECT_EQ(job.Total_Label(), 5);
    EXPECT_EQ(bound, (QList<int>{2, 3, 4, 5, 6}));
    // From equal to To prints that one record.
    block.To_Text->setValue(9);
    block.from_Text->setValue(9);
    bound.clear();
    ASSERT_TRUE(job.Execute_Printing(false, printer, printRangeFrom(block)));
    EXPECT_EQ(job.Total_Label(), 1);
    EXPECT_EQ(bound, QList<int>{8});
    block.from_Text->setValue(3);
    block.To_Text->setValue(7);

    sheet.Print_Card_Side = "BOTH";
    sheet.Print_Card_Algn = "DD";
    sheet.Duplex_Printing = true;
    ASSERT_TRUE(job.Execute_Printing(false, printer, printRangeFrom(block)));
    EXPECT_EQ(job.Total_Label(), 10);

    block.from_Text->setValue(7);
    block.To_Text->setValue(3);
    QPrinter unused;
    printToPdf(unused, sheet, pdf("never.pdf"));
    EXPECT_FALSE(job.Execute_Printing(false, unused, printRangeFrom(block)));
    EXPECT_EQ(messages.texts().last(), "\nPlease select valid range.");
    EXPECT_FALSE(QFile::exists(pdf("never.pdf")));
    EXPECT_FALSE(job.Execute_Printing(false, unused, {0, 0, true}));
    EXPECT_EQ(messages.texts().last(), "\nThere is no barcode to print.");
}

TEST_F(PrintJobTest, ACellWiderThanThePaperAsksFirstAndPrintsOnlyWhenTold)
{
    PrintSheetSettings sheet = letterSheet(1, 1);
    sheet.label_width = 600;
    PrintJob job(sheet, {});
    QPrinter printer;
    printToPdf(printer, sheet, pdf("wide.pdf"));
    messages.queueAnswers({1});  // "No"
    EXPECT_FALSE(job.Execute_Printing(false, printer, {0, 1, true}));
    EXPECT_EQ(messages.texts(), QStringList{"'Card Size' is bigger than selected 'Paper Size' or drawn card may be "
                                            "out of margin area.\n\nDo you want to continue?"});
    EXPECT_FALSE(QFile::exists(pdf("wide.pdf")));
    messages.queueAnswers({0});  // "Yes"
    EXPECT_TRUE(job.Execute_Printing(false, printer, {0, 1, true}));
    EXPECT_EQ(pdfPages(pdf("wide.pdf")), 1);

    // A card that fills the printable width exactly fits: nothing is asked.
    sheet.label_width = sheet.paperWidth - sheet.Left_Mar - sheet.Rite_Mar - sheet.horz_mar;
    PrintJob exact(sheet, {});
    printToPdf(printer, sheet, pdf("exact.pdf"));
    const qsizetype asked = messages.texts().size();
    EXPECT_TRUE(exact.Execute_Printing(false, printer, {0, 1, true}));
    EXPECT_EQ(messages.texts().size(), asked);
    EXPECT_EQ(pdfPages(pdf("exact.pdf")), 1);
}

TEST_F(PrintJobTest, CropMarksAndMissingPicturesArePrintedWhereTheSheetPutsThem)
{
    PrintSheetSettings sheet = letterSheet(1, 1);
    sheet.Enable_Crop_Marks = true;
    sheet.front_image = CardImage();
    PrintJob job(sheet, {});
    QPrinter printer;
    printToPdf(printer, sheet, pdf("marks.pdf"));
    ASSERT_TRUE(job.Execute_Printing(false, printer, {0, 1, true}));
    const auto text = TestEnvironment::run("pdftotext", {pdf("marks.pdf"), "-"});
    EXPECT_EQ(QString::fromUtf8(text.out).trimmed(), "Invalid Data");

    // The lines of the page as qpdf writes its content out plainly, turned back to y up.
    TestEnvironment::run("qpdf", {"--qdf", "--object-streams=disable", pdf("marks.pdf"), pdf("plain.pdf")});
    QFile plain(pdf("plain.pdf"));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(plain.readAll());
    ASSERT_TRUE(content.contains("1 0 0 -1 0 792 cm"));
    QList<QLineF> strokes;
    const QRegularExpression line("(-?[\\d.]+) (-?[\\d.]+) m\\n(-?[\\d.]+) (-?[\\d.]+) l\\nS");
    for (auto it = line.globalMatch(content); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        strokes.append(QLineF(m.captured(1).toDouble(), 792 - m.captured(2).toDouble(), m.captured(3).toDouble(),
                              792 - m.captured(4).toDouble()));
    }
    // The card at (18, 620, 243, 154): from each corner 20 points outwards along both edges.
    const QList<QLineF> expected = {{18, 620, -2, 620},   {18, 620, 18, 600},   {261, 620, 281, 620},
                                    {261, 620, 261, 600}, {18, 774, -2, 774},   {18, 774, 18, 794},
                                    {261, 774, 281, 774}, {261, 774, 261, 794}};
    EXPECT_EQ(strokes, expected);
    EXPECT_TRUE(content.contains("0.752941191 0.752941191 0.752941191 SCN\n1 w"));  // light grey, 1 point
}
