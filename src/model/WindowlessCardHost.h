#pragma once
// The card host of programs that make or draw cards without a window: the two sides' records and
// the card's outline, default texts, new elements at (10, 10), pictures through the filter chain,
// and no canvas to refresh.
#include "model/CardHost.h"
#include "model/Card_Property.h"
#include "platform/AppContext.h"

class WindowlessCardHost final : public CardHost {
public:
    QRectF frontCanvasBounds() const override { return QRectF(QPointF(0, 0), front.Card_Size()); }
    void Refresh_Canvas() override {}
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QImage Get_Image_With_Update_Settings(SKTImage& image) override { return imageWithSettingsApplied(image); }
    QPointF Control_New_Point(const QString&) override { return QPointF(10, 10); }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic1"); }
    CardFont All_Text_font() const override { return CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size}; }
    QColor All_Text_clr() const override { return Qt::black; }
    const Card_Property& cardProperty(int which) const override { return which == 0 ? front : back; }
    int cardOutline() const override { return outline; }

    Card_Property front;
    Card_Property back;
    int outline = 0;  // 0 rectangle, 1 rounded rectangle, 2 ellipse
};
