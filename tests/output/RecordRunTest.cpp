// A design bound to a table and a series, run record by record: every card shows its own record
// (read back with pdftotext and ZXingReader), the design comes back as it was, and the faults of a
// literal port stay mended: a row without the bound column, an unreadable series, binding off the
// GUI thread, a run losing elements, photos drawn from a 500-pixel preview or not at all.
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <QtConcurrent/QtConcurrent>
#include <gtest/gtest.h>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/WindowlessCardHost.h"
#include "output/OutputTestSupport.h"
#include "output/RecordRun.h"
#include "support/TestEnvironment.h"

using namespace OutputTest;

namespace {

constexpr int kRecords = 10;
const QRectF kPhotoBox(165, 6, 66, 82);

QRgb photoColour(int n) { return QColor::fromHsv(n * 36, 220, 200).rgb(); }

QString savePhoto(const QString& path, QSize size, QRgb colour)
{
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(colour);
    photo.save(path);
    return path;
}

GraphicPtr placed(GraphicPtr element, const QRectF& box)
{
    element->setBounds(box);
    element->ctrl_is_visible = true;
    return element;
}

GraphicPtr code128(int column)
{
    GraphicPtr barcode = columnBound(GraphicKind::Barcode, column);
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("Code 128")));
    barcode->barcode.linear_or_2d = 0;
    barcode->barcode.linear_font_val = QStringLiteral("MANUAL");
    barcode->ctrl_is_visible = true;
    barcode->setBounds(QRectF(20, 100, 200, 40));
    barcode->Set_Barcode_image_control_bounds(barcode->bounds());
    return barcode;
}

// Everything an element holds that a person could see or a design file keeps.
void expectSameElement(const SKTGraphic& after, const SKTGraphic& before, int index)
{
    SCOPED_TRACE(index);
    EXPECT_EQ(after.kind(), before.kind());
    EXPECT_EQ(after.bounds(), before.bounds());  // exactly: no round through 32-bit numbers
    EXPECT_EQ(after.Text_Value, before.Text_Value);
    EXPECT_EQ(after._file_path, before._file_path);
    EXPECT_EQ(after._contents, before._contents);
    EXPECT_EQ(after._barcode_image, before._barcode_image);
    EXPECT_EQ(after._barcode_image.isDrawing(), before._barcode_image.isDrawing());
    EXPECT_EQ(after.archiveDigest(), before.archiveDigest());
}

void expectSameDesign(const GraphicList& after, const GraphicList& before)
{
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i)
        expectSameElement(*after[i], *before[i], int(i));
}

QByteArray pdfText(const QString& pdf)
{
    return TestEnvironment::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
}

class RecordRunTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    SeriesStore store{folder.path()};
    Data_From_Excel table;
    SKTDocument design;
    WindowlessCardHost host;

    void SetUp() override
    {
        for (Card_Property* side : {&host.front, &host.back}) {
            side->setCard_Size(QSizeF(243, 154));
            side->setCard_fill_chk(true);
            side->setCard_fill_style(QStringLiteral("S"));
            side->setCard_fill_clr(Qt::white);
            side->setCard_border_chk(false);
        }
        setCardHost(&host);
    }
    void TearDown() override { setCardHost(nullptr); }

    QString path(const QString& name) const { return folder.filePath(name); }
    void series(const QString& fileName, const QByteArray& bytes) { writeFile(path(fileName), bytes); }

    // Ten records: name, photo path and id in the table; the department in a series.
    void tenRecords()
    {
        QList<QStringList> rows;
        QByteArray departments;
        for (int n = 0; n < kRecords; ++n) {
            const QString photo = savePhoto(path(QStringLiteral("photo%1.png").arg(n)), QSize(300, 380), photoColour(n));
            rows.append({QStringLiteral("Name%1").arg(n), photo, QStringLiteral("ID%1").arg(1000 + n, 7, 10, QChar('0'))});
            departments += "Dept" + QByteArray::number(n) + "\n";
        }
        fillTable(table, rows);
        series("Departments.txt", departments);
        design.replaceGraphicsOnSide(SKTDocument::FrontSide,
                                     {placed(columnBound(GraphicKind::Text, 1), QRectF(10, 10, 130, 24)),
                                      placed(seriesBound(GraphicKind::Text, "departments"), QRectF(10, 40, 130, 24)),
                                      placed(columnBound(GraphicKind::Image, 2), kPhotoBox), code128(3)});
    }
};

QRgb colourAtPoints(const QImage& card, QPointF points, double dpi)
{
    return card.pixel(int(points.x() * dpi / 72), int(points.y() * dpi / 72));
}

// The words of a card side, as pdftotext reads them from its PDF.
QString cardText(const SideSnapshot& side)
{
    QTemporaryDir scratch;
    const QString pdf = scratch.filePath("side.pdf");
    writeFile(pdf, side.image.toPdf());
    return QString::fromUtf8(pdfText(pdf)).simplified();
}

QString savedPng(const SideSnapshot& side, const QString& path)
{
    side.image.toImage(kOutputDpi).save(path);
    return path;
}

}  // namespace

TEST_F(RecordRunTest, TenRecordsEachShowTheirOwnValuesAndTheDesignComesBackAsItWas)
{
    tenRecords();
    // A position no 32-bit number holds, and a barcode drawn in outlines: both come back exactly.
    design.graphics()[0]->setXPosition(10.123456789);
    GraphicPtr barcode = design.graphics()[3];
    barcodeFactory().Set_Barcode_Prop_To_Control(*barcode);
    const QPointF middle = barcode->bounds().center();
    barcode->Set_Barcode_image(barcodeFactory().Get_Image_From_Val("KEEP", {}, {}));
    ASSERT_TRUE(barcode->_barcode_image.isDrawing());
    // Where the records' wider symbols fit: its box, as any move of the user's, goes along.
    const QSizeF size = barcode->bounds().size();
    barcode->setBounds(QRectF(middle - QPointF(size.width() / 2, size.height() / 2), size));
    const GraphicList before = DesignSnapshot::take(design).front();
    const GraphicList live = design.graphics();
    design.undoManager().removeAllActions();
    QStringList seriesReads;
    QStringList pngs;
    {
        RecordRun run(design, store, table, false, [&](const QString& name) {
            seriesReads.append(name);
            return store.readRecords(name);
        });
        ASSERT_EQ(run.sources().Total_Batch_Excel_Card, kRecords);
        for (int n = 0; n < kRecords; ++n) {
            SCOPED_TRACE(n);
            const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
            ASSERT_TRUE(side.isWhole()) << side.failure.toStdString();
            const QString pdf = path(QStringLiteral("card%1.pdf").arg(n));
            writeFile(pdf, side.image.toPdf());
            const QByteArray text = pdfText(pdf);
            EXPECT_TRUE(text.contains("Name" + QByteArray::number(n))) << text.toStdString();
            EXPECT_TRUE(text.contains("Dept" + QByteArray::number(n))) << text.toStdString();
            const QImage raster = side.image.toImage(kOutputDpi);
            EXPECT_EQ(colourAtPoints(raster, kPhotoBox.center(), kOutputDpi), photoColour(n));
            pngs.append(path(QStringLiteral("card%1.png").arg(n)));
            ASSERT_TRUE(raster.save(pngs.last()));
            if (n < 2) {
                QDir().mkpath(ZOVA_OUTPUT_ARTIFACT_DIR);
                raster.save(QStringLiteral(ZOVA_OUTPUT_ARTIFACT_DIR "/record%1_front.png").arg(n + 1));
            }
            // Records are bound into copies: the design the canvas shows never changes.
            expectSameDesign(design.graphics(), before);
        }
        EXPECT_EQ(run.pictures().filesRead(), kRecords);
        EXPECT_EQ(run.refused().count(), 0);
    }
    for (int n = 0; n < kRecords; ++n)
        EXPECT_EQ(zxingText(pngs[n]), QStringLiteral("ID%1").arg(1000 + n, 7, 10, QChar('0'))) << n;
    expectSameDesign(design.graphics(), before);
    EXPECT_EQ(design.graphics(), live);  // the very elements the design had, nothing put back
    EXPECT_FALSE(design.undoManager().canUndo());
    EXPECT_EQ(seriesReads, QStringList{"Departments"});
}

TEST_F(RecordRunTest, ARowWithoutTheBoundColumnGivesAnEmptyValueNotThePreviousRecords)
{
    const QString photo = savePhoto(path("one.png"), QSize(100, 100), qRgb(255, 0, 0));
    table.ListData = {DataRow{{Extension_Key, "1"}, {"Column1", "Ann"}, {"Column2", photo}, {"Column3", "X1"}},
                      DataRow{{Extension_Key, "2"}, {"Column3", "X2"}}, DataRow{{Extension_Key, "3"}}};
    GraphicPtr name = placed(columnBound(GraphicKind::Text, 1), QRectF(10, 10, 100, 20));
    name->Set_text_value(QStringLiteral("Designed"));
    GraphicPtr picture = placed(columnBound(GraphicKind::Image, 2), kPhotoBox);
    GraphicPtr barcode = code128(3);
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {name, picture, barcode});
    RecordRun run(design, store, table, false);
    const SideSnapshot first = run.Set_data_table_value_to_card(0, CardSide::Front);
    ASSERT_TRUE(first.isWhole());
    EXPECT_EQ(cardText(first), "Ann");
    EXPECT_EQ(colourAtPoints(first.image.toImage(72), kPhotoBox.center(), 72), qRgb(255, 0, 0));
    // No name and no photo named: an empty text and the frame alone, as on the canvas.
    const SideSnapshot second = run.Set_data_table_value_to_card(1, CardSide::Front);
    ASSERT_TRUE(second.isWhole()) << second.failure.toStdString();
    EXPECT_EQ(cardText(second), "");
    EXPECT_EQ(colourAtPoints(second.image.toImage(72), kPhotoBox.center(), 72), qRgb(255, 255, 255));
    EXPECT_EQ(zxingText(savedPng(second, path("second.png"))), "X2");
    // No barcode value either: the card leaves without a symbol, as the empty value gives none.
    const SideSnapshot third = run.Set_data_table_value_to_card(2, CardSide::Front);
    ASSERT_TRUE(third.isWhole()) << third.failure.toStdString();
    EXPECT_EQ(zxingText(savedPng(third, path("third.png"))), "");
    EXPECT_EQ(run.refused().count(), 0);
    EXPECT_EQ(name->Text_Value, "Designed");
}

TEST_F(RecordRunTest, ARecordABarcodeCannotShowOrWhosePhotoIsGoneIsRefusedAndNamed)
{
    QList<QStringList> rows;
    for (int n = 0; n < 4; ++n)
        rows.append({QStringLiteral("Holder %1").arg(n), savePhoto(path(QStringLiteral("p%1.png").arg(n)), QSize(50, 60), photoColour(n)),
                     QStringLiteral("59012341234%1").arg(n)});
    rows[1][2] = QStringLiteral("ABCDEFGHIJKL");
    rows[2][1] = path("gone.png");
    fillTable(table, rows);
    GraphicPtr ean = code128(3);
    ean->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("EAN-13")));
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {placed(columnBound(GraphicKind::Text, 1), QRectF(10, 10, 100, 20)),
                                                          placed(columnBound(GraphicKind::Image, 2), kPhotoBox), ean});
    RecordRun run(design, store, table, false);
    QStringList made;
    for (int n = 0; n < 4; ++n) {
        const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
        made.append(side.isWhole() ? cardText(side) : side.failure);
    }
    EXPECT_EQ(made, (QStringList{"Holder 0",
                                 "The barcode cannot show \"ABCDEFGHIJKL\": EAN-13 cannot encode this value.",
                                 "The picture \"gone.png\" could not be read.", "Holder 3"}));
    EXPECT_EQ(run.refused().lines(),
              (QStringList{"Card 2 (Holder 1): The barcode cannot show \"ABCDEFGHIJKL\": EAN-13 cannot encode this value.",
                           "Card 3 (Holder 2): The picture \"gone.png\" could not be read."}));
    // A stop that ended the run at record 2 names only the records before it.
    EXPECT_EQ(run.refused().lines(2),
              QStringList{"Card 2 (Holder 1): The barcode cannot show \"ABCDEFGHIJKL\": EAN-13 cannot encode this value."});
}

// The end report names a refused record by its bound text, wherever the text stands in the list.
TEST_F(RecordRunTest, ARefusedRecordIsNamedByItsTextEvenWhenItsPhotoOrBarcodeComesFirst)
{
    fillTable(table, {{QStringLiteral("Holder 0"), path("gone.png"), QStringLiteral("ABCDEFGHIJKL")}});
    GraphicPtr ean = code128(3);
    ean->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("EAN-13")));
    const GraphicPtr photo = placed(columnBound(GraphicKind::Image, 2), kPhotoBox);
    const GraphicPtr name = placed(columnBound(GraphicKind::Text, 1), QRectF(10, 10, 100, 20));
    for (const GraphicList& order : {GraphicList{photo, ean, name}, GraphicList{ean, photo, name}}) {
        design.replaceGraphicsOnSide(SKTDocument::FrontSide, order);
        RecordRun run(design, store, table, false);
        EXPECT_FALSE(run.Set_data_table_value_to_card(0, CardSide::Front).isWhole());
        EXPECT_EQ(run.refused().all().value(0).label, "Holder 0") << int(order.first()->kind());
    }
}

// Photos are read a few records ahead while the records before them are drawn: a record still
// shows its file as it is when its turn comes, and a design's own picture never stands in for a
// record's photo that is gone.
TEST_F(RecordRunTest, EachRecordShowsItsOwnPhotoAsTheFileIsWhenItsTurnComes)
{
    QList<QStringList> rows;
    for (int n = 0; n < 6; ++n)
        rows.append({QStringLiteral("Holder %1").arg(n), savePhoto(path(QStringLiteral("p%1.png").arg(n)), QSize(50, 60), photoColour(n)),
                     QStringLiteral("X%1").arg(n)});
    rows[2][1] = path("gone.png");
    fillTable(table, rows);
    GraphicPtr photo = placed(columnBound(GraphicKind::Image, 2), kPhotoBox);
    static_cast<SKTImage&>(*photo).setFilePath(savePhoto(path("sample.png"), QSize(50, 60), qRgb(255, 0, 0)), false);
    ASSERT_FALSE(photo->_contents.isNull());
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {photo});
    RecordRun run(design, store, table, false);
    const auto centre = [&](int n) {
        const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
        return side.isWhole() ? QVariant(colourAtPoints(side.image.toImage(72), kPhotoBox.center(), 72)) : QVariant(side.failure);
    };
    EXPECT_EQ(centre(0), QVariant(photoColour(0)));
    // The photos of the next records are being read now; two change before their turn.
    ASSERT_TRUE(QFile::remove(path("p3.png")));
    savePhoto(path("p4.png"), QSize(70, 80), qRgb(0, 0, 255));
    QList<QVariant> rest;
    for (int n = 1; n < 6; ++n)
        rest.append(centre(n));
    EXPECT_EQ(rest, (QList<QVariant>{photoColour(1), QStringLiteral("The picture \"gone.png\" could not be read."),
                                     QStringLiteral("The picture \"p3.png\" could not be read."), qRgb(0, 0, 255),
                                     photoColour(5)}));
    EXPECT_EQ(run.pictures().filesRead(), 6);
    EXPECT_EQ(run.refused().count(), 2);
    EXPECT_EQ(photo->_contents.pixel(0, 0), qRgb(255, 0, 0));  // the design keeps its own picture
}

// Each record's symbol is centred in the box the user left, whatever the record before it did to
// the barcode's bounds: an empty value leaves no symbol and no size, a longer one a wider symbol.
TEST_F(RecordRunTest, EachRecordsSymbolIsCentredInTheBoxTheUserLeft)
{
    fillTable(table, {{QString()}, {QStringLiteral("A-MUCH-LONGER-VALUE")}, {QStringLiteral("ID3")}});
    const GraphicPtr barcode = code128(1);
    const QRectF box = barcode->bounds();
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {barcode});
    RecordRun run(design, store, table, false);
    EXPECT_TRUE(run.Set_data_table_value_to_card(0, CardSide::Front).isWhole());
    for (int n = 1; n < 3; ++n) {
        SCOPED_TRACE(n);
        const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
        ASSERT_TRUE(side.isWhole());
        // The ink of the symbol and its texts, in points.
        const QImage card = side.image.toImage(72).convertToFormat(QImage::Format_RGB32);
        QRect ink;
        for (int y = 0; y < card.height(); ++y)
            for (int x = 0; x < card.width(); ++x)
                if (qGray(card.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
        EXPECT_NEAR(ink.center().x() + 0.5, box.center().x(), 1.5);
        EXPECT_NEAR(ink.center().y() + 0.5, box.center().y(), 1.5);
    }
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, box);
    EXPECT_EQ(barcode->bounds(), box);

    // Bound in place, as the visitor panel binds a typed number: the symbol is centred and the box,
    // the user's, stays where it was for the next value.
    EXPECT_EQ(Bind_Barcode_Value(*barcode, QStringLiteral("A-MUCH-LONGER-VALUE")), QString());
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, box);
    EXPECT_NEAR(barcode->bounds().center().x(), box.center().x(), 1e-9);
    EXPECT_EQ(Bind_Barcode_Value(*barcode, QString()), QString());
    EXPECT_TRUE(barcode->_barcode_image.isNull());
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, box);
}

// A shorter series gives empty values past its end: those records go out without the symbol, with
// their own names, and only a value the symbology cannot encode refuses its card.
TEST_F(RecordRunTest, ABarcodeOnAShorterSeriesLeavesTheLaterCardsWithoutASymbolNotLeftOut)
{
    series("Ids.txt", "ID0001\nID0002\nID0003");
    series("Names.txt", "Ann\nBen\nCid\nDot\nEve");
    GraphicPtr barcode = seriesBound(GraphicKind::Barcode, "Ids");
    barcode->barcode = code128(1)->barcode;
    barcode->ctrl_is_visible = true;
    barcode->setBounds(QRectF(20, 100, 200, 40));
    barcode->Set_Barcode_image_control_bounds(barcode->bounds());
    design.replaceGraphicsOnSide(SKTDocument::FrontSide,
                                 {placed(seriesBound(GraphicKind::Text, "Names"), QRectF(10, 10, 130, 24)), barcode});
    RecordRun run(design, store, table, false);
    ASSERT_EQ(run.sources().Total_Batch_Excel_Card, 5);
    const QStringList names{"Ann", "Ben", "Cid", "Dot", "Eve"};
    const QStringList ids{"ID0001", "ID0002", "ID0003", "", ""};
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(n);
        const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
        ASSERT_TRUE(side.isWhole()) << side.failure.toStdString();
        EXPECT_EQ(cardText(side), names[n]);
        EXPECT_EQ(zxingText(savedPng(side, path(QStringLiteral("card%1.png").arg(n)))), ids[n]);
    }
    EXPECT_EQ(run.refused().count(), 0);
}

namespace {
QStringList logLines;
}

TEST_F(RecordRunTest, AnUnreadableSeriesIsLoggedAndTreatedAsUnloaded)
{
    series("Broken.txt", QByteArray("Ann\n\xff\xfe\x80 Bo\n"));
    series("Good.txt", "a\nb\nc");
    GraphicPtr broken = placed(seriesBound(GraphicKind::Text, "Broken"), QRectF(10, 10, 100, 20));
    broken->Text_Value = QStringLiteral("design value");
    GraphicPtr good = placed(seriesBound(GraphicKind::Text, "Good"), QRectF(10, 40, 100, 20));
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {broken, good});
    logLines.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) { logLines.append(line); });
    RecordRun run(design, store, table, false);
    qInstallMessageHandler(previous);
    ASSERT_FALSE(logLines.filter("Broken").isEmpty()) << logLines.join('\n').toStdString();
    const int slot = run.sources().bindingTable().Get_Data_SetIndex_According_Name("Broken");
    EXPECT_FALSE(run.sources().bindingTable().isLoaded(slot));
    EXPECT_EQ(run.sources().Total_Batch_Excel_Card, 3);
    for (int n = 0; n < 3; ++n) {
        const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
        ASSERT_TRUE(side.isWhole());
        EXPECT_EQ(cardText(side), QString(QChar(u'a' + n)));  // the broken series shows nothing
    }
}

namespace {

// The barcode generator, noting the thread each barcode's settings are loaded on.
class ThreadNotingFactory final : public BarcodeFactory {
public:
    explicit ThreadNotingFactory(BarcodeFactory& inner) : m_inner(inner) {}
    void Set_Barcode_Prop_To_Control(const SKTGraphic& element) override
    {
        threads.append(QThread::currentThread());
        m_inner.Set_Barcode_Prop_To_Control(element);
    }
    BarcodePicture Get_Image_From_Val(const QString& value, const QString& header, const QString& footer) override
    {
        return m_inner.Get_Image_From_Val(value, header, footer);
    }
    QList<QThread*> threads;

private:
    BarcodeFactory& m_inner;
};

}  // namespace

TEST_F(RecordRunTest, AWorkerAsksTheGuiThreadToBindAndSnapshotAndDrawsThePhotoItself)
{
    tenRecords();
    ThreadNotingFactory noting(barcodeFactory());
    setBarcodeFactory(&noting);
    RecordRun run(design, store, table, false);
    QList<QRgb> photoCentres;
    QFuture<void> worker = QtConcurrent::run([&] {
        for (int n = 0; n < 3; ++n) {
            const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
            photoCentres.append(side.isWhole() ? colourAtPoints(side.image.toImage(150), kPhotoBox.center(), 150)
                                               : QRgb());
        }
    });
    while (!worker.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    setBarcodeFactory(nullptr);
    EXPECT_EQ(noting.threads, QList<QThread*>(3, QThread::currentThread()));
    EXPECT_EQ(photoCentres, (QList<QRgb>{photoColour(0), photoColour(1), photoColour(2)}));
}

TEST_F(RecordRunTest, PhotosAreDrawnFromTheirFilesAtThePixelsOfA600DpiCardAndAMissingOneFailsTheSide)
{
    // Two-pixel stripes, 600 x 600 pixels in a box of one inch: every stripe a card pixel wide
    // shows at 600 dpi; a 500-pixel preview stretched over it would smear them.
    QImage stripes(600, 600, QImage::Format_RGB32);
    for (int x = 0; x < 600; ++x)
        for (int y = 0; y < 600; ++y)
            stripes.setPixelColor(x, y, (x / 2) % 2 ? Qt::black : Qt::white);
    ASSERT_TRUE(stripes.save(path("stripes.png")));
    GraphicPtr photo = placed(SKTGraphic::create(GraphicKind::Image), QRectF(36, 36, 72, 72));
    static_cast<SKTImage&>(*photo).setFilePath(path("stripes.png"), true);
    ASSERT_EQ(photo->_contents.width(), 500);  // the canvas keeps its preview
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {photo});
    RecordRun run(design, store, table, false);
    for (int n = 0; n < 3; ++n) {
        const SideSnapshot side = run.Set_data_table_value_to_card(n, CardSide::Front);
        ASSERT_TRUE(side.isWhole());
        const QImage card = side.image.toImage(kOutputDpi);
        int sharpEdges = 0;
        for (int x = 300 + 10; x < 900 - 10; ++x)
            sharpEdges += std::abs(qGray(card.pixel(x, 600)) - qGray(card.pixel(x + 1, 600))) > 200;
        EXPECT_GT(sharpEdges, 280) << n;
    }
    EXPECT_EQ(run.pictures().filesRead(), 1);  // kept for the run: one read for every card
    EXPECT_EQ(OutputPictures::pixelsFor(QSizeF(66, 82), kOutputDpi), QSize(550, 684));
    const QSize covered = run.pictures().pictureFor(path("stripes.png"), photo->picture, QSize(300, 150)).original.size();
    EXPECT_EQ(covered, QSize(300, 300));
    // A blur counted in pixels of the canvas's preview keeps its look on the larger picture.
    PictureSettings blurred;
    blurred.blr_val = 4;
    EXPECT_FLOAT_EQ(OutputPictures::settingsAtSize(blurred, 1000, 500).blr_val, 8);

    photo->_file_path = path("gone.png");
    photo->_contents = QImage();
    RecordRun later(design, store, table, false);
    const SideSnapshot missing = later.Set_data_table_value_to_card(0, CardSide::Front);
    EXPECT_TRUE(missing.image.isNull());
    EXPECT_EQ(missing.failure, "The picture \"gone.png\" could not be read.");
}

TEST_F(RecordRunTest, AMirroringRunTurnsEverySideOverLeftToRightOrTopToBottom)
{
    GraphicPtr picture = placed(SKTGraphic::create(GraphicKind::Image), QRectF(0, 0, 40, 40));
    static_cast<SKTImage&>(*picture).setFilePath(savePhoto(path("red.png"), QSize(100, 100), qRgb(255, 0, 0)), true);
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {picture});
    RecordRun run(design, store, table, false);
    for (const auto& [mirror, vertical, corner] : {std::tuple{false, true, QPointF(5, 5)},
                                                   std::tuple{true, false, QPointF(238, 5)},
                                                   std::tuple{true, true, QPointF(5, 149)}}) {
        run.Mirror_Image_Create = mirror;
        run.Mirror_Vertical_Not_Horz = vertical;
        const QImage card = run.Set_data_table_value_to_card(0, CardSide::Front).image.toImage(72);
        EXPECT_EQ(colourAtPoints(card, corner, 72), qRgb(255, 0, 0)) << mirror << vertical;
    }
}

// A list the caller filled itself is drawn as it stands: no record put in, never mirrored, and the
// list keeps its values.
TEST_F(RecordRunTest, AListDrawnAsItStandsTakesNoRecordAndIsNeverMirrored)
{
    fillTable(table, {{QStringLiteral("Name0")}});
    GraphicPtr name = placed(columnBound(GraphicKind::Text, 1), QRectF(60, 10, 130, 24));
    name->Set_text_value(QStringLiteral("Filled by hand"));
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, {name});
    GraphicPtr picture = placed(SKTGraphic::create(GraphicKind::Image), QRectF(0, 0, 40, 40));
    static_cast<SKTImage&>(*picture).setFilePath(savePhoto(path("red.png"), QSize(100, 100), qRgb(255, 0, 0)), true);
    const GraphicList filled{picture, name};
    RecordRun run(design, store, table, false);
    ASSERT_TRUE(run.sources().Use_Excel_Binding_Values);
    run.Mirror_Image_Create = true;
    run.Mirror_Vertical_Not_Horz = false;
    const SideSnapshot drawn = run.Generate_Batch_Image_For_Differ_Value_from_redrenig_class(filled, CardSide::Front);
    ASSERT_TRUE(drawn.isWhole()) << qPrintable(drawn.failure);
    const QImage card = drawn.image.toImage(72);
    EXPECT_EQ(colourAtPoints(card, QPointF(5, 5), 72), qRgb(255, 0, 0));
    EXPECT_NE(colourAtPoints(card, QPointF(238, 5), 72), qRgb(255, 0, 0));
    EXPECT_TRUE(cardText(drawn).contains(QStringLiteral("Filled by hand")));
    EXPECT_FALSE(cardText(drawn).contains(QStringLiteral("Name0")));
    EXPECT_EQ(filled[1]->Text_Value, QStringLiteral("Filled by hand"));
}
