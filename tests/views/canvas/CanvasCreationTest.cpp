// Making elements by tool: without the mouse at the next place, and by dragging.
#include "CanvasCommandFixture.h"
#include "barcodes/BarcodeFactory.h"

namespace {

// Answers every value with a 90 x 40 picture and remembers the values asked for.
class RecordingBarcodeFactory : public BarcodeFactory {
public:
    QStringList values;
    void Set_Barcode_Prop_To_Control(const SKTGraphic&) override {}
    BarcodePicture Get_Image_From_Val(const QString& value, const QString&, const QString&) override
    {
        values.append(value);
        QImage picture(90, 40, QImage::Format_ARGB32);
        picture.fill(Qt::black);
        return picture;
    }
};

struct CreationCase {
    int tool;
    GraphicKind kind;
    QRectF given;
    const char* id;  // an ID keeps the given origin instead of the next place (30, 30)
    bool snapping;
    QRectF made;
};

using CanvasCreationTest = CanvasCommandFixture;

TEST_F(CanvasCreationTest, EachToolMakesItsSizeSelectedAndReturnsToTheArrow)
{
    RecordingBarcodeFactory factory;
    setBarcodeFactory(&factory);
    const CreationCase cases[] = {
        {3, GraphicKind::Shape, {0, 0, 50, 50}, "", false, {30, 30, 50, 50}},
        {0, GraphicKind::Text, {0, 0, 50, 50}, "", false, {30, 30, 70, 20}},
        {10, GraphicKind::Barcode, {0, 0, 120, 60}, "", false, {30, 30, 90, 40}},  // sized by its picture
        {3, GraphicKind::Shape, {4, 13, 50, 50}, "logo", true, {0, 9, 54, 54}},  // both corners snap
        {0, GraphicKind::Text, {85, 12, 150, 20}, "Fup_Name", false, {85, 12, 150, 20}},  // keeps its place's width
    };
    for (const CreationCase& c : cases) {
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
        cardHost_.placesGiven.clear();
        host.snapshots = 0;
        useGrid(c.snapping);
        host.Set_Selected_Control_Tool(c.tool);
        view.createGraphicOfClass(c.kind, std::nullopt, true, c.given, QStringLiteral("F"), {},
                                  QString::fromLatin1(c.id));
        ASSERT_EQ(view.graphics().size(), 1) << c.tool;
        EXPECT_EQ(view.graphics()[0]->bounds(), c.made) << c.tool;
        EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
        EXPECT_EQ(view._Selected_Graphic, view.graphics()[0]);
        EXPECT_EQ(host.Selected_Control_Tool(), 0);
        EXPECT_EQ(host.snapshots, 2);
        EXPECT_EQ(host.naturalAndFitEnabled, c.tool != 10);
    }
    setBarcodeFactory(nullptr);
    EXPECT_EQ(factory.values, QStringList{QStringLiteral("0123")}) << "a new barcode shows the sample";

    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
    useGrid(false);
    host.Set_Selected_Control_Tool(4);
    drag({30, 30}, {90, 70});
    ASSERT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(view.graphics()[0]->bounds(), QRectF(30, 30, 60, 40)) << "the dragged size";
    EXPECT_EQ(view.graphics()[0]->Get_shape_type(), QStringLiteral("C"));
    EXPECT_EQ(host.shown.last(), view.graphics()[0].get());
    EXPECT_EQ(host.Selected_Control_Tool(), 0);
}

}  // namespace
