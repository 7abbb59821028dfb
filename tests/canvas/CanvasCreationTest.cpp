// Making elements by tool, with the mouse and at a given place; create-or-update by control ID and
// the lookups by control ID.
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "CanvasCommandFixture.h"
#include "barcodes/BarcodeFactory.h"

namespace {

// Answers every value with a 90 x 40 picture and remembers the values asked for.
class RecordingBarcodeFactory : public BarcodeFactory {
public:
    QStringList values;
    void Set_Barcode_Prop_To_Control(const SKTGraphic&) override {}
    QImage Get_Image_From_Val(const QString& value, const QString&, const QString&) override
    {
        values.append(value);
        QImage picture(90, 40, QImage::Format_ARGB32);
        picture.fill(Qt::black);
        return picture;
    }
};

class CanvasCreationTest : public CanvasCommandFixture {
protected:
    // Made the way the window's tool buttons make elements: no mouse, the placement flag on.
    GraphicPtr createWithTool(int tool, GraphicKind kind, QSizeF size = QSizeF(50, 50))
    {
        host.Set_Selected_Control_Tool(tool);
        view.createGraphicOfClass(kind, std::nullopt, true, QRectF(QPointF(0, 0), size),
                                  QStringLiteral("F"), QString(), QString());
        return view.graphics().value(0);
    }

    // A press, an optional drag and a release with the tool, in card points at 100 %.
    void dragWithTool(SKTGraphicView& target, int tool, QPointF from, QPointF to)
    {
        host.Set_Selected_Control_Tool(tool);
        QTest::mousePress(&target, Qt::LeftButton, Qt::NoModifier, from.toPoint());
        if (to != from)
            QTest::mouseMove(&target, to.toPoint());
        QTest::mouseRelease(&target, Qt::LeftButton, Qt::NoModifier, to.toPoint());
    }
};

TEST_F(CanvasCreationTest, ToolButtonsMakeDefaultSizesAtTheNextPlace)
{
    const GraphicPtr shape = createWithTool(3, GraphicKind::Shape);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Get_shape_type(), QStringLiteral("R"));
    EXPECT_EQ(shape->bounds(), QRectF(cardHost_.placesGiven.last(), QSizeF(50, 50)));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    EXPECT_EQ(view._Selected_Graphic, shape);
    EXPECT_EQ(host.Selected_Control_Tool(), 0) << "back to the arrow";
    EXPECT_EQ(host.snapshots, 2);

    const GraphicPtr text = createWithTool(0, GraphicKind::Text);
    EXPECT_EQ(text->kind(), GraphicKind::Text);
    EXPECT_EQ(text->bounds(), QRectF(cardHost_.placesGiven.last(), QSizeF(70, 20)));
    EXPECT_EQ(host.Selected_Control_Tool(), 0);

    // Without the placement flag the default sizes apply too.
    host.Set_Selected_Control_Tool(4);
    view.createGraphicOfClass(GraphicKind::Shape, std::nullopt, false, QRectF(), QStringLiteral("F"), {}, {});
    EXPECT_EQ(view.graphics()[0]->bounds().size(), QSizeF(50, 50));
    EXPECT_EQ(view.graphics().size(), 3);
}

TEST_F(CanvasCreationTest, NewBarcodeShowsTheSampleValueAndDisablesNaturalSize)
{
    RecordingBarcodeFactory factory;
    setBarcodeFactory(&factory);
    const GraphicPtr barcode = createWithTool(10, GraphicKind::Barcode, QSizeF(120, 60));
    setBarcodeFactory(nullptr);

    EXPECT_EQ(factory.values, QStringList{QStringLiteral("0123")});
    EXPECT_EQ(barcode->bounds().size(), QSizeF(90, 40)) << "sized by its picture";
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, barcode->bounds());
    EXPECT_EQ(host.naturalAndFitEnabled, false);

    createWithTool(3, GraphicKind::Shape);
    EXPECT_EQ(host.naturalAndFitEnabled, true);
}

// The image tool with a picture file that is gone still makes an element, showing the placeholder
// and keeping the wanted path as its value.
TEST_F(CanvasCreationTest, ImageToolWithAMissingFileShowsThePlaceholder)
{
    QTemporaryDir folder;
    Library_Selected_Image = folder.filePath(QStringLiteral("gone.png"));
    const GraphicPtr placeholder = createWithTool(8, GraphicKind::Image);
    ASSERT_EQ(placeholder->kind(), GraphicKind::Image);
    EXPECT_EQ(placeholder->_contents.size(), host.no_image().size());
    EXPECT_EQ(placeholder->Text_Value, Library_Selected_Image);
}

TEST_F(CanvasCreationTest, GridSnapsBothCornersOfAPlacedElement)
{
    SKTGrid grid;
    grid.setConstraining(true);
    view.setGrid(&grid);
    host.Set_Selected_Control_Tool(3);
    view.createGraphicOfClass(GraphicKind::Shape, std::nullopt, true, QRectF(4, 13, 50, 50),
                              QStringLiteral("F"), QString(), QStringLiteral("logo"));
    view.setGrid(nullptr);
    // The ID keeps the given origin: (4, 13)-(54, 63) snaps to (0, 9)-(54, 63).
    EXPECT_EQ(view.graphics()[0]->bounds(), QRectF(0, 9, 54, 54));
}

TEST_F(CanvasCreationTest, TextValuesFollowGroupModeAndInvitationRules)
{
    Start_Card_Option = QStringLiteral("G");
    host.excelColumn = 3;
    view.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(0, 0, 10, 10),
                              QStringLiteral("F"), QStringLiteral("Mary"), QStringLiteral("Fup_Name"));
    const GraphicPtr name = view.graphics()[0];
    EXPECT_EQ(name->Text_contents(), QStringLiteral("Mary"));
    EXPECT_FALSE(name->isDrawingFill());
    EXPECT_FALSE(name->isDrawingStroke());
    EXPECT_EQ(name->data_source_type, 2);
    EXPECT_TRUE(name->excel_binding);
    EXPECT_EQ(name->excel_col_indx, 3);
    EXPECT_EQ(host.batchUpdates, 1);

    view.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(0, 0, 10, 10),
                              QStringLiteral("F"), QStringLiteral("x"), QStringLiteral("Fup_Photo_field"));
    EXPECT_EQ(view.graphics()[0]->data_source_type, 0) << "photo IDs are never bound";

    Start_Card_Option = QStringLiteral("T");
    view.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(), QStringLiteral("F"),
                              QStringLiteral("Party"), QStringLiteral("PARTY_TITLE"));
    EXPECT_EQ(view.graphics()[0]->text_alignmnet, 2);
    EXPECT_EQ(view.graphics()[0]->text_ctrl_font, (CardFont{QStringLiteral(".AppleSystemUIFont"), 18.0}));
    view.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(), QStringLiteral("F"),
                              QStringLiteral("Us"), QStringLiteral("PARTY_FROM"));
    EXPECT_EQ(view.graphics()[0]->text_alignmnet, 1);
}

TEST_F(CanvasCreationTest, AnExistingIdIsUpdatedNotCreatedAgain)
{
    view.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(0, 0, 10, 10),
                              QStringLiteral("F"), QStringLiteral("Old"), QStringLiteral("Fup_Title"));
    const GraphicPtr title = view.graphics()[0];
    title->Set_Ctrl_Is_Visible(false);
    const int snapshots = host.snapshots;

    view.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, QRectF(0, 0, 10, 10),
                              QStringLiteral("F"), QStringLiteral("New"), QStringLiteral("Fup_Title"));
    EXPECT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(host.snapshots, snapshots) << "nothing created, nothing recorded";

    view.ReplaceGraphicText(GraphicKind::Text, std::nullopt, true, QRectF(), QStringLiteral("F"),
                            QStringLiteral("New"), QStringLiteral("Fup_Title"));
    EXPECT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(title->Text_contents(), QStringLiteral("New"));
    EXPECT_TRUE(title->ctrl_is_visible);
    EXPECT_EQ(view._Selected_Graphic, title);
    EXPECT_EQ(host.snapshots, snapshots + 1);

    view.ReplaceGraphicText(GraphicKind::Text, std::nullopt, true, QRectF(), QStringLiteral("F"),
                            QStringLiteral("Acme"), QStringLiteral("Fup_Company"));
    EXPECT_EQ(view.graphics().size(), 2) << "an unknown ID is created";
    EXPECT_EQ(view.graphics()[0]->control_ID, QStringLiteral("Fup_Company"));
}

TEST_F(CanvasCreationTest, LookupsByControlId)
{
    const GraphicPtr shape = addShape({0, 0, 10, 10});
    shape->control_ID = QStringLiteral("Fup_Name");
    const GraphicPtr text = add(GraphicKind::Text, {0, 0, 10, 10});
    text->control_ID = QStringLiteral("Fup_Name");
    const GraphicPtr photo = add(GraphicKind::Image, {0, 0, 10, 10});
    photo->control_ID = QStringLiteral("Fup_Photo");
    const GraphicPtr caption = add(GraphicKind::Text, {0, 0, 10, 10});
    caption->control_ID = QStringLiteral("Fup_lbl_Photo");
    const GraphicPtr own = add(GraphicKind::Text, {0, 0, 10, 10});

    EXPECT_EQ(view.Selcect_Ctrl_With_ID(QStringLiteral("Fup_Name")), text) << "texts and pictures only";
    EXPECT_EQ(view.Selcect_Ctrl_With_ID(QString()), nullptr);
    EXPECT_EQ(view.Selcect_Ctrl_With_ID(QStringLiteral("Fup_Date")), nullptr);

    view.Set_Selection_Index_According_ID(QStringLiteral("Fup_Name"));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0}) << "any kind";
    EXPECT_EQ(view._Selected_Graphic, shape);
    view.Set_Selection_Index_According_ID(QStringLiteral("nothing"));
    EXPECT_EQ(view._Selected_Graphic, nullptr);
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});

    for (const GraphicPtr& g : view.graphics())
        g->Set_Ctrl_Is_Visible(true);
    view.Hide_all_Text_control_FUP_Control();
    EXPECT_TRUE(shape->ctrl_is_visible) << "not a text or picture";
    EXPECT_FALSE(text->ctrl_is_visible);
    EXPECT_TRUE(photo->ctrl_is_visible) << "the profile photo stays";
    EXPECT_FALSE(caption->ctrl_is_visible);
    EXPECT_TRUE(own->ctrl_is_visible);
}

// A click with a tool and no drag leaves nothing behind on any side, and nothing to redo in the
// document's undo; the two snapshots around it are still taken.
TEST_F(CanvasCreationTest, ClickWithoutDragLeavesNoElementOnAnySide)
{
    SKTGraphicView back;
    back.setList(&document, SKTDocument::BackSide);
    back.resize(243, 154);
    back.show();
    view.show();

    dragWithTool(view, 3, {40, 40}, {40, 40});
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_FALSE(document.undoManager().canRedo());

    dragWithTool(back, 4, {40, 40}, {40, 40});
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_EQ(back._Selected_Graphic, nullptr);

    // A zero rectangle given without the mouse goes the same way.
    host.Set_Selected_Control_Tool(3);
    back.createGraphicOfClass(GraphicKind::Shape, std::nullopt, true, QRectF(0, 0, 0, 0),
                              QStringLiteral("B"), QString(), QStringLiteral("zero"));
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_EQ(host.snapshots, 6);
    EXPECT_EQ(host.Selected_Control_Tool(), 0);
    back.setList(nullptr, SKTDocument::BackSide);
}

}  // namespace
