// The printing view on a 72-dpi picture of the page: which corner of each card its marker lands
// in tells how the card was turned or mirrored.
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <gtest/gtest.h>

#include "output/Printing_View.h"
#include "render/ImageResolution.h"

namespace {

const QSizeF kCard(243, 154);

// A white card with a black marker in its top-left corner, as designed (y down).
CardImage markedCard()
{
    GraphicPtr marker = SKTGraphic::create(GraphicKind::Shape);
    marker->setBounds(QRectF(0, 0, 60, 40));
    marker->setDrawingFill(true);
    marker->setFillColor(Qt::black);
    marker->ctrl_is_visible = true;
    CardScene scene;
    scene.graphics = {marker};
    scene.side.setCard_Size(kCard);
    scene.side.setCard_fill_chk(true);
    scene.side.setCard_fill_style(QStringLiteral("S"));
    scene.side.setCard_fill_clr(Qt::white);
    scene.side.setCard_border_chk(false);
    scene.card = QRectF(QPointF(0, 0), kCard);
    return CardImage(scene, scene.card);
}

enum Corner { TopLeft, TopRight, BottomLeft, BottomRight, Nowhere };

// Where the marker sits in a side rectangle of the sheet (y up) on the page picture.
Corner markerCorner(const QImage& page, const QRectF& sheetRect, qreal pageHeight)
{
    const QRectF r = toPage(sheetRect, pageHeight);
    const QPointF probes[4] = {r.topLeft() + QPointF(10, 10), r.topRight() + QPointF(-10, 10),
                               r.bottomLeft() + QPointF(10, -10), r.bottomRight() + QPointF(-10, -10)};
    for (int corner = TopLeft; corner <= BottomRight; ++corner)
        if (page.pixelColor(probes[corner].toPoint()).lightness() < 60)
            return Corner(corner);
    return Nowhere;
}

PrintSheetSettings sheetOf(float width, float height, const QString& sides, const QString& layout, int rows, int columns)
{
    PrintSheetSettings sheet;
    sheet.paperWidth = width;
    sheet.paperHeight = height;
    sheet.Left_Mar = sheet.Rite_Mar = sheet.Top_Mar = sheet.Bot_Mar = 18;
    sheet.Print_Card_Side = sides;
    sheet.Print_Card_Algn = layout;
    sheet.front_image = markedCard();
    sheet.back_image = markedCard();
    SheetCellRequest cells;
    cells.cardWidth = float(kCard.width());
    cells.cardHeight = float(kCard.height());
    cells.rows = rows;
    cells.columns = columns;
    cells.horzGap = cells.vertGap = 12;
    Check_Max_Cell_Value(sheet, cells);
    return sheet;
}

QImage pageOf(const PrintSheetSettings& sheet, int cells, int page = 1)
{
    QImage image(int(sheet.paperWidth), int(sheet.paperHeight), QImage::Format_ARGB32);
    image.setDotsPerMeterX(2835);  // 72 dpi
    image.setDotsPerMeterY(2835);
    QPainter painter(&image);
    SheetRun run;
    run.Total_Label_Real = cells;
    Printing_View(sheet, run, true).drawPage(painter, page);
    return image;
}

}  // namespace

TEST(PrintingViewTest, BacksOfUpDownPairsTurnInEveryCellOfALandscapeSheet)
{
    const PrintSheetSettings sheet = sheetOf(792, 612, "BOTH", "UD", 1, 3);
    ASSERT_EQ(sheet.Print_Col, 3);
    const QImage page = pageOf(sheet, 3);
    const SheetGeometry geometry(sheet);
    for (int column = 1; column <= 3; ++column) {
        const CellSides sides = geometry.cellSides(1, column);
        EXPECT_EQ(markerCorner(page, sides.R1, 612), TopLeft) << column;
        EXPECT_EQ(markerCorner(page, sides.R2, 612), BottomRight) << column;
    }
}

TEST(PrintingViewTest, OneSideDownTurnsEachCardAndMirrorsFlipItBeforehand)
{
    PrintSheetSettings sheet = sheetOf(612, 792, "F", "UD", 1, 1);
    const QRectF card = SheetGeometry(sheet).cell(1, 1);
    EXPECT_EQ(markerCorner(pageOf(sheet, 1), card, 792), TopLeft);
    sheet.Print_One_Card_Algn = "D";
    EXPECT_EQ(markerCorner(pageOf(sheet, 1), card, 792), BottomRight);

    sheet.Print_One_Card_Algn = "U";
    sheet.Mirror_Image_Create = true;
    EXPECT_EQ(markerCorner(pageOf(sheet, 1), card, 792), TopRight);
    sheet.Mirror_Vertical_Not_Horz = true;
    EXPECT_EQ(markerCorner(pageOf(sheet, 1), card, 792), BottomLeft);

    sheet.Print_Card_Side = "B";
    sheet.twoSidedDesign = true;
    sheet.Print_One_Card_Algn = "D";
    EXPECT_EQ(markerCorner(pageOf(sheet, 1), card, 792), TopRight);  // mirrored top to bottom, then turned
    sheet.Print_One_Card_Algn = "U";
    EXPECT_EQ(markerCorner(pageOf(sheet, 1), card, 792), BottomLeft);  // an upright back is only mirrored
}

TEST(PrintingViewTest, AVisitorPassIsPrintedAloneAtItsSizeBelowTheTopMargin)
{
    PrintSheetSettings sheet = sheetOf(612, 792, "F", "UD", 2, 2);
    EXPECT_EQ(visitorPassRect(sheet, QSizeF(300, 400)), QRectF(156, 374, 300, 400));
    sheet.draw_printing_or_visitor_pass = true;
    QImage pass(600, 800, QImage::Format_RGB32);  // 300 x 400 points at 144 dpi
    pass.fill(Qt::blue);
    pass.setDotsPerMeterX(5669);
    pass.setDotsPerMeterY(5669);
    sheet.Visitor_Pass_Image = pass;
    const QImage page = pageOf(sheet, 1);
    QRect blue;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y) == QColor(Qt::blue))
                blue |= QRect(x, y, 1, 1);
    EXPECT_EQ(blue, QRect(156, 18, 300, 400));
}

TEST(PrintingViewTest, ThePaperLessItsMarginsOrThePaperWhenTheyLeaveNoRoom)
{
    const struct {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        QMarginsF margins;  // left, top, right, bottom in points
        QSizeF size;
    } pages[] = {
        {QPageSize::Letter, QPageLayout::Portrait, {18, 18, 18, 18}, {576, 756}},
        {QPageSize::A4, QPageLayout::Portrait, {10, 20, 30, 40}, {555, 782}},
        {QPageSize::A4, QPageLayout::Landscape, {10, 20, 30, 40}, {802, 535}},
        {QPageSize::A4, QPageLayout::Portrait, {}, {595, 842}},
        {QPageSize::A4, QPageLayout::Portrait, {300, 0, 300, 0}, {595, 842}},
    };
    for (const auto& page : pages) {
        const QPageLayout layout(QPageSize(page.paper), page.orientation, page.margins, QPageLayout::Point);
        EXPECT_EQ(Printing_View::Calculate_Paper_size(layout), page.size) << page.size.width();
    }
}

// Only a real print raises, and only in landscape or for a visitor pass: 144 x 72 points at 600
// dpi are 1200 x 600 pixels.
TEST(PrintingViewTest, OnlyALandscapeOrVisitorPassPrintRaisesAPictureTo600Dpi)
{
    QImage picture(144, 72, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.setDotsPerMeterX(2835);  // 72 dpi
    picture.setDotsPerMeterY(2835);
    const struct {
        bool print, landscape, visitorPass, raised;
    } runs[] = {
        {true, true, false, true},    {true, false, true, true},    {true, true, true, true},
        {true, false, false, false},  {false, true, false, false},  {false, false, true, false},
    };
    for (const auto& run : runs) {
        PrintSheetSettings sheet;
        sheet.landscape = run.landscape;
        sheet.draw_printing_or_visitor_pass = run.visitorPass;
        const QImage shown = Printing_View(sheet, SheetRun(), run.print).Change_dpi_for_image(picture);
        EXPECT_EQ(shown.size(), run.raised ? QSize(1200, 600) : QSize(144, 72)) << run.print << run.landscape << run.visitorPass;
        EXPECT_NEAR(sizeInPoints(shown).width(), 144, 0.05);
        EXPECT_NEAR(sizeInPoints(shown).height(), 72, 0.05);
        EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::darkGreen));
    }
    PrintSheetSettings landscape;
    landscape.landscape = true;
    EXPECT_TRUE(Printing_View::Change_dpi_for_image(QImage(), landscape, true).isNull());
}

// A picture fills its rectangle, measured from the page's foot, whole whatever opacity the page
// was drawn at before it.
TEST(PrintingViewTest, APictureIsStretchedIntoItsRectangleAtFullOpacity)
{
    QImage page(100, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    {
        QPainter painter(&page);
        painter.setOpacity(0.25);
        Printing_View::Draw_image_In_Rect(painter, picture, QRectF(10, 10, 60, 20), 100);
        EXPECT_EQ(painter.opacity(), 0.25) << "the page's own state is put back";
    }
    EXPECT_EQ(page.pixelColor(12, 72), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(68, 88), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(40, 68), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(40, 20), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(72, 80), QColor(Qt::white));
}
