#pragma once
// The printers the print window offers and what each says of the paper, behind a seam: tests and
// machines without a print server put their own catalogue in place of the print system's.
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QWidget;

inline const QString kNoPrinterMessage = QStringLiteral("No printer found.");

// The paper as the print settings give it for one printer, in points at the chosen orientation,
// with the margins the printer cannot print on.
struct PrinterPaper {
    QString name;
    float width = 0;
    float height = 0;
    float left = 0;
    float right = 0;
    float top = 0;
    float bottom = 0;
    bool landscape = false;
};

class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;
    // The installed printers, the system's default first.
    virtual QStringList printerNames() const = 0;
    // The paper of layout on that printer.
    virtual PrinterPaper paper(const QString& printer, const QPageLayout& layout) const = 0;
    // The page layout panel for that printer on layout; true (layout changed) for OK.
    virtual bool runPageSetup(const QString& printer, QPageLayout& layout, QWidget* parent) = 0;
};

// The print system's printers (CUPS through Qt).
class SystemPrinterCatalog : public PrinterCatalog {
public:
    QStringList printerNames() const override;
    PrinterPaper paper(const QString& printer, const QPageLayout& layout) const override;
    bool runPageSetup(const QString& printer, QPageLayout& layout, QWidget* parent) override;
};

PrinterCatalog& printerCatalog();
// Installs a catalogue (not owned); nullptr brings the print system's back.
void setPrinterCatalog(PrinterCatalog* catalog);
