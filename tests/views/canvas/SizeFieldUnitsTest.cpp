// The inspector's width and height fields hold the user's unit; the canvas sizes in points.
#include "platform/Units.h"
#include "views/canvas/CanvasCommandFixture.h"

namespace {

class SizeFieldHost : public RecordingCanvasHost {
public:
    float width = 0, height = 0;
    float Frame_Field_Value(FrameField field) const override
    {
        return field == FrameField::Width ? width : field == FrameField::Height ? height : 0.0f;
    }
};

class SizeFieldUnitsTest : public CanvasCommandFixture {
protected:
    void SetUp() override
    {
        CanvasCommandFixture::SetUp();
        setCanvasHost(&fields);
    }
    void TearDown() override
    {
        CanvasCommandFixture::TearDown();
        Measument_Unit_Is = kUnitMillimetre;
    }
    SizeFieldHost fields;
};

}  // namespace

TEST_F(SizeFieldUnitsTest, TypedSizesReachPointsThroughMillimetres)
{
    const GraphicPtr shape = addShape(QRectF(10, 10, 40, 20));
    const GraphicPtr barcode = add(GraphicKind::Barcode, QRectF(60, 10, 40, 20));
    view.selectAll();
    Measument_Unit_Is = kUnitInch;
    fields.width = 3.375f;
    view.Frame_main_Pic_Wdith_Changed();
    EXPECT_NEAR(shape->width(), 243.0, 1e-3);
    Measument_Unit_Is = kUnitCentimetre;
    fields.height = 2.54f;
    view.Frame_main_Pic_Height_Changed();
    EXPECT_NEAR(shape->height(), 72.0, 1e-4);
    EXPECT_EQ(barcode->bounds().size(), QSizeF(40, 20));
}
