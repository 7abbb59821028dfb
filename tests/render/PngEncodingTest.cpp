// PNG keeps an alpha channel only where a pixel needs it, whatever the picture's format (16-bit
// pictures as 16-bit PNG photos load, premultiplied ones as card rasters are painted); read back
// with ImageMagick's identify.
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
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
