#include "views/inspector/PrintInfo.h"

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
    QPageSetupDialog dialog(&printer, parent);
    if (dialogPresenter().runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    setPrintInfo(printer.pageLayout());
    // Whole points would make A5 148.17 x 209.9 mm; the paper's own unit keeps it 148 x 210.
    const QSizeF millimetres = printInfo().fullRect(QPageLayout::Millimeter).size();
    return QSizeF(millimetresToPoints(millimetres.width()), millimetresToPoints(millimetres.height()));
}
