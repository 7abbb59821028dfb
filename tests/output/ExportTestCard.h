#pragma once
// A two-sided CR80 design bound to a table of records, and the way tests run a batch export off
// the GUI thread while the GUI thread binds.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrent>
#include <gtest/gtest.h>

#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTDocument.h"
#include "model/WindowlessCardHost.h"
#include "output/BatchExport.h"
#include "output/OutputTestSupport.h"
#include "output/RecordRun.h"

namespace ExportTest {

inline QString recordName(int n) { return QStringLiteral("Name%1").arg(n); }
inline QString recordId(int n) { return QStringLiteral("ID%1").arg(n, 7, 10, QChar('0')); }

inline GraphicPtr placed(GraphicPtr element, const QRectF& box)
{
    element->setBounds(box);
    element->ctrl_is_visible = true;
    return element;
}

// The barcode element as a symbology's, its picture to be made in the box.
inline GraphicPtr barcodeIn(GraphicPtr barcode, const QString& symbology, const QRectF& box)
{
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(symbology));
    barcode->barcode.linear_or_2d = isTwoDimensionalSymbology(symbology) ? 1 : 0;
    barcode->barcode.linear_font_val = QStringLiteral("MANUAL");
    barcode->ctrl_is_visible = true;
    barcode->setBounds(box);
    barcode->Set_Barcode_image_control_bounds(box);
    return barcode;
}

inline GraphicPtr boundBarcode(int column, const QString& symbology, const QRectF& box)
{
    return barcodeIn(OutputTest::columnBound(GraphicKind::Barcode, column), symbology, box);
}

inline GraphicPtr boundCode128(int column)
{
    return boundBarcode(column, QStringLiteral("Code 128"), QRectF(20, 90, 200, 50));
}

// A barcode of a fixed value whose picture is only the raster a design file keeps, as opening the
// design gives it back.
inline GraphicPtr storedBarcode(const QString& symbology, const QString& value, const QRectF& box)
{
    GraphicPtr barcode = barcodeIn(SKTGraphic::create(GraphicKind::Barcode), symbology, box);
    Bind_Barcode_Value(*barcode, value);
    barcode->Set_Barcode_image(BarcodePicture::fromStoredImage(barcode->_barcode_image.image()));
    return barcode;
}

// The front of a card holding a QR Code and a PDF417 of the record's id, and a Code 128 read
// back from its stored raster.
inline GraphicList barcodeFront(const QString& storedValue)
{
    return {boundBarcode(2, QStringLiteral("QR Code"), QRectF(6, 4, 82, 96)),
            boundBarcode(2, QStringLiteral("PDF417"), QRectF(95, 4, 144, 50)),
            storedBarcode(QStringLiteral("Code 128"), storedValue, QRectF(95, 60, 144, 90))};
}

// White sides of 243 x 154 points; the front names the record and carries its id as Code 128,
// the back names it again on a pale blue card.
class BoundCard {
public:
    QTemporaryDir folder;
    SeriesStore store{folder.path()};
    Data_From_Excel table;
    SKTDocument design;
    WindowlessCardHost host;

    explicit BoundCard(int records)
    {
        for (Card_Property* side : {&host.front, &host.back}) {
            side->setCard_Size(QSizeF(243, 154));
            side->setCard_fill_chk(true);
            side->setCard_fill_style(QStringLiteral("S"));
            side->setCard_border_chk(false);
        }
        host.front.setCard_fill_clr(Qt::white);
        host.back.setCard_fill_clr(QColor(220, 235, 255));
        setCardHost(&host);
        QList<QStringList> rows;
        for (int n = 0; n < records; ++n)
            rows.append({recordName(n + 1), recordId(n + 1)});
        OutputTest::fillTable(table, rows);
        design.replaceGraphicsOnSide(
            SKTDocument::FrontSide,
            {placed(OutputTest::columnBound(GraphicKind::Text, 1), QRectF(10, 10, 150, 24)), boundCode128(2)});
        design.replaceGraphicsOnSide(SKTDocument::BackSide,
                                     {placed(OutputTest::columnBound(GraphicKind::Text, 1), QRectF(10, 60, 150, 24))});
    }
    ~BoundCard() { setCardHost(nullptr); }
};

// Checks a PDF page showing barcodeFront's side: its pictures are the stored Code 128 at its own
// 600 dpi, the PDF417 (100 x 20 points) and the QR Code (60 points) at theirs, each stored
// losslessly and drawn unsmoothed, the 2-D symbols' modules in two colours; and poppler's 300-dpi
// raster of it, left at stem.png, reads back. The tools are OutputTest::missingBarcodePageTool's.
inline void expectBarcodeFrontPage(const QString& pdf, const QString& stem, const QString& id,
                                   const QString& storedValue)
{
    using namespace OutputTest;
    const QList<PdfPicture> pictures = pdfPictures(pdf);
    const QList<QSize> twoD = {{834, 167}, {500, 500}};
    QList<QSize> images;
    for (const PdfPicture& picture : pictures) {
        SCOPED_TRACE(picture.number);
        EXPECT_NE(picture.encoding, "jpeg");
        EXPECT_EQ(picture.interpolated, "no");
        if (picture.type == "image")
            images.append(picture.pixels);
    }
    EXPECT_EQ(images, QList<QSize>{QSize(1253, 507)} + twoD);
    TestEnvironment::run(kPdfImages, {QStringLiteral("-png"), pdf, stem});
    for (const PdfPicture& picture : pictures) {
        if (picture.type != "image" || !twoD.contains(picture.pixels))
            continue;
        const QString file = stem + QStringLiteral("-%1.png").arg(picture.number, 3, 10, QChar('0'));
        const QByteArray colours = TestEnvironment::run(kIdentify, {QStringLiteral("-format"), QStringLiteral("%k"), file}).out;
        EXPECT_EQ(QString::fromLatin1(colours), "2") << file.toStdString();
    }
    TestEnvironment::run(kPdfToPpm, {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), pdf, stem});
    EXPECT_EQ(zxingReadings(stem + QStringLiteral(".png")),
              (QStringList{"Code128 " + storedValue, "PDF417 " + id, "QRCode " + id}));
}

// Runs the export on a worker, the GUI thread binding each side as the worker asks.
inline ExportReport runExport(BatchExport& exporter)
{
    QFuture<ExportReport> worker = QtConcurrent::run([&] { return exporter.Export_Batch_File(); });
    while (!worker.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return worker.result();
}

}  // namespace ExportTest
