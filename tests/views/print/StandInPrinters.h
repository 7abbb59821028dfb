#pragma once
// Printers for the print window's tests: Letter paper with 18-point unprintable margins (or
// officeMargins) on "Office Laser", A4 with 5-point margins on "Card Printer", at the layout's
// orientation; none on the printer named paperless.
#include <QMarginsF>
#include <QPageSize>

#include "views/print/PrinterCatalog.h"

class StandInPrinters : public PrinterCatalog {
public:
    StandInPrinters() { setPrinterCatalog(this); }
    ~StandInPrinters() override { setPrinterCatalog(nullptr); }

    QStringList printerNames() const override { return names; }
    PrinterPaper paper(const QString& printer, const QPageLayout& layout) const override
    {
        if (!paperless.isEmpty() && printer == paperless)
            return {};
        const bool a4 = printer == QLatin1String("Card Printer");
        const QMarginsF margins = a4 ? QMarginsF(5, 5, 5, 5) : officeMargins;
        const bool landscape = layout.orientation() == QPageLayout::Landscape;
        float w = a4 ? 595.28f : 612;
        float h = a4 ? 841.89f : 792;
        if (landscape)
            std::swap(w, h);
        return {a4 ? QStringLiteral("A4") : QStringLiteral("Letter"), w, h, float(margins.left()), float(margins.right()),
                float(margins.top()), float(margins.bottom()), landscape};
    }
    bool runPageSetup(const QString&, QPageLayout& layout, QWidget*) override
    {
        ++pageSetups;
        if (pageSetupAccepts)
            layout.setOrientation(QPageLayout::Landscape);
        return pageSetupAccepts;
    }

    QStringList names{QStringLiteral("Office Laser"), QStringLiteral("Card Printer")};
    QMarginsF officeMargins{18, 18, 18, 18};
    QString paperless;  // a printer that reports no paper
    bool pageSetupAccepts = true;
    int pageSetups = 0;
};
