// bench_print: a print preview of 50 sheets and a data-run print of 60 sheets, both at 2 x 5 cards
// of a CR80 design with two texts, a Code 128 and a QR Code, drawn into a PDF through the printer
// the way the print window does; beside each, Ghostscript rewriting the same PDF (pdfwrite).
// Both sides run as whole processes.
//   bench_print [rounds]
//   bench_print --once preview|data OUT.pdf        (one job, for the rounds)
#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchSupport.h"
#include "BoundCardElements.h"
#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphicKinds.h"
#include "model/WindowlessCardHost.h"
#include "output/RecordRun.h"
#include "output/SheetLayout.h"
#include "render/SKTRenderingView.h"
#include "views/print/PrintJob.h"

namespace {

constexpr double kTargetRatio = 2.0;
constexpr int kRows = 5;
constexpr int kColumns = 2;
constexpr int kPreviewCells = 500 + 37;  // more than 50 sheets: the preview stops at 50
constexpr int kDataSheets = 60;

// A4 with 10-point margins and 2 x 5 CR80 cards, as the print window would publish it.
PrintSheetSettings a4Sheet(const CardImage& front)
{
    PrintSheetSettings sheet;
    sheet.paperWidth = 595;
    sheet.paperHeight = 842;
    sheet.Left_Mar = sheet.Rite_Mar = sheet.Top_Mar = sheet.Bot_Mar = 10;
    sheet.Print_Card_Side = QStringLiteral("F");
    sheet.Enable_Crop_Marks = true;
    sheet.auto_center_flag = true;
    sheet.front_image = front;
    SheetCellRequest cells;
    cells.cardWidth = 243;
    cells.cardHeight = 154;
    cells.rows = kRows;
    cells.columns = kColumns;
    Check_Max_Cell_Value(sheet, cells);
    return sheet;
}

void pdfPrinter(QPrinter& printer, const PrintSheetSettings& sheet, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QSizeF(sheet.paperWidth, sheet.paperHeight), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
}

int runOnce(const QString& kind, const QString& out)
{
    QTemporaryDir scratch;
    WindowlessCardHost host;
    makeLightCr80Front(host);
    setCardHost(&host);
    const int records = kDataSheets * kRows * kColumns;
    Data_From_Excel table;
    table.ListData.clear();
    for (int n = 1; n <= records; ++n)
        table.Create_List_By_Array({QStringLiteral("Person %1").arg(n), QStringLiteral("Department %1").arg(n % 17),
                                    QStringLiteral("ID%1").arg(n, 7, 10, QChar('0'))},
                                   3);
    SeriesStore store(scratch.path());
    SKTDocument design;
    design.replaceGraphicsOnSide(SKTDocument::FrontSide,
                                 {boundText(1, QRectF(10, 10, 150, 22), 14), boundText(2, QRectF(10, 36, 150, 18), 10),
                                  boundBarcode(3, QStringLiteral("Code 128"), QRectF(8, 100, 170, 46)),
                                  boundBarcode(3, QStringLiteral("QR Code"), QRectF(188, 98, 50, 50))});
    RecordRun run(design, store, table, false);
    const PrintSheetSettings sheet =
        a4Sheet(SKTRenderingView::image_From_Card_Graphics(design.graphicsOfSide(SKTDocument::FrontSide), CardSide::Front));
    PrintRecords cards;
    if (kind == QLatin1String("data")) {
        cards.dataRun = true;
        cards.Total_Batch_Excel_Card = records;
        cards.recordSide = [&](int n, CardSide side) { return run.Set_data_table_value_to_card(n, side); };
    }
    PrintJob job(sheet, cards);
    QPrinter printer;
    pdfPrinter(printer, sheet, out);
    const bool preview = kind == QLatin1String("preview");
    const int count = preview ? kPreviewCells : records;
    // The pages alone: the preview window and its once-per-job note are the platform's.
    const bool done = job.preparePages(PrintRange{0, count, true}) && job.paintPages(printer, preview);
    setCardHost(nullptr);
    return done ? 0 : 1;
}

PairedTimings against(const QString& kind, const QDir& dir, int rounds)
{
    const QString ours = dir.filePath(kind + QStringLiteral(".pdf"));
    if (!runProcess(QCoreApplication::applicationFilePath(), {QStringLiteral("--once"), kind, ours}))
        return {};
    const BenchSide oursSide{[&] { runProcess(QCoreApplication::applicationFilePath(), {QStringLiteral("--once"), kind, ours}); }};
    const BenchSide gs{[&] {
        runProcess(QStringLiteral("gs"), {QStringLiteral("-q"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                                          QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=pdfwrite"),
                                          QStringLiteral("-o"), dir.filePath(kind + QStringLiteral("-gs.pdf")), ours});
    }};
    return runPairedRounds(Rounds{rounds, 1, 1}, oursSide, gs);
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--once")
        return runOnce(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    const int rounds = countArgument(argc, argv, 5);
    QTemporaryDir work;
    const QDir dir(work.path());

    std::printf("A4, 2 x 5 CR80 cards (two texts, Code 128, QR Code), crop marks, to PDF, whole processes\n");
    const PairedTimings preview = against(QStringLiteral("preview"), dir, rounds);
    printRatio("print_preview", preview, "gs -sDEVICE=pdfwrite on the same 50-sheet PDF");
    printBudget("print_preview", "ours/gs", preview.ratio(), kTargetRatio);
    const PairedTimings data = against(QStringLiteral("data"), dir, rounds);
    printRatio("print_data_run", data, "gs -sDEVICE=pdfwrite on the same 60-sheet PDF");
    printBudget("print_data_run", "ours/gs", data.ratio(), kTargetRatio);
    return 0;
}
