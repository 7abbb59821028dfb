// Turns, mirrors, flips, borders and masks, with ImageMagick as the oracle for the geometry.
#include <numeric>
#include <gtest/gtest.h>

#include "photos/ImageMagickOracle.h"
#include "photos/core/ImageOperations.h"

namespace {

// Smooth in both directions and different along each, so any wrong turn or mirror shows.
QImage gradient(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / (w - 1), y * 255 / (h - 1), 128));
    return picture;
}

class ImageOperations : public ::testing::Test {
protected:
    ImageMagickOracle magick;
    const QImage picture = gradient(300, 200);
};

TEST_F(ImageOperations, MirrorsFlipsAndWholeTurnsEqualImageMagick)
{
    const QImage flop = magick.apply(picture, {"-flop"}), flip = magick.apply(picture, {"-flip"});
    const QImage half = magick.apply(picture, {"-rotate", "180"});
    const QImage left = magick.apply(picture, {"-rotate", "-90"}), right = magick.apply(picture, {"-rotate", "90"});
    const std::pair<QImage, QImage> cases[] = {
        {Create_Mirror_Image_With_CG_Image(picture, false), flop}, {Flip_Horz_Mirror_Image(picture), flop},
        {Create_Mirror_Image_With_CG_Image(picture, true), flip}, {flipImageVertically(picture), flip},
        {flipImage(picture), half}, {image_rotate_using_cg_context_method(picture), half},
        {imageRotatedByDegrees_Angle(picture, 90, QRectF(0, 0, 9, 9)), half},  // always a half turn
        {imageRotated(picture, -180), half},
        // Positive angles turn counter-clockwise as seen; ImageMagick's turn clockwise.
        {imageRotated(picture, 90), left}, {imageRotated(picture, 450), left},
        {imageRotated(picture, -90), right}, {imageRotated(picture, 270), right}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(magick.differingPixels(cases[i].first, cases[i].second), 0) << "case " << i;

    // On its own page the quarter-turned picture shows its middle, cut at top and bottom.
    const QImage onPage = image_rotate_using_cg_context_method_With_Angle(picture, 90);
    ASSERT_EQ(onPage.size(), QSize(300, 200));
    EXPECT_EQ(magick.differingPixels(onPage.copy(50, 0, 200, 200), left.copy(0, 50, 200, 200)), 0);
    EXPECT_EQ(qAlpha(onPage.pixel(10, 100)) + qAlpha(onPage.pixel(290, 100)), 0);
}

TEST_F(ImageOperations, OtherAnglesTurnOntoASquareWithRoomToSpare)
{
    for (float unturned : {0.0f, 360.0f, -720.0f})
        EXPECT_EQ(imageRotated(picture, unturned).cacheKey(), picture.cacheKey()) << unturned;
    const QImage ours = imageRotated(picture, 45);
    const QImage theirs = magick.apply(picture, {"-background", "none", "-rotate", "-45"});
    ASSERT_EQ(ours.size(), QSize(320, 320));
    for (QPointF offset : {QPointF(0, 0), QPointF(60, -40), QPointF(-90, 30), QPointF(100, 100)}) {
        const QColor a = ours.pixelColor((QPointF(160, 160) + offset).toPoint());
        const QColor b = theirs.pixelColor((QPointF(theirs.width(), theirs.height()) / 2 + offset).toPoint());
        EXPECT_LE(std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.alpha() - b.alpha())}), 6)
            << offset.x() << "," << offset.y();
    }
    EXPECT_EQ(qAlpha(ours.pixel(2, 2)), 0);  // corners lie outside the turned picture

    QImage sharp = gradient(600, 400);
    sharp.setDevicePixelRatio(2.0);  // results keep the size in points beside the pixels
    EXPECT_EQ(imageRotated(sharp, 90).size(), QSize(400, 600));
    EXPECT_EQ(imageRotated(sharp, 30).deviceIndependentSize(), QSizeF(320, 320));
    EXPECT_EQ(image_rotate_using_cg_context_method(sharp).deviceIndependentSize(), QSizeF(300, 200));
}

// A call without a picture answers null, never the picture of the call before.
TEST_F(ImageOperations, MirrorAndHalfTurnOfNoPictureAreNull)
{
    ASSERT_FALSE(Create_Mirror_Image_With_CG_Image(picture, false).isNull());
    EXPECT_TRUE(Create_Mirror_Image_With_CG_Image(QImage(), false).isNull());
    ASSERT_FALSE(imageRotatedByDegrees_Angle(picture, 180, QRectF()).isNull());
    EXPECT_TRUE(imageRotatedByDegrees_Angle(QImage(), 180, QRectF()).isNull());
}

// The bottom row of a border of width 4, from x = 2 to w - 2 (the sides cover the ends), as B for
// border and . for picture; and the same from the dash lengths, starting at the left.
QString bottomRow(const QImage& bordered)
{
    QString row;
    for (int x = 2; x < bordered.width() - 2; ++x)
        row += bordered.pixelColor(x, bordered.height() - 1) == QColor(Qt::red) ? 'B' : '.';
    return row;
}

QString dashedRow(const QList<int>& dashes, int from, int to)
{
    QString row;
    const int period = std::accumulate(dashes.begin(), dashes.end(), 0);
    for (int x = from; x < to; ++x) {
        int position = period ? x % period : 0, index = 0;
        while (period && position >= dashes[index])
            position -= dashes[index++];
        row += index % 2 == 0 ? 'B' : '.';
    }
    return row;
}

TEST_F(ImageOperations, BorderDashesRunFromTheBottomLeftAndHalfTheLineShows)
{
    QImage blue(200, 60, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    const std::pair<const char*, QList<int>> kinds[] = {{"S", {}}, {"DA", {8, 2}}, {"DO", {4, 6}}, {"DD", {24, 10, 6, 10}},
                                                        {"DDD", {24, 8, 8, 8, 8, 8}}, {"dotted", {}}, {"", {}}};
    for (const auto& [style, dashes] : kinds) {
        const QImage bordered = image_Drawing_with_border(blue, 4, style, Qt::red);
        EXPECT_EQ(bottomRow(bordered), dashedRow(dashes, 2, 198)) << style;
        EXPECT_EQ(bordered.pixelColor(100, 58), bordered.pixelColor(100, 59)) << style;
        EXPECT_EQ(bordered.pixelColor(100, 57), QColor(Qt::blue)) << style;  // only half the width shows
    }
    EXPECT_EQ(blue.pixelColor(100, 59), QColor(Qt::blue));  // the source is left alone
}

TEST_F(ImageOperations, MaskShowsThePictureWhereTheMaskIsDark)
{
    QImage mask(10, 10, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            mask.setPixel(x, y, qRgb(255, 255, 255));
    const QImage masked = maskImage(picture, mask);  // stretched over the picture
    EXPECT_EQ(masked.pixel(10, 20), picture.pixel(10, 20));
    EXPECT_EQ(qAlpha(masked.pixel(290, 20)), 0);
    EXPECT_EQ(maskImage(picture, QImage()).cacheKey(), picture.cacheKey());
}

}  // namespace
