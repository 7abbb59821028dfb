// The barcode picture: its raster step, the raster it stores with its size in points, and how
// its rasters and module outlines reach a device.
#include <QPainter>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "model/BarcodePicture.h"
#include "platform/EncodedImageCache.h"
#include "platform/PictureReading.h"

namespace {

BarcodePicture blackSquare(double side)
{
    BarcodePicture::Builder builder(QSizeF(side, side));
    builder.fillRectangles({QRectF(0, 0, side, side)}, Qt::black);
    return builder.finish();
}

int darkPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128 && qAlpha(image.pixel(x, y)) > 128;
    return count;
}

}  // namespace

TEST(BarcodePictureTest, TheRasterStepCountsPixelsFromPointsAndRefusesWhatCannotBeStored)
{
    const BarcodePicture square = blackSquare(12);
    ASSERT_TRUE(square.isDrawing());
    const QImage raster = square.toImage(600);
    EXPECT_EQ(raster.size(), QSize(100, 100));
    EXPECT_EQ(raster.dotsPerMeterX(), 23622);
    EXPECT_EQ(raster.text(BarcodePicture::pointSizeKey()), QStringLiteral("12 12"));
    EXPECT_EQ(darkPixels(raster), 100 * 100);
    EXPECT_EQ(blackSquare(60).toImage(600).size(), QSize(500, 500));
    EXPECT_EQ(square.image().size(), QSize(100, 100)) << "what files keep is the drawing at 600 dpi";
    EXPECT_TRUE(square.toImage(0).isNull());
    // 2500 points are 20834 pixels at 600 dpi: more than a stored picture may hold.
    EXPECT_TRUE(blackSquare(2500).isNull());
    EXPECT_TRUE(BarcodePicture::Builder(QSizeF(0, 10)).finish().isNull());
    // A side under one pixel still takes one whole pixel.
    EXPECT_EQ(blackSquare(0.1).toImage(600).size(), QSize(1, 1));
}

TEST(BarcodePictureTest, AStoredRasterNamesItsSizeInPointsAndOpensAtThatSize)
{
    const BarcodePicture square = blackSquare(12);
    const QImage png = readPictureData(encodedPng(square.image()));
    const BarcodePicture reopened = BarcodePicture::fromStoredImage(png);
    EXPECT_FALSE(reopened.isDrawing());
    EXPECT_EQ(reopened.size(), QSizeF(12, 12));
    EXPECT_EQ(reopened, square);
    EXPECT_EQ(darkPixels(reopened.toImage(600)), 100 * 100);

    // Pictures stored before sizes were named, and sizes that name no print resolution, take one
    // point per pixel.
    QImage unnamed(30, 20, QImage::Format_ARGB32);
    unnamed.fill(Qt::black);
    EXPECT_EQ(BarcodePicture::fromStoredImage(unnamed).size(), QSizeF(30, 20));
    QImage wild = unnamed;
    wild.setText(BarcodePicture::pointSizeKey(), QStringLiteral("0.01 0.01"));
    EXPECT_EQ(BarcodePicture::fromStoredImage(wild).size(), QSizeF(30, 20));
    wild.setText(BarcodePicture::pointSizeKey(), QStringLiteral("nan 3"));
    EXPECT_EQ(BarcodePicture::fromStoredImage(wild).size(), QSizeF(30, 20));
    EXPECT_TRUE(BarcodePicture::fromStoredImage(QImage()).isNull());
}

TEST(BarcodePictureTest, ModulesMeetWithoutSeamsAndRastersKeepTheirPixelsExceptWhenShownSmaller)
{
    // Two modules side by side at a fraction of a pixel, filled without antialiasing: no lighter
    // column lies where they meet.
    BarcodePicture::Builder builder(QSizeF(10, 4));
    builder.fillRectangles({QRectF(1.3, 0, 2, 4), QRectF(3.3, 0, 2, 4)}, Qt::black);
    const QImage modules = builder.finish().toImage(72 * 3);
    for (int x = 5; x < 15; ++x)
        EXPECT_EQ(qGray(modules.pixel(x, 6)), 0) << x;

    // A checkerboard raster of 8 x 8 pixels as a picture of 4 x 4 points.
    QImage checks(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checks.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const BarcodePicture board(checks, QSizeF(4, 4));
    EXPECT_EQ(board.toImage(144).convertToFormat(QImage::Format_ARGB32), checks)
        << "pixel for pixel at its own resolution";
    QImage smaller(4, 4, QImage::Format_ARGB32);
    smaller.fill(Qt::white);
    {
        QPainter painter(&smaller);
        board.draw(painter);
    }
    EXPECT_NE(qGray(smaller.pixel(1, 1)), 0) << "shown smaller on a picture, it is smoothed";
    EXPECT_NE(qGray(smaller.pixel(1, 1)), 255);
}

TEST(BarcodePictureTest, CopiesAskedOnManyThreadsAtOnceShareOneStoredRaster)
{
    const BarcodePicture square = blackSquare(12);
    std::vector<QImage> rasters(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < rasters.size(); ++i)
        threads.emplace_back([&rasters, i, copy = square] { rasters[i] = copy.image(); });
    for (std::thread& thread : threads)
        thread.join();
    for (const QImage& raster : rasters)
        EXPECT_EQ(raster.cacheKey(), rasters[0].cacheKey());
    EXPECT_EQ(rasters[0].size(), QSize(100, 100));
    EXPECT_EQ(darkPixels(rasters[0]), 100 * 100);
    EXPECT_EQ(square.image().cacheKey(), rasters[0].cacheKey());
}
