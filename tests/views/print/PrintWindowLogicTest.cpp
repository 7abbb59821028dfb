// The print window's layout: how many cards a sheet holds, the gaps, the cell of a front and back
// pair, the layout codes and the options, as the window publishes them for the printing view.
#include <gtest/gtest.h>

#include "StandInPrinters.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrintWindowLogic.h"

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

struct OpenedWindow {
    explicit OpenedWindow(bool twoSided = false)
    {
        QPageLayout portrait = printInfo();
        portrait.setOrientation(QPageLayout::Portrait);
        setPrintInfo(portrait);
        logic.previewChanged = [this] { ++refreshes; };
        logic.totalChanged = [this](int total) { lastTotal = total; };
        logic.Open({twoSided, 0, false, false, {}, {}});
    }
    StandInPrinters printers;
    PrintSheetSettings settings;
    PrintWindowLogic logic{settings};
    int refreshes = 0;
    int lastTotal = -1;
};

}  // namespace

TEST(PrintWindowLogicTest, ColumnsThatDoNotFitAreCutAndAutoCentreSpreadsTheGap)
{
    OpenedWindow w;
    PrintWindowLogic& logic = w.logic;
    EXPECT_EQ(logic.fields.printers, QStringList({"Office Laser", "Card Printer"}));
    EXPECT_EQ(logic.fields.printer, "Office Laser");
    EXPECT_EQ(logic.fields.Size_id, "215.90 x 279.40");
    EXPECT_EQ(logic.fields.l_mar_id, "6.35");
    EXPECT_EQ(w.settings.Left_Mar, 18);

    // 243-point cards with a 9-point gap: three columns leave (576 - 729 - 18) / 4 <= 0.
    logic.Width_Changed(243 * kMmPerPoint);
    logic.Height_Changed(100 * kMmPerPoint);
    logic.Horz_Margin_Changed(9 * kMmPerPoint);
    logic.Col_Changed(3);
    EXPECT_EQ(logic.fields.columns, 2);
    EXPECT_EQ(w.settings.Print_Col, 2);
    EXPECT_NEAR(w.settings.horz_mar, 9, 1e-4);
    EXPECT_EQ(w.lastTotal, 2);  // rows x columns while no data is used

    // Auto-centre with two columns: (576 - 486) / 3 = 30 points, edges included.
    logic.Auto_Center_Checked(true);
    EXPECT_EQ(w.settings.Print_Col, 2);
    EXPECT_NEAR(w.settings.horz_mar, 30, 1e-3);
    EXPECT_FALSE(logic.fields.gapsEnabled);
    EXPECT_FALSE(logic.fields.alignGroupEnabled);

    // Auto-centre with three columns: no positive gap, so 576 / 243 truncated = 2, spread evenly.
    logic.Width_Changed(100 * kMmPerPoint);
    logic.Col_Changed(3);
    EXPECT_NEAR(w.settings.horz_mar, 69, 1e-3);  // (576 - 300) / 4
    logic.Width_Changed(243 * kMmPerPoint);
    EXPECT_EQ(logic.fields.columns, 2);
    EXPECT_NEAR(w.settings.horz_mar, 30, 1e-3);

    // A count that fits is never raised.
    logic.Auto_Center_Checked(false);
    logic.Width_Changed(20);
    logic.Col_Changed(1);
    EXPECT_EQ(w.settings.Print_Col, 1);
    logic.Row_Changed(4);
    EXPECT_EQ(w.settings.Print_Row, 4);
    EXPECT_EQ(w.lastTotal, 4);
}

TEST(PrintWindowLogicTest, TheCellOfAPairFollowsTheLayoutAndDuplexLocksOneByOne)
{
    OpenedWindow w(true);
    PrintWindowLogic& logic = w.logic;
    EXPECT_EQ(logic.fields.sideRow, 0);
    EXPECT_EQ(w.settings.Print_Card_Algn, "UD");
    EXPECT_EQ(logic.fields.layoutPicture, "up-down-flip");
    logic.Width_Changed(100 * kMmPerPoint);
    logic.Height_Changed(60 * kMmPerPoint);
    logic.Side_Margin_Changed(10 * kMmPerPoint);
    EXPECT_NEAR(w.settings.label_width, 100, 1e-3);
    EXPECT_NEAR(w.settings.label_hight, 130, 1e-3);  // stacked: 2 x 60 + 10
    logic.bothLayoutSelected(2);
    EXPECT_EQ(w.settings.Print_Card_Algn, "L");
    EXPECT_NEAR(w.settings.label_width, 210, 1e-3);  // side by side: 2 x 100 + 10
    EXPECT_NEAR(w.settings.label_hight, 60, 1e-3);

    logic.Horz_Margin_Changed(5);
    logic.Row_Changed(2);
    logic.Col_Changed(2);
    logic.bothLayoutSelected(3);
    EXPECT_EQ(w.settings.Print_Card_Algn, "DU");
    EXPECT_TRUE(w.settings.Duplex_Printing);
    EXPECT_EQ(w.settings.side_mar, 0);
    EXPECT_NEAR(w.settings.label_width, 100, 1e-3);
    EXPECT_EQ(std::pair(logic.fields.rows, logic.fields.columns), std::pair(1, 1));
    EXPECT_EQ(logic.fields.horzGap, 0);
    EXPECT_FALSE(logic.fields.rowsColumnsEnabled);
    EXPECT_FALSE(logic.fields.cardAlignBoxEnabled);

    // Back to a sheet layout: the values showing when it was chosen, 0 gaps and 1 x 1.
    logic.bothLayoutSelected(1);
    EXPECT_EQ(w.settings.Print_Card_Algn, "U");
    EXPECT_FALSE(w.settings.Duplex_Printing);
    EXPECT_TRUE(logic.fields.rowsColumnsEnabled);
    EXPECT_EQ(std::pair(logic.fields.rows, logic.fields.columns), std::pair(1, 1));
    EXPECT_EQ(logic.fields.horzGap, 0);

    logic.card_side_CellClick(2);
    EXPECT_EQ(w.settings.Print_Card_Side, "B");
    EXPECT_FALSE(logic.fields.sideMarginEnabled);
    EXPECT_EQ(w.settings.side_mar, 0);
    EXPECT_NEAR(w.settings.label_hight, 60, 1e-3);
    logic.oneLayoutSelected(1);
    EXPECT_EQ(w.settings.Print_One_Card_Algn, "D");
    EXPECT_EQ(logic.fields.layoutPicture, "back_flip");
}

TEST(PrintWindowLogicTest, FitLandscapeAlignmentAndTheDrawingOptions)
{
    OpenedWindow w;
    PrintWindowLogic& logic = w.logic;
    logic.Width_Changed(50);
    logic.Height_Changed(30);
    logic.Col_Changed(3);
    logic.Fit_To_Frame_clicked(true);
    EXPECT_EQ(w.settings.label_width, 576);
    EXPECT_EQ(w.settings.label_hight, 756);
    EXPECT_EQ(std::pair(w.settings.Print_Row, w.settings.Print_Col), std::pair(1, 1));
    EXPECT_FALSE(logic.fields.rowsColumnsEnabled);
    const int before = w.refreshes;
    logic.alignmentClicked(5);
    EXPECT_EQ(w.settings.label_align_val, 5);
    EXPECT_EQ(w.refreshes, before);  // under fit the block's place changes nothing drawn
    logic.Fit_To_Frame_clicked(false);
    EXPECT_EQ(logic.fields.columns, 3);
    EXPECT_NEAR(w.settings.label_width, 50 / kMmPerPoint, 1e-3);

    logic.orientationSelected(1);
    EXPECT_EQ(printInfo().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(logic.fields.orientation, 1);
    EXPECT_EQ(w.settings.paperWidth, 792);
    EXPECT_EQ(logic.fields.Size_id, "279.40 x 215.90");

    logic.printerSelected("Card Printer");
    EXPECT_EQ(logic.fields.Paper_id, "A4");
    EXPECT_EQ(w.settings.Top_Mar, 5);
    EXPECT_EQ(logic.fields.t_mar_id, "1.76");

    logic.Mirror_image_chk_clicked(true);
    logic.Mirror_Image_Type_CellClick(1);
    logic.Enable_Crop_Mark_clicked(true);
    logic.Show_Margin_Checked(false);
    EXPECT_TRUE(w.settings.Mirror_Image_Create && w.settings.Mirror_Vertical_Not_Horz);
    EXPECT_TRUE(logic.fields.mirrorMatrixEnabled);
    EXPECT_TRUE(w.settings.Enable_Crop_Marks);
    EXPECT_FALSE(w.settings.Show_margin_rect);
    logic.alignmentClicked(12);
    EXPECT_EQ(w.settings.label_align_val, 5);

    // A window opened again starts unmirrored, whatever the last print was.
    logic.Open({false, 0, false, false, {}, {}});
    EXPECT_FALSE(w.settings.Mirror_Image_Create);
    EXPECT_FALSE(w.settings.Mirror_Vertical_Not_Horz);
    EXPECT_FALSE(logic.fields.mirror);
}

TEST(PrintWindowLogicTest, AutoCentreTickedUnderFitTakesEffectWhenFitGoesOff)
{
    OpenedWindow w;
    w.logic.Width_Changed(50);
    w.logic.Height_Changed(30);
    w.logic.Fit_To_Frame_clicked(true);
    w.logic.Auto_Center_Checked(true);
    EXPECT_FALSE(w.settings.auto_center_flag);
    w.logic.Fit_To_Frame_clicked(false);
    EXPECT_TRUE(w.settings.auto_center_flag);
}

TEST(PrintWindowLogicTest, ACardWithoutASizeKeepsTheTypedRowsAndColumns)
{
    OpenedWindow w;
    w.logic.Height_Changed(30);
    w.logic.Col_Changed(3);
    w.logic.Row_Changed(2);
    w.logic.Width_Changed(0);
    EXPECT_EQ(std::pair(w.logic.fields.rows, w.logic.fields.columns), std::pair(2, 3));
    w.logic.Width_Changed(40);
    EXPECT_EQ(std::pair(w.settings.Print_Row, w.settings.Print_Col), std::pair(2, 3));
}

TEST(PrintWindowLogicTest, FitTurnedOffUnderADuplexLayoutKeepsOneCardASheet)
{
    OpenedWindow w(true);
    w.logic.Width_Changed(50);
    w.logic.Height_Changed(30);
    w.logic.Row_Changed(3);
    w.logic.bothLayoutSelected(3);
    w.logic.Fit_To_Frame_clicked(true);
    w.logic.Fit_To_Frame_clicked(false);
    EXPECT_EQ(std::pair(w.logic.fields.rows, w.logic.fields.columns), std::pair(1, 1));
    EXPECT_FALSE(w.logic.fields.rowsColumnsEnabled);
    EXPECT_EQ(w.settings.Print_Row, 1);
}
