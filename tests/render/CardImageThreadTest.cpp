// A side snapshotted on a worker thread carries its photo: the adjusted picture the GUI thread
// would make is made by the filter chain there instead of being left out.
#include <QImage>
#include <gtest/gtest.h>
#include <thread>

#include "model/CardHost.h"
#include "model/SKTImage.h"
#include "render/SKTRenderingView.h"

TEST(CardImageOnAWorker, ASnapshotMadeOffTheGuiThreadStillDrawsTheAdjustedPhoto)
{
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    std::shared_ptr<SKTImage> photo = SKTImage::initWithPosition(QPointF(60, 60), red, QStringLiteral("red.png"));
    photo->ctrl_is_visible = true;
    photo->picture.gray_Scale = true;  // the adjusted picture differs from the loaded one
    ASSERT_TRUE(photo->_contents_with_settings.isNull());
    QImage card;
    std::thread worker([&] {
        card = SKTRenderingView::image_From_Card_Graphics({photo}, CardSide::Front).toImage(72);
    });
    worker.join();
    ASSERT_FALSE(card.isNull());
    const QRgb centre = card.pixel(60, 60);
    // Red in grey, as the settings say: drawn, not left blank or transparent.
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_EQ(qRed(centre), qGreen(centre));
    EXPECT_NEAR(qRed(centre), qRed(imageWithSettingsApplied(*photo).pixel(20, 20)), 2);
    EXPECT_TRUE(photo->_contents_with_settings.isNull());  // the live element is not touched off its thread
}
