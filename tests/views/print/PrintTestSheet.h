#pragma once
// Sheets, coloured stand-in cards and PDF readers for the printing tests: each record's side is a
// plain card of its own colour, so the pages tell which record went where.
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "output/PrintSheetSettings.h"
#include "output/SheetLayout.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace PrintTest {

inline CardImage colouredCard(const QColor& colour, QSizeF size = QSizeF(243, 154))
{
    CardScene scene;
    scene.side.setCard_Size(size);
    scene.side.setCard_fill_chk(true);
    scene.side.setCard_fill_style(QStringLiteral("S"));
    scene.side.setCard_fill_clr(colour);
    scene.side.setCard_border_chk(false);
    scene.card = QRectF(QPointF(0, 0), size);
    return CardImage(scene, scene.card);
}

// Record n's front and back colours.
inline QColor frontColour(int record)
{
    return QColor::fromHsv((record * 47) % 360, 255, 230);
}
inline QColor backColour(int record)
{
    return QColor::fromHsv((record * 47 + 180) % 360, 120, 160);
}

// Letter paper, 18-point margins, 243 x 154-point cards on rows x columns, fitted as the window does.
inline PrintSheetSettings letterSheet(int rows, int columns, const QString& sides = QStringLiteral("F"),
                                      const QString& layout = QStringLiteral("UD"))
{
    PrintSheetSettings sheet;
    sheet.paperWidth = 612;
    sheet.paperHeight = 792;
    sheet.Left_Mar = sheet.Rite_Mar = sheet.Top_Mar = sheet.Bot_Mar = 18;
    sheet.Print_Card_Side = sides;
    sheet.Print_Card_Algn = layout;
    sheet.Duplex_Printing = layout.startsWith(QLatin1Char('D'));
    sheet.front_image = colouredCard(Qt::red);
    sheet.back_image = colouredCard(Qt::blue);
    SheetCellRequest cells;
    cells.cardWidth = 243;
    cells.cardHeight = 154;
    cells.rows = rows;
    cells.columns = columns;
    cells.horzGap = cells.vertGap = 10;
    Check_Max_Cell_Value(sheet, cells);
    return sheet;
}

// A PDF printer on the sheet's paper writing path.
inline void printToPdf(QPrinter& printer, const PrintSheetSettings& sheet, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QSizeF(sheet.paperWidth, sheet.paperHeight), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

inline int pdfPages(const QString& path)
{
    const auto info = TestEnvironment::run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.out));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Page (from 1) rasterised by poppler at 72 dpi: one pixel per point, y down.
inline QImage pdfPageImage(const QString& path, int page, const QString& folder)
{
    const QString stem = folder + QStringLiteral("/page");
    TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                                      QStringLiteral("-singlefile"), QStringLiteral("-f"),
                                                      QString::number(page), QStringLiteral("-l"), QString::number(page),
                                                      path, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// ImageMagick's box around what is not white on page (from 1): "WxH+X+Y".
inline QString trimmedBox(const QString& path, int page, const QString& folder)
{
    pdfPageImage(path, page, folder);
    const auto trim = TestEnvironment::run(
        QStringLiteral("convert"), {folder + QStringLiteral("/page.png"), QStringLiteral("-trim"), QStringLiteral("info:")});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral(" (\\d+x\\d+)\\s\\S*?([+-]\\d+[+-]\\d+)")).match(QString::fromUtf8(trim.out));
    return match.hasMatch() ? match.captured(1) + match.captured(2) : QString::fromUtf8(trim.out + trim.err);
}

// The colour at the middle of a sheet rectangle (y up) on a 72-dpi page picture.
inline QColor colourAt(const QImage& page, const QRectF& sheetRect, qreal pageHeight = 792)
{
    const QPointF centre = toPage(sheetRect, pageHeight).center();
    return page.pixelColor(int(centre.x()), int(centre.y()));
}

inline bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 6 && std::abs(a.green() - b.green()) < 6 && std::abs(a.blue() - b.blue()) < 6;
}

}  // namespace PrintTest
