// Image-view geometry, picture sizes in points, and previews of picture files.
#include <QDataStream>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

#include "canvas/model/PictureFile.h"
#include "photos/ImageMagickOracle.h"
#include "photos/core/ImageGeometry.h"
#include "photos/core/PicturePreview.h"
#include "support/TestEnvironment.h"

namespace {

QRectF drawn(QSizeF picture, int scaling, int alignment = ImageAlignCenter)
{
    return scaledImageRect(picture, ImageViewLayout{QRectF(2, 2, 200, 200), scaling, alignment});
}

TEST(ImageGeometry, RatiosAndDrawnRectanglesAreYUp)
{
    const ImageViewLayout view{QRectF(2, 2, 200, 200), ImageScaleProportionallyDown, ImageAlignCenter};
    EXPECT_EQ(imageRatio(QSizeF(400, 300), view), QSizeF(0.5, 0.5));
    EXPECT_EQ(imageRatio(QSizeF(100, 50), view), QSizeF(1, 1));  // never enlarged
    EXPECT_EQ(imageRatio(QSizeF(600, 600), view).width(), double(float(200.0 / 600)));  // single-precision minimum
    EXPECT_EQ(drawn(QSizeF(400, 300), ImageScaleProportionallyDown), QRectF(2, 27, 200, 150));
    EXPECT_EQ(drawn(QSizeF(400, 300), ImageScaleProportionallyDown, ImageAlignTopLeft), QRectF(2, 52, 200, 150));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleProportionallyDown), QRectF(52, 77, 100, 50));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleProportionallyUpOrDown), QRectF(2, 52, 200, 100));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleAxesIndependently), QRectF(2, 2, 200, 200));
    EXPECT_EQ(drawn(QSizeF(100, 50), 7), QRectF(52, 77, 100, 50));  // unknown scaling: none
    EXPECT_EQ(drawn(QSizeF(0.5, 50), ImageScaleProportionallyDown), QRectF(0, 0, 0, 0));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleNone, 9), QRectF(2, 2, 0, 0));
    // x 0 / 50 / 100 and y 0 / 75 / 150 for left / centre / right and bottom / centre / top.
    const QPointF origins[] = {{52, 77}, {52, 152}, {2, 152}, {102, 152}, {2, 77}, {52, 2}, {2, 2}, {102, 2}, {102, 77}};
    for (int alignment = 0; alignment < 9; ++alignment)
        EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleNone, alignment), QRectF(origins[alignment], QSizeF(100, 50)));
}

class PictureFiles : public ::testing::Test {
protected:
    ImageMagickOracle magick;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(magick.path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

    // ImageMagick's photo with its top-left quarter red, given an EXIF orientation in an APP1
    // segment (1 upright, 3 half turn, 6 and 8 quarter turns).
    QString photo(const QString& name, int w, int h, quint16 orientation)
    {
        if (magick.convert({"-size", QString("%1x%2").arg(w).arg(h), "xc:blue", "-fill", "red", "-draw",
                            QString("rectangle 0,0 %1,%2").arg(w / 2 - 1).arg(h / 2 - 1), name}) != 0)
            return {};
        QFile file(magick.path(name));
        QByteArray exif;
        QDataStream out(&exif, QIODevice::WriteOnly);
        out << quint16(0xFFE1) << quint16(34);
        out.writeRawData("Exif\0\0MM\0\x2a", 10);
        out << quint32(8) << quint16(1) << quint16(0x0112) << quint16(3) << quint32(1) << orientation << quint16(0)
            << quint32(0);
        return file.open(QIODevice::ReadOnly) ? write(name, file.readAll().insert(2, exif)) : QString();
    }

    // A white PNG of side x side pixels that compresses to a few hundred kilobytes.
    QString largePng(const QString& name, int side)
    {
        const auto result = TestEnvironment::runPython(R"(
import sys, struct, zlib
path, side = sys.argv[1], int(sys.argv[2])
squeeze = zlib.compressobj(1)
data = b''.join(squeeze.compress(b'\0' + b'\xff' * (3 * side)) for _ in range(side)) + squeeze.flush()
chunk = lambda kind, body: struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
open(path, 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0))
                       + chunk(b'IDAT', data) + chunk(b'IEND', b''))
)", {magick.path(name), QString::number(side)});
        return result.exitCode == 0 ? magick.path(name) : QString();
    }
};

TEST_F(PictureFiles, PointSizesFromPixelsResolutionAndPdfFactor)
{
    QImage picture(600, 400, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setDevicePixelRatio(2.0);  // 300 x 200 points
    const QString pdf = write("card.pdf", "%PDF-1.4\n1 0 obj\n<<>>\nendobj\ntrailer\n<<>>\n%%EOF\n");
    EXPECT_EQ(originalImage(picture, QString()).deviceIndependentSize(), QSizeF(600, 400));
    EXPECT_EQ(originalImage(picture, pdf).deviceIndependentSize(), QSizeF(1500, 1000));
    const ImageViewLayout view{QRectF(0, 0, 300, 300), ImageScaleProportionallyDown, ImageAlignCenter};
    EXPECT_EQ(originalImageRatio(picture, QString(), view), QSizeF(0.5, 0.5));
    picture.setDevicePixelRatio(0.5);  // fewer pixels than points: the points count
    EXPECT_EQ(originalImage(picture, QString()).deviceIndependentSize(), QSizeF(1200, 800));

    QImage photo(600, 300, QImage::Format_RGB32);
    EXPECT_EQ(setDPI(photo, 300).deviceIndependentSize(), QSizeF(144, 72));
    EXPECT_NEAR(photo.dotsPerMeterX() * 0.0254, 300, 0.05);
    EXPECT_EQ(setDPI(photo, 0).deviceIndependentSize(), QSizeF(144, 72));
    EXPECT_EQ(normalizeSize(photo).deviceIndependentSize(), QSizeF(600, 300));
}

TEST_F(PictureFiles, ThumbnailsAreAtMostTheWidthAndUprightAsImageMagickMakesThem)
{
    for (quint16 orientation : {1, 3, 6, 8}) {
        const QString name = QString("photo-%1.jpg").arg(orientation), theirs = QString("theirs-%1.png").arg(orientation);
        const QImage ours = Thimbnail_Using_CG_Image(photo(name, 4000, 3000, orientation), QSizeF(500, 500));
        ASSERT_EQ(magick.convert({name, "-auto-orient", "-thumbnail", "500x500", theirs}), 0);
        const QImage reference(magick.path(theirs));
        ASSERT_EQ(ours.size(), reference.size()) << orientation;
        for (QPoint probe : {QPoint(20, 20), QPoint(ours.width() - 20, 20), QPoint(20, ours.height() - 20)})
            EXPECT_EQ(ours.pixelColor(probe).red() > 128, reference.pixelColor(probe).red() > 128) << orientation;
    }
    EXPECT_EQ(Thimbnail_Using_CG_Image(magick.path("photo-1.jpg"), QSizeF(500, 500)).size(), QSize(500, 375));
    EXPECT_EQ(Thimbnail_Using_CG_Image(magick.path("photo-6.jpg"), QSizeF(500, 500)).size(), QSize(375, 500));
    EXPECT_EQ(imageWithPreviewOfFileAtPath(magick.path("photo-1.jpg"), QSizeF(100, 10), true).size(), QSize(100, 75));
    EXPECT_EQ(Thimbnail_Using_CG_Image(photo("small.jpg", 200, 100, 1), QSizeF(500, 500)).size(), QSize(200, 100));
}

TEST_F(PictureFiles, OnlyRegularFilesWithinTheAllocationLimitAreRead)
{
    const QString fifo = magick.path("pipe.png"), link = magick.path("zero.png");
    ASSERT_TRUE(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link("/dev/zero", link));
    for (const QString& path : {fifo, link, magick.path(""), magick.path("missing.png"), QString()})
        EXPECT_TRUE(Thimbnail_Using_CG_Image(path, QSizeF(500, 500)).isNull()) << path.toStdString();

    // 10000 x 10000 pixels would take 400 MB; 4000 x 4000 (64 MB) is within the limit.
    const QString huge = largePng("huge.png", 10000), large = largePng("large.png", 4000);
    EXPECT_TRUE(readPicturePreview(huge).isNull());
    EXPECT_EQ(Thimbnail_Using_CG_Image(large, QSizeF(500, 500)).size(), QSize(500, 500));
    // A regular file without a readable picture shows as its icon, which exists on the GUI thread only.
    for (const QString& path : {huge, write("notes.txt", "not a picture")})
        EXPECT_EQ(Thimbnail_Using_CG_Image(path, QSizeF(64, 64)).size(), QSize(64, 64)) << path.toStdString();
    QImage offGuiThread;
    std::thread([&] { offGuiThread = Thimbnail_Using_CG_Image(huge, QSizeF(64, 64)); }).join();
    EXPECT_TRUE(offGuiThread.isNull());
}

}  // namespace
