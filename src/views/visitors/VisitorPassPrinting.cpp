#include "views/visitors/VisitorPassPrinting.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "render/ImageResolution.h"
#include "views/print/PrintJob.h"

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
    PrintJob job(sheet, PrintRecords{}, window);
    return job.Execute_Printing(preview, printer, PrintRange{0, 1, true});
}

bool printVisitorPassChosen(const QImage& pass, bool preview, QWidget* window)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!preview) {
        QPrintDialog panel(&printer, window);
        if (dialogPresenter().runModal(panel) != QDialog::Accepted)
            return false;
    }
    return Call_Print_Box_1(pass, preview, printer, window);
}
