#include "model/CardHost.h"

#include <QColor>

#include "filters/ImageProcesser.h"
#include "model/Card_Property.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/GuiThread.h"

namespace {
int paintDepth = 0;  // GUI thread only
}  // namespace

CanvasPaintScope::CanvasPaintScope()
{
    ++paintDepth;
}

CanvasPaintScope::~CanvasPaintScope()
{
    --paintDepth;
}

bool CanvasPaintScope::isActive()
{
    return paintDepth > 0;
}

QImage imageWithSettingsApplied(const SKTImage& image)
{
    return ImageProcesser::Get_Processed_Image_Full_Combined(image._contents, image.picture);
}

const Card_Property& defaultCardProperty(int side)
{
    static const Card_Property front;
    static const Card_Property back = [] {
        Card_Property p;
        p.setCard_Side_Name(QStringLiteral("B"));
        return p;
    }();
    return side == 0 ? front : back;
}

void resetPicturePageForNewPicture()
{
    if (GuiThread::isCurrent())
        cardHost().Reset_Image_Editing_Controls();
}

namespace {

// Answers for the card model while no main window controller exists (tests, tools).
class StandInHost final : public CardHost {
public:
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
    const Card_Property& cardProperty(int side) const override { return defaultCardProperty(side); }
    int cardOutline() const override { return 0; }
    void Refresh_Canvas() override {}
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QImage Get_Image_With_Update_Settings(SKTImage& image) override { return imageWithSettingsApplied(image); }

    QPointF Control_New_Point(const QString&) override
    {
        const QRectF card = frontCanvasBounds();
        lastX_ += kStep;
        lastY_ += kStep;
        if (lastX_ + 50 >= card.width() || lastY_ + 50 >= card.height()) {
            lastX_ = kWrapTo;
            lastY_ = kWrapTo;
        }
        return QPointF(lastX_, lastY_);
    }

    QString Generate_Extra_image_control_ID() override
    {
        return QStringLiteral("F_Pic%1").arg(++lastPictureNumber_);
    }

    CardFont All_Text_font() const override { return CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size}; }
    QColor All_Text_clr() const override { return QColor(Qt::black); }

private:
    static constexpr double kStep = 20;
    static constexpr double kWrapTo = 10;
    double lastX_ = 0;
    double lastY_ = 0;
    int lastPictureNumber_ = 0;
};

StandInHost& standInHost()
{
    static StandInHost host;
    return host;
}

CardHost* installedHost = nullptr;

}  // namespace

CardHost& cardHost()
{
    return installedHost ? *installedHost : standInHost();
}

void setCardHost(CardHost* host)
{
    installedHost = host;
}
