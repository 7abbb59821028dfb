#include "views/visitors/VisitorPassPrinting.h"

#include <QPrinter>

#include "platform/MessageBoxes.h"
#include "render/ImageResolution.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrintJob.h"
#include "views/print/PrinterCatalog.h"

QString visitorPassPrintToFile;

PrintSheetSettings visitorPassSheet(const QImage& pass, const QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    PrintSheetSettings sheet;
    sheet.paperWidth = float(paper.width());
    sheet.paperHeight = float(paper.height());
    sheet.landscape = layout.orientation() == QPageLayout::Landscape;
    sheet.Left_Mar = float(printable.left());
    sheet.Rite_Mar = float(paper.width() - printable.right());
    sheet.Top_Mar = float(printable.top());
    sheet.Bot_Mar = float(paper.height() - printable.bottom());
    const QSizeF size = sizeInPoints(pass);
    sheet.label_width = float(size.width());
    sheet.label_hight = float(size.height());
    sheet.Print_Row = 1;
    sheet.Print_Col = 1;
    sheet.draw_printing_or_visitor_pass = true;
    sheet.Visitor_Pass_Image = pass;
    return sheet;
}

bool Call_Print_Box_1(const QImage& pass, bool preview, QPrinter& printer, QWidget* window)
{
    if (pass.isNull()) {
        Show_MessageBox(QStringLiteral("The visitor pass could not be drawn."));
        return false;
    }
    const PrintSheetSettings sheet = visitorPassSheet(pass, printer);
    // The designer's print settings become the pass's: the next print starts on that paper.
    setPrintInfo(printer.pageLayout());
    PrintJob job(sheet, PrintRecords{}, window);
    return job.Execute_Printing(preview, printer, PrintRange{0, 1, true});
}

void setUpVisitorPassPrinter(QPrinter& printer)
{
    PrinterCatalog& catalog = printerCatalog();
    const QString name = catalog.printerNames().value(0);
    if (!visitorPassPrintToFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(visitorPassPrintToFile);
    } else if (!name.isEmpty()) {
        printer.setPrinterName(name);
    }
    printer.setDocName(QStringLiteral("ZOVA ID Card"));
    // A new print setting starts on the default printer's own paper.
    const PrinterPaper paper = catalog.paper(name, QPrinter().pageLayout());
    const QSizeF upright = paper.landscape ? QSizeF(paper.height, paper.width) : QSizeF(paper.width, paper.height);
    printer.setPageLayout(QPageLayout(QPageSize(upright, QPageSize::Point),
                                      paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(paper.left, paper.top, paper.right, paper.bottom), QPageLayout::Point));
}

bool printVisitorPass(const QImage& pass, bool preview, QWidget* window)
{
    if (!preview && printerCatalog().printerNames().isEmpty()) {
        Show_MessageBox(kNoPrinterMessage);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    setUpVisitorPassPrinter(printer);
    return Call_Print_Box_1(pass, preview, printer, window);
}
