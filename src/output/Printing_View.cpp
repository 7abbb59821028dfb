#include "output/Printing_View.h"

#include <QFontMetricsF>

#include "render/ImageResolution.h"

namespace {

const QString kInvalidData = QStringLiteral("Invalid Data");

bool isBoth(const PrintSheetSettings& sheet)
{
    return sheet.Print_Card_Side == QLatin1String("BOTH");
}

}  // namespace

Printing_View::Printing_View(const PrintSheetSettings& sheet, const SheetRun& run, bool its_print_not_preview,
                             RecordSide recordSide)
    : m_sheet(sheet), m_run(run), m_print(its_print_not_preview), m_recordSide(std::move(recordSide)),
      m_geometry(sheet)
{
    m_run.cellsPerSheet = std::max(1, sheet.Print_Row) * std::max(1, sheet.Print_Col);
    m_run.duplex = sheet.Duplex_Printing;
}

int Printing_View::numberOfPages() const
{
    return m_print ? sheetCount(m_run) : previewSheetCount(m_run);
}

Printing_View::Pair Printing_View::pairFor(const SheetCell& cell) const
{
    Pair pair;
    if (m_run.dataRun && m_recordSide) {
        // The side not current in the main window is bound first, so the current one is bound last.
        const bool wantFront = m_sheet.Print_Card_Side != QLatin1String("B");
        const bool wantBack = m_sheet.Print_Card_Side != QLatin1String("F");
        const bool backFirst = wantBack && isBoth(m_sheet) && m_sheet.sel_card_side == 0;
        // A refused record prints neither side, and never another card in its place.
        auto side = [&](CardSide which, CardImage* image) {
            const SideSnapshot made = m_recordSide(cell.record, which);
            *image = made.image;
            return made.isWhole();
        };
        bool whole = true;
        if (backFirst)
            whole = side(CardSide::Back, &pair.back);
        if (whole && wantFront)
            whole = side(CardSide::Front, &pair.front);
        if (whole && wantBack && !backFirst)
            whole = side(CardSide::Back, &pair.back);
        if (!whole)
            return Pair();
    } else {
        pair.front = m_sheet.front_image;
        pair.back = m_sheet.back_image;
    }
    if (m_sheet.Mirror_Image_Create) {
        if (!pair.front.isNull())
            pair.front = pair.front.mirrored(m_sheet.Mirror_Vertical_Not_Horz);
        if (!pair.back.isNull())
            pair.back = pair.back.mirrored(m_sheet.Mirror_Vertical_Not_Horz);
    }
    return pair;
}

void Printing_View::drawPage(QPainter& painter, int page) const
{
    const qreal pageHeight = m_sheet.paperHeight;
    painter.fillRect(QRectF(0, 0, m_sheet.paperWidth, pageHeight), Qt::white);
    if (m_sheet.draw_printing_or_visitor_pass) {
        Draw_visitor_pass(painter);
        return;
    }
    const int columns = std::max(1, m_sheet.Print_Col);
    for (int row = 1; row <= std::max(1, m_sheet.Print_Row); ++row) {
        for (int column = 1; column <= columns; ++column) {
            const SheetCell cell = cellOnPage(m_run, page, Get_Curr_Label_Index(m_sheet, row, column));
            if (!cell.printed)
                continue;
            drawCell(painter, m_geometry.cellSides(row, column), pairFor(cell), cell);
        }
    }
}

void Printing_View::drawCell(QPainter& painter, const CellSides& sides, const Pair& pair, const SheetCell& cell) const
{
    const bool printsBack = m_sheet.Print_Card_Side == QLatin1String("B");
    const CardImage& first = printsBack ? pair.back : pair.front;
    if (first.isNull()) {
        Draw_Label_String(painter, kInvalidData, sides.R1, m_sheet.paperHeight);
        Draw_Margin_rect(painter, sides.R1);
        return;
    }
    const bool firstTurned = printsBack ? oneSideBackTurned(m_sheet, m_run.dataRun) : frontTurned(m_sheet, m_run.dataRun);
    if (!m_sheet.Duplex_Printing || cell.frontFace)
        Draw_image_In_Rect(painter, first, sides.R1, firstTurned);
    Draw_Margin_rect(painter, sides.R1);
    if (!isBoth(m_sheet))
        return;
    if (!m_sheet.Duplex_Printing || !cell.frontFace)
        Draw_image_In_Rect(painter, pair.back, sides.R2, pairBackTurned(m_sheet));
    Draw_Margin_rect(painter, sides.R2);
}

void Printing_View::Draw_image_In_Rect(QPainter& painter, const CardImage& image, const QRectF& rect,
                                       bool turned) const
{
    const QSizeF size = image.size();
    if (image.isNull() || size.isEmpty() || rect.isEmpty())
        return;
    const QRectF onPage = toPage(rect, m_sheet.paperHeight);
    SavedPainterState state(painter);
    painter.translate(onPage.topLeft());
    painter.scale(onPage.width() / size.width(), onPage.height() / size.height());
    if (turned) {
        painter.translate(size.width(), size.height());
        painter.rotate(180);
    }
    painter.setClipRect(QRectF(QPointF(0, 0), size), Qt::IntersectClip);
    image.draw(painter);
}

void Printing_View::Draw_visitor_pass(QPainter& painter) const
{
    const QImage& pass = m_sheet.Visitor_Pass_Image;
    if (pass.isNull())
        return;
    Draw_image_In_Rect(painter, pass, visitorPassRect(m_sheet, sizeInPoints(pass)), m_sheet.paperHeight);
}

void Printing_View::Draw_image_In_Rect(QPainter& painter, const QImage& picture, const QRectF& rect, qreal pageHeight)
{
    SavedPainterState state(painter);
    painter.setOpacity(1.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A visitor pass carries the visitor's barcode, which a printer's JPEG would smudge.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(toPage(rect, pageHeight), picture);
}

QSizeF Printing_View::Calculate_Paper_size(const QPageLayout& printInfo)
{
    const QSizeF printable = printInfo.paintRect(QPageLayout::Point).size();
    return printable.isEmpty() ? printInfo.fullRect(QPageLayout::Point).size() : printable;
}

QImage Printing_View::Change_dpi_for_image(const QImage& picture) const
{
    return Change_dpi_for_image(picture, m_sheet, m_print);
}

QImage Printing_View::Change_dpi_for_image(const QImage& picture, const PrintSheetSettings& sheet,
                                           bool its_print_not_preview)
{
    constexpr double kPrintDpi = 600;
    if (!its_print_not_preview || !(sheet.landscape || sheet.draw_printing_or_visitor_pass))
        return picture;
    const QImage raised = Increase_DPI(picture, kPrintDpi);
    return raised.isNull() ? picture : raised;
}

void Printing_View::Draw_Margin_rect(QPainter& painter, const QRectF& rect) const
{
    if (!m_sheet.Enable_Crop_Marks)
        return;
    SavedPainterState state(painter);
    painter.setPen(QPen(QColor(Qt::lightGray), 1.0, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& mark : cropMarks(rect))
        painter.drawLine(toPage(mark, m_sheet.paperHeight));
}

void Printing_View::Draw_Label_String(QPainter& painter, const QString& text, const QRectF& rect, qreal pageHeight)
{
    SavedPainterState state(painter);
    QFont font = painter.font();
    font.setPointSizeF(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::red);
    const QFontMetricsF metrics(font, painter.device());
    const QSizeF textSize(metrics.horizontalAdvance(text), metrics.height());
    const QRectF onPage = toPage(rect, pageHeight);
    const QPointF topLeft(onPage.x() + (onPage.width() - textSize.width()) / 2,
                          onPage.y() + (onPage.height() - textSize.height()) / 2);
    painter.drawText(QRectF(topLeft, textSize), Qt::AlignCenter | Qt::TextDontClip, text);
}
