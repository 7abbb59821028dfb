#pragma once
// Where cards go on a printed sheet: how many rows and columns fit, the cell of each row and
// column, the rectangles of a cell's sides, the crop marks around a side and which record and face
// each cell of each page prints. All in points on the paper, origin at its bottom-left corner and y
// upwards; toPage turns a result into Qt's page coordinates (origin top-left, y downwards).
#include <QLineF>
#include <QRectF>
#include <array>

#include "output/PrintSheetSettings.h"

// The window's card size, gaps and counts before they are fitted to the paper, in points.
struct SheetCellRequest {
    float cardWidth = 0;
    float cardHeight = 0;
    float horzGap = 0;
    float vertGap = 0;
    float sideMargin = 0;
    int rows = 1;
    int columns = 1;
};

// Whether the fitting cut a count the window shows, so that its field shows the new one.
struct SheetCountsShown {
    bool rowsChanged = false;
    bool columnsChanged = false;
};

// Fits the cell on the sheet's paper and margins by its sides, layout, fit and auto-centre
// settings, and writes label_width, label_hight, side_mar, horz_mar, vert_mar, Print_Row and
// Print_Col. A count that overflows is cut, one that fits is never raised; a cell too big for the
// paper, or with no size at all, still gets one row or column.
SheetCountsShown Check_Max_Cell_Value(PrintSheetSettings& sheet, const SheetCellRequest& request);

// The rectangles a cell's sides take: R1 the first side, R2 the second (null when one side).
struct CellSides {
    QRectF R1;
    QRectF R2;
};

class SheetGeometry {
public:
    explicit SheetGeometry(const PrintSheetSettings& sheet);

    float printableWidth() const { return m_aw; }
    float printableHeight() const { return m_ah; }
    float blockWidth() const { return m_gw; }
    float blockHeight() const { return m_gh; }
    float sideWidth() const { return m_sw; }
    float sideHeight() const { return m_sh; }
    QRectF printableArea() const;

    // The bottom-left corner of the cell at row and column (from 1, rows from the top).
    QPointF cellOrigin(int row, int column) const;
    QRectF cell(int row, int column) const;
    CellSides cellSides(int row, int column) const;

private:
    const PrintSheetSettings& m_sheet;
    float m_aw = 0, m_ah = 0, m_gw = 0, m_gh = 0, m_sw = 0, m_sh = 0;
};

// The index, from 0, of the cell at row and column (from 1), counted row by row: the printing view
// and the sheet preview number their cells by it.
int Get_Curr_Label_Index(const PrintSheetSettings& sheet, int row, int col);

// Where a visitor pass of that size in points goes: centred between the left and right margins,
// its top edge at the top margin.
QRectF visitorPassRect(const PrintSheetSettings& sheet, QSizeF pass);

// The eight 20-point crop marks of a rectangle, two from each corner running outwards.
std::array<QLineF, 8> cropMarks(const QRectF& rect);

// From the sheet's coordinates to the page's, on paper pageHeight points tall.
QRectF toPage(const QRectF& rect, qreal pageHeight);
QLineF toPage(const QLineF& line, qreal pageHeight);

// Which pictures turn by 180 degrees. One side printed with "D" turns that side (outside a data
// run, the front unless a two-sided design prints its back); "BOTH" with "UD" or "DD" turns the back.
bool frontTurned(const PrintSheetSettings& sheet, bool dataRun);
bool oneSideBackTurned(const PrintSheetSettings& sheet, bool dataRun);
bool pairBackTurned(const PrintSheetSettings& sheet);

// A run of cells over pages: Total_Label_Real cells from record Print_Start, k cells a sheet.
struct SheetRun {
    int Total_Label_Real = 1;
    int Print_Start = 0;
    int cellsPerSheet = 1;
    bool duplex = false;   // a record's front on an odd page, its back on the next
    bool dataRun = false;  // cells print records of series or spreadsheet data
    int records = 1;       // records the data holds (Total_Batch_Excel_Card)
};

// Sheets a run takes: the cells over k, rounded up; a preview shows at most kPreviewPageLimit.
inline constexpr int kPreviewPageLimit = 50;
int sheetCount(const SheetRun& run);
int previewSheetCount(const SheetRun& run);

// What one cell of one page prints, worked out from the page number alone so that a page drawn
// again, or drawn out of order, shows the same records.
struct SheetCell {
    bool printed = false;  // false: past the run's cells or past the data's records
    int record = 0;        // from 0
    bool frontFace = true; // duplex: the front face (odd page), else the back face
};
// cell counts from 0, row by row.
SheetCell cellOnPage(const SheetRun& run, int page, int cell);
