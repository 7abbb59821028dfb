#include "views/print/PrinterCatalog.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "views/inspector/PrintInfo.h"

namespace {

PrinterCatalog* installedCatalog = nullptr;

void setUpPrinter(QPrinter& printer, const QString& name, const QPageLayout& layout)
{
    if (!name.isEmpty())
        printer.setPrinterName(name);
    // The margins are the job's to place; the printer only says how much it cannot reach.
    printer.setFullPage(true);
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
}

}  // namespace

QStringList SystemPrinterCatalog::printerNames() const
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    const QString preferred = QPrinterInfo::defaultPrinterName();
    if (names.removeOne(preferred))
        names.prepend(preferred);
    return names;
}

PrinterPaper SystemPrinterCatalog::paper(const QString& name, const QPageLayout& layout) const
{
    QPrinter printer;
    setUpPrinter(printer, name, layout);
    QPageLayout result = printer.pageLayout();
    result.setUnits(QPageLayout::Point);
    const QRectF full = result.fullRectPoints();
    const QMarginsF unprintable = result.minimumMargins();
    PrinterPaper paper;
    paper.name = result.pageSize().name();
    paper.width = float(full.width());
    paper.height = float(full.height());
    paper.left = float(unprintable.left());
    paper.right = float(unprintable.right());
    paper.top = float(unprintable.top());
    paper.bottom = float(unprintable.bottom());
    paper.landscape = result.orientation() == QPageLayout::Landscape;
    return paper;
}

bool SystemPrinterCatalog::runPageSetup(const QString& name, QPageLayout& layout, QWidget* parent)
{
    QPrinter printer;
    setUpPrinter(printer, name, layout);
    if (!runPageSetupOn(printer, parent))
        return false;
    layout.setPageSize(printer.pageLayout().pageSize());
    layout.setOrientation(printer.pageLayout().orientation());
    return true;
}

PrinterCatalog& printerCatalog()
{
    static SystemPrinterCatalog system;
    return installedCatalog ? *installedCatalog : system;
}

void setPrinterCatalog(PrinterCatalog* catalog)
{
    installedCatalog = catalog;
}
