#include "output/SheetLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kCropMarkLength = 20;

struct AxisFit {
    int count = 1;
    float gap = 0;
    bool changed = false;
};

// How many times a cell fits in a length, as a count no larger than asked; a quotient that is
// not a number (a cell of no size) counts as one.
int fittingCount(float quotient, int asked)
{
    if (!std::isfinite(quotient) || quotient < 1)
        return 1;
    return quotient >= float(asked) ? asked : int(quotient);
}

// Under auto-centre the gaps are spread evenly, one more than the cells, so the block is centred.
float centredGap(float available, float cell, int count)
{
    return (available - float(count) * cell) / float(count + 1);
}

// A count cut to what fits is spread like any other: the gap is worked out again for it, so the
// block does not sink to the bottom edge the first time and centre only when the window asks again.
// A cell bigger than the paper gets no gap.
AxisFit fitCentred(float available, float cell, int asked)
{
    const float gap = centredGap(available, cell, asked);
    if (gap > 0)
        return {asked, gap, false};
    const float quotient = cell > 0 ? std::trunc(available / cell) : NAN;
    const int count = std::min(asked, fittingCount(quotient, asked));
    return {count, std::max(0.0f, centredGap(available, cell, count)), true};
}

AxisFit fitWithGap(float paper, float nearMargin, float farMargin, float cell, float gap, int asked)
{
    const float available = paper - nearMargin - farMargin;
    if (((available - float(asked) * cell) - float(asked - 1) * gap) / float(asked + 1) > 0)
        return {asked, gap, false};
    const float step = cell + gap;
    const float quotient = step > 0 ? std::floor((paper + gap - nearMargin - farMargin) / step) : NAN;
    const int count = std::min(asked, fittingCount(quotient, asked));
    return {count, gap, count < asked};
}

bool isPairStacked(const PrintSheetSettings& sheet)
{
    return sheet.Print_Card_Side == QLatin1String("BOTH")
           && (sheet.Print_Card_Algn == QLatin1String("U") || sheet.Print_Card_Algn == QLatin1String("UD"));
}

bool isPairSideBySide(const PrintSheetSettings& sheet)
{
    return sheet.Print_Card_Side == QLatin1String("BOTH") && sheet.Print_Card_Algn == QLatin1String("L");
}

}  // namespace

SheetCountsShown Check_Max_Cell_Value(PrintSheetSettings& sheet, const SheetCellRequest& request)
{
    sheet.side_mar = request.sideMargin;
    sheet.label_width = request.cardWidth;
    sheet.label_hight = request.cardHeight;
    if (isPairStacked(sheet))
        sheet.label_hight = 2 * request.cardHeight + sheet.side_mar;
    else if (isPairSideBySide(sheet))
        sheet.label_width = 2 * request.cardWidth + sheet.side_mar;
    else
        sheet.side_mar = 0;

    const float availableWidth = sheet.paperWidth - sheet.Left_Mar - sheet.Rite_Mar;
    const float availableHeight = sheet.paperHeight - sheet.Top_Mar - sheet.Bot_Mar;
    if (sheet.Fit_Picture_To_Frame) {
        sheet.label_width = availableWidth;
        sheet.label_hight = availableHeight;
    }

    const int columns = std::max(1, request.columns);
    const int rows = std::max(1, request.rows);
    AxisFit across;
    AxisFit down;
    if (sheet.auto_center_flag && !sheet.Fit_Picture_To_Frame) {
        across = fitCentred(availableWidth, sheet.label_width, columns);
        down = fitCentred(availableHeight, sheet.label_hight, rows);
    } else {
        across = fitWithGap(sheet.paperWidth, sheet.Left_Mar, sheet.Rite_Mar, sheet.label_width, request.horzGap,
                            columns);
        down = fitWithGap(sheet.paperHeight, sheet.Top_Mar, sheet.Bot_Mar, sheet.label_hight, request.vertGap, rows);
    }
    sheet.horz_mar = across.gap;
    sheet.vert_mar = down.gap;
    sheet.Print_Col = across.count;
    sheet.Print_Row = down.count;
    return {down.changed, across.changed};
}

SheetGeometry::SheetGeometry(const PrintSheetSettings& sheet) : m_sheet(sheet)
{
    m_aw = sheet.paperWidth - sheet.Left_Mar - sheet.Rite_Mar;
    m_ah = sheet.paperHeight - sheet.Top_Mar - sheet.Bot_Mar;
    m_gw = float(sheet.Print_Col) * sheet.label_width + float(sheet.Print_Col - 1) * sheet.horz_mar;
    m_gh = float(sheet.Print_Row) * sheet.label_hight + float(sheet.Print_Row - 1) * sheet.vert_mar;
    m_sw = sheet.label_width;
    m_sh = sheet.label_hight;
    if (isPairStacked(sheet))
        m_sh = (sheet.label_hight - sheet.side_mar) / 2;
    else if (isPairSideBySide(sheet))
        m_sw = (sheet.label_width - sheet.side_mar) / 2;
}

QRectF SheetGeometry::printableArea() const
{
    return {m_sheet.Left_Mar, m_sheet.Bot_Mar, m_aw, m_ah};
}

QPointF SheetGeometry::cellOrigin(int row, int column) const
{
    const PrintSheetSettings& s = m_sheet;
    float x = 0;
    float firstRowY = 0;
    if (s.auto_center_flag) {
        firstRowY = s.Bot_Mar + s.vert_mar + m_gh - s.label_hight;
        x = s.Left_Mar + float(column) * s.horz_mar + float(column - 1) * s.label_width;
    } else {
        const int band = (s.label_align_val - 1) / 3;    // 0 top, 1 middle, 2 bottom
        const int place = (s.label_align_val - 1) % 3;   // 0 left, 1 centre, 2 right
        if (band <= 0)
            firstRowY = s.paperHeight - s.Top_Mar - s.label_hight;
        else if (band == 1)
            firstRowY = s.Bot_Mar + (m_ah - m_gh) / 2 + m_gh - s.label_hight;
        else
            firstRowY = s.Bot_Mar + m_gh - s.label_hight;
        float firstColumnX = s.Left_Mar;
        if (place == 1)
            firstColumnX = s.Left_Mar + (m_aw - m_gw) / 2;
        else if (place == 2)
            firstColumnX = s.paperWidth - m_gw - s.Rite_Mar;
        x = firstColumnX + float(column - 1) * (s.label_width + s.horz_mar);
    }
    const float y = firstRowY - float(row - 1) * (s.label_hight + s.vert_mar);
    return {x, y};
}

QRectF SheetGeometry::cell(int row, int column) const
{
    return {cellOrigin(row, column), QSizeF(m_sheet.label_width, m_sheet.label_hight)};
}

CellSides SheetGeometry::cellSides(int row, int column) const
{
    const QPointF origin = cellOrigin(row, column);
    const qreal x = origin.x();
    const qreal y = origin.y();
    if (m_sheet.Print_Card_Side != QLatin1String("BOTH"))
        return {cell(row, column), QRectF()};
    if (isPairStacked(m_sheet))
        return {QRectF(x, y + m_sh + m_sheet.side_mar, m_sw, m_sh), QRectF(x, y, m_sw, m_sh)};
    if (isPairSideBySide(m_sheet))
        return {QRectF(x, y, m_sw, m_sh), QRectF(x + m_sw + m_sheet.side_mar, y, m_sw, m_sh)};
    return {cell(row, column), cell(row, column)};
}

int Get_Curr_Label_Index(const PrintSheetSettings& sheet, int row, int col)
{
    return (row - 1) * std::max(1, sheet.Print_Col) + col - 1;
}

QRectF visitorPassRect(const PrintSheetSettings& sheet, QSizeF pass)
{
    const qreal x = sheet.Left_Mar + (sheet.paperWidth - sheet.Left_Mar - sheet.Rite_Mar - pass.width()) / 2;
    const qreal y = sheet.paperHeight - pass.height() - sheet.Top_Mar;
    return {QPointF(x, y), pass};
}

std::array<QLineF, 8> cropMarks(const QRectF& r)
{
    const qreal x = r.x(), y = r.y(), w = r.width(), h = r.height(), d = kCropMarkLength;
    return {QLineF(x, y, x - d, y),                 QLineF(x, y, x, y - d),
            QLineF(x + w, y, x + w + d, y),         QLineF(x + w, y, x + w, y - d),
            QLineF(x, y + h, x - d, y + h),         QLineF(x, y + h, x, y + h + d),
            QLineF(x + w, y + h, x + w + d, y + h), QLineF(x + w, y + h, x + w, y + h + d)};
}

QRectF toPage(const QRectF& rect, qreal pageHeight)
{
    return {rect.x(), pageHeight - rect.y() - rect.height(), rect.width(), rect.height()};
}

QLineF toPage(const QLineF& line, qreal pageHeight)
{
    return {line.x1(), pageHeight - line.y1(), line.x2(), pageHeight - line.y2()};
}

bool frontTurned(const PrintSheetSettings& sheet, bool dataRun)
{
    if (sheet.Print_One_Card_Algn != QLatin1String("D"))
        return false;
    if (dataRun)
        return sheet.Print_Card_Side == QLatin1String("F");
    return !sheet.twoSidedDesign || sheet.Print_Card_Side != QLatin1String("B");
}

bool oneSideBackTurned(const PrintSheetSettings& sheet, bool dataRun)
{
    if (sheet.Print_One_Card_Algn != QLatin1String("D") || sheet.Print_Card_Side != QLatin1String("B"))
        return false;
    return dataRun || sheet.twoSidedDesign;
}

bool pairBackTurned(const PrintSheetSettings& sheet)
{
    return sheet.Print_Card_Side == QLatin1String("BOTH")
           && (sheet.Print_Card_Algn == QLatin1String("UD") || sheet.Print_Card_Algn == QLatin1String("DD"));
}

int sheetCount(const SheetRun& run)
{
    const int k = std::max(1, run.cellsPerSheet);
    return std::max(0, run.Total_Label_Real + k - 1) / k;
}

int previewSheetCount(const SheetRun& run)
{
    return std::min(sheetCount(run), kPreviewPageLimit);
}

SheetCell cellOnPage(const SheetRun& run, int page, int cell)
{
    const int k = std::max(1, run.cellsPerSheet);
    if (page < 1 || cell < 0 || cell >= k)
        return {};
    const int consumed = (page - 1) * k + cell;
    if (consumed >= run.Total_Label_Real)
        return {};
    // A duplex run prints each record twice, front then back, so records advance every other page.
    const int recordsBefore = run.duplex ? (page - 1) / 2 * k : (page - 1) * k;
    const int record = run.Print_Start + recordsBefore + cell;
    if (run.dataRun && record >= run.records)
        return {};
    return {true, record, !run.duplex || page % 2 == 1};
}
