#pragma once
// One visitor pass through the printing view: a sheet of one cell on the printer's paper, the
// pass at its own size, previewed in the print preview window or printed (a PDF when the printer
// names an output file).
#include <QImage>

#include "output/PrintSheetSettings.h"

class QPrinter;
class QWidget;

// The sheet for the pass on the printer's paper: the margins from what the paper can print, one
// row and one column, the pass as the picture to draw.
PrintSheetSettings visitorPassSheet(const QImage& pass, const QPrinter& printer);
// Previews or prints the pass; false, after saying why, when nothing went out.
bool Call_Print_Box_1(const QImage& pass, bool preview, QPrinter& printer, QWidget* window = nullptr);
// The same on the printer chosen in the print panel (a preview asks for none).
bool printVisitorPassChosen(const QImage& pass, bool preview, QWidget* window);
