// PNG keeps an alpha channel only where a pixel needs it, whatever the picture's format (16-bit
// pictures as 16-bit PNG photos load, premultiplied ones as card rasters are painted); read back
// with ImageMagick's identify.
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
#include "render/ImageResolution.h"
#include "render/PngEncoding.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

TEST(PngEncoding, AlphaIsWrittenOnlyForPicturesWithATransparentPixel)
{
    const QString identify = QStringLiteral("/usr/bin/identify");
    if (!QFileInfo(identify).isExecutable())
        GTEST_SKIP() << "identify is not installed";
    QTemporaryDir folder;
    const auto channels = [&](QImage picture, bool oneClearPixel) {
        picture.fill(QColor(30, 140, 90));
        if (oneClearPixel)
            picture.setPixelColor(3, 2, Qt::transparent);
        QString error;
        const QString path = folder.filePath(QStringLiteral("picture.png"));
        EXPECT_TRUE(writeFileAtomically(path, encodePng(picture, &error), &error)) << error.toStdString();
        return QString::fromLatin1(TestEnvironment::run(identify, {"-format", "%[channels]", path}).out);
    };
    for (const QImage::Format format :
         {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBA64}) {
        SCOPED_TRACE(int(format));
        EXPECT_EQ(channels(QImage(8, 6, format), false), "srgb");
        EXPECT_EQ(channels(QImage(8, 6, format), true), "srgba");
    }
}

TEST(PngEncoding, APictureIsOpaqueOnlyWhenEveryPixelIsWhollyCovered)
{
    // Card-wide, so a check that stops early or misses the last column or row shows.
    const auto opaqueWith = [](QPoint where, int alpha) {
        QImage picture(2025, 1284, QImage::Format_ARGB32_Premultiplied);
        picture.fill(QColor(235, 242, 250));
        if (where.x() >= 0)
            picture.setPixelColor(where, QColor(0, 0, 0, alpha));
        return isOpaque(picture);
    };
    EXPECT_TRUE(opaqueWith(QPoint(-1, -1), 255));
    EXPECT_TRUE(opaqueWith(QPoint(700, 400), 255));
    EXPECT_FALSE(opaqueWith(QPoint(0, 0), 254));
    EXPECT_FALSE(opaqueWith(QPoint(2024, 1283), 0));
    EXPECT_FALSE(opaqueWith(QPoint(2024, 0), 128));
    EXPECT_FALSE(opaqueWith(QPoint(1012, 641), 254));
    EXPECT_TRUE(isOpaque(QImage(4, 4, QImage::Format_RGB32)));
}

TEST(PngEncoding, EveryRowComesBackAsItWasWhateverThePicturesFormat)
{
    // 150 rows: more than one band of rows, the last one short.
    QImage source(37, 150, QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgba((x * 7 + y) & 255, (y * 13) & 255, (x * y) & 255, 255));
    QImage clear = source;
    clear.setPixel(36, 149, qRgba(10, 20, 30, 40));
    const QImage palette = source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    ASSERT_GT(palette.colorCount(), 0);
    for (const QImage& picture : {source.convertToFormat(QImage::Format_RGB32), clear, palette,
                                  source.convertToFormat(QImage::Format_RGBA64)}) {
        SCOPED_TRACE(int(picture.format()));
        QString error;
        const QImage back = QImage::fromData(encodePng(picture, &error), "png");
        ASSERT_FALSE(back.isNull()) << error.toStdString();
        EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), picture.convertToFormat(QImage::Format_ARGB32));
    }
}
