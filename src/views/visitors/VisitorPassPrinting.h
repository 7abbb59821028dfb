#pragma once
// One visitor pass through the printing view: a sheet of one cell on the printer's paper, the
// pass at its own size. Passes print on the visitor log's own print settings, the print system's
// defaults: its default printer (the first the printer catalogue names) on the paper that printer
// starts with, sent there with no print panel. Preview shows the same sheet on screen.
#include <QImage>
#include <QString>

#include "output/PrintSheetSettings.h"

class QPrinter;
class QWidget;

// When set, passes print into this PDF file instead of on the printer, through the same pages.
extern QString visitorPassPrintToFile;

// The sheet for the pass on the printer's paper: the margins from what the paper can print, one
// row and one column, the pass as the picture to draw.
PrintSheetSettings visitorPassSheet(const QImage& pass, const QPrinter& printer);
// The visitor log's print settings on a printer: the default printer (or the PDF file) and its
// paper with the margins it cannot print on.
void setUpVisitorPassPrinter(QPrinter& printer);
// Previews or prints the pass on that printer; false, after saying why, when nothing went out.
bool Call_Print_Box_1(const QImage& pass, bool preview, QPrinter& printer, QWidget* window = nullptr);
// The same on the visitor log's print settings. A print without a printer says "No printer
// found." and sends nothing.
bool printVisitorPass(const QImage& pass, bool preview, QWidget* window);
