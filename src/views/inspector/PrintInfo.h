#pragma once
// printInfo: the designer's one shared print settings (paper, orientation, margins), held as a
// value so that every holder keeps its own copy. The print window and the visitor log store theirs
// with setPrintInfo.
#include <QPageLayout>
#include <QSizeF>
#include <optional>

class QPrinter;
class QWidget;

// A4 portrait with the print system's default margins until something else is set.
const QPageLayout& printInfo();
void setPrintInfo(const QPageLayout& value);

// Page_From_Printer_Click's dialog: the page setup dialog on a printer set up from printInfo, run
// through the dialog seam. OK keeps the chosen layout in printInfo and answers the paper size in
// points, as the orientation turns it; Cancel answers nothing and keeps printInfo as it was.
std::optional<QSizeF> Page_From_Printer(QWidget* parent);

// The page setup dialog on the printer, run through the dialog seam, opened on the printer's own
// paper; true for OK, the printer then holding the layout chosen.
bool runPageSetupOn(QPrinter& printer, QWidget* parent);
