#pragma once
// A two-sided CR80 design bound to a table of records, and the way tests run a batch export off
// the GUI thread while the GUI thread binds.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrent>

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

inline GraphicPtr boundCode128(int column)
{
    GraphicPtr barcode = OutputTest::columnBound(GraphicKind::Barcode, column);
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("Code 128")));
    barcode->barcode.linear_or_2d = 0;
    barcode->barcode.linear_font_val = QStringLiteral("MANUAL");
    barcode->ctrl_is_visible = true;
    barcode->setBounds(QRectF(20, 90, 200, 50));
    barcode->Set_Barcode_image_control_bounds(barcode->bounds());
    return barcode;
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

// Runs the export on a worker, the GUI thread binding each side as the worker asks.
inline ExportReport runExport(BatchExport& exporter)
{
    QFuture<ExportReport> worker = QtConcurrent::run([&] { return exporter.Export_Batch_File(); });
    while (!worker.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return worker.result();
}

}  // namespace ExportTest
