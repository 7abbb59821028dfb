// A barcode bound to a spreadsheet column, moved with the arrange page's X and Y on the main
// window: every exported card draws each record's symbol at the new place, read back with
// ZXingReader; Undo and Redo take the barcode's box along with it.
#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ExportScripting.h"
#include "MainWindowFixture.h"
#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/SKTDocument.h"
#include "output/OutputTestSupport.h"
#include "support/CanvasMouse.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/FieldTyping.h"

namespace {

const QStringList kRecords = {QStringLiteral("ZV-01"), QStringLiteral("ZV-02"), QStringLiteral("ZV-03")};
const QPointF kOld(12, 12);
const QPointF kNew(80, 85);
constexpr double kDpi = 600;

// Dark pixels of a 600-dpi card inside a rectangle given in card points.
int darkPixelsIn(const QImage& card, const QRectF& points)
{
    const QRect pixels = QRectF(points.topLeft() * kDpi / 72, points.size() * kDpi / 72).toAlignedRect() & card.rect();
    int dark = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            dark += qGray(card.pixel(x, y)) < 128;
    return dark;
}

class BarcodeBoxRoadTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        CARD_SIDE_STR = QStringLiteral("1");
        Card_Front_Or_Back = 0, Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        Data_From_Excel& table = Loaded_Data_Table();
        table.ListData.clear();
        for (const QString& value : kRecords)
            table.Create_List_By_Array({value}, 1);
        Card_Property& front = controller.Front_card_Prop;
        front.setCard_fill_chk(true);
        front.setCard_fill_style(QStringLiteral("S"));
        front.setCard_fill_clr(Qt::white);
        front.setCard_border_chk(false);

        // Placed as the canvas leaves a new barcode: the size of its sample symbol, its box on it.
        barcode = OutputTest::columnBound(GraphicKind::Barcode, 1);
        barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("Code 128")));
        barcode->barcode.linear_or_2d = 0;
        barcode->ctrl_is_visible = true;
        BarcodeFactory& factory = barcodeFactory();
        factory.Set_Barcode_Prop_To_Control(*barcode);
        barcode->Set_Barcode_image(factory.Get_Image_From_Val(QStringLiteral("ZV-00"), {}, {}));
        barcode->setBounds(QRectF(kOld, barcode->bounds().size()));
        barcode->Set_Barcode_image_control_bounds(barcode->bounds());
        size = barcode->bounds().size();
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {barcode});

        controller.showWindow();
        QApplication::setActiveWindow(controller.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
        controller.canvasHostOfWindow().snapshotUndo().Restart_Undo_History();
    }
    void TearDown() override
    {
        Loaded_Data_Table().ListData.clear();
        MainWindowFixture::TearDown();
    }

    // Clicks the barcode on the canvas and types the new place on the arrange page.
    void typeNewPlace()
    {
        canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), kOld + QPointF(5, 5), kOld + QPointF(5, 5));
        ASSERT_TRUE(inspector().showPage(QStringLiteral("aligmnt_tab")));
        for (const auto& [field, value] : {std::pair{"frame_main_pic_X_pos", kNew.x()}, std::pair{"frame_main_pic_Y_pos", kNew.y()}}) {
            auto& spin = control<QAbstractSpinBox>(field);
            spin.setFocus();
            typeAndEnter(spin, QString::number(value));
        }
    }
    // The front side's barcode as it stands (an Undo puts new elements in place): box, then bounds.
    QList<QRectF> boxAndBounds() const
    {
        const GraphicPtr shown = document.graphics().first();
        return {shown->bar_image_ctrl_bounds, shown->bounds()};
    }
    QList<QRectF> placedAt(QPointF origin) const { return QList<QRectF>(2, QRectF(origin, size)); }

    GraphicPtr barcode;
    QSizeF size;
};

}  // namespace

TEST_F(BarcodeBoxRoadTest, EveryExportedCardShowsItsOwnSymbolWhereTheArrangePagePutIt)
{
    ASSERT_FALSE(QRectF(kOld, size).intersects(QRectF(kNew, size))) << "the test needs places apart";
    ASSERT_TRUE(controller.frontCanvasBounds().contains(QRectF(kNew, size)));
    ASSERT_NO_FATAL_FAILURE(typeNewPlace());
    EXPECT_EQ(boxAndBounds(), placedAt(kNew));

    QTemporaryDir folder;
    QString closing;
    scriptExport(dialogs, folder.path(), 1, 3, &closing);
    Export_Button(controller);
    EXPECT_EQ(closing, "Card has been exported successfully.\n\n3 cards were written.");

    const QDir written(folder.filePath("ZOVA ID Card"));
    for (int n = 0; n < kRecords.size(); ++n) {
        SCOPED_TRACE(n);
        const QString file = written.filePath(QStringLiteral("Card_%1_Front.PNG").arg(n + 1));
        const QImage card(file);
        ASSERT_FALSE(card.isNull());
        EXPECT_NEAR(card.dotsPerMeterX() * 0.0254, kDpi, 0.5);
        const QRectF newPlace(kNew, size);
        const int inside = darkPixelsIn(card, newPlace);
        EXPECT_GT(inside, 1000);
        EXPECT_EQ(darkPixelsIn(card, QRectF(kOld, size)), 0);
        // Everything dark on the card lies within the new place (a pixel of rounding either side).
        EXPECT_EQ(darkPixelsIn(card, QRectF(QPointF(), QSizeF(card.size()) * 72 / kDpi)),
                  darkPixelsIn(card, newPlace.adjusted(-0.12, -0.12, 0.12, 0.12)));
        EXPECT_EQ(OutputTest::zxingText(file), kRecords[n]);
    }
    EXPECT_EQ(boxAndBounds(), placedAt(kNew)) << "the design comes back as the user left it";
}

TEST_F(BarcodeBoxRoadTest, UndoAndRedoOfTypedPlacesTakeTheBoxAlong)
{
    ASSERT_NO_FATAL_FAILURE(typeNewPlace());
    action("Undo_btn").trigger();
    EXPECT_EQ(boxAndBounds(), placedAt(QPointF(kNew.x(), kOld.y())));
    action("Undo_btn").trigger();
    EXPECT_EQ(boxAndBounds(), placedAt(kOld));
    action("Redo_btn").trigger();
    action("Redo_btn").trigger();
    EXPECT_EQ(boxAndBounds(), placedAt(kNew));
}
