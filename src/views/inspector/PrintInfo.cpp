#include "views/inspector/PrintInfo.h"

#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrinter>

#include "platform/DialogPresenter.h"
#include "platform/Units.h"

namespace {

QPageLayout defaultPrintInfo()
{
    QPrinter printer;
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return printer.pageLayout();
}

QPageLayout& sharedPrintInfo()
{
    static QPageLayout layout = defaultPrintInfo();
    return layout;
}

// Qt's dialog opens its paper list on the print queue driver's default paper, whatever paper the
// printer was given, and OK takes the list's paper: the printer's own is chosen in it first, as a
// user would choose it, matched by name or else by size.
void choosePrinterPaper(QPageSetupDialog& dialog, const QPageSize& paper)
{
    auto* const papers = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    if (!papers)
        return;
    int index = papers->findData(QVariant::fromValue(paper));
    for (int i = 0; index < 0 && i < papers->count(); ++i) {
        if (papers->itemData(i).value<QPageSize>().isEquivalentTo(paper))
            index = i;
    }
    if (index >= 0)
        papers->setCurrentIndex(index);
}

}  // namespace

const QPageLayout& printInfo()
{
    return sharedPrintInfo();
}

void setPrintInfo(const QPageLayout& value)
{
    sharedPrintInfo() = value;
}

std::optional<QSizeF> Page_From_Printer(QWidget* parent)
{
    QPrinter printer;
    printer.setPageLayout(printInfo());
    if (!runPageSetupOn(printer, parent))
        return std::nullopt;
    setPrintInfo(printer.pageLayout());
    // Whole points would make A5 148.17 x 209.9 mm; the paper's own unit keeps it 148 x 210.
    const QSizeF millimetres = printInfo().fullRect(QPageLayout::Millimeter).size();
    return QSizeF(millimetresToPoints(millimetres.width()), millimetresToPoints(millimetres.height()));
}

bool runPageSetupOn(QPrinter& printer, QWidget* parent)
{
    QPageSetupDialog dialog(&printer, parent);
    choosePrinterPaper(dialog, printer.pageLayout().pageSize());
    return dialogPresenter().runModal(dialog) == QDialog::Accepted;
}
