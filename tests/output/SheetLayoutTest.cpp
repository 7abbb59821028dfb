#include <gtest/gtest.h>

#include "output/SheetLayout.h"

namespace {

// Letter paper with 18-point margins all round.
PrintSheetSettings letterSheet()
{
    PrintSheetSettings sheet;
    sheet.paperWidth = 612;
    sheet.paperHeight = 792;
    sheet.Left_Mar = sheet.Rite_Mar = sheet.Top_Mar = sheet.Bot_Mar = 18;
    sheet.Print_Card_Side = "F";
    return sheet;
}

SheetCellRequest cards(float width, float height, int rows, int columns, float gap = 0)
{
    SheetCellRequest request;
    request.cardWidth = width;
    request.cardHeight = height;
    request.rows = rows;
    request.columns = columns;
    request.horzGap = request.vertGap = gap;
    return request;
}

}  // namespace

TEST(SheetLayoutTest, ColumnsThatOverflowAreCutAndCountsThatFitStay)
{
    PrintSheetSettings sheet = letterSheet();
    SheetCountsShown shown = Check_Max_Cell_Value(sheet, cards(243, 100, 1, 3, 9));
    EXPECT_EQ(sheet.Print_Col, 2);
    EXPECT_TRUE(shown.columnsChanged);
    EXPECT_FALSE(shown.rowsChanged);
    EXPECT_FLOAT_EQ(sheet.horz_mar, 9);

    sheet.auto_center_flag = true;
    Check_Max_Cell_Value(sheet, cards(243, 100, 1, 2));
    EXPECT_EQ(sheet.Print_Col, 2);
    EXPECT_FLOAT_EQ(sheet.horz_mar, 30);

    // Three do not fit: the two that do are spread like two asked for, (576 - 486) / 3.
    shown = Check_Max_Cell_Value(sheet, cards(243, 100, 1, 3));
    EXPECT_EQ(sheet.Print_Col, 2);
    EXPECT_FLOAT_EQ(sheet.horz_mar, 30);
    EXPECT_TRUE(shown.columnsChanged);

    sheet.auto_center_flag = false;
    shown = Check_Max_Cell_Value(sheet, cards(20, 20, 1, 1));
    EXPECT_EQ(sheet.Print_Col, 1);
    EXPECT_FALSE(shown.columnsChanged);
}

TEST(SheetLayoutTest, TheCellHoldsAPairByTheLayoutOrTheWholePrintableAreaWhenFitted)
{
    PrintSheetSettings sheet = letterSheet();
    sheet.Print_Card_Side = "BOTH";
    SheetCellRequest request = cards(100, 60, 1, 1);
    request.sideMargin = 10;
    sheet.Print_Card_Algn = "L";
    Check_Max_Cell_Value(sheet, request);
    EXPECT_FLOAT_EQ(sheet.label_width, 210);
    EXPECT_FLOAT_EQ(sheet.label_hight, 60);
    sheet.Print_Card_Algn = "UD";
    Check_Max_Cell_Value(sheet, request);
    EXPECT_FLOAT_EQ(sheet.label_width, 100);
    EXPECT_FLOAT_EQ(sheet.label_hight, 130);
    EXPECT_FLOAT_EQ(sheet.side_mar, 10);
    sheet.Print_Card_Algn = "DD";
    Check_Max_Cell_Value(sheet, request);
    EXPECT_FLOAT_EQ(sheet.label_hight, 60);
    EXPECT_FLOAT_EQ(sheet.side_mar, 0);

    sheet.Fit_Picture_To_Frame = true;
    Check_Max_Cell_Value(sheet, request);
    EXPECT_FLOAT_EQ(sheet.label_width, 576);
    EXPECT_FLOAT_EQ(sheet.label_hight, 756);
    EXPECT_EQ(sheet.Print_Row, 1);
    EXPECT_EQ(sheet.Print_Col, 1);
}

TEST(SheetLayoutTest, ACardWithNoSizeKeepsOneRowAndColumnInsteadOfDividingByZero)
{
    for (bool centred : {false, true}) {
        PrintSheetSettings sheet = letterSheet();
        sheet.auto_center_flag = centred;
        sheet.paperWidth = sheet.Left_Mar + sheet.Rite_Mar;  // no printable width either
        Check_Max_Cell_Value(sheet, cards(0, 0, 4, 5));
        EXPECT_EQ(sheet.Print_Col, 1) << centred;
        EXPECT_GE(sheet.Print_Row, 1) << centred;
    }
}

TEST(SheetLayoutTest, CellsArePlacedByAutoCentreOrByTheAlignment)
{
    PrintSheetSettings sheet = letterSheet();
    sheet.paperWidth = 496;  // printable width 460
    sheet.auto_center_flag = true;
    Check_Max_Cell_Value(sheet, cards(100, 50, 1, 3));
    ASSERT_FLOAT_EQ(sheet.horz_mar, 40);
    const SheetGeometry centred(sheet);
    EXPECT_DOUBLE_EQ(centred.cellOrigin(1, 1).x(), 18 + 40);
    EXPECT_DOUBLE_EQ(centred.cellOrigin(1, 2).x(), 18 + 180);
    EXPECT_DOUBLE_EQ(centred.cellOrigin(1, 3).x(), 18 + 320);

    sheet = letterSheet();
    sheet.label_align_val = 5;
    Check_Max_Cell_Value(sheet, cards(150, 90, 2, 3, 10));
    const SheetGeometry middle(sheet);
    EXPECT_FLOAT_EQ(middle.blockWidth(), 470);
    EXPECT_FLOAT_EQ(middle.blockHeight(), 190);
    EXPECT_EQ(middle.cellOrigin(1, 1), QPointF(18 + (576 - 470) / 2.0, 18 + (756 - 190) / 2.0 + 190 - 90));
    EXPECT_EQ(middle.cellOrigin(2, 3), QPointF(71 + 320, 401 - 100));

    sheet.label_align_val = 1;
    EXPECT_EQ(SheetGeometry(sheet).cellOrigin(1, 1), QPointF(18, 792 - 18 - 90));
    sheet.label_align_val = 9;
    EXPECT_EQ(SheetGeometry(sheet).cellOrigin(1, 1), QPointF(612 - 470 - 18, 18 + 190 - 90));
}

TEST(SheetLayoutTest, APairSplitsItsCellByTheLayout)
{
    PrintSheetSettings sheet = letterSheet();
    sheet.Print_Card_Side = "BOTH";
    SheetCellRequest request = cards(100, 60, 1, 1);
    request.sideMargin = 10;
    sheet.Print_Card_Algn = "UD";
    Check_Max_Cell_Value(sheet, request);
    CellSides sides = SheetGeometry(sheet).cellSides(1, 1);
    EXPECT_EQ(sides.R1, QRectF(18, 644 + 70, 100, 60));
    EXPECT_EQ(sides.R2, QRectF(18, 644, 100, 60));

    sheet.Print_Card_Algn = "L";
    Check_Max_Cell_Value(sheet, request);
    sides = SheetGeometry(sheet).cellSides(1, 1);
    EXPECT_EQ(sides.R1, QRectF(18, 714, 100, 60));
    EXPECT_EQ(sides.R2, QRectF(128, 714, 100, 60));

    sheet.Print_Card_Algn = "DU";
    Check_Max_Cell_Value(sheet, request);
    sides = SheetGeometry(sheet).cellSides(1, 1);
    EXPECT_EQ(sides.R1, sides.R2);
    EXPECT_EQ(sides.R1, QRectF(18, 714, 100, 60));
}

TEST(SheetLayoutTest, CropMarksRunTwentyPointsOutFromEachCornerAndTurnOntoThePage)
{
    const std::array<QLineF, 8> marks = cropMarks(QRectF(50, 100, 150, 90));
    const QPointF ends[8] = {{30, 100}, {50, 80}, {220, 100}, {200, 80}, {30, 190}, {50, 210}, {220, 190}, {200, 210}};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(marks[i].p2(), ends[i]) << i;
    EXPECT_EQ(toPage(marks[0], 792), QLineF(50, 692, 30, 692));
    EXPECT_EQ(toPage(QRectF(156, 374, 300, 400), 792), QRectF(156, 18, 300, 400));
}

TEST(SheetLayoutTest, CellsAreNumberedRowByRowFromZero)
{
    const struct {
        int columns, row, column, index;
    } cells[] = {{3, 1, 1, 0}, {3, 1, 3, 2}, {3, 2, 1, 3}, {3, 3, 2, 7}, {1, 4, 1, 3}, {5, 2, 5, 9}};
    PrintSheetSettings sheet = letterSheet();
    for (const auto& c : cells) {
        sheet.Print_Col = c.columns;
        EXPECT_EQ(Get_Curr_Label_Index(sheet, c.row, c.column), c.index) << c.columns << " " << c.row << " " << c.column;
    }
}

TEST(SheetLayoutTest, EachPageKnowsItsRecordsFromItsNumber)
{
    SheetRun run;
    run.Total_Label_Real = 7;
    run.cellsPerSheet = 4;
    EXPECT_EQ(sheetCount(run), 2);
    for (int cell = 0; cell < 3; ++cell) {
        EXPECT_TRUE(cellOnPage(run, 2, cell).printed);
        EXPECT_EQ(cellOnPage(run, 2, cell).record, 4 + cell);
    }
    EXPECT_FALSE(cellOnPage(run, 2, 3).printed);

    SheetRun duplex;
    duplex.Total_Label_Real = 6;
    duplex.duplex = true;
    duplex.dataRun = true;
    duplex.records = 3;
    EXPECT_EQ(sheetCount(duplex), 6);
    for (int page = 1; page <= 6; ++page) {
        const SheetCell cell = cellOnPage(duplex, page, 0);
        EXPECT_EQ(cell.record, (page - 1) / 2) << page;
        EXPECT_EQ(cell.frontFace, page % 2 == 1) << page;
    }

    SheetRun pastTheData;
    pastTheData.Total_Label_Real = 5;
    pastTheData.Print_Start = 2;
    pastTheData.dataRun = true;
    pastTheData.records = 4;
    EXPECT_EQ(cellOnPage(pastTheData, 2, 0).record, 3);
    EXPECT_FALSE(cellOnPage(pastTheData, 3, 0).printed);

    SheetRun many;
    many.Total_Label_Real = 120;
    EXPECT_EQ(sheetCount(many), 120);
    EXPECT_EQ(previewSheetCount(many), 50);
}
