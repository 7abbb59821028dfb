// The sheet preview: which labels, outlines and crop marks each layout shows, and its picture.
#include <QDir>
#include <gtest/gtest.h>

#include "views/print/PrintTestSheet.h"
#include "views/print/Sample_Preview.h"

using namespace PrintTest;

namespace {

QStringList texts(const SheetPreviewScene& scene)
{
    QStringList result;
    for (const SheetPreviewLabel& label : scene.labels)
        result.append(label.text + (label.turned ? QStringLiteral(" turned") : QString()));
    return result;
}

}  // namespace

TEST(SamplePreviewTest, EveryCellOfTheBlockIsNamedRowByRowWhereThePrintingViewPutsIt)
{
    PrintSheetSettings sheet = letterSheet(3, 2);
    sheet.label_align_val = 5;
    const SheetPreviewScene scene = sheetPreviewScene(sheet);
    EXPECT_EQ(texts(scene), (QStringList{"Front 1", "Front 2", "Front 3", "Front 4", "Front 5", "Front 6"}));
    // The block, 496 x 482 points, sits in the middle of the printable area 576 x 756.
    EXPECT_EQ(scene.labels[0].rect, QRectF(18 + 40, 18 + 137 + 482 - 154, 243, 154));
    EXPECT_EQ(scene.labels[5].rect, QRectF(58 + 253, 155, 243, 154));
    EXPECT_EQ(scene.printable, QRectF(18, 18, 576, 756));
    EXPECT_EQ(scene.outlines.size(), 6);
    EXPECT_TRUE(scene.cropMarks.isEmpty());
}

TEST(SamplePreviewTest, LabelsTurnAndPairUpByTheLayout)
{
    PrintSheetSettings sheet = letterSheet(1, 1, "BOTH", "UD");
    sheet.Enable_Crop_Marks = true;
    SheetPreviewScene scene = sheetPreviewScene(sheet);
    EXPECT_EQ(texts(scene), (QStringList{"Front 1", "Back 1 turned"}));
    EXPECT_EQ(scene.cropMarks.size(), 16);
    EXPECT_GT(scene.labels[0].rect.y(), scene.labels[1].rect.y());  // the front above

    sheet = letterSheet(1, 1, "BOTH", "DD");
    EXPECT_EQ(texts(sheetPreviewScene(sheet)), QStringList{"Front 1"});

    sheet = letterSheet(1, 2, "B");
    sheet.twoSidedDesign = true;
    sheet.Print_One_Card_Algn = "D";
    EXPECT_EQ(texts(sheetPreviewScene(sheet)), (QStringList{"Back 1 turned", "Back 2 turned"}));

    sheet.front_image = CardImage();
    scene = sheetPreviewScene(sheet);
    // Written as the side it stands for would print: upside down.
    EXPECT_EQ(texts(scene), (QStringList{"Invalid Data turned", "Invalid Data turned"}));
    EXPECT_TRUE(scene.labels[0].invalid);
}

TEST(SamplePreviewTest, ThePictureShowsOutlinesByCardShapeAndIsLeftForPeopleToSee)
{
    PrintSheetSettings sheet = letterSheet(2, 2, "BOTH", "L");
    sheet.Enable_Crop_Marks = true;
    sheet.Card_Shape = 2;
    SheetCellRequest cells;
    cells.cardWidth = 120;
    cells.cardHeight = 76;
    cells.sideMargin = 8;
    cells.rows = 5;
    cells.columns = 2;
    cells.horzGap = 20;
    cells.vertGap = 40;
    Check_Max_Cell_Value(sheet, cells);
    Sample_Preview preview(nullptr, &sheet);
    EXPECT_EQ(preview.sizeHint(), QSize(612, 792));
    const QImage picture = preview.imageRepresentation();
    ASSERT_EQ(picture.size(), QSize(612, 792));
    QDir().mkpath(ZOVA_PRINT_ARTIFACT_DIR);
    picture.save(QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR "/sheet-preview-2x5-pairs.png"));

    // An ellipse leaves the corners of the side's rectangle blank and touches the middle of its edges.
    const QRectF front = toPage(sheetPreviewScene(sheet).labels[0].rect, 792);
    EXPECT_EQ(picture.pixelColor(front.topLeft().toPoint() + QPoint(2, 2)), QColor(Qt::white));
    EXPECT_LT(picture.pixelColor(QPoint(int(front.left()), int(front.center().y()))).lightness(), 200);

    PrintSheetSettings upDown = letterSheet(2, 2, "BOTH", "UD");
    upDown.Enable_Crop_Marks = true;
    upDown.Card_Shape = 1;
    Sample_Preview(nullptr, &upDown).imageRepresentation().save(
        QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR "/sheet-preview-2x2-up-down.png"));

    PrintSheetSettings noPaper;
    EXPECT_TRUE(Sample_Preview(nullptr, &noPaper).imageRepresentation().isNull());
}

TEST(SamplePreviewTest, TheViewsOwnPictureFitsThePaperToItsSizeOnWhiteAtTheScreensPixelRatio)
{
    PrintSheetSettings sheet = letterSheet(1, 1);
    Sample_Preview preview(nullptr, &sheet);
    preview.resize(400, 264);  // wider than Letter: the paper takes the height, at a third of a point
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage picture = preview.imageWithSubviews(ratio);
        ASSERT_EQ(picture.size(), QSize(400, 264) * ratio);
        // The darkest pixel of the middle row from x to x + width, in the view's units.
        const auto darkest = [&](int x, int width) {
            int found = 255;
            for (int px = int(x * ratio); px < int((x + width) * ratio); ++px)
                found = std::min(found, picture.pixelColor(px, int(132 * ratio)).lightness());
            return found;
        };
        EXPECT_LT(darkest(0, 1), 50);  // the view's frame
        EXPECT_LT(darkest(196, 4), 250);  // the printable area's right edge, at 594 / 3
        EXPECT_EQ(darkest(204, 190), 255);  // beside the paper: white
    }
    // On screen the view draws the same picture.
    EXPECT_EQ(preview.grab().toImage().convertToFormat(QImage::Format_RGB32),
              preview.imageWithSubviews(1).convertToFormat(QImage::Format_RGB32));
}
