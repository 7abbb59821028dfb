// The adjusted pictures made off the GUI thread: the latest settings win, a changed element drops
// a result made for it before, and a picture larger than a preview is shown from a preview copy
// first and from its own pixels once the requests stop.
#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "filters/ImageProcesser.h"
#include "model/SKTImage.h"
#include "platform/PictureReading.h"
#include "views/inspector/AdjustedPictureRenderer.h"

namespace {

std::shared_ptr<SKTImage> pictureOf(QSize size)
{
    QImage photo(size, QImage::Format_ARGB32);
    photo.fill(QColor(200, 120, 60));
    return SKTImage::initWithPosition(QPointF(0, 0), photo, QString());
}

TEST(AdjustedPictureRenderer, TheLatestSettingsWinAndEachPassIsShownOnce)
{
    int shown = 0;
    AdjustedPictureRenderer renderer([&shown] { ++shown; });
    auto image = pictureOf(QSize(60, 40));
    image->ensureAdjustedPicture();
    for (float hue : {0.5f, 1.0f, 1.5f}) {
        image->picture.hue_val = hue;
        renderer.request({image});
    }
    EXPECT_FALSE(image->adjustedPictureIsCurrent());
    renderer.finish();
    EXPECT_TRUE(renderer.isIdle());
    EXPECT_TRUE(image->adjustedPictureIsCurrent());
    EXPECT_EQ(image->_contents_with_settings, ImageProcesser::Get_Processed_Image_Full_Combined(image->_contents, image->picture));
    EXPECT_EQ(shown, 1);

    // Settings changed while a pass ran: its result is dropped and the next pass takes the change.
    image->picture.Sepia = true;
    renderer.request({image});
    QCoreApplication::processEvents();  // the pass starts with sepia
    image->picture.Sepia = false, image->picture.gray_Scale = true;
    renderer.request({image});
    renderer.finish();
    EXPECT_TRUE(image->adjustedPictureIsCurrent());
    EXPECT_EQ(image->_contents_with_settings, ImageProcesser::Get_Processed_Image_Full_Combined(image->_contents, image->picture));
}

TEST(AdjustedPictureRenderer, ALargePictureShowsAPreviewFirstAndItsOwnPixelsAfter)
{
    AdjustedPictureRenderer renderer([] {});
    auto image = pictureOf(QSize(2000, 1500));
    image->ensureAdjustedPicture();
    image->picture.Sepia = true;
    renderer.request({image});
    // The first pass makes the preview; the whole picture follows when nothing else is asked.
    while (image->_contents_with_settings.width() != kPicturePreviewMaxPoints)
        QCoreApplication::processEvents();
    EXPECT_EQ(image->_contents_with_settings.size(), QSize(500, 375));
    EXPECT_FALSE(image->adjustedPictureIsCurrent());
    EXPECT_FALSE(renderer.isIdle());

    // Output never draws the preview: it makes the picture from the element's own pixels.
    auto copy = std::static_pointer_cast<SKTImage>(image->cloneForRendering());
    copy->ensureCurrentAdjustedPicture();
    EXPECT_EQ(copy->_contents_with_settings.size(), QSize(2000, 1500));

    renderer.finish();
    EXPECT_TRUE(image->adjustedPictureIsCurrent());
    EXPECT_EQ(image->_contents_with_settings.size(), QSize(2000, 1500));
}

}  // namespace
