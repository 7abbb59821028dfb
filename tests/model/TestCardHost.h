#pragma once
// A card host with a card of a chosen size, plain answers for new elements and the card settings of
// each side in fields; and a test fixture that installs one for the test's run.
#include <gtest/gtest.h>

#include "model/CardHost.h"
#include "model/Card_Property.h"

class TestCardHost : public CardHost {
public:
    QRectF card{0, 0, 243, 154};
    Card_Property front = defaultCardProperty(0), back = defaultCardProperty(1);
    int outline = 0;

    QRectF frontCanvasBounds() const override { return card; }
    void Refresh_Canvas() override {}
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QImage Get_Image_With_Update_Settings(SKTImage& image) override { return imageWithSettingsApplied(image); }
    QPointF Control_New_Point(const QString&) override { return QPointF(10, 10); }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic1"); }
    CardFont All_Text_font() const override { return CardFont{QStringLiteral("DejaVu Sans"), 12}; }
    QColor All_Text_clr() const override { return Qt::black; }
    const Card_Property& cardProperty(int which) const override { return which == 0 ? front : back; }
    int cardOutline() const override { return outline; }
};

template <typename Host = TestCardHost>
class WithCardHost : public ::testing::Test {
protected:
    void SetUp() override { setCardHost(&host); }
    void TearDown() override { setCardHost(nullptr); }
    Host host;
};
